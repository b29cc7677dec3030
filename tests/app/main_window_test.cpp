#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/fields/field_router.h"
#include "app/fields/page_table.h"
#include "app/main_window_operations.h"
#include "app/platform/settings_store.h"
#include "app/product_info.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "qt_test_environment.h"

namespace rer {
namespace {

constexpr char kNeedCodeplug[] = "\nYou have to read (pager) or open the file first.\n";
constexpr char kExitQuestion[] = "Are you sure exit to WINDOWS ?";

// Records which operation the window asked for.
struct RecordingOperations : MainWindowOperations {
  std::vector<std::string> calls;

  void ReadPager(TFmMain&) override { calls.push_back("read"); }
  void Service(TFmMain&) override { calls.push_back("service"); }
  void ProgramSingle(TFmMain&) override { calls.push_back("single"); }
  void ProgramSequential(TFmMain&) override { calls.push_back("sequential"); }
  void LoadCodeplug(TFmMain&) override { calls.push_back("load"); }
  void ProgramFromEditor(TFmMain&) override { calls.push_back("program"); }
  void SetToDefaults(TFmMain&) override { calls.push_back("defaults"); }
  void SaveAs(TFmMain&) override { calls.push_back("save"); }
  void Print(TFmMain&) override { calls.push_back("print"); }
  bool OffersService() const override { return true; }
  bool OffersPrint() const override { return true; }
};

// A link whose port is open or closed as the test says.
struct FakeLink : Transport {
  bool open = false;
  int closes = 0;
  void SetLinkSpeed(std::uint8_t, bool) override {}
  int BaudRate() const override { return 4800; }
  bool Open() override { return open = true; }
  bool Close() override {
    if (!open) return false;
    open = false;
    ++closes;
    return true;
  }
  bool IsOpen() const override { return open; }
  bool ReadByte(std::uint8_t&) override { return false; }
  bool WriteByte(std::uint8_t) override { return false; }
  bool Purge() override { return true; }
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsFolder();
    window = std::make_unique<TFmMain>(ui);
    window->SetCalibrationHook({});
    window->SetOperations(&operations);
    window->SetLinkTransport(&link);
  }
  void TearDown() override {
    link.open = false;
    window->StartupRefused = true;  // let the window go without a question
    window->close();
  }

  // Shows the window and waits for its start-up steps.
  void Start() {
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->StartupDone(); }));
  }

  // Brings the editor up as a read of `model` would, with a valid address 1
  // so that the page checks pass.
  void EnterEditor(std::uint8_t model) {
    window->PagerLink().ModelCode = model;
    window->Session().settings.SetText(Control::Capcode, 1, "1000");
    // A codeplug always holds a contrast; the Features check refuses none.
    window->Session().settings.SetText(Control::ed_displayContrast, "8");
    window->SetupPagesForPager(model);
    window->FillPages();
    window->SetCommandStates(false, TFmMain::CommandScope::ByPage);
    window->CurrentFileName = kReadCodeplugName;
    window->ShowKeyLegend();
  }
  void SetCapcode(int address, const std::string& text) {
    window->Session().settings.SetText(Control::Capcode, address, text);
    window->Fields().Reload();
  }

  void Press(Qt::Key key) { QTest::keyClick(window.get(), key); }

  QAction* Action(const char* name) { return window->findChild<QAction*>(name); }

  bool Shown(const std::string& text) const {
    for (const MessageBox& box : ui.shown) {
      if (box.text == text) return true;
    }
    return false;
  }

  ScriptedUserInterface ui;
  RecordingOperations operations;
  FakeLink link;
  std::unique_ptr<TFmMain> window;
};

