#pragma once
// Everything the synthesizer keeps for the run: the record of the codeplug
// last decoded, the installed parameter set, the last divider search and the
// injection-side bits of the pager last read.

#include <cstdint>

#include "synth/pll_params.h"
#include "synth/synth_record.h"

namespace rer {

// The outcome of the last divider search (or of a 1 KB read-back with store).
struct DividerResult {
  std::uint32_t FoundN = 0;
  std::uint32_t FoundR = 0;
  std::uint8_t SearchFlags = 0;  // bit 0 above the requested frequency, bit 1 equal to it
  int side = 0;                  // injection side the dividers were found for (0: none yet)

  friend bool operator==(const DividerResult&, const DividerResult&) = default;
};

struct SynthState {
  SynthRecord record;
  PllParams params;
  DividerResult result;
  // Bits 0-1 of the band byte of the pager last read; set by the pager link.
  std::uint8_t SynthHwByte = 0;
  // The last frequency read back from words before rounding, in whole hertz;
  // the 1 KB decode takes the band from it.
  std::int64_t unroundedHz = 0;
};

}  // namespace rer
