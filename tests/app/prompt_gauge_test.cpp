// The prompt pages in the window: the prompt-memory gauge in the status bar
// follows every prompt edit, Alt+D and the codeplug coming in, and shows
// its percentage whole.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>

#include "app/editor_operations.h"
#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "app/product_info.h"
#include "codeplug/codec_bindings.h"
#include "comm/virtual_clock.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "prompts/packed_prompts.h"
#include "qt_test_environment.h"
#include "sim/demo_codeplug.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"

namespace rer {
namespace {

class PromptGaugeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsFolder();
    pager = std::make_unique<SimPager>(DemoScenario(0x84));
    transport = std::make_unique<SimTransport>(*pager, clock, &ui);
    window = test::StartWindow(ui, operations, *transport, clock);
    ASSERT_TRUE(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->ReadPagerClick();
    ASSERT_EQ(window->CurrentFileName, kReadCodeplugName);
    ui.shown.clear();
  }
  void TearDown() override {
    window->StartupRefused = true;
    window->close();
  }

  template <typename T>
  T* Find(const char* name) const {
    return window->findChild<T*>(name);
  }
  QProgressBar& Gauge() const { return window->Gauge(); }
  // What the packed prompts of the editor use of the large layout's 1065
  // bytes, in whole percent.
  int ExpectedPercent() const {
    const std::size_t used =
        PackedPromptSize(PromptTextsOf(window->Session().settings), PromptNumbering::kExtended);
    return static_cast<int>(used * 100 / 1065);
  }
  void TypeAndLeave(const char* name, const QString& text) {
    auto* edit = Find<QLineEdit>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    window->PageControl().setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
  }

  ScriptedUserInterface ui;
  EditorOperations operations{ui};
  VirtualClock clock;
  std::unique_ptr<SimPager> pager;
  std::unique_ptr<SimTransport> transport;
  std::unique_ptr<TFmMain> window;
};

TEST_F(PromptGaugeTest, TheGaugeShowsThePercentageAfterAnEditWhole) {
  window->ShowPage(kPagePrompt1);
  ASSERT_TRUE(window->IsGaugeVisible());
  const int read = ExpectedPercent();
  EXPECT_EQ(Gauge().value(), read);
  EXPECT_EQ(Gauge().text(), QString("%1%").arg(read));

  for (const char* name : {"ed_source1Prompt", "ed_source2Prompt", "ed_source3Prompt"}) {
    TypeAndLeave(name, "twenty characters ok");
  }
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(window->Session().settings.Text(Control::ed_source1Prompt), "TWENTY CHARACTERS OK");
  const int edited = ExpectedPercent();
  ASSERT_GT(edited, read);
  EXPECT_EQ(Gauge().value(), edited);
  EXPECT_EQ(Gauge().text(), QString("%1%").arg(edited));
  EXPECT_TRUE(Gauge().isTextVisible());

  // Whole: inside its status-bar panel, at its full height.
  QCoreApplication::processEvents();
  auto* panel = Find<QLabel>("statusPanel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->rect().contains(Gauge().geometry()));
  EXPECT_GE(Gauge().height(), Gauge().sizeHint().height());
  EXPECT_TRUE(window->statusBar()->rect().contains(
      QRect(panel->mapTo(window->statusBar(), QPoint(0, 0)), panel->size())));
}

TEST_F(PromptGaugeTest, AltDRestoresThePromptAndDefaultsBringTheGaugeBack) {
  window->ShowPage(kPagePrompt1);
  const int read = Gauge().value();
  auto* language = Find<QComboBox>("cb_internationalPrompt");
  language->setFocus(Qt::TabFocusReason);
  language->setCurrentText("French");
  window->PageControl().setFocus(Qt::TabFocusReason);
  ASSERT_EQ(window->Session().settings.promptLanguage, 3);

  window->ShowPage(kPagePrompt2);
  TypeAndLeave("ed_setTimeAlarmPrompt", "mine");
  auto* edit = Find<QLineEdit>("ed_setTimeAlarmPrompt");
  ASSERT_EQ(edit->text(), "MINE");
  edit->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  QTest::keyClick(edit, Qt::Key_D, Qt::AltModifier);
  EXPECT_EQ(edit->text(), "REGLAGE DE L'HEURE");
  EXPECT_EQ(window->Session().settings.Text(Control::ed_setTimeAlarmPrompt), "REGLAGE DE L'HEURE");
  EXPECT_EQ(Gauge().value(), ExpectedPercent());

  for (const char* name : {"ed_setAlertPrompt", "ed_setAudioPrompt", "ed_setSilentPrompt"}) {
    TypeAndLeave(name, "twenty characters ok");
  }
  ASSERT_NE(Gauge().value(), read);
  ui.answers = {kResultYes};
  window->menuDefaultClick();
  EXPECT_EQ(window->Session().settings.promptLanguage, 0);
  EXPECT_EQ(Gauge().value(), read);
  EXPECT_EQ(Gauge().value(), ExpectedPercent());
}

}  // namespace
}  // namespace rer
