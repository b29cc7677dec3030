#pragma once
// The built-in default text of every prompt in the fifteen Latin languages and
// in Traditional and Simplified Chinese, and the operations that load them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "prompts/prompt_catalogue.h"

namespace rer {

// Prompt languages: 0..14 Latin (0 English), then the two Chinese ones.
inline constexpr int kEnglish = 0;
inline constexpr int kTraditionalChinese = 15;
inline constexpr int kSimplifiedChinese = 16;
inline constexpr int kPromptLanguageCount = 17;

inline bool IsChineseLanguage(int language) {
  return language >= kTraditionalChinese;
}

// The name of a language as the language list shows it ("" when unknown).
std::string_view PromptLanguageName(int language);

// Table entries as stored: Latin texts unpadded (bar the trailing blanks of
// ed_setMsgAlarmPrompt), Chinese texts as 7-bit bytes of exactly the Chinese
// field size. A Chinese language above 16 reads the Traditional table, as
// does 15; prompts without a Chinese field give "".
std::string_view LatinDefault(int language, const PromptInfo& prompt);
std::string_view ChineseDefault(int language, const PromptInfo& prompt);

// The default a codeplug's default marker stands for. Classic Latin texts are
// centred in the prompt's width; extended ones and Chinese ones are returned
// as stored. Nothing for a number outside the numbering, a negative language
// or a prompt without a Chinese default.
std::optional<std::string> DefaultPromptText(int language, int number, PromptNumbering numbering);

// Centres `text` (trimmed) in `width` blanks, the odd blank to the right. A
// text whose trimmed length reaches the width comes back unchanged.
std::string CenterInField(std::string_view text, std::size_t width);

// Loads the defaults of `language` into the prompts, uncentred: the 53
// classic prompts always, the 22 others only for Latin languages on a
// large-layout pager (they have no Chinese defaults). Other prompts keep their text.
void ApplyLanguageDefaults(PromptTexts& texts, int language, bool largeLayout);

// ALT+D in a prompt field: that one prompt (by extended number) gets its
// default in `language`. In Chinese, ed_DutySource and
// ed_INPUT_PASSWORD_PROMPT borrow the default of ed_setMsgAlarmPrompt and
// ed_PASSWORD_KEY_PROMPT that of ed_noteBookPrompt; the Prompt 3 prompts have
// none and keep their text.
void RestorePromptDefault(PromptTexts& texts, int language, int extended);

}  // namespace rer
