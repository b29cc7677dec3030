#pragma once
// The rules of the Password/OTA tab: the three protection boxes ask for
// their password the first time they are ticked in a run, the over-the-air
// options follow Enable OTA Programming, the hand-programming error count
// and the user-password timeout are kept within what the pager takes, and
// the user password is entered on the keypad.

#include <optional>
#include <string>

#include "pager/password_state.h"
#include "pages/page_handler.h"
#include "pages/user_password_keypad.h"

namespace rer {

inline constexpr int kMaxHandProgrammingErrorCount = 255;
inline constexpr int kMaxUserPasswordTimeoutSeconds = 43200;  // 12 hours
inline constexpr int kUserPasswordEnabled = 1;  // cb_fUif_User_Password_Enable "Enable"

// The user-password timeout of the three fields in seconds, and its split
// back into the texts of hours, minutes and seconds.
int UserPasswordTimeoutSeconds(const EditorSettings& settings);
void ShowUserPasswordTimeout(EditorSettings& settings, int seconds);

class PasswordOtaPage : public PageHandler {
 public:
  // The passwords of the run are those of `environment.passwords`; without
  // them the page keeps its own.
  PasswordOtaPage(EditorSettings& settings, UserInterface& ui, const PageEnvironment& environment);

  void Enter(int field) override;
  // A protection box that becomes ticked asks for its password unless one
  // was set in this run, and is unticked again when none is given; then the
  // rules of the page run. A field given the value it already had changes
  // nothing. -120 or -127 when they had to be shown.
  int Store(int field) override;
  // -120 while the error count is above 255; a timeout above 12 hours is
  // brought back to 12 hours (-127) and passes.
  int Check(int page) override;
  void Refresh(int page) override;

  // "Set user password.": opens the keypad on the page's keys and stores
  // what it saves. kSuccess when keys were stored or the keypad was
  // cancelled; -126 when fewer than two keys came back.
  int SetUserPassword();
  // Stores saved keys into the page: the hidden digits and their letters.
  void StoreUserPasswordKeys(const UserPasswordKeys& keys);

 private:
  PasswordState& Passwords() { return environment_.passwords ? *environment_.passwords : own_; }
  void AskForPasswordWhenTicked(Control box, PasswordMode kind);
  void ApplyOtaRules();
  int CheckErrorCount();
  int ClampTimeout();
  void UpdateView();
  void NoteSettings();

  PasswordState own_;
  // The settings as they stood before the edit being stored.
  EditorSettings before_;
};

}  // namespace rer
