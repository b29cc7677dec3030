#include "codeplug/system_records.h"

#include "codeplug/firmware_tables.h"
#include "codeplug/image_fields.h"

namespace rer {
namespace {

using Record = byte_table::Bytes<4>;

// What a settings-dependent byte of a fixed record takes its value from.
enum class RecordSlot : std::uint8_t {
  kNone,
  kDataInversion,  // byte 2 of record 0
  kTiming,         // byte 3, from the timing triple at `timingIndex`
};

struct FixedRecord {
  Record bytes;  // settings-dependent bytes given as 00
  RecordSlot slot = RecordSlot::kNone;
  std::uint8_t timingIndex = 0;
};

constexpr int kDataInversionByte = 2;
constexpr int kTimingByte = 3;
constexpr int kDataInversionOffBit = 1;
constexpr std::uint8_t kDataInversionOn = 0x00;
constexpr std::uint8_t kDataInversionOff = 0x03;

// Records 0 to 14, in record order.
constexpr FixedRecord kFixedRecords[] = {
    {byte_table::Hex<4>("01 00 00 98"), RecordSlot::kDataInversion},
    {byte_table::Hex<4>("03 00 00 00")},
    {byte_table::Hex<4>("0F 00 00 00")},
    {byte_table::Hex<4>("10 00 00 00"), RecordSlot::kTiming, 0},
    {byte_table::Hex<4>("11 80 11 00"), RecordSlot::kTiming, 1},
    {byte_table::Hex<4>("12 80 13 00"), RecordSlot::kTiming, 2},
    {byte_table::Hex<4>("13 08 00 00")},
    {byte_table::Hex<4>("14 08 00 00")},
    {byte_table::Hex<4>("15 08 00 00")},
    {byte_table::Hex<4>("16 00 03 02")},
    {byte_table::Hex<4>("17 00 13 00")},
    {byte_table::Hex<4>("18 00 01 00")},
    {byte_table::Hex<4>("19 00 11 00")},
    {byte_table::Hex<4>("1A 80 20 01")},
    {byte_table::Hex<4>("1B 80 20 01")},
};

// The last bytes of records 3 to 5 for each `RfTiming` item.
constexpr byte_table::Bytes<3> kTimingBytes[] = {
    byte_table::Hex<3>("80 10 60"),  // "70ms"
    byte_table::Hex<3>("CA 20 08"),  // "25ms"
};

constexpr std::uint8_t kFirstFrameMapRecordNumber = 0x20;
constexpr int kFrameMapRecordCount = static_cast<int>(kFrameMapLength / 2);

}  // namespace

void WriteSystemRecords(CodeplugImage& image, const Layout& layout, bool dataInversion,
                        RfTiming timing) {
  ImageFields fields(image, layout);
  const auto& timingBytes = kTimingBytes[timing == RfTiming::k25ms ? 1 : 0];
  int number = 0;
  for (const FixedRecord& fixed : kFixedRecords) {
    Record record = fixed.bytes;
    switch (fixed.slot) {
      case RecordSlot::kDataInversion:
        record[kDataInversionByte] = dataInversion ? kDataInversionOn : kDataInversionOff;
        break;
      case RecordSlot::kTiming:
        record[kTimingByte] = timingBytes[fixed.timingIndex];
        break;
      case RecordSlot::kNone:
        break;
    }
    fields.SetBytes(FieldRef(Field::kSystemRecord, number++), record);
  }
  fields.SetBytes(Field::kClosingRecord, kR40);
}

void WriteFrameMapRecords(CodeplugImage& image, const Layout& layout, const FrameMap& frameMap) {
  ImageFields fields(image, layout);
  for (int k = 0; k < kFrameMapRecordCount; ++k) {
    const Record record{static_cast<std::uint8_t>(kFirstFrameMapRecordNumber + k), 0x00,
                        frameMap[static_cast<std::size_t>(2 * k)],
                        frameMap[static_cast<std::size_t>(2 * k + 1)]};
    fields.SetBytes(FieldRef(Field::kFrameMapRecord, k), record);
  }
}

bool DataInversionOn(const CodeplugImage& image, const Layout& layout) {
  const std::uint8_t byte =
      ImageReader(image, layout).Byte(FieldRef(Field::kSystemRecord, 0), kDataInversionByte);
  return ((byte >> kDataInversionOffBit) & 1u) == 0;
}

}  // namespace rer
