// The field machinery in the window: each control's events reach the page
// rules, the pages show what the rules made of an edit, and rer-cli apply
// of the same edits says and stores the same.

#include "app/fields/field_router.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <fstream>

#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "blank_codeplug_file.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pager/codeplug_file.h"
#include "pager/codeplug_files.h"
#include "qt_test_environment.h"
#include "temp_path.h"

namespace rer {
namespace {

constexpr std::uint8_t kModel = 0x84;

std::string Temp(const std::string& name) {
  return rer::testing::TempPath("router_") + name;
}

// A blank codeplug of `model`, as a file.
std::string BaseFile(std::uint8_t model) {
  return rer::testing::WriteBlankCodeplugFile(Temp("base.cp"), model);
}

class FieldRouterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsFolder();
    window = test::StartWindow(ui);
    ASSERT_TRUE(window);
  }
  void TearDown() override {
    window->StartupRefused = true;
    window->close();
  }

  // The codeplug file `path` in the editor, as a load brings it in.
  void OpenEditor(const std::string& path) {
    ASSERT_TRUE(test::OpenInEditor(*window, path, kModel, ui));
    ui.shown.clear();
  }

  template <typename T>
  T* Find(const std::string& name) const {
    return window->findChild<T*>(QString::fromStdString(name));
  }

  // Types `text` over the field's contents and leaves it for the page
  // control; a list chooses the item `text`.
  void TypeAndLeave(const std::string& name, const std::string& text) {
    if (auto* list = Find<QComboBox>(name)) {
      list->setFocus(Qt::TabFocusReason);
      list->setCurrentText(QString::fromStdString(text));
      window->PageControl().setFocus(Qt::TabFocusReason);
      return;
    }
    auto* edit = Find<QLineEdit>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromStdString(text));
    window->PageControl().setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
  }

  std::vector<std::string> Boxes() const {
    std::vector<std::string> boxes;
    for (const MessageBox& box : ui.shown) {
      const bool ended = !box.text.empty() && box.text.back() == '\n';
      boxes.push_back(box.title + "\n" + box.text + (ended ? "" : "\n"));
    }
    return boxes;
  }

  ScriptedUserInterface ui;
  std::unique_ptr<TFmMain> window;
};

TEST_F(FieldRouterTest, ACapcodeTypedIntoAddressOneIsFormattedWithItsFrameAndFlexAddress) {
  OpenEditor(BaseFile(kModel));
  window->ShowPage(kPageCode1To4);
  TypeAndLeave("ed_capcode1", "123");
  EXPECT_EQ(Find<QLineEdit>("ed_capcode1")->text(), "0000123");
  EXPECT_EQ(Find<QLineEdit>("ed_addr1_frame")->text(), "007");
  EXPECT_EQ(Find<QLineEdit>("ed_addr1_collapse")->text(), "4");
  EXPECT_FALSE(Find<QLineEdit>("ed_addr1")->text().isEmpty());
  // The computed FLEX text is read-only and out of the tab order.
  EXPECT_TRUE(Find<QLineEdit>("ed_addr1")->isReadOnly());
  EXPECT_EQ(Find<QLineEdit>("ed_addr1")->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(Find<QLineEdit>("ed_addr1")->text().toStdString(),
            window->Session().settings.Text(Control::FlexAddress, 1));
  EXPECT_EQ(window->LastFieldCheck, kSuccess);
  EXPECT_TRUE(ui.shown.empty());
  // The options of the new address are now reachable.
  EXPECT_TRUE(Find<QCheckBox>("cb_priority_addr1")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>("cb_priority_addr2")->isEnabled());  // address 2 is empty
}

TEST_F(FieldRouterTest, ABatteryCycleOutOfRangeIsToldAndBecomesTheDefault) {
  OpenEditor(BaseFile(kModel));
  window->ShowPage(kPageCode1To4);
  TypeAndLeave("ed_capcode1", "1000");
  TypeAndLeave("ed_addr1_collapse", "9");
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, ComposeError(kInvalidBatteryCycle).text);
  EXPECT_EQ(Find<QLineEdit>("ed_addr1_collapse")->text(), "4");
}

TEST_F(FieldRouterTest, AnInvalidFirstAddressKeepsTheTechnicianOnThePage) {
  OpenEditor(BaseFile(kModel));
  window->ShowPage(kPageCode1To4);
  TypeAndLeave("ed_capcode1", "1999999");
  window->PageControl().setCurrentIndex(kPageCode5To8);
  EXPECT_EQ(window->ActivePage(), kPageCode1To4);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, ComposeError(kInvalidAddressCode).text);
  // F12 is held back the same way.
  ui.shown.clear();
  QTest::keyClick(window.get(), Qt::Key_F12);
  EXPECT_EQ(window->ActivePage(), kPageCode1To4);
  EXPECT_EQ(ui.shown.size(), 1u);
}

TEST_F(FieldRouterTest, EnteringTheSecondHalfOfALongAddressMovesOn) {
  OpenEditor(BaseFile(kModel));
  window->ShowPage(kPageCode1To4);
  TypeAndLeave("ed_capcode1", "2101249");
  EXPECT_EQ(Find<QLineEdit>("ed_capcode1")->text(), "002101249");
  // The second half has no row of its own on the page; whichever way the
  // focus reaches its field, it goes on to address 3.
  EXPECT_TRUE(Find<QLineEdit>("ed_capcode2")->isHidden());
  QFocusEvent enter(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(Find<QLineEdit>("ed_capcode2"), &enter);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Find<QLineEdit>("ed_capcode3")->hasFocus(); }));
}

