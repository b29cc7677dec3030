// Encode and decode against each other: settings drawn at random within each
// control's domain survive an encode and a decode (up to the normalisations
// the codeplug imposes), and an encoded image survives a decode and an encode
// byte for byte. Both families.

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "codeplug/codec_bindings.h"
#include "codeplug/decode_image.h"
#include "codeplug/encode.h"
#include "codeplug/field_catalogue.h"
#include "codeplug/pager_family.h"
#include "core/result_codes.h"
#include "core/text.h"
#include "prompts/chinese_prompt_slots.h"
#include "prompts/prompt_catalogue.h"
#include "synth/pll_params.h"

namespace rer {
namespace {

std::string Reverse(std::string_view text) {
  return std::string(text.rbegin(), text.rend());
}

CodeplugImage PatternedImage() {
  CodeplugImage image;
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i * 37 + 11);
  }
  return image;
}

// Characters a prompt may hold that come back unchanged from the pager
// alphabet (upper case, no blank at either end).
constexpr std::string_view kPromptCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789#$@[]^_?%&/-.*!, ";

class RandomSettings {
 public:
  // The 1 KB prompt area holds 53 prompts of about ten characters; longer
  // prompts are refused by the prompt memory check before any encode.
  RandomSettings(unsigned seed, int maxPromptLength)
      : random_(seed), maxPromptLength_(maxPromptLength) {}

  int Below(int limit) { return std::uniform_int_distribution<int>(0, limit - 1)(random_); }

  std::string Digits(int count, char highest = '9') {
    std::string text;
    for (int i = 0; i < count; ++i) text += static_cast<char>('0' + Below(highest - '0' + 1));
    return text;
  }

  std::string PromptText() {
    const int length = 1 + Below(maxPromptLength_);
    std::string text;
    for (int i = 0; i < length; ++i) {
      text += kPromptCharacters[static_cast<std::size_t>(Below(kPromptCharacters.size()))];
    }
    text = Trim(text);
    return text.empty() ? "X" : text;
  }

  // Every control within its domain, as the pages and the decode produce it.
  EditorSettings Draw() {
    EditorSettings s;
    for (std::size_t i = 0; i < s.Size(); ++i) {
      const ControlEntry& entry = FieldCatalogue::Instance().Entries()[i];
      if (entry.kind == ControlKind::List && !entry.items.empty()) {
        s.ValueAt(i).number = Below(static_cast<int>(entry.items.size()));
      } else if (entry.kind == ControlKind::CheckBox) {
        s.ValueAt(i).number = Below(2);
      }
    }
    s.SetCheckState("cb_ideoNumericCanned", Below(3));
    for (const PromptInfo& prompt : PromptCatalogue()) s.SetText(prompt.field, PromptText());
    s.SetText("ed_serialNumber", "Q" + Digits(9));
    s.SetText("ed_ICN", "ICN" + Digits(7));
    s.SetText("ed_displayContrast", std::to_string(Below(16)));
    s.SetText("ed_startCannedMsg", CannedText());
    s.SetText("ed_endCannedMsg", CannedText());
    const int minutes = Below(61);
    s.SetText("ed_missed_frame_count_min", minutes == 0 ? " 0" : std::to_string(minutes));
    const int quarter = Below(4);
    s.SetText("ed_missed_frame_count_sec", quarter == 0 ? " 0" : std::to_string(quarter * 15));
    s.SetText("ed_cpwFc_Password", Digits(2 + Below(7), '3'));
    const int timeout = Below(43201);
    s.SetText("ed_cpwFc_Pswd_Timeout_h", std::to_string(timeout / 3600));
    s.SetText("ed_cpwFc_Pswd_Timeout_m", std::to_string(timeout / 60 % 60));
    s.SetText("ed_cpwFc_Pswd_Timeout_s", std::to_string(timeout % 60));
    s.SetText("ed_CP_EP1_HP_Error_Number", std::to_string(Below(256)));
    for (int n = 1; n <= 16; ++n) DrawAddress(s, n);

    s.promptLanguage = Below(15);
    s.ideoPrompts = false;
    s.printerCodeIndex = Below(5);
    s.clockSecondAdjust = Below(17) - 8;
    s.iconContrast = Below(4);
    for (auto& note : s.pleasingAlertTune) note = static_cast<std::uint8_t>(Below(256));
    s.pleasingAlertTune[0] = 0x21;  // never the all-default tune
    s.carriedOptions = {Below(2) == 1, Below(2) == 1, Below(2) == 1};
    s.kept.synthAreaByte2 = static_cast<std::uint8_t>(Below(256));
    s.kept.userPasswordAreaByte = static_cast<std::uint8_t>(Below(256));
    for (auto& byte : s.carriedRegion) byte = static_cast<std::uint8_t>(Below(256));
    s.largeMemory = Below(2) == 1;
    return s;
  }

