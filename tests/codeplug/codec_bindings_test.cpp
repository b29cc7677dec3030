#include "codeplug/codec_bindings.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "codeplug/layout_codes.h"
#include "core/text.h"

namespace rer {
namespace {

struct DecodeCase {
  PagerFamily family;
  std::size_t offset;
  std::uint8_t byte;
  const char* control;
  int expected;  // list item or check-box state
};

int NumberOf(const EditorSettings& settings, const char* control) {
  const ControlEntry* entry = FieldCatalogue::Instance().Find(control);
  return entry->kind == ControlKind::CheckBox ? settings.CheckState(control)
                                              : settings.Item(control);
}

// One byte in an otherwise zero image lands in the right control with the
// right polarity and code table, per family.
TEST(CodecBindingsTest, DecodeShowsEachByteInItsControl) {
  using enum PagerFamily;
  const DecodeCase cases[] = {
      {k4K, 0x036, 0x02, "cb_deafPager", 0},  // bit set = "Standard"
      {k4K, 0x036, 0x00, "cb_deafPager", 1},
      {k1K, 0x036, 0x00, "cb_disableAllAlerts", 1},
      {k1K, 0x036, 0x04, "cb_disableAllAlerts", 0},
      {k4K, 0x032, 0x00, "cb_rfProgrammingEnabled", 1},
      {k4K, 0x038, 0x00, "cb_functionMenuDisplay", 0},
      {k4K, 0x038, 0x40, "cb_functionMenuDisplay", 0},
      {k4K, 0x038, 0x80, "cb_functionMenuDisplay", 1},
      {k1K, 0x038, 0xC0, "cb_functionMenuDisplay", 2},
      {k4K, 0x041, 0x05, "cb_readScrollTime", 4},  // no such code: "4 sec"
      {k1K, 0x041, 0xF0, "cb_readScrollTime", 8},
      {k1K, 0x040, 0x05, "cb_readTimeout", 1},  // no such code: "32 sec"
      {k4K, 0x03D, 0xE1, "cb_reminderAlertInterval", 7},
      {k1K, 0x03F, 0x03, "cb_sequentialLockoutPeriod", 0},
      {k1K, 0x012, 0x80, "cb_ZoomDefault", 1},
      {k4K, 0x012, 0x80, "cb_ZoomDefault", 0},  // lives in the duty byte there
      {k4K, 0x15B, 0x01, "cb_ZoomDefault", 1},
      {k1K, 0x012, 0x20, "cb_priorityWithout", 1},
      {k4K, 0x15C, 0x08, "cb_priorityWithout", 1},
      {k4K, 0x039, 0x10, "cb_ideoNumericCanned", 2},  // pattern 10 reads as level 2
      {k4K, 0x039, 0x08, "cb_ideoNumericCanned", 1},
      {k1K, 0x2C3, 0x81, "cb_flexFrames", 1},
      {k1K, 0x2C3, 0x00, "cb_flexFrames", 0},
      {k4K, 0x2C5, 0x1F, "cb_oorTime", 3},
      {k4K, 0x243, 0x04, "cb_disp_slot_msg", 2},
      {k4K, 0x248, 0xA5, "cb_batteryGaugeHiLevel", 10},
      {k4K, 0x248, 0xA5, "cb_batteryGaugeMedLevel", 5},
      {k4K, 0x249, 0x30, "cb_batteryGaugeLoLevel", 3},
      {k4K, 0x15A, 0x05, "cb_defaultReminderAlertMode", 5},
      {k4K, 0x15C, 0x06, "cb_reminderAlertDuration", 3},
      {k4K, 0x227, 0x10, "ck_CP_EP1_HP_Enable", 1},
      {k4K, 0x246, 0x80, "cb_silentRFProgramming", 1},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(std::string(c.control) + " byte " + std::to_string(c.byte));
    CodeplugImage image;
    image[c.offset] = c.byte;
    const Layout layout(c.family);
    EditorSettings settings;
    DecodeBindings(ImageReader(image, layout), settings);
    EXPECT_EQ(NumberOf(settings, c.control), c.expected);
  }
}

// A 1 KB image leaves the 4 KB-only controls alone.
TEST(CodecBindingsTest, OtherFamilysControlsStayUntouched) {
  CodeplugImage image;
  image[0x15B] = 0xFF;
  image[0x246] = 0x80;
  const Layout layout(PagerFamily::k1K);
  EditorSettings settings;
  DecodeBindings(ImageReader(image, layout), settings);
  EXPECT_EQ(settings.Item("cb_turnOnPager"), kNoItem);
  EXPECT_EQ(settings.CheckState("cb_silentRFProgramming"), 0);
}

TEST(CodecBindingsTest, TextsKeepTheStoredCharactersAndArePaddedBack) {
  CodeplugImage image;
  const Layout layout(PagerFamily::k4K);
  const std::string serial = "A12345678 ";
  for (std::size_t i = 0; i < serial.size(); ++i) image[0x028 + i] = serial[i];
  EditorSettings settings;
  DecodeBindings(ImageReader(image, layout), settings);
  EXPECT_EQ(settings.Text("ed_serialNumber"), serial);

  settings.SetText("ed_ICN", "ICN7");
  ImageFields fields(image, layout);
  EncodeBindings(settings, fields);
  EXPECT_EQ(ImageReader(image, layout).Text(Field::kInventoryNumber), "ICN7      ");
}

// Decode-only controls are never written: the encode step owns those bits.
TEST(CodecBindingsTest, EncodeSkipsDecodeOnlyControls) {
  struct Case {
    PagerFamily family;
    const char* control;
    std::size_t offset;
  };
  const Case cases[] = {
      {PagerFamily::k4K, "ck_CP_EP1_HP_Enable", 0x227},
      {PagerFamily::k4K, "ck_cpfUif_Paging_Auto_Backlight", 0x226},
      {PagerFamily::k1K, "cb_priorityWithout", 0x012},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    CodeplugImage image;
    const Layout layout(c.family);
    EditorSettings settings;
    if (FieldCatalogue::Instance().Find(c.control)->kind == ControlKind::CheckBox) {
      settings.SetChecked(c.control, true);
    } else {
      settings.SetItem(c.control, 1);
    }
    ImageFields fields(image, layout);
    EncodeBindings(settings, fields);
    EXPECT_EQ(image[c.offset], 0);
  }
}

TEST(CodecBindingsTest, ListsWithoutSelectionWriteTheirFallback) {
  CodeplugImage image;
  image[0x041] = 0x55;
  image[0x03C] = 0xFF;
  const Layout layout(PagerFamily::k1K);
  EditorSettings settings;  // every list without selection
  ImageFields fields(image, layout);
  EncodeBindings(settings, fields);
  EXPECT_EQ(image[0x041], 32);  // "4 sec"
  EXPECT_EQ(image[0x03C] & 0x80, 0);
}

// An image with valid codes everywhere comes back byte for byte after a
// decode and an encode over it, in both families.
TEST(CodecBindingsTest, DecodeThenEncodeReproducesTheImage) {
  for (PagerFamily family : {PagerFamily::k1K, PagerFamily::k4K}) {
    SCOPED_TRACE(family == PagerFamily::k1K ? "1 KB" : "4 KB");
    std::mt19937 random(7);
    CodeplugImage image;
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(random());
    image[0x03D] = 23;
    image[0x03E] = 225;
    image[0x03F] = 12;
    image[0x040] = 38;
    image[0x041] = 240;
    image[0x2C3] = 0x81;
    image[0x2C5] = 23;
    image[0x038] = static_cast<std::uint8_t>((image[0x038] & 0x3F) | 0x80);
    image[0x039] = static_cast<std::uint8_t>((image[0x039] & ~0x18) | 0x18);
    const Layout layout(family);
    EditorSettings settings;
    DecodeBindings(ImageReader(image, layout), settings);
    CodeplugImage copy = image;
    ImageFields fields(copy, layout);
    EncodeBindings(settings, fields);
    for (std::size_t i = 0; i < image.size(); ++i) {
      // The decode-only bits of option byte 1 and the HP bytes are left as
      // they were, so the whole image must match.
      ASSERT_EQ(copy[i], image[i]) << "offset " << i;
    }
  }
}

TEST(CodecBindingsTest, AddressSettingsPassThroughTheControls) {
  AddressSettings addresses;
  for (int n = 1; n <= kAddressCount; ++n) {
    AddressSetting& a = addresses[static_cast<std::size_t>(n - 1)];
    a.capcode = std::to_string(1000000 + n);
    a.messageType = n % 2;
    a.frame = ThreeDigits(n);
    a.batteryCycle = std::to_string(n % 8);
    a.personal = n % 3 == 0;
    a.priority = n % 4 == 0;
    a.history = n % 5 == 0;
    a.ota = n % 2 == 1;
    a.languagePointer = n % 3;
    a.encryptionKey = n > 8;
    a.alertPattern = n - 1;
    a.alertMode = n % 6;
    a.onOffDuty = n % 2 ? "Y" : "N";
    a.fixAlert = n % 3 ? "N" : "Y";
    a.interruptVib = n % 5 ? "N" : "Y";
    a.escalating = n % 7 ? "N" : "Y";
  }
  EditorSettings settings;
  SetAddressSettings(addresses, settings);
  EXPECT_EQ(settings.Text("ed_capcode7"), "1000007");
  EXPECT_EQ(AddressSettingsOf(settings), addresses);
}

// Every prompt of the catalogue has a field of its own: a text set by number
// comes back under the same number, and lands in the field the catalogue names.
TEST(CodecBindingsTest, PromptTextsPassThroughTheirFields) {
  PromptTexts texts;
  for (int i = 0; i < kPromptCount; ++i)
    texts[static_cast<std::size_t>(i)] = "P" + std::to_string(i);
  EditorSettings settings;
  SetPromptTexts(texts, settings);
  const PromptInfo* powerUp = FindPromptByField("ed_powerUpPrompt");
  ASSERT_NE(powerUp, nullptr);
  EXPECT_EQ(settings.Text("ed_powerUpPrompt"), "P" + std::to_string(powerUp->extended));
  EXPECT_EQ(PromptTextsOf(settings), texts);
}

}  // namespace
}  // namespace rer
