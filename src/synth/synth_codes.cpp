#include "synth/synth_codes.h"

#include <algorithm>

namespace rer {
namespace {

template <std::size_t Size>
std::optional<std::uint8_t> CodeOf(const std::array<std::uint32_t, Size>& table,
                                   std::uint32_t value) {
  const auto found = std::find(table.begin(), table.end(), value);
  if (found == table.end()) return std::nullopt;
  return static_cast<std::uint8_t>(found - table.begin());
}

}  // namespace

const RegisterFormat& RegisterFormatOf(int type) {
  if (type < 0 || type >= kSynthTypeCount) return kRegisterFormats[0];
  return kRegisterFormats[static_cast<std::size_t>(type)];
}

std::optional<std::uint8_t> IfCodeOf(std::uint32_t ifHz) {
  return CodeOf(kIfHzByCode, ifHz);
}
std::optional<std::uint8_t> StepCodeOf(std::uint32_t stepHz) {
  return CodeOf(kStepHzByCode, stepHz);
}
std::optional<std::uint8_t> RefCodeOf(std::uint32_t refHz) {
  return CodeOf(kRefHzByCode, refHz);
}

}  // namespace rer
