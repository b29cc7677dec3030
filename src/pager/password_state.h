#pragma once
// The passwords and wrong-entry counters kept for the whole run, and the
// checks that compare what the user types with what a codeplug stores.

#include <optional>
#include <string>
#include <string_view>

#include "comm/clock.h"
#include "core/user_interface.h"

namespace rer {

inline constexpr std::size_t kPasswordLength = 10;

struct PasswordState {
  PasswordMode securityMode = PasswordMode::Secure;
  int securityResult = -1;  // -1 closed without a check, 0 correct, -6/-8/-91/-1 wrong
  int secureWrongCount = 0;
  int localWrongCount = 0;
  std::string securePasswordKnown;
  std::string localPasswordKnown;
  std::string otaPasswordKnown;
  std::string localPasswordToWrite;
  std::string secureVerifyText;
  std::string localVerifyText;
  std::string otaVerifyText;
  bool passwordChanged = false;
  std::string softwarePassword;  // unscrambled; "" = none
  // Whether a new password of each kind has been set in this run. Only a
  // change sets them, never a read or a load: ticking a protection box asks
  // for its password until one has been given.
  bool securePasswordSet = false;
  bool localPasswordSet = false;
  bool otaPasswordSet = false;
};

// A password as its entry field takes it: upper-cased, at most 10
// characters, each of A-Z, 0-9 or blank. nullopt when the field would
// refuse it.
std::optional<std::string> PasswordEntryText(std::string_view typed);

// Whether the SECURE, LOCAL or OTA password has been set in this run.
bool PasswordSetInRun(const PasswordState& state, PasswordMode kind);

// Sets a new SECURE, LOCAL or OTA password through the change-password
// entry of `ui`. A mismatch shows -90 and asks again. False when the user
// gave up (the caller unticks its box), also for an entry the field would
// refuse, which is never stored; on success the password is marked set in this
// run and the user is asked to record it.
bool ChangeCodeplugPassword(PasswordState& state, UserInterface& ui, PasswordMode kind);

class PasswordChecks {
 public:
  PasswordChecks(PasswordState& state, UserInterface& ui, Clock& clock)
      : state_(state), ui_(ui), clock_(clock) {}

  // Asks for a codeplug password (SECURE, LOCAL, OTA, or LOCAL of the pager
  // copy) and compares it with `storedScrambled`, the 10 bytes the image
  // holds. Returns and records SecurityResult: 0, -6, -8, -91, or -1 when
  // the entry was closed.
  int AskCodeplugPassword(PasswordMode mode, std::string_view storedScrambled);

  // The start-up check: 0 when the typed text equals the software password;
  // otherwise shows -1 once and returns -1 (also when the entry was closed).
  int AskSoftwarePassword();

  // The pager's own access password: nullopt when the entry was closed;
  // otherwise the typed text padded to 10 and scrambled, after the 1000 ms
  // pause the pager needs.
  std::optional<std::string> AskPagerAccessPassword();

  // Sets a new SECURE, LOCAL or OTA password. A mismatch shows -90 and asks
  // again; false when the user gave up (the caller unticks its box).
  bool ChangePassword(PasswordMode kind);

 private:
  PasswordState& state_;
  UserInterface& ui_;
  Clock& clock_;
};

}  // namespace rer
