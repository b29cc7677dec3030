#include "pages/alert_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "codeplug/pager_family.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pages/page_rules.h"

namespace rer {
namespace {

using enum Control;

int FieldOf(Control control) {
  return FieldCatalogue::Instance().Entry(control).fieldNumber;
}

UserInterface::PleasingAlertTune DefaultTune() {
  UserInterface::PleasingAlertTune tune;
  tune.fill(kDefaultPleasingNote);
  return tune;
}

UserInterface::PleasingAlertTune CustomTune() {
  UserInterface::PleasingAlertTune tune = DefaultTune();
  tune[0] = 0x2C;
  tune[5] = 0x00;
  return tune;
}

// The Alert tab of a pager with every alert in use, edited as the window
// edits it: the field is entered, its value changes, the page stores it.
class AlertPageTest : public ::testing::Test {
 protected:
  explicit AlertPageTest(std::uint8_t model = 0x84) : pages(settings, ui, Environment(model)) {
    settings.SetItem(cb_deafPager, 0);  // "Standard"
    settings.SetChecked(cb_disableAllAlerts, false);
    for (Control list : {cb_alertFrequency, cb_alertDuration, cb_reminderAlertDuration,
                         cb_flexFrames, cb_disp_slot_msg, cb_programmablePleasingAlert}) {
      settings.SetItem(list, 0);
    }
    for (Control box :
         {cb_realTimeClock, cb_internationalDate, cb_showTimeStamp, cb_individualMessageAlarm,
          cb_autoAlarmTurnOn, cb_privateTime, cb_alarmAlwaysAudible, cb_userChangableAlertMode,
          cb_userSelectableAlerts, cb_manualAlertReset, cb_lowCellAlert, cb_vibrator, cb_oorAlert,
          cb_oorAudibleOnNoAlert, cb_keyChirp, cb_showSource, cb_allowOff,
          cb_rfProgrammingEnabled}) {
      settings.SetChecked(box, true);
    }
    settings.SetChecked(cb_silentRFProgramming, false);
    settings.SetItem(cb_reminderAlertInterval, 1);  // "2 min"
    settings.SetItem(cb_reminderAlertTimeout, 3);   // "4 min"
    settings.SetItem(cb_oorTime, 1);                // "4 min"
    settings.SetText(ed_missed_frame_count_min, "40");
    settings.SetText(ed_missed_frame_count_sec, "00");
    settings.SetItem(cb_std4RepeatPeriod, 1);  // "2 sec"
    settings.SetItem(cb_std4PulseDuration, 1);
    pages.EnterPage(kPageAlert);
    pages.TakeView();
  }
  static PageEnvironment Environment(std::uint8_t model) {
    PageEnvironment environment;
    environment.modelCode = model;
    return environment;
  }

  int Edit(Control control, const std::function<void()>& change) {
    pages.Enter(kPageAlert, FieldOf(control));
    change();
    return pages.Store(kPageAlert, FieldOf(control));
  }
  int Choose(Control control, int item) {
    return Edit(control, [&] { settings.SetItem(control, item); });
  }
  int Tick(Control control, bool on) {
    return Edit(control, [&] { settings.SetChecked(control, on); });
  }
  int Type(Control control, const std::string& text) {
    return Edit(control, [&] { settings.SetText(control, text); });
  }

  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const MessageBox& box : ui.shown) {
      int code = 0;
      for (int candidate : {kInvalidOutOfRangeTime, kInvalidReacquisitionTime,
                            kNothingShownForMessage, kReminderIntervalAboveTimeout}) {
        if (ComposeError(candidate).text == box.text) code = candidate;
      }
      codes.push_back(code);
    }
    return codes;
  }
  bool Enabled(const PageView& view, Control control) const {
    const auto found = view.enabled.find(EntryIndexOf(control, 0));
    EXPECT_NE(found, view.enabled.end()) << FieldCatalogue::ControlName(control);
    return found != view.enabled.end() && found->second;
  }

  EditorSettings settings;
  ScriptedUserInterface ui;
  PageRules pages;
};

