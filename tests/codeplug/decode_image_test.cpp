#include "codeplug/decode_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "codeplug/address_codec.h"
#include "codeplug/codec_bindings.h"
#include "core/result_codes.h"
#include "prompts/national_char_set.h"
#include "prompts/packed_prompts.h"
#include "synth/synth_area.h"

namespace rer {
namespace {

// Stands in for the link's scrambling: reversing shows which bytes were read.
std::string Reversed(std::string_view text) {
  return std::string(text.rbegin(), text.rend());
}

// A codeplug of one family, the settings it is decoded into and the run's
// synthesizer state.
class DecodeFixture {
 public:
  explicit DecodeFixture(PagerFamily family, std::uint8_t modelCode)
      : layout(family),
        context{.cgromType = 0,
                .modelCode = modelCode,
                .synth = synth,
                .unscramblePassword = &Reversed} {
    image[0x001] = modelCode;
    SetVersion(0x14, 0x69);
  }

  void SetVersion(std::uint8_t first, std::uint8_t second) {
    image[0x24D] = first;
    image[0x24E] = second;
  }
  void Put(std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) image[offset++] = byte;
  }
  void PutText(std::size_t offset, std::string_view text) {
    for (char c : text) image[offset++] = static_cast<std::uint8_t>(c);
  }
  void PutSynth(std::uint32_t nWord, std::uint32_t rWord, std::uint8_t mode, std::uint8_t ref,
                std::uint8_t band) {
    const SynthArea& area = SynthAreaOf(layout.Is4K() ? SynthFamily::k4K : SynthFamily::k1K);
    WriteSynthWord(image.Bytes(), area.nWord, nWord);
    WriteSynthWord(image.Bytes(), area.rWord, rWord);
    image[area.modeByte] = mode;
    image[area.refByte] = ref;
    image[area.bandByte] = band;
  }
  void PutPrompts(const PromptTexts& texts) {
    const auto numbering = layout.Is4K() ? PromptNumbering::kExtended : PromptNumbering::kClassic;
    WritePackedPrompts(texts, numbering, image.Bytes(), *layout.PackedPromptAreaStart());
  }
  void PutAddresses(const AddressSettings& addresses) {
    ImageFields fields(image, layout);
    EncodeAddressOptions(addresses, 0, fields);
    EncodeAddressSlots(addresses, fields);
  }

  int Decode() {
    return layout.Is4K() ? DecodeImage4K(image, layout, settings, context)
                         : DecodeImage1K(image, layout, settings, context);
  }

  CodeplugImage image;
  Layout layout;
  EditorSettings settings;
  SynthState synth;
  DecodeContext context;
};

constexpr std::uint8_t kModel4K = 0x84;
constexpr std::uint8_t kModel1K = 0x81;

TEST(DecodeImageTest, VersionDecidesWhetherTheCodeplugIsDecoded) {
  struct Case {
    std::uint8_t first, second;
    int result;
    const char* text;
    bool newBandCoding;
  };
  const Case cases[] = {
      {0x14, 0x69, kSuccess, "Codeplug Version : R040609", true},
      {0x14, 0x6A, kCodeplugTooNew, "Codeplug Version : R040610", true},
      {0x15, 0x00, kCodeplugTooNew, "Codeplug Version : R050000", true},
      {0x04, 0x11, kSuccess, "Codeplug Version : B040101", false},
      {0x14, 0x12, kSuccess, "Codeplug Version : R040102", true},
      {0x1A, 0x00, kCodeplugTooNew, "Codeplug Version : R100000", true},
  };
  for (PagerFamily family : {PagerFamily::k1K, PagerFamily::k4K}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.text);
      DecodeFixture f(family, family == PagerFamily::k4K ? kModel4K : kModel1K);
      f.SetVersion(c.first, c.second);
      f.PutText(0x028, "NEWSERIAL ");
      f.Put(0x036, {0x00});
      f.settings.SetText("ed_serialNumber", "OLD");
      f.settings.SetItem("cb_deafPager", 0);
      f.settings.passwords.ota = "OLDOTA";
      const SynthRecord recordBefore = f.synth.record;

      EXPECT_EQ(f.Decode(), c.result);
      EXPECT_EQ(f.settings.versionText, c.text);
      EXPECT_EQ(f.settings.newBandCoding, c.newBandCoding);
      if (c.result == kCodeplugTooNew) {
        EXPECT_EQ(f.settings.Text("ed_serialNumber"), "OLD");
        EXPECT_EQ(f.settings.Item("cb_deafPager"), 0);
        EXPECT_EQ(f.settings.passwords.ota, "OLDOTA");
        EXPECT_EQ(f.synth.record, recordBefore);
      } else {
        EXPECT_EQ(f.settings.Text("ed_serialNumber"), "NEWSERIAL ");
        EXPECT_EQ(f.settings.Item("cb_deafPager"), 1);
      }
    }
  }
}

