#include "prompts/national_char_set.h"

#include <gtest/gtest.h>

#include "prompts/default_prompt_table.h"

namespace rer {
namespace {

TEST(NationalCharSet, EverySetIsRecognisedAsItselfAfterStoring) {
  for (int charSet = 0; charSet <= kNoCharSet; ++charSet) {
    std::array<std::uint8_t, kNationalPositionCount> stored;
    stored.fill(0xEE);
    StoreCharSet(charSet, stored);
    EXPECT_EQ(RecognizeCharSet(stored), charSet) << kCharSetNames[charSet % kCharSetCount];
  }
}

TEST(NationalCharSet, DanishRowIsNotTakenForNorwegian) {
  const NationalRow danish = NationalCharRow(9);
  const NationalRow norwegian = NationalCharRow(8);
  EXPECT_EQ(danish.back(), 0x7F);
  EXPECT_EQ(norwegian.back(), 0x20);
  EXPECT_TRUE(std::equal(danish.begin(), danish.end() - 1, norwegian.begin()));
  EXPECT_EQ(RecognizeCharSet(danish), 9);
  EXPECT_EQ(kCharSetNames[RecognizeCharSet(danish)], "Danish");
}

TEST(NationalCharSet, ZeroRowIsNoSelectionAndIsStoredBackAsZeros) {
  const NationalRow zeros{};
  EXPECT_EQ(RecognizeCharSet(zeros), kNoCharSet);
  NationalRow stored;
  stored.fill(0x55);
  StoreCharSet(kNoCharSet, stored);
  EXPECT_EQ(stored, zeros);
}

TEST(NationalCharSet, UnknownRowReadsAsUS) {
  NationalRow german = NationalCharRow(2);
  german[5] = 0x01;
  EXPECT_EQ(RecognizeCharSet(german), kCharSetUS);
}

TEST(NationalCharSet, GlyphsShownForPromptCodes) {
  struct Case {
    char c;
    int charSet;
    std::uint8_t glyph;
  };
  const Case cases[] = {
      {'{', 2, 0x99},     // German: a-umlaut position
      {'\\', 2, 0x8E},    // German "L\SCHEN"
      {'[', 0, '['},      // US shows the ASCII character
      {'\x7F', 9, 0x7F},  // Danish DEL
      {'\x7F', 8, 0x20},  // Norwegian DEL
      {'A', 2, 'A'},      // outside the national positions
      {' ', 5, ' '},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PagerGlyph(EncodePromptChar(c.c), c.charSet), c.glyph)
        << c.c << " in " << kCharSetNames[c.charSet];
  }
}

TEST(NationalCharSet, WhichSetsSuitWhichLanguages) {
  struct Case {
    int language;
    std::vector<int> matching;
  };
  const Case cases[] = {
      {0, {0, 10}}, {14, {0, 10}}, {13, {0, 8, 9, 10}}, {1, {2}},    {2, {1}}, {3, {3}},
      {4, {7}},     {12, {7}},     {5, {8, 9}},         {6, {8, 9}}, {7, {6}}, {8, {6}},
      {9, {5}},     {10, {5}},     {11, {4}},           {15, {}},    {16, {}}, {-1, {}},
  };
  for (const Case& c : cases) {
    for (int charSet = 0; charSet <= kNoCharSet; ++charSet) {
      const bool expected =
          std::find(c.matching.begin(), c.matching.end(), charSet) != c.matching.end();
      EXPECT_EQ(LanguageMatchesCharSet(c.language, charSet), expected)
          << "language " << c.language << " set " << charSet;
    }
  }
}

TEST(NationalCharSet, ChoosingASetWarnsOnlyForMismatchedLatinPrompts) {
  EXPECT_EQ(CheckCharSetChoice(kEnglish, 10, false), 0);                       // UK
  EXPECT_EQ(CheckCharSetChoice(kEnglish, 2, false), kCharSetMismatchWarning);  // German
  EXPECT_EQ(CheckCharSetChoice(13, 9, false), 0);                              // Dutch, Danish
  EXPECT_EQ(CheckCharSetChoice(kSimplifiedChinese, 2, true), 0);
  EXPECT_EQ(CheckCharSetChoice(kEnglish, kNoCharSet, false), kCharSetMismatchWarning);
}

}  // namespace
}  // namespace rer
