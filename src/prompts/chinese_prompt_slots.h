#pragma once
// Where a 1 KB-family codeplug holds its Chinese prompts: one fixed slot of
// 7-bit ideograph bytes per classic prompt, used instead of the packed area
// when the codeplug marks its prompts as Chinese.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "prompts/prompt_catalogue.h"

namespace rer {

struct ChinesePromptSlot {
  std::string_view field;  // the prompt, by its editing control
  std::size_t offset;      // image offset of the slot
  std::size_t width;       // bytes read into the prompt
};

std::span<const ChinesePromptSlot> ChinesePromptSlots();

// Copies every slot, byte for byte, into its prompt. A zero byte ends a text
// early; a slot that does not fit in `image` leaves its prompt unchanged.
void ReadChinesePromptSlots(std::span<const std::uint8_t> image, PromptTexts& texts);

}  // namespace rer
