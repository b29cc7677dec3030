#include "codeplug/encode_address_settings.h"

#include <algorithm>

#include "codeplug/codec_bindings.h"

namespace rer {
namespace {

// Addresses up to this one take any non-zero personal state as ticked.
constexpr int kLastLenientPersonalAddress = 4;

// A check state that counts as ticked only when it is exactly 1.
void NormaliseStrictly(EditorSettings& settings, AddressControl control, int address) {
  settings.SetChecked(control, address, settings.CheckState(control, address) == 1);
}

void NormalisePersonal(EditorSettings& settings, int address) {
  if (address > kLastLenientPersonalAddress) {
    NormaliseStrictly(settings, AddressControl::Personal, address);
  } else {
    settings.SetChecked(AddressControl::Personal, address,
                        settings.CheckState(AddressControl::Personal, address) != 0);
  }
}

}  // namespace

AddressSettings GatherAddressSettings(EditorSettings& settings) {
  for (int address = 1; address <= kAddressCount; ++address) {
    NormalisePersonal(settings, address);
    NormaliseStrictly(settings, AddressControl::History, address);
    NormaliseStrictly(settings, AddressControl::OtaEnable, address);
  }
  AddressSettings addresses = AddressSettingsOf(settings);
  // A list without a selection stores its first item.
  for (AddressSetting& address : addresses) {
    address.alertPattern = std::max(address.alertPattern, 0);
    address.alertMode = std::max(address.alertMode, 0);
  }
  return addresses;
}

}  // namespace rer