TEST(DecodeImageTest, DecodeRefusesALayoutOfTheOtherFamily) {
  DecodeFixture f(PagerFamily::k1K, kModel1K);
  f.settings.SetText("ed_serialNumber", "OLD");
  EXPECT_EQ(DecodeImage4K(f.image, f.layout, f.settings, f.context), kNotDone);
  EXPECT_EQ(f.settings.Text("ed_serialNumber"), "OLD");
}

// The password enables lie elsewhere in 4 KB codeplugs up to 4.6.4.
TEST(DecodeImageTest, PasswordEnablesFollowTheCodeplugVersion) {
  struct Case {
    PagerFamily family;
    std::uint8_t versionLow;  // 0x64 = 4.6.4, 0x65 = 4.6.5
    std::uint8_t option012;
    std::uint8_t option032;
    bool local;
    bool secure;
  };
  const Case cases[] = {
      {PagerFamily::k4K, 0x64, 0x01, 0x80, true, true},
      {PagerFamily::k4K, 0x64, 0x06, 0x00, false, false},
      {PagerFamily::k4K, 0x65, 0x01, 0x80, false, false},
      {PagerFamily::k4K, 0x65, 0x06, 0x00, true, true},
      {PagerFamily::k1K, 0x64, 0x04, 0x80, true, false},
      {PagerFamily::k1K, 0x64, 0x02, 0x00, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.versionLow) << " " << int(c.option012));
    DecodeFixture f(c.family, c.family == PagerFamily::k4K ? kModel4K : kModel1K);
    f.SetVersion(0x14, c.versionLow);
    f.Put(0x012, {c.option012});
    f.Put(0x032, {c.option032});
    f.Put(0x000, {0x35});  // three local and five secure wrong tries
    f.PutText(0x013, "LOCAL-PW12");
    f.PutText(0x01D, "SECURE-PW1");
    ASSERT_EQ(f.Decode(), kSuccess);
    EXPECT_EQ(f.settings.Checked("cb_enableLocalPasswd"), c.local);
    EXPECT_EQ(f.settings.Checked("cb_enableSecurePasswd"), c.secure);
    EXPECT_EQ(f.settings.passwords.local, c.local ? "21WP-LACOL" : "");
    EXPECT_EQ(f.settings.passwords.localWrongCount, c.local ? 0x30 : 0);
    EXPECT_EQ(f.settings.passwords.secure, c.secure ? "1WP-ERUCES" : "");
    EXPECT_EQ(f.settings.passwords.secureWrongCount, c.secure ? 0x05 : 0);
  }
}

TEST(DecodeImageTest, NationalRowSelectsTheFirstMatchingCharacterSet) {
  struct Case {
    const char* what;
    NationalRow row;
    int item;
  };
  NationalRow nothing = NationalCharRow(9);
  nothing[13] ^= 0x01;
  const Case cases[] = {
      {"Danish", NationalCharRow(9), 9},
      {"US", NationalCharRow(0), 0},
      {"UK", NationalCharRow(10), 10},
      {"no row", nothing, 0},
      {"fourteen zero bytes", NationalRow{}, kNoCharSet},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DecodeFixture f(PagerFamily::k4K, kModel4K);
    std::copy(c.row.begin(), c.row.end(), f.image.Bytes().begin() + 0x22C);
    ASSERT_EQ(f.Decode(), kSuccess);
    EXPECT_EQ(f.settings.Item("cb_internationalCharSet"), c.item);
  }
}

