#pragma once
// Which receiver band a frequency belongs to.

#include <cstdint>

#include "core/result_codes.h"

namespace rer {

// The band index (1-3 VHF A-C, 6 900 MHz) of a frequency in hertz, judged by
// its whole megahertz; -115 when it lies in none. The shared boundaries
// belong to the lower band: 152 MHz is band 1, 163 MHz band 2.
int BandOfFrequency(std::int64_t hz);

}  // namespace rer
