#include "prompts/prompt_language.h"

#include <gtest/gtest.h>

#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "prompts/default_prompt_table.h"

namespace rer {
namespace {

int Extended(std::string_view field) {
  return FindPromptByField(field)->extended;
}

TEST(PromptLanguageList, FifteenLatinNamesThenTheChineseTheRomShows) {
  struct Case {
    int cgromType;
    std::string chinese;  // "" when none is offered
  };
  const Case cases[] = {
      {0, ""}, {1, "Traditional Chinese"}, {2, "Simplified Chinese"}, {3, ""}, {99, ""}};
  for (const Case& c : cases) {
    const std::vector<std::string> list = BuildLanguageList(c.cgromType);
    ASSERT_EQ(list.size(), c.chinese.empty() ? 15u : 16u) << c.cgromType;
    EXPECT_EQ(list[0], "English");
    EXPECT_EQ(list[2], "German/Swiss");
    EXPECT_EQ(list[8], "LA & C Portuguese");
    EXPECT_EQ(list[14], "Malay");
    if (!c.chinese.empty()) {
      EXPECT_EQ(list[15], c.chinese);
    }
  }
}

TEST(PromptLanguageList, PositionFifteenMeansTheRomsChinese) {
  EXPECT_EQ(LanguageForListPosition(15, 1), kTraditionalChinese);
  EXPECT_EQ(LanguageForListPosition(15, 2), kSimplifiedChinese);
  EXPECT_EQ(LanguageForListPosition(3, 2), 3);
  EXPECT_EQ(ListPositionForLanguage(kSimplifiedChinese), 15);
  EXPECT_EQ(ListPositionForLanguage(kTraditionalChinese), 15);
  EXPECT_EQ(ListPositionForLanguage(13), 13);
}

TEST(ChoosePromptLanguage, SimplifiedRomLoadsGb2312Defaults) {
  PromptSettings settings;
  settings.texts.fill("OLD");
  ChoosePromptLanguage(settings, 15, 2, false);
  EXPECT_EQ(settings.language, kSimplifiedChinese);
  EXPECT_TRUE(settings.ideoPrompts);
  EXPECT_EQ(settings.texts[Extended("ed_source1Prompt")], "\x40\x34\x54\x34\x23\x31\x21\x21");
  EXPECT_EQ(settings.texts[Extended("ed_sourcePrompt")], "OLD");

  settings.texts[Extended("ed_source1Prompt")] = "EDITED";
  RestorePromptDefault(settings.texts, settings.language, Extended("ed_source1Prompt"));
  EXPECT_EQ(settings.texts[Extended("ed_source1Prompt")], "\x40\x34\x54\x34\x23\x31\x21\x21");
}

TEST(ChoosePromptLanguage, LatinChoiceClearsTheChineseFlag) {
  PromptSettings settings;
  settings.language = kTraditionalChinese;
  settings.ideoPrompts = true;
  ChoosePromptLanguage(settings, 1, 1, true);
  EXPECT_EQ(settings.language, 1);
  EXPECT_FALSE(settings.ideoPrompts);
  EXPECT_EQ(settings.texts[Extended("ed_disablePagerPrompt")], "NICHT ANRUFBAR");
}

TEST(ChineseRom, WhenThePagerCannotShowTheChinesePrompts) {
  struct Case {
    int language;
    int cgromType;
    bool missing;
  };
  const Case cases[] = {
      {kTraditionalChinese, 0, true},
      {kSimplifiedChinese, 0, true},
      {kTraditionalChinese, 2, true},
      {kSimplifiedChinese, 1, true},
      {kTraditionalChinese, 1, false},
      {kSimplifiedChinese, 2, false},
      {kEnglish, 0, false},
      {5, 2, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChineseRomMissing(c.language, c.cgromType), c.missing)
        << "language " << c.language << " CgromType " << c.cgromType;
  }
}

TEST(ChineseRom, MissingRomWarnsAndFallsBackToEnglish) {
  PromptSettings settings;
  ChoosePromptLanguage(settings, 15, 2, true);
  settings.texts[Extended("ed_sourcePrompt")] = "MY SOURCE";
  ScriptedUserInterface ui;
  EXPECT_TRUE(ChangeToEnglishIfNoChineseRom(settings, 0, true, ui));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, ComposeError(kNoChineseRom).text);
  EXPECT_EQ(settings.language, kEnglish);
  EXPECT_FALSE(settings.ideoPrompts);
  EXPECT_EQ(settings.texts[Extended("ed_source1Prompt")], "1-1");
  EXPECT_EQ(settings.texts[Extended("ed_sourcePrompt")], "SOURCE");

  ScriptedUserInterface quiet;
  EXPECT_FALSE(ChangeToEnglishIfNoChineseRom(settings, 0, true, quiet));
  EXPECT_TRUE(quiet.shown.empty());
}

}  // namespace
}  // namespace rer
