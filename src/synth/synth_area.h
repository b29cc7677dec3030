#pragma once
// Where the synthesizer description lives in a codeplug image, per family.
// The codeplug layer reads these positions from here rather than keeping its
// own copy, so the two layers can never disagree about them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace rer {

// Every codeplug buffer is 4096 bytes long; the 1 KB family uses the first 1024.
inline constexpr std::size_t kSynthImageSize = 4096;
using SynthImage = std::span<std::uint8_t, kSynthImageSize>;
using ConstSynthImage = std::span<const std::uint8_t, kSynthImageSize>;

// The two pager families, as far as the synthesizer cares.
enum class SynthFamily { k1K, k4K };

// Byte offsets of the synthesizer fields inside the image.
struct SynthArea {
  std::size_t nWord;     // SynthNWord, 3 bytes, most significant first
  std::size_t rWord;     // SynthRWord, 3 bytes, most significant first
  std::size_t modeByte;  // SynthModeByte: IF code, channel step code, multiplier
  std::size_t refByte;   // SynthRefByte: reference code, type bits, search flags
  std::size_t bandByte;  // BandByte: narrow bit, band index, FS8308 bit (1 KB), side bits
  std::size_t typeByte;  // the chip type index 0-4 the stored words are written for
};

inline constexpr std::size_t kSynthWordBytes = 3;

inline constexpr SynthArea kSynthArea1K{0x3A4, 0x3A7, 0x3AA, 0x3AB, 0x227, 0x244};
inline constexpr SynthArea kSynthArea4K{0x0F8, 0x0FB, 0x0FE, 0x0FF, 0x165, 0x244};

inline constexpr const SynthArea& SynthAreaOf(SynthFamily family) {
  return family == SynthFamily::k1K ? kSynthArea1K : kSynthArea4K;
}

// A 24-bit register word stored most significant byte first at `offset`.
std::uint32_t ReadSynthWord(ConstSynthImage image, std::size_t offset);
// Stores the low 24 bits of `word` most significant byte first at `offset`.
void WriteSynthWord(SynthImage image, std::size_t offset, std::uint32_t word);

}  // namespace rer
