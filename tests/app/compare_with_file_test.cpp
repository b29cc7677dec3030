// The window's Compare with File and the backup of every read, offscreen
// against the simulated pager in virtual time.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "app/dialogs/compare_dialog.h"
#include "app/editor_operations.h"
#include "app/main_window.h"
#include "codeplug/field_catalogue.h"
#include "comm/virtual_clock.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pager/codeplug_file.h"
#include "qt_test_environment.h"
#include "sim/demo_codeplug.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"
#include "temp_path.h"

namespace rer {
namespace {

class CompareWithFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsFolder();
    folder = QString::fromStdString(testing::TempPath("compare_with_file"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    pager = std::make_unique<SimPager>(DemoScenario(0x84));
    transport = std::make_unique<SimTransport>(*pager, clock, &ui);
    window = test::StartWindow(ui, operations, *transport, clock);
    ASSERT_TRUE(window);
    window->WorkFilesPath = folder;
    window->BackupFolder = folder + "/backups";
    operations.SetFreeSpaceQuery(
        [](const QString&) { return std::optional<std::uint64_t>(1u << 30); });
  }

  void TearDown() override {
    window->StartupRefused = true;
    window->close();
    QDir(folder).removeRecursively();
  }

  void Choose(const QString& path) {
    operations.SetOpenFileChooser([path](const QString&) { return std::optional<QString>(path); });
  }

  ScriptedUserInterface ui;
  EditorOperations operations{ui};
  VirtualClock clock;
  std::unique_ptr<SimPager> pager;
  std::unique_ptr<SimTransport> transport;
  std::unique_ptr<TFmMain> window;
  QString folder;
};

TEST_F(CompareWithFileTest, ListsExactlyTheChangedFrequencyAndCapcodeAndGoesToTheCapcode) {
  window->ReadPagerClick();
  ASSERT_FALSE(window->CurrentFileName.isEmpty()) << ui.Texts().front();
  const QString saved = folder + "/pager.cp";
  operations.SetSaveFileChooser([saved](const QString&) { return std::optional<QString>(saved); });
  window->SaveFileClick();
  ASSERT_TRUE(QFile::exists(saved));
  ui.shown.clear();  // the box that says where the file went
  // The editor then differs from the file in two settings.
  Choose(saved);
  EditorSettings& settings = window->Session().settings;
  const std::string frequency =
      settings.Text(Control::ed_frequency) == "150.0000" ? "151.0000" : "150.0000";
  settings.SetText(Control::ed_frequency, frequency);
  settings.SetText(AddressControl::Capcode, 2, "0009999");
  window->FillPages();
  ASSERT_TRUE(window->findChild<QAction*>("menuCompare")->isEnabled());

  std::vector<SettingDifference> listed;
  int rows = -1;
  operations.SetCompareDialogRunner([&](TFmCompare& dialog) {
    listed = dialog.Differences();
    rows = dialog.Table().rowCount();
    for (int row = 0; row < rows; ++row) {
      if (dialog.Table().item(row, 1)->text() == "ed_capcode2") dialog.GoToRow(row);
    }
  });
  window->compareWithFileClick();

  EXPECT_TRUE(ui.Texts().empty()) << ui.Texts().front();
  std::string names;
  for (const SettingDifference& d : listed) names += d.controlName + "=" + d.a + "/" + d.b + " ";
  ASSERT_EQ(listed.size(), 2u) << names;
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(listed[0].controlName, "ed_frequency");
  EXPECT_EQ(listed[0].a, frequency);
  EXPECT_EQ(listed[1].controlName, "ed_capcode2");
  EXPECT_EQ(listed[1].a, "0009999");
  const int capcodePage = FieldCatalogue::Instance().Entry(AddressControl::Capcode, 2).page;
  EXPECT_EQ(window->ActivePage(), capcodePage);
  EXPECT_EQ(window->focusWidget(),
            window->Pages().Control(EntryIndexOf(AddressControl::Capcode, 2)));
}

TEST_F(CompareWithFileTest, EveryReadIsBackedUpAndAFailedBackupLeavesTheReadDone) {
  window->ReadPagerClick();
  ASSERT_FALSE(operations.LastReadBackup().empty())
      << (ui.Texts().empty() ? "" : ui.Texts().front());
  EXPECT_TRUE(ParseCodeplugFile(*ReadTextFile(operations.LastReadBackup())).has_value());
  EXPECT_TRUE(ui.Texts().empty());

  const std::string blocker = (folder + "/blocker").toStdString();
  std::ofstream(blocker) << "x";
  window->BackupFolder = QString::fromStdString(blocker + "/backups");
  window->GoToMainPage();
  window->SetCommandStates(true, TFmMain::CommandScope::ByPage);
  window->CurrentFileName.clear();
  window->ReadPagerClick();

  EXPECT_TRUE(operations.LastReadBackup().empty());
  EXPECT_FALSE(window->CurrentFileName.isEmpty());  // the editor has the codeplug read
  ASSERT_EQ(ui.Texts().size(), 1u);
  EXPECT_EQ(ui.Texts().front().rfind(ComposeError(kBackupNotWritten).text, 0), 0u)
      << ui.Texts().front();
}

}  // namespace
}  // namespace rer
