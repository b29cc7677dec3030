#include "pager/password_state.h"

#include <gtest/gtest.h>

#include "comm/virtual_clock.h"
#include "core/scripted_user_interface.h"
#include "pager/codeplug_files.h"
#include "pager/password_scramble.h"

namespace rer {
namespace {

class PasswordChecksTest : public ::testing::Test {
 protected:
  PasswordState state;
  ScriptedUserInterface ui;
  VirtualClock clock;
  PasswordChecks checks{state, ui, clock};

  static std::string Stored(std::string_view plain) {
    return ScramblePassword(std::string(plain) + std::string(10 - plain.size(), ' '));
  }
};

TEST_F(PasswordChecksTest, ShortPasswordsCompareAfterPadding) {
  ui.passwords = {"AB"};
  EXPECT_EQ(checks.AskCodeplugPassword(PasswordMode::Secure, Stored("AB")), 0);
  EXPECT_EQ(state.securityResult, 0);
  EXPECT_TRUE(ui.shown.empty());  // the caller shows any message
}

TEST_F(PasswordChecksTest, SecureWrongEntriesCountUntilACorrectOne) {
  ui.passwords = {"X", "Y", "Z", "SECRET"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(checks.AskCodeplugPassword(PasswordMode::Secure, Stored("SECRET")), -6);
  }
  EXPECT_EQ(state.secureWrongCount, 3);
  EXPECT_EQ(state.securePasswordKnown, "SECRET    ");
  EXPECT_EQ(checks.AskCodeplugPassword(PasswordMode::Secure, Stored("SECRET")), 0);
  EXPECT_EQ(state.secureWrongCount, 0);
}

struct ModeCase {
  PasswordMode mode;
  int wrongResult;
  bool paced;
};

class PasswordModes : public PasswordChecksTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(PasswordModes, WrongEntryResultAndPause) {
  const auto c = GetParam();
  ui.passwords = {"WRONG"};
  EXPECT_EQ(checks.AskCodeplugPassword(c.mode, Stored("RIGHT1")), c.wrongResult);
  EXPECT_EQ(clock.ElapsedMs(), c.paced ? 1000 : 0);
  ui.passwords = {"RIGHT1"};
  EXPECT_EQ(checks.AskCodeplugPassword(c.mode, Stored("RIGHT1")), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, PasswordModes,
                         ::testing::Values(ModeCase{PasswordMode::Secure, -6, false},
                                           ModeCase{PasswordMode::Local, -8, true},
                                           ModeCase{PasswordMode::PagerLocal, -8, true},
                                           ModeCase{PasswordMode::Ota, -91, false}));

TEST_F(PasswordChecksTest, ClosingTheEntryLeavesMinusOne) {
  ui.passwords = {std::nullopt};
  EXPECT_EQ(checks.AskCodeplugPassword(PasswordMode::Local, Stored("A")), -1);
  EXPECT_EQ(state.localWrongCount, 0);
}

TEST_F(PasswordChecksTest, SoftwarePasswordIsExactAndShowsOneMessage) {
  state.softwarePassword = "TECH1";
  ui.passwords = {"TECH1 "};
  EXPECT_EQ(checks.AskSoftwarePassword(), -1);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text.rfind("WARNING : Wrong Password.\n", 0), 0u);
  ui.passwords = {"TECH1"};
  EXPECT_EQ(checks.AskSoftwarePassword(), 0);
  ui.passwords = {std::nullopt};
  EXPECT_EQ(checks.AskSoftwarePassword(), -1);
  EXPECT_EQ(ui.shown.size(), 1u);
}

TEST_F(PasswordChecksTest, PagerAccessPasswordIsPaddedScrambledAndPaced) {
  ui.passwords = {"1234"};
  const auto sent = checks.AskPagerAccessPassword();
  ASSERT_TRUE(sent);
  EXPECT_EQ(*sent, ScramblePassword("1234      "));
  EXPECT_EQ(clock.ElapsedMs(), 1000);
  EXPECT_EQ(state.securityResult, -1);
}

TEST_F(PasswordChecksTest, ChangeLocalPasswordAfterAMismatch) {
  ui.newPasswords = {UserInterface::NewPassword{"ABC", "ABD"},
                     UserInterface::NewPassword{"ABC", "ABC"}};
  EXPECT_TRUE(checks.ChangePassword(PasswordMode::Local));
  ASSERT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(ui.shown[0].title, "WARNING");  // -90
  EXPECT_EQ(ui.shown[1].title, "successfully");
  EXPECT_EQ(ui.shown[1].text, "Please record your password.\nPress OK Button to continue");
  EXPECT_EQ(state.localPasswordKnown, "ABC       ");
  EXPECT_EQ(state.localPasswordToWrite, "ABC       ");
  EXPECT_EQ(state.localVerifyText, "ABC       ");
  EXPECT_TRUE(state.passwordChanged);
}

TEST_F(PasswordChecksTest, CancelledChangeSetsNothing) {
  ui.newPasswords = {std::nullopt};
  EXPECT_FALSE(checks.ChangePassword(PasswordMode::Ota));
  EXPECT_EQ(state.otaPasswordKnown, "");
  EXPECT_FALSE(state.passwordChanged);
}

// Only a change in this run marks a password as set, and only its own kind;
// the entry is taken as its field takes it.
TEST_F(PasswordChecksTest, AChangeMarksItsKindSetInThisRun) {
  AdoptDecodedPasswords(state, DecodedPasswords{"OTA1      ", "LOC1      ", "SEC1      "});
  for (PasswordMode kind : {PasswordMode::Secure, PasswordMode::Local, PasswordMode::Ota}) {
    EXPECT_FALSE(PasswordSetInRun(state, kind));
  }
  ui.newPasswords = {UserInterface::NewPassword{"ab 1", "ab 1"}};
  ASSERT_TRUE(ChangeCodeplugPassword(state, ui, PasswordMode::Ota));
  EXPECT_EQ(state.otaPasswordKnown, "AB 1      ");
  EXPECT_TRUE(PasswordSetInRun(state, PasswordMode::Ota));
  EXPECT_FALSE(PasswordSetInRun(state, PasswordMode::Secure));
  EXPECT_FALSE(PasswordSetInRun(state, PasswordMode::Local));
  EXPECT_EQ(state.securePasswordKnown, "SEC1      ");
}

TEST_F(PasswordChecksTest, AnEntryTheFieldWouldRefuseIsNeverStored) {
  for (const char* typed : {"ELEVENCHARS", "A-B", "\xC3\xA9"}) {
    SCOPED_TRACE(typed);
    ui.newPasswords = {UserInterface::NewPassword{typed, typed}};
    EXPECT_FALSE(ChangeCodeplugPassword(state, ui, PasswordMode::Secure));
    EXPECT_EQ(state.securePasswordKnown, "");
    EXPECT_FALSE(PasswordSetInRun(state, PasswordMode::Secure));
  }
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace rer
