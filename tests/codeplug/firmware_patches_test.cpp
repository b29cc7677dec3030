#include "codeplug/firmware_patches.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "codeplug/firmware_tables.h"

namespace rer {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Every byte different from its neighbours and from the fill bytes in most
// places, so that a write outside its range shows up.
CodeplugImage PatternedImage() {
  CodeplugImage image;
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i * 37 + 11);
  }
  return image;
}

// One expected write: an inclusive range and either its bytes or one fill byte.
struct Write {
  std::size_t first;
  std::size_t last;
  Bytes bytes;  // empty: every byte is `fill`
  std::uint8_t fill = 0;
};

Write FillWith(std::size_t first, std::size_t last, std::uint8_t value) {
  return {first, last, {}, value};
}
Write CopyOf(std::size_t first, std::size_t last, std::span<const std::uint8_t> bytes) {
  return {first, last, Bytes(bytes.begin(), bytes.end())};
}

// The patterned image with `writes` done in order, built from the ranges alone.
CodeplugImage Expected(const std::vector<Write>& writes) {
  CodeplugImage image = PatternedImage();
  for (const Write& w : writes) {
    const std::size_t length = w.last - w.first + 1;
    if (!w.bytes.empty()) {
      EXPECT_EQ(w.bytes.size(), length) << "expectation at " << w.first;
    }
    for (std::size_t i = 0; i < length; ++i) {
      image[w.first + i] = w.bytes.empty() ? w.fill : w.bytes[i];
    }
  }
  return image;
}

// Names the first differing byte, which a plain image comparison would not.
void ExpectSameImage(const CodeplugImage& actual, const CodeplugImage& expected) {
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (actual[i] != expected[i]) {
      ADD_FAILURE() << "first difference at 0x" << std::hex << i << ": 0x" << int{actual[i]}
                    << " instead of 0x" << int{expected[i]};
      return;
    }
  }
}

Bytes Repeated(const Bytes& unit, int times) {
  Bytes out;
  for (int t = 0; t < times; ++t) out.insert(out.end(), unit.begin(), unit.end());
  return out;
}

FirmwareFlags Flags(std::initializer_list<bool FirmwareFlags::*> set) {
  FirmwareFlags flags;
  for (auto flag : set) flags.*flag = true;
  return flags;
}

constexpr const char* kOrdinarySerial = "ABCDEFG123";
constexpr const char* kEarlySeriesSerial = "KTLBCRA123";

// ---- 1 KB family ----

const std::vector<Write> kBlank1K = {FillWith(0x25D, 0x283, 0xF3), FillWith(0x3B3, 0x3FF, 0xF3)};

