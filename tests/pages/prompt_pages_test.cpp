#include "pages/prompt_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "codeplug/codec_bindings.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pages/page_rules.h"
#include "prompts/default_prompt_table.h"
#include "prompts/prompt_catalogue.h"

namespace rer {
namespace {

using enum Control;

int FieldOf(Control control) {
  return FieldCatalogue::Instance().Entry(control).fieldNumber;
}

int PageOf(Control control) {
  return FieldCatalogue::Instance().Entry(control).page;
}

// The prompt pages of a pager of `modelCode`, with edits made as the window
// makes them: the field is entered, its value changes, its page stores it.
class PromptPagesTest : public ::testing::Test {
 protected:
  void Open(std::uint8_t modelCode, int cgromType = 0, const std::string& serial = "") {
    settings = EditorSettings();
    settings.SetText(ed_serialNumber, serial);
    // A display contrast the Features rules accept, so that the editor's
    // check is about the prompts.
    settings.SetText(ed_displayContrast, "8");
    ui.shown.clear();
    PageEnvironment environment;
    environment.modelCode = modelCode;
    environment.cgromType = cgromType;
    pages = std::make_unique<PageRules>(settings, ui, environment);
    prompts = PromptPagesOf(*pages);
    ASSERT_NE(prompts, nullptr);
  }
  int Type(Control control, const std::string& text) {
    pages->Enter(PageOf(control), FieldOf(control));
    settings.SetText(control, text);
    return pages->Store(PageOf(control), FieldOf(control));
  }
  int Choose(Control control, int item) {
    pages->Enter(PageOf(control), FieldOf(control));
    settings.SetItem(control, item);
    return pages->Store(PageOf(control), FieldOf(control));
  }
  // Gives the prompts stored by `numbering` `total` characters in all: the
  // `fixed` ones their text, each other one at least one character and at
  // most 20. Prompts the numbering does not store get one.
  void FillPrompts(PromptNumbering numbering, int total,
                   const std::map<Control, std::string>& fixed = {}) {
    PromptTexts texts;
    texts.fill("A");
    const int count = StoredPromptCount(numbering);
    std::vector<int> free;
    int extra = total;
    for (int position = 0; position < count; ++position) {
      const PromptInfo& prompt = StoredPrompt(position, numbering);
      const auto found = fixed.find(FieldCatalogue::Instance().SingleControlNamed(prompt.field));
      if (found != fixed.end()) {
        texts[prompt.extended] = found->second;
        extra -= static_cast<int>(found->second.size());
      } else {
        free.push_back(prompt.extended);
        extra -= 1;
      }
    }
    for (int extended : free) {
      const int more = std::clamp(extra, 0, 19);
      texts[extended] = std::string(1 + more, 'B');
      extra -= more;
    }
    ASSERT_EQ(extra, 0) << "the prompts cannot hold " << total << " characters";
    SetPromptTexts(texts, settings);
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const MessageBox& box : ui.shown) texts.push_back(box.text);
    return texts;
  }

  EditorSettings settings;
  ScriptedUserInterface ui;
  std::unique_ptr<PageRules> pages;
  PromptPages* prompts = nullptr;
};

TEST_F(PromptPagesTest, CapacityFollowsTheLayoutAndTheEarlySeries) {
  struct Case {
    std::uint8_t model;
    std::string serial;
    std::size_t capacity;
  };
  const Case cases[] = {
      {0x84, "", 1065},          {0xD1, "KTLBCRA123", 1065},  // large layout: serial ignored
      {0x81, "", 468},           {0x89, "KTLBCRL299", 468},  {0x81, "KTLBCRL300", 450},
      {0xC0, "KTLBCRA001", 450}, {0x81, "KTLBCRQ308", 468},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.serial + " on " + std::to_string(c.model));
    Open(c.model, 0, c.serial);
    EXPECT_EQ(prompts->Capacity(), c.capacity);
  }
}

