#pragma once
// The General page shows the stored register words as hexadecimal bytes
// (fields edtN and edtR), so a technician can compare them with a pager.

#include <string>

#include "synth/synth_area.h"

namespace rer {

// The three bytes at `offset` as "HH HH HH" (upper-case hexadecimal).
std::string SynthWordText(ConstSynthImage image, std::size_t offset);

// Text of edtN: the bytes of SynthNWord.
std::string EdtNText(ConstSynthImage image, SynthFamily family);
// Text of edtR: the bytes of SynthRWord.
std::string EdtRText(ConstSynthImage image, SynthFamily family);

}  // namespace rer
