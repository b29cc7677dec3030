#include "pager/link_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pager/password_scramble.h"

namespace rer {
namespace {

std::vector<std::uint8_t> Identity(const std::string& tail) {
  std::string text = "ABCDEFGH" + tail;  // characters 1-8 are not used
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

struct FlagCase {
  std::string tail;  // characters 9-15
  std::vector<bool LinkState::*> set;
};

TEST(LinkState, IdentityReplySetsFirmwareAndVariantFlags) {
  const std::vector<bool LinkState::*> all = {
      &LinkState::R0402,         &LinkState::R0403,         &LinkState::R0404,
      &LinkState::R0406,         &LinkState::R0407,         &LinkState::R0408,
      &LinkState::R0409,         &LinkState::R0501,         &LinkState::R0502,
      &LinkState::Variant1R0501, &LinkState::Variant2R0501, &LinkState::Variant3R0501};
  const FlagCase cases[] = {
      {"0 R0403", {&LinkState::R0403}},
      {"0 R0501", {&LinkState::R0501}},
      {"1 R0501", {&LinkState::R0501, &LinkState::Variant1R0501}},
      {"3 R0501", {&LinkState::R0501, &LinkState::Variant3R0501}},
      {"2 R0502", {&LinkState::R0502}},
      {"0R0409 ", {&LinkState::R0409}},  // the name may stand anywhere
      {"0 X0000", {}},
  };
  for (const auto& c : cases) {
    LinkState state;
    state.ModelCode = 0x88;
    // Flags from an earlier pager must not survive.
    for (auto flag : all) state.*flag = true;
    ApplyIdentityReply(state, Identity(c.tail), IdentityScope::kAll);
    EXPECT_EQ(state.FirmwareVersion, c.tail.substr(1));
    EXPECT_EQ(state.ModelWord, 0x88);
    for (auto flag : all) {
      const bool expected = std::find(c.set.begin(), c.set.end(), flag) != c.set.end();
      EXPECT_EQ(state.*flag, expected) << c.tail;
    }
  }
}

TEST(LinkState, NarrowerScopesLeaveOtherFlagsAlone) {
  LinkState identify;
  identify.Variant2R0501 = true;
  ApplyIdentityReply(identify, Identity("1 R0501"), IdentityScope::kFirstVariant);
  EXPECT_TRUE(identify.Variant1R0501);
  EXPECT_TRUE(identify.Variant2R0501);  // untouched by the identify engine
  EXPECT_TRUE(identify.R0501);

  LinkState compact;
  compact.R0501 = true;
  compact.Variant1R0501 = true;
  compact.R0402 = false;
  ApplyIdentityReply(compact, Identity("0 R0402"), IdentityScope::kEarlyFirmware);
  EXPECT_TRUE(compact.R0402);
  EXPECT_TRUE(compact.R0501);          // only the early flags are refreshed
  EXPECT_TRUE(compact.Variant1R0501);  // variants untouched
  EXPECT_EQ(compact.FirmwareVersion, " R0402");
}

struct CgromCase {
  std::uint8_t first;
  std::uint8_t second;
  int type;
  std::string start;  // expected range; "--" = unchanged
  std::string end;
};

TEST(LinkState, CgromReplyGivesTypeAndCannedRange) {
  const CgromCase cases[] = {
      {'T', '1', kCgromOther, "--", "--"},
      {'T', '2', kCgromOther, "--", "--"},
      {'T', 'W', kCgromTraditionalChinese, "3321", "3F7E"},
      {'P', 'R', kCgromSimplifiedChinese, "7821", "7D47"},
      {'H', 'K', kCgromOther, "--", "--"},
      {0xFF, 0xFF, kCgromNone, "--", "--"},
      {'Q', 0x00, kCgromUnrecognised, "--", "--"},
  };
  for (const auto& c : cases) {
    LinkState state;
    state.CannedRangeStart = "--";
    state.CannedRangeEnd = "--";
    const std::uint8_t reply[] = {c.first, c.second};
    ApplyCgromReply(state, reply);
    EXPECT_EQ(state.CgromType, c.type) << c.first << c.second;
    EXPECT_EQ(state.CannedRangeStart, c.start);
    EXPECT_EQ(state.CannedRangeEnd, c.end);
  }
}

TEST(LinkState, PagerPasswordIsPaddedUpperCasedAndScrambled) {
  LinkState state;
  SetPagerPasswordText(state, "ab1");
  const std::string expected = ScramblePassword("AB1       ");
  EXPECT_EQ(std::string(state.PagerPassword.begin(), state.PagerPassword.end()), expected);
  SetPagerPasswordText(state, "ABCDEFGHIJKL");  // cut to ten
  EXPECT_EQ(std::string(state.PagerPassword.begin(), state.PagerPassword.end()),
            ScramblePassword("ABCDEFGHIJ"));
}

}  // namespace
}  // namespace rer
