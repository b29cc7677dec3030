// The service dialog without its widgets: pages, keys, the adjust checks and
// their saved copy, and the test commands against the simulated pager.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "codeplug/layout_table.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "pager/link_fixture.h"
#include "pager/program_fixture.h"
#include "service/service_dialog_logic.h"

namespace rer {
namespace {

using testing::LinkFixture;
using testing::ProgramFixture;

constexpr int kF1 = 1, kF2 = 2, kF3 = 3, kF4 = 4, kF5 = 5, kF6 = 6, kF7 = 7, kF8 = 8, kF9 = 9,
              kF10 = 10;

int IndexOfItem(const std::string& item) {
  const auto items = SecondAdjustItems();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (item == items[i]) return static_cast<int>(i);
  }
  return -1;
}

int IndexOfTest(const std::string& caption) {
  const auto tests = ServiceTests();
  for (std::size_t i = 0; i < tests.size(); ++i) {
    if (caption == tests[i].caption) return static_cast<int>(i);
  }
  return -1;
}

// The window's side, recorded; commands go to a pager link when one is given.
class RecordingHost : public ServiceHost {
 public:
  explicit RecordingHost(PagerLink* link = nullptr, std::function<int()> program = {})
      : link_(link), program_(std::move(program)) {}

  void OpenHelp(int topic) override { helpTopics.push_back(topic); }
  void SetDialogEnabled(bool enabled) override { dialogEnabled.push_back(enabled); }
  void SetAdjustPageEnabled(bool enabled) override { adjustEnabled.push_back(enabled); }
  int ProgramPager() override {
    ++programs;
    return program_ ? program_() : kSuccess;
  }
  int SendServiceCommand(std::uint8_t command, std::vector<std::uint8_t>& reply,
                         int kind) override {
    sent.push_back(command);
    if (link_) return link_->SendServiceCommand(command, reply, kind);
    reply.assign(1, kServiceAcknowledge);
    return kLinkOk;
  }
  void ForgetFileName() override { ++forgotten; }
  void RefreshWindowCommands() override { ++refreshed; }
  void FocusAdjustField(ServiceAdjustField field) override { focus.push_back(field); }
  void FocusNextControl() override { ++focusNext; }
  void CloseDialog() override { ++closed; }

  std::vector<int> helpTopics;
  std::vector<bool> dialogEnabled;
  std::vector<bool> adjustEnabled;
  std::vector<std::uint8_t> sent;
  std::vector<ServiceAdjustField> focus;
  int programs = 0;
  int forgotten = 0;
  int refreshed = 0;
  int focusNext = 0;
  int closed = 0;

 private:
  PagerLink* link_;
  std::function<int()> program_;
};

struct DialogFixture {
  DialogFixture() : dialog(session, ui, host) {
    session.settings.clockSecondAdjust = 2;
    session.settings.SetText(Control::ed_displayContrast, "7");
    session.settings.iconContrast = 1;
    dialog.Show();
  }
  void OpenAdjustPage() {
    ui.answers.push_back(kResultYes);
    dialog.FunctionKey(kF3);
    ASSERT_EQ(dialog.page(), ServicePage::Adjust);
  }

  PagerSession session;
  ScriptedUserInterface ui;
  RecordingHost host;
  ServiceDialogLogic dialog;
};

TEST(ServiceKeyNames, EveryKeyByte) {
  const struct {
    std::uint8_t keyByte;
    const char* name;
  } cases[] = {
      {0x00, "NONE         "}, {0x01, "FUNCTION KEY "}, {0x04, "READ KEY     "},
      {0x10, "LEFT KEY     "}, {0x20, "RIGHT KEY    "}, {0x40, "DOWN KEY     "},
      {0x80, "UP KEY       "}, {0x05, "MULTIPLE KEYS"}, {0x02, "MULTIPLE KEYS"},
      {0x30, "MULTIPLE KEYS"}, {0xFF, "MULTIPLE KEYS"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.keyByte));
    EXPECT_EQ(ServiceKeyName(c.keyByte), c.name);
  }
  for (int b = 0; b < 256; ++b) EXPECT_EQ(ServiceKeyName(static_cast<std::uint8_t>(b)).size(), 13u);
}

