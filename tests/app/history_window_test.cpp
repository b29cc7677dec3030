// The pager history in the window: reads and programs record their rows
// through the operations, "Pager History..." is offered only with a history,
// its dialog searches, and Open brings a kept codeplug into the editor.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "app/dialogs/history_dialog.h"
#include "app/editor_operations.h"
#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "app/product_info.h"
#include "comm/virtual_clock.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "history/pager_history.h"
#include "pager/codeplug_file.h"
#include "qt_test_environment.h"
#include "sim/demo_codeplug.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"
#include "temp_path.h"

namespace rer {
namespace {

std::string FreshDatabase(const std::string& name) {
  const std::string path = testing::TempPath(name);
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
  return path;
}

class HistoryWindowTest : public ::testing::Test {
 protected:
  void Start(bool withHistory = true) {
    test::UseFreshSettingsFolder();
    pager = std::make_unique<SimPager>(DemoScenario(0x84));
    transport = std::make_unique<SimTransport>(*pager, clock, &ui);
    window = std::make_unique<TFmMain>(ui);
    window->SetCalibrationHook({});
    if (withHistory) operations.SetHistory(&history);
    window->SetOperations(&operations);
    window->SetLinkTransport(transport.get());
    window->SetLinkClock(&clock);
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->StartupDone(); }));
  }

  void TearDown() override {
    if (!window) return;
    window->StartupRefused = true;
    window->close();
  }

  std::vector<HistoryRow> Rows(const HistoryQuery& query = {}) {
    std::string error;
    auto opened = PagerHistory::Open(path, error);
    EXPECT_TRUE(opened) << error;
    if (!opened) return {};
    return opened->Find(query, error).value_or(std::vector<HistoryRow>{});
  }

  QAction* Action(const char* name) { return window->findChild<QAction*>(name); }

  ScriptedUserInterface ui;
  EditorOperations operations{ui};
  std::string path = FreshDatabase("window_history.sqlite");
  HistoryAtPath history{path};
  VirtualClock clock;
  std::unique_ptr<SimPager> pager;
  std::unique_ptr<SimTransport> transport;
  std::unique_ptr<TFmMain> window;
};

TEST_F(HistoryWindowTest, AReadAndAProgramOfTheWindowEachAddTheirRow) {
  Start();
  window->ReadPagerClick();
  ASSERT_EQ(window->CurrentFileName, kReadCodeplugName);
  const PagerSession& session = window->Session();
  std::vector<HistoryRow> rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].record.operation, kReadOperation);
  EXPECT_EQ(rows[0].record.serialNumber, session.link.SerialNumber);
  for (int n = 1; n <= kAddressCount; ++n) {
    EXPECT_EQ(rows[0].record.capcodes[static_cast<std::size_t>(n - 1)],
              session.settings.Text(AddressControl::Capcode, n));
  }
  const std::vector<std::uint8_t> read(
      session.image.Bytes().begin(),
      session.image.Bytes().begin() + static_cast<std::ptrdiff_t>(CodeplugFileLength(0x84)));
  EXPECT_EQ(rows[0].record.image, read);

  window->WritePagerClick();
  ASSERT_TRUE(ui.Texts().empty()) << ui.Texts().front();
  rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].record.operation, kProgramOperation);
  EXPECT_EQ(rows[0].record.result, kSuccess);
  EXPECT_EQ(rows[0].record.image, pager->record().writtenImage);
  EXPECT_NE(rows[0].record.runId, rows[1].record.runId);
}

TEST_F(HistoryWindowTest, ASequentialRunOfTheWindowIsOneRun) {
  Start();
  window->sequentialClick();
  ASSERT_EQ(window->CurrentFileName, kReadCodeplugName);
  ui.defaultAnswer = kResultYes;
  for (int i = 0; i < 3; ++i) window->WritePagerClick();
  std::vector<HistoryRow> rows = Rows();
  ASSERT_EQ(rows.size(), 4u);  // the read of Program Sequential, then three pagers
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rows[static_cast<std::size_t>(i)].record.operation, kProgramOperation);
    EXPECT_EQ(rows[static_cast<std::size_t>(i)].record.runId, rows[0].record.runId);
    EXPECT_EQ(rows[static_cast<std::size_t>(i)].record.capcodes[0],
              window->RunTable().item(2 - i, 2)->text().toStdString());
  }
}

TEST_F(HistoryWindowTest, TheMenuItemIsOfferedOnlyWithAHistory) {
  Start(false);
  EXPECT_FALSE(Action("menuHistory")->isEnabled());
  window.reset();
  Start(true);
  EXPECT_TRUE(Action("menuHistory")->isEnabled());
  EXPECT_EQ(Action("menuHistory")->text(), "Pager &History...");
}

