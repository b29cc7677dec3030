#include "codeplug/layout_table.h"

#include "synth/synth_area.h"

// The two images at a glance (offsets in hexadecimal, ends inclusive):
//
//   1 KB family (0x000-0x3FF)            4 KB family (0x000-0xFFF)
//   000-053 identity, passwords, serial  000-053 identity, passwords, serial
//           number, feature bytes,               number, feature bytes,
//           pleasing alert tune                  pleasing alert tune
//   054-227 packed prompt area bounds    054-0F7 system records (41 x 4)
//           (ideographic slots 054-225)  0F8-106 synthesizer area
//   226     legacy firmware flag         107-138 model block
//   227     band byte                    139-158 alert words (16 x 2)
//                                        159-168 reminder, duty, user password,
//                                                encryption key options
//                                        165     band byte
//                                        169-285 firmware patch area (the hand
//                                                programming bytes 222-227
//                                                lie inside it)
//   228-2FE character set, service, print, language and decoding options,
//           codeplug version and inventory number (24D-258), firmware
//           header, carried region, sub-model, address option and frame
//           bytes (16 each), frame time, long-address marks, checksum (2FE):
//           the same offsets in both families
//   300-3A3 system records (41 x 4)      300-746 packed prompts
//   3A4-3B2 synthesizer area             774-EFE blanked by every encode
//   3B3-3FF firmware patch tail          E7A-EFF variant patch (inside it)
//                                        F00-FFF pager-specific data
//
// The rows below give every field its exact place; this map only orients.

