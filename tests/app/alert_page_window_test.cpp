// The Alert tab in the window with its real dialogs: the enabling follows
// the rules, and choosing the custom pleasing alert opens its editor, whose
// notes reach the settings.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/dialogs/pleasing_alert_dialog.h"
#include "app/fields/field_router.h"
#include "app/main_window.h"
#include "app/platform/qt_user_interface.h"
#include "app/platform/tone_player.h"
#include "blank_codeplug_file.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pager/codeplug_files.h"
#include "pages/alert_page.h"
#include "qt_test_environment.h"
#include "temp_path.h"

namespace rer {
namespace {

using enum Control;

constexpr std::uint8_t kModel = 0x84;
constexpr std::uint8_t kNote2743HzVolume7 = 0xF0;

class RecordingPlayer : public TonePlayer {
 public:
  void Play(const tones::ToneSequence& sequence) override { played.push_back(sequence); }
  std::vector<tones::ToneSequence> played;
};

class AlertPageWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsFolder();
    ui.SetTonePlayer(&player);
    window = std::make_unique<TFmMain>(ui);
    ui.SetParentWindow(window.get());
    window->SetCalibrationHook({});
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->StartupDone(); }));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    // A blank codeplug is deaf and has every alert disabled: a pager that
    // hears is brought in, with its alerts still off.
    const std::string path =
        rer::testing::WriteBlankCodeplugFile(rer::testing::TempPath("alert_") + "base.cp", kModel);
    ScriptedUserInterface quiet;
    ASSERT_EQ(LoadCodeplugFile(window->Session(), path, quiet), kSuccess);
    window->Session().settings.SetItem(cb_deafPager, 0);
    window->PagerLink().ModelCode = kModel;
    window->SetupPagesForPager(kModel);
    window->FillPages();
    window->SetCommandStates(false, TFmMain::CommandScope::ByPage);
    window->CurrentFileName = "file";
    window->ShowPage(kPageAlert);
  }
  void TearDown() override {
    window->StartupRefused = true;
    window->close();
  }

  template <typename T>
  T* Find(const char* name) const {
    auto* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  // Runs `inDialog` on the pleasing alert editor as soon as it is open.
  void WhenEditorOpens(std::function<void(TFmPleasingAlert&)> inDialog) {
    QTimer::singleShot(10, window.get(), [this, inDialog] {
      auto* dialog = qobject_cast<TFmPleasingAlert*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return WhenEditorOpens(inDialog);
      ++editorsOpened;
      inDialog(*dialog);
    });
  }

  RecordingPlayer player;
  QtUserInterface ui;
  std::unique_ptr<TFmMain> window;
  int editorsOpened = 0;
};

