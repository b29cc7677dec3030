#pragma once
// The pager's 75 prompts: their fields, pages, numbers, widths and Chinese
// field sizes. The rows come from prompt_catalogue.tsv, built into the program.

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace rer {

inline constexpr int kPromptCount = 75;
// Prompts stored by small-layout pagers, in the classic numbering.
inline constexpr int kClassicPromptCount = 53;
inline constexpr int kLatinLanguageCount = 15;
// A prompt's number in a numbering that does not include it.
inline constexpr int kNoPromptNumber = -1;

// The two orders in which codeplugs store prompts: classic (small layout, 53
// prompts) and extended (large layout, all 75).
enum class PromptNumbering { kClassic, kExtended };

struct PromptInfo {
  std::string_view field;  // editing control that shows the prompt
  std::string_view label;  // its label on the prompt page
  int page;                // prompt page 1, 2 or 3
  int extended;            // 0..74
  int classic;             // 0..52 stored; 53..55 known to the default lookup only; or none
  bool classicLookupOnly;  // true for the classic numbers 53..55
  int width;               // display columns a classic default is centred in
  int chineseBytes;        // size of its Chinese field; 0 when it has none
};

// The settings' prompt texts, indexed by extended number.
using PromptTexts = std::array<std::string, kPromptCount>;

// Every prompt, in page order.
std::span<const PromptInfo> PromptCatalogue();

// The prompt with `number` in `numbering`; classic numbers 53..55 are found
// too (they name prompts that only the default lookup knows). nullptr when none.
const PromptInfo* FindPrompt(int number, PromptNumbering numbering);
const PromptInfo* FindPromptByField(std::string_view field);

// How many prompts a codeplug of this numbering stores: 53 or 75.
int StoredPromptCount(PromptNumbering numbering);

// The prompt stored at `position` (0 .. StoredPromptCount-1) of `numbering`.
const PromptInfo& StoredPrompt(int position, PromptNumbering numbering);

}  // namespace rer
