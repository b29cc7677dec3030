#pragma once
// The check that the entered receiver frequency lies in the band the user
// selected. Programming runs it before anything is written to the pager, and
// Save as before anything is written to the file.

#include <string_view>

#include "codeplug/editor_settings.h"
#include "core/result_codes.h"
#include "core/user_interface.h"

namespace rer {

// 0 when the whole megahertz of `frequencyText` lie in the range of the band
// list item `bandItem` (cb_freqBand), else -116. A frequency that lies in no
// band at all, or that cannot be read, fails as well; so does every band that
// has no range of its own.
int CheckFrequencyBand(std::string_view frequencyText, int bandItem);

// The same for the editor's ed_frequency and cb_freqBand.
int CheckFrequencyBand(const EditorSettings& settings);

// Runs the check and shows -116 once when it fails; returns 0 or -116.
int RunBandCheck(const EditorSettings& settings, UserInterface& ui);

}  // namespace rer
