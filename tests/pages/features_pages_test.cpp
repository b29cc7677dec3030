#include "pages/features_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cgrom_kind.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pages/page_rules.h"

namespace rer {
namespace {

using enum Control;
using Range = std::pair<std::string, std::string>;

int FieldOf(Control control) {
  return FieldCatalogue::Instance().Entry(control).fieldNumber;
}

int ItemOf(Control control, std::string_view text) {
  const auto items = FieldCatalogue::Instance().Entry(control).items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) return static_cast<int>(i);
  }
  ADD_FAILURE() << "no item " << text;
  return kNoItem;
}

// The page rules of a pager with character generator `cgrom`, over settings
// that pass every rule of the two tabs, edited as the window edits them.
class FeaturesPagesTest : public ::testing::Test {
 protected:
  void Build(int cgrom) {
    settings = EditorSettings{};
    settings.SetText(Capcode, 1, "0001000");
    settings.SetText(ed_displayContrast, "8");
    settings.SetItem(cb_MaildropFirstCapcode, ItemOf(cb_MaildropFirstCapcode, "Enable"));
    settings.SetChecked(Personal, 1, true);
    settings.SetChecked(cb_duplication, true);
    settings.SetChecked(cb_allowOff, true);
    settings.SetItem(cb_batteryGaugeHiLevel, 0);
    settings.SetItem(cb_batteryGaugeMedLevel, 0);
    settings.SetItem(cb_batteryGaugeLoLevel, 0);
    PageEnvironment environment;
    environment.modelCode = 0x84;
    environment.cgromType = cgrom;
    pages = std::make_unique<PageRules>(settings, ui, environment);
    pages->EnterPage(kPageFeatures);
    pages->TakeView();
    ui.shown.clear();
  }
  void SetUp() override { Build(kCgromNone); }

  static int PageOf(Control control) { return FieldCatalogue::Instance().Entry(control).page; }

  // A click on a box: the window keeps a ticked box's level, as it shows it.
  int Tick(Control control, bool on) {
    const int state = settings.CheckState(control);
    settings.SetCheckState(control, on ? (state != 0 ? state : 1) : 0);
    return pages->Store(PageOf(control), FieldOf(control));
  }
  int Type(Control control, const std::string& text) {
    pages->Enter(PageOf(control), FieldOf(control));
    settings.SetText(control, text);
    return pages->Store(PageOf(control), FieldOf(control));
  }
  int Choose(Control control, std::string_view item) {
    pages->Enter(PageOf(control), FieldOf(control));
    settings.SetItem(control, ItemOf(control, item));
    return pages->Store(PageOf(control), FieldOf(control));
  }
  std::string ItemText(Control control) const {
    const int item = settings.Item(control);
    const auto items = FieldCatalogue::Instance().Entry(control).items;
    return item >= 0 && item < static_cast<int>(items.size()) ? std::string(items[item]) : "";
  }
  // The codes of the boxes shown so far, found back from their texts.
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const MessageBox& box : ui.shown) {
      int found = 0;
      for (int code : {kNotebookWithoutManualDelete, kInvalidBatteryGaugeLevel,
                       kTextContrastOutOfRange, kInvalidCannedRange}) {
        if (ComposeError(code).text == box.text) found = code;
      }
      codes.push_back(found);
    }
    return codes;
  }
  Range ShownRange() const {
    return {settings.Text(ed_startCannedMsg), settings.Text(ed_endCannedMsg)};
  }
  bool Enabled(const PageView& view, Control control) const {
    const auto it = view.enabled.find(EntryIndexOf(control));
    EXPECT_NE(it, view.enabled.end()) << FieldCatalogue::ControlName(control, 0);
    return it != view.enabled.end() && it->second;
  }

  EditorSettings settings;
  ScriptedUserInterface ui;
  std::unique_ptr<PageRules> pages;
};

TEST_F(FeaturesPagesTest, DisplayContrastTakesZeroToFifteen) {
  struct Case {
    const char* typed;
    int expected;
  };
  const Case cases[] = {{"0", kSuccess},
                        {"15", kSuccess},
                        {"07", kSuccess},
                        {"16", kTextContrastOutOfRange},
                        {"99", kTextContrastOutOfRange},
                        {"", kTextContrastOutOfRange}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ui.shown.clear();
    EXPECT_EQ(Type(ed_displayContrast, c.typed), c.expected);
    EXPECT_EQ(Codes(), c.expected == kSuccess ? std::vector<int>{} : std::vector<int>{c.expected});
  }
}

