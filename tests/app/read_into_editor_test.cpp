// Read Pager from the Main page against the simulated pager in virtual time:
// the editor opens with the pager's values, and failures show their message
// once, or not at all when the link has shown it already.

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <optional>

#include "app/editor_operations.h"
#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "app/product_info.h"
#include "comm/virtual_clock.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pager/codeplug_files.h"
#include "pager/link_engine.h"
#include "pager/read_pager.h"
#include "qt_test_environment.h"
#include "sim/demo_codeplug.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"

namespace rer {
namespace {

// Passes everything to the simulated cradle, and notes what the window
// showed at the moment the link opened the port.
struct WatchedTransport : Transport {
  WatchedTransport(Transport& inner, const TFmMain*& window) : inner(inner), window(window) {}
  void SetLinkSpeed(std::uint8_t code, bool handshake) override {
    inner.SetLinkSpeed(code, handshake);
  }
  int BaudRate() const override { return inner.BaudRate(); }
  bool Open() override {
    statusAtOpen.push_back(window->StatusPanel(0).toStdString());
    pagesEnabledAtOpen.push_back(window->PageControl().isEnabled());
    return inner.Open();
  }
  bool Close() override { return inner.Close(); }
  bool IsOpen() const override { return inner.IsOpen(); }
  bool ReadByte(std::uint8_t& byte) override { return inner.ReadByte(byte); }
  bool WriteByte(std::uint8_t byte) override { return inner.WriteByte(byte); }
  bool Purge() override { return inner.Purge(); }

  Transport& inner;
  const TFmMain*& window;
  std::vector<std::string> statusAtOpen;
  std::vector<bool> pagesEnabledAtOpen;
};

class ReadIntoEditorTest : public ::testing::Test {
 protected:
  void Start(SimScenario scenario) {
    test::UseFreshSettingsFolder();
    pager = std::make_unique<SimPager>(std::move(scenario));
    transport = std::make_unique<SimTransport>(*pager, clock, &ui);
    watched = std::make_unique<WatchedTransport>(*transport, watchedWindow);
    window = std::make_unique<TFmMain>(ui);
    watchedWindow = window.get();
    window->SetCalibrationHook({});
    window->SetOperations(&operations);
    window->SetLinkTransport(watched.get());
    window->SetLinkClock(&clock);
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->StartupDone(); }));
  }

  void TearDown() override {
    if (!window) return;
    window->StartupRefused = true;  // let the window go without a question
    window->close();
  }

  QString Text(const char* name) const {
    auto* edit = window->findChild<QLineEdit*>(name);
    return edit ? edit->text() : QString("<missing>");
  }
  bool ActionEnabled(const char* name) const {
    return window->findChild<QAction*>(name)->isEnabled();
  }
  std::vector<std::string> BoxTexts() const { return ui.Texts(); }

  ScriptedUserInterface ui;
  EditorOperations operations{ui};
  VirtualClock clock;
  std::unique_ptr<SimPager> pager;
  std::unique_ptr<SimTransport> transport;
  const TFmMain* watchedWindow = nullptr;
  std::unique_ptr<WatchedTransport> watched;
  std::unique_ptr<TFmMain> window;
};

// What the decode alone makes of the pager's codeplug.
EditorSettings DecodedAlone(const SimScenario& scenario) {
  PagerSession session;
  session.link.ModelCode = scenario.modelCode;
  const std::vector<std::uint8_t> bytes = scenario.ImageBytes();
  std::copy(bytes.begin(), bytes.end(), session.image.Bytes().begin());
  EXPECT_EQ(DecodeSessionImage(session), kSuccess);
  return session.settings;
}

class ReadEachFamilyTest : public ReadIntoEditorTest,
                           public ::testing::WithParamInterface<std::uint8_t> {};