TEST_F(HistoryWindowTest, OpenBringsTheKeptCodeplugIntoTheEditor) {
  Start();
  window->ReadPagerClick();
  const std::string readSerial = window->Session().link.SerialNumber;
  const std::string readCapcode = window->Session().settings.Text(AddressControl::Capcode, 1);
  window->LeaveEditor();
  ASSERT_EQ(window->CurrentFileName, "");
  // The editor is empty now; the history gives back what was read.
  std::optional<std::string> asked;
  operations.SetHistoryChooser([&](const std::string& database) -> std::optional<HistoryRow> {
    asked = database;
    TFmPagerHistory dialog(database);
    dialog.Search(QString::fromStdString(readSerial), false, false);
    if (dialog.RowCount() != 1) return std::nullopt;
    dialog.SelectRow(0);
    dialog.OpenSelected();
    return dialog.Chosen();
  });
  Action("menuHistory")->trigger();
  EXPECT_EQ(asked, path);
  EXPECT_EQ(window->CurrentFileName, kReadCodeplugName);
  EXPECT_NE(window->ActivePage(), kMainPageIndex);
  EXPECT_EQ(window->Session().settings.Text(AddressControl::Capcode, 1), readCapcode);
  EXPECT_TRUE(ui.Texts().empty()) << ui.Texts().front();
}

TEST_F(HistoryWindowTest, AnUnusableHistoryIsSaidOnceAndTheReadStillSucceeds) {
  std::ofstream(path, std::ios::binary) << std::string(4096, 'x');
  Start();
  window->ReadPagerClick();
  EXPECT_EQ(window->CurrentFileName, kReadCodeplugName);
  ASSERT_EQ(ui.Texts().size(), 1u);
  EXPECT_NE(ui.Texts()[0].find("The pager history could not be written"), std::string::npos);
  EXPECT_NE(ui.Texts()[0].find(path), std::string::npos);
}

TEST(HistoryDialog, SearchesNarrowTheTableAndOpenNeedsAKeptCodeplug) {
  const std::string path = FreshDatabase("dialog_history.sqlite");
  {
    std::string error;
    auto history = PagerHistory::Open(path, error);
    ASSERT_TRUE(history) << error;
    const auto add = [&](std::string serial, std::string capcode, int result, bool image) {
      PagerRecord r;
      r.operation = kProgramOperation;
      r.modelCode = 0x84;
      r.serialNumber = std::move(serial);
      r.inventoryNumber = "ICN" + r.serialNumber;
      r.capcodes[0] = std::move(capcode);
      r.result = result;
      if (image) r.image.assign(1024, 0x11);
      ASSERT_TRUE(history->Record(r, error)) << error;
    };
    add("SN1", "0100000", kSuccess, true);
    add("SN2", "0200000", kLinkNotResponding, false);
    add("SN1", "0300000", kSuccess, true);  // SN1 reprogrammed
  }
  TFmPagerHistory dialog(path);
  EXPECT_EQ(dialog.RowCount(), 3);
  EXPECT_EQ(dialog.Table().horizontalHeaderItem(0)->text(), "Serial Number");
  struct Case {
    QString text;
    bool current;
    bool failed;
    int rows;
  };
  const Case cases[] = {{"SN1", false, false, 2},   {"100000", false, false, 1},
                        {"100000", true, false, 0}, {"300000", true, false, 1},
                        {"", false, true, 1},       {"ICNSN2", false, false, 1}};
  for (const Case& c : cases) {
    dialog.Search(c.text, c.current, c.failed);
    EXPECT_EQ(dialog.RowCount(), c.rows) << c.text.toStdString() << c.current << c.failed;
  }
  // The attempt on a pager that never answered keeps no codeplug to open.
  dialog.Search("SN2", false, false);
  dialog.SelectRow(0);
  auto* open = dialog.findChild<QPushButton*>("historyOpen");
  EXPECT_FALSE(open->isEnabled());
  EXPECT_NE(dialog.Table().item(0, 4)->text().indexOf("failed"), -1);
  dialog.OpenSelected();
  EXPECT_FALSE(dialog.Chosen());
  dialog.Search("300000", false, false);
  dialog.SelectRow(0);
  EXPECT_TRUE(open->isEnabled());
  EXPECT_EQ(dialog.Table().item(0, 2)->text(), "0300000");
}

TEST(HistoryDialog, AnUnusableDatabaseIsSaidInTheDialog) {
  const std::string path = FreshDatabase("dialog_garbage.sqlite");
  std::ofstream(path, std::ios::binary) << std::string(4096, 'x');
  TFmPagerHistory dialog(path);
  EXPECT_EQ(dialog.RowCount(), 0);
  EXPECT_TRUE(dialog.StatusText().startsWith("The pager history cannot be used:"));
  EXPECT_FALSE(dialog.findChild<QPushButton*>("historyOpen")->isEnabled());
}

}  // namespace
}  // namespace rer
