#include "codeplug/encode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <span>
#include <string>
#include <vector>

#include "codeplug/address_codec.h"
#include "codeplug/firmware_tables.h"
#include "codeplug/image_fields.h"
#include "core/result_codes.h"
#include "prompts/chinese_prompt_slots.h"

namespace rer {
namespace {

// Reverses the text: position-dependent like the real scrambling, and plainly
// different from the plain text.
std::string ReverseScramble(std::string_view plain) {
  return std::string(plain.rbegin(), plain.rend());
}

// Every byte different from its neighbours, so that a write shows up.
CodeplugImage PatternedImage() {
  CodeplugImage image;
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i * 37 + 11);
  }
  return image;
}

std::vector<std::uint8_t> BytesAt(const CodeplugImage& image, std::size_t offset,
                                  std::size_t length) {
  return {image.data() + offset, image.data() + offset + length};
}

std::vector<std::uint8_t> Fill(std::size_t length, std::uint8_t value) {
  return std::vector<std::uint8_t>(length, value);
}

std::vector<std::uint8_t> ToVector(std::span<const std::uint8_t> bytes) {
  return {bytes.begin(), bytes.end()};
}

class EncodeTest : public ::testing::Test {
 protected:
  void UseFamily(std::uint8_t modelCode) {
    SelectLayout(layout, modelCode);
    context.modelCode = modelCode;
  }

  void SetUp() override { context.scramble = ReverseScramble; }

  int Encode() { return EncodeImage(settings, layout, image, context); }

  EditorSettings settings;
  Layout layout;
  CodeplugImage image = PatternedImage();
  EncodeContext context;
};

// ---- System records ----

struct RecordCase {
  int timingItem;
  bool dataInversion;
  std::uint8_t d;
  std::vector<std::uint8_t> timingBytes;  // last bytes of records 3, 4, 5
};

class SystemRecordEncodeTest : public EncodeTest,
                               public ::testing::WithParamInterface<RecordCase> {};

TEST_P(SystemRecordEncodeTest, OneKilobyteRecordsFollowTimingAndInversion) {
  const RecordCase& c = GetParam();
  UseFamily(0xC0);
  settings.SetItem("cb_RF_Timing", c.timingItem);
  settings.SetChecked("cb_dataInversion", c.dataInversion);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(BytesAt(image, 0x300, 4), (std::vector<std::uint8_t>{0x01, 0x00, c.d, 0x98}));
  EXPECT_EQ(BytesAt(image, 0x30C, 4),
            (std::vector<std::uint8_t>{0x10, 0x00, 0x00, c.timingBytes[0]}));
  EXPECT_EQ(BytesAt(image, 0x310, 4),
            (std::vector<std::uint8_t>{0x11, 0x80, 0x11, c.timingBytes[1]}));
  EXPECT_EQ(BytesAt(image, 0x314, 4),
            (std::vector<std::uint8_t>{0x12, 0x80, 0x13, c.timingBytes[2]}));
  EXPECT_EQ(BytesAt(image, 0x3A0, 4), ToVector(kR40));
}

INSTANTIATE_TEST_SUITE_P(Timings, SystemRecordEncodeTest,
                         ::testing::Values(RecordCase{0, true, 0x00, {0x80, 0x10, 0x60}},
                                           RecordCase{0, false, 0x03, {0x80, 0x10, 0x60}},
                                           RecordCase{1, false, 0x03, {0xCA, 0x20, 0x08}}));

// ---- Defaults ----

TEST_F(EncodeTest, DefaultsAreWrittenOnceThenTheBytesAreKept) {
  UseFamily(0x84);
  settings.defaultsLoaded = true;
  settings.SetChecked("cb_err_msg_detect", false);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x23E], 60);
  EXPECT_EQ(BytesAt(image, 0x2C6, 7), ToVector(kD7));
  EXPECT_EQ(BytesAt(image, 0x296, 4), (std::vector<std::uint8_t>{0x18, 0x8F, 0x10, 0xA0}));
  EXPECT_FALSE(settings.defaultsLoaded);
  EXPECT_TRUE(settings.Checked("cb_err_msg_detect"));
  EXPECT_EQ(image[0x243] & 0x01, 0x01);

  image[0x23E] = 7;
  image[0x2C6] = 0x55;
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x23E], 7);
  EXPECT_EQ(image[0x2C6], 0x55);
}