TEST_F(AlertPageTest, OutOfRangeAndReacquisitionTimes) {
  struct Case {
    const char* what;
    int oorItem;  // the out-of-range time before the edit
    std::string minutes, seconds;
    Control edited;  // cb_oorTime is chosen as `newOorItem`; a field keeps its text
    int newOorItem;
    int result;
  };
  const Case cases[] = {
      {"8 min over 5 minutes of reacquisition", 1, "05", "00", cb_oorTime, 3,
       kInvalidOutOfRangeTime},
      {"seconds not a multiple of 15", 1, "10", "20", ed_missed_frame_count_sec, 0,
       kInvalidReacquisitionTime},
      {"one quarter over 60 minutes", 1, "60", "15", ed_missed_frame_count_sec, 0,
       kInvalidReacquisitionTime},
      {"60 minutes exactly", 1, "60", "00", ed_missed_frame_count_min, 0, kSuccess},
      {"seconds over 45", 1, "10", "60", ed_missed_frame_count_sec, 0, kInvalidReacquisitionTime},
      {"reacquisition below the out-of-range time", 2, "05", "45", ed_missed_frame_count_min, 0,
       kInvalidReacquisitionTime},
      {"reacquisition equal to the out-of-range time", 2, "06", "00", ed_missed_frame_count_min, 0,
       kSuccess},
      {"a blank before a digit, as decode writes it", 1, "40", " 0", ed_missed_frame_count_min, 0,
       kSuccess},
      {"no minutes at all", 1, "", "00", ed_missed_frame_count_min, 0, kInvalidReacquisitionTime},
      {"minutes that are no number", 1, "4x", "00", ed_missed_frame_count_min, 0,
       kInvalidReacquisitionTime},
      // The out-of-range list looks at the limit only: bad seconds are the
      // reacquisition fields' own concern.
      {"a longer out-of-range time over bad seconds", 1, "30", "20", cb_oorTime, 2, kSuccess},
      {"no out-of-range time over a short reacquisition", 3, "01", "00", cb_oorTime, 0, kSuccess},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    settings.SetItem(cb_oorTime, c.oorItem);
    settings.SetChecked(cb_oorAlert, true);
    ui.shown.clear();
    const int result = Edit(c.edited, [&] {
      settings.SetText(ed_missed_frame_count_min, c.minutes);
      settings.SetText(ed_missed_frame_count_sec, c.seconds);
      if (c.edited == cb_oorTime) settings.SetItem(cb_oorTime, c.newOorItem);
    });
    EXPECT_EQ(result, c.result);
    if (c.result == kSuccess) {
      EXPECT_EQ(Codes(), std::vector<int>{});
      EXPECT_EQ(settings.Text(ed_missed_frame_count_min), c.minutes);
      EXPECT_EQ(settings.Text(ed_missed_frame_count_sec), c.seconds);
      continue;
    }
    // Corrected at once: no out-of-range time, 40 minutes, no alert.
    EXPECT_EQ(Codes(), std::vector<int>{c.result});
    EXPECT_EQ(settings.Item(cb_oorTime), 0);
    EXPECT_EQ(settings.Text(ed_missed_frame_count_min), "40");
    EXPECT_EQ(settings.Text(ed_missed_frame_count_sec), "00");
    EXPECT_FALSE(settings.Checked(cb_oorAlert));
    EXPECT_FALSE(settings.Checked(cb_oorAudibleOnNoAlert));
  }
}

