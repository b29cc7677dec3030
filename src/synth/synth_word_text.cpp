#include "synth/synth_word_text.h"

namespace rer {

std::string SynthWordText(ConstSynthImage image, std::size_t offset) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < kSynthWordBytes; ++i) {
    if (i > 0) text += ' ';
    const std::uint8_t byte = image[offset + i];
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

std::string EdtNText(ConstSynthImage image, SynthFamily family) {
  return SynthWordText(image, SynthAreaOf(family).nWord);
}

std::string EdtRText(ConstSynthImage image, SynthFamily family) {
  return SynthWordText(image, SynthAreaOf(family).rWord);
}

}  // namespace rer