TEST_F(EncodeTest, OneKilobyteDefaultsSetTheFactorySubModel) {
  UseFamily(0xC0);
  settings.defaultsLoaded = true;
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x29A], 30);
  EXPECT_EQ(image[0x246], 0);
}

// ---- Contrast ----

struct ContrastCase {
  std::string entered;
  std::uint8_t stored;
  std::string shownAfter;
};

class ContrastEncodeTest : public EncodeTest, public ::testing::WithParamInterface<ContrastCase> {};

TEST_P(ContrastEncodeTest, StoredAsEnteredAndShownWithinRange) {
  const ContrastCase& c = GetParam();
  for (std::uint8_t model : {0x84, 0xC0}) {
    UseFamily(model);
    settings.SetText("ed_displayContrast", c.entered);
    ASSERT_EQ(Encode(), kSuccess);
    EXPECT_EQ(image[0x23D], c.stored) << "model " << int{model};
    EXPECT_EQ(settings.Text("ed_displayContrast"), c.shownAfter);
  }
}

INSTANTIATE_TEST_SUITE_P(Values, ContrastEncodeTest,
                         ::testing::Values(ContrastCase{"20", 20, "9"},
                                           ContrastCase{"15", 15, "15"}, ContrastCase{"0", 0, "0"},
                                           ContrastCase{"16", 16, "9"}));

TEST_F(EncodeTest, SecondServiceAdjustmentIsStoredInverted) {
  for (const auto& [model, offset] : {std::pair{0x84, 0x104}, std::pair{0xC0, 0x3B0}}) {
    UseFamily(static_cast<std::uint8_t>(model));
    for (int v = 0; v <= 3; ++v) {
      settings.iconContrast = v;
      ASSERT_EQ(Encode(), kSuccess);
      EXPECT_EQ(image[static_cast<std::size_t>(offset)], (~v) & 3) << "model " << model;
    }
  }
}

// ---- Addresses ----

TEST_F(EncodeTest, EmptyAddressSlotsGetTheirOptionBits) {
  for (std::uint8_t model : {0x84, 0xC0}) {
    UseFamily(model);
    settings.SetText(AddressControl::Capcode, 1, "1234567");
    settings.SetText(AddressControl::Capcode, 3, "");
    settings.SetText(AddressControl::Capcode, 7, "");
    settings.SetItem(AddressControl::MessageType, 3, 1);
    settings.SetItem(AddressControl::MessageType, 7, 1);
    ASSERT_EQ(Encode(), kSuccess);
    const std::uint8_t slot3 = image[0x2A3 + 2];
    const std::uint8_t slot7 = image[0x2A3 + 6];
    EXPECT_EQ(slot3 & 0x1F, 0x0F) << "model " << int{model};
    EXPECT_EQ(slot7 & 0x17, 0x07) << "model " << int{model};
    EXPECT_EQ(slot7 & 0x20, 0x20) << "model " << int{model};
  }
}

