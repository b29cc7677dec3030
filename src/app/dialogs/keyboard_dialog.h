#pragma once
// TFmKeyboard: the on-screen keypad of the user password. Its four key
// buttons stand for the pager's Left, Right, Up and Down keys; the rules of
// the keys are those of UserPasswordKeypad.

#include <QDialog>
#include <optional>
#include <string>

#include "core/user_interface.h"
#include "pages/user_password_keypad.h"

class QLineEdit;
class QPushButton;

namespace rer {

class TFmKeyboard : public QDialog {
  Q_OBJECT

 public:
  // Opens on the page's key digits; "Save" reports -126 through `ui`.
  TFmKeyboard(const std::string& digits, UserInterface& ui, QWidget* parent = nullptr);

  // The keys saved; nullopt while nothing was saved (cancelled or still open).
  const std::optional<UserPasswordKeys>& saved() const { return saved_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Refresh();
  void Save();

  UserInterface& ui_;
  UserPasswordKeypad keypad_;
  QLineEdit* digitsField_;
  QLineEdit* lettersField_;
  QPushButton* submitBtn_;
  std::optional<UserPasswordKeys> saved_;
};

}  // namespace rer