TEST(DecodeImageTest, PleasingAlertIsDefaultOnlyWhenEveryNoteIsTheDefault) {
  for (const std::uint8_t odd : {std::uint8_t{0xE9}, std::uint8_t{0xE8}}) {
    DecodeFixture f(PagerFamily::k1K, kModel1K);
    std::fill_n(f.image.Bytes().begin() + 0x044, 16, 0xE9);
    f.image[0x04C] = odd;
    ASSERT_EQ(f.Decode(), kSuccess);
    EXPECT_EQ(f.settings.Item("cb_programmablePleasingAlert"), odd == 0xE9 ? 0 : 1);
    EXPECT_EQ(f.settings.pleasingAlertTune[8], odd);
  }
}

// The large-memory bit comes from the image, or from the pager while a
// program sequence runs; it picks the column of the memory texts.
TEST(DecodeImageTest, MemoryTextsUseTheLargeMemoryColumnWhenTheBitSaysSo) {
  struct Case {
    bool imageBit;
    bool programSequence;
    bool pagerLarge;
    std::uint8_t modelCode;
    bool large;
    const char* personal;
  };
  const Case cases[] = {
      {false, false, true, kModel4K, false, "  3K"}, {true, false, false, kModel4K, true, "   3K"},
      {true, true, false, kModel4K, false, "  3K"},  {false, true, true, kModel4K, true, "   3K"},
      {true, false, false, 0x40, true, ""},
  };
  for (const Case& c : cases) {
    DecodeFixture f(PagerFamily::k4K, c.modelCode);
    f.context.programSequence = c.programSequence;
    f.context.pagerLargeMemory = c.pagerLarge;
    f.Put(0x027, {3});
    f.Put(0x03A, {static_cast<std::uint8_t>(c.imageBit ? 0x08 : 0x00)});
    ASSERT_EQ(f.Decode(), kSuccess);
    EXPECT_EQ(f.settings.largeMemory, c.large);
    EXPECT_EQ(f.settings.Text("ed_persMemSizeString"), c.personal);
  }
}

TEST(DecodeImageTest, ChinesePromptsOfA1KCodeplugComeFromTheFixedSlots) {
  DecodeFixture f(PagerFamily::k1K, kModel1K);
  f.Put(0x039, {0x02});
  f.PutText(0x192, "ABCDEFGHIJKLMN");
  f.PutText(0x1D6, "ON");  // a slot shorter than its width ends at the zero byte
  ASSERT_EQ(f.Decode(), kSuccess);
  EXPECT_TRUE(f.settings.ideoPrompts);
  EXPECT_EQ(f.settings.Text("ed_powerUpPrompt"), "ABCDEFGHIJKLMN");
  EXPECT_EQ(f.settings.Text("ed_onPrompt"), "ON");
}

// The 4 KB family has no fixed slots, and its encode always packs: with the
// Chinese mark set the packed prompts are read all the same.
TEST(DecodeImageTest, A4KCodeplugWithTheChineseMarkReadsItsPackedPrompts) {
  DecodeFixture f(PagerFamily::k4K, kModel4K);
  PromptTexts texts;
  texts.fill("X");
  texts[static_cast<std::size_t>(FindPromptByField("ed_powerUpPrompt")->extended)] = "HELLO";
  f.PutPrompts(texts);
  f.Put(0x039, {0x02});
  ASSERT_EQ(f.Decode(), kSuccess);
  EXPECT_TRUE(f.settings.ideoPrompts);
  EXPECT_EQ(f.settings.Text("ed_powerUpPrompt"), "HELLO");
}

