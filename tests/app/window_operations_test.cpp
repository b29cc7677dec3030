// The main window's operations against the simulated pager in virtual time:
// programming from the editor in single and sequential mode, Set To
// Defaults, Save as and Load through injected file choosers.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QThread>
#include <fstream>

#include "app/editor_operations.h"
#include "app/fields/field_router.h"
#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "app/product_info.h"
#include "comm/virtual_clock.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pages/sequential_programming.h"
#include "qt_test_environment.h"
#include "sim/demo_codeplug.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"
#include "temp_path.h"

namespace rer {
namespace {

// Notes the thread of every box, so that a test sees where it was shown.
struct ThreadNotingUserInterface : ScriptedUserInterface {
  int ShowMessageBox(const MessageBox& box) override {
    boxThreads.push_back(QThread::currentThread());
    return ScriptedUserInterface::ShowMessageBox(box);
  }
  std::vector<QThread*> boxThreads;
};

const std::string kSequentialWarning = ComposeQuestion(kQuestionSequentialDuplicates).text;

class WindowOperationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsFolder();
    folder = QString::fromStdString(testing::TempPath("window_ops"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    pager = std::make_unique<SimPager>(DemoScenario(0x84));
    transport = std::make_unique<SimTransport>(*pager, clock, &ui);
    window = test::StartWindow(ui, operations, *transport, clock);
    ASSERT_TRUE(window);
    window->WorkFilesPath = folder;
    operations.SetFreeSpaceQuery([this](const QString&) { return freeBytes; });
  }

  void TearDown() override {
    window->StartupRefused = true;  // let the window go without a question
    window->close();
    QDir(folder).removeRecursively();
  }

  std::string Setting(Control control) const { return window->Session().settings.Text(control); }
  std::string Capcode(int address) const {
    return window->Session().settings.Text(AddressControl::Capcode, address);
  }
  QString Shown(const char* name) const { return window->findChild<QLineEdit*>(name)->text(); }
  // Sets an address text as the page would, and shows it.
  void SetCapcode(int address, const std::string& text) {
    window->Session().settings.SetText(AddressControl::Capcode, address, text);
    window->FillPages();
  }
  void SaveTo(const QString& path) {
    operations.SetSaveFileChooser([path](const QString&) { return std::optional<QString>(path); });
    window->SaveFileClick();
  }

  ThreadNotingUserInterface ui;
  EditorOperations operations{ui};
  VirtualClock clock;
  std::unique_ptr<SimPager> pager;
  std::unique_ptr<SimTransport> transport;
  std::unique_ptr<TFmMain> window;
  QString folder;
  std::optional<std::uint64_t> freeBytes = 1u << 30;
};

TEST_F(WindowOperationsTest, ProgramSingleThenF2WritesTheEncodedImageAndLeavesTheEditor) {
  window->singleClick();
  ASSERT_EQ(window->CurrentFileName, kReadCodeplugName) << ui.Texts().front();
  ASSERT_FALSE(window->IsSequentialBarVisible());
  window->findChild<QLineEdit*>("ed_ICN")->setText("BENCH0042");
  QTest::keyClick(window->findChild<QLineEdit*>("ed_ICN"), Qt::Key_Return);
  window->Session().settings.SetText(Control::ed_ICN, "BENCH0042");

  window->WritePagerClick();

  EXPECT_TRUE(ui.Texts().empty()) << ui.Texts().front();
  ASSERT_FALSE(pager->record().writtenImage.empty());
  const std::vector<std::uint8_t> editor(
      window->Session().image.Bytes().begin(),
      window->Session().image.Bytes().begin() +
          static_cast<std::ptrdiff_t>(pager->record().writtenImage.size()));
  EXPECT_EQ(pager->record().writtenImage, editor);
  // The inventory number went into the image the pager holds.
  const std::string written(pager->record().writtenImage.begin(),
                            pager->record().writtenImage.end());
  EXPECT_NE(written.find("BENCH0042"), std::string::npos);
  // Single mode: back on the Main page with no codeplug.
  EXPECT_EQ(window->ActivePage(), kMainPageIndex);
  EXPECT_EQ(window->CurrentFileName, "");
  EXPECT_EQ(window->windowTitle(), BaseTitle());
  EXPECT_TRUE(window->PageControl().isEnabled());
  EXPECT_FALSE(window->Link().IsOpen());
}

TEST_F(WindowOperationsTest, F2RightAfterTheReadProgramsWithoutAFieldLeftFirst) {
  // No field has been left yet, so no store has set the last check: the page
  // check of F2 itself must, or F2 would do nothing and say nothing.
  window->singleClick();
  ASSERT_EQ(window->CurrentFileName, kReadCodeplugName);
  // As in a window that never had the keyboard: no field is left on the way
  // to F2, and the last check is still the initial one.
  if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
  window->LastFieldCheck = 0;
  window->WritePagerClick();
  EXPECT_TRUE(ui.Texts().empty()) << ui.Texts().front();
  EXPECT_FALSE(pager->record().writtenImage.empty());
  EXPECT_EQ(window->ActivePage(), kMainPageIndex);
}

TEST_F(WindowOperationsTest, SequentialRunProgramsTwoPagersWithAdvancingAddresses) {
  window->sequentialClick();
  ASSERT_EQ(window->CurrentFileName, kReadCodeplugName);
  EXPECT_TRUE(window->IsSequentialBarVisible());
  const std::string firstCapcode = Capcode(1);
  const std::string firstIcn = Setting(Control::ed_ICN);
  ui.defaultAnswer = kResultYes;

  window->WritePagerClick();
  ASSERT_EQ(window->RunTable().rowCount(), 1);
  const std::string secondCapcode = Capcode(1);
  EXPECT_NE(secondCapcode, firstCapcode);
  EXPECT_EQ(Shown("ed_capcode1").toStdString(), secondCapcode);
  EXPECT_EQ(Setting(Control::ed_ICN), AdvanceInventoryNumber(firstIcn));
  window->WritePagerClick();

  // The editor stays open for the next pager; the table and the log file
  // name every pager with the addresses it received.
  EXPECT_EQ(window->CurrentFileName, kReadCodeplugName);
  ASSERT_EQ(window->RunTable().rowCount(), 2);
  EXPECT_EQ(window->RunTable().item(0, 2)->text().toStdString(), firstCapcode);
  EXPECT_EQ(window->RunTable().item(1, 2)->text().toStdString(), secondCapcode);
  EXPECT_EQ(window->RunTable().item(1, 3)->text().toStdString(), AdvanceInventoryNumber(firstIcn));
  EXPECT_EQ(window->RunTable().item(1, 4)->text(), "1");
  EXPECT_TRUE(window->RunTable().isVisible());

  ASSERT_TRUE(QFileInfo(window->RunLogPath()).absolutePath() ==
              QFileInfo(folder).absoluteFilePath());
  QFile log(window->RunLogPath());
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], "pager,serial number,first capcode,inventory number,result,time");
  EXPECT_TRUE(lines[2].startsWith("2,SIM0000001," + QString::fromStdString(secondCapcode) + ","))
      << lines[2].toStdString();
}

