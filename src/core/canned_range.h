#pragma once
// The codes a canned message may start and end at: characters of the pager's
// ideographic ROM, given as their 7-bit row and column. A Traditional
// Chinese ROM holds them at 0x3321..0x3F7E, every other ROM at
// 0x7821..0x7D47. The same bounds are the range a freshly ticked canned
// message box gets, and the range the program sequence falls back to.

#include <cstdint>

#include "core/cgrom_kind.h"

namespace rer {

struct CannedRange {
  std::uint16_t first;
  std::uint16_t last;

  constexpr bool Holds(std::uint16_t code) const { return code >= first && code <= last; }
};

inline constexpr CannedRange kTraditionalCannedRange{0x3321, 0x3F7E};
inline constexpr CannedRange kOtherCannedRange{0x7821, 0x7D47};

// The range of the pager whose character generator is `cgromType`.
constexpr const CannedRange& CannedRangeOf(int cgromType) {
  return cgromType == kCgromTraditionalChinese ? kTraditionalCannedRange : kOtherCannedRange;
}

// Both range fields hold this when the pager keeps no canned messages.
inline constexpr char kNoCannedRangeText[] = "0000";

}  // namespace rer
