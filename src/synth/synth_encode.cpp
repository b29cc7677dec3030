#include "synth/synth_encode.h"

#include "synth/synth_codes.h"

namespace rer {
namespace {

std::uint8_t ModeByteOf(const PllParams& params) {
  const std::uint8_t ifCode = IfCodeOf(params.IfHz).value_or(0);
  const std::uint8_t stepCode = StepCodeOf(params.StepHz).value_or(0);
  return static_cast<std::uint8_t>((ifCode << kModeIfShift) | (stepCode << kModeStepShift) |
                                   ((params.Mult - 1) & kModeMultMask));
}

std::uint8_t RefByteOf(const PllParams& params, std::uint8_t flags) {
  const std::uint8_t refCode = RefCodeOf(params.RefHz).value_or(0);
  return static_cast<std::uint8_t>((refCode << kRefCodeShift) |
                                   ((params.type & kRefTypeMask) << kRefTypeShift) |
                                   (flags & kSearchFlagsMask));
}

// The side the stored words were found for. Writing any other side would make
// the codeplug read back as a frequency two IFs away from the one searched.
int StoredSide(const SynthState& state) {
  if (state.result.side != 0) return state.result.side;
  return SideOfBits(static_cast<std::uint8_t>(state.record.side));
}

}  // namespace

void EncodeSynthWords(SynthState& state, SynthImage image, SynthFamily family,
                      const SynthEncodeRequest& request) {
  SelectPllParams(state.params, request.chipType, request.band);
  const PllParams& params = state.params;
  const SynthArea& area = SynthAreaOf(family);
  image[area.typeByte] = static_cast<std::uint8_t>(params.type);

  const RegisterFormat& format = RegisterFormatOf(params.type);
  const std::uint32_t nWord = state.result.FoundN << format.nShift;
  const std::uint32_t rWord = (state.result.FoundR << format.rShift) + format.rControl;
  WriteSynthWord(image, area.nWord, nWord);
  WriteSynthWord(image, area.rWord, rWord);

  if (family == SynthFamily::k4K) {
    image[area.bandByte] = static_cast<std::uint8_t>(StoredSide(state));
  } else {
    std::uint8_t band = image[area.bandByte];
    band = static_cast<std::uint8_t>((band & ~kBandSideMask) | SideOfBits(state.SynthHwByte));
    band = params.type == kSynthTypeFS8308 ? (band | kBandFs8308Bit) : (band & ~kBandFs8308Bit);
    image[area.bandByte] = static_cast<std::uint8_t>(band);
  }

  image[area.modeByte] = ModeByteOf(params);
  image[area.refByte] = RefByteOf(params, state.result.SearchFlags);
}

}  // namespace rer
