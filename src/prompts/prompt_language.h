#pragma once
// The prompt language as the editor holds it: the language list offered for a
// pager, choosing a language, and falling back to English for a pager that
// cannot show the chosen Chinese prompts.

#include <string>
#include <vector>

#include "core/cgrom_kind.h"
#include "core/result_codes.h"
#include "prompts/prompt_catalogue.h"

namespace rer {

class UserInterface;

// The prompt part of the editor settings.
struct PromptSettings {
  PromptTexts texts;         // by extended number
  int language = 0;          // PromptLanguage, 0..16
  bool ideoPrompts = false;  // IdeoPrompts: prompts held as Chinese fields
};

// The items of cb_internationalPrompt: the fifteen Latin names, then the
// Chinese language the pager's character ROM can show, if any.
std::vector<std::string> BuildLanguageList(int cgromType);

// The language at a list position: position 15 is Simplified Chinese on a
// pager with the Simplified ROM, Traditional otherwise.
int LanguageForListPosition(int position, int cgromType);
// The list position that shows a language: both Chinese languages sit at 15.
int ListPositionForLanguage(int language);

// The user picks list position `position`: sets the language and the Chinese
// flag and loads the language's defaults.
void ChoosePromptLanguage(PromptSettings& settings, int position, int cgromType, bool largeLayout);

// Whether the prompts are in a Chinese language the pager's ROM cannot show.
bool ChineseRomMissing(int language, int cgromType);

// Before programming: when the pager cannot show the Chinese prompts, tells
// the user (an OK box) and changes the prompts to English defaults. Returns
// whether it did.
bool ChangeToEnglishIfNoChineseRom(PromptSettings& settings, int cgromType, bool largeLayout,
                                   UserInterface& ui);

}  // namespace rer