TEST_F(FieldRouterTest, ToneButtonsFollowTheLastListOrField) {
  OpenEditor(BaseFile(kModel));
  window->ShowPage(kPageCode5To8);
  auto buttonsEnabled = [&] {
    int enabled = 0;
    for (const char* name : {"listenBtn01", "listenBtn02", "listenBtn03", "listenBtn04"}) {
      auto* button = Find<QPushButton>(name);
      EXPECT_NE(button, nullptr) << name;
      if (button && button->isEnabled()) ++enabled;
    }
    return enabled;
  };
  EXPECT_EQ(buttonsEnabled(), 0);
  auto* pattern = Find<QComboBox>("cb_alertPattern05_1");
  QTest::mouseClick(pattern, Qt::LeftButton);
  EXPECT_EQ(window->Fields().ListFieldNumber(), 366);
  EXPECT_EQ(buttonsEnabled(), 4);
  EXPECT_EQ(window->Fields().ListChoice(), pattern->currentIndex());
  QTest::mouseClick(Find<QLineEdit>("ed_capcode5"), Qt::LeftButton);
  EXPECT_EQ(buttonsEnabled(), 0);
  EXPECT_EQ(window->Fields().ListChoice(), kNoListField);
}

TEST_F(FieldRouterTest, CodeOneToFourHidesTheAlertsGroupAndPromptThree) {
  OpenEditor(BaseFile(kModel));
  EXPECT_TRUE(window->IsPageShown(kPrompt3PageIndex));
  window->ShowPage(kPageCode1To4);
  EXPECT_FALSE(window->IsPageShown(kPrompt3PageIndex));
  EXPECT_TRUE(Find<QWidget>("gb_addressAlerts1")->isHidden());
  EXPECT_EQ(Find<QComboBox>("cb_onOffDuty")->currentText(), "Disable");
}

#ifdef RER_CLI_PATH
// The same edits through rer-cli apply, in the array's order: the same boxes
// on stderr and the same settings in the file written.
TEST_F(FieldRouterTest, TheCommandLineAppliesTheSameEditsWithTheSameMessages) {
  const std::string base = BaseFile(kModel);
  struct Edit {
    const char* name;
    const char* text;
  };
  const Edit edits[] = {
      {"ed_capcode1", "1000"},      {"ed_addr1_frame", "200"},     {"ed_addr1_collapse", "9"},
      {"ed_addr1_collapse", "2"},   {"ed_capcode3", "1002"},       {"ed_addr3_frame", "5"},
      {"ed_capcode5", "2101249"},   {"ed_capcode6", "1234"},       {"ed_ICN", "INV0000001"},
      {"ed_frequency", "152.8400"}, {"cb_freqBand", "VHF B Band"},
  };
  OpenEditor(base);
  std::string json = "[";
  for (const Edit& edit : edits) {
    const int page = FieldCatalogue::Instance().Find(edit.name)->page;
    if (window->ActivePage() != page) window->ShowPage(page);
    TypeAndLeave(edit.name, edit.text);
    json +=
        std::string(json.size() > 1 ? "," : "") + "{\"" + edit.name + "\": \"" + edit.text + "\"}";
  }
  json += "]";
  const std::vector<std::string> windowBoxes = Boxes();
  ASSERT_FALSE(windowBoxes.empty());

  const std::string editsPath = Temp("edits.json");
  std::ofstream(editsPath) << json;
  const std::string out = Temp("applied.cp");
  QProcess cli;
  cli.start(RER_CLI_PATH, {QString::fromStdString("apply"), QString::fromStdString(base),
                           QString::fromStdString(editsPath), "-o", QString::fromStdString(out)});
  ASSERT_TRUE(cli.waitForFinished(30000));
  const std::string err = cli.readAllStandardError().toStdString();
  std::string expectedErr;
  for (const std::string& box : windowBoxes) expectedErr += box;
  // The band check of Save as comes after the page rules; only the page rules' boxes compare.
  EXPECT_EQ(err.substr(0, expectedErr.size()), expectedErr);

  QProcess dump;
  dump.start(RER_CLI_PATH, {"dump", QString::fromStdString(out)});
  ASSERT_TRUE(dump.waitForFinished(30000));
  const QJsonObject dumped =
      QJsonDocument::fromJson(dump.readAllStandardOutput()).object().value("settings").toObject();
  ASSERT_FALSE(dumped.isEmpty()) << err;
  const EditorSettings& settings = window->Session().settings;
  for (int address = 1; address <= 6; ++address) {
    for (Control control : {Control::Capcode, Control::Frame, Control::Collapse}) {
      const std::string name = FieldCatalogue::ControlName(control, address);
      EXPECT_EQ(dumped.value(QString::fromStdString(name)).toString().toStdString(),
                settings.Text(control, address))
          << name;
    }
    const std::string flex = FieldCatalogue::ControlName(Control::FlexAddress, address);
    EXPECT_EQ(dumped.value(QString::fromStdString(flex)).toString().toStdString(),
              Find<QLineEdit>(flex)->text().toStdString())
        << flex;
  }
  EXPECT_EQ(settings.Text(Control::Capcode, 6), "");  // behind the long address 5
}
#endif

}  // namespace
}  // namespace rer
