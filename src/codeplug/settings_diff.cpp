#include "codeplug/settings_diff.h"

#include <algorithm>

namespace rer {
namespace {

// A read-only control without a field number only displays what follows
// from other settings (the synthesizer's N and R from the frequency, the
// memory sizes from the model, the FLEX address from the capcode). Listing it
// would name one change twice, so the listing leaves it out; the setting it
// follows from is listed.
bool IsDerivedDisplay(const ControlEntry& entry) {
  return entry.readOnly && entry.fieldNumber == kNoFieldNumber;
}

bool SameValue(ControlKind kind, const ControlValue& a, const ControlValue& b) {
  switch (kind) {
    case ControlKind::Text:
    case ControlKind::MaskedText:
      return a.text == b.text;
    case ControlKind::List:
    case ControlKind::CheckBox:
      break;
  }
  return a.number == b.number;
}

}  // namespace

std::string ShownValue(const ControlEntry& entry, const ControlValue& value) {
  switch (entry.kind) {
    case ControlKind::CheckBox:
      // The ideographic canned box keeps a third state; the page shows it
      // ticked, and the listing says which ticked state it is so that a
      // change between the two is not listed as "ticked" against "ticked".
      if (value.number == 0) return "clear";
      if (value.number == 1) return "ticked";
      return "ticked (state " + std::to_string(value.number) + ")";
    case ControlKind::List:
      if (value.number < 0 || value.number >= static_cast<int>(entry.items.size())) {
        return value.number == kNoItem ? "(none)"
                                       : "(none: item " + std::to_string(value.number) + ")";
      }
      return std::string(entry.items[static_cast<std::size_t>(value.number)]);
    case ControlKind::Text:
    case ControlKind::MaskedText:
      break;
  }
  return value.text;
}

std::string ShownLabel(const ControlEntry& entry) {
  std::string label(!entry.label.empty()     ? entry.label
                    : !entry.caption.empty() ? entry.caption
                                             : std::string_view(entry.name));
  if (entry.address != 0) label += " (address " + std::to_string(entry.address) + ")";
  return label;
}

std::vector<SettingDifference> DiffSettings(const EditorSettings& a, const EditorSettings& b) {
  const auto& entries = FieldCatalogue::Instance().Entries();
  std::vector<SettingDifference> differences;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ControlEntry& entry = entries[i];
    const ControlValue& left = a.ValueAt(i);
    const ControlValue& right = b.ValueAt(i);
    if (IsDerivedDisplay(entry) || SameValue(entry.kind, left, right)) continue;
    differences.push_back({entry.control, entry.address, entry.fieldNumber, entry.name,
                           ShownLabel(entry), ShownValue(entry, left), ShownValue(entry, right)});
  }
  // Catalogue order is the tie-break: the two controls that share a field
  // number stay in the order of their rows.
  std::stable_sort(differences.begin(), differences.end(),
                   [](const SettingDifference& x, const SettingDifference& y) {
                     const bool xNumbered = x.fieldNumber != kNoFieldNumber;
                     const bool yNumbered = y.fieldNumber != kNoFieldNumber;
                     if (xNumbered != yNumbered) return xNumbered;
                     return xNumbered && x.fieldNumber < y.fieldNumber;
                   });
  return differences;
}

}  // namespace rer
