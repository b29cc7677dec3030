// The window against rer-cli sim over a pseudo-terminal, in real time: a
// read, an edit, a program and a read back. The protocol's pauses are real,
// so this one test takes about a minute.

#include <gtest/gtest.h>

#include <QTest>

#include "app/editor_operations.h"
#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "app/product_info.h"
#include "cli/background_sim.h"
#include "core/scripted_user_interface.h"
#include "qt_test_environment.h"
#include "temp_path.h"

namespace rer {
namespace {

TEST(WindowOverPseudoTerminal, ProgramsTheSimulatorAndReadsTheEditsBack) {
  test::UseFreshSettingsFolder();
  const std::string link = testing::TempPath("window_pty_link");
  cli::testing::BackgroundSim sim({"sim", "--link", link});
  ASSERT_TRUE(sim.WaitForLink(link));

  ScriptedUserInterface ui;
  EditorOperations operations(ui);
  TFmMain window(ui);
  window.SetOperations(&operations);
  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.StartupDone(); }));
  window.SetPortOverride(QString::fromStdString(link));

  window.ReadPagerClick();
  ASSERT_EQ(window.CurrentFileName, kReadCodeplugName) << ::testing::PrintToString(ui.Texts());
  EditorSettings& settings = window.Session().settings;
  ASSERT_NE(settings.Text(AddressControl::Capcode, 1), "0023456");
  settings.SetText(AddressControl::Capcode, 1, "0023456");
  settings.SetText(Control::ed_ICN, "PTY000007");
  window.FillPages();

  window.WritePagerClick();
  ASSERT_TRUE(ui.Texts().empty()) << ui.Texts().front();
  ASSERT_EQ(window.ActivePage(), kMainPageIndex);

  // What the pager now holds, as a fresh read shows it.
  settings.SetText(AddressControl::Capcode, 1, "");
  settings.SetText(Control::ed_ICN, "");
  window.ReadPagerClick();
  ASSERT_EQ(window.CurrentFileName, kReadCodeplugName) << ::testing::PrintToString(ui.Texts());
  EXPECT_EQ(window.Session().settings.Text(AddressControl::Capcode, 1), "0023456");
  EXPECT_EQ(window.Session().settings.Text(Control::ed_ICN).substr(0, 9), "PTY000007");

  window.StartupRefused = true;
  window.close();
}

}  // namespace
}  // namespace rer
