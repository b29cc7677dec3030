#include "pages/user_password_keypad.h"

#include "codeplug/decode_texts.h"
#include "core/result_codes.h"

namespace rer {
namespace {

constexpr char32_t kBackspace = U'\b';
constexpr std::string_view kKeyLetters = "LRUD";

std::optional<PagerKey> KeyOfCharacter(char32_t character) {
  if (character >= U'0' && character <= U'3') return static_cast<PagerKey>(character - U'0');
  if (character >= U'a' && character <= U'z') character -= U'a' - U'A';
  for (std::size_t key = 0; key < kKeyLetters.size(); ++key) {
    if (character == static_cast<char32_t>(kKeyLetters[key])) return static_cast<PagerKey>(key);
  }
  return std::nullopt;
}

bool IsKeypadFieldCharacter(char32_t character) {
  return (character >= U'A' && character <= U'Z') || (character >= U'a' && character <= U'z') ||
         (character >= U'0' && character <= U'9') || character == U' ';
}

}  // namespace

UserPasswordKeypad::UserPasswordKeypad(std::string_view digits) {
  for (char digit : digits) {
    if (digit >= '0' && digit <= '3' && Count() < kUserPasswordMaxKeys) digits_ += digit;
  }
}

void UserPasswordKeypad::Press(PagerKey key) {
  if (Count() >= kUserPasswordMaxKeys) return;
  digits_ += static_cast<char>('0' + static_cast<int>(key));
}

void UserPasswordKeypad::Backspace() {
  if (!digits_.empty()) digits_.pop_back();
}

void UserPasswordKeypad::DeleteAll() {
  digits_.clear();
}

bool UserPasswordKeypad::Type(char32_t character) {
  if (character == kBackspace) {
    Backspace();
    return true;
  }
  if (!IsKeypadFieldCharacter(character)) return false;
  // Other letters, digits and the blank are no key of the pager.
  if (const auto key = KeyOfCharacter(character)) Press(*key);
  return true;
}

std::string UserPasswordKeypad::Letters() const {
  return UserPasswordLetters(digits_);
}

std::optional<UserPasswordKeys> UserPasswordKeypad::Save(UserInterface& ui) const {
  if (!CanSave()) {
    ui.ShowError(kUserPasswordTooShort);
    return std::nullopt;
  }
  return UserPasswordKeys{digits_, Count(), UserPasswordCode(digits_)};
}

std::optional<std::string> UserPasswordDigitsOfLetters(std::string_view letters) {
  std::string digits;
  for (char letter : letters) {
    const auto key = letter >= '0' && letter <= '9' ? std::nullopt : KeyOfCharacter(letter);
    if (!key) return std::nullopt;
    digits += static_cast<char>('0' + static_cast<int>(*key));
  }
  return digits;
}

}  // namespace rer
