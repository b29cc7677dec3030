#include "prompts/default_prompt_table.h"

#include <array>

#include "core/text.h"
#include "prompts/prompt_table_data.h"

namespace rer {
namespace {

constexpr std::array<std::string_view, 2> kChineseLanguageNames = {"Traditional Chinese",
                                                                   "Simplified Chinese"};

// The extended prompts that ALT+D fills, in Chinese, with the default of a
// classic prompt that has a Chinese field.
struct ChineseStandIn {
  std::string_view field;
  std::string_view standIn;
};
constexpr std::array<ChineseStandIn, 3> kChineseStandIns = {{
    {"ed_DutySource", "ed_setMsgAlarmPrompt"},
    {"ed_INPUT_PASSWORD_PROMPT", "ed_setMsgAlarmPrompt"},
    {"ed_PASSWORD_KEY_PROMPT", "ed_noteBookPrompt"},
}};

// Row of a prompt in the generated tables (catalogue order).
std::size_t Row(const PromptInfo& prompt) {
  return static_cast<std::size_t>(&prompt - prompt_data::kCatalogue.data());
}

bool IsStoredClassic(const PromptInfo& prompt) {
  return prompt.classic != kNoPromptNumber && !prompt.classicLookupOnly;
}

const PromptInfo& ChineseSource(const PromptInfo& prompt) {
  for (const ChineseStandIn& entry : kChineseStandIns) {
    if (entry.field == prompt.field) return *FindPromptByField(entry.standIn);
  }
  return prompt;
}

}  // namespace

std::string_view PromptLanguageName(int language) {
  if (language >= 0 && language < kLatinLanguageCount) {
    return prompt_data::kLatinLanguageNames[language];
  }
  if (language == kTraditionalChinese || language == kSimplifiedChinese) {
    return kChineseLanguageNames[language - kTraditionalChinese];
  }
  return {};
}

std::string_view LatinDefault(int language, const PromptInfo& prompt) {
  if (language < 0 || language >= kLatinLanguageCount) return {};
  return prompt_data::kLatinDefaults[Row(prompt)][language];
}

std::string_view ChineseDefault(int language, const PromptInfo& prompt) {
  const auto& table = language == kSimplifiedChinese ? prompt_data::kSimplifiedDefaults
                                                     : prompt_data::kTraditionalDefaults;
  return table[Row(prompt)];
}

std::optional<std::string> DefaultPromptText(int language, int number, PromptNumbering numbering) {
  const PromptInfo* prompt = FindPrompt(number, numbering);
  if (prompt == nullptr || language < 0) return std::nullopt;
  if (IsChineseLanguage(language)) {
    const std::string_view text = ChineseDefault(language, *prompt);
    if (text.empty()) return std::nullopt;
    return std::string(text);
  }
  const std::string_view text = LatinDefault(language, *prompt);
  if (numbering == PromptNumbering::kClassic) {
    return CenterInField(text, static_cast<std::size_t>(prompt->width));
  }
  return std::string(text);
}

std::string CenterInField(std::string_view text, std::size_t width) {
  const std::string trimmed = Trim(text);
  if (trimmed.size() >= width) return std::string(text);
  std::string field(width, ' ');
  field.replace((width - trimmed.size()) / 2, trimmed.size(), trimmed);
  return field;
}

void ApplyLanguageDefaults(PromptTexts& texts, int language, bool largeLayout) {
  if (language < 0) return;
  const bool chinese = IsChineseLanguage(language);
  for (const PromptInfo& prompt : PromptCatalogue()) {
    if (chinese) {
      if (IsStoredClassic(prompt)) texts[prompt.extended] = ChineseDefault(language, prompt);
    } else if (IsStoredClassic(prompt) || largeLayout) {
      texts[prompt.extended] = LatinDefault(language, prompt);
    }
  }
}

void RestorePromptDefault(PromptTexts& texts, int language, int extended) {
  const PromptInfo* prompt = FindPrompt(extended, PromptNumbering::kExtended);
  if (prompt == nullptr || language < 0) return;
  if (!IsChineseLanguage(language)) {
    texts[extended] = LatinDefault(language, *prompt);
    return;
  }
  const std::string_view text = ChineseDefault(language, ChineseSource(*prompt));
  if (!text.empty()) texts[extended] = text;
}

}  // namespace rer
