#include "codeplug/layout_codes.h"

#include <gtest/gtest.h>

#include "codeplug/layout_bits.h"

namespace rer {
namespace {

struct BitCase {
  PagerFamily family;
  const char* name;
  unsigned value;
  std::size_t offset;
  std::uint8_t byte;  // the byte after writing `value` into a zero image
};

// Where a setting's bits lie, with the polarity of each, per family.
TEST(BitFieldsTest, SettingsLandOnTheirFamilysBits) {
  using enum PagerFamily;
  const BitCase cases[] = {
      {k1K, "cb_ZoomDefault", 1, 0x012, 0x80},
      {k4K, "cb_ZoomDefault", 1, 0x15B, 0x01},
      {k1K, "cb_priorityWithout", 1, 0x012, 0x20},
      {k4K, "cb_priorityWithout", 1, 0x15C, 0x08},
      {k4K, "LocalPasswordEnableUpTo464", 1, 0x012, 0x01},
      {k4K, "SecurePasswordEnableUpTo464", 1, 0x032, 0x80},
      {k1K, "cb_rfProgrammingEnabled", 1, 0x032, 0x00},
      {k1K, "cb_rfProgrammingEnabled", 0, 0x032, 0x08},
      {k4K, "cb_deafPager", 0, 0x036, 0x02},  // "Standard"
      {k4K, "cb_deafPager", 1, 0x036, 0x00},  // "Deaf"
      {k1K, "cb_disableAllAlerts", 0, 0x036, 0x04},
      {k1K, "cb_messagePreview", 0, 0x038, 0x20},
      {k4K, "cb_twoBitErrorIndication", 0, 0x038, 0x08},
      {k4K, "cb_oorAudibleOnNoAlert", 0, 0x03B, 0x80},
      {k1K, "cb_alertFrequency", 0x16, 0x043, 0x06},  // masked to four bits
      {k1K, "cb_freqBand", 6, 0x227, 0x30},
      {k4K, "cb_freqBand", 6, 0x165, 0x30},
      {k4K, "cb_nwBand", 1, 0x165, 0x80},
      {k1K, "SynthTypeFS8308", 1, 0x227, 0x04},
      {k4K, "cb_batteryGaugeHiLevel", 0xA, 0x248, 0xA0},
      {k4K, "cb_batteryGaugeLoLevel", 0xA, 0x249, 0xA0},
      {k1K, "cb_disp_slot_msg", 2, 0x243, 0x04},
      {k1K, "PromptLanguage", 16, 0x245, 0x80},
      {k4K, "UserPasswordKeyCount", 5, 0x161, 0xA0},
      {k4K, "ck_CP_EP1_HP_Enable", 1, 0x227, 0x10},
      {k4K, "ck_cpfUif_Paging_Auto_Backlight", 1, 0x226, 0x80},
      {k1K, "ed_missed_frame_count_min", 60, 0x2C4, 0xF0},
  };
  for (const BitCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " family " << int(c.family));
    const Layout layout(c.family);
    CodeplugImage image;
    ImageFields fields(image, layout);
    ASSERT_TRUE(WriteBitField(fields, c.name, c.value));
    CodeplugImage expected;
    expected[c.offset] = c.byte;
    EXPECT_EQ(image, expected);
    EXPECT_EQ(ReadBitField(fields, c.name),
              c.value & ((1u << FindBitField(c.family, c.name)->width) - 1));
  }
}

TEST(BitFieldsTest, OneFamilysBitsAreAbsentFromTheOther) {
  struct Case {
    PagerFamily family;
    const char* name;
  };
  const Case cases[] = {
      {PagerFamily::k1K, "cb_silentRFProgramming"}, {PagerFamily::k1K, "cb_supportOTAAlphaVector"},
      {PagerFamily::k1K, "cb_turnOnPager"},         {PagerFamily::k1K, "AlertWord.mode"},
      {PagerFamily::k4K, "SynthTypeFS8308"},        {PagerFamily::k1K, "no such setting"},
  };
  for (const Case& c : cases) {
    const Layout layout(c.family);
    CodeplugImage image;
    ImageFields fields(image, layout);
    EXPECT_FALSE(WriteBitField(fields, c.name, 1)) << c.name;
    EXPECT_FALSE(ReadBitField(fields, c.name)) << c.name;
    EXPECT_EQ(image, CodeplugImage()) << c.name;
  }
}

TEST(BitFieldsTest, FixedBitsPerFamily) {
  struct Case {
    PagerFamily family;
    std::size_t offset;
    std::uint8_t before;
    std::uint8_t after;
  };
  const Case cases[] = {
      {PagerFamily::k1K, 0x012, 0xFF, 0xD6 | 0x20}, {PagerFamily::k1K, 0x012, 0x00, 0x20},
      {PagerFamily::k4K, 0x012, 0xFF, 0x56},        {PagerFamily::k1K, 0x032, 0xFF, 0x08},
      {PagerFamily::k4K, 0x032, 0xFF, 0x18},        {PagerFamily::k4K, 0x03C, 0xFF, 0xEF},
      {PagerFamily::k4K, 0x249, 0xFF, 0xF0},        {PagerFamily::k4K, 0x139 + 31, 0xFF, 0x7F},
      {PagerFamily::k1K, 0x246, 0xFF, 0xFF},        {PagerFamily::k4K, 0x246, 0xFF, 0x80},
      {PagerFamily::k1K, 0x15B, 0xFF, 0xFF},        {PagerFamily::k4K, 0x15B, 0xFF, 0xEB},
  };
  for (const Case& c : cases) {
    const Layout layout(c.family);
    CodeplugImage image;
    image[c.offset] = c.before;
    ImageFields fields(image, layout);
    ApplyFixedBits(fields);
    EXPECT_EQ(image[c.offset], c.after) << std::hex << c.offset << " family " << int(c.family);
  }
}

TEST(CodedSettingsTest, CodesToItemsAndBack) {
  struct Case {
    const char* name;
    std::uint8_t stored;
    int item;
    std::uint8_t writtenBack;  // the byte after writing `item` over `stored`
  };
  const Case cases[] = {
      {"cb_readScrollTime", 0x05, 4, 32},
      {"cb_readScrollTime", 240, 8, 240},
      {"cb_readTimeout", 0x00, 1, 4},
      {"cb_readTimeout", 38, 3, 38},
      {"cb_reminderAlertInterval", 225, 7, 225},
      {"cb_reminderAlertTimeout", 16, 0, 0},
      {"cb_sequentialLockoutPeriod", 12, 5, 12},
      {"cb_oorTime", 31, 3, 31},
      {"cb_oorTime", 30, 0, 0},
      {"PrinterCode", 0x07, 3, 2},
      {"PrinterCode", 16, 0, 16},
      {"cb_flexFrames", 0x81, 1, 0x81},
      {"cb_flexFrames", 0x80, 0, 0x21},
      {"cb_functionMenuDisplay", 0x00, 0, 0x40},
      {"cb_functionMenuDisplay", 0x40, 0, 0x40},
      {"cb_functionMenuDisplay", 0x80, 1, 0x80},
      {"cb_functionMenuDisplay", 0xC5, 2, 0xC5},
      {"cb_ideoNumericCanned", 0x10, 2, 0x18},
      {"cb_ideoNumericCanned", 0x08, 1, 0x08},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " code " << int(c.stored));
    const Layout layout(PagerFamily::k1K);
    CodeplugImage image;
    ImageFields fields(image, layout);
    const CodedSettingRow* row = nullptr;
    for (const auto rows : {CodedSettingRows(), ControlCodedSettingRows()}) {
      for (const CodedSettingRow& r : rows) {
        if (r.name == c.name) row = &r;
      }
    }
    ASSERT_NE(row, nullptr);
    const std::size_t at = *layout.Offset(row->field);
    image[at] = c.stored;
    EXPECT_EQ(ReadCodedSetting(fields, c.name), c.item);
    ASSERT_TRUE(WriteCodedSetting(fields, c.name, c.item));
    EXPECT_EQ(image[at], c.writtenBack);
  }
}