TEST_F(MainWindowTest, StartsOnTheMainPageWithTheBaseTitle) {
  Start();
  EXPECT_EQ(BaseTitle(), "Tarsel Series RER V040609 - 2017/12/21(Customer  Version)");
  EXPECT_EQ(window->windowTitle(), BaseTitle());
  EXPECT_EQ(window->ActivePage(), kMainPageIndex);
  for (int page = 0; page < kSettingsPageCount; ++page) EXPECT_FALSE(window->IsPageShown(page));
  EXPECT_EQ(window->KeyLegend(), "");
  EXPECT_FALSE(Action("menuClearPager")->isVisible());
  EXPECT_FALSE(Action("menuPrint")->isVisible());
  EXPECT_TRUE(ui.passwordAsks.empty());
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(MainWindowTest, FirstRunStoresTheDefaultsAndAppliesThemToThePort) {
  Start();
  auto store = OpenSettingsStore();
  for (const QString& name : StoredValueNames())
    EXPECT_TRUE(store->contains(name)) << name.toStdString();
  EXPECT_EQ(window->Comm().PortName(), "COM1");
  EXPECT_EQ(window->Comm().DataSize, 3);
  EXPECT_EQ(window->WorkFilesPath, DefaultWorkFolder());
}

TEST_F(MainWindowTest, WrongStartupPasswordEndsWithoutTheExitQuestion) {
  {
    auto store = OpenSettingsStore();
    StoredSettings settings;
    settings.softwarePassword = "OPEN";
    WriteSettings(*store, settings);
  }
  ui.passwords = {std::string("WRONG")};
  Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
  EXPECT_TRUE(window->StartupRefused);
  ASSERT_EQ(ui.passwordAsks, std::vector<PasswordMode>{PasswordMode::Software});
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].title, "ERROR");
  EXPECT_EQ(ui.shown[0].text.rfind("WARNING : Wrong Password.\n", 0), 0u);
  EXPECT_FALSE(Shown(kExitQuestion));
}

TEST_F(MainWindowTest, StartupPasswordClosedOrRightBehaveAsExpected) {
  {
    auto store = OpenSettingsStore();
    StoredSettings settings;
    settings.softwarePassword = "OPEN";
    WriteSettings(*store, settings);
  }
  // Closed without submit: the program ends, with no message at all.
  ui.passwords = {std::nullopt};
  Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
  EXPECT_TRUE(ui.shown.empty());

  // The right password: the window stays.
  ScriptedUserInterface ui2;
  ui2.passwords = {std::string("OPEN")};
  TFmMain second(ui2);
  second.SetCalibrationHook({});
  second.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return second.StartupDone(); }));
  EXPECT_TRUE(second.isVisible());
  EXPECT_FALSE(second.StartupRefused);
  EXPECT_TRUE(ui2.shown.empty());
  second.StartupRefused = true;
  second.close();
}

TEST_F(MainWindowTest, F3OnASettingsPageDoesNothingButReadsOnTheMainPage) {
  Start();
  EnterEditor(0x84);
  Press(Qt::Key_F3);
  EXPECT_TRUE(operations.calls.empty());
  EXPECT_TRUE(ui.shown.empty());

  window->GoToMainPage();
  window->SetCommandStates(true, TFmMain::CommandScope::ByPage);
  Press(Qt::Key_F3);
  EXPECT_EQ(operations.calls, std::vector<std::string>{"read"});
}

TEST_F(MainWindowTest, F2OnTheMainPageAsksForACodeplugFirst) {
  Start();
  Press(Qt::Key_F2);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, kNeedCodeplug);
  EXPECT_EQ(ui.shown[0].title, "Error Message");
  EXPECT_EQ(ui.shown[0].icon, MessageIcon::Stop);
  EXPECT_TRUE(operations.calls.empty());
}

