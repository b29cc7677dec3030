#include "prompts/prompt_alphabet.h"

#include <gtest/gtest.h>

namespace rer {
namespace {

TEST(PromptAlphabet, EveryCodeDecodesAndEncodesBack) {
  for (int code = 0; code < kPromptCodeCount; ++code) {
    const char c = DecodePromptChar(static_cast<std::uint8_t>(code));
    EXPECT_EQ(EncodePromptChar(c), code) << "code " << code;
  }
}

TEST(PromptAlphabet, CodesOfTheTable) {
  struct Case {
    char c;
    int code;
  };
  const Case cases[] = {{'0', 0},  {'9', 9},  {'A', 10}, {'O', 24},    {'N', 23},
                        {'Z', 35}, {'#', 36}, {'{', 45}, {'\x7F', 49}, {'?', 50},
                        {' ', 54}, {'"', 57}, {',', 63}};
  for (const Case& c : cases) EXPECT_EQ(EncodePromptChar(c.c), c.code) << c.c;
  EXPECT_EQ(kBlankPromptCode, EncodePromptChar(' '));
}

TEST(PromptAlphabet, CharactersOutsideTheAlphabetBecomeCodeZero) {
  for (char c : {'a', 'z', '=', ':', '(', '\t', '\xE4'}) {
    EXPECT_EQ(EncodePromptChar(c), 0) << static_cast<int>(c);
  }
  EXPECT_EQ(DecodePromptChar(EncodePromptChar('=')), '0');
}

TEST(PromptAlphabet, NationalPositionsAreCodes36To49) {
  EXPECT_FALSE(IsNationalCode(35));
  EXPECT_TRUE(IsNationalCode(36));
  EXPECT_TRUE(IsNationalCode(49));
  EXPECT_FALSE(IsNationalCode(50));
}

TEST(PromptFieldKeys, AcceptsTheAlphabetAndRejectsEverythingElse) {
  const std::u32string accepted = U"azAZ09 \b#$@[]^_`{}|~?%&/><'-.\\\"*!,";
  for (char32_t key : accepted) EXPECT_TRUE(IsPromptFieldKey(key)) << static_cast<int>(key);
  const std::u32string rejected = U"\u00e4\u00c4\u00df=:;()+\t\r\x7F\u4e2d";
  for (char32_t key : rejected) EXPECT_FALSE(IsPromptFieldKey(key)) << static_cast<int>(key);
  EXPECT_FALSE(IsPromptFieldKey(0));
}

}  // namespace
}  // namespace rer
