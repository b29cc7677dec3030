#pragma once
// The UserInterface of the windowed program: message boxes, the password
// dialogs, the progress box and the message pump.

#include <QPointer>
#include <functional>
#include <memory>

#include "app/dialogs/progress_dialog.h"
#include "core/user_interface.h"

class QMessageBox;
class QWidget;

namespace rer {

class TonePlayer;

// The box ShowMessageBox shows for `box`, not yet opened.
std::unique_ptr<QMessageBox> CreateMessageBox(const MessageBox& box, QWidget* parent);

class QtUserInterface : public UserInterface {
 public:
  explicit QtUserInterface(QWidget* parent = nullptr);
  ~QtUserInterface() override;

  // The window the boxes are modal to.
  void SetParentWindow(QWidget* parent) { parent_ = parent; }
  // What the pleasing alert editor plays (default: the application's speaker).
  void SetTonePlayer(TonePlayer* player) { player_ = player; }
  // Where SetStatusText goes (the main window's first status panel).
  void SetStatusSink(std::function<void(const QString&)> sink) { statusSink_ = std::move(sink); }

  int ShowMessageBox(const MessageBox& box) override;
  std::optional<std::string> EnterPassword(PasswordMode mode) override;
  std::optional<NewPassword> EnterNewPassword(PasswordMode kind) override;
  std::optional<std::string> EnterUserPasswordKeys(const std::string& digits) override;
  std::optional<SerialPartitionEntry> EnterSerialPartition(
      const SerialPartitionRequest& request) override;
  // TFmPleasingAlert, modal to the window.
  std::optional<PleasingAlertTune> EditPleasingAlert(const PleasingAlertTune& tune) override;

  void BeginProgress() override;
  void SetProgress(int percent) override;
  void SetSecondsLeft(int seconds) override;
  void SetProgressPhase(ProgressPhase phase) override;
  void EndProgress() override;
  void PumpMessages() override;
  void SetStatusText(const std::string& text) override;

  // The open progress box, or null.
  TFmProgressBar* progressBox() const { return progress_; }

 private:
  // The parent of a box: the progress box while one is open, so that the
  // box opens above it, otherwise the window.
  QWidget* BoxParent() const;

  QPointer<QWidget> parent_;
  QPointer<TFmProgressBar> progress_;
  TonePlayer* player_ = nullptr;
  std::function<void(const QString&)> statusSink_;
};

}  // namespace rer
