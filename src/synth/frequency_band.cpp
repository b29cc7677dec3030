#include "synth/frequency_band.h"

#include <array>

#include "core/result_codes.h"

namespace rer {
namespace {

struct BandRange {
  std::int64_t lowMhz;   // inclusive
  std::int64_t highMhz;  // inclusive
  int band;
};

// Checked in order, so a shared boundary goes to the earlier row.
constexpr std::array<BandRange, 4> kBandRanges{{
    {143, 152, 1},
    {153, 163, 2},
    {164, 173, 3},
    {929, 931, 6},
}};

}  // namespace

int BandOfFrequency(std::int64_t hz) {
  if (hz < 0) return kFrequencyNotSynthesizable;
  const std::int64_t mhz = hz / 1000000;
  for (const BandRange& range : kBandRanges) {
    if (mhz >= range.lowMhz && mhz <= range.highMhz) return range.band;
  }
  return kFrequencyNotSynthesizable;
}

}  // namespace rer
