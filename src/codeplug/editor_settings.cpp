#include "codeplug/editor_settings.h"

#include <stdexcept>
#include <utility>

namespace rer {
namespace {

// The factory carried region: thirteen triples B3 07 00, then 03 81.
constexpr std::array<std::uint8_t, 3> kFactoryTriple = {0xB3, 0x07, 0x00};
constexpr std::size_t kFactoryTripleCount = 13;
constexpr std::array<std::uint8_t, 2> kFactoryTail = {0x03, 0x81};
static_assert(kFactoryTripleCount * kFactoryTriple.size() + kFactoryTail.size() ==
              kCarriedRegionLength);

}  // namespace

std::array<std::uint8_t, kCarriedRegionLength> FactoryCarriedRegion() {
  std::array<std::uint8_t, kCarriedRegionLength> region{};
  std::size_t at = 0;
  for (std::size_t i = 0; i < kFactoryTripleCount; ++i) {
    for (std::uint8_t byte : kFactoryTriple) region[at++] = byte;
  }
  for (std::uint8_t byte : kFactoryTail) region[at++] = byte;
  return region;
}

EditorSettings::EditorSettings() : carriedRegion(FactoryCarriedRegion()) {
  pleasingAlertTune.fill(kDefaultPleasingNote);
  values_.resize(kEntryCount);
  const auto& entries = FieldCatalogue::Instance().Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].kind == ControlKind::List) values_[i].number = kNoItem;
  }
}

bool EditorSettings::Allows(ControlKind kind, Access access) {
  switch (access) {
    case Access::Text:
      return kind == ControlKind::Text || kind == ControlKind::MaskedText;
    case Access::Item:
      return kind == ControlKind::List;
    case Access::Check:
      return kind == ControlKind::CheckBox;
    case Access::Any:
      return true;
  }
  return false;
}

void EditorSettings::Refuse(Control control, int address) {
  const ControlRow& row = RowOf(control);
  if (row.perAddress ? (address < 1 || address > kAddressCount) : address != 0) {
    throw std::invalid_argument("editing control " + std::string(row.name) + " has no address " +
                                std::to_string(address));
  }
  throw std::invalid_argument("editing control " + FieldCatalogue::ControlName(control, address) +
                              " holds another kind of value");
}

ControlValue& EditorSettings::Slot(std::string_view name, Access access) {
  return const_cast<ControlValue&>(std::as_const(*this).Slot(name, access));
}

const ControlValue& EditorSettings::Slot(std::string_view name, Access access) const {
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  int index = catalogue.IndexOf(name);
  if (index < 0) {
    throw std::invalid_argument("no editing control named " + std::string(name));
  }
  ControlKind kind = catalogue.Entries()[static_cast<std::size_t>(index)].kind;
  if (!Allows(kind, access)) {
    throw std::invalid_argument("editing control " + std::string(name) +
                                " holds another kind of value");
  }
  return values_[static_cast<std::size_t>(index)];
}

const std::string& EditorSettings::Text(std::string_view name) const {
  return Slot(name, Access::Text).text;
}
void EditorSettings::SetText(std::string_view name, std::string text) {
  Slot(name, Access::Text).text = std::move(text);
}
int EditorSettings::Item(std::string_view name) const {
  return Slot(name, Access::Item).number;
}
void EditorSettings::SetItem(std::string_view name, int item) {
  Slot(name, Access::Item).number = item;
}
int EditorSettings::CheckState(std::string_view name) const {
  return Slot(name, Access::Check).number;
}
void EditorSettings::SetCheckState(std::string_view name, int state) {
  Slot(name, Access::Check).number = state;
}

}  // namespace rer
