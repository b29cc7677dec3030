#pragma once
// Between the editor settings and the settings pages: FillPages shows every
// setting in its control, and the edit binding stores what the user changes
// in a control back into the settings.

#include <QObject>
#include <functional>

#include "codeplug/editor_settings.h"
#include "codeplug/fill_pages_rules.h"

namespace rer {

class SettingsPages;

// Shows every value of `settings` in its control, without reporting changes.
void FillPages(const SettingsPages& pages, const EditorSettings& settings);

// Shows or hides what the fill rules decided: the rows of the even addresses
// that a long address before them occupies, and the language-pointer lists.
void ShowFilledPagesView(const SettingsPages& pages, const FilledPagesView& view);

// Stores each edit of a control into the settings that `settings` gives at
// that moment: a text field when its edit ends, a list when its choice
// changes, a check box when it is clicked. `stored` (optional) then learns
// the catalogue index of the control.
void BindPageEdits(const SettingsPages& pages, std::function<EditorSettings&()> settings,
                   std::function<void(std::size_t)> stored = {});

}  // namespace rer
