#include "app/password_input.h"

#include <QLineEdit>

namespace rer {
namespace {

bool IsPasswordCharacter(QChar c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
}

}  // namespace

QValidator::State PasswordValidator::validate(QString& input, int& /*pos*/) const {
  input = input.toUpper();
  if (input.size() > kPasswordMaxLength) return Invalid;
  for (QChar c : input) {
    if (!IsPasswordCharacter(c)) return Invalid;
  }
  return Acceptable;
}

void MakePasswordField(QLineEdit& field, bool masked) {
  field.setMaxLength(kPasswordMaxLength);
  field.setValidator(new PasswordValidator(&field));
  if (masked) {
    field.setEchoMode(QLineEdit::Password);
    // The mask character is "*" on every platform, not the style's bullet.
    field.setStyleSheet("lineedit-password-character: 42");
  }
}

}  // namespace rer