TEST_F(FeaturesPagesTest, ANotebookNeedsManualDelete) {
  EXPECT_EQ(Tick(cb_personalMessageNotebook, true), kNotebookWithoutManualDelete);
  EXPECT_EQ(Codes(), std::vector<int>{kNotebookWithoutManualDelete});
  // The box stays as ticked: the technician puts it right, and then it passes.
  EXPECT_TRUE(settings.Checked(cb_personalMessageNotebook));
  EXPECT_EQ(Tick(cb_manualDelete, true), kSuccess);
  EXPECT_EQ(Tick(cb_maildropMessageNotebook, true), kSuccess);
  EXPECT_EQ(Tick(cb_manualDelete, false), kNotebookWithoutManualDelete);
  EXPECT_EQ(pages->PageCheck(kPageGeneral, 0), kNotebookWithoutManualDelete);
}

TEST_F(FeaturesPagesTest, WithoutAMaildropCapcodeTheMaildropNotebookGoes) {
  ASSERT_EQ(Tick(cb_manualDelete, true), kSuccess);
  ASSERT_EQ(Tick(cb_maildropMessageNotebook, true), kSuccess);
  EXPECT_EQ(Choose(cb_MaildropFirstCapcode, "Disable"), kSuccess);
  // The More Features change is seen by the next Features rules.
  EXPECT_EQ(Tick(cb_ignoreCR, true), kSuccess);
  EXPECT_FALSE(settings.Checked(cb_maildropMessageNotebook));
  // Nor does that notebook ask for Manual Delete any more.
  EXPECT_EQ(Tick(cb_manualDelete, false), kSuccess);
  EXPECT_EQ(Codes(), std::vector<int>{});
}

TEST_F(FeaturesPagesTest, EveryChangeClearsWhatItsPrerequisitesNoLongerAllow) {
  settings.SetChecked(cb_retainErroredNumeric, true);
  settings.SetChecked(cb_retainBetterMaildrop, true);
  settings.SetChecked(cb_sourceIndependentDuplication, true);
  settings.SetItem(cb_sequentialLockoutPeriod, ItemOf(cb_sequentialLockoutPeriod, "32 sec"));
  settings.SetChecked(cb_autoAlarmTurnOn, true);
  ASSERT_EQ(Tick(cb_ignoreCR, true), kSuccess);
  EXPECT_TRUE(settings.Checked(cb_retainBetterMaildrop));
  EXPECT_TRUE(settings.Checked(cb_sourceIndependentDuplication));
  EXPECT_TRUE(settings.Checked(cb_autoAlarmTurnOn));

  EXPECT_EQ(Tick(cb_retainErroredNumeric, false), kSuccess);
  EXPECT_FALSE(settings.Checked(cb_retainBetterMaildrop));

  EXPECT_EQ(Tick(cb_duplication, false), kSuccess);
  EXPECT_EQ(ItemText(cb_sequentialLockoutPeriod), "None");
  EXPECT_FALSE(settings.Checked(cb_sourceIndependentDuplication));

  // Allow Off also takes the Alert page's Auto Alarm Turn On with it.
  EXPECT_EQ(Tick(cb_allowOff, false), kSuccess);
  EXPECT_FALSE(settings.Checked(cb_autoAlarmTurnOn));
}

TEST_F(FeaturesPagesTest, LockoutNeedsAnAddressThatAllowsPersonalMessages) {
  settings.SetItem(cb_sequentialLockoutPeriod, ItemOf(cb_sequentialLockoutPeriod, "2 min"));
  ASSERT_EQ(Tick(cb_ignoreCR, true), kSuccess);
  EXPECT_EQ(ItemText(cb_sequentialLockoutPeriod), "2 min");
  EXPECT_TRUE(Enabled(pages->TakeView(), cb_sequentialLockoutPeriod));
  settings.SetChecked(Personal, 1, false);
  ASSERT_EQ(Tick(cb_ignoreCR, false), kSuccess);
  EXPECT_EQ(ItemText(cb_sequentialLockoutPeriod), "None");
  EXPECT_FALSE(Enabled(pages->TakeView(), cb_sequentialLockoutPeriod));
}

