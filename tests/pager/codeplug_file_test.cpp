#include "pager/codeplug_file.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace rer {
namespace {

std::array<std::uint8_t, 4096> PatternImage(std::uint8_t model) {
  std::array<std::uint8_t, 4096> image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  image[1] = model;
  return image;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines, const std::string& end) {
  std::string text;
  for (const auto& line : lines) text += line + end;
  return text;
}

TEST(CodeplugFile, HeaderRecordNamesFamilyAndMemory) {
  const auto image = PatternImage(0x84);
  const auto text = FormatCodeplugFile(image, {0, true, 0x84});
  EXPECT_EQ(text.substr(0, 22), "S00800000043572084B9\r\n");
}

TEST(CodeplugFile, OneKilobyteFileHasSixtySixLines) {
  const auto image = PatternImage(0x81);
  const auto text = FormatCodeplugFile(image, {2, false, 0x81});
  const auto lines = SplitCrLf(text);
  ASSERT_EQ(lines.size(), 66u);
  EXPECT_EQ(lines[1].substr(0, 8), "S1130000");
  EXPECT_EQ(lines[64].substr(0, 8), "S11303F0");
  EXPECT_EQ(lines[65], "S9030000FC");
  EXPECT_EQ(text.substr(text.size() - 12), "S9030000FC\r\n");
  for (const auto& line : lines) {
    for (char c : line) EXPECT_FALSE(c >= 'a' && c <= 'f') << line;
  }
}

struct FamilyCase {
  std::uint8_t model;
  std::size_t length;
};

class CodeplugFileRoundTrip : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(CodeplugFileRoundTrip, SavedImageLoadsBackByteForByte) {
  const auto [model, length] = GetParam();
  const auto image = PatternImage(model);
  const auto parsed = ParseCodeplugFile(FormatCodeplugFile(image, {1, false, model}));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->length, length);
  EXPECT_EQ(parsed->modelWord, model);
  EXPECT_TRUE(parsed->headerSeen);
  EXPECT_EQ(parsed->cgromType, 1);
  EXPECT_EQ(parsed->memoryByte, 0x08);
  EXPECT_FALSE(parsed->largeMemory);
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + length, parsed->image.begin()));
  EXPECT_TRUE(std::all_of(parsed->image.begin() + length, parsed->image.end(),
                          [](std::uint8_t b) { return b == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Families, CodeplugFileRoundTrip,
                         ::testing::Values(FamilyCase{0x81, 1024}, FamilyCase{0x89, 1024},
                                           FamilyCase{0xC0, 1024}, FamilyCase{0x84, 4096},
                                           FamilyCase{0x88, 4096}, FamilyCase{0xD0, 4096},
                                           FamilyCase{0xD1, 4096}));

TEST(CodeplugFile, LfOnlyAndPaddedLinesStillLoad) {
  const auto image = PatternImage(0x84);
  const auto lines = SplitCrLf(FormatCodeplugFile(image, {0, true, 0x84}));
  auto lfOnly = ParseCodeplugFile(Join(lines, "\n"));
  ASSERT_TRUE(lfOnly);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), lfOnly->image.begin()));
  auto padded = ParseCodeplugFile(Join(lines, "   \r\n"));
  ASSERT_TRUE(padded);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), padded->image.begin()));
}

TEST(CodeplugFile, AddressesAreRelativeToTheLowestRecord) {
  // Rebuild a 1 KB file with every data record moved up by 0x2000.
  const auto image = PatternImage(0x89);
  std::string text;
  for (std::size_t address = 0; address < 1024; address += 16) {
    unsigned sum = 0x13 + ((address + 0x2000) >> 8) + ((address + 0x2000) & 0xFF);
    char head[16];
    std::snprintf(head, sizeof head, "S113%04X", static_cast<unsigned>(address + 0x2000));
    std::string line = head;
    for (std::size_t i = 0; i < 16; ++i) {
      char byte[3];
      std::snprintf(byte, sizeof byte, "%02X", image[address + i]);
      line += byte;
      sum += image[address + i];
    }
    char check[3];
    std::snprintf(check, sizeof check, "%02X", (~sum) & 0xFF);
    text += line + check + "\r\n";
  }
  const auto parsed = ParseCodeplugFile(text);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->length, 1024u);
  EXPECT_FALSE(parsed->headerSeen);
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 1024, parsed->image.begin()));
}

