#include "pages/password_ota_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pager/password_state.h"
#include "pages/page_rules.h"

namespace rer {
namespace {

using enum Control;

int FieldOf(Control control) {
  return FieldCatalogue::Instance().Entry(control).fieldNumber;
}

// The page rules of a 4 KB pager, with edits made as the window makes them.
class PasswordOtaPageTest : public ::testing::Test {
 protected:
  // A display contrast the Features rules accept, so that the editor's
  // check reaches this page.
  PasswordOtaPageTest() : pages(settings, ui, Environment(passwords)) {
    settings.SetText(Control::ed_displayContrast, "8");
  }
  static PageEnvironment Environment(PasswordState& passwords) {
    PageEnvironment environment;
    environment.modelCode = 0x84;
    environment.passwords = &passwords;
    return environment;
  }

  int Type(Control control, const std::string& text) {
    pages.Enter(kPagePasswordOta, FieldOf(control));
    settings.SetText(control, text);
    return pages.Store(kPagePasswordOta, FieldOf(control));
  }
  // A click on a check box: the window calls no enter handler for boxes.
  int Click(Control box) {
    settings.SetChecked(box, !settings.Checked(box));
    return pages.Store(kPagePasswordOta, FieldOf(box));
  }
  int Choose(Control list, int item) {
    pages.Enter(kPagePasswordOta, FieldOf(list));
    settings.SetItem(list, item);
    return pages.Store(kPagePasswordOta, FieldOf(list));
  }
  PasswordOtaPage& Page() {
    return *dynamic_cast<PasswordOtaPage*>(pages.HandlerOf(kPagePasswordOta));
  }
  std::vector<std::string> Texts() const { return ui.Texts(); }
  std::vector<std::string> Timeout() const {
    return {settings.Text(ed_cpwFc_Pswd_Timeout_h), settings.Text(ed_cpwFc_Pswd_Timeout_m),
            settings.Text(ed_cpwFc_Pswd_Timeout_s)};
  }

  EditorSettings settings;
  ScriptedUserInterface ui;
  PasswordState passwords;
  PageRules pages;
};

TEST_F(PasswordOtaPageTest, TimeoutIsSplitAgainAndClampedToTwelveHours) {
  struct Case {
    std::vector<std::string> typed;  // hours, minutes, seconds, typed and left in this order
    std::vector<std::string> shown;
    bool clamped;
  };
  const Case cases[] = {
      {{"12", "1", "0"}, {"12", "0", "0"}, true},    {{"0", "0", "43201"}, {"12", "0", "0"}, true},
      {{"99", "0", "0"}, {"12", "0", "0"}, true},    {{"12", "0", "0"}, {"12", "0", "0"}, false},
      {{"0", "720", "0"}, {"12", "0", "0"}, false},  {{"0", "0", "43200"}, {"12", "0", "0"}, false},
      {{"1", "90", "75"}, {"2", "31", "15"}, false}, {{"", "30", ""}, {"0", "30", "0"}, false},
  };
  const Control fields[] = {ed_cpwFc_Pswd_Timeout_h, ed_cpwFc_Pswd_Timeout_m,
                            ed_cpwFc_Pswd_Timeout_s};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed[0] + " h " + c.typed[1] + " m " + c.typed[2] + " s");
    ui.shown.clear();
    for (Control field : fields) settings.SetText(field, "");
    std::vector<int> results;
    for (int i = 0; i < 3; ++i) results.push_back(Type(fields[i], c.typed[i]));
    EXPECT_EQ(Timeout(), c.shown);
    const std::vector<std::string> expected =
        c.clamped ? std::vector<std::string>{ComposeError(kPasswordTimeoutTooLong).text}
                  : std::vector<std::string>{};
    EXPECT_EQ(Texts(), expected);
    EXPECT_EQ(std::count(results.begin(), results.end(), kPasswordTimeoutTooLong),
              c.clamped ? 1 : 0);
  }
}