TEST_F(AlertPageTest, RulesFollowEveryChange) {
  struct Case {
    const char* what;
    std::function<void(EditorSettings&)> before;  // set without a store
    Control edited;
    bool on;  // the edited box's new state
    std::function<void(const EditorSettings&)> expect;
  };
  const Case cases[] = {
      {"clock off clears what needs the clock",
       {},
       cb_realTimeClock,
       false,
       [](const EditorSettings& s) {
         for (Control c : {cb_internationalDate, cb_showTimeStamp, cb_individualMessageAlarm,
                           cb_autoAlarmTurnOn, cb_privateTime, cb_alarmAlwaysAudible}) {
           EXPECT_FALSE(s.Checked(c)) << FieldCatalogue::ControlName(c);
         }
         EXPECT_TRUE(s.Checked(cb_showSource));
       }},
      {"no alerts at all", [](EditorSettings& s) { s.SetItem(cb_programmablePleasingAlert, 1); },
       cb_disableAllAlerts, true,
       [](const EditorSettings& s) {
         for (Control c : {cb_userChangableAlertMode, cb_userSelectableAlerts, cb_manualAlertReset,
                           cb_lowCellAlert, cb_privateTime, cb_oorAlert, cb_oorAudibleOnNoAlert,
                           cb_vibrator, cb_keyChirp}) {
           EXPECT_FALSE(s.Checked(c)) << FieldCatalogue::ControlName(c);
         }
         EXPECT_EQ(s.Item(cb_reminderAlertInterval), 0);
         EXPECT_EQ(s.Item(cb_reminderAlertTimeout), 0);
         EXPECT_EQ(s.Item(cb_programmablePleasingAlert), kPleasingAlertDefault);
         EXPECT_EQ(s.pleasingAlertTune, DefaultTune());
         EXPECT_TRUE(s.Checked(cb_silentRFProgramming));  // as Enable OTA Programming
         EXPECT_TRUE(s.Checked(cb_realTimeClock));
       }},
      // The deaf rule comes after the no-alerts rule: the vibrator stays on.
      {"a deaf pager without alerts still vibrates",
       [](EditorSettings& s) { s.SetItem(cb_deafPager, 1); }, cb_disableAllAlerts, true,
       [](const EditorSettings& s) {
         EXPECT_TRUE(s.Checked(cb_vibrator));
         EXPECT_FALSE(s.Checked(cb_userChangableAlertMode));
         EXPECT_FALSE(s.Checked(cb_oorAudibleOnNoAlert));
       }},
      {"a deaf pager", [](EditorSettings& s) { s.SetItem(cb_deafPager, 1); }, cb_vibrator, false,
       [](const EditorSettings& s) {
         EXPECT_TRUE(s.Checked(cb_vibrator));
         EXPECT_FALSE(s.Checked(cb_userChangableAlertMode));
         EXPECT_FALSE(s.Checked(cb_oorAudibleOnNoAlert));
         EXPECT_TRUE(s.Checked(cb_oorAlert));
       }},
      {"no reminder, no timeout", [](EditorSettings& s) { s.SetItem(cb_reminderAlertInterval, 0); },
       cb_keyChirp, false,
       [](const EditorSettings& s) { EXPECT_EQ(s.Item(cb_reminderAlertTimeout), 0); }},
      {"no out-of-range time, no out-of-range alert",
       [](EditorSettings& s) { s.SetItem(cb_oorTime, 0); }, cb_keyChirp, false,
       [](const EditorSettings& s) {
         EXPECT_FALSE(s.Checked(cb_oorAlert));
         EXPECT_FALSE(s.Checked(cb_oorAudibleOnNoAlert));
       }},
      {"out-of-range alert off",
       {},
       cb_oorAlert,
       false,
       [](const EditorSettings& s) { EXPECT_FALSE(s.Checked(cb_oorAudibleOnNoAlert)); }},
      {"user selectable alerts off",
       [](EditorSettings& s) {
         s.SetItem(cb_programmablePleasingAlert, 1);
         s.pleasingAlertTune = CustomTune();
       },
       cb_userSelectableAlerts, false,
       [](const EditorSettings& s) {
         EXPECT_EQ(s.Item(cb_programmablePleasingAlert), kPleasingAlertDefault);
         EXPECT_EQ(s.pleasingAlertTune, DefaultTune());
       }},
      {"one-second repeat", [](EditorSettings& s) { s.SetItem(cb_std4RepeatPeriod, 0); },
       cb_keyChirp, false,
       [](const EditorSettings& s) { EXPECT_EQ(s.Item(cb_std4PulseDuration), 0); }},
  };
  const EditorSettings start = settings;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    settings = start;
    if (c.before) c.before(settings);
    EXPECT_EQ(Tick(c.edited, c.on), kSuccess);
    c.expect(settings);
  }
}

TEST_F(AlertPageTest, TheClockBackOnDoesNotBringTheTimeStampBack) {
  Tick(cb_realTimeClock, false);
  Tick(cb_realTimeClock, true);
  EXPECT_FALSE(settings.Checked(cb_showTimeStamp));
  EXPECT_FALSE(settings.Checked(cb_internationalDate));
}

