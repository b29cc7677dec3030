#include "pages/sequential_programming.h"

#include <array>
#include <cctype>

#include "codeplug/address_codec.h"
#include "core/text.h"
#include "pages/address_checks.h"

namespace rer {
namespace {

constexpr std::size_t kCapcodeDigits = 7;
constexpr std::size_t kInventoryNumberLength = 10;
constexpr std::string_view kDefaultBatteryCycle = "4";

// Each capcode range and how far an advance past its end wraps back.
struct WrapRule {
  std::uint32_t first;
  std::uint32_t last;
  std::uint32_t wrap;
};
constexpr std::array<WrapRule, 3> kWrapRules = {{
    {1, 1933312, 1933312},
    {2009088, 2025471, 16384},
    {2101249, 999999999, 997898751},
}};

bool IsGroup(const EditorSettings& settings, int address) {
  return settings.Item(AddressControl::MessageType, address) == kGroup;
}

std::uint32_t ValueOf(const EditorSettings& settings, int address) {
  return CapcodeValue(settings.Text(AddressControl::Capcode, address));
}

AddressSettings FlexInputs(const EditorSettings& settings) {
  AddressSettings addresses;
  for (int n = 1; n <= kAddressCount; ++n) {
    AddressSetting& a = addresses[static_cast<std::size_t>(n - 1)];
    a.capcode = settings.Text(AddressControl::Capcode, n);
    a.frame = settings.Text(AddressControl::Frame, n);
    a.batteryCycle = settings.Text(AddressControl::Collapse, n);
    a.messageType = settings.Item(AddressControl::MessageType, n);
  }
  return addresses;
}

}  // namespace

SequentialStep ComputeSequentialStep(const EditorSettings& settings) {
  SequentialStep result;
  const std::uint64_t first = ValueOf(settings, 1);
  for (int address = 2; address <= kAddressCount; ++address) {
    const std::uint32_t value = ValueOf(settings, address);
    if (value == 0) continue;
    const bool continuesBlock = value == first + static_cast<std::uint64_t>(result.step);
    if (IsGroup(settings, address)) {
      if (continuesBlock) result.conflict = true;
    } else if (continuesBlock) {
      ++result.step;
    } else {
      result.conflict = true;
    }
  }
  return result;
}

std::uint32_t AdvanceCapcode(std::uint32_t value, std::uint32_t step) {
  const std::uint64_t advanced = static_cast<std::uint64_t>(value) + step;
  for (const WrapRule& rule : kWrapRules) {
    if (value < rule.first || value > rule.last) continue;
    return static_cast<std::uint32_t>(advanced > rule.last ? advanced - rule.wrap : advanced);
  }
  // Above the long range's wrap point: the long wrap still applies.
  const WrapRule& longRange = kWrapRules.back();
  if (value > longRange.last) return static_cast<std::uint32_t>(advanced - longRange.wrap);
  return static_cast<std::uint32_t>(advanced);
}

std::string AdvanceInventoryNumber(std::string_view number) {
  std::string text = TrimRight(number);
  std::size_t start = text.size();
  while (start > 0 && std::isdigit(static_cast<unsigned char>(text[start - 1]))) --start;
  if (start == text.size()) return text;

  std::string counter = text.substr(start);
  int position = static_cast<int>(counter.size()) - 1;
  while (position >= 0 && counter[static_cast<std::size_t>(position)] == '9') {
    counter[static_cast<std::size_t>(position)] = '0';
    --position;
  }
  if (position >= 0) {
    ++counter[static_cast<std::size_t>(position)];
  } else if (text.size() < kInventoryNumberLength) {
    counter.insert(counter.begin(), '1');
  }
  return text.substr(0, start) + counter;
}

bool SequentialAdvancePossible(const EditorSettings& settings) {
  for (int address = 1; address <= kAddressCount; ++address) {
    if (ClassOfAddress(settings, address) == AddressClass::kInvalid) return false;
  }
  return CheckDuplicateCapcodes(settings, 0) == 0;
}

bool SequentialCheck(const EditorSettings& settings, UserInterface& ui) {
  if (!ComputeSequentialStep(settings).conflict) return true;
  return ui.AskQuestion(kQuestionSequentialDuplicates) != kResultNo;
}

SequentialStep AdvanceSequentialAddresses(EditorSettings& settings) {
  const SequentialStep plan = ComputeSequentialStep(settings);

  // Which addresses move, and by how much, is decided on the capcodes as they
  // were; only then are they changed.
  const std::uint64_t first = ValueOf(settings, 1);
  std::array<std::uint32_t, kAddressCount> steps{};
  int nextInBlock = 1;
  for (int address = 1; address <= kAddressCount; ++address) {
    const std::uint32_t value = ValueOf(settings, address);
    if (value == 0) continue;
    if (address == 1) {
      steps[0] = static_cast<std::uint32_t>(plan.step);
    } else if (!IsGroup(settings, address)) {
      const bool inBlock = value == first + static_cast<std::uint64_t>(nextInBlock);
      if (inBlock) ++nextInBlock;
      steps[static_cast<std::size_t>(address - 1)] =
          inBlock ? static_cast<std::uint32_t>(plan.step) : 1;
    }
  }

  for (int address = 1; address <= kAddressCount; ++address) {
    const std::uint32_t step = steps[static_cast<std::size_t>(address - 1)];
    if (step == 0) continue;
    const std::uint32_t advanced = AdvanceCapcode(ValueOf(settings, address), step);
    settings.SetText(AddressControl::Capcode, address,
                     ZeroPad(std::to_string(advanced), kCapcodeDigits));
  }
  // The frames follow the new address 1, so they are derived after every
  // capcode has moved.
  const std::uint32_t newFirst = ValueOf(settings, 1);
  for (int address = 1; address <= kAddressCount; ++address) {
    if (steps[static_cast<std::size_t>(address - 1)] == 0) continue;
    const std::uint32_t frame = DerivedFrame(ValueOf(settings, address), newFirst);
    settings.SetText(AddressControl::Frame, address, ThreeDigits(static_cast<int>(frame)));
    settings.SetText(AddressControl::Collapse, address, std::string(kDefaultBatteryCycle));
  }
  AddressSettings flexInputs = FlexInputs(settings);
  for (int address = 1; address <= kAddressCount; ++address) {
    settings.SetText(AddressControl::FlexAddress, address, RefreshFlexAddress(flexInputs, address));
  }

  settings.SetText(Control::ed_ICN, AdvanceInventoryNumber(settings.Text(Control::ed_ICN)));
  return plan;
}

}  // namespace rer
