#pragma once
// The operating frequency a codeplug's stored synthesizer words tune to.

#include <cstdint>

#include "synth/synth_area.h"
#include "synth/synth_state.h"

namespace rer {

struct FrequencyReading {
  std::int64_t hz = 0;           // on the 2500 Hz grid, as the editor shows it
  std::int64_t unroundedHz = 0;  // before rounding, truncated to whole hertz
};

// Computes the frequency from SynthNWord, SynthRWord, SynthModeByte,
// SynthRefByte and BandByte of `image`. The 1 KB family takes the chip type
// from `state.record` (load it first), the 4 KB family from SynthRefByte.
// Sets `state.unroundedHz`. With `store` (1 KB family only) the parameters
// read back also become `state.params` and `state.result`.
// Words that describe no comparison frequency, or a negative carrier, read
// as 0 Hz, which lies in no band.
FrequencyReading FrequencyFromWords(SynthState& state, ConstSynthImage image, SynthFamily family,
                                    bool store);

}  // namespace rer
