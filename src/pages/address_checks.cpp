#include "pages/address_checks.h"

namespace rer {
namespace {

constexpr std::uint32_t kBlockSpan = 3;  // capcodes above address 1 that share its frame
constexpr std::uint32_t kCapcodesPerFrame = 16;
constexpr std::uint32_t kFrameCount = 128;
constexpr int kAddressesPerTab = 4;
constexpr int kFourAddressModelCount = 4;

std::uint32_t ValueOf(const EditorSettings& settings, int address) {
  return CapcodeValue(settings.Text(AddressControl::Capcode, address));
}

// What the page check demands of one address, by its place on its tab.
bool AddressPasses(const EditorSettings& settings, int address) {
  const int place = (address - 1) % kAddressesPerTab;  // 0..3 on the tab
  const bool firstTab = address <= kAddressesPerTab;
  const AddressClass own = ClassifyCapcode(ValueOf(settings, address), false);
  switch (place) {
    case 0:
      if (firstTab) return own != AddressClass::kEmpty && own != AddressClass::kInvalid;
      return own != AddressClass::kInvalid;
    case 2:
      return own != AddressClass::kInvalid;
    default: {
      // An even address is a slot of its own only after a short address (on
      // the later tabs also after an empty one); after a long one it is the
      // second half of that address and holds nothing to test.
      const AddressClass before = ClassifyCapcode(ValueOf(settings, address - 1), false);
      const bool tested =
          before == AddressClass::kShort || (!firstTab && before == AddressClass::kEmpty);
      if (!tested) return true;
      return ClassifyCapcode(ValueOf(settings, address), true) != AddressClass::kInvalid;
    }
  }
}

}  // namespace

std::uint32_t DerivedFrame(std::uint32_t value, std::uint32_t firstCapcode) {
  const bool sharesFirstFrame = value >= firstCapcode && value - firstCapcode <= kBlockSpan;
  const std::uint32_t base = sharesFirstFrame ? firstCapcode : value;
  return (base / kCapcodesPerFrame) % kFrameCount;
}

AddressClass ClassOfAddress(const EditorSettings& settings, int address) {
  return ClassifyCapcode(ValueOf(settings, address), address % 2 == 0);
}

int CheckAddressPages(const EditorSettings& settings, int* failingAddress) {
  for (int address = 1; address <= kAddressCount; ++address) {
    if (!AddressPasses(settings, address)) {
      if (failingAddress != nullptr) *failingAddress = address;
      return kInvalidAddressCode;
    }
  }
  return 0;
}

int CheckAddressTab(const EditorSettings& settings, int tab, int* failingAddress) {
  const int first = (tab - 1) * kAddressesPerTab + 1;
  for (int address = first; address < first + kAddressesPerTab; ++address) {
    if (!AddressPasses(settings, address)) {
      if (failingAddress != nullptr) *failingAddress = address;
      return kInvalidAddressCode;
    }
  }
  return 0;
}

int CheckDuplicateCapcodes(const EditorSettings& settings, std::uint8_t modelCode) {
  const int count = modelCode == kFourAddressModel ? kFourAddressModelCount : kAddressCount;
  for (int address = 2; address <= count; ++address) {
    const std::uint32_t value = ValueOf(settings, address);
    if (ClassOfAddress(settings, address) == AddressClass::kEmpty) continue;
    for (int earlier = 1; earlier < address; ++earlier) {
      if (ClassOfAddress(settings, earlier) == AddressClass::kEmpty) continue;
      if (ValueOf(settings, earlier) == value) return kDuplicateCodes;
    }
  }
  return 0;
}

int RunAddressChecks(const EditorSettings& settings, std::uint8_t modelCode, UserInterface& ui) {
  int result = CheckAddressPages(settings);
  if (result == 0) result = CheckDuplicateCapcodes(settings, modelCode);
  if (result != 0) ui.ShowError(result);
  return result;
}

}  // namespace rer
