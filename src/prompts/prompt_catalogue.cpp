#include "prompts/prompt_catalogue.h"

#include <cassert>

#include "prompts/prompt_table_data.h"

namespace rer {
namespace {

// Catalogue rows by number, built once from the generated table.
struct NumberIndex {
  std::array<const PromptInfo*, kPromptCount> extended{};
  // Classic numbers include the three lookup-only ones after the stored 53.
  std::array<const PromptInfo*, kPromptCount> classic{};

  NumberIndex() {
    for (const PromptInfo& prompt : prompt_data::kCatalogue) {
      extended[prompt.extended] = &prompt;
      if (prompt.classic != kNoPromptNumber) classic[prompt.classic] = &prompt;
    }
  }
};

const NumberIndex& Index() {
  static const NumberIndex index;
  return index;
}

}  // namespace

std::span<const PromptInfo> PromptCatalogue() {
  return prompt_data::kCatalogue;
}

const PromptInfo* FindPrompt(int number, PromptNumbering numbering) {
  if (number < 0 || number >= kPromptCount) return nullptr;
  return numbering == PromptNumbering::kExtended ? Index().extended[number]
                                                 : Index().classic[number];
}

const PromptInfo* FindPromptByField(std::string_view field) {
  for (const PromptInfo& prompt : prompt_data::kCatalogue) {
    if (prompt.field == field) return &prompt;
  }
  return nullptr;
}

int StoredPromptCount(PromptNumbering numbering) {
  return numbering == PromptNumbering::kExtended ? kPromptCount : kClassicPromptCount;
}

const PromptInfo& StoredPrompt(int position, PromptNumbering numbering) {
  assert(position >= 0 && position < StoredPromptCount(numbering));
  return *FindPrompt(position, numbering);
}

}  // namespace rer