TEST_F(FeaturesPagesTest, TickingIdeoNumericCannedStoresTheLevelOfThePagersRom) {
  struct Case {
    int cgrom;
    int level;
    Range range;
  };
  const Case cases[] = {
      // Simplified: "Extended", which brings the whole regular range with it.
      {kCgromSimplifiedChinese, kIdeoCannedExtended, {"7821", "7D47"}},
      {kCgromTraditionalChinese, kIdeoCannedTwoDigits, {"0000", "0000"}},
      {kCgromOther, kIdeoCannedTwoDigits, {"0000", "0000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cgrom);
    Build(c.cgrom);
    settings.SetText(ed_startCannedMsg, "0000");
    settings.SetText(ed_endCannedMsg, "0000");
    EXPECT_EQ(Tick(cb_ideoNumericCanned, true), kSuccess);
    EXPECT_EQ(settings.CheckState(cb_ideoNumericCanned), c.level);
    EXPECT_EQ(ShownRange(), c.range);
    EXPECT_EQ(settings.Checked(cb_regularCannedMsg), c.level == kIdeoCannedExtended);
    EXPECT_EQ(Tick(cb_ideoNumericCanned, false), kSuccess);
    EXPECT_EQ(settings.CheckState(cb_ideoNumericCanned), kIdeoCannedNone);
  }
}

TEST_F(FeaturesPagesTest, ABoxThatStaysTickedKeepsItsLevel) {
  // "Extended" as a codeplug of a Traditional pager may hold it: a store that
  // leaves the box ticked (another field, or the same value given again)
  // must not turn it into "2 digits".
  Build(kCgromTraditionalChinese);
  settings.SetCheckState(cb_ideoNumericCanned, kIdeoCannedExtended);
  pages->EnterPage(kPageFeatures);
  EXPECT_EQ(Tick(cb_ideoNumericCanned, true), kSuccess);
  EXPECT_EQ(settings.CheckState(cb_ideoNumericCanned), kIdeoCannedExtended);
  EXPECT_EQ(Tick(cb_ignoreCR, true), kSuccess);
  EXPECT_EQ(settings.CheckState(cb_ideoNumericCanned), kIdeoCannedExtended);
  EXPECT_EQ(ShownRange(), (Range("3321", "3F7E")));
}

TEST_F(FeaturesPagesTest, RegularCannedMessagesTakeThePagersRangeOrNone) {
  for (int cgrom : {kCgromTraditionalChinese, kCgromSimplifiedChinese}) {
    SCOPED_TRACE(cgrom);
    Build(cgrom);
    EXPECT_EQ(Tick(cb_regularCannedMsg, true), kSuccess);
    EXPECT_EQ(ShownRange(),
              cgrom == kCgromTraditionalChinese ? Range("3321", "3F7E") : Range("7821", "7D47"));
    EXPECT_EQ(Tick(cb_regularCannedMsg, false), kSuccess);
    EXPECT_EQ(ShownRange(), (Range("0000", "0000")));
  }
}

TEST_F(FeaturesPagesTest, TheCannedRangeMustLieInThePagersRom) {
  struct Case {
    int cgrom;
    const char* start;
    const char* end;
    int expected;
  };
  const Case cases[] = {
      {kCgromTraditionalChinese, "3321", "3F7E", kSuccess},
      {kCgromTraditionalChinese, "3F7E", "3321", kSuccess},  // no order is asked for
      {kCgromTraditionalChinese, "3321", "3F7F", kInvalidCannedRange},
      {kCgromTraditionalChinese, "3320", "3F7E", kInvalidCannedRange},
      {kCgromTraditionalChinese, "7821", "7D47", kInvalidCannedRange},
      {kCgromTraditionalChinese, "3f7e", "3a00", kSuccess},
      {kCgromTraditionalChinese, "332", "3F7E", kInvalidCannedRange},
      {kCgromSimplifiedChinese, "7821", "7D47", kSuccess},
      {kCgromSimplifiedChinese, "3321", "3F7E", kInvalidCannedRange},
      {kCgromSimplifiedChinese, "7D48", "7821", kInvalidCannedRange},
      // Pagers without a Chinese ROM keep no range in the codeplug: nothing to check.
      {kCgromOther, "zz", "1", kSuccess},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + "-" + c.end + " on " + std::to_string(c.cgrom));
    Build(c.cgrom);
    ASSERT_EQ(Tick(cb_regularCannedMsg, true), kSuccess);
    ui.shown.clear();
    Type(ed_startCannedMsg, c.start);
    EXPECT_EQ(Type(ed_endCannedMsg, c.end), c.expected);
    EXPECT_EQ(pages->PageCheck(kPageGeneral, 0), c.expected);
    if (c.expected == kInvalidCannedRange) {
      EXPECT_EQ(ui.shown.back().text, ComposeError(kInvalidCannedRange).text);
    } else {
      EXPECT_EQ(Codes(), std::vector<int>{});
    }
  }
  // A range typed in lower case is shown as the decode shows it.
  Build(kCgromTraditionalChinese);
  ASSERT_EQ(Tick(cb_regularCannedMsg, true), kSuccess);
  EXPECT_EQ(Type(ed_endCannedMsg, "3f7e"), kSuccess);
  EXPECT_EQ(settings.Text(ed_endCannedMsg), "3F7E");
}

TEST_F(FeaturesPagesTest, TheCannedControlsAreEnabledByTheRomAndTheLevel) {
  struct Case {
    int cgrom;
    int level;
    bool regular;
    bool ideoEnabled, regularEnabled, rangeEnabled;
  };
  const Case cases[] = {
      {kCgromNone, kIdeoCannedNone, false, false, false, false},
      {kCgromTraditionalChinese, kIdeoCannedNone, false, true, true, false},
      {kCgromTraditionalChinese, kIdeoCannedNone, true, true, true, true},
      {kCgromTraditionalChinese, kIdeoCannedTwoDigits, true, true, true, true},
      {kCgromSimplifiedChinese, kIdeoCannedExtended, true, true, false, false},
      {kCgromOther, kIdeoCannedExtended, false, true, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.cgrom) + "/" + std::to_string(c.level));
    Build(c.cgrom);
    settings.SetCheckState(cb_ideoNumericCanned, c.level);
    settings.SetChecked(cb_regularCannedMsg, c.regular);
    settings.SetText(ed_startCannedMsg, c.regular ? "7821" : "0000");
    settings.SetText(ed_endCannedMsg, c.regular ? "7D47" : "0000");
    if (c.cgrom == kCgromTraditionalChinese && c.regular) {
      settings.SetText(ed_startCannedMsg, "3321");
      settings.SetText(ed_endCannedMsg, "3F7E");
    }
    ASSERT_EQ(Tick(cb_ignoreCR, true), kSuccess);
    const PageView view = pages->TakeView();
    EXPECT_EQ(Enabled(view, cb_ideoNumericCanned), c.ideoEnabled);
    EXPECT_EQ(Enabled(view, cb_B14bitDecoding), c.ideoEnabled);
    EXPECT_EQ(Enabled(view, cb_regularCannedMsg), c.regularEnabled);
    EXPECT_EQ(Enabled(view, ed_startCannedMsg), c.rangeEnabled);
    EXPECT_EQ(Enabled(view, ed_endCannedMsg), c.rangeEnabled);
  }
}

