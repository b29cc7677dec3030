#include "pager/password_scramble.h"

#include <gtest/gtest.h>

#include <string>

namespace rer {
namespace {

const std::string kAlphabet = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

struct ScrambleCase {
  std::string plain;
  std::string scrambled;
};

// Worked out by hand from the substitution table; "1" at position 0 wraps
// past the end of the table.
TEST(PasswordScramble, KnownTexts) {
  const ScrambleCase cases[] = {
      {"", ""},
      {"1", "F"},
      {"0", "S"},
      {"A", "T"},
      {"          ", "W7ZAT0SYVU"},
      {"ABCDEFGHIJ", "THOQZL6LHN"},
      {"1234567890", "FI6LBMVFRQ"},
      {"ZZZZZZZZZZ", "AT0SYVU9D2"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScramblePassword(c.plain), c.scrambled) << "plain '" << c.plain << "'";
    EXPECT_EQ(UnscramblePassword(c.scrambled), c.plain) << "scrambled '" << c.scrambled << "'";
  }
}

// Every character of the alphabet at every position of a 10-character text.
TEST(PasswordScramble, RoundTripsWholeAlphabetAtEveryPosition) {
  for (std::size_t pos = 0; pos < 10; ++pos) {
    for (char c : kAlphabet) {
      std::string plain(10, 'Q');
      plain[pos] = c;
      const std::string scrambled = ScramblePassword(plain);
      ASSERT_EQ(scrambled.size(), plain.size());
      // The output stays inside the alphabet, so it can be stored as text.
      for (char s : scrambled) EXPECT_NE(kAlphabet.find(s), std::string::npos);
      EXPECT_EQ(UnscramblePassword(scrambled), plain);
    }
  }
}

// Bytes outside the alphabet and texts longer than a password must not read
// outside the table.
TEST(PasswordScramble, ForeignBytesAndLongTextsStayDefined) {
  const std::string odd = std::string("a#\xff\x00", 4) + std::string(60, 'Z');
  const std::string scrambled = ScramblePassword(odd);
  ASSERT_EQ(scrambled.size(), odd.size());
  for (char s : scrambled) EXPECT_NE(kAlphabet.find(s), std::string::npos);
  const std::string longText(80, 'K');
  EXPECT_EQ(UnscramblePassword(ScramblePassword(longText)), longText);
}

}  // namespace
}  // namespace rer
