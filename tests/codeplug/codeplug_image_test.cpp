#include "codeplug/codeplug_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "codeplug/codeplug_version.h"
#include "codeplug/image_fields.h"

namespace rer {
namespace {

std::vector<std::uint8_t> BytesAt(const CodeplugImage& image, std::size_t offset, std::size_t n) {
  return {image.data() + offset, image.data() + offset + n};
}

// Spreads `sum` over the checksummed bytes 0x000-0x2FD.
void FillToSum(CodeplugImage& image, unsigned sum) {
  for (std::size_t i = 0; sum > 0; ++i) {
    const unsigned part = sum > 0xFF ? 0xFF : sum;
    image[i] = static_cast<std::uint8_t>(part);
    sum -= part;
  }
}

TEST(CodeplugImageTest, StartsZeroedAndHoldsFourKilobytes) {
  const CodeplugImage image;
  EXPECT_EQ(image.size(), 4096u);
  for (std::uint8_t byte : image.Bytes()) ASSERT_EQ(byte, 0);
}

TEST(ImageChecksumTest, ComplementOfTheSumBeforeTheChecksumByte) {
  struct Case {
    unsigned sum;
    std::uint8_t checksum;
  };
  for (const Case& c : {Case{0x1234, 0xCB}, Case{0x00FF, 0x00}, Case{0, 0xFF}}) {
    for (PagerFamily family : {PagerFamily::k1K, PagerFamily::k4K}) {
      CodeplugImage image;
      FillToSum(image, c.sum);
      image[0x2FE] = 0x55;  // old checksum: not part of the sum
      image[0x2FF] = 0xA7;  // after the checksum: not covered, kept
      image[0x300] = 0x99;
      WriteImageChecksum(image, Layout(family));
      EXPECT_EQ(image[0x2FE], c.checksum) << std::hex << c.sum;
      EXPECT_EQ(image[0x2FF], 0xA7);
    }
  }
}

TEST(ImageChecksumTest, NoChecksumWithoutAFamily) {
  CodeplugImage image;
  image[0x010] = 1;
  EXPECT_FALSE(ComputeImageChecksum(image, Layout()));
  WriteImageChecksum(image, Layout());
  EXPECT_EQ(image[0x2FE], 0);
}

TEST(ImageFieldsTest, WordsFollowEachFieldsByteOrder) {
  CodeplugImage image;
  const Layout large(PagerFamily::k4K);
  ImageFields fields(image, large);
  fields.SetValue(Field::kCannedRangeStart, 0x1234);
  fields.SetValue(Field::kUserPasswordCode, 0x1B);
  fields.SetValue(Field::kUserPasswordTimeout, 43200);
  EXPECT_EQ(BytesAt(image, 0x228, 2), (std::vector<std::uint8_t>{0x12, 0x34}));
  EXPECT_EQ(BytesAt(image, 0x15D, 2), (std::vector<std::uint8_t>{0x1B, 0x00}));
  EXPECT_EQ(BytesAt(image, 0x15F, 2), (std::vector<std::uint8_t>{0xC0, 0xA8}));
  EXPECT_EQ(fields.Value(Field::kUserPasswordTimeout), 43200u);
  EXPECT_EQ(fields.Value(Field::kCannedRangeStart), 0x1234u);
}

TEST(ImageFieldsTest, PerAddressMaskBitsLandInTheRightByte) {
  struct Case {
    Field mask;
    int address;
    std::size_t offset;
    std::uint8_t byte;
  };
  const Case cases[] = {
      {Field::kHistoryEnableMask, 1, 0x241, 0x01}, {Field::kHistoryEnableMask, 8, 0x241, 0x80},
      {Field::kHistoryEnableMask, 9, 0x240, 0x01}, {Field::kOtaEnableMask, 3, 0x035, 0x04},
      {Field::kOtaEnableMask, 16, 0x034, 0x80},    {Field::kEncryptionKeyMask, 1, 0x163, 0x01},
      {Field::kEncryptionKeyMask, 9, 0x164, 0x01}, {Field::kEncryptionKeyMask, 16, 0x164, 0x80},
  };
  for (const Case& c : cases) {
    CodeplugImage image;
    const Layout large(PagerFamily::k4K);
    ImageFields fields(image, large);
    fields.SetBit(c.mask, c.address - 1, true);
    CodeplugImage expected;
    expected[c.offset] = c.byte;
    EXPECT_EQ(image, expected) << "address " << c.address;
    EXPECT_TRUE(fields.Bit(c.mask, c.address - 1));
  }
}

TEST(ImageFieldsTest, BitsAndTextsKeepTheirNeighbours) {
  CodeplugImage image;
  const Layout small(PagerFamily::k1K);
  ImageFields fields(image, small);
  image[0x012] = 0b1010'0101;
  fields.SetBits(Field::kOptionByte1, 2, 3, 0b010);
  EXPECT_EQ(image[0x012], 0b1010'1001);
  fields.SetBits(Field::kOptionByte1, 6, 2, 0xFF);  // masked to two bits
  EXPECT_EQ(image[0x012], 0b1110'1001);
  EXPECT_EQ(fields.Bits(Field::kOptionByte1, 3, 3), 0b101u);

  image[0x027] = 0x11;
  image[0x032] = 0x22;
  fields.SetText(Field::kSerialNumber, "AB12");
  EXPECT_EQ(fields.Text(Field::kSerialNumber), "AB12      ");
  fields.SetText(Field::kSerialNumber, "ABCDEFGHIJKLMN");
  EXPECT_EQ(fields.Text(Field::kSerialNumber), "ABCDEFGHIJ");
  EXPECT_EQ(image[0x027], 0x11);
  EXPECT_EQ(image[0x032], 0x22);
}

TEST(CodeplugVersionTest, ReadsNibblesAndComparesAbove464) {
  struct Case {
    std::uint8_t high, low;
    char letter;
    int major, minor, patch;
    bool above464;
  };
  const Case cases[] = {
      {0x14, 0x69, 'R', 4, 6, 9, true},    {0x04, 0x64, 'B', 4, 6, 4, false},
      {0x14, 0x65, 'R', 4, 6, 5, true},    {0x14, 0x5F, 'R', 4, 5, 15, false},
      {0x14, 0x70, 'R', 4, 7, 0, true},    {0x25, 0x00, 'B', 5, 0, 0, true},
      {0x13, 0xFF, 'R', 3, 15, 15, false}, {0x04, 0x11, 'B', 4, 1, 1, false},
  };
  for (const Case& c : cases) {
    CodeplugImage image;
    image[0x24D] = c.high;
    image[0x24E] = c.low;
    const CodeplugVersion version =
        ReadCodeplugVersion(ImageReader(image, Layout(PagerFamily::k4K)));
    EXPECT_EQ(version.Letter(), c.letter);
    EXPECT_EQ(version.major, c.major);
    EXPECT_EQ(version.minor, c.minor);
    EXPECT_EQ(version.patch, c.patch);
    EXPECT_EQ(IsAbove464(version), c.above464) << std::hex << int(c.high) << int(c.low);
  }
}

TEST(CodeplugVersionTest, TheSystemWritesR469) {
  CodeplugImage image;
  const Layout small(PagerFamily::k1K);
  ImageFields fields(image, small);
  WriteCodeplugVersion(fields, kSystemCodeplugVersion);
  EXPECT_EQ(image[0x24D], 0x14);
  EXPECT_EQ(image[0x24E], 0x69);
}

}  // namespace
}  // namespace rer
