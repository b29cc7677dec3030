#pragma once
// The passwords and wrong-entry counters kept for the whole run, and the
// checks that compare what the user types with what a codeplug stores.

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
};

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
