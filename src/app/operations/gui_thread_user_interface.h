#pragma once
// Pager operations run on a worker thread so that the window keeps painting
// while the link waits for bytes. Whatever the operation asks of the person
// (questions, passwords, the serial number entry, messages) and shows
// (progress, status) is carried out on the GUI thread by the window's own
// UserInterface; the worker waits for each answer. Within one operation the
// core stays on its one worker thread.

#include <QObject>
#include <functional>

#include "core/user_interface.h"

namespace rer {

// Runs `work` on a worker thread and keeps handling the GUI thread's events
// until it is done. An exception thrown by `work` is thrown again here.
void RunOffGuiThread(const std::function<void()>& work);

class GuiThreadUserInterface : public UserInterface {
 public:
  // `target` belongs to the GUI thread (the thread that creates this object).
  explicit GuiThreadUserInterface(UserInterface& target);
  ~GuiThreadUserInterface() override;

  int ShowMessageBox(const MessageBox& box) override;
  std::optional<std::string> EnterPassword(PasswordMode mode) override;
  std::optional<NewPassword> EnterNewPassword(PasswordMode kind) override;
  std::optional<std::string> EnterUserPasswordKeys(const std::string& digits) override;
  std::optional<SerialPartitionEntry> EnterSerialPartition(
      const SerialPartitionRequest& request) override;
  std::optional<PleasingAlertTune> EditPleasingAlert(const PleasingAlertTune& tune) override;

  void BeginProgress() override;
  void SetProgress(int percent) override;
  void SetSecondsLeft(int seconds) override;
  void SetProgressPhase(ProgressPhase phase) override;
  void EndProgress() override;
  // The GUI thread handles its own events while the worker runs.
  void PumpMessages() override {}
  void SetStatusText(const std::string& text) override;

 private:
  // Runs `call` on the GUI thread and waits for it.
  void OnGuiThread(const std::function<void()>& call);
  // Hands `call` to the GUI thread without waiting (progress and status).
  void PostToGuiThread(std::function<void()> call);

  UserInterface& target_;
  QObject guiThreadObject_;
  int lastPercent_ = -1;
};

}  // namespace rer