TEST_F(AlertPageTest, EnablingFollowsTheSettings) {
  struct Case {
    const char* what;
    std::function<void(EditorSettings&)> state;
    std::vector<Control> enabled, disabled;
  };
  const std::vector<Control> sound = {
      cb_std4RepeatPeriod, cb_std4PulseDuration, cb_userSelectableAlerts, cb_userChangableAlertMode,
      cb_manualAlertReset, cb_alertFrequency,    cb_alertDuration};
  std::vector<Control> noAlertsDisabled = sound;
  noAlertsDisabled.insert(
      noAlertsDisabled.end(),
      {cb_oorAlert, cb_oorAudibleOnNoAlert, cb_vibrator, cb_privateTime, cb_lowCellAlert,
       cb_reminderAlertInterval, cb_keyChirp, cb_reminderAlertTimeout, cb_reminderAlertDuration,
       cb_programmablePleasingAlert});
  const Case cases[] = {
      {"every alert in use",
       {},
       {cb_std4RepeatPeriod, cb_std4PulseDuration, cb_userSelectableAlerts, cb_oorAlert,
        cb_oorAudibleOnNoAlert, cb_vibrator, cb_showTimeStamp, cb_privateTime, cb_autoAlarmTurnOn,
        cb_reminderAlertTimeout, cb_reminderAlertDuration, cb_programmablePleasingAlert,
        cb_lowCellAlert, cb_keyChirp},
       {}},
      {"no alerts",
       [](EditorSettings& s) { s.SetChecked(cb_disableAllAlerts, true); },
       {cb_showTimeStamp, cb_internationalDate, cb_autoAlarmTurnOn},
       noAlertsDisabled},
      {"deaf",
       [](EditorSettings& s) { s.SetItem(cb_deafPager, 1); },
       {cb_oorAlert, cb_lowCellAlert, cb_keyChirp, cb_privateTime},
       {cb_std4RepeatPeriod, cb_std4PulseDuration, cb_alertFrequency, cb_oorAudibleOnNoAlert,
        cb_vibrator, cb_programmablePleasingAlert}},
      {"one-second repeat",
       [](EditorSettings& s) { s.SetItem(cb_std4RepeatPeriod, 0); },
       {cb_std4RepeatPeriod},
       {cb_std4PulseDuration}},
      {"no clock",
       [](EditorSettings& s) { s.SetChecked(cb_realTimeClock, false); },
       {cb_keyChirp},
       {cb_alarmAlwaysAudible, cb_individualMessageAlarm, cb_showTimeStamp, cb_internationalDate,
        cb_privateTime, cb_autoAlarmTurnOn}},
      {"no Allow Off",
       [](EditorSettings& s) { s.SetChecked(cb_allowOff, false); },
       {cb_showTimeStamp},
       {cb_autoAlarmTurnOn}},
      {"no out-of-range time",
       [](EditorSettings& s) { s.SetItem(cb_oorTime, 0); },
       {},
       {cb_oorAlert, cb_oorAudibleOnNoAlert}},
      {"out-of-range alert off",
       [](EditorSettings& s) { s.SetChecked(cb_oorAlert, false); },
       {cb_oorAlert},
       {cb_oorAudibleOnNoAlert}},
      {"alert mode fixed",
       [](EditorSettings& s) { s.SetChecked(cb_userChangableAlertMode, false); },
       {cb_userChangableAlertMode},
       {cb_vibrator}},
      {"no reminder",
       [](EditorSettings& s) { s.SetItem(cb_reminderAlertInterval, 0); },
       {cb_reminderAlertInterval},
       {cb_reminderAlertTimeout, cb_reminderAlertDuration}},
      {"alerts not user selectable",
       [](EditorSettings& s) { s.SetChecked(cb_userSelectableAlerts, false); },
       {cb_userSelectableAlerts},
       {cb_programmablePleasingAlert}},
  };
  const EditorSettings start = settings;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    settings = start;
    if (c.state) c.state(settings);
    // The refresh on entering the page, as after a change on another tab.
    pages.EnterPage(kPageAlert);
    const PageView view = pages.TakeView();
    for (Control control : c.enabled) {
      EXPECT_TRUE(Enabled(view, control)) << FieldCatalogue::ControlName(control);
    }
    for (Control control : c.disabled) {
      EXPECT_FALSE(Enabled(view, control)) << FieldCatalogue::ControlName(control);
    }
  }
}

