#pragma once
// TFmPassword: asks for a new SECURE, LOCAL or OTA password and its verify
// entry. The caller compares the two and stores the new password.

#include <QDialog>
#include <QString>
#include <optional>

#include "core/user_interface.h"

class QLineEdit;
class QPushButton;

namespace rer {

class TFmPassword : public QDialog {
  Q_OBJECT

 public:
  explicit TFmPassword(PasswordMode kind, QWidget* parent = nullptr);

  // Both entries as submitted; nullopt when the dialog closed without Submit.
  const std::optional<UserInterface::NewPassword>& submitted() const { return submitted_; }

  static QString CaptionFor(PasswordMode kind);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Submit();

  QLineEdit* ed_newPassword_;
  QLineEdit* ed_verifyPassword_;
  QPushButton* submitBtn_;
  QPushButton* clearBtn_;
  std::optional<UserInterface::NewPassword> submitted_;
};

}  // namespace rer