// Where the duplicate warning comes depends on the page F2 was pressed on.
struct WarningCase {
  int page;
  int answer;
  bool programs;
  bool advances;
};

class SequentialWarningTest : public WindowOperationsTest,
                              public ::testing::WithParamInterface<WarningCase> {};

TEST_P(SequentialWarningTest, WarningComesBeforeOnAddressPagesAndAfterElsewhere) {
  const WarningCase& c = GetParam();
  window->sequentialClick();
  ASSERT_EQ(window->CurrentFileName, kReadCodeplugName);
  // Address 3 outside the block of address 1: some pager would get it twice.
  SetCapcode(1, "0001000");
  SetCapcode(2, "0001001");
  SetCapcode(3, "0005000");
  ASSERT_TRUE(ComputeSequentialStep(window->Session().settings).conflict);
  window->ShowPage(c.page);
  ui.answers = {c.answer};

  window->WritePagerClick();

  ASSERT_EQ(ui.Texts().size(), 1u);
  EXPECT_EQ(ui.Texts()[0], kSequentialWarning);
  // The question was put on the GUI thread although the program ran off it.
  EXPECT_EQ(ui.boxThreads[0], QThread::currentThread());
  EXPECT_EQ(!pager->record().writtenImage.empty(), c.programs);
  EXPECT_EQ(Capcode(1) != "0001000", c.advances);
  if (c.page > 4) {
    EXPECT_EQ(window->ActivePage(), kGeneralPageIndex);
  } else {
    EXPECT_EQ(window->ActivePage(), c.page);
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, SequentialWarningTest,
                         ::testing::Values(WarningCase{kGeneralPageIndex, kResultNo, false, false},
                                           WarningCase{kGeneralPageIndex, kResultYes, true, true},
                                           WarningCase{8, kResultNo, true, true}));

TEST_F(WindowOperationsTest, SetToDefaultsAnsweredNoChangesNothingAndYesKeepsTheIdentity) {
  window->ReadPagerClick();
  ASSERT_EQ(window->CurrentFileName, kReadCodeplugName);
  const std::string readCapcode = Capcode(1);
  window->Session().settings.SetText(Control::ed_ICN, "KEEP00001");
  SetCapcode(1, "0004444");
  const EditorSettings edited = window->Session().settings;

  ui.answers = {kResultNo};
  window->menuDefaultClick();
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{ComposeQuestion(kQuestionSetToDefaults).text});
  EXPECT_EQ(Capcode(1), "0004444");
  EXPECT_EQ(Setting(Control::ed_ICN), "KEEP00001");
  EXPECT_FALSE(window->Session().settings.defaultsLoaded);

  ui.answers = {kResultYes};
  window->menuDefaultClick();
  EXPECT_EQ(Capcode(1), readCapcode);
  EXPECT_EQ(Shown("ed_capcode1").toStdString(), readCapcode);
  EXPECT_EQ(Setting(Control::ed_ICN), "KEEP00001");
  EXPECT_EQ(Setting(Control::ed_serialNumber), edited.Text(Control::ed_serialNumber));
  EXPECT_EQ(Setting(Control::ed_frequency), edited.Text(Control::ed_frequency));
  EXPECT_TRUE(window->Session().settings.defaultsLoaded);
}

