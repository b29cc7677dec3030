#include "prompts/prompt_catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "prompts/chinese_prompt_slots.h"

namespace rer {
namespace {

TEST(PromptCatalogue, NumberingsFindTheirPrompts) {
  struct Case {
    int number;
    PromptNumbering numbering;
    const char* field;  // nullptr: none
  };
  const Case cases[] = {
      {0, PromptNumbering::kClassic, "ed_privateTimePrompt"},
      {12, PromptNumbering::kClassic, "ed_setTimeAlarmPrompt"},
      {48, PromptNumbering::kClassic, "ed_setTimePrompt"},
      {52, PromptNumbering::kClassic, "ed_toneOnly8Prompt"},
      {53, PromptNumbering::kClassic, "ed_DutySource"},
      {55, PromptNumbering::kClassic, "ed_PASSWORD_KEY_PROMPT"},
      {56, PromptNumbering::kClassic, nullptr},
      {2, PromptNumbering::kExtended, "ed_setOffDutyPrompt"},
      {74, PromptNumbering::kExtended, "ed_PASSWORD_KEY_PROMPT"},
      {75, PromptNumbering::kExtended, nullptr},
      {-1, PromptNumbering::kClassic, nullptr},
  };
  for (const Case& c : cases) {
    const PromptInfo* prompt = FindPrompt(c.number, c.numbering);
    if (c.field == nullptr) {
      EXPECT_EQ(prompt, nullptr) << c.number;
    } else {
      ASSERT_NE(prompt, nullptr) << c.number;
      EXPECT_EQ(prompt->field, c.field);
    }
  }
}

TEST(PromptCatalogue, StoredOrdersCoverEachPromptOnce) {
  for (PromptNumbering numbering : {PromptNumbering::kClassic, PromptNumbering::kExtended}) {
    std::set<int> seen;
    for (int position = 0; position < StoredPromptCount(numbering); ++position) {
      seen.insert(StoredPrompt(position, numbering).extended);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(StoredPromptCount(numbering)));
  }
  std::set<int> pageThree;
  for (const PromptInfo& prompt : PromptCatalogue()) {
    if (prompt.page == 3) {
      EXPECT_EQ(prompt.classic, kNoPromptNumber) << prompt.field;
      pageThree.insert(prompt.extended);
    }
  }
  EXPECT_EQ(pageThree.size(), 19u);
  EXPECT_EQ(FindPromptByField("ed_onPrompt")->width, 9);
  EXPECT_EQ(FindPromptByField("ed_pleasantAlertPrompt")->width, 18);
  EXPECT_EQ(FindPromptByField("ed_nothing"), nullptr);
}

TEST(ChinesePromptSlots, EachClassicPromptHasOneSlotOfItsFieldSizeInTheArea) {
  std::set<std::string_view> fields;
  for (const ChinesePromptSlot& slot : ChinesePromptSlots()) {
    const PromptInfo* prompt = FindPromptByField(slot.field);
    ASSERT_NE(prompt, nullptr) << slot.field;
    EXPECT_EQ(static_cast<int>(slot.width), prompt->chineseBytes) << slot.field;
    EXPECT_GE(slot.offset, 0x054u) << slot.field;
    EXPECT_LE(slot.offset + slot.width, 0x226u) << slot.field;
    fields.insert(slot.field);
  }
  EXPECT_EQ(fields.size(), static_cast<std::size_t>(kClassicPromptCount));
}

TEST(ChinesePromptSlots, ReadingCopiesEachSlotByteForByte) {
  std::vector<std::uint8_t> image(1024, 0x21);
  const std::string greeting = "\x3B\x36\x53\x2D\x4A\x39\x53\x43\x31\x3E\x3B\x7A\x21\x21";
  std::copy(greeting.begin(), greeting.end(), image.begin() + 0x192);
  const std::string source16 = "\x40\x34\x54\x34\x23\x31\x23\x36";
  std::copy(source16.begin(), source16.end(), image.begin() + 0x17A);
  image[0x1D6 + 2] = 0;  // a zero byte ends ed_onPrompt early
  PromptTexts texts;
  texts.fill("OLD");
  ReadChinesePromptSlots(image, texts);
  EXPECT_EQ(texts[FindPromptByField("ed_powerUpPrompt")->extended], greeting);
  EXPECT_EQ(texts[FindPromptByField("ed_source16Prompt")->extended], source16);
  EXPECT_EQ(texts[FindPromptByField("ed_onPrompt")->extended], "\x21\x21");
  EXPECT_EQ(texts[FindPromptByField("ed_privateTimePrompt")->extended], std::string(12, 0x21));
  EXPECT_EQ(texts[FindPromptByField("ed_sourcePrompt")->extended], "OLD");
}

}  // namespace
}  // namespace rer