TEST_F(EncodeTest, AddressFlagsAreNormalisedAsStored) {
  UseFamily(0x84);
  settings.SetCheckState(AddressControl::History, 2, 2);
  settings.SetCheckState(AddressControl::History, 3, 1);
  settings.SetCheckState(AddressControl::OtaEnable, 9, 5);
  settings.SetCheckState(AddressControl::Personal, 2, 2);
  settings.SetCheckState(AddressControl::Personal, 6, 2);
  for (int n = 1; n <= 8; ++n)
    settings.SetText(AddressControl::Capcode, n, std::to_string(n * 100));
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(settings.CheckState(AddressControl::History, 2), 0);
  EXPECT_EQ(settings.CheckState(AddressControl::History, 3), 1);
  EXPECT_EQ(settings.CheckState(AddressControl::OtaEnable, 9), 0);
  EXPECT_EQ(settings.CheckState(AddressControl::Personal, 2), 1);
  EXPECT_EQ(settings.CheckState(AddressControl::Personal, 6), 0);
  EXPECT_EQ(image[0x241], 0x04);  // history of address 3 only
  EXPECT_EQ(image[0x034], 0x00);  // no OTA for address 9
  EXPECT_EQ(image[0x2A3 + 1] & 0x20, 0x20);
  EXPECT_EQ(image[0x2A3 + 5] & 0x20, 0x00);
}

// ---- Firmware ----

TEST_F(EncodeTest, VariantBuildPatchesGoOnlyIntoAPager) {
  UseFamily(0xD0);
  context.firmware.R0501 = true;
  context.firmware.Variant1R0501 = true;

  context.saving = true;
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_NE(BytesAt(image, 0x16A, kV1.block.size()), ToVector(kV1.block));
  EXPECT_NE(BytesAt(image, 0xE7A, kV2.block.size()), ToVector(kV2.block));
  EXPECT_EQ(BytesAt(image, 0xE7A, 0xEFF - 0xE7A), Fill(0xEFF - 0xE7A, 0x00))
      << "the blanked area stays blank without the variant patch";
  EXPECT_EQ(BytesAt(image, 0xF00, 256), Fill(256, 0));

  image = PatternedImage();
  context.saving = false;
  context.programming = true;
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(BytesAt(image, 0x16A, kV1.block.size()), ToVector(kV1.block));
  EXPECT_EQ(BytesAt(image, 0xE7A, kV2.block.size()), ToVector(kV2.block));
  EXPECT_EQ(BytesAt(image, 0xF00, 256), BytesAt(PatternedImage(), 0xF00, 256));
}

TEST_F(EncodeTest, NewestFirmwareMarksTheSynthAreaAndFirmwareLevel) {
  UseFamily(0x84);
  settings.kept.synthAreaByte1 = 0x33;
  settings.kept.synthAreaByte2 = 0x44;
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x105], 0x33);
  EXPECT_EQ(image[0x106], 0x44);
  EXPECT_EQ(image[0x29C], PatternedImage()[0x29C]);

  context.firmware.R0502 = true;
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x105], 0xD0);
  EXPECT_EQ(image[0x106], 0x44);
  EXPECT_EQ(image[0x29C], 2);
}

struct MarkCase {
  std::uint8_t model;
  FirmwareFlags flags;
  std::uint8_t mark;  // 0: kept
};

TEST_F(EncodeTest, FirmwareMarkFollowsTheRelease) {
  const MarkCase cases[] = {
      {0xC0, {}, '1'}, {0xC0, {.R0404 = true}, '4'}, {0xC0, {.R0406 = true}, '6'},
      {0x84, {}, 0},   {0x84, {.R0408 = true}, '6'}, {0xD1, {.R0501 = true}, 'A'},
  };
  for (const MarkCase& c : cases) {
    image = PatternedImage();
    UseFamily(c.model);
    context.firmware = c.flags;
    ASSERT_EQ(Encode(), kSuccess);
    const std::uint8_t expected = c.mark != 0 ? c.mark : PatternedImage()[0x007];
    EXPECT_EQ(image[0x007], expected) << "model " << int{c.model};
  }
}

// ---- Identity, passwords, serial ----

TEST_F(EncodeTest, SerialNumberIsWrittenOnlyWhileProgramming) {
  UseFamily(0x84);
  settings.SetText("ed_serialNumber", "AB12");
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(BytesAt(image, 0x028, 10), BytesAt(PatternedImage(), 0x028, 10));
  EXPECT_EQ(image[0x001], PatternedImage()[0x001]) << "4 KB model byte only while programming";

  context.programming = true;
  ASSERT_EQ(Encode(), kSuccess);
  const std::string stored(image.data() + 0x028, image.data() + 0x032);
  EXPECT_EQ(stored, "AB12      ");
  EXPECT_EQ(image[0x001], 0x84);
}

