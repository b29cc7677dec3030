#include "codeplug/layout_bits.h"

#include <array>

#include "codeplug/control_storage.h"

namespace rer {
namespace {

using enum BitCoding;

constexpr BitFieldRow Bit(std::string_view name, Field field, int bit, BitCoding coding = kPlain,
                          FamilySet families = kBothFamilies) {
  return {name, families, field, static_cast<std::uint8_t>(bit), 1, coding};
}

constexpr BitFieldRow Bits(std::string_view name, Field field, int low, int width,
                           BitCoding coding = kPlain, FamilySet families = kBothFamilies) {
  return {name,  families, field, static_cast<std::uint8_t>(low), static_cast<std::uint8_t>(width),
          coding};
}

// The settings without a control of their own. The controls' bits are in
// the storage column of controls.tsv.
constexpr auto kBitFields = std::to_array<BitFieldRow>({
    // Wrong-try counters of the password checks.
    Bits("LocalWrongTries", Field::kStatusByte, 4, 3),
    Bit("ManyWrongTries", Field::kStatusByte, 3),
    Bits("SecureWrongTries", Field::kStatusByte, 0, 3),

    // 4 KB codeplugs up to 4.6.4 keep the two password enables here instead
    // of option byte 1 bits 2 and 1.
    Bit("LocalPasswordEnableUpTo464", Field::kOptionByte1, 0, kPlain, kOnly4K),
    Bit("SecurePasswordEnableUpTo464", Field::kFeatureOptions, 7, kPlain, kOnly4K),

    Bit("ToneOnlySource5to8", Field::kClockOptions, 2),
    Bit("IdeoPrompts", Field::kClockOptions, 1),
    Bit("LargeMemory", Field::kRetentionOptions, 3),
    Bit("ToneOnlySource1to4", Field::kToneOnlySource, 6),

    // 1-16 names a language; 0 and any other value mean none.
    Bits("PromptLanguage", Field::kLanguageByte, 3, 5, kCoded),
    Bits("PrinterCodeCopy", Field::kDecodingOptions, 0, 5),
    Bits("IdeoRomCode", Field::kIdeoRomCode, 0, 4),

    Bit("SynthTypeFS8308", Field::kBandByte, 2, kPlain, kOnly1K),
    // 2 = high side; the encode step writes 1 or 2.
    Bits("InjectionSide", Field::kBandByte, 0, 2, kCoded),

    // Set when the alert duration is item 2.
    Bit("AlertDurationLong", Field::kReminderDurationOptions, 0, kPlain, kOnly4K),
    // Key presses minus 2.
    Bits("UserPasswordKeyCount", Field::kUserPasswordOptions, 5, 3, kCoded, kOnly4K),

    // Per address (index = address - 1).
    Bits("AddressOption.language", Field::kAddressOptionByte, 6, 2, kCoded),
    Bit("AddressOption.personal", Field::kAddressOptionByte, 5),
    Bit("AddressOption.messageType", Field::kAddressOptionByte, 4),
    Bit("AddressOption.priority", Field::kAddressOptionByte, 3),
    Bits("AddressOption.batteryCycle", Field::kAddressOptionByte, 0, 3),
    Bits("AlertWord.pattern", Field::kAlertWord, 8, 8, kCoded, kOnly4K),
    Bit("AlertWord.onOffDuty", Field::kAlertWord, 6, kPlain, kOnly4K),
    Bit("AlertWord.fixAlert", Field::kAlertWord, 5, kPlain, kOnly4K),
    Bit("AlertWord.escalating", Field::kAlertWord, 4, kPlain, kOnly4K),
    Bit("AlertWord.interruptVib", Field::kAlertWord, 3, kPlain, kOnly4K),
    Bits("AlertWord.mode", Field::kAlertWord, 0, 3, kCoded, kOnly4K),
});

constexpr FixedBitsRow Fixed(Field field, std::uint16_t mask, std::uint16_t value,
                             FamilySet families = kBothFamilies) {
  return {families, field, mask, value};
}

constexpr auto kFixedBits = std::to_array<FixedBitsRow>({
    // 1 KB: bit 5 always 1, bits 3 and 0 always 0. 4 KB: bits 7, 5, 3, 0 are 0
    // (the encode step writes the newer password arrangement).
    Fixed(Field::kOptionByte1, 0x29, 0x20, kOnly1K),
    Fixed(Field::kOptionByte1, 0xA9, 0x00, kOnly4K),
    // Only bit 3 (and bit 4 in the 4 KB family) carry settings.
    Fixed(Field::kFeatureOptions, 0xF7, 0x00, kOnly1K),
    Fixed(Field::kFeatureOptions, 0xE7, 0x00, kOnly4K),
    Fixed(Field::kAlertOptions, 0x10, 0x00),
    Fixed(Field::kPrintOptions, 0x08, 0x00),
    Fixed(Field::kLanguageByte, 0x07, 0x00),
    Fixed(Field::kSilentRfOptions, 0x7F, 0x00, kOnly4K),
    Fixed(Field::kDecodingOptions, 0x60, 0x00),
    Fixed(Field::kBatteryGaugeLevels, 0x000F, 0x0000),
    Fixed(Field::kDefaultReminderPattern, 0xF0, 0x00, kOnly4K),
    Fixed(Field::kDefaultReminderOptions, 0xC0, 0x00, kOnly4K),
    Fixed(Field::kDutyOptions, 0x14, 0x00, kOnly4K),
    Fixed(Field::kReminderDurationOptions, 0xF0, 0x00, kOnly4K),
    Fixed(Field::kUserPasswordOptions, 0x07, 0x00, kOnly4K),
    Fixed(Field::kAlertWord, 0x0080, 0x0000, kOnly4K),
});

}  // namespace

bool InFamilySet(FamilySet set, PagerFamily family) {
  const unsigned bit = family == PagerFamily::k1K ? kOnly1K : kOnly4K;
  return (set & bit) != 0;
}

std::span<const BitFieldRow> BitFieldRows() {
  return kBitFields;
}
std::span<const FixedBitsRow> FixedBitsRows() {
  return kFixedBits;
}

std::span<const BitFieldRow> ControlBitFieldRows() {
  return control_storage::kBitRows;
}

const BitFieldRow* FindBitField(PagerFamily family, std::string_view name) {
  for (const BitFieldRow& row : kBitFields) {
    if (row.name == name && InFamilySet(row.families, family)) return &row;
  }
  for (const BitFieldRow& row : control_storage::kBitRows) {
    if (row.name == name && InFamilySet(row.families, family)) return &row;
  }
  return nullptr;
}

const BitFieldRow* FindBitField(PagerFamily family, Control control) {
  const auto& index = control_storage::kIndex[static_cast<std::size_t>(control)];
  for (std::size_t i = index.firstBitRow; i < index.firstBitRow + index.bitRowCount; ++i) {
    const BitFieldRow& row = control_storage::kBitRows[i];
    if (InFamilySet(row.families, family)) return &row;
  }
  return nullptr;
}

namespace {

template <typename Key>
const BitFieldRow* RowInForce(const ImageReader& image, Key key, int index) {
  const auto family = image.layout().Family();
  if (!family) return nullptr;
  const BitFieldRow* row = FindBitField(*family, key);
  if (!row || !image.Has(FieldRef(row->field, index))) return nullptr;
  return row;
}

}  // namespace

std::optional<unsigned> ReadBitField(const ImageReader& image, std::string_view name, int index) {
  const BitFieldRow* row = RowInForce(image, name, index);
  if (!row) return std::nullopt;
  return ReadBits(image, *row, index);
}

bool WriteBitField(ImageFields& image, std::string_view name, unsigned value, int index) {
  const BitFieldRow* row = RowInForce(image, name, index);
  if (!row) return false;
  WriteBits(image, *row, value, index);
  return true;
}

std::optional<unsigned> ReadBitField(const ImageReader& image, Control control) {
  const BitFieldRow* row = RowInForce(image, control, 0);
  if (!row) return std::nullopt;
  return ReadBits(image, *row, 0);
}

bool WriteBitField(ImageFields& image, Control control, unsigned value) {
  const BitFieldRow* row = RowInForce(image, control, 0);
  if (!row) return false;
  WriteBits(image, *row, value, 0);
  return true;
}

unsigned ReadBits(const ImageReader& image, const BitFieldRow& row, int index) {
  const unsigned bits = image.Bits(FieldRef(row.field, index), row.low, row.width);
  return row.coding == BitCoding::kInverted ? (bits ^ WidthMask(row)) : bits;
}

void WriteBits(ImageFields& image, const BitFieldRow& row, unsigned value, int index) {
  unsigned bits = value & WidthMask(row);
  if (row.coding == BitCoding::kInverted) bits ^= WidthMask(row);
  image.SetBits(FieldRef(row.field, index), row.low, row.width, bits);
}

void ApplyFixedBits(ImageFields& image) {
  const auto family = image.layout().Family();
  if (!family) return;
  for (const FixedBitsRow& row : kFixedBits) {
    if (!InFamilySet(row.families, *family)) continue;
    const int count = image.layout().Place(row.field).count;
    for (int index = 0; index < count; ++index) {
      const FieldRef ref(row.field, index);
      image.SetValue(ref, (image.Value(ref) & ~row.mask) | (row.value & row.mask));
    }
  }
}

}  // namespace rer
