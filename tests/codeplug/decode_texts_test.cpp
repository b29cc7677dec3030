#include "codeplug/decode_texts.h"

#include <gtest/gtest.h>

namespace rer {
namespace {

TEST(DecodeTextsTest, VersionTextGivesLetterAndTwoCharactersPerNumber) {
  struct Case {
    CodeplugVersion version;
    const char* text;
  };
  const Case cases[] = {
      {{1, 4, 6, 9}, "Codeplug Version : R040609"},
      {{0, 4, 1, 1}, "Codeplug Version : B040101"},
      {{2, 4, 1, 1}, "Codeplug Version : B040101"},
      {{1, 10, 0, 15}, "Codeplug Version : R100015"},
  };
  for (const Case& c : cases) EXPECT_EQ(VersionTextOf(c.version), c.text);
}

TEST(DecodeTextsTest, MemorySizeTextsFollowTheirColumn) {
  struct Case {
    int code;
    bool large;
    const char* personal;
    const char* maildrop;
  };
  const Case cases[] = {
      {0, false, "None", "7.5K"},   {3, false, "  3K", "4.5K"},   {6, false, "7.5K", "None"},
      {8, false, "7.5K", "None"},   {7, false, "", ""},           {200, false, "", ""},
      {3, true, "   3K", "  29K"},  {21, true, "21.5K", "10.5K"}, {26, true, "  27K", "   5K"},
      {32, true, "  32K", " None"}, {0, true, "  10K", "  22K"},  {8, true, "  10K", "  22K"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const MemorySizeTexts texts = MemorySizeTextsOf(static_cast<std::uint8_t>(c.code), c.large);
    EXPECT_EQ(texts.personal, c.personal);
    EXPECT_EQ(texts.maildrop, c.maildrop);
  }
}

TEST(DecodeTextsTest, MissedFrameTimeShowsMinutesAndSecondsWithoutLeadingZeros) {
  struct Case {
    std::uint8_t stored;
    const char* minutes;
    const char* seconds;
  };
  const Case cases[] = {
      {0x00, " 0", " 0"}, {0xF3, "60", "45"}, {0x05, "1", "15"},
      {0x28, "10", " 0"}, {0x02, " 0", "30"},
  };
  for (const Case& c : cases) {
    const MissedFrameTexts texts = MissedFrameTextsOf(c.stored);
    EXPECT_EQ(texts.minutes, c.minutes) << int(c.stored);
    EXPECT_EQ(texts.seconds, c.seconds) << int(c.stored);
  }
}

TEST(DecodeTextsTest, FrequencyTextHasThreeMegahertzDigitsAndFourHundredHertzDigits) {
  EXPECT_EQ(FrequencyTextOf(930012500), "930.0125");
  EXPECT_EQ(FrequencyTextOf(152840000), "152.8400");
  EXPECT_EQ(FrequencyTextOf(35002500), "035.0025");
  EXPECT_EQ(FrequencyTextOf(0), "000.0000");
}

TEST(DecodeTextsTest, UserPasswordKeysComeFirstKeyFirst) {
  // Left, Right, Up, Down is stored as 0x1B with four keys.
  EXPECT_EQ(UserPasswordDigits(0x1B, 4), "0123");
  EXPECT_EQ(UserPasswordLetters("0123"), "LRUD");
  EXPECT_EQ(UserPasswordDigits(0x000E, 2), "32");
  EXPECT_EQ(UserPasswordDigits(0xFFFF, 8), "33333333");
  EXPECT_EQ(UserPasswordDigits(0xFFFF, 9), "33333333");  // no more keys than the word holds
}

TEST(DecodeTextsTest, NibbleDigitsShowOneCharacterPerNibble) {
  EXPECT_EQ(NibbleDigits(0x1234), "1234");
  EXPECT_EQ(NibbleDigits(0x0000), "0000");
  EXPECT_EQ(NibbleDigits(0x09A0), "09A0");
}

}  // namespace
}  // namespace rer