TEST_F(EncodeTest, PasswordsAreStoredScrambledAndPadded) {
  UseFamily(0x88);
  context.passwords.ota = "OTA1";
  context.passwords.local = "LOCAL";
  context.passwords.secure = "SEC";
  settings.SetChecked("cb_enableSecurePasswd", false);
  ASSERT_EQ(Encode(), kSuccess);
  const auto text = [&](std::size_t offset) {
    return std::string(image.data() + offset, image.data() + offset + 10);
  };
  EXPECT_EQ(text(0x008), ReverseScramble("OTA1      "));
  EXPECT_EQ(text(0x013), ReverseScramble("LOCAL     "));
  EXPECT_EQ(BytesAt(image, 0x01D, 10), BytesAt(PatternedImage(), 0x01D, 10))
      << "the secure password is written only while it is enabled";

  settings.SetChecked("cb_enableSecurePasswd", true);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(text(0x01D), ReverseScramble("SEC       "));
  EXPECT_EQ(image[0x012] & 0x06, 0x02);
}

TEST_F(EncodeTest, WithoutAScramblerNoPasswordIsWrittenInTheClear) {
  UseFamily(0xC0);
  context.scramble = nullptr;
  context.passwords.ota = "OTA1";
  context.passwords.local = "LOCAL";
  context.passwords.secure = "SEC";
  settings.SetChecked("cb_enableSecurePasswd", true);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(BytesAt(image, 0x008, 10), BytesAt(PatternedImage(), 0x008, 10));
  EXPECT_EQ(BytesAt(image, 0x013, 20), BytesAt(PatternedImage(), 0x013, 20));
}

// ---- Kept bytes, carried region, checksum ----

TEST_F(EncodeTest, BytesTheEditorDoesNotOwnKeepTheirValues) {
  struct Kept {
    std::uint8_t model;
    std::size_t offset;
    std::uint8_t mask;  // the bits that must be kept
  };
  const Kept kept[] = {
      {0x84, 0x027, 0xFF},                       // memory size code
      {0x84, 0x042, 0xFF},                       // unused
      {0x84, 0x2D0, 0xFF},                       // between the long-address marks
      {0x84, 0x2FD, 0xFF}, {0x84, 0x2FF, 0xFF},  // after the checksum
      {0x84, 0x24C, 0xF0},                       // high nibble of the ROM code byte
      {0x84, 0x23C, 0xBF},                       // all but the tone-only bit
      {0x84, 0x24A, 0xFF}, {0x84, 0x286, 0xFF},  // firmware data, defaults not loaded
      {0xC0, 0x027, 0xFF}, {0xC0, 0x246, 0xFF},  // 1 KB silent-RF byte is not written
      {0xC0, 0x2FF, 0xFF}, {0xC0, 0x24C, 0xF0},
  };
  for (const Kept& k : kept) {
    image = PatternedImage();
    UseFamily(k.model);
    ASSERT_EQ(Encode(), kSuccess);
    EXPECT_EQ(image[k.offset] & k.mask, PatternedImage()[k.offset] & k.mask)
        << "model " << int{k.model} << " offset 0x" << std::hex << k.offset;
  }
}

TEST_F(EncodeTest, KeptSettingsAreWrittenBack) {
  UseFamily(0x84);
  settings.kept.userPasswordAreaByte = 0x9C;
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x162], 0x9C);

  UseFamily(0xC0);
  settings.kept.synthAreaByte2 = 0x71;
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x3B1], 0x5A);
  EXPECT_EQ(image[0x3B2], 0x71);
}