TEST_F(MainWindowTest, KeysRouteByPage) {
  struct Case {
    bool editor;
    Qt::Key key;
    const char* call;  // "" = nothing
  };
  const Case cases[] = {
      {false, Qt::Key_F4, "service"},
      {false, Qt::Key_F5, "single"},
      {false, Qt::Key_F6, "sequential"},
      {false, Qt::Key_F8, "load"},
      {false, Qt::Key_F9, ""},
      {false, Qt::Key_F7, ""},
      {true, Qt::Key_F2, "program"},
      {true, Qt::Key_F9, "defaults"},
      {true, Qt::Key_F4, ""},
      {true, Qt::Key_F5, ""},
      {true, Qt::Key_F8, ""},
      {true, Qt::Key_F7, ""},
  };
  Start();
  for (const Case& c : cases) {
    operations.calls.clear();
    if (c.editor) {
      EnterEditor(0x84);
    } else {
      window->GoToMainPage();
      window->SetCommandStates(true, TFmMain::CommandScope::ByPage);
      window->CurrentFileName.clear();
    }
    Press(c.key);
    const std::vector<std::string> expected =
        *c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{};
    EXPECT_EQ(operations.calls, expected) << "editor=" << c.editor << " key=" << c.key;
  }
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(MainWindowTest, Prompt3IsHiddenOnlyForModelsWithoutIt) {
  struct Case {
    std::uint8_t model;
    bool prompt3;
  };
  const Case cases[] = {{0x81, false}, {0x89, false}, {0xC0, false}, {0x40, false},
                        {0x84, true},  {0x88, true},  {0xD0, true},  {0xD1, true}};
  Start();
  for (const Case& c : cases) {
    window->GoToMainPage();
    window->SetupPagesForPager(c.model);
    EXPECT_EQ(window->IsPageShown(kPrompt3PageIndex), c.prompt3) << int(c.model);
    EXPECT_FALSE(window->IsPageShown(kMainPageIndex));
    EXPECT_TRUE(window->IsPageShown(10));
    EXPECT_TRUE(window->IsPageShown(11));
    EXPECT_EQ(window->ActivePage(), kGeneralPageIndex);
  }
}

TEST_F(MainWindowTest, F11AndF12SkipHiddenPagesAndStopAtTheEnds) {
  Start();
  EnterEditor(0x81);
  window->ShowPage(6);
  Press(Qt::Key_F12);
  EXPECT_EQ(window->ActivePage(), 8);  // Prompt 3 is hidden for this model
  Press(Qt::Key_F11);
  EXPECT_EQ(window->ActivePage(), 6);
  window->ShowPage(11);
  Press(Qt::Key_F12);
  EXPECT_EQ(window->ActivePage(), 11);
  window->ShowPage(0);
  Press(Qt::Key_F11);
  EXPECT_EQ(window->ActivePage(), 0);
  // A failed short check keeps the page and says why.
  window->ShowPage(1);
  SetCapcode(1, "");
  ui.shown.clear();
  Press(Qt::Key_F12);
  EXPECT_EQ(window->ActivePage(), 1);
  EXPECT_TRUE(Shown(ComposeError(kInvalidAddressCode).text));
  EXPECT_EQ(window->LastFieldCheck, kInvalidAddressCode);
}

TEST_F(MainWindowTest, TabChangeNeedsAPassingCheckOrDuplicateCodes) {
  Start();
  EnterEditor(0x84);
  struct Case {
    int address;
    std::string capcode;
    int check;
    bool moves;
  };
  const Case cases[] = {
      {1, "", kInvalidAddressCode, false},
      {5, "99999999999", kInvalidAddressCode, false},
      {5, "2000", kSuccess, true},
      {5, "1000", kDuplicateCodes, true},  // told, and the tab still changes
  };
  for (const Case& c : cases) {
    window->ShowPage(2);
    SetCapcode(1, "1000");
    SetCapcode(5, "");
    SetCapcode(c.address, c.capcode);
    ui.shown.clear();
    window->PageControl().setCurrentIndex(3);
    EXPECT_EQ(window->LastFieldCheck, c.check) << c.capcode;
    EXPECT_EQ(window->ActivePage(), c.moves ? 3 : 2) << c.capcode;
    EXPECT_EQ(ui.shown.size(), c.check == kSuccess ? 0u : 1u) << c.capcode;
    if (c.check != kSuccess) {
      EXPECT_TRUE(Shown(ComposeError(c.check).text)) << c.capcode;
    }
  }
}

TEST_F(MainWindowTest, PageEntryRefreshesLegendGaugeAndPage) {
  Start();
  EnterEditor(0x84);
  window->Session().settings.SetItem(Control::cb_onOffDuty, 1);
  for (int page = 0; page < kSettingsPageCount; ++page) {
    if (page == kPrompt3PageIndex) continue;  // hidden from Code 1-4 on
    window->PageControl().setCurrentIndex(page);
    EXPECT_EQ(window->ActivePage(), page);
    if (page == kPageCode1To4) {
      // The Code 1-4 refresh: no Prompt 3 tab, duty shows "Disable".
      EXPECT_FALSE(window->IsPageShown(kPrompt3PageIndex));
      EXPECT_EQ(window->Session().settings.Item(Control::cb_onOffDuty), 0);
    }
    EXPECT_EQ(window->IsGaugeVisible(), page >= 5 && page <= 7) << page;
    EXPECT_EQ(window->KeyLegend(), kEditorKeyLegend);
  }
}

TEST_F(MainWindowTest, CommandStatesOfTheTwoPagesAreOpposite) {
  const char* mainPage[] = {"toolBarOpen", "toolBarRead", "menuOpen",      "readBtn",
                            "serviceBtn",  "singleBtn",   "sequentialBtn", "readAndProgramBtn"};
  const char* editor[] = {"toolBarSave", "toolBarWrite", "writeBtn", "menuSave",
                          "menuDefault", "menuPrint",    "menuPrev", "menuNext"};
  Start();
  for (bool onMainPage : {true, false}) {
    window->SetCommandStates(onMainPage, TFmMain::CommandScope::ByPage);
    for (const char* name : mainPage) EXPECT_EQ(Action(name)->isEnabled(), onMainPage) << name;
    for (const char* name : editor) EXPECT_EQ(Action(name)->isEnabled(), !onMainPage) << name;
    EXPECT_EQ(Action("menuPrint")->isVisible(), !onMainPage);
  }
}

TEST_F(MainWindowTest, WholeWindowScopeDisablesEverythingAndRestoresThePageStates) {
  Start();
  EnterEditor(0x84);
  window->SetCommandStates(false, TFmMain::CommandScope::WholeWindow);
  EXPECT_FALSE(window->PageControl().isEnabled());
  EXPECT_FALSE(Action("writeBtn")->isEnabled());
  EXPECT_FALSE(Action("helpHtml")->isEnabled());
  EXPECT_FALSE(Action("menuNext")->isEnabled());
  window->SetCommandStates(true, TFmMain::CommandScope::WholeWindow);
  EXPECT_TRUE(window->PageControl().isEnabled());
  EXPECT_TRUE(Action("writeBtn")->isEnabled());
  EXPECT_TRUE(Action("menuNext")->isEnabled());
  EXPECT_FALSE(Action("readBtn")->isEnabled());  // still the editor's states
}

TEST_F(MainWindowTest, ClosingWhileBusyAsksTheBusyQuestion) {
  Start();
  link.open = true;
  ui.answers = {kResultNo};
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, ComposeQuestion(-112).text);
  EXPECT_EQ(ui.shown[0].title, "** WARNING **\n");
  EXPECT_FALSE(Shown(kExitQuestion));

  ui.answers = {kResultYes};
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(link.open);
}

