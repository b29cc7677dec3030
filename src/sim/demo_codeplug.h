#pragma once
// The codeplug that the program's own simulated pager holds, so that a read
// without a real pager shows a plausible pager: default prompts and options,
// a receiver frequency with its synthesizer words, a few capcodes.

#include <cstdint>
#include <vector>

#include "sim/sim_scenario.h"

namespace rer {

// The image as the pager sends it (the family's length) for `modelCode`.
std::vector<std::uint8_t> DemoCodeplugImage(std::uint8_t modelCode);

// A simulated pager of `modelCode` holding the demonstration codeplug.
SimScenario DemoScenario(std::uint8_t modelCode);

}  // namespace rer
