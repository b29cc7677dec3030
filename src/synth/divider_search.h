#pragma once
// Finding the synthesizer dividers for a frequency the user enters.

#include <cstdint>

#include "synth/synth_area.h"
#include "synth/synth_state.h"

namespace rer {

// What a search needs from the editor besides the frequency.
struct DividerRequest {
  ConstSynthImage image;  // the editor's codeplug image (its search flags start the search)
  SynthFamily family = SynthFamily::k4K;
  int chipType = 0;  // chip list item 0-4
  int band = 0;      // band list item
  // Set while Save as runs: a 4 KB codeplug is then searched for its own
  // injection side rather than that of the pager last read.
  bool saveAs = false;
};

// Scans the reference dividers from the smallest up and keeps the (N, R) whose
// synthesized frequency is within 499 Hz of `hz` and improves on every earlier
// one by more than 1 Hz. Result 1 when one was found (state.result holds it),
// else 0. A frequency off the 2500 Hz grid gives 0 at once.
int SearchDividers4K(SynthState& state, std::uint32_t hz, const DividerRequest& request);
int SearchDividers1K(SynthState& state, std::uint32_t hz, const DividerRequest& request);

// The MB15E03 tries just two dividers, for the lower and the upper comparison
// frequency of the band, and refuses a few known-bad carriers on 900 MHz.
int SearchDividersMB15E03(SynthState& state, std::uint32_t hz, const DividerRequest& request);

// The search that fits the chip and family: the MB15E03 its own, every other
// chip the scan of its family. While saving, the FS8308 is refused: codeplug
// files carry no codeplug for that chip.
int SearchDividers(SynthState& state, std::uint32_t hz, const DividerRequest& request);

}  // namespace rer
