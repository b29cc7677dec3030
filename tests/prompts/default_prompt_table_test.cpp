#include "prompts/default_prompt_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>

#include "prompts/prompt_alphabet.h"

namespace rer {
namespace {

constexpr int kGerman = 1, kGermanSwiss = 2, kFrench = 3, kItalian = 11;

const PromptInfo& Prompt(std::string_view field) {
  const PromptInfo* prompt = FindPromptByField(field);
  EXPECT_NE(prompt, nullptr) << field;
  return *prompt;
}

bool HasClassicField(const PromptInfo& prompt) {
  return prompt.classic != kNoPromptNumber && !prompt.classicLookupOnly;
}

TEST(DefaultPromptTables, EveryPromptHasALatinDefaultInEveryLanguage) {
  for (const PromptInfo& prompt : PromptCatalogue()) {
    for (int language = 0; language < kLatinLanguageCount; ++language) {
      const std::string_view text = LatinDefault(language, prompt);
      EXPECT_FALSE(text.empty()) << prompt.field << " language " << language;
      EXPECT_LE(text.size(), 20u) << prompt.field << " language " << language;
      EXPECT_NE(text.front(), ' ') << prompt.field << " language " << language;
      const bool padded = prompt.field == "ed_setMsgAlarmPrompt";
      if (padded) {
        EXPECT_EQ(text.size(), 20u) << "language " << language;
      } else {
        EXPECT_NE(text.back(), ' ') << prompt.field << " language " << language;
      }
      for (char c : text) {
        EXPECT_NE(kPromptAlphabet.find(static_cast<char>(std::toupper(c))), std::string_view::npos)
            << prompt.field << " language " << language << " char " << c;
      }
    }
  }
}

TEST(DefaultPromptTables, ChineseDefaultsFillTheirFieldsWithSevenBitIdeographs) {
  for (const PromptInfo& prompt : PromptCatalogue()) {
    for (int language : {kTraditionalChinese, kSimplifiedChinese}) {
      const std::string_view text = ChineseDefault(language, prompt);
      EXPECT_EQ(text.size(), static_cast<std::size_t>(prompt.chineseBytes)) << prompt.field;
      EXPECT_EQ(HasClassicField(prompt), prompt.chineseBytes > 0) << prompt.field;
      for (char c : text) {
        EXPECT_GE(c, 0x21) << prompt.field;
        EXPECT_LE(c, 0x7E) << prompt.field;
      }
    }
  }
}

TEST(DefaultPromptTables, ChineseExamples) {
  struct Case {
    std::string_view field;
    int language;
    std::string bytes;
  };
  const Case cases[] = {
      {"ed_source1Prompt", kSimplifiedChinese, "\x40\x34\x54\x34\x23\x31\x21\x21"},
      {"ed_source10Prompt", kTraditionalChinese, "\x4B\x74\x64\x63\x24\x22\x24\x21"},
      // Ten bytes in the table, cut to the 8-byte field.
      {"ed_setLockPrompt", kSimplifiedChinese, "\x50\x45\x4F\x22\x4B\x78\x36\x28"},
      {"ed_chirpSilentPrompt", kTraditionalChinese,
       "\x5E\x24\x6B\x78\x6A\x58\x55\x58\x59\x2F\x7A\x40\x46\x7C"},
  };
  for (const Case& c : cases) EXPECT_EQ(ChineseDefault(c.language, Prompt(c.field)), c.bytes);
  // The power-up greeting: seven ideographs, the last an ideographic space.
  for (int language : {kTraditionalChinese, kSimplifiedChinese}) {
    const std::string_view greeting = ChineseDefault(language, Prompt("ed_powerUpPrompt"));
    ASSERT_EQ(greeting.size(), 14u);
    EXPECT_EQ(greeting.substr(12), "\x21\x21");
    EXPECT_EQ(greeting.substr(0, 12).find("\x21\x21"), std::string_view::npos);
  }
}

TEST(DefaultPromptTables, SomePromptsAreTheSameInEveryLanguage) {
  for (std::string_view field :
       {"ed_powerUpPrompt", "ed_source16Prompt", "ed_toneOnly8Prompt", "ed_groupPrompt",
        "ed_setTimePrompt", "ed_chirpSilentPrompt", "ed_DutySource", "ed_PASSWORD_KEY_PROMPT",
        "ed_dutyEnablePrompt", "ed_sourcePrompt"}) {
    for (int language = 1; language < kLatinLanguageCount; ++language) {
      EXPECT_EQ(LatinDefault(language, Prompt(field)), LatinDefault(kEnglish, Prompt(field)))
          << field << " language " << language;
    }
  }
  EXPECT_EQ(LatinDefault(kGerman, Prompt("ed_deletePrompt")), "NACHRICHT L\\SCHEN");
  EXPECT_EQ(LatinDefault(kGermanSwiss, Prompt("ed_deletePrompt")), "NACHRICHT LOESCHEN");
  EXPECT_EQ(LatinDefault(kFrench, Prompt("ed_disableMaildropPrompt")), "PAS DE BIP SUR\"INFO\"");
  EXPECT_EQ(LatinDefault(kGerman, Prompt("ed_setMsgAlarmPrompt")), "TERMINALARM         ");
  EXPECT_EQ(LatinDefault(kEnglish, Prompt("ed_setMsgAlarmPrompt")), "SET MESSAGE ALARM   ");
}

TEST(CenterInField, Cases) {
  struct Case {
    std::string text;
    std::size_t width;
    std::string expected;
  };
  const Case cases[] = {
      {"ON", 9, "   ON    "},
      {"MARCHE", 9, " MARCHE  "},
      {"  ON  ", 9, "   ON    "},
      {"", 20, std::string(20, ' ')},
      {"    ", 20, std::string(20, ' ')},
      {"ABCD", 5, "ABCD "},
      {std::string(20, 'A'), 20, std::string(20, 'A')},
      {"  " + std::string(20, 'A') + " ", 20, "  " + std::string(20, 'A') + " "},
      {std::string(23, 'B'), 20, std::string(23, 'B')},
      {"ABC", 0, "ABC"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CenterInField(c.text, c.width), c.expected) << '"' << c.text << "\" " << c.width;
  }
}

TEST(DefaultPromptText, CentresClassicLatinTextsOnly) {
  struct Case {
    int language;
    int number;
    PromptNumbering numbering;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {kFrench, 43, PromptNumbering::kClassic, " MARCHE  "},
      {kFrench, 46, PromptNumbering::kExtended, "MARCHE"},
      {kEnglish, 53, PromptNumbering::kClassic, "       Source       "},  // ed_DutySource
      {kEnglish, 55, PromptNumbering::kClassic, "DIRECTION KEY INPUT "},
      {kEnglish, 72, PromptNumbering::kExtended, "Source"},
      {kEnglish, 56, PromptNumbering::kClassic, std::nullopt},
      {kEnglish, 75, PromptNumbering::kExtended, std::nullopt},
      {kEnglish, -1, PromptNumbering::kExtended, std::nullopt},
      {-1, 0, PromptNumbering::kExtended, std::nullopt},
      // Chinese: as stored, never centred; prompts without a field have none.
      {kTraditionalChinese, 43, PromptNumbering::kClassic, "\x62\x64\x71\x22\x21\x21"},
      {kSimplifiedChinese, 71, PromptNumbering::kExtended, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultPromptText(c.language, c.number, c.numbering), c.expected)
        << "language " << c.language << " number " << c.number;
  }
}

TEST(ApplyLanguageDefaults, LoadsTheLanguageUncentred) {
  PromptTexts texts;
  texts.fill("OLD");
  ApplyLanguageDefaults(texts, kGerman, true);
  EXPECT_EQ(texts[Prompt("ed_disablePagerPrompt").extended], "NICHT ANRUFBAR");
  EXPECT_EQ(texts[Prompt("ed_privateTimePrompt").extended], "EMPF[NGER EIN/AUS");
  EXPECT_EQ(texts[Prompt("ed_onPrompt").extended], "EIN");
  EXPECT_EQ(texts[Prompt("ed_sourcePrompt").extended], "SOURCE");
  ApplyLanguageDefaults(texts, kGermanSwiss, true);
  EXPECT_EQ(texts[Prompt("ed_privateTimePrompt").extended], "EMPFAENGER EIN/AUS");
}

TEST(ApplyLanguageDefaults, LeavesPromptsWithoutDefaultsInPlace) {
  struct Case {
    int language;
    bool largeLayout;
    bool extendedOnesLoaded;
  };
  const Case cases[] = {{kFrench, false, false},
                        {kFrench, true, true},
                        {kTraditionalChinese, true, false},
                        {kSimplifiedChinese, false, false}};
  for (const Case& c : cases) {
    PromptTexts texts;
    texts.fill("OLD");
    ApplyLanguageDefaults(texts, c.language, c.largeLayout);
    for (const PromptInfo& prompt : PromptCatalogue()) {
      const bool loaded = HasClassicField(prompt) || c.extendedOnesLoaded;
      EXPECT_EQ(texts[prompt.extended] != "OLD", loaded)
          << prompt.field << " language " << c.language;
    }
  }
}

TEST(RestorePromptDefault, AltDGivesTheUncentredDefault) {
  struct Case {
    std::string_view field;
    int language;
    std::string expected;
  };
  const Case cases[] = {
      {"ed_setTimePrompt", kItalian, "SET TIME"},
      {"ed_setTimePrompt", kFrench, "SET TIME"},
      {"ed_setTimeAlarmPrompt", kItalian, "IMPOSTA ORA"},
      {"ed_setTimeAlarmPrompt", kFrench, "REGLAGE DE L'HEURE"},
      {"ed_onPrompt", kFrench, "MARCHE"},
      {"ed_source1Prompt", kSimplifiedChinese, "\x40\x34\x54\x34\x23\x31\x21\x21"},
      // Chinese stand-ins for the extended Prompt 2 fields.
      {"ed_DutySource", kSimplifiedChinese, "\x49\x68\x50\x45\x4F\x22\x44\x56\x56\x53"},
      {"ed_INPUT_PASSWORD_PROMPT", kTraditionalChinese, "\x5D\x43\x4F\x6A\x55\x49\x70\x23\x7A\x4C"},
      {"ed_PASSWORD_KEY_PROMPT", kSimplifiedChinese, "\x3C\x47\x4A\x42\x31\x3E\x21\x21\x21\x21"},
      // Prompt 3 has no Chinese default.
      {"ed_sourcePrompt", kTraditionalChinese, "OLD"},
  };
  for (const Case& c : cases) {
    PromptTexts texts;
    texts.fill("OLD");
    const int extended = Prompt(c.field).extended;
    RestorePromptDefault(texts, c.language, extended);
    EXPECT_EQ(texts[extended], c.expected) << c.field << " language " << c.language;
    for (int other = 0; other < kPromptCount; ++other) {
      if (other != extended) {
        ASSERT_EQ(texts[other], "OLD");
      }
    }
  }
}

}  // namespace
}  // namespace rer
