#include "pager/link_state.h"

#include <algorithm>
#include <string_view>

#include "codeplug/layout_codes.h"
#include "core/canned_range.h"
#include "core/text.h"
#include "pager/password_scramble.h"

namespace rer {
namespace {

struct FirmwareFlag {
  std::string_view name;
  bool LinkState::*flag;
  bool early;  // also refreshed by the compact engine
};

constexpr FirmwareFlag kFirmwareFlags[] = {
    {"R0402", &LinkState::R0402, true},  {"R0403", &LinkState::R0403, true},
    {"R0404", &LinkState::R0404, true},  {"R0406", &LinkState::R0406, true},
    {"R0407", &LinkState::R0407, false}, {"R0408", &LinkState::R0408, false},
    {"R0409", &LinkState::R0409, false}, {"R0501", &LinkState::R0501, false},
    {"R0502", &LinkState::R0502, false},
};

struct VariantFlag {
  std::string_view tail;  // characters 9-15 of the identity reply
  std::string_view name;
  bool LinkState::*flag;
};

constexpr VariantFlag kVariantFlags[] = {
    {"1 R0501", "Variant1R0501", &LinkState::Variant1R0501},
    {"2 R0501", "Variant2R0501", &LinkState::Variant2R0501},
    {"3 R0501", "Variant3R0501", &LinkState::Variant3R0501},
};

// Positions in the identity reply, counted from 0.
constexpr std::size_t kFirmwareOffset = 9;
constexpr std::size_t kFirmwareLength = 6;
constexpr std::size_t kVariantOffset = 8;
constexpr std::size_t kVariantLength = 7;

std::string TextOf(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t length) {
  std::string text;
  for (std::size_t i = offset; i < offset + length && i < bytes.size(); ++i) {
    text.push_back(static_cast<char>(bytes[i]));
  }
  return text;
}

}  // namespace

void ApplyIdentityReply(LinkState& state, std::span<const std::uint8_t> reply,
                        IdentityScope scope) {
  state.ModelWord = state.ModelCode;
  state.FirmwareVersion = TextOf(reply, kFirmwareOffset, kFirmwareLength);
  for (const FirmwareFlag& f : kFirmwareFlags) {
    if (scope == IdentityScope::kEarlyFirmware && !f.early) continue;
    state.*f.flag = state.FirmwareVersion.find(f.name) != std::string::npos;
  }
  if (scope == IdentityScope::kEarlyFirmware) return;
  const std::string tail = TextOf(reply, kVariantOffset, kVariantLength);
  for (const VariantFlag& v : kVariantFlags) {
    if (scope == IdentityScope::kFirstVariant && v.flag != &LinkState::Variant1R0501) continue;
    state.*v.flag = tail == v.tail;
  }
}

std::vector<std::string> SetFirmwareFlagNames(const LinkState& state) {
  std::vector<std::string> names;
  for (const FirmwareFlag& f : kFirmwareFlags) {
    if (state.*f.flag) names.emplace_back(f.name);
  }
  for (const VariantFlag& v : kVariantFlags) {
    if (state.*v.flag) names.emplace_back(v.name);
  }
  return names;
}

void ApplyCgromReply(LinkState& state, std::span<const std::uint8_t> reply) {
  const std::uint8_t first = reply.size() > 0 ? reply[0] : 0;
  const std::uint8_t second = reply.size() > 1 ? reply[1] : 0;
  // A Chinese ROM comes with its canned-message range as the default.
  auto setRange = [&] {
    const CannedRange& range = CannedRangeOf(state.CgromType);
    state.CannedRangeStart = CannedTextOfWord(range.first);
    state.CannedRangeEnd = CannedTextOfWord(range.last);
  };
  switch (first) {
    case 'T':
      if (second == '1' || second == '2') {
        state.CgromType = kCgromOther;
      } else {
        state.CgromType = kCgromTraditionalChinese;
        setRange();
      }
      break;
    case 'P':
      state.CgromType = kCgromSimplifiedChinese;
      setRange();
      break;
    case 'H':
      state.CgromType = kCgromOther;
      break;
    case 0xFF:
      state.CgromType = kCgromNone;
      break;
    default:
      state.CgromType = kCgromUnrecognised;
      break;
  }
}

void SetPagerPasswordText(LinkState& state, const std::string& typed) {
  const std::string scrambled = ScramblePassword(PadRight(ToUpper(typed), kPagerPasswordLength));
  std::copy_n(scrambled.begin(), kPagerPasswordLength, state.PagerPassword.begin());
}

}  // namespace rer
