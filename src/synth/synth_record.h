#pragma once
// The synthesizer description a codeplug carries: chip, intermediate
// frequency, channel step, injection side, reference and multiplier.

#include <cstdint>
#include <string>

namespace rer {

struct SynthRecord {
  std::string name = "NPC5170";   // chip name
  int type = 2;                   // chip type index 0-4
  std::uint32_t ifHz = 45000000;  // intermediate frequency
  std::uint32_t stepHz = 0;       // channel step
  int side = 0;                   // 2 high-side injection, 1 low-side (0 before any load)
  std::uint32_t refHz = 0;        // reference oscillator
  int mult = 0;                   // reference multiplier 1-8

  friend bool operator==(const SynthRecord&, const SynthRecord&) = default;
};

// Fills `record` from SynthModeByte, SynthRefByte and BandByte. A mode byte
// without an IF code keeps the record's IF; a type combination outside 0-4
// keeps type and name.
void LoadSynthRecord(SynthRecord& record, std::uint8_t modeByte, std::uint8_t refByte,
                     std::uint8_t bandByte);

}  // namespace rer