 private:
  std::string CannedText() {
    // Four upper-case digits, as the decode shows a range.
    int word = 1 + Below(0xFFFF);
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string text(4, '0');
    for (int at = 3; at >= 0; --at, word >>= 4)
      text[static_cast<std::size_t>(at)] = kHex[word & 0xF];
    return text;
  }

  // A short capcode in every address, so that each slot stands alone.
  void DrawAddress(EditorSettings& s, int n) {
    using enum Control;
    s.SetText(Capcode, n, ZeroPad(std::to_string(1 + Below(1933312)), 7));
    s.SetText(Frame, n, ThreeDigits(Below(128)));
    s.SetText(Collapse, n, std::string(1, static_cast<char>('0' + Below(8))));
    s.SetItem(LanguagePointer, n, Below(2));  // THAI needs another character generator
    const char* yesNo[] = {"N", "Y"};
    for (AddressControl flag : {OnOffDuty, FixAlert, InterruptVib, Escalating}) {
      s.SetText(flag, n, yesNo[Below(2)]);
    }
  }

  std::mt19937 random_;
  int maxPromptLength_;
};

// The values a codeplug does not hold, or holds in another form: left out of
// the comparison or normalised as the stored bits read back.
std::set<std::string> NotStored(bool is4K) {
  std::set<std::string> names = {
      // Derived or shown only.
      "cb_Tarsel_Model", "cb_Model_Check_Warning", "cb_internationalPrompt", "ed_frequency",
      "ed_Pager_Model", "ed_persMemSizeString", "ed_persMaildropString", "ed_cpwFc_Password_LRUD",
      // Written as zero whatever the setting.
      "ed_CP_EP1_HP_Password", "ck_cpfUif_Paging_Auto_Backlight", "ck_cpfUif_New_Msg_Auto_Display",
      "ck_CP_EP1_HP_Enable"};
  for (int n = 1; n <= kAddressCount; ++n) {
    names.insert(FieldCatalogue::AddressControlName(AddressControl::FlexAddress, n));
  }
  if (!is4K) {
    for (const CodecBinding& binding : CodecBindings()) {
      if (binding.families == kOnly4K) names.insert(FieldCatalogue::ControlName(binding.control));
    }
    for (const char* name : {"cb_newAlertMenu", "cb_reminderAlertDuration", "ed_cpwFc_Password",
                             "ed_cpwFc_Pswd_Timeout_h", "ed_cpwFc_Pswd_Timeout_m",
                             "ed_cpwFc_Pswd_Timeout_s", "ed_CP_EP1_HP_Error_Number"}) {
      names.insert(name);
    }
    for (const PromptInfo& prompt : PromptCatalogue()) {
      if (prompt.classic < 0 || prompt.classicLookupOnly) names.insert(std::string(prompt.field));
    }
    for (int n = 1; n <= kAddressCount; ++n) {
      for (AddressControl c :
           {AddressControl::DecryptKey, AddressControl::OnOffDuty, AddressControl::FixAlert,
            AddressControl::InterruptVib, AddressControl::Escalating, AddressControl::AlertMode,
            AddressControl::AlertPattern}) {
        names.insert(FieldCatalogue::AddressControlName(c, n));
      }
    }
  }
  return names;
}

