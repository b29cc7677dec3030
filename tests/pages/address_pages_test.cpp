#include "pages/address_pages.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "codeplug/address_codec.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pages/page_rules.h"

namespace rer {
namespace {

int FieldOf(Control control, int address = 0) {
  return FieldCatalogue::Instance().Entry(control, address).fieldNumber;
}

// The page rules over fresh settings, with edits made as the window makes them.
class AddressPagesTest : public ::testing::Test {
 protected:
  AddressPagesTest() : pages(settings, ui, Environment()) { PassTheFeaturesRules(); }
  // An empty contrast fails the Features rules, which the whole-editor check runs too.
  void PassTheFeaturesRules() { settings.SetText(Control::ed_displayContrast, "8"); }
  static PageEnvironment Environment() {
    PageEnvironment environment;
    environment.modelCode = 0x84;
    return environment;
  }

  int Type(Control control, int address, const std::string& text) {
    const int field = FieldOf(control, address);
    pages.Enter(PageOf(address), field);
    settings.SetText(control, address, text);
    return pages.Store(PageOf(address), field);
  }
  int Choose(Control control, int address, int item) {
    const int field = FieldOf(control, address);
    pages.Enter(PageOf(address), field);
    settings.SetItem(control, address, item);
    return pages.Store(PageOf(address), field);
  }
  static int PageOf(int address) { return (address - 1) / 4 + kPageCode1To4; }
  const std::string& Text(Control control, int address) { return settings.Text(control, address); }
  // The code of every box shown, found back from its text.
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const MessageBox& box : ui.shown) codes.push_back(CodeOf(box));
    return codes;
  }
  static int CodeOf(const MessageBox& box) {
    for (int code : {kInvalidAddressCode, kDuplicateCodes, kInvalidFrame, kInvalidBatteryCycle,
                     kReminderIntervalAboveTimeout}) {
      if (ComposeError(code).text == box.text) return code;
    }
    for (int code : {kQuestionFrameMismatch, kQuestionBatteryCycleNotDefault}) {
      if (ComposeQuestion(code).text == box.text) return code;
    }
    return 0;
  }

  EditorSettings settings;
  ScriptedUserInterface ui;
  PageRules pages;
};

TEST_F(AddressPagesTest, ACapcodeIsFormattedAndGetsItsFrameAndCycle) {
  struct Case {
    int address;
    std::string typed;
    std::string shown;
    std::string frame;
  };
  const Case cases[] = {
      {1, "123", "0000123", "007"},
      {1, "00001000", "0001000", "062"},
      {1, "2101249", "002101249", "000"},  // long: nine digits
      {3, "1933312", "1933312", "000"},
  };
  for (const Case& c : cases) {
    EditorSettings fresh;
    settings = fresh;
    ui.shown.clear();
    EXPECT_EQ(Type(Control::Capcode, c.address, c.typed), kSuccess);
    EXPECT_EQ(Text(Control::Capcode, c.address), c.shown) << c.typed;
    EXPECT_EQ(Text(Control::Frame, c.address), c.frame) << c.typed;
    EXPECT_EQ(Text(Control::Collapse, c.address), "4");
    EXPECT_TRUE(settings.Checked(Control::Personal, c.address));
    EXPECT_TRUE(settings.Checked(Control::OtaEnable, c.address));
    EXPECT_FALSE(Text(Control::FlexAddress, c.address).empty()) << c.typed;
    EXPECT_TRUE(ui.shown.empty()) << c.typed;
  }
}

TEST_F(AddressPagesTest, ALongFirstAddressClearsAddressTwo) {
  Type(Control::Capcode, 1, "1000");
  Type(Control::Capcode, 2, "1001");
  settings.SetChecked(Control::Priority, 2, true);
  Type(Control::Capcode, 1, "2101249");
  EXPECT_EQ(Text(Control::Capcode, 2), "");
  EXPECT_EQ(Text(Control::Frame, 2), "");
  EXPECT_EQ(Text(Control::Collapse, 2), "");
  EXPECT_FALSE(settings.Checked(Control::Priority, 2));
  EXPECT_EQ(Text(Control::FlexAddress, 2), "");
  PageView view = pages.TakeView();
  EXPECT_FALSE(view.addressRowShown.at(2));
}