TEST(DecodeImageTest, PackedPromptsAreCutToTwentyCharacters) {
  DecodeFixture f(PagerFamily::k1K, kModel1K);
  PromptTexts texts;
  texts.fill("A");
  texts[static_cast<std::size_t>(FindPromptByField("ed_groupPrompt")->extended)] =
      "ABCDEFGHIJKLMNOPQRSTUVWXY";
  f.PutPrompts(texts);
  ASSERT_EQ(f.Decode(), kSuccess);
  EXPECT_FALSE(f.settings.ideoPrompts);
  EXPECT_EQ(f.settings.Text("ed_groupPrompt"), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(f.settings.Text("ed_privateTimePrompt"), "A");
}

AddressSettings TwoAddresses() {
  AddressSettings addresses;
  addresses[0].capcode = "1234567";
  addresses[0].frame = "005";
  addresses[0].batteryCycle = "3";
  addresses[0].personal = true;
  addresses[0].messageType = kGroup;
  addresses[2].capcode = "0200000";
  addresses[2].frame = "127";
  addresses[2].batteryCycle = "7";
  addresses[2].priority = true;
  return addresses;
}

// A whole 4 KB codeplug: a handful of settings from every page.
TEST(DecodeImageTest, Full4KCodeplug) {
  DecodeFixture f(PagerFamily::k4K, 0xD0);
  f.PutText(0x028, "ZVKHMOS003");
  f.PutText(0x24F, "ICN-000042");
  f.PutText(0x008, "OTA       ");
  f.Put(0x29A, {30});
  f.Put(0x038, {0x80});  // "Icons"
  f.Put(0x041, {0x05});  // no such code: "4 sec"
  f.Put(0x03C, {0x02});
  f.Put(0x15C, {0x01});  // alert duration "30 sec"
  f.Put(0x15B, {0x20});  // the new alert menu bit is never shown
  f.Put(0x245, {5 << 3});
  f.Put(0x2C4, {0xF3});
  f.Put(0x228, {0x00, 0x0A, 0x12, 0x34});
  f.Put(0x23F, {0xFD});
  f.Put(0x104, {0x02});  // second adjustment 1, stored inverted
  f.Put(0x23D, {0xF7});
  f.Put(0x15D, {0x1B, 0x00, 0x8D, 0x0E});  // keys L R U D; 3725 s
  f.Put(0x161, {0x40 | 0x08});             // four keys, enabled
  f.Put(0x222, {0x12, 0x34, 0x07});
  f.Put(0x034, {0x00, 0x05});  // OTA for addresses 1 and 3
  f.Put(0x240, {0x00, 0x04});  // history for address 3
  f.Put(0x139 + 2 * 2, {0x03, 0x48});
  f.PutAddresses(TwoAddresses());
  f.PutSynth(128 * 70801, 256 * 1024 + 17, 0x9B, 0x20,
             static_cast<std::uint8_t>(0x80 | (6 << 3) | 1));
  PromptTexts texts;
  texts.fill("T");
  f.PutPrompts(texts);
  f.Put(0x24A, {0x00});

  ASSERT_EQ(f.Decode(), kSuccess);
  const EditorSettings& s = f.settings;
  // General page.
  EXPECT_EQ(s.Text("ed_serialNumber"), "ZVKHMOS003");
  EXPECT_EQ(s.Text("ed_ICN"), "ICN-000042");
  EXPECT_EQ(s.ModelIndex(), 6);
  EXPECT_EQ(s.Text("ed_frequency"), "930.0125");
  EXPECT_EQ(s.Item("cb_freqBand"), 6);
  EXPECT_EQ(s.Item("cb_nwBand"), 1);
  EXPECT_EQ(s.Item("cb_PLL_Type"), 2);
  EXPECT_EQ(s.synthRecord.name, "NPC5170");
  EXPECT_EQ(f.synth.record.side, 1);
  EXPECT_EQ(s.Item("cb_newAlertMenu"), 0);
  // Address pages.
  EXPECT_EQ(s.Text(AddressControl::Capcode, 1), "1234567");
  EXPECT_EQ(s.Text(AddressControl::Frame, 1), "005");
  EXPECT_EQ(s.Item(AddressControl::MessageType, 1), kGroup);
  EXPECT_TRUE(s.Checked(AddressControl::OtaEnable, 1));
  EXPECT_EQ(s.Text(AddressControl::Capcode, 3), "0200000");
  EXPECT_TRUE(s.Checked(AddressControl::History, 3));
  EXPECT_TRUE(s.Checked(AddressControl::OtaEnable, 3));
  EXPECT_EQ(s.Item(AddressControl::AlertPattern, 3), 3);
  EXPECT_EQ(s.Item(AddressControl::AlertMode, 3), 0);
  EXPECT_EQ(s.Text(AddressControl::OnOffDuty, 3), "Y");
  EXPECT_EQ(s.Text(AddressControl::InterruptVib, 3), "Y");
  EXPECT_EQ(s.Text(AddressControl::Capcode, 2), "");
  // Prompt pages.
  EXPECT_EQ(s.promptLanguage, 5);
  EXPECT_EQ(s.Item("cb_internationalPrompt"), 5);
  EXPECT_EQ(s.Text("ed_sourcePrompt"), "T");
  // Alert page.
  EXPECT_EQ(s.Item("cb_alertDuration"), 2);
  EXPECT_EQ(s.Item("cb_readScrollTime"), 4);
  EXPECT_EQ(s.Text("ed_missed_frame_count_min"), "60");
  EXPECT_EQ(s.Text("ed_missed_frame_count_sec"), "45");
  // Password/OTA page.
  EXPECT_EQ(s.passwords.ota, "       ATO");
  EXPECT_EQ(s.Text("ed_cpwFc_Password"), "0123");
  EXPECT_EQ(s.Text("ed_cpwFc_Password_LRUD"), "LRUD");
  EXPECT_EQ(s.Text("ed_cpwFc_Pswd_Timeout_h"), "1");
  EXPECT_EQ(s.Text("ed_cpwFc_Pswd_Timeout_m"), "2");
  EXPECT_EQ(s.Text("ed_cpwFc_Pswd_Timeout_s"), "5");
  EXPECT_EQ(s.Item("cb_fUif_User_Password_Enable"), 1);
  // Features pages.
  EXPECT_EQ(s.Item("cb_functionMenuDisplay"), 1);
  EXPECT_EQ(s.Text("ed_startCannedMsg"), "000A");
  EXPECT_EQ(s.Text("ed_endCannedMsg"), "1234");
  EXPECT_TRUE(s.Checked("cb_regularCannedMsg"));
  EXPECT_EQ(s.Text("ed_displayContrast"), "7");
  EXPECT_EQ(s.clockSecondAdjust, -3);
  EXPECT_EQ(s.iconContrast, 1);
  EXPECT_EQ(s.Text("ed_CP_EP1_HP_Password"), "1234");
  EXPECT_EQ(s.Text("ed_CP_EP1_HP_Error_Number"), "7");
}

// A whole 1 KB codeplug, with the family's own places and rules.
TEST(DecodeImageTest, Full1KCodeplug) {
  DecodeFixture f(PagerFamily::k1K, 0xC0);
  // The packed area's last byte is the band byte: prompts go in first.
  PromptTexts texts;
  texts.fill("P");
  f.PutPrompts(texts);
  f.PutText(0x028, "KTLBCRA123");
  f.Put(0x29A, {34});
  f.Put(0x012, {0x80 | 0x20 | 0x10});  // "2 Line", priority without, "25ms"
  f.Put(0x3AD, {0x5A, 0x4E, 0x62});
  f.Put(0x3B0, {0x00, 0x5A, 0x77});
  f.Put(0x039, {0x00});
  f.Put(0x2C4, {0x00});
  f.PutAddresses(TwoAddresses());
  // HI8107 on VHF A: 152.84 MHz.
  f.PutSynth(2 * 269879, 16 * 3200 + 1, 0x00, 0x00, static_cast<std::uint8_t>((1 << 3) | 1));
  std::fill_n(f.image.Bytes().begin() + 0x25D, 41, 0x3C);

  ASSERT_EQ(f.Decode(), kSuccess);
  const EditorSettings& s = f.settings;
  EXPECT_EQ(s.ModelIndex(), 10);
  EXPECT_EQ(s.Item("cb_ZoomDefault"), 1);
  EXPECT_TRUE(s.Checked("cb_priorityWithout"));
  EXPECT_EQ(s.Item("cb_RF_Timing"), 1);
  EXPECT_EQ(s.Text("ed_frequency"), "152.8400");
  EXPECT_EQ(s.Item("cb_freqBand"), 1);
  EXPECT_EQ(s.Item("cb_nwBand"), 0);
  EXPECT_EQ(s.Item("cb_PLL_Type"), 0);
  EXPECT_EQ(f.synth.params.type, 0);  // the read-back parameters are stored
  EXPECT_EQ(s.kept.alarm, (std::array<std::uint8_t, 3>{0x5A, 0x4E, 0x62}));
  EXPECT_EQ(s.iconContrast, 3);
  EXPECT_EQ(s.kept.synthAreaByte1, 0x5A);
  EXPECT_EQ(s.kept.synthAreaByte2, 0x77);
  EXPECT_EQ(s.carriedRegion[40], 0x3C);
  EXPECT_EQ(s.Text(AddressControl::Capcode, 1), "1234567");
  EXPECT_EQ(s.Text(AddressControl::Collapse, 3), "7");
  EXPECT_EQ(s.Text("ed_powerUpPrompt"), "P");
  EXPECT_EQ(s.Text("ed_missed_frame_count_min"), " 0");
  // The 4 KB-only settings stay as they were.
  EXPECT_EQ(s.Text("ed_cpwFc_Password"), "");
  EXPECT_EQ(s.Item("cb_newAlertMenu"), kNoItem);
}

// The 1 KB band byte: new coding reads the byte with the old receivers'
// limits; old coding works the band out from the frequency.
TEST(DecodeImageTest, OneKBandFollowsTheBandCoding) {
  struct Case {
    const char* what;
    std::uint8_t versionLow;
    std::uint8_t modelCode;  // of the pager in the cradle
    std::uint8_t imageModelByte;
    int storedBand;
    int band;
  };
  const Case cases[] = {
      {"stored band", 0x69, 0x81, 0x81, 2, 2},
      {"band 0 on the one-message pager", 0x69, 0x89, 0x89, 0, 6},
      {"band 0 elsewhere", 0x69, 0x81, 0x81, 0, 0},
      // The pager decides, not the model byte its firmware had written.
      {"band 0, one-message pager, renamed image", 0x69, 0x89, 0x81, 0, 6},
      {"band 0, other pager, one-message image", 0x69, 0x81, 0x89, 0, 0},
      {"band above VHF C", 0x69, 0x81, 0x81, 5, 6},
      {"old coding: from 152.84 MHz", 0x11, 0x81, 0x81, 5, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DecodeFixture f(PagerFamily::k1K, c.modelCode);
    f.image[0x001] = c.imageModelByte;
    f.SetVersion(0x14, c.versionLow);
    f.PutSynth(2 * 269879, 16 * 3200 + 1, 0x00, 0x00,
               static_cast<std::uint8_t>((c.storedBand << 3) | 1));
    ASSERT_EQ(f.Decode(), kSuccess);
    EXPECT_EQ(f.settings.Item("cb_freqBand"), c.band);
  }
}

TEST(DecodeImageTest, AFrequencyOutsideEveryBandLeavesNoBandSelected) {
  DecodeFixture f(PagerFamily::k1K, kModel1K);
  f.SetVersion(0x14, 0x11);
  f.settings.SetItem("cb_freqBand", 3);
  ASSERT_EQ(f.Decode(), kSuccess);  // zero synthesizer words: 0 Hz
  EXPECT_EQ(f.settings.Item("cb_freqBand"), kNoItem);
}

}  // namespace
}  // namespace rer
