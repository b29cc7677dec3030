#include "app/platform/qt_user_interface.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/dialogs/keyboard_dialog.h"
#include "app/dialogs/memory_sn_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "app/dialogs/pleasing_alert_dialog.h"
#include "app/dialogs/progress_dialog.h"
#include "app/dialogs/security_dialog.h"
#include "app/platform/tone_player.h"

namespace rer {
namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Stop:
      break;
  }
  return QMessageBox::Critical;
}

}  // namespace

QtUserInterface::QtUserInterface(QWidget* parent) : parent_(parent) {}

QWidget* QtUserInterface::BoxParent() const {
  if (progress_) return progress_.data();
  return parent_.data();
}

QtUserInterface::~QtUserInterface() {
  EndProgress();
}

std::unique_ptr<QMessageBox> CreateMessageBox(const MessageBox& box, QWidget* parent) {
  auto dialog = std::make_unique<QMessageBox>(IconOf(box.icon), QString::fromStdString(box.title),
                                              QString::fromStdString(box.text),
                                              QMessageBox::NoButton, parent);
  if (box.buttons == MessageButtons::YesNo) {
    dialog->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    dialog->setDefaultButton(box.defaultNo ? QMessageBox::No : QMessageBox::Yes);
    dialog->setEscapeButton(QMessageBox::No);
  } else {
    dialog->setStandardButtons(QMessageBox::Ok);
  }
  return dialog;
}

int QtUserInterface::ShowMessageBox(const MessageBox& box) {
  const std::unique_ptr<QMessageBox> dialog = CreateMessageBox(box, BoxParent());
  const int button = dialog->exec();
  if (box.buttons == MessageButtons::YesNo) {
    return button == QMessageBox::Yes ? kResultYes : kResultNo;
  }
  return kResultOk;
}

std::optional<std::string> QtUserInterface::EnterPassword(PasswordMode mode) {
  TFmSecurity dialog(mode, BoxParent());
  dialog.exec();
  if (!dialog.submitted()) return std::nullopt;
  return dialog.submitted()->toStdString();
}

std::optional<UserInterface::NewPassword> QtUserInterface::EnterNewPassword(PasswordMode kind) {
  TFmPassword dialog(kind, BoxParent());
  dialog.exec();
  return dialog.submitted();
}

std::optional<std::string> QtUserInterface::EnterUserPasswordKeys(const std::string& digits) {
  TFmKeyboard dialog(digits, *this, BoxParent());
  dialog.exec();
  if (!dialog.saved()) return std::nullopt;
  return dialog.saved()->digits;
}

std::optional<UserInterface::SerialPartitionEntry> QtUserInterface::EnterSerialPartition(
    const SerialPartitionRequest& request) {
  TFmMemorySn dialog(request, BoxParent());
  dialog.exec();
  return dialog.submitted();
}

std::optional<UserInterface::PleasingAlertTune> QtUserInterface::EditPleasingAlert(
    const PleasingAlertTune& tune) {
  TFmPleasingAlert dialog(tune, player_ ? *player_ : ApplicationTonePlayer(), BoxParent());
  dialog.exec();
  // Every way of closing keeps the edits (Esc has put back the tune it was
  // opened on).
  return dialog.tune();
}

void QtUserInterface::BeginProgress() {
  EndProgress();
  progress_ = new TFmProgressBar(parent_);
  progress_->setAttribute(Qt::WA_DeleteOnClose);
  progress_->show();
  QCoreApplication::processEvents();
}

void QtUserInterface::SetProgress(int percent) {
  if (progress_) progress_->SetPercent(percent);
}

void QtUserInterface::SetSecondsLeft(int seconds) {
  if (progress_) progress_->SetSecondsLeft(seconds);
}

void QtUserInterface::SetProgressPhase(ProgressPhase phase) {
  if (progress_) progress_->SetPhase(ProgressPhaseText(phase));
}

void QtUserInterface::EndProgress() {
  if (progress_) progress_->Finish();
  progress_ = nullptr;
}

void QtUserInterface::PumpMessages() {
  QCoreApplication::processEvents();
}

void QtUserInterface::SetStatusText(const std::string& text) {
  if (statusSink_) statusSink_(QString::fromStdString(text));
}

}  // namespace rer