TEST_F(AlertPageWindowTest, ChoosingTheCustomAlertOpensTheEditor) {
  auto* pleasing = Find<QComboBox>("cb_programmablePleasingAlert");
  auto* selectable = Find<QCheckBox>("cb_userSelectableAlerts");
  EXPECT_FALSE(pleasing->isEnabled());
  EXPECT_FALSE(selectable->isEnabled());

  Find<QCheckBox>("cb_disableAllAlerts")->click();
  EXPECT_TRUE(selectable->isEnabled());
  EXPECT_FALSE(pleasing->isEnabled());
  selectable->click();
  ASSERT_TRUE(pleasing->isEnabled());

  // The first note goes to 2743 Hz, which plays it, and F10 closes.
  WhenEditorOpens([](TFmPleasingAlert& dialog) {
    auto* first = dialog.findChild<QComboBox*>("cb_pleasingAlertFreq0");
    ASSERT_NE(first, nullptr);
    first->setCurrentIndex(16);
    QTest::keyClick(&dialog, Qt::Key_F10);
  });
  pleasing->setFocus(Qt::TabFocusReason);
  pleasing->setCurrentIndex(kPleasingAlertCustomItem);
  QApplication::processEvents();
  EXPECT_EQ(editorsOpened, 1);
  EXPECT_EQ(window->Session().settings.pleasingAlertTune[0], kNote2743HzVolume7);
  EXPECT_EQ(window->Session().settings.pleasingAlertTune[1], kDefaultPleasingNote);
  EXPECT_EQ(pleasing->currentText(), "Custom");
  EXPECT_EQ(player.played.size(), 1u);
  EXPECT_EQ(window->LastFieldCheck, kSuccess);

  // Coming back from the editor is not entering the list again; tabbing
  // into it while it says "Custom" is, and Esc there puts the tune back.
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QApplication::processEvents();
  EXPECT_EQ(editorsOpened, 1);
  window->PageControl().setFocus(Qt::TabFocusReason);
  WhenEditorOpens([](TFmPleasingAlert& dialog) {
    dialog.findChild<QComboBox*>("cb_pleasingAlertFreq1")->setCurrentIndex(3);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::keyClick(&dialog, Qt::Key_F10);
  });
  pleasing->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(editorsOpened, 2);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  EXPECT_EQ(window->Session().settings.pleasingAlertTune[0], kNote2743HzVolume7);
  EXPECT_EQ(window->Session().settings.pleasingAlertTune[1], kDefaultPleasingNote);

  // User selectable alerts off: the tune is the default one again.
  selectable->click();
  EXPECT_EQ(pleasing->currentText(), "Default");
  EXPECT_FALSE(pleasing->isEnabled());
  EXPECT_EQ(window->Session().settings.pleasingAlertTune[0], kDefaultPleasingNote);
  EXPECT_EQ(editorsOpened, 2);
}

TEST_F(AlertPageWindowTest, LeavingUserSelectableAlertsTickedOpensTheEditor) {
  Find<QCheckBox>("cb_disableAllAlerts")->click();
  auto* selectable = Find<QCheckBox>("cb_userSelectableAlerts");
  selectable->setFocus(Qt::TabFocusReason);
  selectable->click();
  WhenEditorOpens([](TFmPleasingAlert& dialog) {
    dialog.findChild<QComboBox*>("cb_pleasingAlertFreq2")->setCurrentIndex(16);
    QTest::keyClick(&dialog, Qt::Key_F10);
  });
  window->PageControl().setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(QTest::qWaitFor([&] { return editorsOpened == 1; }));
  QApplication::processEvents();
  // The edited tune is kept as "Custom", which is what gets written.
  EXPECT_EQ(window->Session().settings.pleasingAlertTune[2], kNote2743HzVolume7);
  EXPECT_EQ(Find<QComboBox>("cb_programmablePleasingAlert")->currentText(), "Custom");
}

TEST_F(AlertPageWindowTest, TheDurationListAndTheClockOptionsFollowThePager) {
  auto* duration = Find<QComboBox>("cb_alertDuration");
  EXPECT_EQ(duration->count(), 3);
  EXPECT_FALSE(Find<QWidget>("cb_reminderAlertDuration")->isHidden());
  auto* clock = Find<QCheckBox>("cb_realTimeClock");
  if (!clock->isChecked()) clock->click();
  auto* stamp = Find<QCheckBox>("cb_showTimeStamp");
  ASSERT_TRUE(stamp->isEnabled());
  if (!stamp->isChecked()) stamp->click();
  clock->click();
  EXPECT_FALSE(stamp->isChecked());
  EXPECT_FALSE(stamp->isEnabled());

  // A small-layout pager offers two durations and no reminder duration.
  ScriptedUserInterface quiet;
  const std::string small =
      rer::testing::WriteBlankCodeplugFile(rer::testing::TempPath("alert_") + "small.cp", 0x81);
  ASSERT_EQ(LoadCodeplugFile(window->Session(), small, quiet), kSuccess);
  window->PagerLink().ModelCode = 0x81;
  window->SetupPagesForPager(0x81);
  window->FillPages();
  window->ShowPage(kPageAlert);
  EXPECT_EQ(duration->count(), 2);
  EXPECT_TRUE(Find<QWidget>("cb_reminderAlertDuration")->isHidden());
}

}  // namespace
}  // namespace rer
