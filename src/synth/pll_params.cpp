#include "synth/pll_params.h"

#include <array>

#include "synth/synth_codes.h"

namespace rer {
namespace {

struct ParamRow {
  int type;
  int mult;
  std::uint32_t ifHz;
  std::uint32_t refHz;
  std::uint32_t stepHz;
};

struct ParamSet {
  ParamRow vhf;      // bands 1-3
  ParamRow band900;  // band 6
};

// By chip list item.
constexpr std::array<ParamSet, kSynthTypeCount> kParamSets{{
    {{0, 2, 21400000, 20950000, 12500}, {2, 4, 45000000, 12800000, 12500}},  // HI8107
    {{1, 1, 21400000, 20950000, 2500}, {1, 1, 45000000, 12800000, 6250}},    // MB15E03
    {{0, 2, 21400000, 20950000, 12500}, {2, 4, 45000000, 12800000, 12500}},  // NPC5170
    {{3, 1, 21400000, 20950000, 6250}, {3, 6, 45000000, 12800000, 12500}},   // FS8107 / FS8108
    {{4, 1, 21400000, 20950000, 6250}, {4, 6, 45000000, 12800000, 12500}},   // FS8308
}};

}  // namespace

void SelectPllParams(PllParams& params, int chipType, int band) {
  if (chipType < 0 || chipType >= kSynthTypeCount) return;
  const ParamSet& set = kParamSets[static_cast<std::size_t>(chipType)];
  const ParamRow* row = nullptr;
  if (IsVhfBand(band)) {
    row = &set.vhf;
  } else if (band == kBand900) {
    row = &set.band900;
  } else {
    return;
  }
  params.type = row->type;
  params.Mult = row->mult;
  params.IfHz = row->ifHz;
  params.RefHz = row->refHz;
  params.StepHz = row->stepHz;
}

int InstalledChipType(int chipType, int band) {
  PllParams params;
  params.type = chipType;
  SelectPllParams(params, chipType, band);
  return params.type;
}

}  // namespace rer
