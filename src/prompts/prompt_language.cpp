#include "prompts/prompt_language.h"

#include "core/result_codes.h"
#include "core/user_interface.h"
#include "prompts/default_prompt_table.h"

namespace rer {

namespace {
// The single list position that holds whichever Chinese language is offered.
constexpr int kChineseListPosition = kTraditionalChinese;
}  // namespace

std::vector<std::string> BuildLanguageList(int cgromType) {
  std::vector<std::string> items;
  for (int language = 0; language < kLatinLanguageCount; ++language) {
    items.emplace_back(PromptLanguageName(language));
  }
  if (cgromType == kCgromTraditionalChinese)
    items.emplace_back(PromptLanguageName(kTraditionalChinese));
  if (cgromType == kCgromSimplifiedChinese)
    items.emplace_back(PromptLanguageName(kSimplifiedChinese));
  return items;
}

int LanguageForListPosition(int position, int cgromType) {
  if (cgromType == kCgromSimplifiedChinese && position >= kChineseListPosition) {
    return kSimplifiedChinese;
  }
  return position;
}

int ListPositionForLanguage(int language) {
  return IsChineseLanguage(language) ? kChineseListPosition : language;
}

void ChoosePromptLanguage(PromptSettings& settings, int position, int cgromType, bool largeLayout) {
  settings.language = LanguageForListPosition(position, cgromType);
  settings.ideoPrompts =
      settings.language == kTraditionalChinese || settings.language == kSimplifiedChinese;
  ApplyLanguageDefaults(settings.texts, settings.language, largeLayout);
}

bool ChineseRomMissing(int language, int cgromType) {
  if (language != kTraditionalChinese && language != kSimplifiedChinese) return false;
  if (cgromType == kCgromNone) return true;
  return (cgromType == kCgromTraditionalChinese && language == kSimplifiedChinese) ||
         (cgromType == kCgromSimplifiedChinese && language == kTraditionalChinese);
}

bool ChangeToEnglishIfNoChineseRom(PromptSettings& settings, int cgromType, bool largeLayout,
                                   UserInterface& ui) {
  if (!ChineseRomMissing(settings.language, cgromType)) return false;
  ui.ShowError(kNoChineseRom);
  settings.language = kEnglish;
  settings.ideoPrompts = false;
  ApplyLanguageDefaults(settings.texts, kEnglish, largeLayout);
  return true;
}

}  // namespace rer