TEST_F(FeaturesPagesTest, TheRetentionAndIndicationBoxesFollowWhatTheyRefine) {
  pages->EnterPage(kPageFeatures);
  PageView view = pages->TakeView();
  EXPECT_FALSE(Enabled(view, cb_retainBetterMaildrop));
  EXPECT_FALSE(Enabled(view, cb_badDataIndication));
  EXPECT_FALSE(Enabled(view, cb_twoBitErrorIndication));
  EXPECT_TRUE(Enabled(view, cb_nonVolatileMemory));
  EXPECT_FALSE(Enabled(view, ck_cpfUif_Paging_Auto_Backlight));
  EXPECT_TRUE(Enabled(view, cb_personalMessageNotebook));

  ASSERT_EQ(Tick(cb_retainErroredNonNumeric, true), kSuccess);
  view = pages->TakeView();
  EXPECT_TRUE(Enabled(view, cb_retainBetterMaildrop));
  EXPECT_TRUE(Enabled(view, cb_badDataIndication));
  EXPECT_FALSE(Enabled(view, cb_twoBitErrorIndication));
  ASSERT_EQ(Tick(cb_badDataIndication, true), kSuccess);
  EXPECT_TRUE(Enabled(pages->TakeView(), cb_twoBitErrorIndication));
  ASSERT_EQ(Tick(cb_allowOff, false), kSuccess);
  EXPECT_FALSE(Enabled(pages->TakeView(), cb_nonVolatileMemory));
  ASSERT_EQ(Tick(cb_autoBacklight, true), kSuccess);
  EXPECT_TRUE(Enabled(pages->TakeView(), ck_cpfUif_Paging_Auto_Backlight));
}