// A text record is 6 bits of length and 6 bits a character, so `characters`
// in `prompts` records use floor(6 (prompts + characters) / 8) whole bytes.
TEST_F(PromptPagesTest, AnEditIsCheckedAgainstTheCapacityAndSetsTheGauge) {
  constexpr int kKept = -1;  // a failed check leaves the gauge as it was
  struct Case {
    std::uint8_t model;
    std::string serial;
    int characters;  // in all the stored prompts, after the last edit
    std::size_t used;
    int result;
    int gauge;
  };
  const Case cases[] = {
      {0x81, "", 570, 467, kSuccess, 99},
      {0x81, "", 571, 468, kSuccess, 100},
      {0x81, "", 573, 469, kMaximumSizeExceeded, kKept},
      {0x81, "KTLBCRA001", 547, 450, kSuccess, 100},
      {0x81, "KTLBCRA001", 549, 451, kMaximumSizeExceeded, kKept},
      {0x84, "", 1344, 1064, kSuccess, 99},
      {0x84, "", 1345, 1065, kSuccess, 100},
      {0x84, "", 1347, 1066, kMaximumSizeExceeded, kKept},
  };
  const std::string typed = "GROUP CALL";
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.characters) + " characters on " + std::to_string(c.model));
    Open(c.model, 0, c.serial);
    const PromptNumbering numbering =
        c.model == 0x84 ? PromptNumbering::kExtended : PromptNumbering::kClassic;
    const int count = StoredPromptCount(numbering);
    ASSERT_EQ(static_cast<std::size_t>(6 * (count + c.characters) / 8), c.used);
    // Half the memory first, so that the gauge has a value to keep.
    FillPrompts(numbering, static_cast<int>(prompts->Capacity()) * 8 / 6 / 2 - count);
    pages->EnterPage(kPagePrompt1);
    const int before = prompts->GaugePercent();
    ASSERT_GT(before, 30);
    ASSERT_LT(before, 70);

    // The last edit is typed into ed_groupPrompt.
    FillPrompts(numbering, c.characters, {{ed_groupPrompt, typed}});
    settings.SetText(ed_groupPrompt, "G");
    const int result = Type(ed_groupPrompt, typed);

    EXPECT_EQ(prompts->UsedSize(), c.used);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(prompts->GaugePercent(), c.gauge == kKept ? before : c.gauge);
    EXPECT_EQ(settings.Text(ed_groupPrompt), typed) << "the edit stays, even when it does not fit";
    if (c.result == kSuccess) {
      EXPECT_TRUE(ui.shown.empty());
    } else {
      EXPECT_EQ(Texts(), std::vector<std::string>{ComposeError(kMaximumSizeExceeded).text});
    }
  }
}

TEST_F(PromptPagesTest, APromptThatDoesNotFitBlocksThePageCheckWithOneMessage) {
  Open(0x81);
  // 575 characters: 471 bytes.
  const std::string longText(20, 'P');
  FillPrompts(PromptNumbering::kClassic, 575, {{ed_privateTimePrompt, longText}});
  settings.SetText(ed_privateTimePrompt, "P");
  pages->Enter(kPagePrompt2, FieldOf(ed_privateTimePrompt));
  settings.SetText(ed_privateTimePrompt, longText);
  // Leaving the page with the field still focused: the field is stored and
  // the pages are checked, and the technician is told once.
  EXPECT_EQ(RunEditorPageCheck(*pages, kPagePrompt2, FieldOf(ed_privateTimePrompt)),
            kMaximumSizeExceeded);
  EXPECT_EQ(ui.shown.size(), 1u);
  // The check of the page keys says it again, and so does every later check.
  EXPECT_EQ(pages->ShortPageCheck(kPagePrompt2, kNoFieldNumber), kMaximumSizeExceeded);
  EXPECT_EQ(ui.shown.size(), 2u);
  // 560 characters: 459 bytes.
  EXPECT_EQ(Type(ed_privateTimePrompt, "SHORT"), kSuccess);
  EXPECT_EQ(pages->ShortPageCheck(kPagePrompt2, kNoFieldNumber), kSuccess);
  EXPECT_EQ(ui.shown.size(), 2u);
}

TEST_F(PromptPagesTest, AnEditedPromptIsUpperCasedButNotTrimmed) {
  Open(0x84);
  EXPECT_EQ(Type(ed_source1Prompt, " fire dept "), kSuccess);
  EXPECT_EQ(settings.Text(ed_source1Prompt), " FIRE DEPT ");
}