// Damaged or incomplete files are refused whole: nothing of them may be
// mixed into the codeplug that is already loaded.
TEST(CodeplugFile, DamagedOrIncompleteFilesAreRefused) {
  const auto image = PatternImage(0x84);
  const auto lines = SplitCrLf(FormatCodeplugFile(image, {0, true, 0x84}));

  auto badChecksum = lines;
  badChecksum[100].back() = badChecksum[100].back() == '0' ? '1' : '0';
  EXPECT_FALSE(ParseCodeplugFile(Join(badChecksum, "\r\n")));

  auto truncated = lines;
  truncated.resize(200);
  EXPECT_FALSE(ParseCodeplugFile(Join(truncated, "\r\n")));

  auto missingRecord = lines;
  missingRecord.erase(missingRecord.begin() + 50);
  EXPECT_FALSE(ParseCodeplugFile(Join(missingRecord, "\r\n")));

  auto shortLine = lines;
  shortLine[10].erase(20, 2);
  EXPECT_FALSE(ParseCodeplugFile(Join(shortLine, "\r\n")));

  auto notHex = lines;
  notHex[10][12] = 'G';
  EXPECT_FALSE(ParseCodeplugFile(Join(notHex, "\r\n")));

  EXPECT_FALSE(ParseCodeplugFile(""));
  EXPECT_FALSE(ParseCodeplugFile("S00800000043572084B9\r\nS9030000FC\r\n"));
  EXPECT_FALSE(ParseCodeplugFile("hello\nworld\n"));
}

TEST(CodeplugFile, RecordBeyondTheImageIsRefused) {
  // A 1 KB image whose last record claims address 0x0400 would write past
  // the end of a 1 KB buffer.
  const auto image = PatternImage(0x81);
  auto lines = SplitCrLf(FormatCodeplugFile(image, {0, false, 0x81}));
  lines.insert(lines.end() - 1, "S1130400000102030405060708090A0B0C0D0E0F70");
  EXPECT_FALSE(ParseCodeplugFile(Join(lines, "\r\n")));
}

TEST(CodeplugFile, UnknownModelIsRefused) {
  auto image = PatternImage(0x42);
  const auto text = FormatCodeplugFile(image, {0, false, 0x42});
  EXPECT_FALSE(ParseCodeplugFile(text));
}

TEST(CodeplugFile, SafeWriteReplacesTheFileAndFailsCleanly) {
  const std::string dir = ::testing::TempDir();
  const std::string path = rer::testing::TempPath("safe_write.cp");
  ASSERT_TRUE(WriteTextFileSafely(path, "first"));
  EXPECT_EQ(ReadTextFile(path).value_or(""), "first");
  ASSERT_TRUE(WriteTextFileSafely(path, "second"));
  EXPECT_EQ(ReadTextFile(path).value_or(""), "second");
  EXPECT_FALSE(WriteTextFileSafely(dir + "no/such/folder/x.cp", "x"));
  EXPECT_FALSE(ReadTextFile(dir + "no/such/folder/x.cp"));
  std::remove(path.c_str());
}

TEST(CodeplugFile, OutsideCheckerAcceptsTheFile) {
  if (std::system("command -v srec_info >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "srec_info (Debian package srecord) is not installed";
  }
  for (std::uint8_t model : {std::uint8_t{0x84}, std::uint8_t{0x81}}) {
    const std::string path = rer::testing::TempPath("srec_check.cp");
    ASSERT_TRUE(
        WriteTextFileSafely(path, FormatCodeplugFile(PatternImage(model), {0, true, model})));
    const std::string command = "srec_info " + path + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "model " << int(model);
    std::remove(path.c_str());
  }
}

}  // namespace
}  // namespace rer