TEST_F(AlertPageTest, EveryChangeBringsTheEnablingUpToDate) {
  Tick(cb_disableAllAlerts, true);
  PageView view = pages.TakeView();
  EXPECT_FALSE(Enabled(view, cb_keyChirp));
  Tick(cb_disableAllAlerts, false);
  view = pages.TakeView();
  EXPECT_TRUE(Enabled(view, cb_keyChirp));
  // The boxes the rule cleared stay clear: only the enabling comes back.
  EXPECT_FALSE(Enabled(view, cb_programmablePleasingAlert));
  EXPECT_FALSE(settings.Checked(cb_userSelectableAlerts));
}

TEST_F(AlertPageTest, ChoosingTheCustomAlertOpensTheEditor) {
  ui.pleasingAlertEdits.push_back(CustomTune());
  EXPECT_EQ(Choose(cb_programmablePleasingAlert, kPleasingAlertCustomItem), kSuccess);
  ASSERT_EQ(ui.pleasingAlertOpened.size(), 1u);
  EXPECT_EQ(ui.pleasingAlertOpened[0], DefaultTune());
  EXPECT_EQ(settings.pleasingAlertTune, CustomTune());
  EXPECT_EQ(settings.Item(cb_programmablePleasingAlert), kPleasingAlertCustomItem);

  // Entering the list while it says "Custom" opens the editor on the tune;
  // an editor that gives nothing back leaves it.
  pages.Enter(kPageAlert, FieldOf(cb_programmablePleasingAlert));
  ASSERT_EQ(ui.pleasingAlertOpened.size(), 2u);
  EXPECT_EQ(ui.pleasingAlertOpened[1], CustomTune());
  EXPECT_EQ(settings.pleasingAlertTune, CustomTune());

  // Changing to "Default" opens nothing.
  settings.SetItem(cb_programmablePleasingAlert, kPleasingAlertDefault);
  pages.Store(kPageAlert, FieldOf(cb_programmablePleasingAlert));
  EXPECT_EQ(ui.pleasingAlertOpened.size(), 2u);
}

TEST_F(AlertPageTest, TheEditorStaysShutWhereThePleasingAlertIsNotAvailable) {
  struct Case {
    const char* what;
    std::function<void(EditorSettings&)> state;
  };
  const Case cases[] = {
      {"deaf", [](EditorSettings& s) { s.SetItem(cb_deafPager, 1); }},
      {"no alerts", [](EditorSettings& s) { s.SetChecked(cb_disableAllAlerts, true); }},
      {"not user selectable",
       [](EditorSettings& s) { s.SetChecked(cb_userSelectableAlerts, false); }},
  };
  const EditorSettings start = settings;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    settings = start;
    c.state(settings);
    Choose(cb_programmablePleasingAlert, kPleasingAlertCustomItem);
    pages.Enter(kPageAlert, FieldOf(cb_programmablePleasingAlert));
    EXPECT_TRUE(ui.pleasingAlertOpened.empty());
  }
}

TEST_F(AlertPageTest, LeavingUserSelectableAlertsTickedOpensTheEditor) {
  const int field = FieldOf(cb_userSelectableAlerts);
  // The edits are kept as "Custom", which is what gets written.
  ui.pleasingAlertEdits.push_back(CustomTune());
  pages.Leave(kPageAlert, field);
  ASSERT_EQ(ui.pleasingAlertOpened.size(), 1u);
  EXPECT_EQ(settings.pleasingAlertTune, CustomTune());
  EXPECT_EQ(settings.Item(cb_programmablePleasingAlert), kPleasingAlertCustomItem);

  // Nothing back from the editor: nothing changes.
  pages.Leave(kPageAlert, field);
  EXPECT_EQ(ui.pleasingAlertOpened.size(), 2u);
  EXPECT_EQ(settings.pleasingAlertTune, CustomTune());

  // Unticked, or on a deaf pager, the box opens nothing; nor does leaving
  // another box.
  pages.Leave(kPageAlert, FieldOf(cb_keyChirp));
  Tick(cb_userSelectableAlerts, false);
  pages.Leave(kPageAlert, field);
  settings.SetChecked(cb_userSelectableAlerts, true);
  settings.SetItem(cb_deafPager, 1);
  pages.Leave(kPageAlert, field);
  EXPECT_EQ(ui.pleasingAlertOpened.size(), 2u);
}