TEST_F(PromptPagesTest, ChinesePromptsAreCheckedOnlyOnceTypedInto) {
  // Twenty characters in every prompt is more than the large layout holds.
  Open(0x84, 2);
  ASSERT_EQ(Choose(cb_internationalPrompt, 15), kSuccess);
  ASSERT_TRUE(settings.ideoPrompts);
  PromptTexts texts;
  texts.fill(std::string(20, 'x'));
  SetPromptTexts(texts, settings);
  ASSERT_GT(prompts->UsedSize(), prompts->Capacity());

  EXPECT_EQ(pages->ShortPageCheck(kPagePrompt1, kNoFieldNumber), kSuccess);
  // Entering and leaving a field types nothing.
  pages->Enter(kPagePrompt1, FieldOf(ed_groupPrompt));
  EXPECT_EQ(pages->Store(kPagePrompt1, FieldOf(ed_groupPrompt)), kSuccess);
  EXPECT_TRUE(ui.shown.empty());
  // Ideograph bytes keep their case: a lower-case letter is half of one.
  EXPECT_EQ(settings.Text(ed_groupPrompt), std::string(20, 'x'));

  prompts->NoteKeyTyped();
  EXPECT_EQ(pages->ShortPageCheck(kPagePrompt1, kNoFieldNumber), kMaximumSizeExceeded);
  // Choosing a language again starts without typing.
  EXPECT_EQ(Choose(cb_internationalPrompt, 15), kSuccess);
  SetPromptTexts(texts, settings);
  EXPECT_EQ(pages->ShortPageCheck(kPagePrompt1, kNoFieldNumber), kSuccess);
}

TEST_F(PromptPagesTest, ChinesePromptsOfTheSmallLayoutTakeNoPackedMemory) {
  // They go into their own fixed fields, as programming writes them.
  Open(0x81, 1);
  ASSERT_EQ(Choose(cb_internationalPrompt, 15), kSuccess);
  EXPECT_EQ(settings.promptLanguage, kTraditionalChinese);
  EXPECT_EQ(Type(ed_groupPrompt, "!!!!!!!!"), kSuccess);
  EXPECT_EQ(prompts->UsedSize(), 0u);
  EXPECT_EQ(prompts->GaugePercent(), 0);
}

TEST_F(PromptPagesTest, AltDRestoresThePromptInTheCurrentLanguage) {
  struct Case {
    int cgromType;
    int listPosition;
    Control control;
    std::string expected;
  };
  const Case cases[] = {
      {0, 3, ed_setTimeAlarmPrompt, "REGLAGE DE L'HEURE"},  // French
      {0, 11, ed_setTimeAlarmPrompt, "IMPOSTA ORA"},        // Italian
      {0, 11, ed_setTimePrompt, "SET TIME"},
      {0, 0, ed_powerUpPrompt, "KESTRAVON"},
      {0, 1, ed_setOffDutyPrompt, "OFF DUTY"},  // German: Prompt 3 is the same in every language
      {2, 15, ed_source1Prompt, "\x40\x34\x54\x34\x23\x31\x21\x21"},  // Simplified Chinese
      {2, 15, ed_setOffDutyPrompt, "MINE"},  // no Chinese default: the text stays
  };
  for (const Case& c : cases) {
    const std::string name = FieldCatalogue::Instance().Entry(c.control).name;
    SCOPED_TRACE(name + " at language position " + std::to_string(c.listPosition));
    Open(0x84, c.cgromType);
    ASSERT_EQ(Choose(cb_internationalPrompt, c.listPosition), kSuccess);
    ASSERT_EQ(Type(c.control, "MINE"), kSuccess);
    pages->Enter(PageOf(c.control), FieldOf(c.control));
    EXPECT_EQ(prompts->RestoreDefault(FieldOf(c.control)), kSuccess);
    EXPECT_EQ(settings.Text(c.control), c.expected);
  }
}

TEST_F(PromptPagesTest, AltDThatOverfillsTheMemoryIsTold) {
  Open(0x81);
  ASSERT_EQ(Choose(cb_internationalPrompt, 3), kSuccess);  // French
  // 556 characters, 456 bytes; the French default adds 17 more: 469 bytes.
  FillPrompts(PromptNumbering::kClassic, 556, {{ed_setTimeAlarmPrompt, "X"}});
  pages->EnterPage(kPagePrompt2);
  const int before = prompts->GaugePercent();
  ASSERT_EQ(before, 456 * 100 / 468);
  EXPECT_EQ(prompts->RestoreDefault(FieldOf(ed_setTimeAlarmPrompt)), kMaximumSizeExceeded);
  EXPECT_EQ(settings.Text(ed_setTimeAlarmPrompt), "REGLAGE DE L'HEURE");
  EXPECT_EQ(prompts->UsedSize(), 469u);
  EXPECT_EQ(Texts(), std::vector<std::string>{ComposeError(kMaximumSizeExceeded).text});
  EXPECT_EQ(prompts->GaugePercent(), before);
}

