#include "prompts/chinese_prompt_slots.h"

#include <algorithm>
#include <array>
#include <string>

namespace rer {
namespace {

// The slots follow the classic order, except that ed_setTimePrompt and
// ed_setTimeAlarmPrompt are read from each other's places: the 10-byte read of
// ed_setTimeAlarmPrompt at 0x1FE therefore takes the first two bytes of the
// ed_toneOnly5Prompt slot. Kept as it is, since Chinese codeplugs already in
// use are read this way.
constexpr std::array<ChinesePromptSlot, kClassicPromptCount> kSlots = {{
    {"ed_privateTimePrompt", 0x054, 12},
    {"ed_setAlertPrompt", 0x060, 10},
    {"ed_setAudioPrompt", 0x06A, 10},
    {"ed_setSilentPrompt", 0x074, 10},
    {"ed_setLockPrompt", 0x07E, 8},
    {"ed_setUnlockPrompt", 0x086, 10},
    {"ed_deletePrompt", 0x090, 8},
    {"ed_deleteAllPrompt", 0x098, 10},
    {"ed_addToNotebookPrompt", 0x0A2, 10},
    {"ed_printPrompt", 0x0AC, 10},
    {"ed_enableMaildropPrompt", 0x0B6, 10},
    {"ed_disableMaildropPrompt", 0x0C0, 10},
    {"ed_setTimePrompt", 0x0CA, 8},
    {"ed_setMsgAlarmPrompt", 0x0D4, 10},
    {"ed_zoomInPrompt", 0x0DE, 6},
    {"ed_zoomOutPrompt", 0x0E4, 6},
    {"ed_setOffPrompt", 0x0EA, 6},
    {"ed_goStatusPrompt", 0x0F0, 10},
    {"ed_duplicatePrompt", 0x0FA, 8},
    {"ed_source1Prompt", 0x102, 8},
    {"ed_source2Prompt", 0x10A, 8},
    {"ed_source3Prompt", 0x112, 8},
    {"ed_source4Prompt", 0x11A, 8},
    {"ed_source5Prompt", 0x122, 8},
    {"ed_source6Prompt", 0x12A, 8},
    {"ed_source7Prompt", 0x132, 8},
    {"ed_source8Prompt", 0x13A, 8},
    {"ed_source9Prompt", 0x142, 8},
    {"ed_source10Prompt", 0x14A, 8},
    {"ed_source11Prompt", 0x152, 8},
    {"ed_source12Prompt", 0x15A, 8},
    {"ed_source13Prompt", 0x162, 8},
    {"ed_source14Prompt", 0x16A, 8},
    {"ed_source15Prompt", 0x172, 8},
    {"ed_source16Prompt", 0x17A, 8},
    {"ed_groupPrompt", 0x182, 8},
    {"ed_disablePagerPrompt", 0x18A, 8},
    {"ed_powerUpPrompt", 0x192, 14},
    {"ed_standardAlertPrompt", 0x1A0, 10},
    {"ed_pleasantAlertPrompt", 0x1AA, 10},
    {"ed_chirpAlertPrompt", 0x1B4, 10},
    {"ed_chirpSilentPrompt", 0x1BE, 14},
    {"ed_noAlertPrompt", 0x1CC, 10},
    {"ed_onPrompt", 0x1D6, 6},
    {"ed_offPrompt", 0x1DC, 6},
    {"ed_setAlarmPrompt", 0x1E2, 10},
    {"ed_noteBookPrompt", 0x1EC, 10},
    {"ed_memoryFullPrompt", 0x1F6, 8},
    {"ed_setTimeAlarmPrompt", 0x1FE, 10},
    {"ed_toneOnly5Prompt", 0x206, 8},
    {"ed_toneOnly6Prompt", 0x20E, 8},
    {"ed_toneOnly7Prompt", 0x216, 8},
    {"ed_toneOnly8Prompt", 0x21E, 8},
}};

}  // namespace

std::span<const ChinesePromptSlot> ChinesePromptSlots() {
  return kSlots;
}

void ReadChinesePromptSlots(std::span<const std::uint8_t> image, PromptTexts& texts) {
  for (const ChinesePromptSlot& slot : kSlots) {
    const PromptInfo* prompt = FindPromptByField(slot.field);
    if (prompt == nullptr || slot.offset + slot.width > image.size()) continue;
    const auto begin = image.begin() + static_cast<std::ptrdiff_t>(slot.offset);
    const auto end = std::find(begin, begin + static_cast<std::ptrdiff_t>(slot.width), 0);
    texts[prompt->extended] = std::string(begin, end);
  }
}

}  // namespace rer
