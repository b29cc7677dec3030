#pragma once
// The divider parameters of the chosen chip and band, and the table they
// come from.

#include <cstdint>

namespace rer {

struct PllParams {
  std::uint32_t RefHz = 0;   // reference oscillator
  int Mult = 0;              // reference multiplier
  std::uint32_t IfHz = 0;    // intermediate frequency
  std::uint32_t StepHz = 0;  // channel step
  int Side = 0;              // injection side; only the 1 KB frequency read-back sets it
  int type = 0;              // the chip the parameters are for

  friend bool operator==(const PllParams&, const PllParams&) = default;
};

// Band indexes (items of the band list) that have parameter sets.
inline constexpr int kBandVhfA = 1;
inline constexpr int kBandVhfC = 3;
inline constexpr int kBand900 = 6;

inline constexpr bool IsVhfBand(int band) {
  return band >= kBandVhfA && band <= kBandVhfC;
}

// Installs the parameter set of chip list item `chipType` (0-4) on `band`.
// HI8107 and NPC5170 share one row: the VHF bands get the HI8107, the 900 MHz
// band the NPC5170. Bands without a set (0, 4, 5) and unknown chips leave
// `params` as it was. Side is never touched.
void SelectPllParams(PllParams& params, int chipType, int band);

// The chip whose register words chip list item `chipType` stands for on
// `band`: the type of the parameter set SelectPllParams installs, or the item
// itself where the band has no set. HI8107 and NPC5170 thus name the NPC5170
// on 900 MHz and the HI8107 on VHF, whichever of the two was chosen.
int InstalledChipType(int chipType, int band);

}  // namespace rer
