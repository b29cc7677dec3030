#pragma once
// The entry rules every password field shares: masked with "*", upper case,
// at most 10 characters, and only letters, digits and blanks accepted.

#include <QValidator>
#include <functional>

class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace rer {

inline constexpr int kPasswordMaxLength = 10;

// Upper-cases what is typed and refuses any character outside A-Z, 0-9 and blank.
class PasswordValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

// Applies the rules to `field`; `masked` shows "*" for every character.
void MakePasswordField(QLineEdit& field, bool masked);

// The "Submit" and "Clear" buttons of the password dialogs, right-aligned in
// one row. Neither is a default button: Enter belongs to the fields.
struct SubmitClearRow {
  QPushButton* submit;
  QPushButton* clear;
  QHBoxLayout* row;
};
SubmitClearRow MakeSubmitClearRow(QDialog& dialog);

// Enter in `field` moves the focus to `submit` and runs `onSubmit`.
void SubmitOnEnter(QLineEdit& field, QPushButton& submit, std::function<void()> onSubmit);

}  // namespace rer
