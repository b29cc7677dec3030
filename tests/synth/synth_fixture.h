#pragma once
// Helpers shared by the synthesizer tests: images with chosen synthesizer
// bytes, and an exact (integer) model of what a divider pair synthesizes.

#include <array>
#include <cstdint>
#include <cstdlib>

#include "synth/synth_area.h"

namespace rer::synth_test {

using Image = std::array<std::uint8_t, kSynthImageSize>;

struct SynthBytes {
  std::uint32_t nWord = 0;
  std::uint32_t rWord = 0;
  std::uint8_t mode = 0;
  std::uint8_t ref = 0;
  std::uint8_t band = 0;
};

inline Image ImageWith(SynthFamily family, const SynthBytes& bytes) {
  Image image{};
  const SynthArea& area = SynthAreaOf(family);
  WriteSynthWord(image, area.nWord, bytes.nWord);
  WriteSynthWord(image, area.rWord, bytes.rWord);
  image[area.modeByte] = bytes.mode;
  image[area.refByte] = bytes.ref;
  image[area.bandByte] = bytes.band;
  return image;
}

// What N and a total reference division D (R x prescaler) synthesize, kept as
// an exact fraction: fa = num / D hertz. The carrier is LO + IF on the low
// side and LO - IF on the high side.
struct ExactCarrier {
  std::int64_t num;
  std::int64_t den;
};

inline ExactCarrier Synthesized(std::int64_t n, std::int64_t refTimesMult, std::int64_t totalR,
                                std::int64_t ifHz, int side) {
  const std::int64_t lo = n * refTimesMult;
  const std::int64_t ifPart = ifHz * totalR;
  return {side == 2 ? lo - ifPart : lo + ifPart, totalR};
}

// |fa - f| x D, exactly.
inline std::int64_t ScaledError(const ExactCarrier& fa, std::int64_t hz) {
  return std::llabs(fa.num - hz * fa.den);
}

// The N nearest to the LO frequency for divider D, halves rounded up.
inline std::int64_t NearestN(std::int64_t hz, std::int64_t refTimesMult, std::int64_t totalR,
                             std::int64_t ifHz, int side) {
  const std::int64_t lo = side == 2 ? hz + ifHz : hz - ifHz;
  // floor(lo x D / K + 1/2) = floor((2 lo D + K) / 2K)
  const std::int64_t numerator = 2 * lo * totalR + refTimesMult;
  const std::int64_t denominator = 2 * refTimesMult;
  return numerator >= 0 ? numerator / denominator : -((-numerator + denominator - 1) / denominator);
}

}  // namespace rer::synth_test
