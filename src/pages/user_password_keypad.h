#pragma once
// The on-screen keypad of the user password, without its widgets: the pager
// asks for this password with its four direction keys, so the keypad has
// one button for each and keeps the keys pressed as the digits "0" (Left),
// "1" (Right), "2" (Up) and "3" (Down). The window's keypad dialog and
// rer-cli apply both enter keys through it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/user_interface.h"

namespace rer {

enum class PagerKey : int { Left = 0, Right = 1, Up = 2, Down = 3 };

inline constexpr int kUserPasswordMinKeys = 2;
inline constexpr int kUserPasswordMaxKeys = 8;

// A saved user password: its key digits, how many keys, and the code word
// the codeplug stores (two bits per key, the first key highest).
struct UserPasswordKeys {
  std::string digits;
  int count = 0;
  std::uint16_t value = 0;
};

class UserPasswordKeypad {
 public:
  // Opens on the digits the page holds; anything but "0"-"3" is dropped and
  // no more than eight keys are kept.
  explicit UserPasswordKeypad(std::string_view digits = {});

  // A key button: appends the key while fewer than eight are present.
  void Press(PagerKey key);
  // "Backspace": drops the last key. "Delete All": drops every key.
  void Backspace();
  void DeleteAll();
  // A character typed into the keypad's field, which takes letters, digits
  // and blanks: "L", "R", "U", "D" (either case) and "0"-"3" press their key,
  // backspace drops the last key. False for a character the field refuses.
  bool Type(char32_t character);

  const std::string& Digits() const { return digits_; }
  // The same keys as the letters L, R, U, D.
  std::string Letters() const;
  int Count() const { return static_cast<int>(digits_.size()); }
  // "Save" is offered only from two keys on.
  bool CanSave() const { return Count() >= kUserPasswordMinKeys; }

  // "Save": the keys to store; with fewer than two keys shows -126 and
  // gives nullopt.
  std::optional<UserPasswordKeys> Save(UserInterface& ui) const;

 private:
  std::string digits_;
};

// The keys of a user password written as the keypad shows them ("LRUD",
// either case) as key digits; nullopt for any other character.
std::optional<std::string> UserPasswordDigitsOfLetters(std::string_view letters);

}  // namespace rer