TEST_F(WindowOperationsTest, SaveAsThenLoadRoundTripsTheSettings) {
  window->ReadPagerClick();
  ASSERT_EQ(window->CurrentFileName, kReadCodeplugName);
  SetCapcode(1, "0007000");
  window->Session().settings.SetText(Control::ed_ICN, "SAVED0001");
  // The focused field is stored before the checks: it must show what the
  // settings now hold, as it would after typing.
  window->Fields().Reload();
  const QString path = folder + "/bench.cp";

  SaveTo(path);
  ASSERT_EQ(ui.Texts(), std::vector<std::string>{"\nThe file was saved as " + path.toStdString()});
  EXPECT_EQ(ui.shown[0].title, "successfully");
  EXPECT_EQ(window->CurrentFileName, path);
  EXPECT_EQ(window->windowTitle(), BaseTitle() + " - bench.cp");
  EXPECT_EQ(window->VersionStatusText, "Codeplug Version : R040609");
  EXPECT_EQ(window->StatusPanel(2), window->VersionStatusText);

  // Leave the editor, then bring the file back in.
  window->menuExitClick();
  ASSERT_EQ(window->CurrentFileName, "");
  window->Session().settings.SetText(Control::ed_ICN, "OTHER");
  SetCapcode(1, "0001111");
  operations.SetOpenFileChooser([path](const QString&) { return std::optional<QString>(path); });
  window->LoadFileClick();

  EXPECT_EQ(window->CurrentFileName, path);
  EXPECT_EQ(window->windowTitle(), BaseTitle() + " - bench.cp");
  EXPECT_EQ(window->ActivePage(), kGeneralPageIndex);
  EXPECT_EQ(Capcode(1), "0007000");
  EXPECT_EQ(Shown("ed_capcode1"), "0007000");
  EXPECT_EQ(Setting(Control::ed_ICN).substr(0, 9), "SAVED0001");
  EXPECT_FALSE(window->SequentialMode);
}

TEST_F(WindowOperationsTest, LoadOfAMissingFileSaysSoAndChangesNothing) {
  const QString path = folder + "/missing.cp";
  operations.SetOpenFileChooser([path](const QString&) { return std::optional<QString>(path); });
  window->LoadFileClick();
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{path.toStdString() + "\ndoes not exist."});
  EXPECT_EQ(ui.shown[0].title, "ERROR");
  EXPECT_EQ(window->CurrentFileName, "");
  EXPECT_EQ(window->ActivePage(), kMainPageIndex);
}

TEST_F(WindowOperationsTest, TooLittleFreeSpaceWritesNothing) {
  window->ReadPagerClick();
  freeBytes = 5 * 1024;
  const QString path = folder + "/full.cp";
  SaveTo(path);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"There is not enough space on the disk.\n"});
  EXPECT_EQ(ui.shown[0].title, "Cannot save file");
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_EQ(window->CurrentFileName, kReadCodeplugName);
}

TEST_F(WindowOperationsTest, OverwriteAnsweredNoLeavesFileCaptionAndName) {
  window->ReadPagerClick();
  const QString path = folder + "/kept.cp";
  { std::ofstream(path.toStdString()) << "old contents"; }
  const QString caption = window->windowTitle();
  ui.answers = {kResultNo};
  SaveTo(path);

  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text,
            path.toStdString() + " already exists.\nDo you want to replace it ?\n");
  EXPECT_EQ(ui.shown[0].title, "Save As - Warning");
  EXPECT_TRUE(ui.shown[0].defaultNo);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "old contents");
  EXPECT_EQ(window->windowTitle(), caption);
  EXPECT_EQ(window->CurrentFileName, kReadCodeplugName);
}

TEST_F(WindowOperationsTest, ServiceOnTheMainPageAndPrintOnTheSettingsPages) {
  EXPECT_TRUE(window->findChild<QAction*>("serviceBtn")->isEnabled());
  EXPECT_FALSE(window->findChild<QAction*>("menuPrint")->isEnabled());
  window->ReadPagerClick();
  EXPECT_TRUE(window->findChild<QAction*>("writeBtn")->isEnabled());
  EXPECT_TRUE(window->findChild<QAction*>("menuPrint")->isEnabled());
}

}  // namespace
}  // namespace rer
