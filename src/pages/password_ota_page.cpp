#include "pages/password_ota_page.h"

#include <charconv>

#include "codeplug/decode_texts.h"
#include "codeplug/pager_family.h"
#include "core/result_codes.h"
#include "core/text.h"

namespace rer {
namespace {

using enum Control;

constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

// The number a digits-only field holds; an empty field is 0.
long NumberOf(const std::string& text) {
  const std::string trimmed = Trim(text);
  long value = 0;
  std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
  return value;
}

std::optional<Control> ControlOfField(int field) {
  const ControlEntry* entry = FieldCatalogue::Instance().FindByField(field, kPagePasswordOta);
  if (entry == nullptr) return std::nullopt;
  return entry->control;
}

bool IsTimeoutField(std::optional<Control> control) {
  return control == ed_cpwFc_Pswd_Timeout_h || control == ed_cpwFc_Pswd_Timeout_m ||
         control == ed_cpwFc_Pswd_Timeout_s;
}

}  // namespace

int UserPasswordTimeoutSeconds(const EditorSettings& settings) {
  const long seconds = NumberOf(settings.Text(ed_cpwFc_Pswd_Timeout_h)) * kSecondsPerHour +
                       NumberOf(settings.Text(ed_cpwFc_Pswd_Timeout_m)) * kSecondsPerMinute +
                       NumberOf(settings.Text(ed_cpwFc_Pswd_Timeout_s));
  // The fields hold at most 2, 3 and 5 digits, far inside an int.
  return static_cast<int>(seconds);
}

void ShowUserPasswordTimeout(EditorSettings& settings, int seconds) {
  settings.SetText(ed_cpwFc_Pswd_Timeout_h, std::to_string(seconds / kSecondsPerHour));
  settings.SetText(ed_cpwFc_Pswd_Timeout_m,
                   std::to_string(seconds / kSecondsPerMinute % kSecondsPerMinute));
  settings.SetText(ed_cpwFc_Pswd_Timeout_s, std::to_string(seconds % kSecondsPerMinute));
}

PasswordOtaPage::PasswordOtaPage(EditorSettings& settings, UserInterface& ui,
                                 const PageEnvironment& environment)
    : PageHandler(settings, ui, environment), before_(settings) {
  UpdateView();
}

void PasswordOtaPage::NoteSettings() {
  before_ = settings_;
}

void PasswordOtaPage::Enter(int /*field*/) {
  NoteSettings();
}

int PasswordOtaPage::Store(int field) {
  const std::optional<Control> control = ControlOfField(field);
  if (!control) return kSuccess;
  const ControlValue& now = settings_.Value(*control);
  const ControlValue& was = before_.Value(*control);
  // Leaving a field as it was, or a script giving it the value it shows.
  if (now.text == was.text && now.number == was.number) return kSuccess;
  int result = kSuccess;
  if (control == cb_enableSecurePasswd) {
    AskForPasswordWhenTicked(*control, PasswordMode::Secure);
  } else if (control == cb_enableLocalPasswd) {
    AskForPasswordWhenTicked(*control, PasswordMode::Local);
  } else if (control == cb_rfProgrammingEnabled) {
    AskForPasswordWhenTicked(*control, PasswordMode::Ota);
  }
  ApplyOtaRules();
  if (control == ed_CP_EP1_HP_Error_Number) result = CheckErrorCount();
  if (IsTimeoutField(control)) {
    result = ClampTimeout();
    ShowUserPasswordTimeout(settings_, UserPasswordTimeoutSeconds(settings_));
  }
  UpdateView();
  NoteSettings();
  return result;
}

void PasswordOtaPage::AskForPasswordWhenTicked(Control box, PasswordMode kind) {
  if (!settings_.Checked(box) || PasswordSetInRun(Passwords(), kind)) return;
  // A box that protects the pager with a password nobody has given would
  // lock the technician out: without one it is unticked again.
  if (!ChangeCodeplugPassword(Passwords(), ui_, kind)) settings_.SetChecked(box, false);
}

void PasswordOtaPage::ApplyOtaRules() {
  if (!settings_.Checked(cb_rfProgrammingEnabled)) {
    settings_.SetChecked(cb_silentRFProgramming, false);
    settings_.SetChecked(cb_supportOTAAlphaVector, false);
  } else if (settings_.Checked(cb_disableAllAlerts)) {
    // A pager that never alerts can only be programmed over the air silently.
    settings_.SetChecked(cb_silentRFProgramming, true);
  }
}

int PasswordOtaPage::CheckErrorCount() {
  if (NumberOf(settings_.Text(ed_CP_EP1_HP_Error_Number)) <= kMaxHandProgrammingErrorCount) {
    return kSuccess;
  }
  ui_.ShowError(kMaximumErrorCountOutOfRange);
  return kMaximumErrorCountOutOfRange;
}

int PasswordOtaPage::ClampTimeout() {
  if (UserPasswordTimeoutSeconds(settings_) <= kMaxUserPasswordTimeoutSeconds) return kSuccess;
  ShowUserPasswordTimeout(settings_, kMaxUserPasswordTimeoutSeconds);
  ui_.ShowError(kPasswordTimeoutTooLong);
  return kPasswordTimeoutTooLong;
}

int PasswordOtaPage::Check(int /*page*/) {
  // The encode step could only cut a larger count down to 255 without a
  // word: the page is not left, programmed or saved while it stands.
  if (CheckErrorCount() != kSuccess) return kMaximumErrorCountOutOfRange;
  ClampTimeout();
  return kSuccess;
}

void PasswordOtaPage::Refresh(int /*page*/) {
  NoteSettings();
  UpdateView();
}

void PasswordOtaPage::UpdateView() {
  const bool ota = settings_.Checked(cb_rfProgrammingEnabled);
  view_.Enable(cb_silentRFProgramming, 0, ota && !settings_.Checked(cb_disableAllAlerts));
  view_.Enable(cb_supportOTAAlphaVector, 0, ota);
  view_.Show(cb_supportOTAAlphaVector, 0, Is4KFamily(environment_.modelCode));
  const bool userPassword = settings_.Item(cb_fUif_User_Password_Enable) == kUserPasswordEnabled;
  for (Control control :
       {cb_fUif_User_Password_Level, ed_cpwFc_Pswd_Timeout_h, ed_cpwFc_Pswd_Timeout_m,
        ed_cpwFc_Pswd_Timeout_s, ed_cpwFc_Password, ed_cpwFc_Password_LRUD}) {
    view_.Enable(control, 0, userPassword);
  }
}

int PasswordOtaPage::SetUserPassword() {
  const auto saved = ui_.EnterUserPasswordKeys(settings_.Text(ed_cpwFc_Password));
  if (!saved) return kSuccess;
  // What the keypad gave goes through the keypad's own rules once more, so
  // that keys from a script are held to the same limits as pressed ones.
  const auto keys = UserPasswordKeypad(*saved).Save(ui_);
  if (!keys) return kUserPasswordTooShort;
  StoreUserPasswordKeys(*keys);
  return kSuccess;
}

void PasswordOtaPage::StoreUserPasswordKeys(const UserPasswordKeys& keys) {
  settings_.SetText(ed_cpwFc_Password, keys.digits);
  settings_.SetText(ed_cpwFc_Password_LRUD, UserPasswordLetters(keys.digits));
}

}  // namespace rer
