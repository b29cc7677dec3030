#pragma once
// Writing the found dividers and the synthesizer description into an image.

#include "synth/synth_area.h"
#include "synth/synth_state.h"

namespace rer {

// The editor's choice the words are written for.
struct SynthEncodeRequest {
  int chipType = 0;  // chip list item 0-4
  int band = 0;      // band list item
};

// After a successful search: installs the parameter set for the chip and
// band and writes SynthNWord, SynthRWord, SynthModeByte, SynthRefByte, the
// side bits of BandByte (and the FS8308 bit in the 1 KB family) and the type
// byte, all for the chip of the installed set, so the stored words, type
// bits and type byte describe the same chip. The 4 KB band byte is written
// whole (side only); the codeplug encode adds band and narrow bits after.
void EncodeSynthWords(SynthState& state, SynthImage image, SynthFamily family,
                      const SynthEncodeRequest& request);

}  // namespace rer
