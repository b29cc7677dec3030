// An image the encode step wrote comes back unchanged through a decode and
// a second encode, in both families.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>

#include "codeplug/address_codec.h"
#include "codeplug/decode_image.h"
#include "codeplug/encode.h"
#include "codeplug/image_fields.h"
#include "core/result_codes.h"
#include "prompts/packed_prompts.h"
#include "synth/synth_area.h"

namespace rer {
namespace {

// Reversing is its own inverse, so it serves as both directions of the
// password scrambling.
std::string Reversed(std::string_view text) {
  return std::string(text.rbegin(), text.rend());
}

// Shown by the decode, but every encode writes a constant there: the HP
// fields, the 1 KB priority bit, and the reminder duration while the new
// alert menu is off.
bool WrittenAsConstant(std::string_view control) {
  constexpr std::string_view kConstant[] = {
      "ed_CP_EP1_HP_Password",           "ed_CP_EP1_HP_Error_Number",      "ck_CP_EP1_HP_Enable",
      "ck_cpfUif_Paging_Auto_Backlight", "ck_cpfUif_New_Msg_Auto_Display", "cb_priorityWithout",
      "cb_reminderAlertDuration",
  };
  return std::find(std::begin(kConstant), std::end(kConstant), control) != std::end(kConstant);
}

struct FamilyCase {
  PagerFamily family;
  std::uint8_t modelCode;
  std::uint8_t subModel;
};

int Decode(const CodeplugImage& image, const Layout& layout, EditorSettings& settings,
           SynthState& synth, std::uint8_t modelCode) {
  DecodeContext context{
      .cgromType = 1, .modelCode = modelCode, .synth = synth, .unscramblePassword = &Reversed};
  return layout.Is4K() ? DecodeImage4K(image, layout, settings, context)
                       : DecodeImage1K(image, layout, settings, context);
}

void Encode(EditorSettings& settings, const Layout& layout, CodeplugImage& image,
            std::uint8_t modelCode) {
  EncodeContext context;
  context.modelCode = modelCode;
  context.cgromType = 1;
  context.passwords = {settings.passwords.ota, settings.passwords.local, settings.passwords.secure};
  context.scramble = &Reversed;
  ASSERT_EQ(EncodeImage(settings, layout, image, context), kSuccess);
}

// A codeplug with settings on every page: random bytes where the layout
// leaves them free, valid codes where a table needs them.
CodeplugImage SampleImage(const FamilyCase& c, const Layout& layout) {
  CodeplugImage image;
  std::mt19937 random(11);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(random());
  image[0x001] = c.modelCode;
  image[0x29A] = c.subModel;
  image[0x24D] = 0x14;
  image[0x24E] = 0x69;
  auto put = [&](std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) image[offset++] = byte;
  };
  put(0x03D, {23, 225, 12, 38, 240});
  put(0x2C3, {0x81, 0xF3, 23});
  put(0x012, {0x16});
  put(0x008, {'1', '2', '3', '4', ' ', ' ', ' ', ' ', ' ', ' '});
  AddressSettings addresses;
  addresses[0].capcode = "1234567";
  addresses[0].frame = "005";
  addresses[0].batteryCycle = "3";
  addresses[0].personal = true;
  addresses[2].capcode = "123456789";
  addresses[2].frame = "100";
  addresses[2].batteryCycle = "7";
  ImageFields fields(image, layout);
  EncodeAddressOptions(addresses, 1, fields);
  EncodeAddressSlots(addresses, fields);
  PromptTexts texts;
  texts.fill("PROMPT");
  const auto numbering = layout.Is4K() ? PromptNumbering::kExtended : PromptNumbering::kClassic;
  WritePackedPrompts(texts, numbering, image.Bytes(), *layout.PackedPromptAreaStart());
  return image;
}

TEST(DecodeRoundTripTest, EncodedImageSurvivesDecodeAndEncode) {
  const FamilyCase cases[] = {
      {PagerFamily::k4K, 0x84, 133},
      {PagerFamily::k4K, 0xD0, 30},
      {PagerFamily::k1K, 0x81, 0},
      {PagerFamily::k1K, 0xC0, 34},
  };
  for (const FamilyCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "model " << std::hex << int(c.modelCode));
    const Layout layout(c.family);
    CodeplugImage image = SampleImage(c, layout);

    EditorSettings first;
    SynthState synth;
    ASSERT_EQ(Decode(image, layout, first, synth, c.modelCode), kSuccess);
    Encode(first, layout, image, c.modelCode);
    const CodeplugImage encoded = image;

    EditorSettings second;
    SynthState secondSynth;
    ASSERT_EQ(Decode(encoded, layout, second, secondSynth, c.modelCode), kSuccess);
    CodeplugImage again = encoded;
    Encode(second, layout, again, c.modelCode);
    for (std::size_t i = 0; i < ImageLength(c.family); ++i) {
      EXPECT_EQ(again[i], encoded[i]) << "offset 0x" << std::hex << i;
    }
    EXPECT_EQ(first.passwords.ota, "      4321");
    EXPECT_EQ(second.passwords.ota, first.passwords.ota);
    EXPECT_EQ(second.passwords.local, first.passwords.local);
    EXPECT_EQ(second.passwords.secure, first.passwords.secure);
    EXPECT_EQ(secondSynth.record, synth.record);
    // What the first decode showed, the encoded image shows again, except
    // where the encode writes a constant of its own.
    const auto& entries = FieldCatalogue::Instance().Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (WrittenAsConstant(entries[i].name)) continue;
      EXPECT_EQ(second.ValueAt(i).text, first.ValueAt(i).text) << entries[i].name;
      EXPECT_EQ(second.ValueAt(i).number, first.ValueAt(i).number) << entries[i].name;
    }
  }
}

}  // namespace
}  // namespace rer
