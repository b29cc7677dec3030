#include "codeplug/firmware_tables.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "codeplug/editor_settings.h"

namespace rer {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(std::span<const std::uint8_t> table) {
  return Bytes(table.begin(), table.end());
}

Bytes Head(std::span<const std::uint8_t> table, std::size_t n) {
  return Of(table.first(n));
}
Bytes Tail(std::span<const std::uint8_t> table, std::size_t n) {
  return Of(table.last(n));
}

struct TableCase {
  std::string name;
  std::span<const std::uint8_t> table;
  std::size_t length;
  Bytes first;
  Bytes last;
};

// Stated lengths and the bytes at both ends, as the firmware listings give them.
TEST(FirmwareTables, LengthsAndEdgeBytes) {
  const std::vector<TableCase> cases = {
      {"D60", kD60, 60, {0xFE, 0xFF, 0x11, 0xB3}, {0x00, 0x27, 0x27, 0xF5}},
      {"D7", kD7, 7, {0x96, 0x1C}, {0x12, 0x44}},
      {"R40", kR40, 4, {0x02, 0x00}, {0x00, 0x41}},
      {"M84", kM84, 50, {0x84, 0x10, 0x2B}, {0x00, 0xAE, 0xAF}},
      {"M88", kM88, 50, {0x88, 0x0A, 0xE2}, {0x00, 0xAE, 0xAF}},
      {"MD0", kMD0, 50, {0xD0, 0x0A, 0xE2}, {0x00, 0xAE, 0xAF}},
      {"T57", kT57, 39, {0xB3, 0x07, 0x00, 0xB4}, {0xB3, 0x07, 0x00}},
      {"T58", kT58, 39, {0xB3, 0x07, 0x00}, {0x07, 0x00, 0x00, 0x00, 0x00}},
      {"T59", kT59, 40, {0x69, 0x05, 0x69}, {0x05, 0x69, 0x05}},
      {"T60", kT60, 39, {0xB3, 0x07, 0x00, 0xB4}, {0xB3, 0x07, 0x00}},
      {"T61", kT61, 13, {0x75, 0xCF, 0xFE}, {0x0E, 0x00, 0xF3}},
      {"T62", kT62, 49, {0x7E, 0xBF, 0x43}, {0xEB, 0x64, 0xF3}},
      {"T63", kT63, 5, {0x7E, 0x9F}, {0xB2, 0xF3}},
      {"T70", kT70, 18, {0x7E, 0xBF, 0x6E}, {0xFD, 0x03, 0xF3}},
      {"V1 block", kV1.block, 25, {0x77, 0x8F, 0x7E}, {0xA2, 0x1F, 0xF3}},
      {"V1 pair A", kV1.pairA, 2, {0x6A, 0x05}, {}},
      {"V1 pair B", kV1.pairB, 2, {0x82, 0x05}, {}},
      {"V2 block", kV2.block, 134, {0xD0, 0x76, 0x0F, 0x0D}, {0xC0, 0x2B, 0xF3}},
      {"V2 pair A", kV2.pairA, 2, {0x7B, 0x12}, {}},
      {"V2 pair B", kV2.pairB, 2, {0x7A, 0x12}, {}},
      {"V2 pair C", kV2.pairC, 2, {0xFF, 0x12}, {}},
      {"factory carried area",
       kFactoryCarriedArea,
       44,
       {0x21, 0x21, 0x00, 0xB3},
       {0x00, 0x03, 0x81}},
  };
  for (const TableCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.table.size(), c.length);
    EXPECT_EQ(Head(c.table, c.first.size()), c.first);
    EXPECT_EQ(Tail(c.table, c.last.size()), c.last);
  }
}

// Tables given as "n times" a unit hold exactly that unit at every repeat,
// and the bytes after the repeats start where the listing says.
TEST(FirmwareTables, RepeatedUnitsSitWhereTheListingPutsThem) {
  struct RepeatCase {
    std::string name;
    std::span<const std::uint8_t> table;
    std::size_t start;
    std::size_t times;
    Bytes unit;
    Bytes after;  // the bytes that follow the repeats
  };
  const std::vector<RepeatCase> cases = {
      {"D60", kD60, 3, 13, {0xB3, 0x07, 0x00}, {0x03, 0x81, 0x02, 0xF4}},
      {"factory carried area", kFactoryCarriedArea, 3, 13, {0xB3, 0x07, 0x00}, {0x03, 0x81}},
      {"T58", kT58, 0, 12, {0xB3, 0x07, 0x00}, {0x00, 0x00, 0x00}},
      {"T57 tail", kT57, 21, 6, {0xB3, 0x07, 0x00}, {}},
      {"T59", kT59, 0, 20, {0x69, 0x05}, {}},
      {"M84 zeros", kM84, 18, 16, {0x00}, {0x80, 0x00, 0x00, 0x66}},
      {"M88 zeros", kM88, 12, 14, {0x00}, {0x21, 0x81, 0x0C}},
  };
  for (const RepeatCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::size_t at = c.start;
    for (std::size_t t = 0; t < c.times; ++t, at += c.unit.size()) {
      ASSERT_EQ(Of(c.table.subspan(at, c.unit.size())), c.unit) << "repeat " << t;
    }
    EXPECT_EQ(Of(c.table.subspan(at, c.after.size())), c.after);
    if (c.after.empty()) {
      EXPECT_EQ(at, c.table.size());
    }
  }
}

// Tables defined from another table differ from it exactly where their rule says.
TEST(FirmwareTables, DerivedTablesDifferOnlyWhereTheirRuleSays) {
  for (std::size_t i = 0; i < kM88.size(); ++i) {
    EXPECT_EQ(kMD0[i], i == 0 ? 0xD0 : kM88[i]) << "MD0 byte " << i;
  }
  const std::size_t eleventhTriple = 10 * 3;
  for (std::size_t i = 0; i < kT57.size(); ++i) {
    if (i >= eleventhTriple && i < eleventhTriple + 3) continue;
    EXPECT_EQ(kT60[i], kT57[i]) << "T60 byte " << i;
  }
  EXPECT_EQ(Of(std::span(kT60).subspan(eleventhTriple, 3)), (Bytes{0x15, 0x06, 0x00}));
  EXPECT_EQ(Of(std::span(kT57).subspan(eleventhTriple, 3)), (Bytes{0xB3, 0x07, 0x00}));
}

// The editor starts from the same factory carried region that the table
// holds behind its three lead bytes.
TEST(FirmwareTables, FactoryCarriedAreaMatchesTheEditorsStartingCopy) {
  const auto editorCopy = FactoryCarriedRegion();
  ASSERT_EQ(kFactoryCarriedArea.size() - kFactoryCarriedAreaLead, editorCopy.size());
  EXPECT_EQ(Tail(kFactoryCarriedArea, editorCopy.size()), Of(editorCopy));
}

}  // namespace
}  // namespace rer
