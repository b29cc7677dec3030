#pragma once
// TFmSecurity: asks for one password. It only collects the text; the caller
// compares it with what it guards (software, codeplug or pager password).

#include <QDialog>
#include <QString>
#include <optional>

#include "core/user_interface.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace rer {

class TFmSecurity : public QDialog {
  Q_OBJECT

 public:
  explicit TFmSecurity(PasswordMode mode, QWidget* parent = nullptr);

  // The submitted text; nullopt while nothing has been submitted (the dialog
  // was closed, or is still open).
  const std::optional<QString>& submitted() const { return submitted_; }

  // Caption and field label of each mode.
  static QString CaptionFor(PasswordMode mode);
  static QString LabelFor(PasswordMode mode);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Submit();

  QLabel* fieldLabel_;
  QLineEdit* pwdLabelEdit_;
  QPushButton* submitBtn_;
  QPushButton* clearBtn_;
  std::optional<QString> submitted_;
};

}  // namespace rer