// The four-address model must show something with each message.
class FourAddressAlertPageTest : public AlertPageTest {
 protected:
  FourAddressAlertPageTest() : AlertPageTest(kFourAddressModel) {}
};

TEST_F(FourAddressAlertPageTest, AChangeThatLeavesNothingShownIsRefused) {
  settings.SetChecked(cb_showTimeStamp, false);  // Slot # and the source remain
  EXPECT_EQ(Tick(cb_showSource, false), kNothingShownForMessage);
  EXPECT_EQ(Codes(), std::vector<int>{kNothingShownForMessage});
  EXPECT_TRUE(settings.Checked(cb_showSource));

  // The clock going off takes the time stamp with it; without the source
  // that is refused too, and the clock and its options stay as they were.
  settings.SetChecked(cb_showSource, false);
  settings.SetChecked(cb_showTimeStamp, true);
  ui.shown.clear();
  EXPECT_EQ(Tick(cb_realTimeClock, false), kNothingShownForMessage);
  EXPECT_TRUE(settings.Checked(cb_realTimeClock));
  EXPECT_TRUE(settings.Checked(cb_showTimeStamp));
  EXPECT_TRUE(settings.Checked(cb_alarmAlwaysAudible));

  // "Display Msg. #" is something shown.
  ui.shown.clear();
  Choose(cb_disp_slot_msg, 1);
  EXPECT_EQ(Tick(cb_showTimeStamp, false), kSuccess);
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(AlertPageTest, OtherPagersMayShowNothingWithAMessage) {
  settings.SetChecked(cb_showTimeStamp, false);
  EXPECT_EQ(Tick(cb_showSource, false), kSuccess);
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_FALSE(settings.Checked(cb_showSource));
}

TEST(AlertDurations, ThirtySecondsOnlyOnTheLargeLayout) {
  for (const std::uint8_t model : {0x84, 0xD1, 0x81, 0xC0}) {
    SCOPED_TRACE(int(model));
    const bool large = model == 0x84 || model == 0xD1;
    EditorSettings settings;
    settings.SetItem(cb_alertDuration, 1);
    ScriptedUserInterface ui;
    PageEnvironment environment;
    environment.modelCode = model;
    PageRules pages(settings, ui, environment);
    pages.EnterPage(kPageAlert);
    const PageView view = pages.TakeView();
    const auto offered = view.offeredItems.find(EntryIndexOf(cb_alertDuration, 0));
    ASSERT_NE(offered, view.offeredItems.end());
    EXPECT_EQ(offered->second, large ? 3 : 2);

    // A "30 sec" the small layout cannot hold is not taken.
    const int field = FieldOf(cb_alertDuration);
    pages.Enter(kPageAlert, field);
    settings.SetItem(cb_alertDuration, 2);
    pages.Store(kPageAlert, field);
    EXPECT_EQ(settings.Item(cb_alertDuration), large ? 2 : 1);
  }
}

TEST_F(AlertPageTest, ReminderTimesInTheWholeEditorCheck) {
  struct Case {
    int interval, timeout, result;
  };
  const Case cases[] = {{3, 2, kNotDone}, {3, 0, kSuccess}, {2, 2, kSuccess}, {7, 6, kNotDone}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.interval * 10 + c.timeout);
    settings.SetItem(cb_reminderAlertInterval, c.interval);
    settings.SetItem(cb_reminderAlertTimeout, c.timeout);
    ui.shown.clear();
    EXPECT_EQ(CheckReminderTimes(settings, ui), c.result);
    EXPECT_EQ(Codes(), c.result == kSuccess ? std::vector<int>{}
                                            : std::vector<int>{kReminderIntervalAboveTimeout});
  }
  // F11 and F12 check the page without the reminder times.
  settings.SetItem(cb_reminderAlertInterval, 3);
  settings.SetItem(cb_reminderAlertTimeout, 2);
  ui.shown.clear();
  EXPECT_EQ(pages.ShortPageCheck(kPageAlert, 0), kSuccess);
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace rer