TEST_F(EncodeTest, CarriedRegionIsWrittenBackWhenNoPatchCoversIt) {
  UseFamily(0x84);
  std::iota(settings.carriedRegion.begin(), settings.carriedRegion.end(), std::uint8_t{0x40});
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(BytesAt(image, 0x25D, kCarriedRegionLength), ToVector(settings.carriedRegion));
  EXPECT_EQ(BytesAt(image, 0x25A, 3), (std::vector<std::uint8_t>{0x01, 0xFF, 0x11}));
}

TEST_F(EncodeTest, ChecksumIsWrittenLast) {
  for (std::uint8_t model : {0x84, 0xC0}) {
    image = PatternedImage();
    UseFamily(model);
    // Firmware whose patches and sub-model rule write late in the encode.
    context.firmware.R0402 = model == 0xC0;
    context.firmware.R0407 = model == 0x84;
    ASSERT_EQ(Encode(), kSuccess);
    const unsigned sum = std::accumulate(image.data(), image.data() + 0x2FE, 0u);
    EXPECT_EQ(image[0x2FE], static_cast<std::uint8_t>(255 - sum % 256)) << "model " << int{model};
    EXPECT_EQ(image[0x2FF], PatternedImage()[0x2FF]);
  }
}

TEST_F(EncodeTest, FixedDataOfEveryEncode) {
  UseFamily(0x84);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x000], 0);
  EXPECT_EQ(BytesAt(image, 0x002, 5), (std::vector<std::uint8_t>{0x29, 0x26, 0x29, 0x43, 0x57}));
  EXPECT_EQ(BytesAt(image, 0x24D, 2), (std::vector<std::uint8_t>{0x14, 0x69}));
  EXPECT_EQ(BytesAt(image, 0x100, 4), (std::vector<std::uint8_t>{0x06, 0x5A, 0x4E, 0x62}));
  EXPECT_EQ(BytesAt(image, 0x774, 0xE7A - 0x774), Fill(0xE7A - 0x774, 0));
  EXPECT_EQ(image[0x259], 0x13);
  EXPECT_EQ(BytesAt(image, 0x2CD, 2), (std::vector<std::uint8_t>{0x11, 0x11}));
  EXPECT_EQ(image[0x107], 0x84);
  EXPECT_EQ(BytesAt(image, 0x222, 2), (std::vector<std::uint8_t>{0x00, 0x00}));
  EXPECT_EQ(BytesAt(image, 0x225, 3), (std::vector<std::uint8_t>{0x00, 0x00, 0x00}));

  image = PatternedImage();
  UseFamily(0xC0);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x001], 0xC0);
  EXPECT_EQ(image[0x29C], 0xDF);
  EXPECT_EQ(BytesAt(image, 0x25A, 3), (std::vector<std::uint8_t>{0xFE, 0xFF, 0x11}));
  EXPECT_EQ(BytesAt(image, 0x3AC, 4), (std::vector<std::uint8_t>{0x06, 0x5A, 0x4E, 0x62}));
  EXPECT_EQ(BytesAt(image, 0x3B3, 0x400 - 0x3B3), Fill(0x400 - 0x3B3, 0xF3));
  EXPECT_EQ(image[0x012] & 0x29, 0x20);
}

// ---- Settings with a rule of their own ----

TEST_F(EncodeTest, ReminderDurationsFollowTheNewAlertMenu) {
  UseFamily(0x84);
  settings.SetItem("cb_newAlertMenu", 0);
  settings.SetItem("cb_alertDuration", 2);
  settings.SetItem("cb_reminderAlertDuration", 3);
  settings.SetChecked("cb_priorityWithout", true);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x15C], 0x0C);

  settings.SetItem("cb_newAlertMenu", 1);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x15C], 0x08 | (3 << 1) | 0x01);
}

