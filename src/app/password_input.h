#pragma once
// The entry rules every password field shares: masked with "*", upper case,
// at most 10 characters, and only letters, digits and blanks accepted.

#include <QValidator>

class QLineEdit;

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

}  // namespace rer