TEST_F(PasswordOtaPageTest, ErrorCountAbove255IsRefusedUntilCorrected) {
  settings.SetText(Capcode, 1, "1234567");  // the address pages pass
  EXPECT_EQ(Type(ed_CP_EP1_HP_Error_Number, "255"), kSuccess);
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(RunEditorPageCheck(pages, kPagePasswordOta, 0), kSuccess);

  EXPECT_EQ(Type(ed_CP_EP1_HP_Error_Number, "256"), kMaximumErrorCountOutOfRange);
  EXPECT_EQ(Texts(), std::vector<std::string>{ComposeError(kMaximumErrorCountOutOfRange).text});
  // The page is neither left, nor programmed or saved, with the count standing.
  ui.shown.clear();
  EXPECT_EQ(RunEditorPageCheck(pages, kPageGeneral, 0), kMaximumErrorCountOutOfRange);
  EXPECT_EQ(Texts(), std::vector<std::string>{ComposeError(kMaximumErrorCountOutOfRange).text});
  EXPECT_EQ(settings.Text(ed_CP_EP1_HP_Error_Number), "256");

  EXPECT_EQ(Type(ed_CP_EP1_HP_Error_Number, "0"), kSuccess);
  EXPECT_EQ(RunEditorPageCheck(pages, kPagePasswordOta, 0), kSuccess);
}

TEST_F(PasswordOtaPageTest, OtaOptionsFollowEnableOtaProgramming) {
  passwords.otaPasswordSet = true;  // no password entry in the way
  settings.SetChecked(cb_rfProgrammingEnabled, true);
  settings.SetChecked(cb_silentRFProgramming, true);
  settings.SetChecked(cb_supportOTAAlphaVector, true);
  pages.EnterPage(kPagePasswordOta);
  PageView view = pages.TakeView();
  EXPECT_TRUE(view.enabled.at(EntryIndexOf(cb_silentRFProgramming, 0)));
  EXPECT_TRUE(view.enabled.at(EntryIndexOf(cb_supportOTAAlphaVector, 0)));
  EXPECT_TRUE(view.visible.at(EntryIndexOf(cb_supportOTAAlphaVector, 0)));

  Click(cb_rfProgrammingEnabled);  // unticked
  EXPECT_FALSE(settings.Checked(cb_silentRFProgramming));
  EXPECT_FALSE(settings.Checked(cb_supportOTAAlphaVector));
  view = pages.TakeView();
  EXPECT_FALSE(view.enabled.at(EntryIndexOf(cb_silentRFProgramming, 0)));
  EXPECT_FALSE(view.enabled.at(EntryIndexOf(cb_supportOTAAlphaVector, 0)));

  // With every alert off, over-the-air programming can only be silent.
  settings.SetChecked(cb_disableAllAlerts, true);
  Click(cb_rfProgrammingEnabled);  // ticked
  EXPECT_TRUE(settings.Checked(cb_silentRFProgramming));
  view = pages.TakeView();
  EXPECT_FALSE(view.enabled.at(EntryIndexOf(cb_silentRFProgramming, 0)));
  EXPECT_TRUE(view.enabled.at(EntryIndexOf(cb_supportOTAAlphaVector, 0)));
}

TEST_F(PasswordOtaPageTest, AlphaVectorOnlyOnLargeLayoutPagers) {
  for (std::uint8_t model : {0x81, 0x89, 0xC0}) {
    PageEnvironment environment;
    environment.modelCode = model;
    PageRules small(settings, ui, environment);
    small.EnterPage(kPagePasswordOta);
    EXPECT_FALSE(small.TakeView().visible.at(EntryIndexOf(cb_supportOTAAlphaVector, 0)));
  }
}

TEST_F(PasswordOtaPageTest, UserPasswordControlsOnlyWhilePasswordEnabled) {
  const Control controls[] = {cb_fUif_User_Password_Level, ed_cpwFc_Pswd_Timeout_h,
                              ed_cpwFc_Pswd_Timeout_m,     ed_cpwFc_Pswd_Timeout_s,
                              ed_cpwFc_Password,           ed_cpwFc_Password_LRUD};
  for (int item : {1, 0}) {
    SCOPED_TRACE(item);
    Choose(cb_fUif_User_Password_Enable, item);
    const PageView view = pages.TakeView();
    for (Control control : controls) {
      EXPECT_EQ(view.enabled.at(EntryIndexOf(control, 0)), item == kUserPasswordEnabled);
    }
  }
}