TEST_F(MainWindowTest, ClosingWhenIdleAsksTheExitQuestion) {
  Start();
  ui.answers = {kResultNo};
  EXPECT_FALSE(window->close());
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, kExitQuestion);
  EXPECT_EQ(ui.shown[0].title, "WARNING");
  EXPECT_EQ(ui.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(ui.shown[0].icon, MessageIcon::Warning);
  ui.answers = {kResultYes};
  EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, ExitFromTheEditorForgetsTheCodeplug) {
  Start();
  EnterEditor(0x84);
  window->setWindowTitle(CaptionForReadPager());
  window->SetSequentialBarVisible(true);
  Press(Qt::Key_F10);
  EXPECT_EQ(window->ActivePage(), kMainPageIndex);
  EXPECT_EQ(window->CurrentFileName, "");
  EXPECT_EQ(window->windowTitle(), BaseTitle());
  EXPECT_FALSE(window->IsSequentialBarVisible());
  EXPECT_TRUE(Action("readBtn")->isEnabled());
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(MainWindowTest, ExitFromTheEditorWhileBusyNeedsYes) {
  Start();
  EnterEditor(0x84);
  link.open = true;
  ui.answers = {kResultNo};
  window->menuExitClick();
  EXPECT_EQ(window->ActivePage(), kGeneralPageIndex);
  EXPECT_EQ(window->CurrentFileName, kReadCodeplugName);
  EXPECT_TRUE(link.open);
  ui.answers = {kResultYes};
  window->menuExitClick();
  EXPECT_EQ(window->ActivePage(), kMainPageIndex);
  EXPECT_FALSE(link.open);
  EXPECT_EQ(ui.shown.size(), 2u);
}

TEST_F(MainWindowTest, HelpOpensTheDocumentOrSaysWhereItIsMissing) {
  QTemporaryDir dir;
  const QString missing = dir.filePath("help/index.html");
  std::vector<QString> opened;
  window->SetHelpViewer([&](const QString& path) {
    opened.push_back(path);
    return true;
  });
  window->SetHelpFilePath(missing);
  Start();
  Press(Qt::Key_F1);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text,
            "Help file not found\n" + QDir::toNativeSeparators(missing).toStdString());
  EXPECT_TRUE(opened.empty());

  QDir(dir.path()).mkpath("help");
  QFile file(missing);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EnterEditor(0x84);
  Press(Qt::Key_F1);
  EXPECT_EQ(opened, std::vector<QString>{missing});
}