TEST_F(PromptPagesTest, ChoosingALanguageLoadsItsDefaultsForTheLayout) {
  Open(0x81);
  settings.SetText(ed_setOffDutyPrompt, "KEPT");
  settings.SetText(ed_DutySource, "KEPT TOO");
  EXPECT_EQ(Choose(cb_internationalPrompt, 1), kSuccess);
  EXPECT_EQ(settings.promptLanguage, 1);
  EXPECT_FALSE(settings.ideoPrompts);
  EXPECT_EQ(settings.Text(ed_disablePagerPrompt), "NICHT ANRUFBAR");
  EXPECT_EQ(settings.Text(ed_privateTimePrompt), "EMPF[NGER EIN/AUS");
  // The small layout stores neither, so they keep their text.
  EXPECT_EQ(settings.Text(ed_setOffDutyPrompt), "KEPT");
  EXPECT_EQ(settings.Text(ed_DutySource), "KEPT TOO");
  EXPECT_GT(prompts->GaugePercent(), 0);

  // The one Chinese position is the language of the pager's character ROM.
  Open(0x84, 2);
  EXPECT_EQ(Choose(cb_internationalPrompt, 15), kSuccess);
  EXPECT_EQ(settings.promptLanguage, kSimplifiedChinese);
  EXPECT_TRUE(settings.ideoPrompts);
  EXPECT_EQ(settings.Item(cb_internationalPrompt), 15);
}

TEST_F(PromptPagesTest, ACharacterSetThatDoesNotSuitLatinPromptsIsWarnedAboutAndKept) {
  struct Case {
    int languagePosition;
    int cgromType;
    int charSet;
    bool warned;
  };
  const Case cases[] = {
      {0, 0, 10, false},  // English, UK
      {0, 0, 2, true},    // English, German
      {13, 0, 9, false},  // Dutch, Danish
      {1, 0, 2, false},   // German, German
      {1, 0, 1, true},    // German, Swiss
      {15, 1, 2, false},  // Chinese prompts take any set
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.languagePosition) + " with set " + std::to_string(c.charSet));
    Open(0x84, c.cgromType);
    ASSERT_EQ(Choose(cb_internationalPrompt, c.languagePosition), kSuccess);
    EXPECT_EQ(Choose(cb_internationalCharSet, c.charSet), kSuccess);
    EXPECT_EQ(settings.Item(cb_internationalCharSet), c.charSet);
    if (c.warned) {
      EXPECT_EQ(Texts(), std::vector<std::string>{ComposeError(kCharSetMismatchWarning).text});
    } else {
      EXPECT_TRUE(ui.shown.empty());
    }
  }
}

TEST_F(PromptPagesTest, ChinesePromptsTurnAFunctionMenuIntoIcons) {
  struct Case {
    bool chinese;
    int menuBefore;
    int menuAfter;
  };
  const Case cases[] = {{true, 2, 1}, {true, 0, 0}, {true, 1, 1}, {false, 2, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.chinese) + " " + std::to_string(c.menuBefore));
    Open(0x84, 1);
    ASSERT_EQ(Choose(cb_internationalPrompt, c.chinese ? 15 : 0), kSuccess);
    settings.SetItem(cb_functionMenuDisplay, c.menuBefore);
    settings.SetText(Capcode, 1, "1234567");  // the whole-editor check needs an address
    EXPECT_EQ(pages->ShortPageCheck(kPagePrompt3, kNoFieldNumber), kSuccess);
    EXPECT_EQ(settings.Item(cb_functionMenuDisplay), c.menuAfter);
    EXPECT_EQ(RunEditorPageCheck(*pages, kPageAlert, kNoFieldNumber), kSuccess);
    EXPECT_EQ(settings.Item(cb_functionMenuDisplay), c.menuAfter);
  }
}

}  // namespace
}  // namespace rer
