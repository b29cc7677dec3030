// The Features and More Features tabs in the window: clicks and typing reach
// their rules, the tabs show and enable what the rules made of an edit, and
// rer-cli apply of the same edits says and stores the same.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <fstream>

#include "app/fields/field_router.h"
#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "core/cgrom_kind.h"
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
  return rer::testing::TempPath("features_") + name;
}

// A blank codeplug of a pager with a Simplified Chinese ROM, as a file.
std::string SimplifiedChineseFile() {
  CodeplugImage image;
  Layout layout;
  SelectLayout(layout, kModel);
  ImageFields fields(image, layout);
  fields.SetByte(Field::kModelByte, kModel);
  fields.SetByte(Field::kCodeplugVersion, 0x14, 0);
  fields.SetByte(Field::kCodeplugVersion, 0x69, 1);
  const std::string path = Temp("base.cp");
  std::ofstream(path, std::ios::binary)
      << FormatCodeplugFile(image.Bytes(), {kCgromSimplifiedChinese, true, kModel});
  return path;
}

class FeaturesWindowTest : public ::testing::Test {
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

  void OpenEditor(const std::string& path) {
    ASSERT_TRUE(test::OpenInEditor(*window, path, kModel, ui));
    ui.shown.clear();
  }

  template <typename T>
  T* Find(const std::string& name) const {
    T* found = window->findChild<T*>(QString::fromStdString(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  // One edit as the technician makes it, on the control's own tab, and the
  // same edit as a line of rer-cli apply's array.
  void Edit(const std::string& name, const std::string& value) {
    const int page = FieldCatalogue::Instance().Find(name)->page;
    if (window->ActivePage() != page) window->ShowPage(page);
    std::string json;
    if (auto* box = window->findChild<QCheckBox*>(QString::fromStdString(name))) {
      const bool on = value == "true";
      if (box->isChecked() != on) box->click();
      json = value;
    } else if (auto* list = window->findChild<QComboBox*>(QString::fromStdString(name))) {
      list->setFocus(Qt::TabFocusReason);
      list->setCurrentText(QString::fromStdString(value));
      window->PageControl().setFocus(Qt::TabFocusReason);
      json = "\"" + value + "\"";
    } else {
      auto* edit = Find<QLineEdit>(name);
      edit->setFocus(Qt::TabFocusReason);
      QCoreApplication::processEvents();
      edit->selectAll();
      QTest::keyClicks(edit, QString::fromStdString(value));
      window->PageControl().setFocus(Qt::TabFocusReason);
      json = "\"" + value + "\"";
    }
    QCoreApplication::processEvents();
    edits += std::string(edits.size() > 1 ? "," : "") + "{\"" + name + "\": " + json + "}";
  }

  std::string Boxes() const {
    std::string boxes;
    for (const MessageBox& box : ui.shown) {
      const bool ended = !box.text.empty() && box.text.back() == '\n';
      boxes += box.title + "\n" + box.text + (ended ? "" : "\n");
    }
    return boxes;
  }
  static std::string Box(int code) {
    const MessageBox box = ComposeError(code);
    const bool ended = !box.text.empty() && box.text.back() == '\n';
    return box.title + "\n" + box.text + (ended ? "" : "\n");
  }

  ScriptedUserInterface ui;
  std::unique_ptr<TFmMain> window;
  std::string edits = "[";
};

TEST_F(FeaturesWindowTest, TheTabsActOnEveryEditAndApplyDoesTheSame) {
  const std::string base = SimplifiedChineseFile();
  OpenEditor(base);
  Edit("ed_frequency", "152.8400");
  Edit("cb_freqBand", "VHF B Band");
  Edit("ed_capcode1", "1234567");

  // The range shows four digits, and takes none but hexadecimal ones.
  window->ShowPage(kPageFeatures);
  auto* start = Find<QLineEdit>("ed_startCannedMsg");
  EXPECT_EQ(start->text(), "0000");
  EXPECT_FALSE(start->isEnabled());
  Edit("cb_regularCannedMsg", "true");
  EXPECT_EQ(start->text(), "7821");
  EXPECT_TRUE(start->isEnabled());
  start->setFocus(Qt::TabFocusReason);
  start->selectAll();
  QTest::keyClicks(start, "zz12");
  EXPECT_EQ(start->text(), "12");
  window->PageControl().setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  edits += R"(,{"ed_startCannedMsg": "12"})";
  // 0x0012 is no canned code of the ROM.
  EXPECT_EQ(Boxes(), Box(kInvalidCannedRange));
  Edit("cb_regularCannedMsg", "false");
  EXPECT_EQ(start->text(), "0000");

  // A tick on this Simplified pager: "Extended", with the whole range.
  Edit("cb_ideoNumericCanned", "true");
  EXPECT_EQ(window->Session().settings.CheckState(Control::cb_ideoNumericCanned), 2);
  EXPECT_TRUE(Find<QCheckBox>("cb_regularCannedMsg")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("cb_regularCannedMsg")->isEnabled());
  EXPECT_EQ(start->text(), "7821");
  EXPECT_EQ(Find<QLineEdit>("ed_endCannedMsg")->text(), "7D47");
  EXPECT_FALSE(start->isEnabled());

  Edit("ed_displayContrast", "16");
  Edit("ed_displayContrast", "9");
  Edit("cb_personalMessageNotebook", "true");
  Edit("cb_manualDelete", "true");
  EXPECT_EQ(Boxes(), Box(kInvalidCannedRange) + Box(kTextContrastOutOfRange) +
                         Box(kNotebookWithoutManualDelete));

  // More Features of a gauge that is off: the starting levels, not to be chosen.
  Edit("cb_printerEnabled", "true");
  EXPECT_EQ(Find<QComboBox>("cb_batteryGaugeHiLevel")->currentText(), "1.43v");
  EXPECT_EQ(Find<QComboBox>("cb_batteryGaugeMedLevel")->currentText(), "1.39v");
  EXPECT_EQ(Find<QComboBox>("cb_batteryGaugeLoLevel")->currentText(), "1.29v");
  EXPECT_FALSE(Find<QComboBox>("cb_batteryGaugeHiLevel")->isEnabled());
  EXPECT_TRUE(Find<QCheckBox>("cb_printEtx")->isEnabled());
  Edit("cb_batteryGauge", "true");
  EXPECT_TRUE(Find<QComboBox>("cb_batteryGaugeHiLevel")->isEnabled());
  Edit("cb_batteryGaugeMedLevel", "1.43v");
  Edit("cb_batteryGaugeMedLevel", "1.34v");
  const std::string windowBoxes = Boxes();
  EXPECT_EQ(windowBoxes, Box(kInvalidCannedRange) + Box(kTextContrastOutOfRange) +
                             Box(kNotebookWithoutManualDelete) + Box(kInvalidBatteryGaugeLevel));
  edits += "]";

  // The window saves what the checks leave, as Save as does.
  ASSERT_EQ(window->Fields().PageCheck(window->ActivePage()), kSuccess);
  const std::string saved = Temp("window.cp");
  ASSERT_TRUE(SaveCodeplugFile(window->Session(), saved, ui));

#ifdef RER_CLI_PATH
  const std::string editsPath = Temp("edits.json");
  std::ofstream(editsPath) << edits;
  const std::string out = Temp("applied.cp");
  std::remove(out.c_str());
  QProcess cli;
  cli.start(RER_CLI_PATH, {QString::fromStdString("apply"), QString::fromStdString(base),
                           QString::fromStdString(editsPath), "-o", QString::fromStdString(out)});
  ASSERT_TRUE(cli.waitForFinished(30000));
  EXPECT_EQ(cli.exitCode(), 0);
  EXPECT_EQ(cli.readAllStandardError().toStdString(), windowBoxes) << edits;
  EXPECT_EQ(ReadTextFile(out), ReadTextFile(saved));
#endif
}

}  // namespace
}  // namespace rer
