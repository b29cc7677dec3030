#pragma once
// The two pager families. Image length, layout and many rules follow the
// family alone, and the family follows from the pager's model code.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace rer {

enum class PagerFamily { k1K, k4K };

// The 1 KB model with four addresses: no maildrop notebook, no memory
// partition texts, no clock to set, and only the serial number to enter.
inline constexpr std::uint8_t kFourAddressModel = 0x40;

// The family of a model code; nothing for a code that belongs to neither.
std::optional<PagerFamily> FamilyOfModel(std::uint8_t modelCode);

// True for the 4 KB model codes only (0x84, 0x88, 0xD0, 0xD1).
bool Is4KFamily(std::uint8_t modelCode);
// True for the 1 KB model codes only (0x81, 0x89, 0xC0).
bool Is1KFamily(std::uint8_t modelCode);

// Number of image bytes the family uses (1024 or 4096).
std::size_t ImageLength(PagerFamily family);

}  // namespace rer
