#include "pager/password_state.h"

#include "core/result_codes.h"
#include "core/text.h"
#include "pager/password_scramble.h"

namespace rer {
namespace {

constexpr int kComparePauseMs = 1000;

std::string Padded(std::string_view text) {
  return PadRight(text, kPasswordLength);
}

}  // namespace

int PasswordChecks::AskCodeplugPassword(PasswordMode mode, std::string_view storedScrambled) {
  state_.securityMode = mode;
  state_.securityResult = -1;
  const auto typed = ui_.EnterPassword(mode);
  if (!typed) return state_.securityResult;

  const std::string entered = Padded(*typed);
  const std::string stored = Padded(UnscramblePassword(storedScrambled));
  const bool local = mode == PasswordMode::Local || mode == PasswordMode::PagerLocal;
  // The LOCAL comparison is paced so that guessing at the cradle is slow.
  if (local) clock_.DelayMs(kComparePauseMs);
  const bool equal = entered == stored;

  switch (mode) {
    case PasswordMode::Secure:
      if (equal) {
        state_.secureWrongCount = 0;
        state_.securityResult = 0;
      } else {
        ++state_.secureWrongCount;
        state_.securityResult = -6;
        state_.securePasswordKnown = stored;
      }
      break;
    case PasswordMode::Local:
    case PasswordMode::PagerLocal:
      if (equal) {
        state_.localWrongCount = 0;
        state_.securityResult = 0;
      } else {
        ++state_.localWrongCount;
        state_.securityResult = -8;
        state_.localPasswordKnown = stored;
      }
      break;
    case PasswordMode::Ota:
      state_.securityResult = equal ? 0 : -91;
      if (!equal) state_.otaPasswordKnown = stored;
      break;
    default:
      break;
  }
  return state_.securityResult;
}

int PasswordChecks::AskSoftwarePassword() {
  state_.securityMode = PasswordMode::Software;
  state_.securityResult = -1;
  const auto typed = ui_.EnterPassword(PasswordMode::Software);
  if (typed && *typed == state_.softwarePassword) {
    state_.securityResult = 0;
    return 0;
  }
  if (typed) ui_.ShowError(kLinkWrongPassword);
  return -1;
}

std::optional<std::string> PasswordChecks::AskPagerAccessPassword() {
  state_.securityMode = PasswordMode::PagerAccess;
  state_.securityResult = -1;
  const auto typed = ui_.EnterPassword(PasswordMode::PagerAccess);
  if (!typed) return std::nullopt;
  const std::string scrambled = ScramblePassword(Padded(*typed));
  clock_.DelayMs(kComparePauseMs);
  return scrambled;
}

bool PasswordChecks::ChangePassword(PasswordMode kind) {
  return ChangeCodeplugPassword(state_, ui_, kind);
}

std::optional<std::string> PasswordEntryText(std::string_view typed) {
  if (typed.size() > kPasswordLength) return std::nullopt;
  std::string text;
  for (char c : typed) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ')) return std::nullopt;
    text += c;
  }
  return text;
}

bool PasswordSetInRun(const PasswordState& state, PasswordMode kind) {
  switch (kind) {
    case PasswordMode::Secure:
      return state.securePasswordSet;
    case PasswordMode::Local:
      return state.localPasswordSet;
    case PasswordMode::Ota:
      return state.otaPasswordSet;
    default:
      return false;
  }
}

bool ChangeCodeplugPassword(PasswordState& state, UserInterface& ui, PasswordMode kind) {
  if (kind != PasswordMode::Secure && kind != PasswordMode::Local && kind != PasswordMode::Ota) {
    return false;
  }
  state.securityMode = kind;
  for (;;) {
    const auto entry = ui.EnterNewPassword(kind);
    if (!entry) return false;
    if (entry->newText != entry->verifyText) {
      ui.ShowError(kPasswordVerifyMismatch);
      continue;
    }
    const auto typedNew = PasswordEntryText(entry->newText);
    const auto typedVerify = PasswordEntryText(entry->verifyText);
    // The window's fields never give such a text. From anything else that
    // answers the entry it is not stored half-right: it counts as closed.
    if (!typedNew || !typedVerify) return false;
    const std::string newText = Padded(*typedNew);
    const std::string verifyText = Padded(*typedVerify);
    switch (kind) {
      case PasswordMode::Secure:
        state.securePasswordKnown = newText;
        state.secureVerifyText = verifyText;
        state.securePasswordSet = true;
        break;
      case PasswordMode::Local:
        state.localPasswordKnown = newText;
        state.localPasswordToWrite = newText;
        state.localVerifyText = verifyText;
        state.passwordChanged = true;
        state.localPasswordSet = true;
        break;
      default:
        state.otaPasswordKnown = newText;
        state.otaVerifyText = verifyText;
        state.otaPasswordSet = true;
        break;
    }
    ui.ShowMessageBox(MessageBox{"successfully",
                                 "Please record your password.\nPress OK Button to continue",
                                 MessageIcon::Information, MessageButtons::Ok});
    return true;
  }
}

}  // namespace rer
