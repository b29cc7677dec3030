#pragma once
// The catalogue of every editing control of the twelve settings pages: its
// name, field number, kind, page, label, list items, length limit, key filter
// and hint. The pages are built from it, the field machinery routes events by
// its field numbers, and EditorSettings keeps one value per entry.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "codeplug/control_row.h"
#include "codeplug/control_table.h"

namespace rer {

// The per-address controls are Control values too (Control::Capcode ...
// Control::AlertPattern); the old name stays for the code that speaks of them.
using AddressControl = Control;

// The facts of one control, straight from its row.
constexpr const ControlRow& RowOf(Control control) {
  return control_data::kRows[static_cast<std::size_t>(control)];
}
constexpr bool IsPerAddress(Control control) {
  return RowOf(control).perAddress;
}
constexpr ControlKind KindOf(Control control) {
  return RowOf(control).kind;
}

// Where the value of `control` (of `address` for a per-address control) sits
// in the catalogue's entries and in EditorSettings: single controls before the
// address block keep their row position, the block repeats once per address,
// the rows after it follow the sixteenth address.
constexpr std::size_t EntryIndexOf(Control control, int address = 0) {
  const auto row = static_cast<std::size_t>(control);
  const auto first = static_cast<std::size_t>(kFirstAddressControl);
  if (row < first) return row;
  if (row < first + kAddressControlCount) {
    return first + static_cast<std::size_t>(address - 1) * kAddressControlCount + (row - first);
  }
  return row + kAddressControlCount * (kAddressCount - 1);
}
inline constexpr std::size_t kEntryCount =
    EntryIndexOf(static_cast<Control>(kControlCount - 1)) + 1;

struct ControlEntry {
  std::string name;
  int fieldNumber = kNoFieldNumber;
  ControlKind kind = ControlKind::Text;
  int page = kPageGeneral;
  std::string_view label;
  std::string_view caption;  // the text a check box carries beside its box, if any
  std::span<const std::string_view> items;
  int maxLength = 0;  // 0: no limit
  KeyFilter keyFilter = KeyFilter::None;
  std::string_view hint;
  std::string_view editMask;  // masked text fields only
  bool readOnly = false;
  bool upperCase = false;
  int address = 0;  // 1..16 for the per-address controls, 0 otherwise
  Control control{};
};

class FieldCatalogue {
 public:
  // The one catalogue of the program, built on first use.
  static const FieldCatalogue& Instance();

  const std::vector<ControlEntry>& Entries() const { return entries_; }

  // nullptr when no control has that name.
  const ControlEntry* Find(std::string_view name) const;
  // Position of `name` in Entries(); -1 when unknown.
  int IndexOf(std::string_view name) const;

  // Every control numbered `fieldNumber` (two for the shared numbers 282 and 283).
  std::vector<const ControlEntry*> FindAllByField(int fieldNumber) const;
  // The control numbered `fieldNumber` on `page`; nullptr when there is none.
  const ControlEntry* FindByField(int fieldNumber, int page) const;

  // The entry of `control` (of `address` for a per-address control).
  const ControlEntry& Entry(Control control, int address = 0) const {
    return entries_[EntryIndexOf(control, address)];
  }
  // The control of `name`, with its address (0 for a single control); nothing when unknown.
  struct NamedControl {
    Control control;
    int address;
  };
  std::optional<NamedControl> ControlNamed(std::string_view name) const;
  // The single control of `name`; an unknown name or a per-address control's
  // name is a programming error and throws std::invalid_argument. For tables
  // of other layers that speak of controls by name, resolved once.
  Control SingleControlNamed(std::string_view name) const;

  // Name of `control` (of `address` for a per-address control), e.g. Capcode, 3 gives
  // "ed_capcode3".
  static std::string ControlName(Control control, int address = 0);
  static std::string AddressControlName(AddressControl control, int address) {
    return ControlName(control, address);
  }

 private:
  FieldCatalogue();
  FieldCatalogue(const FieldCatalogue&) = delete;
  FieldCatalogue& operator=(const FieldCatalogue&) = delete;

  // byName_ keys view the names held by entries_, which never changes after construction.
  std::vector<ControlEntry> entries_;
  std::unordered_map<std::string_view, int> byName_;
  std::unordered_multimap<int, int> byField_;
};

}  // namespace rer