TEST(ServiceSecondAdjust, ItemsAndValuesMatch) {
  ASSERT_EQ(SecondAdjustItems().size(), 17u);
  for (int index = 0; index < 17; ++index) {
    const int value = SecondAdjustValueOfIndex(index);
    EXPECT_EQ(std::to_string(value), std::string(SecondAdjustItems()[index])
                                         .substr(SecondAdjustItems()[index][0] == '+' ? 1 : 0));
    EXPECT_EQ(SecondAdjustIndexOfValue(value), index);
  }
  EXPECT_EQ(SecondAdjustIndexOfValue(9), 0);
  EXPECT_EQ(SecondAdjustIndexOfValue(-9), 0);
}

TEST(ServiceDialog, MenuAndStatusFollowThePage) {
  DialogFixture f;
  auto enabledItems = [&] {
    std::set<std::string> names;
    for (const ServiceMenuRow& row : ServiceMenuItems()) {
      if (f.dialog.IsMenuItemEnabled(row.item)) names.insert(row.name);
    }
    return names;
  };
  EXPECT_EQ(enabledItems(),
            (std::set<std::string>{"smenuHelp", "smenuAdjust", "smenuTest", "smenuQuick",
                                   "smenuMsg", "smenuChirp", "smenuExit"}));
  EXPECT_EQ(f.dialog.StatusText(1), "");

  f.OpenAdjustPage();
  EXPECT_EQ(enabledItems(), (std::set<std::string>{"smenuHelp", "smenuProgram", "smenuExit"}));
  EXPECT_EQ(f.dialog.StatusText(1), "F1-Help | F2-Program | F10-Exit");
  EXPECT_EQ(f.dialog.StatusText(0), "");

  f.dialog.FunctionKey(kF10);
  f.dialog.FunctionKey(kF5);
  EXPECT_EQ(f.dialog.page(), ServicePage::Test);
  EXPECT_EQ(enabledItems(), (std::set<std::string>{"smenuHelp", "smenuCommand", "smenuExit"}));
  EXPECT_EQ(f.dialog.StatusText(1), "F1-Help | F8-Scan Command | F10-Exit");
}

TEST(ServiceDialog, KeysThePageDoesNotTakeShowInvalidKey) {
  const struct {
    ServicePage page;
    int key;
  } cases[] = {
      {ServicePage::Main, kF2},   {ServicePage::Main, kF4},   {ServicePage::Main, kF8},
      {ServicePage::Adjust, kF3}, {ServicePage::Adjust, kF8}, {ServicePage::Test, kF2},
      {ServicePage::Test, kF3},   {ServicePage::Test, kF6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.page) * 100 + c.key);
    DialogFixture f;
    if (c.page == ServicePage::Adjust) f.OpenAdjustPage();
    if (c.page == ServicePage::Test) f.dialog.FunctionKey(kF5);
    const std::size_t before = f.ui.shown.size();
    f.dialog.FunctionKey(c.key);
    ASSERT_EQ(f.ui.shown.size(), before + 1);
    EXPECT_EQ(f.ui.shown.back().text, InvalidKeyMessage().text);
    EXPECT_EQ(f.dialog.page(), c.page);
    EXPECT_EQ(f.host.programs, 0);
    EXPECT_TRUE(f.host.sent.empty());
  }
}

TEST(ServiceDialog, HelpTopicPerPage) {
  DialogFixture f;
  f.dialog.FunctionKey(kF1);
  f.OpenAdjustPage();
  f.dialog.FunctionKey(kF1);
  f.dialog.FunctionKey(kF10);
  f.dialog.FunctionKey(kF5);
  f.dialog.FunctionKey(kF1);
  EXPECT_EQ(f.host.helpTopics, (std::vector<int>{996, 997, 998}));
}

TEST(ServiceDialog, AdjustPageNeedsTheWarningConfirmed) {
  DialogFixture f;
  f.ui.answers.push_back(kResultNo);
  f.dialog.FunctionKey(kF3);
  EXPECT_EQ(f.dialog.page(), ServicePage::Main);
  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].text, ComposeQuestion(kQuestionHardwareSettings).text);

  f.OpenAdjustPage();
  EXPECT_EQ(f.dialog.adjustValues(), (ServiceAdjustValues{IndexOfItem("+2"), "7", "1"}));
}

