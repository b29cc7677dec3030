#pragma once
// Everything the core asks of a person or a window. The Qt application
// implements it with dialogs; the command line answers from its options;
// tests use ScriptedUserInterface.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/messages.h"

namespace rer {

// Kinds of password entry, numbered as the password state numbers them.
enum class PasswordMode : int {
  Secure = 0,
  Local = 2,
  Ota = 3,
  Software = 4,
  PagerAccess = 5,
  PagerLocal = 7,
};

// What a pager operation is doing at the moment, for the progress box.
enum class ProgressPhase { Reading, Writing, Waiting };

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // Shows the message of `code` with OK; always returns kResultOk.
  int ShowError(int code);
  // Asks the Yes/No question of `code`; returns kResultYes or kResultNo.
  int AskQuestion(int code);

  // Where ShowError finds the counters and texts that some messages quote.
  void SetContextSource(std::function<MessageContext()> source) {
    contextSource_ = std::move(source);
  }
  MessageContext CurrentContext() const {
    return contextSource_ ? contextSource_() : MessageContext{};
  }

  // Shows a composed box modally; returns kResultOk, kResultYes or kResultNo.
  virtual int ShowMessageBox(const MessageBox& box) = 0;

  // Asks for one password; nullopt when the entry was closed without submit.
  virtual std::optional<std::string> EnterPassword(PasswordMode mode) = 0;

  // Whether a password of `mode` can be asked for at all. A window always
  // can; a script has nothing to type for a password it was not given, and
  // then the pager link ends the run before a single password byte goes
  // out, so that the pager counts no wrong try.
  virtual bool CanAskPassword(PasswordMode /*mode*/) { return true; }

  // Asks for a new password and its verify entry for a SECURE, LOCAL or OTA
  // change; nullopt when the entry was closed without submit. Called again
  // after a mismatch has been reported.
  struct NewPassword {
    std::string newText;
    std::string verifyText;
  };
  virtual std::optional<NewPassword> EnterNewPassword(PasswordMode /*kind*/) {
    return std::nullopt;
  }

  // The on-screen keypad of the user password, opened on the key digits
  // "0"-"3" the page holds: the digits saved, or nullopt when cancelled.
  virtual std::optional<std::string> EnterUserPasswordKeys(const std::string& /*digits*/) {
    return std::nullopt;
  }

  // The serial number and memory partition entry for a pager that holds no
  // codeplug yet. The two lists always stand on the same index; without
  // lists only the serial number is asked. nullopt when cancelled.
  struct SerialPartitionRequest {
    std::vector<std::string> personalItems;
    std::vector<std::string> maildropItems;
    int selectedIndex = 0;
  };
  struct SerialPartitionEntry {
    std::string serialNumber;
    int selectedIndex = 0;
  };
  virtual std::optional<SerialPartitionEntry> EnterSerialPartition(
      const SerialPartitionRequest& /*request*/) {
    return std::nullopt;
  }

  // The sixteen note bytes of the programmable pleasing alert, in playing order.
  using PleasingAlertTune = std::array<std::uint8_t, 16>;
  // Opens the pleasing alert editor on `tune` and returns the notes as the
  // editor leaves them; nullopt where there is no editor to open (a script),
  // and then the tune stays as it is.
  virtual std::optional<PleasingAlertTune> EditPleasingAlert(const PleasingAlertTune& /*tune*/) {
    return std::nullopt;
  }

  // Progress of a pager operation, 0..100; Begin/End bracket the operation.
  virtual void BeginProgress() {}
  virtual void SetProgress(int /*percent*/) {}
  // During a long pause: the whole seconds still to wait.
  virtual void SetSecondsLeft(int /*seconds*/) {}
  // Receiving a block, sending one, or pausing for the pager.
  virtual void SetProgressPhase(ProgressPhase /*phase*/) {}
  virtual void EndProgress() {}
  // Lets pending window messages through (repaint, input) during blocking work.
  virtual void PumpMessages() {}
  virtual void SetStatusText(const std::string& /*text*/) {}

 private:
  std::function<MessageContext()> contextSource_;
};

}  // namespace rer
