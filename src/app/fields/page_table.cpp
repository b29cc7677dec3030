#include "app/fields/page_table.h"

#include <algorithm>
#include <array>

namespace rer {
namespace {

constexpr EditorPageSpec kEditorPages[] = {
    {"formPage0", "General"},      {"formPage1", "Code 1-4"},   {"formPage2", "Code 5-8"},
    {"formPage3", "Code 9-12"},    {"formPage4", "Code 13-16"}, {"formPage5", "Prompt 1"},
    {"formPage6", "Prompt 2"},     {"formPage7", "Prompt 3"},   {"formPage8", "Alert"},
    {"formPage9", "Password/OTA"}, {"formPage10", "Features"},  {"formPage11", "More Features"},
    {"formPage12", "Main"},
};
static_assert(std::size(kEditorPages) == kMainPageIndex + 1);

constexpr const char* kMainPageKeyLines[] = {
    "F1   - HELP",
    "F2",
    "F3   - READ a pager (Pager must be ON and inserted in interface box)",
    "F4   - SERVICE",
    "F5   - PROGRAM a single pager",
    "F6   - PROGRAM sequential pagers",
    "F7 ",
    "F8   - RETRIEVE a stored pager configuration from disk",
    "F9   -",
    "F10  - EXIT pager programming software, return to WINDOWS",
    "F11",
    "F12",
};

constexpr std::array<std::uint8_t, 9> kModelsWithoutPrompt3 = {0x40, 0x60, 0x80, 0x81, 0x82,
                                                               0x86, 0x89, 0x8A, 0xC0};

constexpr const char* kControlsEnabledOnEntry[] = {"cb_deafPager", "ed_ICN", "ed_frequency"};

}  // namespace

std::span<const EditorPageSpec> EditorPages() {
  return kEditorPages;
}
std::span<const char* const> MainPageKeyLines() {
  return kMainPageKeyLines;
}

bool HidesPrompt3Page(std::uint8_t modelCode) {
  return std::find(kModelsWithoutPrompt3.begin(), kModelsWithoutPrompt3.end(), modelCode) !=
         kModelsWithoutPrompt3.end();
}

std::span<const char* const> ControlsEnabledOnEntry() {
  return kControlsEnabledOnEntry;
}

}  // namespace rer