namespace rer {
namespace {

// One row per field: its place in the 1 KB image and in the 4 KB image.
struct FieldRow {
  Field field;
  FieldPlace in1K;
  FieldPlace in4K;
};

constexpr FieldPlace kAbsent{};

constexpr FieldPlace At(std::uint16_t offset, std::uint16_t size, std::uint8_t count = 1,
                        std::uint8_t stride = 0, ByteOrder order = ByteOrder::kBigEndian) {
  return FieldPlace{offset, size, count, stride, order};
}

constexpr FieldRow Same(Field field, FieldPlace place) {
  return {field, place, place};
}

// The system record table: 41 records of 4 bytes, record n at start + 4n.
constexpr std::uint16_t kRecordSize = 4;
constexpr std::uint8_t kRecordCount = 41;
constexpr std::uint16_t kRecords1K = 0x300;
constexpr std::uint16_t kRecords4K = 0x054;
constexpr int kFirstFrameMapRecord = 15;
constexpr std::uint8_t kFrameMapRecords = 8;
constexpr int kAddressEnableRecordNumber = 23;
constexpr int kFirstAddressSlotRecord = 24;
constexpr std::uint8_t kAddressSlots = 16;
constexpr int kClosingRecordNumber = 40;

constexpr FieldRow Records(Field field, int first, std::uint8_t count = 1) {
  const auto at = [&](std::uint16_t start) {
    return At(static_cast<std::uint16_t>(start + first * kRecordSize), kRecordSize, count,
              count > 1 ? kRecordSize : 0);
  };
  return {field, at(kRecords1K), at(kRecords4K)};
}

// The synthesizer layer owns the positions inside its area and the band
// byte; this table only takes them over. The area runs 15 bytes from the N
// word (words, mode and reference bytes, fixed bytes, service adjustment).
constexpr std::uint16_t kSynthAreaSize = 15;
constexpr std::uint16_t Narrow(std::size_t offset) {
  return static_cast<std::uint16_t>(offset);
}

constexpr std::uint8_t kAddresses = 16;
constexpr std::uint8_t kSlotPairs = 8;

// Positions as the two families arrange them. Order follows the Field enum.
constexpr std::array<FieldRow, kFieldCount> kRows{{
    // Identity and password area.
    Same(Field::kStatusByte, At(0x000, 1)),
    Same(Field::kModelByte, At(0x001, 1)),
    Same(Field::kIdentitySignature, At(0x002, 5)),
    Same(Field::kFirmwareMark, At(0x007, 1)),
    Same(Field::kOtaPasswordText, At(0x008, 10)),
    Same(Field::kOptionByte1, At(0x012, 1)),
    Same(Field::kLocalPasswordText, At(0x013, 10)),
    Same(Field::kSecurePasswordText, At(0x01D, 10)),
    Same(Field::kMemorySizeCode, At(0x027, 1)),
    Same(Field::kSerialNumber, At(0x028, 10)),
    Same(Field::kCodeplugVersion, At(0x24D, 2)),
    Same(Field::kInventoryNumber, At(0x24F, 10)),

    // Feature bytes.
    Same(Field::kFeatureOptions, At(0x032, 1)),
    Same(Field::kFeatureSpare, At(0x033, 1)),
    Same(Field::kOtaEnableMask, At(0x034, 2)),
    Same(Field::kNotebookOptions, At(0x036, 1)),
    Same(Field::kMessageOptions, At(0x037, 1)),
    Same(Field::kIndicatorOptions, At(0x038, 1)),
    Same(Field::kClockOptions, At(0x039, 1)),
    Same(Field::kRetentionOptions, At(0x03A, 1)),
    Same(Field::kAudibleOptions, At(0x03B, 1)),
    Same(Field::kAlertOptions, At(0x03C, 1)),
    Same(Field::kReminderAlertInterval, At(0x03D, 1)),
    Same(Field::kReminderAlertTimeout, At(0x03E, 1)),
    Same(Field::kSequentialLockout, At(0x03F, 1)),
    Same(Field::kReadTimeout, At(0x040, 1)),
    Same(Field::kReadScrollTime, At(0x041, 1)),
    Same(Field::kAlertFrequency, At(0x043, 1)),
    Same(Field::kPleasingAlertTune, At(0x044, 16)),

    // Prompt, character-set and message-option area.
    {Field::kPackedPromptArea, At(0x054, 468), At(0x300, 1095)},
    {Field::kIdeoPromptSlots, At(0x054, 466), kAbsent},
    {Field::kLegacyFirmwareFlag, At(0x226, 1), kAbsent},
    {Field::kBandByte, At(Narrow(kSynthArea1K.bandByte), 1), At(Narrow(kSynthArea4K.bandByte), 1)},
    Same(Field::kCannedRangeStart, At(0x228, 2)),
    Same(Field::kCannedRangeEnd, At(0x22A, 2)),
    Same(Field::kNationalCharRow, At(0x22C, 14)),
    Same(Field::kIdeoRomMark1, At(0x23A, 1)),
    Same(Field::kIdeoRomMark2, At(0x23B, 1)),
    Same(Field::kToneOnlySource, At(0x23C, 1)),
    Same(Field::kDisplayContrast, At(0x23D, 1)),
    Same(Field::kFactoryLevel, At(0x23E, 1)),
    Same(Field::kServiceAdjustment, At(0x23F, 1)),
    Same(Field::kHistoryEnableMask, At(0x240, 2)),
    Same(Field::kPrinterCode, At(0x242, 1)),
    Same(Field::kPrintOptions, At(0x243, 1)),
    Same(Field::kLanguageByte, At(0x245, 1)),
    Same(Field::kSilentRfOptions, At(0x246, 1)),
    Same(Field::kDecodingOptions, At(0x247, 1)),
    Same(Field::kBatteryGaugeLevels, At(0x248, 2)),
    Same(Field::kFactoryTimingA, At(0x24A, 1)),
    Same(Field::kFactoryTimingB, At(0x24B, 1)),
    Same(Field::kIdeoRomCode, At(0x24C, 1)),
    Same(Field::kFirmwareTag, At(0x259, 1)),
    Same(Field::kFirmwareHeader, At(0x25A, 3)),
    Same(Field::kCarriedRegion, At(0x25D, 41)),
    Same(Field::kFirmwareData, At(0x286, 16)),
    Same(Field::kFactoryConstants, At(0x296, 4)),
    Same(Field::kSubModel, At(0x29A, 1)),
    Same(Field::kFirmwareLevel, At(0x29C, 1)),
    Same(Field::kAddressOptionByte, At(0x2A3, 1, kAddresses, 1)),
    Same(Field::kAddressFrameByte, At(0x2B3, 1, kAddresses, 1)),
    Same(Field::kFlexFrames, At(0x2C3, 1)),
    Same(Field::kMissedFrameTime, At(0x2C4, 1)),
    Same(Field::kOorTime, At(0x2C5, 1)),
    Same(Field::kFactoryReceiver, At(0x2C6, 7)),
    Same(Field::kAddressAreaMark, At(0x2CD, 2)),
    Same(Field::kLongAddressMark, At(0x2CF, 1, kSlotPairs, 6)),
    Same(Field::kImageChecksum, At(0x2FE, 1)),

    // System record table.
    {Field::kSystemRecord, At(kRecords1K, kRecordSize, kRecordCount, kRecordSize),
     At(kRecords4K, kRecordSize, kRecordCount, kRecordSize)},
    Records(Field::kFrameMapRecord, kFirstFrameMapRecord, kFrameMapRecords),
    Records(Field::kAddressEnableRecord, kAddressEnableRecordNumber),
    Records(Field::kAddressSlot, kFirstAddressSlotRecord, kAddressSlots),
    Records(Field::kClosingRecord, kClosingRecordNumber),

    {Field::kSynthArea, At(Narrow(kSynthArea1K.nWord), kSynthAreaSize),
     At(Narrow(kSynthArea4K.nWord), kSynthAreaSize)},
    {Field::kFirmwarePatchTail, At(0x3B3, 77), kAbsent},

    // 4 KB family only.
    {Field::kModelBlock, kAbsent, At(0x107, 50)},
    {Field::kAlertWord, kAbsent, At(0x139, 2, kAddresses, 2)},
    {Field::kDefaultReminderPattern, kAbsent, At(0x159, 1)},
    {Field::kDefaultReminderOptions, kAbsent, At(0x15A, 1)},
    {Field::kDutyOptions, kAbsent, At(0x15B, 1)},
    {Field::kReminderDurationOptions, kAbsent, At(0x15C, 1)},
    {Field::kUserPasswordCode, kAbsent, At(0x15D, 2, 1, 0, ByteOrder::kLittleEndian)},
    {Field::kUserPasswordTimeout, kAbsent, At(0x15F, 2, 1, 0, ByteOrder::kLittleEndian)},
    {Field::kUserPasswordOptions, kAbsent, At(0x161, 1)},
    {Field::kUserPasswordSpare, kAbsent, At(0x162, 1)},
    {Field::kEncryptionKeyMask, kAbsent, At(0x163, 2, 1, 0, ByteOrder::kLittleEndian)},
    {Field::kFirmwareClearBytes, kAbsent, At(0x166, 3)},
    {Field::kFirmwarePatchArea, kAbsent, At(0x169, 0x285 - 0x169 + 1)},
    {Field::kHpPassword, kAbsent, At(0x222, 2)},
    {Field::kHpErrorNumber, kAbsent, At(0x224, 1)},
    {Field::kHpSpare, kAbsent, At(0x225, 1)},
    {Field::kHpOptions, kAbsent, At(0x226, 2)},
    {Field::kBlankedArea, kAbsent, At(0x774, 0xEFE - 0x774 + 1)},
    {Field::kVariantPatchArea, kAbsent, At(0xE7A, 0xEFF - 0xE7A + 1)},
    {Field::kPagerSpecificData, kAbsent, At(0xF00, 256)},
}};

constexpr bool RowsFollowFieldOrder() {
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    if (static_cast<std::size_t>(kRows[i].field) != i) return false;
  }
  return true;
}
static_assert(RowsFollowFieldOrder(), "layout rows must follow the Field enum");

constexpr LayoutTable BuildTable(PagerFamily family) {
  LayoutTable table{family, {}};
  for (const FieldRow& row : kRows) {
    table.places[static_cast<std::size_t>(row.field)] =
        family == PagerFamily::k1K ? row.in1K : row.in4K;
  }
  return table;
}

constexpr bool FitsFamily(const LayoutTable& table, std::size_t length) {
  for (const FieldPlace& place : table.places) {
    if (place.present() && place.End() > length) return false;
  }
  return true;
}

constexpr LayoutTable kTable1K = BuildTable(PagerFamily::k1K);
constexpr LayoutTable kTable4K = BuildTable(PagerFamily::k4K);
static_assert(FitsFamily(kTable1K, 1024), "a 1 KB field lies beyond the 1 KB image");
static_assert(FitsFamily(kTable4K, 4096), "a 4 KB field lies beyond the 4 KB image");

}  // namespace

const LayoutTable& LayoutTableOf(PagerFamily family) {
  return family == PagerFamily::k1K ? kTable1K : kTable4K;
}

std::optional<std::size_t> Layout::PackedPromptAreaStart() const {
  return Offset(Field::kPackedPromptArea);
}

void SelectLayout(Layout& active, std::uint8_t modelCode) {
  if (const auto family = FamilyOfModel(modelCode)) active = Layout(*family);
}

}  // namespace rer