TEST(ServiceDialog, ContrastAboveRangeKeepsFocusAndBlocksProgramming) {
  DialogFixture f;
  f.OpenAdjustPage();
  f.dialog.EditText(ServiceAdjustField::TextContrast, "16");
  f.dialog.LeaveField(ServiceAdjustField::TextContrast);
  ASSERT_EQ(f.ui.shown.size(), 2u);
  EXPECT_EQ(f.ui.shown[1].text, ComposeError(kTextContrastOutOfRange).text);
  EXPECT_EQ(f.host.focus, std::vector<ServiceAdjustField>{ServiceAdjustField::TextContrast});
  EXPECT_EQ(f.dialog.adjustError(), kTextContrastOutOfRange);
  // The codeplug keeps the last valid contrast.
  EXPECT_EQ(f.session.settings.Text(Control::ed_displayContrast), "7");

  f.dialog.FunctionKey(kF2);
  ASSERT_EQ(f.ui.shown.size(), 3u);
  EXPECT_EQ(f.ui.shown[2].text, ComposeError(kTextContrastOutOfRange).text);
  EXPECT_EQ(f.host.programs, 0);
  EXPECT_EQ(f.dialog.page(), ServicePage::Adjust);
  EXPECT_EQ(f.host.closed, 0);

  f.dialog.EditText(ServiceAdjustField::TextContrast, "15");
  f.dialog.LeaveField(ServiceAdjustField::TextContrast);
  EXPECT_EQ(f.dialog.adjustError(), 0);
  EXPECT_EQ(f.session.settings.Text(Control::ed_displayContrast), "15");
}

TEST(ServiceDialog, IconContrastAboveRange) {
  DialogFixture f;
  f.OpenAdjustPage();
  f.dialog.EditText(ServiceAdjustField::IconContrast, "4");
  f.dialog.LeaveField(ServiceAdjustField::IconContrast);
  EXPECT_EQ(f.ui.shown.back().text, ComposeError(kIconContrastOutOfRange).text);
  EXPECT_EQ(f.host.focus, std::vector<ServiceAdjustField>{ServiceAdjustField::IconContrast});
  EXPECT_EQ(f.session.settings.iconContrast, 1);
  f.dialog.FunctionKey(kF2);
  EXPECT_EQ(f.ui.shown.back().text, ComposeError(kIconContrastOutOfRange).text);
  EXPECT_EQ(f.host.programs, 0);
}

// F2 with a value typed but the field not yet left checks it first.
TEST(ServiceDialog, ProgramChecksWhatWasTypedSinceTheLastCheck) {
  DialogFixture f;
  f.OpenAdjustPage();
  f.dialog.EditText(ServiceAdjustField::TextContrast, "20");
  f.dialog.FunctionKey(kF2);
  EXPECT_EQ(f.ui.shown.back().text, ComposeError(kTextContrastOutOfRange).text);
  EXPECT_EQ(f.host.programs, 0);
}

TEST(ServiceDialog, ExitFromAdjustPageRestoresTheSavedCopy) {
  DialogFixture f;
  f.OpenAdjustPage();
  f.dialog.ChooseSecondAdjust(IndexOfItem("-3"));
  f.dialog.EditText(ServiceAdjustField::TextContrast, "12");
  f.dialog.LeaveField(ServiceAdjustField::TextContrast);
  EXPECT_EQ(f.session.settings.clockSecondAdjust, -3);
  EXPECT_EQ(f.session.settings.Text(Control::ed_displayContrast), "12");

  f.dialog.FunctionKey(kF10);
  EXPECT_EQ(f.dialog.page(), ServicePage::Main);
  EXPECT_EQ(f.session.settings.clockSecondAdjust, 2);
  EXPECT_EQ(f.session.settings.Text(Control::ed_displayContrast), "7");
  f.OpenAdjustPage();
  EXPECT_EQ(SecondAdjustItems()[f.dialog.adjustValues().secondAdjustIndex], std::string("+2"));
  EXPECT_EQ(f.host.programs, 0);
}