TEST_F(EncodeTest, ToneOnlySourceSplitsOverTwoBytes) {
  UseFamily(0x84);
  const std::pair<int, int> expected[] = {{0, 0}, {1, 0x40}, {2, 0x04}, {3, 0x44}};
  for (const auto& [item, bits] : expected) {
    settings.SetItem("cb_showToneOnlySource", item);
    ASSERT_EQ(Encode(), kSuccess);
    EXPECT_EQ((image[0x23C] & 0x40) | (image[0x039] & 0x04), bits) << "item " << item;
  }
}

TEST_F(EncodeTest, CharacterGeneratorDecidesCannedRangeAndRomBytes) {
  struct Case {
    int cgrom;
    std::uint16_t start;
    std::uint8_t mark1;
    std::uint8_t mark2;
    std::uint8_t romCode;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0}, {1, 0x3321, 15, 14, 1}, {2, 0x3321, 15, 14, 1}, {3, 0, 15, 15, 2}};
  UseFamily(0x84);
  settings.SetText("ed_startCannedMsg", "3321");
  settings.SetCheckState("cb_ideoNumericCanned", 2);
  settings.SetChecked("cb_B14bitDecoding", true);
  for (const Case& c : cases) {
    context.cgromType = c.cgrom;
    ASSERT_EQ(Encode(), kSuccess);
    EXPECT_EQ(image[0x228] << 8 | image[0x229], c.start) << "cgrom " << c.cgrom;
    EXPECT_EQ(image[0x23A], c.mark1);
    EXPECT_EQ(image[0x23B], c.mark2);
    EXPECT_EQ(image[0x24C] & 0x0F, c.romCode);
    EXPECT_EQ((image[0x039] >> 3) & 3, c.cgrom == 0 ? 0 : 3);
    EXPECT_EQ(image[0x247] >> 7, c.cgrom == 0 ? 0 : 1);
  }
  context.cgromType = 99;
  image[0x23A] = 0x77;
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x23A], 0x77) << "an unrecognised generator keeps the marks";
}

TEST_F(EncodeTest, LargeMemoryComesFromThePagerWhenTheLinkHasIt) {
  UseFamily(0x84);
  struct Case {
    std::optional<int> reply;
    bool decoded;
    int bit;
  };
  const Case cases[] = {
      {32, false, 1}, {31, true, 0}, {std::nullopt, true, 1}, {std::nullopt, false, 0}};
  for (const Case& c : cases) {
    context.memoryReply = c.reply;
    settings.largeMemory = c.decoded;
    ASSERT_EQ(Encode(), kSuccess);
    EXPECT_EQ((image[0x03A] >> 3) & 1, c.bit);
  }
}

TEST_F(EncodeTest, NotebooksForceManualDelete) {
  UseFamily(0xC0);
  settings.SetChecked("cb_manualDelete", false);
  settings.SetChecked("cb_personalMessageNotebook", true);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x037] & 0x80, 0x80);
  settings.SetChecked("cb_personalMessageNotebook", false);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x037] & 0x80, 0x00);
}

TEST_F(EncodeTest, UserPasswordKeysTimeoutAndCount) {
  UseFamily(0x84);
  settings.SetText("ed_cpwFc_Password", "0123");  // Left, Right, Up, Down
  settings.SetText("ed_cpwFc_Pswd_Timeout_h", "1");
  settings.SetText("ed_cpwFc_Pswd_Timeout_m", "2");
  settings.SetText("ed_cpwFc_Pswd_Timeout_s", "3");
  settings.SetItem("cb_fUif_User_Password_Enable", 1);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(BytesAt(image, 0x15D, 2), (std::vector<std::uint8_t>{0x1B, 0x00}));
  EXPECT_EQ(image[0x15F] | image[0x160] << 8, 3723);
  EXPECT_EQ(image[0x161], (2 << 5) | 0x08);

  settings.SetText("ed_cpwFc_Password", "22");
  settings.SetText("ed_cpwFc_Pswd_Timeout_h", "13");
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x15D], 0x0A);
  EXPECT_EQ(image[0x15F] | image[0x160] << 8, 43200);
  EXPECT_EQ(image[0x161] >> 5, 0);
}

