#pragma once
// Where every field of the codeplug lies, per pager family, and which
// family's arrangement is in force.
//
// The two arrangements are constant data (layout_table.cpp holds them as one
// table with a column per family); a `Layout` names the one in force. Readers
// and writers of the image take every position from here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "codeplug/pager_family.h"

namespace rer {

// Every named field of the image. Fields marked "4 KB" or "1 KB" exist in
// that family only; the other family's table has no place for them.
enum class Field : std::uint8_t {
  // Identity and password area.
  kStatusByte,          // wrong-try counters of the password checks
  kModelByte,           // the pager's model code
  kIdentitySignature,   // 29 26 29 43 57, written on every encode
  kFirmwareMark,        // a character naming the firmware generation
  kOtaPasswordText,     // 10 characters, scrambled
  kOptionByte1,         // option bits; meanings differ per family
  kLocalPasswordText,   // 10 characters, scrambled
  kSecurePasswordText,  // 10 characters, scrambled
  kMemorySizeCode,
  kSerialNumber,     // 10 characters, blank-padded
  kCodeplugVersion,  // letter/major, minor/patch nibbles
  kInventoryNumber,  // 10 characters, blank-padded

  // Feature bytes.
  kFeatureOptions,         // RF programming, OTA alpha vector, old secure enable
  kFeatureSpare,           // cleared when defaults are applied
  kOtaEnableMask,          // 16 bits, bit n-1 = address n
  kNotebookOptions,        // notebooks, printer, alerts on, deaf, allow off
  kMessageOptions,         // manual delete, locking, clock, zoom, alert modes
  kIndicatorOptions,       // function menu display and message indicators
  kClockOptions,           // date format, time stamp, ideographic canned, prompts
  kRetentionOptions,       // retention, large memory, duplication
  kAudibleOptions,         // out-of-range, printing, backlight, gauge, chirp
  kAlertOptions,           // standard alert shape, vibrator, reminders
  kReminderAlertInterval,  // time code T1
  kReminderAlertTimeout,   // time code T1
  kSequentialLockout,      // time code T2
  kReadTimeout,            // time code T3
  kReadScrollTime,         // time code T4
  kAlertFrequency,
  kPleasingAlertTune,  // 16 bytes

  // Prompt, character-set and message-option area.
  kPackedPromptArea,    // 6-bit prompt stream
  kIdeoPromptSlots,     // 1 KB: fixed prompt slots over the packed area
  kLegacyFirmwareFlag,  // 1 KB: set for the oldest firmware generations
  kBandByte,
  kCannedRangeStart,  // 16 bits
  kCannedRangeEnd,    // 16 bits
  kNationalCharRow,   // 14 bytes
  kIdeoRomMark1,
  kIdeoRomMark2,
  kToneOnlySource,
  kDisplayContrast,
  kFactoryLevel,       // 60 when defaults are applied
  kServiceAdjustment,  // signed -8 .. +8
  kHistoryEnableMask,  // 16 bits, bit n-1 = address n
  kPrinterCode,
  kPrintOptions,
  kLanguageByte,        // prompt language in bits 3-7
  kSilentRfOptions,     // 4 KB meaning; kept in the 1 KB family
  kDecodingOptions,     // 14-bit decoding and a copy of the printer code
  kBatteryGaugeLevels,  // 2 bytes of nibbles
  kFactoryTimingA,      // 5 when defaults are applied
  kFactoryTimingB,      // 37 when defaults are applied
  kIdeoRomCode,
  kFirmwareTag,       // always 0x13
  kFirmwareHeader,    // 3 bytes, per family
  kCarriedRegion,     // 41 bytes passed through the editor unchanged
  kFirmwareData,      // 16 bytes, from a fixed table on defaults
  kFactoryConstants,  // 4 bytes, 18 8F 10 A0 on defaults
  kSubModel,
  kFirmwareLevel,
  kAddressOptionByte,  // one per address
  kAddressFrameByte,   // one per address
  kFlexFrames,
  kMissedFrameTime,
  kOorTime,
  kFactoryReceiver,  // 7 bytes, 96 1C 16 08 AB 12 44 on defaults
  kAddressAreaMark,  // always 11 11
  kLongAddressMark,  // one per slot pair
  kImageChecksum,

  // System record table and the records with a meaning of their own.
  kSystemRecord,         // 41 records of 4 bytes
  kFrameMapRecord,       // records 15-22
  kAddressEnableRecord,  // record 23
  kAddressSlot,          // records 24-39, one per address
  kClosingRecord,        // record 40

