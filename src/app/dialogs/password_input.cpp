#include "app/dialogs/password_input.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "pager/password_state.h"

namespace rer {
QValidator::State PasswordValidator::validate(QString& input, int& /*pos*/) const {
  // The same rule as every other way a password is given (a script too).
  const auto text = PasswordEntryText(input.toStdString());
  if (!text) return Invalid;
  input = QString::fromStdString(*text);
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

SubmitClearRow MakeSubmitClearRow(QDialog& dialog) {
  SubmitClearRow buttons{new QPushButton("Submit", &dialog), new QPushButton("Clear", &dialog),
                         new QHBoxLayout};
  buttons.submit->setObjectName("submitBtn");
  buttons.clear->setObjectName("clearBtn");
  for (QPushButton* button : {buttons.submit, buttons.clear}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  buttons.row->addStretch();
  buttons.row->addWidget(buttons.submit);
  buttons.row->addWidget(buttons.clear);
  return buttons;
}

void SubmitOnEnter(QLineEdit& field, QPushButton& submit, std::function<void()> onSubmit) {
  QObject::connect(&field, &QLineEdit::returnPressed, &submit,
                   [&submit, onSubmit = std::move(onSubmit)] {
                     submit.setFocus();
                     onSubmit();
                   });
}

}  // namespace rer
