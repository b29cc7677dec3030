#pragma once
// The tables generated at build time from the .tsv files of this folder.
// Everything else reaches them through prompt_catalogue.h and
// default_prompt_table.h.

#include <array>
#include <string_view>

#include "prompts/prompt_catalogue.h"

namespace rer::prompt_data {

using LatinRow = std::array<std::string_view, kLatinLanguageCount>;

// Rows of all three tables are in catalogue (page) order.
extern const std::array<std::string_view, kLatinLanguageCount> kLatinLanguageNames;
extern const std::array<PromptInfo, kPromptCount> kCatalogue;
extern const std::array<LatinRow, kPromptCount> kLatinDefaults;
// 7-bit ideograph bytes, exactly the prompt's Chinese field size; empty for
// prompts without a Chinese field.
extern const std::array<std::string_view, kPromptCount> kTraditionalDefaults;
extern const std::array<std::string_view, kPromptCount> kSimplifiedDefaults;

}  // namespace rer::prompt_data