std::vector<Write> Then(std::vector<Write> first, const std::vector<Write>& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

const std::vector<Write> kR0402Writes = {CopyOf(0x25D, 0x283, kT57), FillWith(0x3B3, 0x3FF, 0xF3),
                                         CopyOf(0x3B4, 0x3C0, kT61), CopyOf(0x3C1, 0x3F1, kT62),
                                         CopyOf(0x3F2, 0x3F6, kT63)};

struct Patch1KCase {
  std::string name;
  FirmwareFlags flags;
  std::string serial;
  std::vector<Write> writes;
};

TEST(FirmwarePatches1K, EachFirmwareChangesExactlyItsRanges) {
  const std::vector<Patch1KCase> cases = {
      {"no firmware flag", {}, kOrdinarySerial, kBlank1K},
      {"R0404", Flags({&FirmwareFlags::R0404}), kOrdinarySerial,
       Then(kBlank1K, {CopyOf(0x25D, 0x283, kT58), FillWith(0x3B3, 0x3FF, 0xF3)})},
      {"R0406", Flags({&FirmwareFlags::R0406}), kOrdinarySerial,
       Then(kBlank1K, {CopyOf(0x25D, 0x283, kT58), FillWith(0x3B3, 0x3FF, 0xF3)})},
      {"R0501", Flags({&FirmwareFlags::R0501}), kOrdinarySerial,
       Then(kBlank1K, {FillWith(0x3B3, 0x3E3, 0xF3)})},
      {"R0402", Flags({&FirmwareFlags::R0402}), kOrdinarySerial, Then(kBlank1K, kR0402Writes)},
      {"R0402 early series unit", Flags({&FirmwareFlags::R0402}), kEarlySeriesSerial,
       Then(Then(kBlank1K, kR0402Writes),
            {CopyOf(0x25D, 0x283, kT60), CopyOf(0x215, 0x226, kT70)})},
      {"R0402 after R0404: its table wins", Flags({&FirmwareFlags::R0402, &FirmwareFlags::R0404}),
       kOrdinarySerial,
       Then(Then(kBlank1K, {CopyOf(0x25D, 0x283, kT58), FillWith(0x3B3, 0x3FF, 0xF3)}),
            kR0402Writes)},
      {"early series without R0402", Flags({&FirmwareFlags::R0403}), kEarlySeriesSerial, kBlank1K},
  };
  for (const Patch1KCase& c : cases) {
    SCOPED_TRACE(c.name);
    CodeplugImage image = PatternedImage();
    ApplyFirmwarePatches1K(image, c.flags, c.serial);
    ExpectSameImage(image, Expected(c.writes));
  }
}

TEST(FirmwarePatches1K, R0402SpecialModelIsTheEarlySeries) {
  const FirmwareFlags r0402 = Flags({&FirmwareFlags::R0402});
  EXPECT_TRUE(IsR0402SpecialModel(r0402, "KTLBCRA123"));
  EXPECT_TRUE(IsR0402SpecialModel(r0402, "KTLBCRL300"));
  EXPECT_FALSE(IsR0402SpecialModel(r0402, "KTLBCRL299"));
  EXPECT_FALSE(IsR0402SpecialModel(r0402, "ZVKHMOS001"));
  EXPECT_FALSE(IsR0402SpecialModel(Flags({&FirmwareFlags::R0404}), "KTLBCRA123"));
}

// ---- 4 KB family ----

const std::vector<Write> kBlankModelBlock = {FillWith(0x107, 0x138, 0xFF)};
const std::vector<Write> kLaterFirmware4K = {FillWith(0x107, 0x137, 0xF3),
                                             FillWith(0x166, 0x168, 0x00)};
const std::vector<Write> kR0407Writes = {FillWith(0x169, 0x221, 0xF3),
                                         CopyOf(0x25D, 0x280, Repeated({0x69, 0x05, 0x00}, 12)),
                                         FillWith(0x281, 0x285, 0xF3)};
const std::vector<Write> kR0501Writes = {FillWith(0x25D, 0x25D, 0xD0),
                                         CopyOf(0x25E, 0x285, Repeated({0x69, 0x05}, 20)),
                                         FillWith(0x169, 0x204, 0xF3),
                                         FillWith(0x205, 0x205, 0xD0),
                                         CopyOf(0x206, 0x219, Repeated({0x69, 0x05}, 10)),
                                         CopyOf(0x21A, 0x21D, Bytes{0x69, 0x05, 0x69, 0x05}),
                                         FillWith(0x21E, 0x223, 0x00)};
const std::vector<Write> kVariant1Writes = {CopyOf(0x16A, 0x182, kV1.block),
                                            CopyOf(0x272, 0x273, Bytes{0x6A, 0x05}),
                                            CopyOf(0x21C, 0x21D, Bytes{0x82, 0x05})};
const std::vector<Write> kAnyVariantWrites = {
    CopyOf(0xE7A, 0xEFF, kV2.block), CopyOf(0x280, 0x281, Bytes{0x7B, 0x12}),
    CopyOf(0x21E, 0x21F, Bytes{0x7A, 0x12}), CopyOf(0x220, 0x221, Bytes{0xFF, 0x12})};

Write ModelBlock(std::span<const std::uint8_t> table) {
  return CopyOf(0x107, 0x138, table);
}

struct Patch4KCase {
  std::string name;
  FirmwareFlags flags;
  std::uint8_t modelCode;
  bool saving;
  std::vector<Write> writes;
};

TEST(FirmwarePatches4K, EachFirmwareChangesExactlyItsRanges) {
  const FirmwareFlags r0501v1 = Flags({&FirmwareFlags::R0501, &FirmwareFlags::Variant1R0501});
  const FirmwareFlags r0501v2 = Flags({&FirmwareFlags::R0501, &FirmwareFlags::Variant2R0501});
  const FirmwareFlags r0502v3 = Flags({&FirmwareFlags::R0502, &FirmwareFlags::Variant3R0501});
  const auto r0501 = Then(Then(kBlankModelBlock, kLaterFirmware4K), kR0501Writes);
  const std::vector<Patch4KCase> cases = {
      {"no firmware flag", {}, 0x84, false, Then(kBlankModelBlock, {ModelBlock(kM84)})},
      {"R0407", Flags({&FirmwareFlags::R0407}), 0x84, false,
       Then(Then(Then(kBlankModelBlock, kLaterFirmware4K), kR0407Writes), {ModelBlock(kM84)})},
      {"R0409", Flags({&FirmwareFlags::R0409}), 0x88, true,
       Then(Then(Then(kBlankModelBlock, kLaterFirmware4K), kR0407Writes), {ModelBlock(kM88)})},
      {"R0501", Flags({&FirmwareFlags::R0501}), 0xD0, false, Then(r0501, {ModelBlock(kMD0)})},
      {"R0501 build 1 programmed", r0501v1, 0xD0, false,
       Then(Then(Then(r0501, kVariant1Writes), kAnyVariantWrites), {ModelBlock(kMD0)})},
      {"R0501 build 1 saved to a file", r0501v1, 0xD0, true, Then(r0501, {ModelBlock(kMD0)})},
      {"R0501 build 2 programmed", r0501v2, 0xD1, false,
       Then(Then(r0501, kAnyVariantWrites), {ModelBlock(kMD0)})},
      {"R0502 build 3 programmed", r0502v3, 0x88, false,
       Then(Then(r0501, kAnyVariantWrites), {ModelBlock(kM88)})},
      {"model code of neither family", {}, 0x81, false, kBlankModelBlock},
  };
  for (const Patch4KCase& c : cases) {
    SCOPED_TRACE(c.name);
    CodeplugImage image = PatternedImage();
    ApplyFirmwarePatches4K(image, c.flags, c.modelCode, c.saving);
    ExpectSameImage(image, Expected(c.writes));
  }
}

// A file may be programmed into another R0501 build later, so the build
// patches stay out of a saved image and go into a programmed one.
TEST(FirmwarePatches4K, BuildPatchesOnlyWhenProgramming) {
  const FirmwareFlags flags = Flags({&FirmwareFlags::R0501, &FirmwareFlags::Variant1R0501});
  const CodeplugImage pattern = PatternedImage();
  CodeplugImage saved = pattern;
  CodeplugImage programmed = pattern;
  ApplyFirmwarePatches4K(saved, flags, 0xD0, true);
  ApplyFirmwarePatches4K(programmed, flags, 0xD0, false);

  const auto region = [](const CodeplugImage& image, std::size_t first, std::size_t length) {
    return Bytes(image.data() + first, image.data() + first + length);
  };
  // Saved: the tail area keeps what it held, the code area is blank code.
  EXPECT_EQ(region(saved, 0xE7A, 134), region(pattern, 0xE7A, 134));
  EXPECT_EQ(region(saved, 0x16A, 25), Bytes(25, 0xF3));
  EXPECT_EQ(region(saved, 0x21C, 6), (Bytes{0x69, 0x05, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(region(saved, 0x280, 2), (Bytes{0x69, 0x05}));
  // Programmed: both build patches are in.
  EXPECT_EQ(region(programmed, 0xE7A, 134), Bytes(kV2.block.begin(), kV2.block.end()));
  EXPECT_EQ(region(programmed, 0x16A, 25), Bytes(kV1.block.begin(), kV1.block.end()));
  EXPECT_EQ(region(programmed, 0x21C, 6), (Bytes{0x82, 0x05, 0x7A, 0x12, 0xFF, 0x12}));
  EXPECT_EQ(region(programmed, 0x280, 2), (Bytes{0x7B, 0x12}));
  EXPECT_EQ(region(programmed, 0x272, 2), (Bytes{0x6A, 0x05}));
}

TEST(FirmwarePatches4K, ModelTableFollowsTheModelCode) {
  const auto bytes = [](std::span<const std::uint8_t> table) {
    return Bytes(table.begin(), table.end());
  };
  EXPECT_EQ(bytes(ModelTableFor(0x84)), bytes(kM84));
  EXPECT_EQ(bytes(ModelTableFor(0x88)), bytes(kM88));
  EXPECT_EQ(bytes(ModelTableFor(0xD0)), bytes(kMD0));
  EXPECT_EQ(bytes(ModelTableFor(0xD1)), bytes(kMD0));
  for (std::uint8_t code : {0x81, 0x89, 0xC0, 0x40, 0xFF}) {
    EXPECT_TRUE(ModelTableFor(code).empty()) << int{code};
  }
}

// ---- Factory defaults ----

TEST(FactoryDefaults, WritesTheDefaultBytesAndNothingElse) {
  const std::vector<Write> common = {
      FillWith(0x242, 0x242, 4),
      FillWith(0x24A, 0x24A, 5),
      FillWith(0x24B, 0x24B, 37),
      FillWith(0x24C, 0x24C, 0),
      CopyOf(0x25A, 0x295, kD60),
      CopyOf(0x296, 0x299, Bytes{0x18, 0x8F, 0x10, 0xA0}),
      FillWith(0x033, 0x033, 0),
      FillWith(0x245, 0x245, 0),
      FillWith(0x246, 0x246, 0),
      FillWith(0x23E, 0x23E, 60),
      FillWith(0x23F, 0x23F, 0),
      CopyOf(0x2C6, 0x2CC, Bytes{0x96, 0x1C, 0x16, 0x08, 0xAB, 0x12, 0x44}),
  };
  struct Case {
    PagerFamily family;
    std::vector<Write> writes;
  };
  const std::vector<Case> cases = {
      {PagerFamily::k4K, common},
      {PagerFamily::k1K, Then(common, {FillWith(0x29A, 0x29A, 30)})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.family == PagerFamily::k1K ? "1 KB" : "4 KB");
    CodeplugImage image = PatternedImage();
    ApplyFactoryDefaults(image, c.family);
    ExpectSameImage(image, Expected(c.writes));
  }
}

// ---- Sub-model bytes ----

TEST(SubModel4K, RulesByFirmwareAndSerialNumber) {
  constexpr std::uint8_t kKept = 0x42;
  struct Case {
    std::string name;
    FirmwareFlags flags;
    std::string serial;
    std::uint8_t expected;
  };
  const std::vector<Case> cases = {
      {"no firmware flag", {}, "ZVKHMOS003", kKept},
      {"R0501 new secure series", Flags({&FirmwareFlags::R0501}), "ZVKHMOS003", 149},
      {"R0501 new secure unit 12", Flags({&FirmwareFlags::R0501}), "WUJ4T00012", 149},
      {"R0501 new series unit 13", Flags({&FirmwareFlags::R0501}), "WUJ4T00013", 21},
      {"R0501 new series WUJSR66", Flags({&FirmwareFlags::R0501}), "WUJSR66004", 21},
      {"R0501 other serial", Flags({&FirmwareFlags::R0501}), "ZVKHMOS008", kKept},
      {"R0502 does not look at the serial", Flags({&FirmwareFlags::R0502}), "ZVKHMOS003", kKept},
      {"R0407", Flags({&FirmwareFlags::R0407}), "ABCDEFG123", 133},
      {"R0409 over the new secure series", Flags({&FirmwareFlags::R0409}), "ZVKHMOS003", 133},
      {"R0408 comes last over R0501", Flags({&FirmwareFlags::R0501, &FirmwareFlags::R0408}),
       "WUJ4T00013", 133},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CodeplugImage image = PatternedImage();
    image[0x29A] = kKept;
    CodeplugImage expected = image;
    expected[0x29A] = c.expected;
    ApplySubModel4K(image, c.flags, c.serial);
    ExpectSameImage(image, expected);
  }
}

TEST(LegacyFirmwareFlag1K, SetForR0404AndForR0406OnSubModel34) {
  constexpr std::uint8_t kKept = 0x42;
  struct Case {
    std::string name;
    FirmwareFlags flags;
    int pagerSubModel;
    std::uint8_t expected;
  };
  const std::vector<Case> cases = {
      {"R0404", Flags({&FirmwareFlags::R0404}), 1, 1},
      {"R0406 sub-model 34", Flags({&FirmwareFlags::R0406}), 34, 1},
      {"R0406 sub-model 17", Flags({&FirmwareFlags::R0406}), 17, kKept},
      {"R0402 sub-model 34", Flags({&FirmwareFlags::R0402}), 34, kKept},
      {"no firmware flag", {}, 34, kKept},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CodeplugImage image = PatternedImage();
    image[0x226] = kKept;
    CodeplugImage expected = image;
    expected[0x226] = c.expected;
    ApplyLegacyFirmwareFlag1K(image, c.flags, c.pagerSubModel);
    ExpectSameImage(image, expected);
  }
}

}  // namespace
}  // namespace rer