TEST_F(AddressPagesTest, FramesFollowAddressOne) {
  Type(Control::Capcode, 1, "1000");
  struct Case {
    std::string capcode;
    std::string frame;
  };
  for (const Case& c : {Case{"1002", "062"}, Case{"1010", "063"}}) {
    Type(Control::Capcode, 3, c.capcode);
    EXPECT_EQ(Text(Control::Frame, 3), c.frame) << c.capcode;
  }
}

TEST_F(AddressPagesTest, ALongValueInAnEvenSlotIsInvalidAndLeftAlone) {
  Type(Control::Capcode, 1, "1000");
  EXPECT_EQ(Type(Control::Capcode, 2, "2101249"), kSuccess);
  EXPECT_EQ(Text(Control::Capcode, 2), "2101249");
  EXPECT_EQ(Text(Control::Frame, 2), "");
  EXPECT_EQ(pages.PageCheck(kPageCode1To4, 0), kInvalidAddressCode);
  EXPECT_EQ(Codes(), std::vector<int>{kInvalidAddressCode});
}

TEST_F(AddressPagesTest, FrameAndBatteryCycleChecksAskAndCorrect) {
  struct Case {
    Control control;
    std::string typed;
    int answer;
    std::string kept;
    std::vector<int> codes;
  };
  const Case cases[] = {
      {Control::Frame, "200", kResultNo, "062", {kInvalidFrame}},
      {Control::Frame, "x1", kResultNo, "062", {kInvalidFrame}},
      {Control::Frame, "5", kResultNo, "005", {kQuestionFrameMismatch}},
      {Control::Frame, "5", kResultYes, "062", {kQuestionFrameMismatch}},
      {Control::Frame, "62", kResultNo, "062", {}},
      {Control::Collapse, "9", kResultNo, "4", {kInvalidBatteryCycle}},
      {Control::Collapse, "", kResultNo, "4", {kInvalidBatteryCycle}},
      {Control::Collapse, "2", kResultNo, "2", {kQuestionBatteryCycleNotDefault}},
      {Control::Collapse, "2", kResultYes, "4", {kQuestionBatteryCycleNotDefault}},
      {Control::Collapse, "4", kResultNo, "4", {}},
  };
  for (const Case& c : cases) {
    settings = EditorSettings{};
    Type(Control::Capcode, 1, "1000");
    ui.shown.clear();
    ui.answers = {c.answer};
    EXPECT_EQ(Type(c.control, 1, c.typed), kSuccess);
    EXPECT_EQ(Text(c.control, 1), c.kept) << c.typed;
    EXPECT_EQ(Codes(), c.codes) << c.typed;
  }
}

TEST_F(AddressPagesTest, AnEmptiedAddressLosesItsOptionsAndItsControls) {
  Type(Control::Capcode, 5, "1000");
  settings.SetChecked(Control::Priority, 5, true);
  Type(Control::Capcode, 5, "");
  EXPECT_EQ(Text(Control::Frame, 5), "");
  EXPECT_EQ(Text(Control::Collapse, 5), "");
  EXPECT_FALSE(settings.Checked(Control::Personal, 5));
  EXPECT_FALSE(settings.Checked(Control::Priority, 5));
  const PageView view = pages.TakeView();
  for (Control control :
       {Control::Personal, Control::Priority, Control::History, Control::MessageType,
        Control::Frame, Control::Collapse, Control::OtaEnable, Control::DecryptKey}) {
    EXPECT_FALSE(view.enabled.at(EntryIndexOf(control, 5))) << static_cast<int>(control);
  }
}

TEST_F(AddressPagesTest, SettingsBehindALongAddressAreNotKept) {
  Type(Control::Capcode, 1, "1000");  // short: address 2 is its own
  EXPECT_EQ(Type(Control::Frame, 2, "010"), kSuccess);
  Type(Control::Capcode, 3, "2101249");
  ui.shown.clear();
  Type(Control::Frame, 4, "010");
  EXPECT_EQ(Text(Control::Frame, 4), "");
  Choose(Control::MessageType, 4, kGroup);
  EXPECT_EQ(settings.Item(Control::MessageType, 4), kIndividual);
  Type(Control::Capcode, 4, "1234");
  EXPECT_EQ(Text(Control::Capcode, 4), "");
  EXPECT_TRUE(ui.shown.empty());
  // Address 2 behind an empty address 1 is not its own either.
  settings = EditorSettings{};
  Type(Control::Collapse, 2, "7");
  EXPECT_EQ(Text(Control::Collapse, 2), "");
}