// What the settings become through the codeplug: the documented normalisations.
void Normalise(EditorSettings& s, std::uint8_t modelCode) {
  const bool is4K = Is4KFamily(modelCode);
  s.SetChecked("cb_regularCannedMsg",
               !s.Text("ed_startCannedMsg").empty() || !s.Text("ed_endCannedMsg").empty());
  if (s.Checked("cb_maildropMessageNotebook") || s.Checked("cb_personalMessageNotebook")) {
    s.SetChecked("cb_manualDelete", true);
  }
  const bool newMenu = is4K && s.Item("cb_newAlertMenu") == 1;
  if (!newMenu && s.Item("cb_alertDuration") == 2) s.SetItem("cb_alertDuration", 0);
  if (is4K) {
    if (!newMenu) s.SetItem("cb_reminderAlertDuration", 2);
    s.SetItem("cb_newAlertMenu", 0);
  } else {
    s.SetChecked("cb_priorityWithout", true);
    // The 1 KB family knows bands 0 to 3 and 6; model 0x89 has no band 0.
    const int band = s.Item("cb_freqBand");
    if (band > 3 || (band == 0 && modelCode == 0x89)) s.SetItem("cb_freqBand", 6);
  }
  // The chip read back is the one the words are packed for: the HI8107 and
  // NPC5170 items both give the NPC5170 on 900 MHz and the HI8107 on VHF.
  const int chip = InstalledChipType(s.Item("cb_PLL_Type"), s.Item("cb_freqBand"));
  s.SetItem("cb_PLL_Type", is4K ? chip & 3 : chip);
}

void ExpectSameSettings(const EditorSettings& actual, const EditorSettings& expected, bool is4K,
                        unsigned seed) {
  const std::set<std::string> skip = NotStored(is4K);
  const auto& entries = FieldCatalogue::Instance().Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (skip.count(entries[i].name) != 0) continue;
    EXPECT_EQ(actual.ValueAt(i).text, expected.ValueAt(i).text)
        << entries[i].name << " (seed " << seed << ")";
    EXPECT_EQ(actual.ValueAt(i).number, expected.ValueAt(i).number)
        << entries[i].name << " (seed " << seed << ")";
  }
  EXPECT_EQ(actual.promptLanguage, expected.promptLanguage);
  EXPECT_EQ(actual.ideoPrompts, expected.ideoPrompts);
  EXPECT_EQ(actual.clockSecondAdjust, expected.clockSecondAdjust);
  EXPECT_EQ(actual.iconContrast, expected.iconContrast);
  EXPECT_EQ(actual.largeMemory, expected.largeMemory);
  EXPECT_EQ(actual.kept.synthAreaByte2, expected.kept.synthAreaByte2);
  EXPECT_EQ(actual.carriedOptions.option03ABit7, expected.carriedOptions.option03ABit7);
  EXPECT_EQ(actual.carriedOptions.option03BBit5, expected.carriedOptions.option03BBit5);
  if (expected.Item("cb_programmablePleasingAlert") == 1) {
    EXPECT_EQ(actual.pleasingAlertTune, expected.pleasingAlertTune);
  }
  if (expected.Checked("cb_printerEnabled")) {
    EXPECT_EQ(actual.printerCodeIndex, expected.printerCodeIndex);
  }
  if (is4K) {
    EXPECT_EQ(actual.kept.userPasswordAreaByte, expected.kept.userPasswordAreaByte);
    EXPECT_EQ(actual.carriedRegion, expected.carriedRegion);
  }
}

struct Family {
  std::uint8_t modelCode;
};

class CodecRoundTripTest : public ::testing::TestWithParam<Family> {
 protected:
  void SetUp() override {
    SelectLayout(layout, GetParam().modelCode);
    encodeContext.modelCode = GetParam().modelCode;
    encodeContext.cgromType = 1;  // keeps the canned range and ideographic levels
    encodeContext.programming = true;
    encodeContext.scramble = Reverse;
    encodeContext.passwords.ota = "OTA PASS";
    encodeContext.passwords.local = "LOCAL";
    encodeContext.passwords.secure = "SECURE";
    // Dividers as a search leaves them, for the words the encode writes.
    synth.result = {.FoundN = 0x2345, .FoundR = 0x123, .SearchFlags = 2, .side = 2};
    synth.SynthHwByte = 2;
    encodeContext.synth = &synth;
  }

  int Decode(const CodeplugImage& image, EditorSettings& settings) {
    DecodeContext context{.cgromType = encodeContext.cgromType,
                          .modelCode = encodeContext.modelCode,
                          .programSequence = false,
                          .pagerLargeMemory = false,
                          .synth = synth,
                          .unscramblePassword = Reverse};
    return layout.Is4K() ? DecodeImage4K(image, layout, settings, context)
                         : DecodeImage1K(image, layout, settings, context);
  }

  bool Is4K() const { return layout.Is4K(); }

  // A 1 KB pager receives only in the bands its frequencies can fall in; the
  // band check refuses the others before any encode.
  EditorSettings Draw(unsigned seed) {
    RandomSettings generator(seed, MaxPromptLength());
    EditorSettings settings = generator.Draw();
    constexpr int k1KBands[] = {1, 2, 3, 6};
    if (!Is4K()) settings.SetItem("cb_freqBand", k1KBands[generator.Below(4)]);
    return settings;
  }
  int MaxPromptLength() const { return Is4K() ? 20 : 8; }