TEST_P(ReadEachFamilyTest, ReadFillsTheEditorWithThePagersValues) {
  const SimScenario scenario = DemoScenario(GetParam());
  Start(scenario);
  window->ReadPagerClick();

  EXPECT_TRUE(BoxTexts().empty()) << BoxTexts().front();
  const EditorSettings expected = DecodedAlone(scenario);
  EXPECT_EQ(Text("ed_serialNumber").toStdString(), "SIM0000001");
  EXPECT_EQ(Text("ed_capcode1").toStdString(), "0012345");
  EXPECT_EQ(Text("ed_serialNumber").toStdString(), expected.Text("ed_serialNumber"));
  EXPECT_EQ(Text("ed_capcode1").toStdString(), expected.Text("ed_capcode1"));
  EXPECT_FALSE(Text("ed_frequency").trimmed().isEmpty());
  EXPECT_EQ(Text("ed_frequency").toStdString(), expected.Text("ed_frequency"));
  EXPECT_EQ(window->Session().settings.Text("ed_capcode1"), "0012345");
  // The FLEX text is shown whole, even where it is longer than the field's
  // nominal seven characters.
  EXPECT_EQ(Text("ed_addr1"), "E0012345");
  EXPECT_EQ(Text("ed_addr3"), "G0012347");
  // The stored register words beside the frequency, as hexadecimal bytes.
  for (const char* word : {"edtN", "edtR"}) {
    EXPECT_TRUE(
        QRegularExpression("^[0-9A-F]{2} [0-9A-F]{2} [0-9A-F]{2}$").match(Text(word)).hasMatch())
        << word << " " << Text(word).toStdString();
    EXPECT_NE(Text(word), "00 00 00") << word;
    EXPECT_EQ(Text(word).toStdString(), expected.Text(word));
  }

  // The editor state after a read.
  EXPECT_EQ(window->CurrentFileName, kReadCodeplugName);
  EXPECT_EQ(window->windowTitle(), BaseTitle() + " >> NONAME1");
  EXPECT_EQ(window->ActivePage(), kGeneralPageIndex);
  EXPECT_FALSE(window->IsPageShown(kMainPageIndex));
  EXPECT_EQ(window->VersionStatusText, "Codeplug Version : R040609");
  EXPECT_EQ(window->StatusPanel(2), window->VersionStatusText);
  EXPECT_EQ(window->StatusPanel(0), "");
  EXPECT_FALSE(window->findChild<QLineEdit*>("ed_serialNumber")->isEnabled());
  EXPECT_TRUE(ActionEnabled("writeBtn"));
  EXPECT_FALSE(ActionEnabled("readBtn"));
  EXPECT_TRUE(window->PageControl().isEnabled());
  EXPECT_FALSE(window->Link().IsOpen());

  // While the pager was read the window said so and took no input.
  ASSERT_FALSE(watched->statusAtOpen.empty());
  for (const std::string& status : watched->statusAtOpen) EXPECT_EQ(status, kReadingStatusText);
  for (bool enabled : watched->pagesEnabledAtOpen) EXPECT_FALSE(enabled);
  EXPECT_FALSE(ui.progress.empty());
}

INSTANTIATE_TEST_SUITE_P(Families, ReadEachFamilyTest, ::testing::Values(0x84, 0xC0));

// The boxes that the read sequence shows by itself, run without a window.
std::vector<std::string> SequenceOwnBoxes(const SimScenario& scenario, bool openFails) {
  ScriptedUserInterface ui;
  VirtualClock clock;
  SimPager pager(scenario);
  SimTransport transport(pager, clock, &ui);
  transport.SetOpenFails(openFails);
  PagerSession session;
  PagerLink link(transport, clock, ui, session.link, session.image.Bytes(),
                 session.pagerCopy.Bytes());
  PasswordChecks checks(session.passwords, ui, clock);
  ReadPager(session, link, checks, ui);
  return ui.Texts();
}

struct FailureCase {
  const char* name;
  SimScenario (*scenario)();
  bool openFails;
  // The message the window adds to the sequence's own boxes; none when the
  // link or the port has reported the failure already.
  std::optional<int> windowShows;
};

class ReadFailureTest : public ReadIntoEditorTest,
                        public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ReadFailureTest, FailureIsShownOnceAndTheMainPageStays) {
  const FailureCase& c = GetParam();
  std::vector<std::string> expected = SequenceOwnBoxes(c.scenario(), c.openFails);
  ASSERT_FALSE(expected.empty() && !c.windowShows);
  if (c.windowShows) expected.push_back(ComposeError(*c.windowShows).text);

  Start(c.scenario());
  transport->SetOpenFails(c.openFails);
  window->ReadPagerClick();

  EXPECT_EQ(BoxTexts(), expected);
  EXPECT_EQ(window->CurrentFileName, "");
  EXPECT_EQ(window->ActivePage(), kMainPageIndex);
  EXPECT_EQ(window->windowTitle(), BaseTitle());
  EXPECT_EQ(window->StatusPanel(0), "");
  EXPECT_TRUE(window->PageControl().isEnabled());
  EXPECT_TRUE(ActionEnabled("readBtn"));
}

SimScenario Silent() {
  SimScenario scenario = DemoScenario(0x84);
  scenario.noAnswer = true;
  return scenario;
}
SimScenario Unprogrammed() {
  SimScenario scenario = DemoScenario(0x84);
  scenario.statusLetters = "U";
  return scenario;
}
SimScenario Demo() {
  return DemoScenario(0x84);
}

// A silent pager (retry declined) and a port that does not open are
// reported by the link; an unprogrammed pager only here.
INSTANTIATE_TEST_SUITE_P(Failures, ReadFailureTest,
                         ::testing::Values(FailureCase{"silent", &Silent, false, std::nullopt},
                                           FailureCase{"no_port", &Demo, true, std::nullopt},
                                           FailureCase{"unprogrammed", &Unprogrammed, false, -22}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadIntoEditorTest, F3OnASettingsPageReadsNothing) {
  Start(DemoScenario(0x84));
  window->ReadPagerClick();
  ASSERT_EQ(window->CurrentFileName, kReadCodeplugName);
  const std::size_t opens = watched->statusAtOpen.size();
  window->findChild<QLineEdit*>("ed_ICN")->setText("CHANGED");

  QTest::keyClick(window->findChild<QLineEdit*>("ed_ICN"), Qt::Key_F3);
  window->ReadPagerClick();

  EXPECT_EQ(watched->statusAtOpen.size(), opens);
  EXPECT_EQ(Text("ed_ICN"), "CHANGED");
  EXPECT_EQ(window->ActivePage(), kGeneralPageIndex);
  EXPECT_TRUE(BoxTexts().empty());
}

}  // namespace
}  // namespace rer
