#include "core/text.h"

#include <gtest/gtest.h>

namespace rer {
namespace {

TEST(Text, PaddingTrimmingAndZeros) {
  EXPECT_EQ(PadRight("AB", 5), "AB   ");
  EXPECT_EQ(PadRight("ABCDEF", 3), "ABC");
  EXPECT_EQ(Trim("  A B  "), "A B");
  EXPECT_EQ(TrimLeft("   "), "");
  EXPECT_EQ(TrimRight("AB  "), "AB");
  EXPECT_EQ(StripLeadingZeros("000123"), "123");
  EXPECT_EQ(StripLeadingZeros("000"), "");
  EXPECT_EQ(ZeroPad("123", 7), "0000123");
  EXPECT_EQ(ZeroPad("123456789", 7), "123456789");
  EXPECT_EQ(ThreeDigits(7), "007");
  EXPECT_EQ(ThreeDigits(999), "999");
}

TEST(Text, HexDigitsAndPrintable) {
  EXPECT_EQ(HexDigitValue('0'), 0);
  EXPECT_EQ(HexDigitValue('9'), 9);
  EXPECT_EQ(HexDigitValue('a'), 10);
  EXPECT_EQ(HexDigitValue('F'), 15);
  EXPECT_EQ(HexDigitValue('G'), 0);
  EXPECT_EQ(KeepPrintable("S1\r\n13\x01"), "S113");
  EXPECT_EQ(KeepPrintable(std::string(300, 'A')).size(), 256u);
}

TEST(Text, Bits) {
  EXPECT_TRUE(TestBit(0x80, 7));
  EXPECT_FALSE(TestBit(0x7F, 7));
  EXPECT_EQ(SetBit(0x00, 3), 0x08);
  EXPECT_EQ(ClearBit(0xFF, 0), 0xFE);
  EXPECT_EQ(WithBit(0x01, 1, true), 0x03);
}

}  // namespace
}  // namespace rer