  // Bounds of the synthesizer area; its fields belong to the synthesizer.
  kSynthArea,
  kFirmwarePatchTail,  // 1 KB: patched and filled on every encode

  // 4 KB family only.
  kModelBlock,
  kAlertWord,  // one per address
  kDefaultReminderPattern,
  kDefaultReminderOptions,
  kDutyOptions,
  kReminderDurationOptions,
  kUserPasswordCode,     // 16 bits, least significant byte first
  kUserPasswordTimeout,  // 16 bits, least significant byte first
  kUserPasswordOptions,
  kUserPasswordSpare,   // kept
  kEncryptionKeyMask,   // 16 bits, bit n-1 = address n
  kFirmwareClearBytes,  // 3 bytes cleared for newer firmware
  kFirmwarePatchArea,   // 0x169-0x285
  kHpPassword,
  kHpErrorNumber,
  kHpSpare,
  kHpOptions,
  kBlankedArea,        // cleared by every encode
  kVariantPatchArea,   // firmware variant patch at the end of the blanked area
  kPagerSpecificData,  // 256 bytes copied from the pager

  kCount
};

inline constexpr std::size_t kFieldCount = static_cast<std::size_t>(Field::kCount);

// Bytes of the synthesizer area (Field::kSynthArea) after its words and code
// bytes that the synthesizer itself does not use, counted from its start.
inline constexpr int kSynthAreaIconContrastByte = 12;  // the icon contrast v as (NOT v) AND 3
inline constexpr int kSynthAreaKeptByte1 = 13;
inline constexpr int kSynthAreaKeptByte2 = 14;

enum class ByteOrder : std::uint8_t { kBigEndian, kLittleEndian };

// The place of a field in one family's image. A repeated field (one per
// address, per record, per slot pair) has `count` elements `stride` apart.
struct FieldPlace {
  std::uint16_t offset = 0;
  std::uint16_t size = 0;  // bytes of one element; 0 = the family has no such field
  std::uint8_t count = 1;
  std::uint8_t stride = 0;
  ByteOrder order = ByteOrder::kBigEndian;

  constexpr bool present() const { return size != 0; }
  // Offset of element `index` (0-based).
  constexpr std::size_t ElementOffset(int index) const {
    return offset + static_cast<std::size_t>(index) * stride;
  }
  // One past the last byte of the whole field.
  constexpr std::size_t End() const { return ElementOffset(count - 1) + size; }
};

// One family's field-to-offset table and the start of its packed prompt area.
struct LayoutTable {
  PagerFamily family;
  std::array<FieldPlace, kFieldCount> places;

  constexpr const FieldPlace& Place(Field field) const {
    return places[static_cast<std::size_t>(field)];
  }
};

const LayoutTable& LayoutTableOf(PagerFamily family);

// The arrangement in force. Default-constructed, no family is in force and
// nothing may be decoded or encoded.
class Layout {
 public:
  Layout() = default;
  explicit Layout(PagerFamily family) : table_(&LayoutTableOf(family)) {}

  bool InForce() const { return table_ != nullptr; }
  // The family in force, or nothing before the first selection.
  std::optional<PagerFamily> Family() const {
    if (!table_) return std::nullopt;
    return table_->family;
  }
  bool Is4K() const { return table_ && table_->family == PagerFamily::k4K; }

  // Place of `field` in the active table; an absent place (size 0) when no
  // family is in force or the family has no such field.
  FieldPlace Place(Field field) const { return table_ ? table_->Place(field) : FieldPlace{}; }
  bool Has(Field field) const { return Place(field).present(); }
  // Offset of element `index` of `field`; nothing when it has no place there.
  std::optional<std::size_t> Offset(Field field, int index = 0) const {
    const FieldPlace place = Place(field);
    if (!place.present() || index < 0 || index >= place.count) return std::nullopt;
    return place.ElementOffset(index);
  }
  // Start of the packed prompt area (0x054 or 0x300); nothing before a selection.
  std::optional<std::size_t> PackedPromptAreaStart() const;

  const LayoutTable* Table() const { return table_; }
  bool operator==(const Layout&) const = default;

 private:
  const LayoutTable* table_ = nullptr;
};

// Installs the layout of the family of `modelCode` into `active`. A model
// code of neither family leaves `active` as it was.
void SelectLayout(Layout& active, std::uint8_t modelCode);

}  // namespace rer
