#pragma once
// The pages of the main window's page control and the fixed texts around
// them: page names and captions, the Main page's key lines, the key legend,
// the status-bar panel widths and the models without a third prompt page.

#include <cstdint>
#include <span>

#include "codeplug/control_row.h"

namespace rer {

struct EditorPageSpec {
  const char* control;
  const char* caption;
};

// In tab order; the last one is the Main page.
std::span<const EditorPageSpec> EditorPages();
// The settings pages are those of the control table (codeplug/control_row.h).
inline constexpr int kMainPageIndex = kSettingsPageCount;
inline constexpr int kGeneralPageIndex = kPageGeneral;
inline constexpr int kPrompt3PageIndex = kPagePrompt3;
// Pages that show the prompt-memory gauge in the status bar.
inline constexpr int kFirstPromptPageIndex = kPagePrompt1;
inline constexpr int kLastPromptPageIndex = kPagePrompt3;

// The Main page's lines, one per function key.
std::span<const char* const> MainPageKeyLines();

// The key legend below the pages while a settings page is active.
inline constexpr char kEditorKeyLegend[] =
    "F1-Help  |  F2-Program Pager  |  F9-Set To Defaults  |  F10-Exit  |  F11-Prev  |  F12-Next";

inline constexpr char kSequentialModeCaption[] = "Sequential Programming Mode";

// Widths of the three status-bar panels: operation, gauge, codeplug version.
inline constexpr int kStatusPanelWidths[] = {480, 100, 172};

// True for the models whose pagers have no third prompt page.
bool HidesPrompt3Page(std::uint8_t modelCode);

// Controls that entering the editor always enables.
std::span<const char* const> ControlsEnabledOnEntry();

}  // namespace rer