TEST_F(EncodeTest, PleasingAlertDefaultOrCustomTune) {
  UseFamily(0x84);
  settings.SetItem("cb_programmablePleasingAlert", 0);
  settings.pleasingAlertTune.fill(0x21);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(BytesAt(image, 0x044, 16), Fill(16, 0xE9));
  settings.SetItem("cb_programmablePleasingAlert", 1);
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(BytesAt(image, 0x044, 16), Fill(16, 0x21));
}

TEST_F(EncodeTest, MissedFrameTimeStaysWithinItsBits) {
  UseFamily(0xC0);
  const struct {
    const char* minutes;
    const char* seconds;
    std::uint8_t stored;
  } cases[] = {{" 0", " 0", 0x00}, {"1", "15", 0x05}, {"60", "45", 0xF3}, {"99", "99", 0xF3}};
  for (const auto& c : cases) {
    settings.SetText("ed_missed_frame_count_min", c.minutes);
    settings.SetText("ed_missed_frame_count_sec", c.seconds);
    ASSERT_EQ(Encode(), kSuccess);
    EXPECT_EQ(image[0x2C4], c.stored) << c.minutes << " min " << c.seconds << " s";
  }
}

TEST_F(EncodeTest, MissedFrameTimeAndBandByte) {
  UseFamily(0x84);
  settings.SetText("ed_missed_frame_count_min", "60");
  settings.SetText("ed_missed_frame_count_sec", "45");
  settings.SetItem("cb_freqBand", 5);
  settings.SetItem("cb_nwBand", 1);
  image[0x165] = 0x02;
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x2C4], 0xF3);
  EXPECT_EQ(image[0x165], 0x80 | (5 << 3) | 0x02);
}

TEST_F(EncodeTest, SubModelFollowsTheFirmwareAndSerial) {
  UseFamily(0x84);
  context.firmware.R0407 = true;
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(image[0x29A], 133);
}

// A 1 KB pager with Chinese prompts keeps them in their fixed slots, byte for
// byte, instead of a packed stream that would turn them into Latin codes.
TEST_F(EncodeTest, OneKilobyteChinesePromptsGoIntoTheirSlots) {
  UseFamily(0xC0);
  settings.ideoPrompts = true;
  const std::string power = "4C5D6E7F8G9H!!";
  settings.SetText("ed_powerUpPrompt", power);
  settings.SetText("ed_onPrompt", "!!");
  ASSERT_EQ(Encode(), kSuccess);
  EXPECT_EQ(std::string(image.data() + 0x192, image.data() + 0x192 + 14), power);
  EXPECT_EQ(BytesAt(image, 0x1D6, 6), (std::vector<std::uint8_t>{'!', '!', 0, 0, 0, 0}));
  EXPECT_EQ(image[0x039] & 0x02, 0x02);
}

TEST_F(EncodeTest, LatinPromptsArePackedAndTheRestOfTheAreaIsZero) {
  UseFamily(0x84);
  for (const auto& name : {"ed_powerUpPrompt", "ed_onPrompt"}) settings.SetText(name, "ON");
  ASSERT_EQ(Encode(), kSuccess);
  // 75 prompts of at least one character each fit well inside the area; the
  // tail of the area is zero.
  EXPECT_EQ(BytesAt(image, 0x700, 0x747 - 0x700), Fill(0x747 - 0x700, 0));
  EXPECT_NE(BytesAt(image, 0x300, 16), Fill(16, 0));
}

TEST_F(EncodeTest, NothingIsWrittenWithoutAFamily) {
  EXPECT_EQ(Encode(), 0);
  EXPECT_EQ(image, PatternedImage());
  SelectLayout(layout, 0x84);
  EXPECT_EQ(EncodeImage1K(settings, layout, image, context), 0);
  EXPECT_EQ(image, PatternedImage());
}

}  // namespace
}  // namespace rer
