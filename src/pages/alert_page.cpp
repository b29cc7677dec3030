#include "pages/alert_page.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "codeplug/pager_family.h"
#include "core/result_codes.h"
#include "core/text.h"

namespace rer {
namespace {

using enum Control;

constexpr int kNone = 0;                  // "None" of the reminder and out-of-range lists
constexpr int kDeafPagerItem = 1;         // cb_deafPager "Deaf"
constexpr int kFirstItem = 0;             // Function 4 lists, Disp. Slot/Msg #
constexpr int kSecondRepeatPeriod = 1;    // "2 sec": the tone pulse may be chosen
constexpr int kSmallLayoutDurations = 2;  // "2 sec", "12 sec"
constexpr int kLargeLayoutDurations = 3;  // and "30 sec"

// The out-of-range time of each item of cb_oorTime in quarter minutes.
constexpr std::array<int, 4> kOutOfRangeQuarters = {0, 16, 24, 32};
constexpr int kLongestReacquisition = 240;  // 60 minutes
constexpr int kSecondsStep = 15;
constexpr int kHighestSeconds = 45;
constexpr int kQuartersPerMinute = 4;
constexpr std::size_t kReacquisitionDigits = 2;

// The options that only mean something with the pager's clock running.
constexpr Control kClockOptions[] = {
    cb_internationalDate, cb_showTimeStamp, cb_individualMessageAlarm,
    cb_autoAlarmTurnOn,   cb_privateTime,   cb_alarmAlwaysAudible};
// What a pager that never alerts cannot do either.
constexpr Control kClearedWithoutAlerts[] = {cb_userChangableAlertMode,
                                             cb_userSelectableAlerts,
                                             cb_manualAlertReset,
                                             cb_lowCellAlert,
                                             cb_privateTime,
                                             cb_oorAlert,
                                             cb_oorAudibleOnNoAlert,
                                             cb_vibrator,
                                             cb_keyChirp};
// The alert controls a deaf pager, or one without alerts, offers no choice in.
constexpr Control kSoundControls[] = {
    cb_std4RepeatPeriod, cb_std4PulseDuration, cb_userSelectableAlerts, cb_userChangableAlertMode,
    cb_manualAlertReset, cb_alertFrequency,    cb_alertDuration};

// The fields show a number as decode writes it, which may carry blanks.
std::optional<int> Number(const std::string& shown) {
  const std::string text = Trim(shown);
  if (text.empty() || text.size() > kReacquisitionDigits ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return std::stoi(text);
}

}  // namespace

int CheckReminderTimes(const EditorSettings& settings, UserInterface& ui) {
  // The list items run from the shortest time up, so their order is the times'.
  const int timeout = settings.Item(cb_reminderAlertTimeout);
  if (timeout != kNone && settings.Item(cb_reminderAlertInterval) > timeout) {
    ui.ShowError(kReminderIntervalAboveTimeout);
    return kNotDone;
  }
  return kSuccess;
}

AlertPage::AlertPage(EditorSettings& settings, UserInterface& ui,
                     const PageEnvironment& environment)
    : PageHandler(settings, ui, environment), before_(settings) {}

bool AlertPage::LargeLayout() const {
  return Is4KFamily(environment_.modelCode);
}

bool AlertPage::Deaf() const {
  return settings_.Item(cb_deafPager) == kDeafPagerItem;
}

bool AlertPage::PleasingAlertAvailable() const {
  return settings_.Checked(cb_userSelectableAlerts) && !Deaf() &&
         !settings_.Checked(cb_disableAllAlerts);
}

void AlertPage::Enter(int field) {
  before_ = settings_;
  if (field == FieldCatalogue::Instance().Entry(cb_programmablePleasingAlert).fieldNumber) {
    OpenPleasingAlertIfCustom();
    before_ = settings_;
  }
}

void AlertPage::OpenPleasingAlertIfCustom() {
  if (!PleasingAlertAvailable() ||
      settings_.Item(cb_programmablePleasingAlert) != kPleasingAlertCustomItem) {
    return;
  }
  if (const auto edited = ui_.EditPleasingAlert(settings_.pleasingAlertTune)) {
    settings_.pleasingAlertTune = *edited;
  }
}

void AlertPage::Leave(int field) {
  if (field != FieldCatalogue::Instance().Entry(cb_userSelectableAlerts).fieldNumber ||
      !PleasingAlertAvailable()) {
    return;
  }
  const auto edited = ui_.EditPleasingAlert(settings_.pleasingAlertTune);
  if (!edited) return;
  settings_.pleasingAlertTune = *edited;
  // A tune of its own is only written to the pager as "Custom": left at
  // "Default", the edits would be lost on the next program or save.
  UserInterface::PleasingAlertTune defaultTune;
  defaultTune.fill(kDefaultPleasingNote);
  if (*edited != defaultTune) {
    settings_.SetItem(cb_programmablePleasingAlert, kPleasingAlertCustomItem);
  }
  before_ = settings_;
}

void AlertPage::ResetPleasingAlert() {
  settings_.pleasingAlertTune.fill(kDefaultPleasingNote);
  settings_.SetItem(cb_programmablePleasingAlert, kPleasingAlertDefault);
}

int AlertPage::Store(int field) {
  const ControlEntry* entry = FieldCatalogue::Instance().FindByField(field, kPageAlert);
  if (entry == nullptr) return kSuccess;
  int result = kSuccess;
  switch (entry->control) {
    case cb_programmablePleasingAlert:
      OpenPleasingAlertIfCustom();
      break;
    case cb_alertDuration:
      // "30 sec" is not a duration the small layout can hold.
      if (!LargeLayout() && settings_.Item(cb_alertDuration) >= kSmallLayoutDurations) {
        settings_.SetItem(cb_alertDuration, before_.Item(cb_alertDuration));
      }
      break;
    case cb_oorTime:
      result = CheckOutOfRangeTimes(true);
      break;
    case ed_missed_frame_count_min:
    case ed_missed_frame_count_sec:
      result = CheckOutOfRangeTimes(false);
      break;
    default:
      break;
  }
  ApplyRules();
  // The four-address model must show at least one of the time stamp, the
  // source and the slot or message number with a message; a change that
  // leaves it none is refused.
  if (environment_.modelCode == kFourAddressModel && ShowOptionsAllOff()) {
    ui_.ShowError(kNothingShownForMessage);
    UndoChange();
    result = kNothingShownForMessage;
  }
  UpdateEnabling();
  before_ = settings_;
  return result;
}

int AlertPage::CheckOutOfRangeTimes(bool fromOutOfRangeTime) {
  const int item = settings_.Item(cb_oorTime);
  const int limit = item >= 0 && item < static_cast<int>(kOutOfRangeQuarters.size())
                        ? kOutOfRangeQuarters[static_cast<std::size_t>(item)]
                        : 0;
  const auto minutes = Number(settings_.Text(ed_missed_frame_count_min));
  const auto seconds = Number(settings_.Text(ed_missed_frame_count_sec));
  // A text that is no number of at most two digits is no time at all: it is
  // below any limit and invalid.
  const bool parsed = minutes && seconds;
  const int total = parsed ? *minutes * kQuartersPerMinute + *seconds / kSecondsStep : -1;
  const bool belowLimit = total < limit;
  const bool invalid = !parsed || *seconds % kSecondsStep != 0 || *seconds > kHighestSeconds ||
                       belowLimit || total > kLongestReacquisition;
  int error = kSuccess;
  if (belowLimit && fromOutOfRangeTime) {
    error = kInvalidOutOfRangeTime;
  } else if (invalid && !fromOutOfRangeTime) {
    error = kInvalidReacquisitionTime;
  }
  if (error == kSuccess) return kSuccess;
  ui_.ShowError(error);
  settings_.SetItem(cb_oorTime, kNone);
  settings_.SetText(ed_missed_frame_count_min, kDefaultReacquisitionMinutes);
  settings_.SetText(ed_missed_frame_count_sec, kDefaultReacquisitionSeconds);
  settings_.SetChecked(cb_oorAlert, false);
  return error;
}

bool AlertPage::ShowOptionsAllOff() const {
  return !settings_.Checked(cb_showTimeStamp) && !settings_.Checked(cb_showSource) &&
         settings_.Item(cb_disp_slot_msg) == kFirstItem;
}

void AlertPage::UndoChange() {
  // The change and whatever the rules made of it: every setting of the page
  // as it stood before, with the two the rules reach beyond it.
  const auto& entries = FieldCatalogue::Instance().Entries();
  for (std::size_t index = 0; index < entries.size(); ++index) {
    if (entries[index].page == kPageAlert) settings_.ValueAt(index) = before_.ValueAt(index);
  }
  settings_.SetCheckState(cb_silentRFProgramming, before_.CheckState(cb_silentRFProgramming));
  settings_.pleasingAlertTune = before_.pleasingAlertTune;
}

void AlertPage::ApplyRules() {
  // 1. Without the clock there is no time to stamp, alarm or keep private.
  if (!settings_.Checked(cb_realTimeClock)) {
    for (Control control : kClockOptions) settings_.SetChecked(control, false);
  }
  // 2. No alerts at all.
  if (settings_.Checked(cb_disableAllAlerts)) {
    for (Control control : kClearedWithoutAlerts) settings_.SetChecked(control, false);
    settings_.SetItem(cb_reminderAlertInterval, kNone);
    settings_.SetItem(cb_reminderAlertTimeout, kNone);
    ResetPleasingAlert();
    settings_.SetCheckState(cb_silentRFProgramming, settings_.CheckState(cb_rfProgrammingEnabled));
  }
  // 3. A deaf pager vibrates, and its alert mode cannot be changed.
  if (Deaf()) {
    settings_.SetChecked(cb_userChangableAlertMode, false);
    settings_.SetChecked(cb_vibrator, true);
    settings_.SetChecked(cb_oorAudibleOnNoAlert, false);
  }
  // 4. No reminder, no reminder timeout.
  if (settings_.Item(cb_reminderAlertInterval) == kNone) {
    settings_.SetItem(cb_reminderAlertTimeout, kNone);
  }
  // 5. The out-of-range alert needs an out-of-range time, its audible
  //    variant the alert.
  if (settings_.Item(cb_oorTime) == kNone) settings_.SetChecked(cb_oorAlert, false);
  if (!settings_.Checked(cb_oorAlert)) settings_.SetChecked(cb_oorAudibleOnNoAlert, false);
  // 6. Only a pager whose alerts the user selects plays a tune of its own.
  if (!settings_.Checked(cb_userSelectableAlerts)) ResetPleasingAlert();
  // 7. The one-second repeat has only the short pulse.
  if (settings_.Item(cb_std4RepeatPeriod) == kFirstItem) {
    settings_.SetItem(cb_std4PulseDuration, kFirstItem);
  }
}

void AlertPage::UpdateEnabling() {
  const bool noAlerts = settings_.Checked(cb_disableAllAlerts);
  const bool deaf = Deaf();
  const bool clock = settings_.Checked(cb_realTimeClock);
  const bool outOfRange = settings_.Item(cb_oorTime) != kNone;
  const bool reminder = settings_.Item(cb_reminderAlertInterval) != kNone;

  for (Control control : kSoundControls) view_.Enable(control, 0, !deaf && !noAlerts);
  if (!deaf && !noAlerts) {
    view_.Enable(cb_std4PulseDuration, 0,
                 settings_.Item(cb_std4RepeatPeriod) == kSecondRepeatPeriod);
  }
  view_.Enable(cb_oorAlert, 0, outOfRange && !noAlerts);
  view_.Enable(cb_oorAudibleOnNoAlert, 0,
               outOfRange && !noAlerts && settings_.Checked(cb_oorAlert) && !deaf);
  view_.Enable(cb_vibrator, 0, !deaf && !noAlerts && settings_.Checked(cb_userChangableAlertMode));
  for (Control control :
       {cb_alarmAlwaysAudible, cb_individualMessageAlarm, cb_showTimeStamp, cb_internationalDate}) {
    view_.Enable(control, 0, clock);
  }
  view_.Enable(cb_privateTime, 0, clock && !noAlerts);
  // Allow Off lives on the Features tab: the page's refresh brings a change
  // made there in.
  view_.Enable(cb_autoAlarmTurnOn, 0, clock && settings_.Checked(cb_allowOff));
  for (Control control : {cb_lowCellAlert, cb_reminderAlertInterval, cb_keyChirp}) {
    view_.Enable(control, 0, !noAlerts);
  }
  view_.Enable(cb_reminderAlertTimeout, 0, reminder && !noAlerts);
  view_.Enable(cb_reminderAlertDuration, 0, reminder && !noAlerts);
  view_.Enable(cb_programmablePleasingAlert, 0, PleasingAlertAvailable());
}

int AlertPage::Check(int /*page*/) {
  return kSuccess;
}

void AlertPage::Refresh(int /*page*/) {
  view_.OfferItems(cb_alertDuration, LargeLayout() ? kLargeLayoutDurations : kSmallLayoutDurations);
  UpdateEnabling();
  before_ = settings_;
}

}  // namespace rer
