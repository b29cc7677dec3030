// The settings pages built from the field catalogue: every control present
// with its name, field number, page, label, items, length and hint; the key
// filters; and edits stored into the session's settings.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "app/fields/field_widgets.h"
#include "app/fields/page_table.h"
#include "app/fields/settings_page_builder.h"
#include "app/main_window.h"
#include "codeplug/field_catalogue.h"
#include "core/scripted_user_interface.h"
#include "qt_test_environment.h"

namespace rer {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class SettingsPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsFolder();
    window = std::make_unique<TFmMain>(ui);
    window->SetCalibrationHook({});
  }
  void TearDown() override {
    window->StartupRefused = true;
    window->close();
  }

  // Opens the editor on the General page as a read would, and shows the window.
  void OpenEditor() {
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->StartupDone(); }));
    window->SetupPagesForPager(0x84);
    window->SetCommandStates(false, TFmMain::CommandScope::ByPage);
  }

  template <typename T>
  T* Find(const std::string& name) const {
    return window->findChild<T*>(QString::fromStdString(name));
  }

  ScriptedUserInterface ui;
  std::unique_ptr<TFmMain> window;
};

// The page widget a control lies on, or -1.
int PageOf(const TFmMain& window, const QWidget& control) {
  for (int page = 0; page < kSettingsPageCount; ++page) {
    if (window.PageControl().widget(page)->isAncestorOf(&control)) return page;
  }
  return -1;
}