  Layout layout;
  EncodeContext encodeContext;
  SynthState synth;
};

TEST_P(CodecRoundTripTest, RandomSettingsSurviveEncodeAndDecode) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    EditorSettings original = Draw(seed);
    EditorSettings encoded = original;
    CodeplugImage image = PatternedImage();
    ASSERT_EQ(EncodeImage(encoded, layout, image, encodeContext), kSuccess);

    EditorSettings decoded;
    ASSERT_EQ(Decode(image, decoded), kSuccess) << "seed " << seed;
    Normalise(original, GetParam().modelCode);
    ExpectSameSettings(decoded, original, Is4K(), seed);
    EXPECT_EQ(decoded.passwords.ota, PadRight(encodeContext.passwords.ota, 10));
    if (HasFailure()) return;
  }
}

TEST_P(CodecRoundTripTest, EncodedImageSurvivesDecodeAndEncode) {
  for (unsigned seed = 100; seed < 140; ++seed) {
    EditorSettings settings = Draw(seed);
    // The settings the decode gives back as they were (see Normalise).
    Normalise(settings, GetParam().modelCode);
    CodeplugImage first = PatternedImage();
    ASSERT_EQ(EncodeImage(settings, layout, first, encodeContext), kSuccess);

    EditorSettings decoded;
    const DividerResult searched = synth.result;
    ASSERT_EQ(Decode(first, decoded), kSuccess);
    // Before a program or a save the divider search runs again for the
    // editor's frequency; for the same frequency it finds the same dividers.
    synth.result = searched;
    CodeplugImage second = first;
    ASSERT_EQ(EncodeImage(decoded, layout, second, encodeContext), kSuccess);
    for (std::size_t i = 0; i < CodeplugImage::size(); ++i) {
      ASSERT_EQ(second[i], first[i])
          << "seed " << seed << ", first difference at 0x" << std::hex << i;
    }
  }
}

// Chinese prompts of a 1 KB pager come back from their fixed slots byte for
// byte, whether they fill their slot or end early (a zero byte ends them).
TEST(CodecRoundTrip, OneKilobyteChinesePromptsSurvive) {
  Layout layout;
  SelectLayout(layout, 0xC0);
  SynthState synth;
  EncodeContext encode;
  encode.modelCode = 0xC0;
  encode.cgromType = 1;
  encode.scramble = Reverse;

  std::mt19937 random(7);
  EditorSettings settings;
  settings.ideoPrompts = true;
  settings.promptLanguage = 15;
  for (const ChinesePromptSlot& slot : ChinesePromptSlots()) {
    // The last two bytes of the set-time-alarm slot are the first two of the
    // next prompt's slot, so only a text that ends before them comes back.
    const std::size_t width = slot.field == "ed_setTimeAlarmPrompt" ? slot.width - 4 : slot.width;
    const std::size_t pairs = 1 + random() % (width / 2);
    std::string text;
    for (std::size_t i = 0; i < 2 * pairs; ++i) text += static_cast<char>(0x21 + random() % 0x5E);
    settings.SetText(slot.field, text);
  }
  CodeplugImage image = PatternedImage();
  ASSERT_EQ(EncodeImage(settings, layout, image, encode), kSuccess);

  EditorSettings decoded;
  DecodeContext decode{.cgromType = 1,
                       .modelCode = 0xC0,
                       .programSequence = false,
                       .pagerLargeMemory = false,
                       .synth = synth,
                       .unscramblePassword = Reverse};
  ASSERT_EQ(DecodeImage1K(image, layout, decoded, decode), kSuccess);
  EXPECT_TRUE(decoded.ideoPrompts);
  for (const ChinesePromptSlot& slot : ChinesePromptSlots()) {
    EXPECT_EQ(decoded.Text(slot.field), settings.Text(slot.field)) << slot.field;
  }
}

INSTANTIATE_TEST_SUITE_P(Families, CodecRoundTripTest,
                         ::testing::Values(Family{0x84}, Family{0xD0}, Family{0xC0}, Family{0x89}),
                         [](const auto& info) {
                           return "Model" + std::to_string(info.param.modelCode);
                         });

}  // namespace
}  // namespace rer
