#pragma once
// What showing freshly decoded settings does to the settings themselves:
// the value rules of filling the pages, apart from the widgets. The main
// window applies them after a successful decode and then shows the result.

#include <array>

#include "codeplug/editor_settings.h"
#include "codeplug/field_catalogue.h"

namespace rer {

// What the pages show besides the values.
struct FilledPagesView {
  // Per address (element n - 1): whether its row is shown. An odd address
  // always is; an even one only when the odd one before it holds no long address.
  std::array<bool, kAddressCount> addressShown{};
  // The language-pointer lists appear only on pagers with a character ROM.
  bool languagePointerVisible = false;
};

// Applies the fill rules to `settings`:
// - the new alert menu shows "No" and the pager model text is empty;
// - every shown address whose capcode is empty has its language pointer,
//   personal, priority, history, frame, collapse, message type and OTA reset;
// - a shown address whose personal box is clear shows message type "Group";
// - each shown address gets its FLEX address text, which also clears the
//   even address after a long odd one; a hidden address shows no FLEX text.
FilledPagesView ApplyFillPagesRules(EditorSettings& settings, int cgromType);

}  // namespace rer