TEST_F(AddressPagesTest, LanguagePointerFollowsTheCharacterRom) {
  struct Case {
    int cgrom;
    int chosen;
    int kept;
  };
  const Case cases[] = {
      {3, kLanguageIdeo, kLanguageThai},   {3, kLanguageThai, kLanguageThai},
      {1, kLanguageThai, kLanguageAscii},  {1, kLanguageIdeo, kLanguageIdeo},
      {0, kLanguageAscii, kLanguageAscii},
  };
  for (const Case& c : cases) {
    pages.Environment().cgromType = c.cgrom;
    Choose(Control::LanguagePointer, 1, c.chosen);
    EXPECT_EQ(settings.Item(Control::LanguagePointer, 1), c.kept) << c.cgrom << " " << c.chosen;
  }
}

TEST_F(AddressPagesTest, EncryptionKeysByPagerTypeAndModel) {
  struct Case {
    std::uint8_t model;
    std::uint8_t subModel;
    std::optional<bool> shown;
  };
  const Case cases[] = {
      {0x81, 0, false},  {0x89, 0, false},  {0xC0, 0, false},
      {0x84, 0, true},   {0x88, 0, true},   {0xD0, 149, true},
      {0xD1, 221, true}, {0xD0, 21, false}, {0x40, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    pages.Environment().modelCode = c.model;
    pages.Environment().subModel = c.subModel;
    pages.EnterPage(kPageCode5To8);
    const PageView view = pages.TakeView();
    const auto found = view.visible.find(EntryIndexOf(Control::DecryptKey, 5));
    if (!c.shown) {
      EXPECT_EQ(found, view.visible.end()) << int(c.model);
    } else {
      ASSERT_NE(found, view.visible.end()) << int(c.model);
      EXPECT_EQ(found->second, *c.shown) << int(c.model);
    }
  }
}

TEST_F(AddressPagesTest, CodeOneToFourEntryHidesTheAlertsGroupAndPromptThree) {
  settings.SetItem(Control::cb_onOffDuty, 1);
  pages.EnterPage(kPageCode1To4);
  const PageView view = pages.TakeView();
  EXPECT_EQ(view.prompt3TabShown, false);
  EXPECT_EQ(view.alertsGroupShown, false);
  EXPECT_FALSE(view.visible.at(EntryIndexOf(Control::AlertPattern, 1)));
  EXPECT_FALSE(view.visible.at(EntryIndexOf(Control::OnOffDuty, 16)));
  EXPECT_EQ(settings.Item(Control::cb_onOffDuty), kOnOffDutyDisable);
  // Another address tab leaves them as they are.
  pages.EnterPage(kPageCode5To8);
  EXPECT_FALSE(pages.TakeView().prompt3TabShown.has_value());
}

TEST_F(AddressPagesTest, NewAlertMenuStaysNoAndHidesTheGroup) {
  const int field = FieldOf(Control::cb_newAlertMenu);
  settings.SetItem(Control::cb_newAlertMenu, 1);
  pages.Store(kPageGeneral, field);
  EXPECT_EQ(settings.Item(Control::cb_newAlertMenu), kNewAlertMenuNo);
  EXPECT_EQ(pages.TakeView().alertsGroupShown, false);
}

TEST_F(AddressPagesTest, GeneralFields) {
  settings.SetText(Control::ed_ICN, "ABCDEFGHIJKL");
  pages.Store(kPageGeneral, FieldOf(Control::ed_ICN));
  EXPECT_EQ(settings.Text(Control::ed_ICN), "ABCDEFGHIJ");
  settings.SetText(Control::ed_frequency, "929. 625 ");
  pages.Store(kPageGeneral, FieldOf(Control::ed_frequency));
  EXPECT_EQ(settings.Text(Control::ed_frequency), "929.06250");
}

TEST_F(AddressPagesTest, DeafPagerCorrectionAtTheCheck) {
  Type(Control::Capcode, 1, "1000");
  settings.SetItem(Control::cb_deafPager, 1);
  settings.SetChecked(Control::cb_userChangableAlertMode, true);
  settings.SetChecked(Control::cb_manualAlertReset, true);
  EXPECT_EQ(pages.PageCheck(kPageGeneral, 0), kSuccess);
  EXPECT_FALSE(settings.Checked(Control::cb_userChangableAlertMode));
  EXPECT_FALSE(settings.Checked(Control::cb_manualAlertReset));
  EXPECT_TRUE(settings.Checked(Control::cb_vibrator));
}

TEST_F(AddressPagesTest, WholeEditorCheck) {
  struct Case {
    std::vector<std::pair<int, std::string>> capcodes;
    int active;
    int expected;
    std::vector<int> codes;
  };
  const Case cases[] = {
      {{{1, "1000"}}, kPageGeneral, kSuccess, {}},
      {{}, kPageGeneral, kInvalidAddressCode, {kInvalidAddressCode}},
      {{{1, "1000"}, {5, "1000"}}, kPageCode5To8, kDuplicateCodes, {kDuplicateCodes}},
      {{{1, "1000"}, {9, "99999999999"}},
       kPageFeatures,
       kInvalidAddressCode,
       {kInvalidAddressCode}},
      // The active page is checked first: its failure is the one reported.
      {{{5, "1000"}}, kPageCode5To8, kInvalidAddressCode, {kInvalidAddressCode}},
  };
  for (const Case& c : cases) {
    settings = EditorSettings{};
    PassTheFeaturesRules();
    for (const auto& [address, text] : c.capcodes)
      settings.SetText(Control::Capcode, address, text);
    ui.shown.clear();
    EXPECT_EQ(RunEditorPageCheck(pages, c.active, 0), c.expected);
    EXPECT_EQ(Codes(), c.codes);
    EXPECT_EQ(PageChangeAllowed(c.expected), c.expected == kSuccess || c.expected == -48);
  }
}

TEST_F(AddressPagesTest, TheCheckStoresTheFocusedFieldFirst) {
  settings.SetText(Control::Capcode, 1, "123");
  EXPECT_EQ(pages.PageCheck(kPageCode1To4, FieldOf(Control::Capcode, 1)), kSuccess);
  EXPECT_EQ(Text(Control::Capcode, 1), "0000123");
}

TEST_F(AddressPagesTest, ReminderTimesAreCheckedOnTheAlertPage) {
  Type(Control::Capcode, 1, "1000");
  settings.SetItem(Control::cb_reminderAlertInterval, 3);
  settings.SetItem(Control::cb_reminderAlertTimeout, 2);
  ui.shown.clear();
  EXPECT_EQ(pages.PageCheck(kPageAlert, 0), kNotDone);
  EXPECT_EQ(Codes(), std::vector<int>{kReminderIntervalAboveTimeout});
  settings.SetItem(Control::cb_reminderAlertTimeout, 0);  // "None": no limit
  ui.shown.clear();
  EXPECT_EQ(pages.PageCheck(kPageAlert, 0), kSuccess);
}

TEST(CapcodePairRule, JumpsOverTheSecondHalfOfALongAddress) {
  struct Case {
    int longAddress;
    int entered;
    int landing;  // 0: stays
  };
  const Case cases[] = {{1, 2, 3},   {3, 4, 1},    {5, 6, 7},    {7, 8, 5}, {9, 10, 11},
                        {11, 12, 9}, {13, 14, 15}, {15, 16, 13}, {3, 2, 0}};
  for (const Case& c : cases) {
    EditorSettings settings;
    settings.SetText(Control::Capcode, c.longAddress, "2101249");
    const int target = CapcodePairTarget(settings, FieldOf(Control::Capcode, c.entered));
    EXPECT_EQ(target, c.landing == 0 ? 0 : FieldOf(Control::Capcode, c.landing)) << c.entered;
  }
}

TEST(ToneButtons, EnabledOnlyForTheAlertPatternLists) {
  EXPECT_TRUE(ToneButtonsEnabled(FieldOf(Control::AlertPattern, 5)));
  EXPECT_TRUE(ToneButtonsEnabled(362));
  EXPECT_TRUE(ToneButtonsEnabled(377));
  EXPECT_FALSE(ToneButtonsEnabled(361));
  EXPECT_FALSE(ToneButtonsEnabled(378));
  EXPECT_FALSE(ToneButtonsEnabled(kNoListField));
}

}  // namespace
}  // namespace rer
