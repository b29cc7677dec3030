#include "pages/features_pages.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "codeplug/layout_codes.h"
#include "core/canned_range.h"
#include "core/result_codes.h"

namespace rer {
namespace {

using enum Control;

constexpr int kHighestContrast = 15;

// The index of the item `text` of list `control`; the lists are data, so the
// rules name their items as the technician sees them.
int ItemOf(Control control, std::string_view text) {
  const auto items = FieldCatalogue::Instance().Entry(control).items;
  const auto found = std::find(items.begin(), items.end(), text);
  return found == items.end() ? kNoItem : static_cast<int>(found - items.begin());
}

const ControlEntry* EntryOfField(int field, int page) {
  return FieldCatalogue::Instance().FindByField(field, page);
}

bool IsDecimal(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

int TickedIdeoCannedLevel(int cgromType) {
  // Only the Simplified Chinese ROM has the extended numeric set.
  return cgromType == kCgromSimplifiedChinese ? kIdeoCannedExtended : kIdeoCannedTwoDigits;
}

// ---- Features ----

FeaturesPage::FeaturesPage(EditorSettings& settings, UserInterface& ui,
                           const PageEnvironment& environment)
    : PageHandler(settings, ui, environment),
      shownCannedLevel_(settings.CheckState(cb_ideoNumericCanned)) {
  // The tab is enabled for this codeplug from the start, whichever tab is shown.
  UpdateEnabling();
}

void FeaturesPage::Enter(int /*field*/) {
  shownCannedLevel_ = settings_.CheckState(cb_ideoNumericCanned);
}

int FeaturesPage::Store(int field) {
  if (const ControlEntry* entry = EntryOfField(field, kPageFeatures))
    StoreOwnEffect(entry->control);
  const int result = ApplyRules();
  UpdateEnabling();
  shownCannedLevel_ = settings_.CheckState(cb_ideoNumericCanned);
  return result;
}

void FeaturesPage::StoreOwnEffect(Control control) {
  switch (control) {
    case cb_ideoNumericCanned:
      // A box that was clear and is now ticked takes the level of the
      // pager's ROM; a box that stays ticked keeps the level it shows.
      if (settings_.Checked(control) && shownCannedLevel_ == kIdeoCannedNone) {
        settings_.SetCheckState(control, TickedIdeoCannedLevel(environment_.cgromType));
      }
      break;
    case cb_regularCannedMsg:
      if (settings_.Checked(control)) {
        const CannedRange& range = CannedRangeOf(environment_.cgromType);
        settings_.SetText(ed_startCannedMsg, CannedTextOfWord(range.first));
        settings_.SetText(ed_endCannedMsg, CannedTextOfWord(range.last));
      } else {
        settings_.SetText(ed_startCannedMsg, kNoCannedRangeText);
        settings_.SetText(ed_endCannedMsg, kNoCannedRangeText);
      }
      break;
    case ed_startCannedMsg:
    case ed_endCannedMsg:
      // Shown as the decode shows a range, whichever case it was typed in.
      settings_.SetText(control, UpperCase(settings_.Text(control)));
      break;
    default:
      break;
  }
}

int FeaturesPage::Check(int /*page*/) {
  const int result = ApplyRules();
  UpdateEnabling();
  shownCannedLevel_ = settings_.CheckState(cb_ideoNumericCanned);
  return result;
}

void FeaturesPage::Refresh(int /*page*/) {
  UpdateEnabling();
  shownCannedLevel_ = settings_.CheckState(cb_ideoNumericCanned);
}

bool FeaturesPage::AnyAddressAllowsPersonal() const {
  for (int address = 1; address <= kAddressCount; ++address) {
    if (settings_.Checked(Personal, address)) return true;
  }
  return false;
}

int FeaturesPage::ApplyRules() {
  const bool retainErrored =
      settings_.Checked(cb_retainErroredNumeric) || settings_.Checked(cb_retainErroredNonNumeric);
  // 1. A better maildrop copy is only kept among errored messages that are kept.
  if (!retainErrored) settings_.SetChecked(cb_retainBetterMaildrop, false);

  // 2. Lockout and source-independent detection refine duplicate detection
  //    of personal messages.
  if (!AnyAddressAllowsPersonal() || !settings_.Checked(cb_duplication)) {
    settings_.SetItem(cb_sequentialLockoutPeriod, ItemOf(cb_sequentialLockoutPeriod, "None"));
    settings_.SetChecked(cb_sourceIndependentDuplication, false);
  }

  // 3. Without a maildrop capcode there are no maildrop messages to keep.
  if (settings_.Item(cb_MaildropFirstCapcode) != ItemOf(cb_MaildropFirstCapcode, "Enable")) {
    settings_.SetChecked(cb_maildropMessageNotebook, false);
  }

  // 4. A notebook the technician cannot empty fills up for good.
  if ((settings_.Checked(cb_personalMessageNotebook) ||
       settings_.Checked(cb_maildropMessageNotebook)) &&
      !settings_.Checked(cb_manualDelete)) {
    ui_.ShowError(kNotebookWithoutManualDelete);
    return kNotebookWithoutManualDelete;
  }

  // 5. The display takes sixteen contrast steps.
  const std::string& contrast = settings_.Text(ed_displayContrast);
  if (!IsDecimal(contrast) || contrast.size() > 2 || std::stoi(contrast) > kHighestContrast) {
    ui_.ShowError(kTextContrastOutOfRange);
    return kTextContrastOutOfRange;
  }

  // 6. The canned messages of the Chinese pagers.
  if (const int result = CheckCannedRange(); result != kSuccess) return result;

  // 7. A pager that cannot be turned off cannot be turned on by its alarm.
  if (!settings_.Checked(cb_allowOff)) settings_.SetChecked(cb_autoAlarmTurnOn, false);
  return kSuccess;
}

int FeaturesPage::CheckCannedRange() {
  if (!IsChineseCgrom(environment_.cgromType)) return kSuccess;
  const CannedRange& range = CannedRangeOf(environment_.cgromType);
  if (settings_.CheckState(cb_ideoNumericCanned) == kIdeoCannedExtended) {
    // The extended numerals come with the whole regular range.
    settings_.SetChecked(cb_regularCannedMsg, true);
    settings_.SetText(ed_startCannedMsg, CannedTextOfWord(range.first));
    settings_.SetText(ed_endCannedMsg, CannedTextOfWord(range.last));
    return kSuccess;
  }
  if (!settings_.Checked(cb_regularCannedMsg)) {
    settings_.SetText(ed_startCannedMsg, kNoCannedRangeText);
    settings_.SetText(ed_endCannedMsg, kNoCannedRangeText);
    return kSuccess;
  }
  // Start and end need not be in order: each must only name a canned code.
  const auto start = CheckedCannedWordOfText(settings_.Text(ed_startCannedMsg));
  const auto end = CheckedCannedWordOfText(settings_.Text(ed_endCannedMsg));
  if (start && end && range.Holds(*start) && range.Holds(*end)) return kSuccess;
  ui_.ShowError(kInvalidCannedRange);
  return kInvalidCannedRange;
}

void FeaturesPage::UpdateEnabling() {
  const bool ideographic = environment_.cgromType != kCgromNone;
  const bool extended = settings_.CheckState(cb_ideoNumericCanned) == kIdeoCannedExtended;
  const bool regular = settings_.Checked(cb_regularCannedMsg);
  const bool retainErrored =
      settings_.Checked(cb_retainErroredNumeric) || settings_.Checked(cb_retainErroredNonNumeric);
  const bool lockout = AnyAddressAllowsPersonal() && settings_.Checked(cb_duplication);

  view_.Enable(ck_cpfUif_Paging_Auto_Backlight, 0, settings_.Checked(cb_autoBacklight));
  view_.Enable(cb_regularCannedMsg, 0, ideographic && !extended);
  const bool rangeEditable = ideographic && (regular != extended);
  view_.Enable(ed_startCannedMsg, 0, rangeEditable);
  view_.Enable(ed_endCannedMsg, 0, rangeEditable);
  view_.Enable(cb_ideoNumericCanned, 0, ideographic);
  view_.Enable(cb_B14bitDecoding, 0, ideographic);
  view_.Enable(cb_nonVolatileMemory, 0, settings_.Checked(cb_allowOff));
  view_.Enable(cb_twoBitErrorIndication, 0,
               settings_.Checked(cb_badDataIndication) && retainErrored);
  view_.Enable(cb_retainBetterMaildrop, 0, retainErrored);
  view_.Enable(cb_badDataIndication, 0, retainErrored);
  view_.Enable(cb_sequentialLockoutPeriod, 0, lockout);
  view_.Enable(cb_sourceIndependentDuplication, 0, lockout);
  view_.Enable(cb_duplication, 0, true);
  view_.Enable(cb_personalMessageNotebook, 0, true);
}

// ---- More Features ----

MoreFeaturesPage::MoreFeaturesPage(EditorSettings& settings, UserInterface& ui,
                                   const PageEnvironment& environment)
    : PageHandler(settings, ui, environment) {
  UpdateEnabling();
}

void MoreFeaturesPage::Enter(int /*field*/) {}

int MoreFeaturesPage::Store(int /*field*/) {
  const int result = BatteryGaugeCheck();
  UpdateEnabling();
  return result;
}

int MoreFeaturesPage::Check(int /*page*/) {
  const int result = BatteryGaugeCheck();
  UpdateEnabling();
  return result;
}

void MoreFeaturesPage::Refresh(int /*page*/) {
  // Levels of a gauge that is off are not the technician's choice: the tab
  // shows the ones the gauge starts from, never what an empty image held.
  if (!settings_.Checked(cb_batteryGauge)) BatteryGaugeCheck();
  UpdateEnabling();
}

int MoreFeaturesPage::BatteryGaugeCheck() {
  if (!settings_.Checked(cb_batteryGauge)) {
    settings_.SetItem(cb_batteryGaugeHiLevel, ItemOf(cb_batteryGaugeHiLevel, "1.43v"));
    settings_.SetItem(cb_batteryGaugeMedLevel, ItemOf(cb_batteryGaugeMedLevel, "1.39v"));
    settings_.SetItem(cb_batteryGaugeLoLevel, ItemOf(cb_batteryGaugeLoLevel, "1.29v"));
    return kSuccess;
  }
  // The items run from the lowest voltage up, so their order is the levels'.
  const int high = settings_.Item(cb_batteryGaugeHiLevel);
  const int medium = settings_.Item(cb_batteryGaugeMedLevel);
  const int low = settings_.Item(cb_batteryGaugeLoLevel);
  if (low != kNoItem && high > medium && medium > low) return kSuccess;
  ui_.ShowError(kInvalidBatteryGaugeLevel);
  return kInvalidBatteryGaugeLevel;
}

void MoreFeaturesPage::UpdateEnabling() {
  const bool gauge = settings_.Checked(cb_batteryGauge);
  view_.Enable(cb_batteryGaugeHiLevel, 0, gauge);
  view_.Enable(cb_batteryGaugeMedLevel, 0, gauge);
  view_.Enable(cb_batteryGaugeLoLevel, 0, gauge);
  const bool printing =
      settings_.Checked(cb_printerEnabled) || settings_.Checked(cb_incomingMsgPrint);
  view_.Enable(cb_printEtx, 0, printing);
  view_.Enable(cb_printCRwithLF, 0, printing);
}

}  // namespace rer
