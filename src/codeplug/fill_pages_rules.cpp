#include "codeplug/fill_pages_rules.h"

#include "codeplug/address_codec.h"
#include "codeplug/codec_bindings.h"
#include "core/cgrom_kind.h"

namespace rer {
namespace {

constexpr int kNewAlertMenuNo = 0;
constexpr int kModelCheckWarningDisable = 0;

void ApplySlotRules(AddressSetting& slot, bool evenSlot) {
  const bool empty = ClassifyCapcode(CapcodeValue(slot.capcode), evenSlot) == AddressClass::kEmpty;
  if (empty) {
    slot.languagePointer = kLanguageAscii;
    slot.personal = false;
    slot.priority = false;
    slot.history = false;
    // The texts are emptied rather than set to "0": an address without a
    // capcode shows no frame and no cycle, as the address decode leaves it.
    slot.frame.clear();
    slot.batteryCycle.clear();
    slot.messageType = kIndividual;
    slot.ota = false;
  }
  // An address without a capcode is of no type at all: it does not claim "Group".
  if (!slot.personal && !empty) slot.messageType = kGroup;
}

}  // namespace

FilledPagesView ApplyFillPagesRules(EditorSettings& settings, int cgromType) {
  FilledPagesView view;
  view.languagePointerVisible = cgromType != kCgromNone;

  settings.SetItem(Control::cb_newAlertMenu, kNewAlertMenuNo);
  settings.SetText(Control::ed_Pager_Model, "");
  // The codeplug keeps no model check warning: until one is chosen it is off,
  // never a list without a selection.
  if (settings.Item(Control::cb_Model_Check_Warning) == kNoItem) {
    settings.SetItem(Control::cb_Model_Check_Warning, kModelCheckWarningDisable);
  }

  AddressSettings addresses = AddressSettingsOf(settings);
  std::array<std::string, kAddressCount> flexTexts;
  for (int odd = 1; odd < kAddressCount; odd += 2) {
    const int even = odd + 1;
    AddressSetting& oddSlot = addresses[static_cast<std::size_t>(odd - 1)];
    view.addressShown[static_cast<std::size_t>(odd - 1)] = true;
    ApplySlotRules(oddSlot, false);
    flexTexts[static_cast<std::size_t>(odd - 1)] = RefreshFlexAddress(addresses, odd);

    const bool evenShown =
        ClassifyCapcode(CapcodeValue(oddSlot.capcode), false) != AddressClass::kLong;
    view.addressShown[static_cast<std::size_t>(even - 1)] = evenShown;
    if (evenShown) {
      ApplySlotRules(addresses[static_cast<std::size_t>(even - 1)], true);
      flexTexts[static_cast<std::size_t>(even - 1)] = RefreshFlexAddress(addresses, even);
    }
  }
  SetAddressSettings(addresses, settings);
  for (int n = 1; n <= kAddressCount; ++n) {
    settings.SetText(AddressControl::FlexAddress, n, flexTexts[static_cast<std::size_t>(n - 1)]);
  }
  return view;
}

}  // namespace rer
