#pragma once
// The bit-level meaning of the option bytes, per family, as data.
//
// Each row names a group of bits of one field by the setting it carries:
// the control name where the setting has a control, otherwise a descriptive
// name. The decode and encode steps walk these rows instead of spelling out
// bit positions of their own. Bits that no row names are carried through
// unchanged, except those the fixed-bit table gives a value for.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "codeplug/image_fields.h"

namespace rer {

enum FamilySet : std::uint8_t { kOnly1K = 1, kOnly4K = 2, kBothFamilies = 3 };

bool InFamilySet(FamilySet set, PagerFamily family);

// How the setting's value relates to the stored bits.
enum class BitCoding : std::uint8_t {
  kPlain,     // value = the bits
  kInverted,  // a single bit that is set when the setting is off
  kCoded,     // the bits need the conversion their owner documents
};

struct BitFieldRow {
  std::string_view name;
  FamilySet families;
  Field field;
  std::uint8_t low;    // lowest bit, counted in the field's value (a 2-byte
  std::uint8_t width;  // field counts 0-15, most significant byte's bits high)
  BitCoding coding;
};

// A constant that the encode step writes into some bits of a field (for a
// repeated field, into every element).
struct FixedBitsRow {
  FamilySet families;
  Field field;
  std::uint16_t mask;
  std::uint16_t value;
};

std::span<const BitFieldRow> BitFieldRows();
std::span<const FixedBitsRow> FixedBitsRows();

// The row of `name` in `family`; nothing when the family has no such bits.
const BitFieldRow* FindBitField(PagerFamily family, std::string_view name);

// The setting's value (inversion undone), or nothing when the family in
// force has no such bits. `index` picks the address of a per-address field.
std::optional<unsigned> ReadBitField(const ImageReader& image, std::string_view name,
                                     int index = 0);
// Stores the setting's value (inverted where the row says so, masked to the
// row's width). False, with nothing written, when the family has no such bits.
bool WriteBitField(ImageFields& image, std::string_view name, unsigned value, int index = 0);

// Writes every fixed-bit constant of the family in force.
void ApplyFixedBits(ImageFields& image);

}  // namespace rer