TEST(CodedSettingsTest, AnItemOutsideTheListIsWrittenAsTheFallback) {
  const Layout layout(PagerFamily::k4K);
  CodeplugImage image;
  ImageFields fields(image, layout);
  ASSERT_TRUE(WriteCodedSetting(fields, "cb_readScrollTime", 42));
  EXPECT_EQ(image[0x041], 32);
  ASSERT_TRUE(WriteCodedSetting(fields, "cb_readTimeout", -1));
  EXPECT_EQ(image[0x040], 4);
}

TEST(FixedBytesTest, EveryEncodeWritesEachFamilysConstants) {
  for (PagerFamily family : {PagerFamily::k1K, PagerFamily::k4K}) {
    const Layout layout(family);
    CodeplugImage image;
    ImageFields fields(image, layout);
    WriteFixedBytes(fields, EveryEncodeBytes());
    const bool small = family == PagerFamily::k1K;
    EXPECT_EQ(fields.Text(Field::kIdentitySignature), "\x29\x26\x29\x43\x57");
    EXPECT_EQ(image[0x259], 0x13);
    EXPECT_EQ(image[0x25A], small ? 0xFE : 0x01);
    EXPECT_EQ(image[0x25B], 0xFF);
    EXPECT_EQ(image[0x25C], 0x11);
    EXPECT_EQ(image[0x29C], small ? 0xDF : 0x00);
    EXPECT_EQ(image[0x2CD], 0x11);
  }
}

