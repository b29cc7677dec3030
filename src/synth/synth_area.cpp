#include "synth/synth_area.h"

namespace rer {

std::uint32_t ReadSynthWord(ConstSynthImage image, std::size_t offset) {
  std::uint32_t word = 0;
  for (std::size_t i = 0; i < kSynthWordBytes; ++i) {
    word = (word << 8) | image[offset + i];
  }
  return word;
}

void WriteSynthWord(SynthImage image, std::size_t offset, std::uint32_t word) {
  for (std::size_t i = 0; i < kSynthWordBytes; ++i) {
    const int shift = static_cast<int>(8 * (kSynthWordBytes - 1 - i));
    image[offset + i] = static_cast<std::uint8_t>((word >> shift) & 0xFFu);
  }
}

}  // namespace rer