TEST_F(SettingsPagesTest, EveryCatalogueControlIsOnItsPageAsTheCatalogueDescribesIt) {
  for (const ControlEntry& entry : FieldCatalogue::Instance().Entries()) {
    SCOPED_TRACE(entry.name);
    auto* control = Find<QWidget>(entry.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(FieldNumberOf(*control), entry.fieldNumber);
    EXPECT_EQ(PageOf(*window, *control), entry.page);
    EXPECT_EQ(control->toolTip(), Q(entry.hint));
    switch (entry.kind) {
      case ControlKind::Text:
      case ControlKind::MaskedText: {
        auto* edit = qobject_cast<QLineEdit*>(control);
        ASSERT_NE(edit, nullptr);
        // A masked field's length is that of its mask.
        if (entry.kind == ControlKind::MaskedText) {
          EXPECT_EQ(edit->inputMask().section(';', 0, 0),
                    InputMaskOf(entry.editMask).section(';', 0, 0));
        } else if (entry.maxLength > 0 && !entry.readOnly) {
          EXPECT_EQ(edit->maxLength(), entry.maxLength);
        }
        EXPECT_EQ(edit->isReadOnly(), entry.readOnly);
        break;
      }
      case ControlKind::List: {
        auto* list = qobject_cast<QComboBox*>(control);
        ASSERT_NE(list, nullptr);
        QStringList items;
        for (std::string_view item : entry.items) items << Q(item);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
        EXPECT_EQ(shown, items);
        break;
      }
      case ControlKind::CheckBox:
        EXPECT_NE(qobject_cast<QCheckBox*>(control), nullptr);
        break;
    }
  }
}

TEST_F(SettingsPagesTest, LabelledControlsCarryTheirLabel) {
  // A few controls of each arrangement: form rows, shared rows, prompt grids.
  struct Case {
    const char* control;
    const char* label;
    const char* text;
  };
  const Case cases[] = {
      {"cb_reminderAlertDuration", "lb_reminderAlertDuration", "Reminder Alert Duration"},
      {"ed_missed_frame_count_min", "lb_missed_frame_count_min", "Timeout for Reacq. (Min, Sec)"},
      {"ed_cpwFc_Password_LRUD", "lb_cpwFc_Password_LRUD", "User Password"},
      {"ed_setTimeAlarmPrompt", "lb_setTimeAlarmPrompt", "Set Time && Alarm"},
      {"ed_frequency", "lb_frequency", "Frequency (MHz)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    auto* label = Find<QLabel>(c.label);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), c.text);
    EXPECT_EQ(label->buddy(), Find<QWidget>(c.control));
  }
  // The second field of a shared row has no label of its own.
  EXPECT_EQ(Find<QLabel>("lb_missed_frame_count_sec"), nullptr);
}

TEST_F(SettingsPagesTest, KeyFiltersAcceptTheirKeysOnly) {
  struct Case {
    KeyFilter filter;
    const char* accepted;
    const char* refused;
  };
  const Case cases[] = {
      {KeyFilter::Digits, "0123456789\b", "aZ -.+"},
      {KeyFilter::PasswordKeyDigits, "0123\b", "4589a"},
      {KeyFilter::HexDigits, "0189AFaf\b", "gG -xZ"},
      {KeyFilter::YesNoOverwrite, "YyNn\b", "xX10 "},
      {KeyFilter::PromptText, "AZaz09 #$@[]^_`{}|~?%&/><'-.\\\"*!,\b", "\x7f"},
      {KeyFilter::None, "a1 #", ""},
  };
  for (const Case& c : cases) {
    for (const char* key = c.accepted; *key; ++key) {
      EXPECT_TRUE(KeyFilterAccepts(c.filter, QChar(*key))) << int(c.filter) << " " << *key;
    }
    for (const char* key = c.refused; *key; ++key) {
      EXPECT_FALSE(KeyFilterAccepts(c.filter, QChar(*key))) << int(c.filter) << " " << *key;
    }
  }
}

TEST_F(SettingsPagesTest, TypingIntoFilteredFieldsDropsRefusedKeys) {
  OpenEditor();
  struct Case {
    const char* control;
    int page;
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {
      {"ed_capcode1", kPageCode1To4, "12a3-4", "1234"},
      {"ed_displayContrast", kPageFeatures, "1x5", "15"},
      // Prompts are written in capitals.
      {"ed_powerUpPrompt", kPagePrompt1, "hi+there =1", "HITHERE 1"},
      // A one-letter field is overwritten by each accepted key.
      {"ed_fixAlert01", kPageCode1To4, "yxN", "N"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    window->ShowPage(c.page);
    auto* edit = Find<QLineEdit>(c.control);
    edit->clear();
    edit->setFocus();
    QTest::keyClicks(edit, c.typed);
    EXPECT_EQ(edit->text(), c.shown);
  }
}

TEST_F(SettingsPagesTest, YesNoFieldsCannotBeEmptied) {
  OpenEditor();
  window->ShowPage(kPageCode1To4);
  auto* edit = Find<QLineEdit>("ed_fixAlert01");
  edit->setText("Y");
  edit->setFocus();
  edit->end(false);
  for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Escape}) {
    QTest::keyClick(edit, key);
    EXPECT_EQ(edit->text(), "Y");
  }
  edit->home(false);
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(edit->text(), "Y");
}

TEST_F(SettingsPagesTest, EditsAreStoredInTheSessionSettings) {
  OpenEditor();
  EditorSettings& settings = window->Session().settings;

  // A text field stores its text when its edit ends.
  auto* inventory = Find<QLineEdit>("ed_ICN");
  inventory->setFocus();
  QTest::keyClicks(inventory, "ICN0000042");
  EXPECT_EQ(settings.Text("ed_ICN"), "");
  QTest::keyClick(inventory, Qt::Key_Return);
  EXPECT_EQ(settings.Text("ed_ICN"), "ICN0000042");

  // A per-address text field, on its page.
  window->ShowPage(kPageCode5To8);
  auto* capcode = Find<QLineEdit>("ed_capcode6");
  capcode->setFocus();
  QTest::keyClicks(capcode, "0001234");
  QTest::keyClick(capcode, Qt::Key_Tab);
  EXPECT_EQ(settings.Text(AddressControl::Capcode, 6), "0001234");

  // A list stores its index as soon as it changes; a check box when clicked.
  Find<QComboBox>("cb_alertFrequency")->setCurrentIndex(3);
  EXPECT_EQ(settings.Item("cb_alertFrequency"), 3);
  window->ShowPage(kPageAlert);
  auto* vibrator = Find<QCheckBox>("cb_vibrator");
  QTest::mouseClick(vibrator, Qt::LeftButton, {}, QPoint(4, vibrator->height() / 2));
  EXPECT_TRUE(settings.Checked("cb_vibrator"));
}

TEST_F(SettingsPagesTest, FillingShowsTheSettingsWithoutStoringThemAgain) {
  EditorSettings& settings = window->Session().settings;
  settings.SetText("ed_ICN", "ICN0000007");
  settings.SetItem("cb_alertFrequency", 2);
  settings.SetChecked("cb_vibrator", true);
  settings.SetText(AddressControl::Capcode, 9, "0000999");
  // An index that the list does not hold (character set 11) is shown as no
  // selection and kept.
  settings.SetItem("cb_internationalCharSet", 11);
  // A check box state above 1 is kept while the box stays ticked.
  settings.SetCheckState("cb_ideoNumericCanned", 2);
  window->FillPages();

  EXPECT_EQ(Find<QLineEdit>("ed_ICN")->text(), "ICN0000007");
  EXPECT_EQ(Find<QComboBox>("cb_alertFrequency")->currentIndex(), 2);
  EXPECT_TRUE(Find<QCheckBox>("cb_vibrator")->isChecked());
  EXPECT_EQ(Find<QLineEdit>("ed_capcode9")->text(), "0000999");
  EXPECT_EQ(Find<QComboBox>("cb_internationalCharSet")->currentIndex(), -1);
  EXPECT_TRUE(Find<QCheckBox>("cb_ideoNumericCanned")->isChecked());
  EXPECT_EQ(settings.Item("cb_internationalCharSet"), 11);
  EXPECT_EQ(settings.CheckState("cb_ideoNumericCanned"), 2);

  // Unticking and ticking again is an edit: the box then holds 1.
  Find<QCheckBox>("cb_ideoNumericCanned")->setChecked(false);
  EXPECT_EQ(settings.CheckState("cb_ideoNumericCanned"), 0);
  Find<QCheckBox>("cb_ideoNumericCanned")->setChecked(true);
  EXPECT_EQ(settings.CheckState("cb_ideoNumericCanned"), 1);
}

TEST_F(SettingsPagesTest, LabelNamesDropTheKindPrefix) {
  EXPECT_EQ(LabelNameOf("cb_reminderAlertDuration"), "lb_reminderAlertDuration");
  EXPECT_EQ(LabelNameOf("ed_cpwFc_Password_LRUD"), "lb_cpwFc_Password_LRUD");
  EXPECT_EQ(LabelNameOf("ck_CP_EP1_HP_Enable"), "lb_CP_EP1_HP_Enable");
  EXPECT_EQ(LabelNameOf("edtN"), "lb_edtN");
}

struct ModelLayoutCase {
  std::uint8_t model;
  const char* control;
  bool shown;
};

class ModelLayoutTest : public SettingsPagesTest,
                        public ::testing::WithParamInterface<ModelLayoutCase> {};

TEST_P(ModelLayoutTest, ModelDecidesWhichControlsAreShown) {
  const ModelLayoutCase& c = GetParam();
  window->Session().link.ModelCode = c.model;
  window->EnterEditor();
  auto* control = Find<QWidget>(c.control);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(!control->isHidden(), c.shown);
  EXPECT_EQ(window->PrintPageCount, c.model == 0x84 ? 12 : 11);
}

INSTANTIATE_TEST_SUITE_P(Models, ModelLayoutTest,
                         ::testing::Values(ModelLayoutCase{0x84, "cb_fixAlert", true},
                                           ModelLayoutCase{0x81, "cb_fixAlert", false},
                                           ModelLayoutCase{0x84, "lb_reminderAlertDuration", true},
                                           ModelLayoutCase{0xC0, "cb_reminderAlertDuration", false},
                                           ModelLayoutCase{0xC0, "cb_turnOnPager", true},
                                           ModelLayoutCase{0x89, "cb_turnOnPager", false},
                                           ModelLayoutCase{0x84, "ed_DutySource", true},
                                           ModelLayoutCase{0x81, "lb_DutySource", false},
                                           ModelLayoutCase{0x84, "ck_Decryptkey01", true},
                                           ModelLayoutCase{0xC0, "ck_Decryptkey01", false},
                                           // Hidden for every model.
                                           ModelLayoutCase{0x84, "cb_timeFormat", false},
                                           ModelLayoutCase{0x84, "ck_cpfUif_New_Msg_Auto_Display",
                                                           false},
                                           ModelLayoutCase{0xC0, "cb_onOffDuty", false}));

TEST_F(SettingsPagesTest, EveryModelDisablesTheBandListsAndTitlesTheInformationGroup) {
  window->Session().link.ModelCode = 0x84;
  window->EnterEditor();
  EXPECT_FALSE(Find<QWidget>("cb_freqBand")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("cb_nwBand")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("ed_frequency")->isEnabled());
  EXPECT_EQ(Find<QGroupBox>("gb_mfg1")->title(), "Information");
}

}  // namespace
}  // namespace rer
