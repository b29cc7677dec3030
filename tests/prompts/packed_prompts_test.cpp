#include "prompts/packed_prompts.h"

#include <gtest/gtest.h>

#include <random>

#include "core/text.h"
#include "prompts/default_prompt_table.h"
#include "prompts/prompt_alphabet.h"

namespace rer {
namespace {

constexpr std::size_t kImageSize = 4096;
constexpr std::size_t kClassicStart = 0x054;
constexpr std::size_t kExtendedStart = 0x300;

std::size_t StartOf(PromptNumbering numbering) {
  return numbering == PromptNumbering::kExtended ? kExtendedStart : kClassicStart;
}

int Extended(std::string_view field) {
  return FindPromptByField(field)->extended;
}

TEST(PackedPromptStream, OnIsEighteenBits) {
  std::size_t used = 0;
  const std::vector<std::string> texts = {"ON"};
  // 000010 011000 010111: length 2, "O", "N".
  EXPECT_EQ(PackPromptStream(texts, used), (std::vector<std::uint8_t>{0x09, 0x85, 0xC0}));
  EXPECT_EQ(used, 2u);
}

TEST(PackedPromptStream, TextsAreTrimmedUpperCasedAndNeverEmpty) {
  struct Case {
    std::string written;
    std::string stored;
  };
  const Case cases[] = {
      {"  on ", "ON"},
      {"", " "},
      {"     ", " "},
      {" a b ", "A B"},
      {"Source", "SOURCE"},
      {"MAIL=DROP", "MAIL0DROP"},  // '=' is not in the alphabet
      {"L\\SCHEN{}", "L\\SCHEN{}"},
  };
  for (const Case& c : cases) {
    std::size_t used = 0;
    const std::vector<std::string> texts = {c.written};
    const auto records = UnpackPromptStream(PackPromptStream(texts, used), 1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_FALSE(records[0].isDefault);
    EXPECT_EQ(records[0].text, c.stored) << '"' << c.written << '"';
    EXPECT_EQ(used, (6 + 6 * c.stored.size()) / 8);
  }
}

TEST(PackedPromptStream, AllBlankPromptIsOneBlankCode) {
  std::size_t used = 0;
  const std::vector<std::string> texts = {"   "};
  // 000001 110110: length 1, code 54.
  EXPECT_EQ(PackPromptStream(texts, used), (std::vector<std::uint8_t>{0x07, 0x60}));
}

TEST(PackedPromptStream, DefaultMarkerIsEightBitsWhatEverItsLowBits) {
  // A marker with all seven skipped bits set, then the text "ON" from bit 8.
  const std::vector<std::uint8_t> stream = {0xFF, 0x09, 0x85, 0xC0};
  const auto records = UnpackPromptStream(stream, 2);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_TRUE(records[0].isDefault);
  EXPECT_FALSE(records[1].isDefault);
  EXPECT_EQ(records[1].text, "ON");
}

TEST(PackedPromptStream, ReadingPastTheEndGivesEmptyTexts) {
  // "ON" cut after four bits of its "N" (0101..): the missing bits read as 0,
  // giving code 010100, "K".
  const std::vector<std::uint8_t> stream = {0x09, 0x85};
  const auto records = UnpackPromptStream(stream, 3);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].text, "OK");
  EXPECT_EQ(records[1].text, "");
  EXPECT_EQ(records[2].text, "");
}

// A random prompt set written and read back gives the stored form of every
// text, and the used size is the bit count rounded down to bytes.
void CheckRoundTrip(PromptNumbering numbering, std::size_t maxLength, unsigned seed) {
  std::mt19937 random(seed);
  const std::string characters = std::string(kPromptAlphabet.substr(0, 49)) +
                                 std::string(kPromptAlphabet.substr(50)) +
                                 "abcdefghijklmnopqrstuvwxyz  ";
  PromptTexts texts;
  std::size_t bits = 0;
  std::vector<std::string> expected(kPromptCount);
  for (int extended = 0; extended < kPromptCount; ++extended) {
    const std::size_t length = random() % (maxLength + 1);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += characters[random() % characters.size()];
    texts[extended] = text;
    std::string stored = ToUpper(Trim(text));
    if (stored.empty()) stored = " ";
    expected[extended] = stored;
  }
  for (int position = 0; position < StoredPromptCount(numbering); ++position) {
    bits += 6 + 6 * expected[StoredPrompt(position, numbering).extended].size();
  }

  const std::size_t start = StartOf(numbering);
  const std::size_t areaSize = PackedAreaSize(numbering);
  std::vector<std::uint8_t> image(kImageSize, 0xA5);
  const std::size_t used = WritePackedPrompts(texts, numbering, image, start);
  ASSERT_EQ(used, bits / 8);
  ASSERT_LT(used, areaSize);
  EXPECT_EQ(PackedPromptSize(texts, numbering), used);
  EXPECT_EQ(image[start - 1], 0xA5);
  EXPECT_EQ(image[start + areaSize], 0xA5);
  for (std::size_t i = start + used + 1; i < start + areaSize; ++i) {
    ASSERT_EQ(image[i], 0) << "byte " << i;
  }

  PromptTexts read;
  read.fill("untouched");
  ReadPackedPrompts(image, start, numbering, kEnglish, read);
  for (const PromptInfo& prompt : PromptCatalogue()) {
    const bool stored = numbering == PromptNumbering::kExtended ||
                        (prompt.classic != kNoPromptNumber && !prompt.classicLookupOnly);
    const std::string want = stored ? expected[prompt.extended] : "untouched";
    EXPECT_EQ(read[prompt.extended], want) << prompt.field << " seed " << seed;
  }
}

TEST(PackedPrompts, RandomPromptSetsSurviveWriteAndRead) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    CheckRoundTrip(PromptNumbering::kExtended, 16, seed);
    CheckRoundTrip(PromptNumbering::kClassic, 10, seed);
  }
}

