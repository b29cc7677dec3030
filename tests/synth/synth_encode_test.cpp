#include "synth/synth_encode.h"

#include <gtest/gtest.h>

#include "synth/synth_word_text.h"
#include "synth_fixture.h"

namespace rer {
namespace {

using synth_test::Image;

struct EncodeCase {
  const char* what;
  SynthFamily family;
  int chip, band;
  DividerResult found;
  std::uint8_t hw;
  std::uint8_t bandBefore;
  // Expected image contents.
  std::uint32_t nWord, rWord;
  std::uint8_t mode, ref, bandAfter, typeByte;
};

TEST(EncodeSynthWords, WritesTheWordsAndBytesOfTheInstalledChip) {
  const EncodeCase cases[] = {
      // 2N, 16R + 1; IF 21.4 MHz, step 12500, x2; 20.95 MHz, flags 01.
      {"HI8107 4 KB",
       SynthFamily::k4K,
       0,
       1,
       {11770, 469, 1, 1},
       1,
       0xFF,
       0x005BF4,
       0x001D51,
       0x39,
       0x41,
       0x01,
       0},
      // HI8107 chosen on 900 MHz is written as an NPC5170 everywhere:
      // 128N, 256R + 17; IF 45 MHz, step 12500, x4; type bits 2, byte 0x244 = 2.
      {"HI8107 on 900 MHz",
       SynthFamily::k4K,
       0,
       6,
       {70801, 1024, 2, 1},
       1,
       0x00,
       0x8A4880,
       0x040011,
       0x9B,
       0x22,
       0x01,
       2},
      // 2N, 2R + 65537; the 4 KB band byte holds the side the dividers were found for.
      {"MB15E03 4 KB high side",
       SynthFamily::k4K,
       1,
       6,
       {177101, 2560, 2, 2},
       1,
       0x31,
       0x05679A,
       0x011401,
       0x88,
       0x12,
       0x02,
       1},
      // 1 KB: side bits from the pager, bit 2 for the FS8308, bits 3-7 kept.
      {"FS8308 1 KB",
       SynthFamily::k1K,
       4,
       1,
       {20251, 432, 0, 2},
       2,
       0xB8,
       0x009E36,
       0x001B01,
       0x28,
       0x40,
       0xBE,
       4},
      {"FS8107 1 KB clears the FS8308 bit",
       SynthFamily::k1K,
       3,
       1,
       {20251, 432, 0, 1},
       1,
       0xBE,
       0x009E36,
       0x001B01,
       0x28,
       0x70,
       0xB9,
       3},
  };
  for (const EncodeCase& c : cases) {
    SCOPED_TRACE(c.what);
    Image image;
    image.fill(0xA5);
    const SynthArea& area = SynthAreaOf(c.family);
    image[area.bandByte] = c.bandBefore;
    const Image before = image;
    SynthState state;
    state.result = c.found;
    state.SynthHwByte = c.hw;
    state.record.side = 1;
    EncodeSynthWords(state, image, c.family, {c.chip, c.band});

    EXPECT_EQ(ReadSynthWord(image, area.nWord), c.nWord);
    EXPECT_EQ(ReadSynthWord(image, area.rWord), c.rWord);
    EXPECT_EQ(image[area.modeByte], c.mode);
    EXPECT_EQ(image[area.refByte], c.ref);
    EXPECT_EQ(image[area.bandByte], c.bandAfter);
    EXPECT_EQ(image[area.typeByte], c.typeByte);
    // Nothing outside the synthesizer fields changes.
    for (std::size_t i = 0; i < image.size(); ++i) {
      const bool inWords = i >= area.nWord && i < area.rWord + kSynthWordBytes;
      const bool field = inWords || i == area.modeByte || i == area.refByte || i == area.bandByte ||
                         i == area.typeByte;
      if (!field) {
        ASSERT_EQ(image[i], before[i]) << "offset " << i;
      }
    }
  }
}

TEST(SynthWordText, ShowsTheThreeBytesOfEachWordInUpperCaseHex) {
  struct {
    SynthFamily family;
    std::uint32_t nWord, rWord;
    const char* n;
    const char* r;
  } cases[] = {
      {SynthFamily::k4K, 0x8A4880, 0x040011, "8A 48 80", "04 00 11"},
      {SynthFamily::k1K, 0x00ABCD, 0xFFFFFF, "00 AB CD", "FF FF FF"},
      {SynthFamily::k1K, 0, 0x0F0E0D, "00 00 00", "0F 0E 0D"},
  };
  for (const auto& c : cases) {
    const Image image = synth_test::ImageWith(c.family, {c.nWord, c.rWord, 0, 0, 0});
    EXPECT_EQ(EdtNText(image, c.family), c.n);
    EXPECT_EQ(EdtRText(image, c.family), c.r);
  }
}

}  // namespace
}  // namespace rer
