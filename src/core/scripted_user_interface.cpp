#include "core/scripted_user_interface.h"

#include <algorithm>

namespace rer {

int ScriptedUserInterface::ShowMessageBox(const MessageBox& box) {
  shown.push_back(box);
  if (box.buttons == MessageButtons::Ok) return kResultOk;
  if (answers.empty()) return defaultAnswer;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedUserInterface::EnterPassword(PasswordMode mode) {
  passwordAsks.push_back(mode);
  if (passwords.empty()) return std::nullopt;
  auto typed = passwords.front();
  passwords.pop_front();
  return typed;
}

bool ScriptedUserInterface::CanAskPassword(PasswordMode mode) {
  return std::find(unaskablePasswords.begin(), unaskablePasswords.end(), mode) ==
         unaskablePasswords.end();
}

std::optional<UserInterface::NewPassword> ScriptedUserInterface::EnterNewPassword(
    PasswordMode mode) {
  passwordAsks.push_back(mode);
  if (newPasswords.empty()) return std::nullopt;
  auto typed = newPasswords.front();
  newPasswords.pop_front();
  return typed;
}

std::optional<std::string> ScriptedUserInterface::EnterUserPasswordKeys(const std::string& digits) {
  keypadOpenedOn.push_back(digits);
  if (userPasswordKeys.empty()) return std::nullopt;
  auto saved = userPasswordKeys.front();
  userPasswordKeys.pop_front();
  return saved;
}

std::optional<UserInterface::SerialPartitionEntry> ScriptedUserInterface::EnterSerialPartition(
    const SerialPartitionRequest& request) {
  serialPartitionRequests.push_back(request);
  if (serialPartitions.empty()) return std::nullopt;
  auto typed = serialPartitions.front();
  serialPartitions.pop_front();
  return typed;
}

std::optional<UserInterface::PleasingAlertTune> ScriptedUserInterface::EditPleasingAlert(
    const PleasingAlertTune& tune) {
  pleasingAlertOpened.push_back(tune);
  if (pleasingAlertEdits.empty()) return std::nullopt;
  auto edited = pleasingAlertEdits.front();
  pleasingAlertEdits.pop_front();
  return edited;
}

std::vector<std::string> ScriptedUserInterface::Texts() const {
  std::vector<std::string> texts;
  for (const auto& box : shown) texts.push_back(box.text);
  return texts;
}

}  // namespace rer