TEST(PackedPrompts, StoredTextsLongerThanTwentyAreCutOnReading) {
  PromptTexts texts;
  texts.fill("X");
  texts[Extended("ed_chirpSilentPrompt")] = "CHIRPING & SILENT ALRT";  // 22, the field allows 23
  std::vector<std::uint8_t> image(kImageSize, 0);
  WritePackedPrompts(texts, PromptNumbering::kExtended, image, kExtendedStart);
  PromptTexts read;
  ReadPackedPrompts(image, kExtendedStart, PromptNumbering::kExtended, kEnglish, read);
  EXPECT_EQ(read[Extended("ed_chirpSilentPrompt")], "CHIRPING & SILENT AL");
  EXPECT_EQ(read[Extended("ed_chirpSilentPrompt") + 1], "X");
}

TEST(PackedPrompts, TextTooLongForTheLengthFieldKeepsTheStreamReadable) {
  PromptTexts texts;
  texts.fill("NEXT");
  texts[0] = std::string(40, 'W');
  std::vector<std::uint8_t> image(kImageSize, 0);
  const std::size_t used =
      WritePackedPrompts(texts, PromptNumbering::kExtended, image, kExtendedStart);
  EXPECT_EQ(used, (6 + 6 * kMaxStoredPromptLength + 74 * (6 + 6 * 4)) / 8);
  PromptTexts read;
  ReadPackedPrompts(image, kExtendedStart, PromptNumbering::kExtended, kEnglish, read);
  EXPECT_EQ(read[0], std::string(20, 'W'));
  EXPECT_EQ(read[1], "NEXT");
  EXPECT_EQ(read[74], "NEXT");
}

