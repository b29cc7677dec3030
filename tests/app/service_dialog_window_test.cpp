// The service dialog opened from the main window (F4) against the simulated
// pager in virtual time: the read before it, the test page on the pager and
// the adjust page's checks as the widgets carry them out.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/dialogs/service_dialog.h"
#include "app/editor_operations.h"
#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "comm/virtual_clock.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "qt_test_environment.h"
#include "sim/demo_codeplug.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"

namespace rer {
namespace {

class ServiceWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsFolder();
    SimScenario scenario = DemoScenario(0x84);
    scenario.keyTestByte = 0x05;
    pager = std::make_unique<SimPager>(scenario);
    transport = std::make_unique<SimTransport>(*pager, clock, &ui);
    window = test::StartWindow(ui, operations, *transport, clock);
    ASSERT_TRUE(window);
  }

  void TearDown() override {
    window->StartupRefused = true;
    window->close();
  }

  // Presses F4 on the window and runs `steps` in the dialog once it shows;
  // the dialog is closed with F10 afterwards if the steps left it open.
  void InServiceDialog(const std::function<void(TFmService&)>& steps) {
    bool ran = false;
    // The read before the dialog runs the event loop too: the steps wait
    // for the dialog itself.
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<TFmService*>(QApplication::activeModalWidget());
      if (ran || !dialog || !dialog->isVisible()) return;
      ran = true;
      poll.stop();
      steps(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    poll.start();
    window->serviceClick();
    poll.stop();
    EXPECT_TRUE(ran);
  }

  ScriptedUserInterface ui;
  EditorOperations operations{ui};
  VirtualClock clock;
  std::unique_ptr<SimPager> pager;
  std::unique_ptr<SimTransport> transport;
  std::unique_ptr<TFmMain> window;
};

TEST_F(ServiceWindowTest, ServiceIsOfferedAndReadsBeforeTheDialog) {
  const auto actions = window->findChildren<QAction*>("serviceBtn");
  ASSERT_FALSE(actions.isEmpty());
  EXPECT_TRUE(actions.front()->isEnabled());
  InServiceDialog([&](TFmService& dialog) {
    // Only the Main page's tab is shown.
    EXPECT_EQ(dialog.Pages().currentIndex(), 0);
    EXPECT_TRUE(dialog.Pages().isTabVisible(0));
    EXPECT_FALSE(dialog.Pages().isTabVisible(1));
    EXPECT_FALSE(dialog.Pages().isTabVisible(2));
    EXPECT_FALSE(dialog.findChild<QAction*>("smenuProgram")->isEnabled());
    EXPECT_TRUE(dialog.findChild<QAction*>("smenuAdjust")->isEnabled());
  });
  // The read ran before the dialog, asked for the service, and stayed on
  // the Main page.
  EXPECT_FALSE(pager->record().headers.empty());
  EXPECT_EQ(window->PagerLink().ModelCode, 0x84);
  EXPECT_EQ(window->ActivePage(), kMainPageIndex);
  EXPECT_TRUE(ui.Texts().empty()) << ui.Texts().front();
}

TEST_F(ServiceWindowTest, KeyTestOnThePagerShowsMultipleKeys) {
  InServiceDialog([&](TFmService& dialog) {
    QTest::keyClick(&dialog, Qt::Key_F5);
    EXPECT_EQ(dialog.Pages().currentIndex(), 2);
    EXPECT_TRUE(pager->record().serviceCommands.empty());
    // From "Exit Test Mode" two down with the arrow key.
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.isActiveWindow(); }));
    ASSERT_TRUE(dialog.findChild<QRadioButton*>("serviceRadio01")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("serviceRadio04")->isChecked());
    QTest::keyClick(&dialog, Qt::Key_F8);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("resultEdit")->text(), "MULTIPLE KEYS");
    EXPECT_EQ(pager->record().serviceCommands, std::vector<std::uint8_t>{6});
    QTest::keyClick(&dialog, Qt::Key_F10);
    EXPECT_EQ(dialog.Pages().currentIndex(), 0);
    EXPECT_EQ(pager->record().serviceCommands, (std::vector<std::uint8_t>{6, 0}));
    QTest::keyClick(&dialog, Qt::Key_F10);
    EXPECT_FALSE(dialog.isVisible());
  });
  EXPECT_TRUE(ui.Texts().empty()) << ui.Texts().front();
}

