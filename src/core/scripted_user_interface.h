#pragma once
// A UserInterface that records every box and answers from a script; used by
// tests and by the command line, where options stand in for a person.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/user_interface.h"

namespace rer {

class ScriptedUserInterface : public UserInterface {
 public:
  // Answers for Yes/No boxes, taken in order; when empty, `defaultAnswer`.
  std::deque<int> answers;
  int defaultAnswer = kResultNo;
  // Texts typed into password entries, taken in order; nullopt = closed.
  std::deque<std::optional<std::string>> passwords;
  // Password kinds that cannot be asked for at all (see CanAskPassword).
  std::vector<PasswordMode> unaskablePasswords;

  // Entries typed into the change-password form, taken in order.
  std::deque<std::optional<NewPassword>> newPasswords;

  // Keys saved on the user-password keypad, taken in order; nullopt =
  // cancelled. The digits each keypad opened on are recorded.
  std::deque<std::optional<std::string>> userPasswordKeys;
  std::vector<std::string> keypadOpenedOn;

  // Entries of the serial number and memory partition form, taken in order;
  // nullopt = cancelled. Every request is recorded.
  std::deque<std::optional<SerialPartitionEntry>> serialPartitions;
  std::vector<SerialPartitionRequest> serialPartitionRequests;

  // What the pleasing alert editor returns, taken in order; when empty (or
  // nullopt) the tune stays. Every tune the editor was opened on is recorded.
  std::deque<std::optional<PleasingAlertTune>> pleasingAlertEdits;
  std::vector<PleasingAlertTune> pleasingAlertOpened;

  std::vector<MessageBox> shown;  // every box, in order
  std::vector<PasswordMode> passwordAsks;
  std::vector<int> progress;  // every progress value reported
  std::vector<std::string> statusTexts;
  int pumps = 0;

  int ShowMessageBox(const MessageBox& box) override;
  std::optional<std::string> EnterPassword(PasswordMode mode) override;
  bool CanAskPassword(PasswordMode mode) override;
  std::optional<NewPassword> EnterNewPassword(PasswordMode kind) override;
  std::optional<std::string> EnterUserPasswordKeys(const std::string& digits) override;
  std::optional<SerialPartitionEntry> EnterSerialPartition(
      const SerialPartitionRequest& request) override;
  std::optional<PleasingAlertTune> EditPleasingAlert(const PleasingAlertTune& tune) override;
  void SetProgress(int percent) override { progress.push_back(percent); }
  void PumpMessages() override { ++pumps; }
  void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }

  // Convenience for assertions: the texts of the boxes shown so far.
  std::vector<std::string> Texts() const;
};

}  // namespace rer
