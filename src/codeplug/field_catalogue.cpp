#include "codeplug/field_catalogue.h"

#include <cstdio>
#include <stdexcept>

namespace rer {
namespace {

std::string ExpandName(std::string_view nameTemplate, int address) {
  constexpr std::string_view kPlaceholders[] = {"{nn}", "{n}", "{lang}"};
  for (std::string_view placeholder : kPlaceholders) {
    std::size_t at = nameTemplate.find(placeholder);
    if (at == std::string_view::npos) continue;
    std::string number;
    if (placeholder == "{nn}") {
      char buffer[4];
      std::snprintf(buffer, sizeof buffer, "%02d", address);
      number = buffer;
    } else if (placeholder == "{lang}" && address <= 4) {
      number = std::string(1, static_cast<char>('a' + address - 1));
    } else {
      number = std::to_string(address);
    }
    std::string name(nameTemplate.substr(0, at));
    name += number;
    name += nameTemplate.substr(at + placeholder.size());
    return name;
  }
  return std::string(nameTemplate);
}

ControlEntry EntryOf(Control control, int address) {
  const ControlRow& row = RowOf(control);
  ControlEntry entry;
  entry.name = ExpandName(row.name, address);
  entry.fieldNumber = row.field == kNoFieldNumber || address == 0
                          ? row.field
                          : row.field + row.fieldStride * (address - 1);
  entry.kind = row.kind;
  entry.page = row.perAddress ? kPageCode1To4 + (address - 1) / kAddressesPerPage : row.page;
  entry.label = row.label;
  entry.caption = row.caption;
  entry.items = row.items;
  entry.maxLength = (row.perAddress && address % 2 == 0 && row.maxLengthEvenAddress != 0)
                        ? row.maxLengthEvenAddress
                        : row.maxLength;
  entry.keyFilter = row.keyFilter;
  entry.hint = row.hint;
  entry.editMask = row.editMask;
  entry.readOnly = row.readOnly;
  entry.upperCase = row.upperCase;
  entry.address = address;
  entry.control = control;
  return entry;
}

}  // namespace

const FieldCatalogue& FieldCatalogue::Instance() {
  static const FieldCatalogue catalogue;
  return catalogue;
}

FieldCatalogue::FieldCatalogue() {
  // Row order, the address block once per address, so that a page built from
  // the catalogue lists its controls in tab order.
  entries_.resize(kEntryCount);
  for (std::size_t row = 0; row < kControlCount; ++row) {
    const auto control = static_cast<Control>(row);
    if (IsPerAddress(control)) {
      for (int address = 1; address <= kAddressCount; ++address) {
        entries_[EntryIndexOf(control, address)] = EntryOf(control, address);
      }
    } else {
      entries_[EntryIndexOf(control)] = EntryOf(control, 0);
    }
  }
  for (int index = 0; index < static_cast<int>(entries_.size()); ++index) {
    const ControlEntry& entry = entries_[index];
    byName_.emplace(entry.name, index);
    if (entry.fieldNumber != kNoFieldNumber) byField_.emplace(entry.fieldNumber, index);
  }
}

const ControlEntry* FieldCatalogue::Find(std::string_view name) const {
  int index = IndexOf(name);
  return index < 0 ? nullptr : &entries_[index];
}

int FieldCatalogue::IndexOf(std::string_view name) const {
  auto found = byName_.find(name);
  return found == byName_.end() ? -1 : found->second;
}

std::optional<FieldCatalogue::NamedControl> FieldCatalogue::ControlNamed(
    std::string_view name) const {
  const ControlEntry* entry = Find(name);
  if (!entry) return std::nullopt;
  return NamedControl{entry->control, entry->address};
}

Control FieldCatalogue::SingleControlNamed(std::string_view name) const {
  const auto named = ControlNamed(name);
  if (!named || named->address != 0) {
    throw std::invalid_argument("no single editing control named " + std::string(name));
  }
  return named->control;
}

std::vector<const ControlEntry*> FieldCatalogue::FindAllByField(int fieldNumber) const {
  std::vector<const ControlEntry*> found;
  auto [first, last] = byField_.equal_range(fieldNumber);
  for (auto it = first; it != last; ++it) found.push_back(&entries_[it->second]);
  return found;
}

const ControlEntry* FieldCatalogue::FindByField(int fieldNumber, int page) const {
  auto [first, last] = byField_.equal_range(fieldNumber);
  for (auto it = first; it != last; ++it) {
    if (entries_[it->second].page == page) return &entries_[it->second];
  }
  return nullptr;
}

std::string FieldCatalogue::ControlName(Control control, int address) {
  return ExpandName(RowOf(control).name, address);
}

}  // namespace rer
