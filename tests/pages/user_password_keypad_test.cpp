#include "pages/user_password_keypad.h"

#include <gtest/gtest.h>

#include "codeplug/decode_texts.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"

namespace rer {
namespace {

using enum PagerKey;

TEST(UserPasswordKeypad, SavedKeysGiveTheCodeWordWithTheFirstKeyHighest) {
  struct Case {
    std::vector<PagerKey> keys;
    std::string digits;
    std::string letters;
    std::uint16_t value;
  };
  const Case cases[] = {
      {{Up, Up}, "22", "UU", 0xA},
      {{Left, Right, Up, Down}, "0123", "LRUD", 0x1B},
      {{Down, Left}, "30", "DL", 0xC},
      {{Down, Down, Down, Down, Down, Down, Down, Down}, "33333333", "DDDDDDDD", 0xFFFF},
      {{Right, Left, Left, Left, Left, Left, Left, Left}, "10000000", "RLLLLLLL", 0x4000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.digits);
    UserPasswordKeypad keypad;
    for (PagerKey key : c.keys) keypad.Press(key);
    ScriptedUserInterface ui;
    const auto saved = keypad.Save(ui);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->digits, c.digits);
    EXPECT_EQ(saved->count, static_cast<int>(c.keys.size()));
    EXPECT_EQ(saved->value, c.value);
    EXPECT_EQ(keypad.Letters(), c.letters);
    EXPECT_TRUE(ui.shown.empty());
    // What decode shows from the stored word and count is what was pressed.
    EXPECT_EQ(UserPasswordDigits(saved->value, saved->count), c.digits);
  }
}

TEST(UserPasswordKeypad, FewerThanTwoKeysCannotBeSaved) {
  for (int presses : {0, 1}) {
    SCOPED_TRACE(presses);
    UserPasswordKeypad keypad;
    for (int i = 0; i < presses; ++i) keypad.Press(Up);
    EXPECT_FALSE(keypad.CanSave());
    ScriptedUserInterface ui;
    EXPECT_FALSE(keypad.Save(ui));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, ComposeError(kUserPasswordTooShort).text);
    EXPECT_EQ(ui.shown[0].text, "Undefined error, Error #-126");
  }
  UserPasswordKeypad two;
  two.Press(Up);
  two.Press(Down);
  EXPECT_TRUE(two.CanSave());
}

TEST(UserPasswordKeypad, EditingKeys) {
  UserPasswordKeypad keypad("0123");
  EXPECT_EQ(keypad.Letters(), "LRUD");
  keypad.Backspace();
  EXPECT_EQ(keypad.Digits(), "012");
  for (int i = 0; i < 7; ++i) keypad.Press(Down);
  EXPECT_EQ(keypad.Digits(), "01233333");  // no more than eight keys
  keypad.DeleteAll();
  EXPECT_EQ(keypad.Count(), 0);
  keypad.Backspace();  // nothing left to drop
  EXPECT_EQ(keypad.Digits(), "");
  // Opening on anything but key digits keeps the keys alone.
  EXPECT_EQ(UserPasswordKeypad("0x3 21\n").Digits(), "0321");
  EXPECT_EQ(UserPasswordKeypad("0000000011").Digits(), "00000000");
}

TEST(UserPasswordKeypad, TypedCharacters) {
  struct Case {
    char32_t typed;
    bool accepted;
    std::string digits;  // after typing into a keypad holding "01"
  };
  const Case cases[] = {
      {U'L', true, "010"}, {U'r', true, "011"}, {U'U', true, "012"}, {U'd', true, "013"},
      {U'2', true, "012"}, {U'x', true, "01"},  {U'7', true, "01"},  {U' ', true, "01"},
      {U'\b', true, "0"},  {U'#', false, "01"}, {U'-', false, "01"}, {U'\u00e9', false, "01"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.typed));
    UserPasswordKeypad keypad("01");
    EXPECT_EQ(keypad.Type(c.typed), c.accepted);
    EXPECT_EQ(keypad.Digits(), c.digits);
  }
}

TEST(UserPasswordKeypad, LettersAsDigits) {
  EXPECT_EQ(UserPasswordDigitsOfLetters("LRUD"), "0123");
  EXPECT_EQ(UserPasswordDigitsOfLetters("uudd"), "2233");
  EXPECT_EQ(UserPasswordDigitsOfLetters(""), "");
  EXPECT_FALSE(UserPasswordDigitsOfLetters("LX"));
  EXPECT_FALSE(UserPasswordDigitsOfLetters("01"));
}

}  // namespace
}  // namespace rer
