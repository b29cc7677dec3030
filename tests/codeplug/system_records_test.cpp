#include "codeplug/system_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rer {
namespace {

using Record = std::vector<std::uint8_t>;

CodeplugImage PatternedImage() {
  CodeplugImage image;
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i * 37 + 11);
  }
  return image;
}

void ExpectSameImage(const CodeplugImage& actual, const CodeplugImage& expected) {
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (actual[i] != expected[i]) {
      ADD_FAILURE() << "first difference at 0x" << std::hex << i << ": 0x" << int{actual[i]}
                    << " instead of 0x" << int{expected[i]};
      return;
    }
  }
}

constexpr std::size_t kTableStart1K = 0x300;
constexpr std::size_t kTableStart4K = 0x054;

// Records 0 to 14 with record 0 byte 2 and the last bytes of records 3 to 5
// left as 00, to be filled per case.
const std::vector<Record> kFixedRecords = {
    {0x01, 0x00, 0x00, 0x98}, {0x03, 0x00, 0x00, 0x00}, {0x0F, 0x00, 0x00, 0x00},
    {0x10, 0x00, 0x00, 0x00}, {0x11, 0x80, 0x11, 0x00}, {0x12, 0x80, 0x13, 0x00},
    {0x13, 0x08, 0x00, 0x00}, {0x14, 0x08, 0x00, 0x00}, {0x15, 0x08, 0x00, 0x00},
    {0x16, 0x00, 0x03, 0x02}, {0x17, 0x00, 0x13, 0x00}, {0x18, 0x00, 0x01, 0x00},
    {0x19, 0x00, 0x11, 0x00}, {0x1A, 0x80, 0x20, 0x01}, {0x1B, 0x80, 0x20, 0x01},
};

void PutRecord(CodeplugImage& image, std::size_t start, int number, const Record& record) {
  for (std::size_t i = 0; i < record.size(); ++i) image[start + 4 * number + i] = record[i];
}

struct RecordsCase {
  std::string name;
  PagerFamily family;
  std::size_t start;
  RfTiming timing;
  bool dataInversion;
  std::uint8_t inversionByte;      // record 0 byte 2
  std::vector<std::uint8_t> ends;  // last bytes of records 3, 4, 5
};

// The whole image is compared, so a record written off its place, or a
// record that should be left to others (15 to 39), shows up as well.
TEST(SystemRecords, FixedRecordsPerFamilyTimingAndDataInversion) {
  const std::vector<RecordsCase> cases = {
      {"1 KB 70ms, inversion off",
       PagerFamily::k1K,
       kTableStart1K,
       RfTiming::k70ms,
       false,
       0x03,
       {0x80, 0x10, 0x60}},
      {"1 KB 25ms, inversion on",
       PagerFamily::k1K,
       kTableStart1K,
       RfTiming::k25ms,
       true,
       0x00,
       {0xCA, 0x20, 0x08}},
      {"4 KB 70ms, inversion on",
       PagerFamily::k4K,
       kTableStart4K,
       RfTiming::k70ms,
       true,
       0x00,
       {0x80, 0x10, 0x60}},
      {"4 KB 25ms, inversion off",
       PagerFamily::k4K,
       kTableStart4K,
       RfTiming::k25ms,
       false,
       0x03,
       {0xCA, 0x20, 0x08}},
  };
  for (const RecordsCase& c : cases) {
    SCOPED_TRACE(c.name);
    CodeplugImage expected = PatternedImage();
    for (int n = 0; n < static_cast<int>(kFixedRecords.size()); ++n) {
      Record record = kFixedRecords[static_cast<std::size_t>(n)];
      if (n == 0) record[2] = c.inversionByte;
      if (n >= 3 && n <= 5) record[3] = c.ends[static_cast<std::size_t>(n - 3)];
      PutRecord(expected, c.start, n, record);
    }
    PutRecord(expected, c.start, 40, {0x02, 0x00, 0x00, 0x41});

    CodeplugImage image = PatternedImage();
    WriteSystemRecords(image, Layout(c.family), c.dataInversion, c.timing);
    ExpectSameImage(image, expected);
    // Record 0 begins 01 00 whatever the timing.
    EXPECT_EQ(image[c.start], 0x01);
    EXPECT_EQ(image[c.start + 1], 0x00);
  }
}

TEST(SystemRecords, FrameMapRecordsCarryTheMapInPairs) {
  FrameMap map;
  for (std::size_t i = 0; i < map.size(); ++i) map[i] = static_cast<std::uint8_t>(0xA0 + i);
  for (const auto& [family, start] :
       {std::pair{PagerFamily::k1K, kTableStart1K}, std::pair{PagerFamily::k4K, kTableStart4K}}) {
    SCOPED_TRACE(start);
    CodeplugImage expected = PatternedImage();
    for (int k = 0; k < 8; ++k) {
      PutRecord(expected, start, 15 + k,
                {static_cast<std::uint8_t>(0x20 + k), 0x00, static_cast<std::uint8_t>(0xA0 + 2 * k),
                 static_cast<std::uint8_t>(0xA1 + 2 * k)});
    }
    CodeplugImage image = PatternedImage();
    WriteFrameMapRecords(image, Layout(family), map);
    ExpectSameImage(image, expected);
  }
}

TEST(SystemRecords, NothingIsWrittenWithoutAFamilyInForce) {
  CodeplugImage image = PatternedImage();
  WriteSystemRecords(image, Layout(), true, RfTiming::k25ms);
  WriteFrameMapRecords(image, Layout(), FrameMap{});
  ExpectSameImage(image, PatternedImage());
}

TEST(SystemRecords, DataInversionReadsBit1OfRecord0Byte2) {
  struct Case {
    std::uint8_t byte2;
    bool on;
  };
  for (const Case& c :
       std::vector<Case>{{0x00, true}, {0x03, false}, {0x02, false}, {0x01, true}}) {
    SCOPED_TRACE(int{c.byte2});
    CodeplugImage image = PatternedImage();
    image[kTableStart4K + 2] = c.byte2;
    EXPECT_EQ(DataInversionOn(image, Layout(PagerFamily::k4K)), c.on);
  }
  for (bool on : {true, false}) {
    CodeplugImage image = PatternedImage();
    const Layout layout(PagerFamily::k1K);
    WriteSystemRecords(image, layout, on, RfTiming::k70ms);
    EXPECT_EQ(DataInversionOn(image, layout), on);
  }
}

}  // namespace
}  // namespace rer
