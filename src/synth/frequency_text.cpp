#include "synth/frequency_text.h"

#include <limits>

namespace rer {
namespace {

constexpr int kHzDigits = 6;  // decimal places of a megahertz value that are whole hertz

}  // namespace

std::optional<std::uint32_t> HzOfFrequencyText(std::string_view text) {
  std::uint64_t hz = 0;
  bool sawDigit = false;
  bool afterPoint = false;
  int fractionDigits = 0;
  bool belowOneHz = false;  // a non-zero digit past the last whole-hertz place
  for (char c : text) {
    if (c == '.' && !afterPoint) {
      afterPoint = true;
      continue;
    }
    if (c == ' ') c = '0';
    if (c < '0' || c > '9') return std::nullopt;
    sawDigit = true;
    const int digit = c - '0';
    if (afterPoint && fractionDigits >= kHzDigits) {
      belowOneHz = belowOneHz || digit != 0;
      continue;
    }
    if (afterPoint) ++fractionDigits;
    hz = hz * 10 + static_cast<std::uint64_t>(digit);
    if (hz > std::numeric_limits<std::uint32_t>::max() * 10ull) return std::nullopt;
  }
  if (!sawDigit) return std::nullopt;
  for (; fractionDigits < kHzDigits; ++fractionDigits) hz *= 10;
  if (belowOneHz) ++hz;
  if (hz > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return static_cast<std::uint32_t>(hz);
}

}  // namespace rer