TEST(ServiceDialog, EnterMovesOnOnlyOnTheAdjustPage) {
  DialogFixture f;
  f.dialog.EnterKey();
  EXPECT_EQ(f.host.focusNext, 0);
  f.OpenAdjustPage();
  f.dialog.EnterKey();
  EXPECT_EQ(f.host.focusNext, 1);
}

TEST(ServiceDialog, ProgramForgetsTheFileNameUnlessThePortDidNotOpen) {
  for (int result : {kSuccess, kNotDone, kLinkNotResponding, kLinkPortNotOpened}) {
    SCOPED_TRACE(result);
    DialogFixture f;
    RecordingHost host(nullptr, [&] { return result; });
    ServiceDialogLogic dialog(f.session, f.ui, host);
    dialog.Show();
    f.ui.answers.push_back(kResultYes);
    dialog.FunctionKey(kF3);
    dialog.FunctionKey(kF2);
    EXPECT_EQ(host.programs, 1);
    EXPECT_EQ(host.forgotten, result == kLinkPortNotOpened ? 0 : 1);
    EXPECT_EQ(host.adjustEnabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(host.refreshed, 1);
    EXPECT_EQ(host.closed, 1);
  }
}

// What the technician set is what the pager receives, also for a pager the
// program sequence has not met before.
TEST(ServiceDialog, AdjustmentsReachThePager) {
  ProgramFixture f({});  // a 4 KB pager
  f.session.layout = Layout(PagerFamily::k4K);
  f.session.settings.clockSecondAdjust = 2;
  f.session.settings.SetText(Control::ed_displayContrast, "7");
  RecordingHost host(&f.link, [&] { return f.sequence.ProgramPager(); });
  ServiceDialogLogic dialog(f.session, f.ui, host);
  dialog.Show();
  f.ui.answers.push_back(kResultYes);
  dialog.FunctionKey(kF3);
  dialog.ChooseSecondAdjust(IndexOfItem("-3"));
  dialog.EditText(ServiceAdjustField::TextContrast, "12");
  dialog.EditText(ServiceAdjustField::IconContrast, "2");
  dialog.LeaveField(ServiceAdjustField::IconContrast);
  dialog.FunctionKey(kF2);

  const std::vector<std::uint8_t>& written = f.pager.record().writtenImage;
  ASSERT_EQ(written.size(), 4096u);
  EXPECT_EQ(written[0x023D], 12);
  EXPECT_EQ(written[0x023F], 0xFD);  // -3
  EXPECT_EQ(host.closed, 1);
}

TEST(ServiceDialog, QuickMessagesAndChirpSendNothing) {
  for (int key : {kF6, kF7, kF9}) {
    SCOPED_TRACE(key);
    LinkFixture link;
    DialogFixture f;
    RecordingHost host(&link.link);
    ServiceDialogLogic dialog(f.session, f.ui, host);
    dialog.Show();
    dialog.FunctionKey(key);
    EXPECT_EQ(host.dialogEnabled, (std::vector<bool>{false, true}));
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(link.pager.record().serviceCommands.empty());
    EXPECT_TRUE(link.pager.record().wakeCodes.empty());
    EXPECT_TRUE(f.ui.shown.empty());
    EXPECT_EQ(dialog.page(), ServicePage::Main);
  }
}

TEST(ServiceDialog, KeyTestShowsTheKeyNameOfTheReply) {
  const struct {
    std::uint8_t keyByte;
    const char* shown;
  } cases[] = {{0x05, "MULTIPLE KEYS"}, {0x40, "DOWN KEY     "}, {0x00, "NONE         "}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.keyByte));
    SimScenario scenario;
    scenario.keyTestByte = c.keyByte;
    LinkFixture link(scenario);
    DialogFixture f;
    RecordingHost host(&link.link);
    ServiceDialogLogic dialog(f.session, f.ui, host);
    dialog.Show();
    dialog.FunctionKey(kF5);
    EXPECT_TRUE(link.pager.record().serviceCommands.empty());  // nothing sent on entry
    dialog.SelectTest(IndexOfTest("Key Test"));
    dialog.FunctionKey(kF8);
    EXPECT_EQ(dialog.resultText(), c.shown);
    EXPECT_EQ(link.pager.record().serviceCommands, std::vector<std::uint8_t>{6});
    EXPECT_EQ(dialog.page(), ServicePage::Test);
    EXPECT_TRUE(link.ui.shown.empty());
  }
}