TEST_F(MainWindowTest, HelpDocumentLiesBesideTheProgram) {
  EXPECT_TRUE(QFile::exists(QCoreApplication::applicationDirPath() + "/help/index.html"));
}

TEST_F(MainWindowTest, AboutShowsProductAndVersion) {
  window->menuAboutClick();
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].title, "About");
  EXPECT_NE(ui.shown[0].text.find("Tarsel Series RER"), std::string::npos);
  EXPECT_NE(ui.shown[0].text.find("Version R04.06.09"), std::string::npos);
  EXPECT_EQ(ui.shown[0].buttons, MessageButtons::Ok);
}

TEST_F(MainWindowTest, SetupApplyReachesThePortAndTheWorkFolder) {
  Start();
  EXPECT_EQ(window->PagerLink().ModelCode, 0xFF);
  QTimer::singleShot(0, [] {
    QWidget* setup = QApplication::activeModalWidget();
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->windowTitle(), "Setup Computer Configuration");
    auto* port = setup->findChild<QLineEdit*>("TntEdit2");
    port->clear();
    QTest::keyClicks(port, "/dev/pts/9");
    setup->findChild<QPushButton*>("TntButton2")->click();
  });
  Action("setupCommunication")->trigger();
  EXPECT_EQ(window->Comm().PortName(), "/dev/pts/9");
  EXPECT_EQ(OpenSettingsStore()->value("Port").toString(), "/dev/pts/9");
  EXPECT_EQ(window->WorkFilesPath, DefaultWorkFolder());
}

TEST_F(MainWindowTest, StayOnTopTogglesWithItsCheckMark) {
  Start();
  Action("setupStayontop")->trigger();
  EXPECT_TRUE(Action("setupStayontop")->isChecked());
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  Action("setupStayontop")->trigger();
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, PageMenuStaysOutOfTheMenuBar) {
  QStringList titles;
  for (QAction* menu : window->menuBar()->actions()) titles << menu->text();
  EXPECT_EQ(titles, QStringList({"&File", "&Setup", "P&rogram", "&Help"}));
}

TEST_F(MainWindowTest, StatusBarPanelsAndCaptions) {
  EXPECT_EQ(window->findChild<QLabel*>("statusPanel0")->width(), 480);
  EXPECT_EQ(window->findChild<QLabel*>("statusPanel1")->width(), 100);
  EXPECT_EQ(window->findChild<QLabel*>("statusPanel2")->width(), 172);
  EXPECT_EQ(CodeplugVersionStatusText(), "Codeplug Version : R040609");
  EXPECT_EQ(CaptionForReadPager(), BaseTitle() + " >> NONAME1");
  EXPECT_EQ(CaptionForFile("/data/cp/pager.cp"), BaseTitle() + " - pager.cp");
}

}  // namespace
}  // namespace rer
