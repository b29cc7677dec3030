#pragma once
// The bit-level meaning of the option bytes, per family, as data.
//
// Each row names a group of bits of one field by the setting it carries.
// The rows of the controls come from the storage column of controls.tsv
// (ControlBitFieldRows, by control); the rows here name the settings that
// have no control of their own. The decode and encode steps walk these rows instead of spelling out
// bit positions of their own. Bits that no row names are carried through
// unchanged, except those the fixed-bit table gives a value for.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "codeplug/field_catalogue.h"
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

// The rows of the settings without a control, and the rows of the controls.
std::span<const BitFieldRow> BitFieldRows();
std::span<const BitFieldRow> ControlBitFieldRows();
std::span<const FixedBitsRow> FixedBitsRows();

// The row of `name` (of `control`) in `family`; nothing when the family has no such bits.
const BitFieldRow* FindBitField(PagerFamily family, std::string_view name);
const BitFieldRow* FindBitField(PagerFamily family, Control control);

constexpr unsigned WidthMask(const BitFieldRow& row) {
  return (1u << row.width) - 1u;
}
// The value of `row` (inversion undone), and its writing, without a look-up.
unsigned ReadBits(const ImageReader& image, const BitFieldRow& row, int index = 0);
void WriteBits(ImageFields& image, const BitFieldRow& row, unsigned value, int index = 0);

// The setting's value (inversion undone), or nothing when the family in
// force has no such bits. `index` picks the address of a per-address field.
std::optional<unsigned> ReadBitField(const ImageReader& image, std::string_view name,
                                     int index = 0);
// Stores the setting's value (inverted where the row says so, masked to the
// row's width). False, with nothing written, when the family has no such bits.
bool WriteBitField(ImageFields& image, std::string_view name, unsigned value, int index = 0);
// The same for the bits of a control.
std::optional<unsigned> ReadBitField(const ImageReader& image, Control control);
bool WriteBitField(ImageFields& image, Control control, unsigned value);

// Writes every fixed-bit constant of the family in force.
void ApplyFixedBits(ImageFields& image);

}  // namespace rer
