#include "pages/address_checks.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/scripted_user_interface.h"

namespace rer {
namespace {

EditorSettings WithCapcodes(const std::map<int, std::string>& capcodes) {
  EditorSettings settings;
  for (const auto& [address, text] : capcodes) {
    settings.SetText(AddressControl::Capcode, address, text);
  }
  return settings;
}

TEST(DerivedFrame, CapcodesJustAboveAddressOneShareItsFrame) {
  EXPECT_EQ(DerivedFrame(1000, 1000), 62u);
  EXPECT_EQ(DerivedFrame(1002, 1000), 62u);
  EXPECT_EQ(DerivedFrame(1003, 1000), 62u);
  EXPECT_EQ(DerivedFrame(1010, 1000), 63u);
  EXPECT_EQ(DerivedFrame(999, 1000), 62u);              // below address 1: its own
  EXPECT_EQ(DerivedFrame(16 * 128 + 5, 1), 0u);         // frames wrap at 128
  EXPECT_EQ(DerivedFrame(1010 + 16 * 128, 1000), 63u);  // far above: its own
}

struct PageCase {
  std::map<int, std::string> capcodes;
  int expected;
  int failing;
};

TEST(AddressPageCheck, RefusesTheFirstAddressThatCannotBeProgrammed) {
  const PageCase cases[] = {
      {{{1, "1000"}}, 0, 0},
      {{}, kInvalidAddressCode, 1},                             // address 1 empty
      {{{1, "1933313"}}, kInvalidAddressCode, 1},               // address 1 invalid
      {{{1, "1000"}, {2, "2101249"}}, kInvalidAddressCode, 2},  // long in an even slot
      {{{1, "2101249"}, {2, "2101249"}}, 0, 0},  // even half of a long address: not tested
      {{{1, "1000"}, {3, "1933313"}}, kInvalidAddressCode, 3},
      {{{1, "1000"}, {5, "1933313"}}, kInvalidAddressCode, 5},
      {{{1, "1000"}, {5, ""}}, 0, 0},                           // later tabs may start empty
      {{{1, "1000"}, {6, "2101249"}}, kInvalidAddressCode, 6},  // after an empty slot
      {{{1, "1000"}, {3, ""}, {4, "2101249"}}, 0, 0},  // first tab: not after an empty slot
      {{{1, "1000"}, {15, "2101249"}, {16, "5"}}, 0, 0},
  };
  for (const PageCase& c : cases) {
    int failing = 0;
    EXPECT_EQ(CheckAddressPages(WithCapcodes(c.capcodes), &failing), c.expected)
        << "case failing at " << c.failing;
    if (c.expected != 0) {
      EXPECT_EQ(failing, c.failing);
    }
  }
}

TEST(DuplicateCapcodes, ComparesNumbersNotTexts) {
  EXPECT_EQ(CheckDuplicateCapcodes(WithCapcodes({{1, "0001234"}, {3, "1234"}}), 0x84),
            kDuplicateCodes);
  EXPECT_EQ(CheckDuplicateCapcodes(WithCapcodes({{1, "1234"}, {16, "1234"}}), 0x84),
            kDuplicateCodes);
  EXPECT_EQ(CheckDuplicateCapcodes(WithCapcodes({{1, "1234"}, {3, "1235"}}), 0x84), 0);
  // Empty addresses are never duplicates of each other.
  EXPECT_EQ(CheckDuplicateCapcodes(WithCapcodes({{1, "1234"}, {2, "0"}, {3, ""}}), 0x84), 0);
}

TEST(DuplicateCapcodes, FourAddressModelLooksAtItsFourAddressesOnly) {
  const EditorSettings settings = WithCapcodes({{1, "1234"}, {5, "1234"}});
  EXPECT_EQ(CheckDuplicateCapcodes(settings, kFourAddressModel), 0);
  EXPECT_EQ(CheckDuplicateCapcodes(settings, 0x81), kDuplicateCodes);
  EXPECT_EQ(CheckDuplicateCapcodes(WithCapcodes({{1, "1234"}, {4, "1234"}}), kFourAddressModel),
            kDuplicateCodes);
}

TEST(AddressChecks, ShowTheFirstFailureOnly) {
  ScriptedUserInterface ui;
  // Address 1 empty and a duplicate pair: the page check speaks first.
  EXPECT_EQ(RunAddressChecks(WithCapcodes({{3, "5"}, {5, "5"}}), 0x84, ui), kInvalidAddressCode);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, ComposeError(kInvalidAddressCode).text);

  EXPECT_EQ(RunAddressChecks(WithCapcodes({{1, "5"}, {5, "5"}}), 0x84, ui), kDuplicateCodes);
  ASSERT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(ui.shown[1].text, ComposeError(kDuplicateCodes).text);
}

}  // namespace
}  // namespace rer