TEST(ServiceDialog, TestsSendTheirCommandAndShowTheirReply) {
  const struct {
    const char* caption;
    std::uint8_t command;
    const char* shown;
    ServicePage after;
  } cases[] = {
      {"Exit Test Mode", 0, "", ServicePage::Main},
      {"RAM Test Pattern", 4, "P", ServicePage::Test},
      {"Vibrator On", 8, "", ServicePage::Test},
      {"Backlight Off", 11, "", ServicePage::Test},
      {"Standby Current Test", 0, "", ServicePage::Main},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    LinkFixture link;
    DialogFixture f;
    RecordingHost host(&link.link);
    ServiceDialogLogic dialog(f.session, f.ui, host);
    dialog.Show();
    dialog.FunctionKey(kF5);
    dialog.SelectTest(IndexOfTest(c.caption));
    dialog.FunctionKey(kF8);
    EXPECT_EQ(link.pager.record().serviceCommands, std::vector<std::uint8_t>{c.command});
    EXPECT_EQ(dialog.resultText(), c.shown);
    EXPECT_EQ(dialog.page(), c.after);
    EXPECT_EQ(host.dialogEnabled, (std::vector<bool>{false, true}));
  }
}

TEST(ServiceDialog, HiddenTestCannotBeSelected) {
  DialogFixture f;
  f.dialog.FunctionKey(kF5);
  const int hidden = IndexOfTest("Enable RAM Test");
  ASSERT_FALSE(ServiceTests()[hidden].offered);
  f.dialog.SelectTest(hidden);
  EXPECT_EQ(f.dialog.selectedTest(), 0);
}

// A reply that never came names no key: the link has shown why.
TEST(ServiceDialog, FailedKeyTestShowsNoKey) {
  SimScenario silent;
  silent.noAnswer = true;
  LinkFixture link(silent);
  DialogFixture f;
  RecordingHost host(&link.link);
  ServiceDialogLogic dialog(f.session, f.ui, host);
  dialog.Show();
  dialog.FunctionKey(kF5);
  dialog.SelectTest(IndexOfTest("Key Test"));
  dialog.FunctionKey(kF8);
  EXPECT_EQ(dialog.resultText(), "");
  ASSERT_EQ(link.ui.shown.size(), 1u);
  EXPECT_EQ(link.ui.shown[0].text, ComposeError(kLinkNotResponding).text);
  EXPECT_EQ(dialog.page(), ServicePage::Test);
}

TEST(ServiceDialog, ExitFromTestPageLeavesTestMode) {
  LinkFixture link;
  DialogFixture f;
  RecordingHost host(&link.link);
  ServiceDialogLogic dialog(f.session, f.ui, host);
  dialog.Show();
  dialog.FunctionKey(kF5);
  dialog.FunctionKey(kF10);
  EXPECT_EQ(link.pager.record().serviceCommands, std::vector<std::uint8_t>{0});
  EXPECT_EQ(dialog.page(), ServicePage::Main);
  dialog.FunctionKey(kF10);
  EXPECT_EQ(host.closed, 1);
}

TEST(ServiceDialog, WrongPasswordWarningForTheModelThatNeedsIt) {
  const struct {
    std::uint8_t model;
    bool serviceRequested;
    bool warned;
  } cases[] = {{0x40, false, true}, {0x40, true, false}, {0x84, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.model) * 2 + c.serviceRequested);
    DialogFixture f;
    f.session.link.ModelCode = c.model;
    f.session.serviceRequested = c.serviceRequested;
    f.dialog.FunctionKey(kF5);
    EXPECT_EQ(f.dialog.page(), ServicePage::Test);
    EXPECT_EQ(f.ui.shown.size(), c.warned ? 1u : 0u);
    if (c.warned) {
      EXPECT_EQ(f.ui.shown[0].text, ComposeError(kServiceWrongPassword).text);
    }
  }
}

}  // namespace
}  // namespace rer