TEST_F(ServiceWindowTest, ContrastAboveRangeKeepsTheFocusAndF2Refuses) {
  const std::size_t writesBefore = pager->record().writtenImage.size();
  InServiceDialog([&](TFmService& dialog) {
    ui.answers.push_back(kResultYes);  // the hardware warning
    QTest::keyClick(&dialog, Qt::Key_F3);
    ASSERT_EQ(dialog.Pages().currentIndex(), 1);
    // The offscreen platform does not activate a dialog by itself.
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.isActiveWindow(); }));
    auto* contrast = dialog.findChild<QLineEdit*>("ed_contrastAdjustValue");
    contrast->setFocus(Qt::OtherFocusReason);
    contrast->selectAll();
    QTest::keyClicks(contrast, "16");
    QTest::keyClick(contrast, Qt::Key_Tab);
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_EQ(ui.shown.back().text, ComposeError(kTextContrastOutOfRange).text);
    EXPECT_TRUE(contrast->hasFocus());

    const std::size_t boxes = ui.shown.size();
    QTest::keyClick(&dialog, Qt::Key_F2);
    ASSERT_EQ(ui.shown.size(), boxes + 1);
    EXPECT_EQ(ui.shown.back().text, ComposeError(kTextContrastOutOfRange).text);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Pages().currentIndex(), 1);
  });
  EXPECT_EQ(pager->record().writtenImage.size(), writesBefore);
}

TEST_F(ServiceWindowTest, F10OnTheAdjustPageRestoresTheSecondAdjustment) {
  InServiceDialog([&](TFmService& dialog) {
    window->Session().settings.clockSecondAdjust = 2;
    ui.answers.push_back(kResultYes);
    QTest::keyClick(&dialog, Qt::Key_F3);
    auto* adjust = dialog.findChild<QComboBox*>("cb_secondAdjustValue");
    EXPECT_EQ(adjust->currentText(), "+2");
    adjust->setCurrentIndex(adjust->findText("-3"));
    EXPECT_EQ(window->Session().settings.clockSecondAdjust, -3);
    QTest::keyClick(&dialog, Qt::Key_F10);
    EXPECT_EQ(dialog.Pages().currentIndex(), 0);
    EXPECT_EQ(window->Session().settings.clockSecondAdjust, 2);
    ui.answers.push_back(kResultYes);
    QTest::keyClick(&dialog, Qt::Key_F3);
    EXPECT_EQ(adjust->currentText(), "+2");
  });
}

TEST_F(ServiceWindowTest, ProgramWritesTheAdjustmentsAndClosesTheDialog) {
  bool closed = false;
  InServiceDialog([&](TFmService& dialog) {
    ui.answers.push_back(kResultYes);
    QTest::keyClick(&dialog, Qt::Key_F3);
    auto* adjust = dialog.findChild<QComboBox*>("cb_secondAdjustValue");
    adjust->setCurrentIndex(adjust->findText("-3"));
    QTest::keyClick(&dialog, Qt::Key_F2);
    closed = !dialog.isVisible();
  });
  EXPECT_TRUE(closed);
  const std::vector<std::uint8_t>& written = pager->record().writtenImage;
  ASSERT_EQ(written.size(), 4096u) << (ui.Texts().empty() ? "" : ui.Texts().front());
  EXPECT_EQ(written[0x023F], 0xFD);
  EXPECT_EQ(window->CurrentFileName, "");
  EXPECT_TRUE(window->findChildren<QAction*>("serviceBtn").front()->isEnabled());
}

}  // namespace
}  // namespace rer