// Each protection box and the password entry it opens.
struct ProtectionBox {
  Control box;
  PasswordMode kind;
  std::string PasswordState::*known;
};
const ProtectionBox kBoxes[] = {
    {cb_enableSecurePasswd, PasswordMode::Secure, &PasswordState::securePasswordKnown},
    {cb_enableLocalPasswd, PasswordMode::Local, &PasswordState::localPasswordKnown},
    {cb_rfProgrammingEnabled, PasswordMode::Ota, &PasswordState::otaPasswordKnown},
};

TEST_F(PasswordOtaPageTest, TickingABoxAsksForItsPasswordOnceInARun) {
  for (const ProtectionBox& b : kBoxes) {
    SCOPED_TRACE(FieldOf(b.box));
    ui.passwordAsks.clear();
    ui.newPasswords = {UserInterface::NewPassword{"TECH", "TECH"}};
    Click(b.box);
    EXPECT_EQ(ui.passwordAsks, std::vector<PasswordMode>{b.kind});
    EXPECT_TRUE(settings.Checked(b.box));
    EXPECT_EQ(passwords.*b.known, "TECH      ");
    EXPECT_TRUE(PasswordSetInRun(passwords, b.kind));

    // Unticking asks nothing, and ticking again finds the password set.
    Click(b.box);
    Click(b.box);
    EXPECT_EQ(ui.passwordAsks.size(), 1u);
    EXPECT_TRUE(settings.Checked(b.box));
  }
}

TEST_F(PasswordOtaPageTest, ClosingThePasswordEntryUnticksItsBox) {
  for (const ProtectionBox& b : kBoxes) {
    SCOPED_TRACE(FieldOf(b.box));
    ui.newPasswords = {std::nullopt};
    Click(b.box);
    EXPECT_FALSE(settings.Checked(b.box));
    EXPECT_EQ(passwords.*b.known, "");
    EXPECT_FALSE(PasswordSetInRun(passwords, b.kind));
  }
  EXPECT_EQ(ui.passwordAsks.size(), 3u);
}

TEST_F(PasswordOtaPageTest, ABoxThatStaysTickedAsksNothing) {
  // A codeplug that was read with the box ticked: a script that gives the
  // box the value it shows changes nothing.
  settings.SetChecked(cb_enableSecurePasswd, true);
  PageRules loaded(settings, ui, Environment(passwords));
  loaded.Enter(kPagePasswordOta, FieldOf(cb_enableSecurePasswd));
  settings.SetChecked(cb_enableSecurePasswd, true);
  loaded.Store(kPagePasswordOta, FieldOf(cb_enableSecurePasswd));
  EXPECT_TRUE(ui.passwordAsks.empty());
  EXPECT_TRUE(settings.Checked(cb_enableSecurePasswd));
}

TEST_F(PasswordOtaPageTest, KeypadKeysAreStoredAsDigitsAndLetters) {
  settings.SetText(ed_cpwFc_Password, "0123");
  settings.SetText(ed_cpwFc_Password_LRUD, "LRUD");
  ui.userPasswordKeys = {"22"};
  EXPECT_EQ(Page().SetUserPassword(), kSuccess);
  EXPECT_EQ(ui.keypadOpenedOn, std::vector<std::string>{"0123"});
  EXPECT_EQ(settings.Text(ed_cpwFc_Password), "22");
  EXPECT_EQ(settings.Text(ed_cpwFc_Password_LRUD), "UU");

  // Cancelled, or a single key: the page keeps what it had.
  ui.userPasswordKeys = {std::nullopt, "3"};
  EXPECT_EQ(Page().SetUserPassword(), kSuccess);
  EXPECT_EQ(Page().SetUserPassword(), kUserPasswordTooShort);
  EXPECT_EQ(Texts(), std::vector<std::string>{ComposeError(kUserPasswordTooShort).text});
  EXPECT_EQ(settings.Text(ed_cpwFc_Password), "22");
  EXPECT_EQ(settings.Text(ed_cpwFc_Password_LRUD), "UU");
}

}  // namespace
}  // namespace rer
