#pragma once
// Setting-by-setting comparison of two editor settings: the controls whose
// values differ, each with its values written as the settings pages show
// them. The command line's diff and the window's comparison with a file both
// list these, so a technician sees "Frequency (MHz)" and two frequencies
// rather than a byte offset.

#include <string>
#include <vector>

#include "codeplug/editor_settings.h"
#include "codeplug/field_catalogue.h"

namespace rer {

struct SettingDifference {
  Control control{};
  int address = 0;          // 1..16 for a per-address control, 0 otherwise
  int fieldNumber = 0;      // kNoFieldNumber for a control without one
  std::string controlName;  // "ed_capcode3"
  std::string label;        // "Decimal Address (address 3)"
  std::string a;            // the value in the first settings, as shown
  std::string b;            // the value in the second settings, as shown
};

// The value of catalogue entry `entry` as its page shows it: a list's item
// text ("(none)" when no item is selected or the value lies beyond the list),
// a check box as "ticked" or "clear", a text as typed.
std::string ShownValue(const ControlEntry& entry, const ControlValue& value);

// The label a listing gives an entry: its label, else the caption its check
// box carries, else its name; a per-address control also names its address.
std::string ShownLabel(const ControlEntry& entry);

// Every control whose value differs between `a` and `b`, in field-number
// order (controls without a field number last, in catalogue order), leaving
// out the read-only displays of values derived from other settings. Two values
// differ when the stored value differs, even if the page would show the same
// text (an item index beyond the list, say): a difference is never hidden.
std::vector<SettingDifference> DiffSettings(const EditorSettings& a, const EditorSettings& b);

}  // namespace rer
