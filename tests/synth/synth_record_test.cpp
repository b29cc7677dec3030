#include "synth/synth_record.h"

#include <gtest/gtest.h>

#include "synth/pll_params.h"

namespace rer {
namespace {

struct RecordCase {
  std::uint8_t mode, ref, band;
  const char* name;
  int type;
  std::uint32_t ifHz, stepHz, refHz;
  int mult, side;
};

TEST(LoadSynthRecord, DecodesEachFieldOfTheThreeBytes) {
  const RecordCase cases[] = {
      // IF code 0, step 0, mult 1; ref 12.8 MHz, type HI8107; side bits 0 -> low side.
      {0x00, 0x00, 0x00, "HI8107", 0, 17900000, 2500, 12800000, 1, 1},
      // IF 21.4 MHz, step 12500, mult 2; ref 20.95 MHz, MB15E03; high side.
      {0x39, 0x51, 0x02, "MB15E03", 1, 21400000, 12500, 20950000, 2, 2},
      // IF 21.7 MHz, step 6250, mult 8; ref 16.8 MHz, NPC5170; side bits 3 -> low side.
      {0x4F, 0xA0, 0x03, "NPC5170", 2, 21700000, 6250, 16800000, 8, 1},
      // IF 14.575 MHz, step 7500; ref 22.275 MHz, FS8108; side bits 1.
      {0x70, 0xF0, 0x01, "FS8108", 3, 14575000, 7500, 22275000, 1, 1},
      // IF 45 MHz; FS8308 is bit 2 of the band byte with type bits 0; band bits ignored.
      {0x80, 0x00, 0x36, "FS8308", 4, 45000000, 2500, 12800000, 1, 2},
  };
  for (const RecordCase& c : cases) {
    SynthRecord record;
    LoadSynthRecord(record, c.mode, c.ref, c.band);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(record.name, c.name);
    EXPECT_EQ(record.type, c.type);
    EXPECT_EQ(record.ifHz, c.ifHz);
    EXPECT_EQ(record.stepHz, c.stepHz);
    EXPECT_EQ(record.refHz, c.refHz);
    EXPECT_EQ(record.mult, c.mult);
    EXPECT_EQ(record.side, c.side);
  }
}

TEST(LoadSynthRecord, KeepsIfWithoutCodeAndTypeOutsideTheChips) {
  SynthRecord record;
  LoadSynthRecord(record, 0x20, 0x10, 0x00);  // 21.4 MHz, MB15E03
  // Mode byte 0xA0 and above carry no IF; bit 2 with type bits 1 makes 5, no chip.
  LoadSynthRecord(record, 0xA8, 0x50, 0x04);
  EXPECT_EQ(record.ifHz, 21400000u);
  EXPECT_EQ(record.type, 1);
  EXPECT_EQ(record.name, "MB15E03");
  // The other fields still follow the new bytes.
  EXPECT_EQ(record.stepHz, 6250u);
  EXPECT_EQ(record.mult, 1);
  EXPECT_EQ(record.refHz, 20950000u);
}

TEST(SynthRecord, StartsAsTheNpc5170At45MHz) {
  const SynthRecord record;
  EXPECT_EQ(record.name, "NPC5170");
  EXPECT_EQ(record.type, 2);
  EXPECT_EQ(record.ifHz, 45000000u);
}

struct SelectCase {
  int chip, band;
  PllParams expected;  // Side stays as set before the call
};

TEST(SelectPllParams, InstallsTheRowOfChipAndBand) {
  // {RefHz, Mult, IfHz, StepHz, Side, type}
  const SelectCase cases[] = {
      {0, 1, {20950000, 2, 21400000, 12500, 2, 0}},
      {2, 3, {20950000, 2, 21400000, 12500, 2, 0}},  // NPC5170 chosen on VHF is an HI8107
      {0, 6, {12800000, 4, 45000000, 12500, 2, 2}},  // HI8107 chosen on 900 MHz is an NPC5170
      {2, 6, {12800000, 4, 45000000, 12500, 2, 2}},
      {1, 2, {20950000, 1, 21400000, 2500, 2, 1}},
      {1, 6, {12800000, 1, 45000000, 6250, 2, 1}},
      {3, 1, {20950000, 1, 21400000, 6250, 2, 3}},
      {3, 6, {12800000, 6, 45000000, 12500, 2, 3}},
      {4, 2, {20950000, 1, 21400000, 6250, 2, 4}},
      {4, 6, {12800000, 6, 45000000, 12500, 2, 4}},
  };
  for (const SelectCase& c : cases) {
    PllParams params;
    params.Side = 2;
    SelectPllParams(params, c.chip, c.band);
    EXPECT_EQ(params, c.expected) << "chip " << c.chip << " band " << c.band;
  }
}

TEST(SelectPllParams, BandsWithoutASetAndUnknownChipsKeepThePreviousSet) {
  PllParams params;
  SelectPllParams(params, 3, 6);
  const PllParams before = params;
  for (int band : {0, 4, 5, 7}) {
    SelectPllParams(params, 1, band);
    EXPECT_EQ(params, before) << "band " << band;
  }
  for (int chip : {-1, 5}) {
    SelectPllParams(params, chip, 1);
    EXPECT_EQ(params, before) << "chip " << chip;
  }
}

}  // namespace
}  // namespace rer