TEST_F(FeaturesPagesTest, BatteryLevelsMustFallFromHighToLow) {
  struct Case {
    const char* high;
    const char* medium;
    const char* low;
    int expected;
  };
  const Case cases[] = {
      {"1.43v", "1.39v", "1.29v", kSuccess},
      {"1.63v", "0.95v", "0.90v", kSuccess},
      {"1.43v", "1.43v", "1.29v", kInvalidBatteryGaugeLevel},  // equal is not higher
      {"1.43v", "1.29v", "1.29v", kInvalidBatteryGaugeLevel},
      {"1.29v", "1.39v", "1.43v", kInvalidBatteryGaugeLevel},
      {"1.39v", "1.43v", "1.29v", kInvalidBatteryGaugeLevel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.high) + " " + c.medium + " " + c.low);
    settings.SetChecked(cb_batteryGauge, true);
    settings.SetItem(cb_batteryGaugeHiLevel, ItemOf(cb_batteryGaugeHiLevel, c.high));
    settings.SetItem(cb_batteryGaugeMedLevel, ItemOf(cb_batteryGaugeMedLevel, c.medium));
    ui.shown.clear();
    EXPECT_EQ(Choose(cb_batteryGaugeLoLevel, c.low), c.expected);
    EXPECT_EQ(pages->PageCheck(kPageGeneral, 0), c.expected);
    EXPECT_EQ(Codes(),
              c.expected == kSuccess ? std::vector<int>{} : std::vector<int>(2, c.expected));
    // What was chosen stays for the technician to put right.
    EXPECT_EQ(ItemText(cb_batteryGaugeMedLevel), c.medium);
  }
}

TEST_F(FeaturesPagesTest, AGaugeThatIsOffHasTheStartingLevels) {
  settings.SetChecked(cb_batteryGauge, true);
  settings.SetItem(cb_batteryGaugeHiLevel, ItemOf(cb_batteryGaugeHiLevel, "1.63v"));
  ASSERT_EQ(Tick(cb_batteryGauge, false), kSuccess);
  EXPECT_EQ(ItemText(cb_batteryGaugeHiLevel), "1.43v");
  EXPECT_EQ(ItemText(cb_batteryGaugeMedLevel), "1.39v");
  EXPECT_EQ(ItemText(cb_batteryGaugeLoLevel), "1.29v");
  PageView view = pages->TakeView();
  EXPECT_FALSE(Enabled(view, cb_batteryGaugeHiLevel));
  EXPECT_FALSE(Enabled(view, cb_printEtx));
  EXPECT_FALSE(Enabled(view, cb_printCRwithLF));
  ASSERT_EQ(Tick(cb_incomingMsgPrint, true), kSuccess);
  view = pages->TakeView();
  EXPECT_TRUE(Enabled(view, cb_printEtx));
  EXPECT_TRUE(Enabled(view, cb_printCRwithLF));

  // A codeplug whose gauge is off shows the starting levels as soon as the
  // tab is shown, not the empty image's "0.90v".
  settings.SetItem(cb_batteryGaugeHiLevel, 0);
  pages->EnterPage(kPageMoreFeatures);
  EXPECT_EQ(ItemText(cb_batteryGaugeHiLevel), "1.43v");
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FeaturesPagesTest, TheEditorCheckStopsAtTheFirstFailingTab) {
  // The address tabs come first, then Features, then More Features.
  settings.SetText(ed_displayContrast, "16");
  settings.SetChecked(cb_batteryGauge, true);
  EXPECT_EQ(pages->PageCheck(kPageGeneral, 0), kTextContrastOutOfRange);
  EXPECT_EQ(Codes(), std::vector<int>{kTextContrastOutOfRange});
  settings.SetText(ed_displayContrast, "15");
  ui.shown.clear();
  EXPECT_EQ(pages->PageCheck(kPageGeneral, 0), kInvalidBatteryGaugeLevel);
  EXPECT_EQ(Codes(), std::vector<int>{kInvalidBatteryGaugeLevel});
}

}  // namespace
}  // namespace rer