TEST(ModelIndexTest, ModelCodeAndSubModelNameTheModel) {
  struct Case {
    std::uint8_t model;
    std::uint8_t subModel;
    std::optional<int> index;
  };
  const Case cases[] = {
      {0x81, 0, 0},   {0x81, 34, 0},  {0x89, 17, 1},           {0xC0, 1, 9},
      {0xC0, 17, 9},  {0xC0, 2, 10},  {0xC0, 34, 10},          {0xC0, 3, std::nullopt},
      {0xD0, 21, 2},  {0xD1, 46, 3},  {0xD0, 93, 4},           {0xD0, 133, 5},
      {0x84, 21, 5},  {0x88, 0, 5},   {0xD0, 149, 6},          {0xD1, 30, 6},
      {0xD0, 166, 7}, {0xD1, 221, 8}, {0xD0, 0, std::nullopt}, {0x40, 21, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ModelIndexOf(c.model, c.subModel), c.index)
        << std::hex << int(c.model) << " " << std::dec << int(c.subModel);
  }
}

TEST(IdeoRomTest, MarksAndCodeFollowTheCharacterGenerator) {
  struct Case {
    int cgrom;
    std::optional<std::uint8_t> mark1, mark2;
    std::uint8_t code;
  };
  const Case cases[] = {
      {0, 0, 0, 0},
      {1, 15, 14, 1},
      {2, 15, 14, 1},
      {3, 15, 15, 2},
      {4, std::nullopt, std::nullopt, 3},
      {5, std::nullopt, std::nullopt, 4},
      {99, std::nullopt, std::nullopt, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IdeoRomMark1(c.cgrom), c.mark1) << c.cgrom;
    EXPECT_EQ(IdeoRomMark2(c.cgrom), c.mark2) << c.cgrom;
    EXPECT_EQ(IdeoRomCode(c.cgrom), c.code) << c.cgrom;
  }
}

}  // namespace
}  // namespace rer

namespace rer {
namespace {

TEST(PleasingTuneTest, DefaultOnlyWhenAllSixteenBytesAreE9) {
  const Layout layout(PagerFamily::k1K);
  CodeplugImage image;
  ImageFields fields(image, layout);
  WriteDefaultPleasingTune(fields);
  EXPECT_TRUE(IsDefaultPleasingTune(fields));
  EXPECT_EQ(image[0x043], 0);
  EXPECT_EQ(image[0x053], 0xE9);
  EXPECT_EQ(image[0x054], 0);
  for (std::size_t at : {0x044, 0x04B, 0x053}) {
    image[at] = 0xE8;
    EXPECT_FALSE(IsDefaultPleasingTune(fields)) << at;
    image[at] = 0xE9;
  }
}

TEST(CannedRangeTest, HexTextBothWays) {
  struct Case {
    const char* text;
    std::uint16_t word;
    const char* shown;
  };
  const Case cases[] = {
      {"1A2f", 0x1A2F, "1A2F"}, {"0100", 0x0100, "0100"}, {"1a", 0x001A, "001A"},
      {"", 0x0000, "0000"},     {"G1Z2", 0x0102, "0102"}, {"12345", 0x2345, "2345"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CannedWordOfText(c.text), c.word) << c.text;
    EXPECT_EQ(CannedTextOfWord(c.word), c.shown) << c.text;
  }
}

}  // namespace
}  // namespace rer
