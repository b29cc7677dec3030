#include "pager/version_rules.h"

#include <gtest/gtest.h>

#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"

namespace rer {
namespace {

// An image of `model` holding codeplug version bytes `high` `low` and option
// byte 1 = `option1`.
CodeplugImage ImageWith(std::uint8_t model, std::uint8_t high, std::uint8_t low,
                        std::uint8_t option1 = 0) {
  CodeplugImage image;
  Layout layout;
  SelectLayout(layout, model);
  ImageFields fields(image, layout);
  fields.SetByte(Field::kModelByte, model);
  fields.SetByte(Field::kCodeplugVersion, high, 0);
  fields.SetByte(Field::kCodeplugVersion, low, 1);
  fields.SetByte(Field::kOptionByte1, option1);
  return image;
}

TEST(VersionRules, CheckAfterReadRefusesOnlyNewerCodeplugs) {
  struct Case {
    std::uint8_t model, high, low;
    int result;
    const char* digits;
  };
  const Case cases[] = {
      {0x84, 0x14, 0x69, 0, "040609"},                    // this program's own version
      {0x84, 0x04, 0x69, 0, "040609"},                    // the letter plays no part
      {0x84, 0x14, 0x6A, kReadCodeplugTooNew, "040610"},  // 4.6.10
      {0x84, 0x15, 0x00, kReadCodeplugTooNew, "050000"},
      {0x81, 0x14, 0xA1, kReadCodeplugTooNew, "041001"},  // 4.10.1, 1 KB family
      {0x81, 0x14, 0x5F, 0, "040515"},
      {0x84, 0x00, 0x00, 0, "000000"},  // a blank codeplug
      {0x84, 0x1F, 0xFF, kReadCodeplugTooNew, "151515"},
  };
  for (const auto& c : cases) {
    const CodeplugImage image = ImageWith(c.model, c.high, c.low);
    SCOPED_TRACE(c.digits);
    EXPECT_EQ(CheckCodeplugVersionAfterRead(image, c.model), c.result);
    EXPECT_EQ(CodeplugVersionDigits(StoredCodeplugVersion(image, c.model)), c.digits);
  }
}

TEST(VersionRules, LocalPasswordBitFollowsFamilyAndStoredVersion) {
  struct Case {
    std::uint8_t model, high, low, option1;
    bool asks;
  };
  const Case cases[] = {
      {0x84, 0x14, 0x64, 0x01, true},   // 4.6.4: bit 0
      {0x84, 0x14, 0x65, 0x01, false},  // 4.6.5: bit 0 no longer counts
      {0x84, 0x14, 0x65, 0x04, true},   // 4.6.5: bit 2
      {0x84, 0x14, 0x64, 0x04, false},  // 4.6.4: bit 2 is not the enable
      {0xD1, 0x14, 0x69, 0x04, true},
      {0x81, 0x14, 0x64, 0x04, true},  // 1 KB: bit 2 whatever the version
      {0x81, 0x14, 0x64, 0x01, false},
      {0x89, 0x14, 0x69, 0xFB, false},
      {0x80, 0x14, 0x69, 0xFF, false},  // no family: never asks
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << std::hex << int(c.model) << " " << int(c.low) << " " << int(c.option1));
    EXPECT_EQ(LocalPasswordRequired(ImageWith(c.model, c.high, c.low, c.option1), c.model), c.asks);
  }
}

TEST(VersionRules, FirmwareThatMayBeProgrammed) {
  struct Case {
    const char* name;
    bool FirmwareFlags::*flag;
    std::uint8_t model;
    int result;
  };
  const Case cases[] = {
      {"4K R0406 only", &FirmwareFlags::R0406, 0x84, kFirmwareTooOld},
      {"1K R0406 only", &FirmwareFlags::R0406, 0x81, 0},
      {"4K R0407", &FirmwareFlags::R0407, 0xD0, 0},
      {"4K R0502", &FirmwareFlags::R0502, 0x88, 0},
      {"1K R0501", &FirmwareFlags::R0501, 0xC0, kFirmwareTooOld},
      {"1K R0403", &FirmwareFlags::R0403, 0x89, 0},
      {"0x80 R0403", &FirmwareFlags::R0403, 0x80, kPagerNotProgrammed},
      {"0x80 R0404", &FirmwareFlags::R0404, 0x80, 0},
      {"0x80 R0501", &FirmwareFlags::R0501, 0x80, kPagerNotProgrammed},
  };
  for (const auto& c : cases) {
    FirmwareFlags flags;
    flags.*c.flag = true;
    EXPECT_EQ(FirmwareProgrammingCheck(flags, c.model), c.result) << c.name;
  }
  EXPECT_EQ(FirmwareProgrammingCheck(FirmwareFlags{}, 0x81), kFirmwareTooOld);
}

TEST(VersionRules, OneKilobyteModelByteAndSecondReceiverOn) {
  FirmwareFlags flags;
  EXPECT_EQ(ModelByteForFirmware1K(flags), 0);
  flags.R0404 = true;
  EXPECT_EQ(ModelByteForFirmware1K(flags), 0x89);
  flags.R0402 = true;
  EXPECT_EQ(ModelByteForFirmware1K(flags), 0x81);
  flags.R0406 = true;
  EXPECT_EQ(ModelByteForFirmware1K(flags), 0xC0);

  EXPECT_TRUE(NeedsSecondReceiverOn(" R0100"));
  EXPECT_TRUE(NeedsSecondReceiverOn(" R0101"));
  EXPECT_FALSE(NeedsSecondReceiverOn(" R0501"));
  EXPECT_FALSE(NeedsSecondReceiverOn("R0100 "));  // the text must match exactly
}

}  // namespace
}  // namespace rer
