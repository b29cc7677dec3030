#include "pages/sequential_programming.h"

#include <gtest/gtest.h>

#include <string>

#include "codeplug/address_codec.h"
#include "core/scripted_user_interface.h"

namespace rer {
namespace {

void SetAddress(EditorSettings& settings, int address, const std::string& capcode,
                int type = kIndividual) {
  settings.SetText(AddressControl::Capcode, address, capcode);
  settings.SetItem(AddressControl::MessageType, address, type);
  settings.SetText(AddressControl::Frame, address, "000");
  settings.SetText(AddressControl::Collapse, address, "2");
}

TEST(SequentialStep, IndividualBlockAdvancesByItsLength) {
  EditorSettings settings;
  SetAddress(settings, 1, "0001000");
  SetAddress(settings, 2, "0001001");
  SetAddress(settings, 3, "0001002");

  const SequentialStep step = AdvanceSequentialAddresses(settings);

  EXPECT_EQ(step.step, 3);
  EXPECT_FALSE(step.conflict);
  EXPECT_EQ(settings.Text(AddressControl::Capcode, 1), "0001003");
  EXPECT_EQ(settings.Text(AddressControl::Capcode, 2), "0001004");
  EXPECT_EQ(settings.Text(AddressControl::Capcode, 3), "0001005");
  for (int address = 1; address <= 3; ++address) {
    EXPECT_EQ(settings.Text(AddressControl::Frame, address), "062") << address;
    EXPECT_EQ(settings.Text(AddressControl::Collapse, address), "4") << address;
    EXPECT_FALSE(settings.Text(AddressControl::FlexAddress, address).empty()) << address;
  }
  EXPECT_TRUE(settings.Text(AddressControl::Capcode, 4).empty());
}

TEST(SequentialCheck, AsksOnlyWhenAnAddressWouldBeHandedOutTwice) {
  struct Case {
    const char* what;
    std::string thirdCapcode;
    int thirdType;
    int answer;
    bool questionAsked;
    bool go;
  };
  const Case cases[] = {
      {"a block of three", "0001002", kIndividual, kResultNo, false, true},
      {"a Group inside the block, Yes", "0001002", kGroup, kResultYes, true, true},
      {"a Group inside the block, No", "0001002", kGroup, kResultNo, true, false},
      {"an Individual outside the block, No", "0005000", kIndividual, kResultNo, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EditorSettings settings;
    SetAddress(settings, 1, "0001000");
    SetAddress(settings, 2, "0001001");
    SetAddress(settings, 3, c.thirdCapcode, c.thirdType);
    ScriptedUserInterface ui;
    ui.answers.push_back(c.answer);

    EXPECT_EQ(SequentialCheck(settings, ui), c.go);

    ASSERT_EQ(ui.shown.size(), c.questionAsked ? 1u : 0u);
    if (c.questionAsked) {
      EXPECT_EQ(ui.shown[0].text, ComposeQuestion(kQuestionSequentialDuplicates).text);
      EXPECT_EQ(ui.shown[0].title, "");
    }
    EXPECT_EQ(settings.Text(AddressControl::Capcode, 1), "0001000");  // the check moves nothing
  }
}

TEST(SequentialStep, GroupInsideTheBlockDoesNotMove) {
  EditorSettings settings;
  SetAddress(settings, 1, "0001000");
  SetAddress(settings, 2, "0001001");
  SetAddress(settings, 3, "0001002");
  SetAddress(settings, 5, "0001003", kGroup);

  const SequentialStep step = AdvanceSequentialAddresses(settings);

  EXPECT_TRUE(step.conflict);
  EXPECT_EQ(settings.Text(AddressControl::Capcode, 1), "0001003");
  EXPECT_EQ(settings.Text(AddressControl::Capcode, 5), "0001003");
  EXPECT_EQ(settings.Text(AddressControl::Collapse, 5), "2");  // a Group address keeps its own
}

TEST(SequentialStep, IndividualOutsideTheBlockMovesByOne) {
  EditorSettings settings;
  SetAddress(settings, 1, "0001000");
  SetAddress(settings, 2, "0001001");
  SetAddress(settings, 3, "0005000");

  const SequentialStep step = AdvanceSequentialAddresses(settings);

  EXPECT_EQ(step.step, 2);
  EXPECT_TRUE(step.conflict);
  EXPECT_EQ(settings.Text(AddressControl::Capcode, 1), "0001002");
  EXPECT_EQ(settings.Text(AddressControl::Capcode, 2), "0001003");
  EXPECT_EQ(settings.Text(AddressControl::Capcode, 3), "0005001");
  EXPECT_EQ(settings.Text(AddressControl::Frame, 3), "056");  // 5001 / 16 mod 128
}

TEST(AdvanceCapcode, EachRangeWrapsToItsStart) {
  struct Case {
    std::uint32_t value, step, expected;
  };
  const Case cases[] = {
      {1933312, 1, 1},         {1933310, 3, 1},           {1000, 3, 1003},
      {2025471, 1, 2009088},   {2025470, 1, 2025471},     {2009088, 2, 2009090},
      {999999999, 1, 2101249}, {999999998, 1, 999999999}, {2101249, 5, 2101254},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AdvanceCapcode(c.value, c.step), c.expected) << c.value << " + " << c.step;
  }
}

TEST(AdvanceCapcode, WrappedCapcodeIsPrintedWithSevenDigits) {
  EditorSettings settings;
  SetAddress(settings, 1, "1933312");
  AdvanceSequentialAddresses(settings);
  EXPECT_EQ(settings.Text(AddressControl::Capcode, 1), "0000001");
  EXPECT_EQ(settings.Text(AddressControl::Frame, 1), "000");
}

TEST(InventoryNumber, TrailingCounterKeepsItsWidth) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"UNIT0099", "UNIT0100"},
      {"UNIT0099  ", "UNIT0100"},  // trailing blanks dropped
      {"A1B009", "A1B010"},
      {"0000000009", "0000000010"},
      {"UNIT999", "UNIT1000"},       // room left: the counter grows a digit
      {"ABCDEFG999", "ABCDEFG000"},  // full width: starts again at zero
      {"9999999999", "0000000000"},
      {"UNIT", "UNIT"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AdvanceInventoryNumber(c.before), c.after) << c.before;
  }
}

TEST(InventoryNumber, AdvancesWithTheAddresses) {
  EditorSettings settings;
  SetAddress(settings, 1, "0001000");
  settings.SetText("ed_ICN", "UNIT0099");
  AdvanceSequentialAddresses(settings);
  EXPECT_EQ(settings.Text("ed_ICN"), "UNIT0100");
}

TEST(SequentialAdvance, OfferedOnlyForValidDistinctCapcodes) {
  EditorSettings settings;
  SetAddress(settings, 1, "0001000");
  SetAddress(settings, 3, "0001002");
  EXPECT_TRUE(SequentialAdvancePossible(settings));
  SetAddress(settings, 5, "1000");
  EXPECT_FALSE(SequentialAdvancePossible(settings));
  SetAddress(settings, 5, "1933313");
  EXPECT_FALSE(SequentialAdvancePossible(settings));
}

}  // namespace
}  // namespace rer