TEST(PackedPrompts, PromptsBeyondTheAreaAreNeverWrittenOutsideIt) {
  PromptTexts texts;
  texts.fill(std::string(20, 'M'));  // 75 x 126 bits: more than the area holds
  std::vector<std::uint8_t> image(kImageSize, 0xA5);
  const std::size_t used =
      WritePackedPrompts(texts, PromptNumbering::kExtended, image, kExtendedStart);
  EXPECT_EQ(used, 75u * 126u / 8u);
  EXPECT_GT(used, kExtendedPackedAreaSize);
  EXPECT_EQ(image[kExtendedStart + kExtendedPackedAreaSize], 0xA5);
  PromptTexts read;
  ReadPackedPrompts(image, kExtendedStart, PromptNumbering::kExtended, kEnglish, read);
  // 1095 bytes hold 69 whole prompts; the 70th has room for ten characters
  // and reads the rest as zeros; the ones after it read as empty.
  EXPECT_EQ(read[68], std::string(20, 'M'));
  EXPECT_EQ(read[69], std::string(10, 'M') + std::string(10, '0'));
  EXPECT_EQ(read[70], "");
}

TEST(PackedPrompts, AreaRunningPastTheImageIsCutToIt) {
  std::vector<std::uint8_t> image(0x100, 0);
  PromptTexts texts;
  texts.fill("AB");
  const std::size_t used = WritePackedPrompts(texts, PromptNumbering::kClassic, image, 0xF0);
  EXPECT_EQ(used, 53u * 18u / 8u);
  PromptTexts read;
  ReadPackedPrompts(image, 0xF0, PromptNumbering::kClassic, kEnglish, read);
  EXPECT_EQ(read[StoredPrompt(0, PromptNumbering::kClassic).extended], "AB");
  EXPECT_EQ(read[StoredPrompt(52, PromptNumbering::kClassic).extended], "");
}

// An area whose records are all empty texts except one default marker.
std::vector<std::uint8_t> ImageWithMarkerAt(int position, PromptNumbering numbering) {
  std::vector<std::uint8_t> image(kImageSize, 0);
  const std::size_t bit = 6u * static_cast<std::size_t>(position);  // empty records are 6 bits
  image[StartOf(numbering) + bit / 8] |= static_cast<std::uint8_t>(0x80u >> (bit % 8));
  return image;
}

TEST(PackedPrompts, DefaultMarkersShowTheDefaultOfTheCurrentLanguage) {
  struct Case {
    std::string_view field;
    PromptNumbering numbering;
    int language;
    std::string expected;
  };
  const int french = 3;
  const Case cases[] = {
      {"ed_onPrompt", PromptNumbering::kClassic, french, " MARCHE  "},
      {"ed_onPrompt", PromptNumbering::kClassic, kEnglish, "   ON    "},
      {"ed_onPrompt", PromptNumbering::kExtended, french, "MARCHE"},
      {"ed_deletePrompt", PromptNumbering::kClassic, 1, " NACHRICHT L\\SCHEN "},
      {"ed_setMsgAlarmPrompt", PromptNumbering::kClassic, kEnglish, " SET MESSAGE ALARM  "},
      {"ed_setMsgAlarmPrompt", PromptNumbering::kExtended, kEnglish, "SET MESSAGE ALARM   "},
      {"ed_sourcePrompt", PromptNumbering::kExtended, kEnglish, "SOURCE"},
      {"ed_source1Prompt", PromptNumbering::kClassic, kSimplifiedChinese,
       "\x40\x34\x54\x34\x23\x31\x21\x21"},
  };
  for (const Case& c : cases) {
    const PromptInfo& prompt = *FindPromptByField(c.field);
    const int position =
        c.numbering == PromptNumbering::kExtended ? prompt.extended : prompt.classic;
    PromptTexts read;
    read.fill("untouched");
    ReadPackedPrompts(ImageWithMarkerAt(position, c.numbering), StartOf(c.numbering), c.numbering,
                      c.language, read);
    EXPECT_EQ(read[prompt.extended], c.expected) << c.field;
    const int neighbour = StoredPrompt(position == 0 ? 1 : 0, c.numbering).extended;
    EXPECT_EQ(read[neighbour], "");
  }
}

}  // namespace
}  // namespace rer
