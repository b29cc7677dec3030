#pragma once
// The adjustment a 1 KB write makes when a codeplug made for one sub-model
// goes into a pager of another: bits 6 and 7 of option byte 1 are cleared,
// taken from the pager, or left as the codeplug has them.

#include <cstdint>

namespace rer {

// Where bits 6 and 7 of option byte 1 come from.
enum class OptionBitsSource {
  kNone,   // the adjustment does not apply: the byte stays
  kClear,  // both bits cleared
  kPager,  // the pager's own two bits
  kKeep,   // the codeplug's two bits stay
};

struct CrossModelInput {
  std::uint8_t codeplugModel = 0;     // model code the codeplug was read or loaded with
  std::uint8_t codeplugSubModel = 0;  // the codeplug's sub-model byte
  std::uint8_t pagerModel = 0;        // model code of the pager in the cradle
  bool r0406 = false;
  int pagerSubModel = 0;
};

OptionBitsSource CrossModelSource(const CrossModelInput& input);

// Option byte 1 after the adjustment; `pagerOptionBits` holds the pager's
// bits 6 and 7 in place.
std::uint8_t AdjustOptionByte(std::uint8_t optionByte, OptionBitsSource source,
                              std::uint8_t pagerOptionBits);

}  // namespace rer
