#include "synth/frequency_from_words.h"

#include <cmath>

#include "synth/synth_codes.h"

namespace rer {
namespace {

// Comparison frequency and total reference division the MB15E03 fallback
// assumes when its R word holds no divider.
constexpr double kMbFixedFc900 = 6250.0;
constexpr double kMbFixedFcVhf = 2500.0;
constexpr std::uint32_t kMbFixedR900 = 2048;
constexpr std::uint32_t kMbFixedRVhf = 8380;
// The 4 KB family reads an MB15E03 on the VHF and UHF bands with this IF.
constexpr std::uint32_t kMbVhfIfHz = 21400000;
constexpr int kMbFixedIfFirstBand = 1;
constexpr int kMbFixedIfLastBand = 5;

constexpr double kRoundingOffsetHz = 500.0;
constexpr double kFrequencyGridHz = 2500.0;

// The R divider of an MB15E03 R word, or 0 when the word does not have the
// control bits the chip needs (then it holds no divider we can trust).
std::uint32_t MbDividerInWord(std::uint32_t rWord) {
  const RegisterFormat& format = RegisterFormatOf(kSynthTypeMB15E03);
  if ((rWord & format.rControl) != format.rControl) return 0;
  return (rWord >> format.rShift) & ((1u << format.rBits) - 1);
}

}  // namespace

FrequencyReading FrequencyFromWords(SynthState& state, ConstSynthImage image, SynthFamily family,
                                    bool store) {
  const SynthArea& area = SynthAreaOf(family);
  const std::uint8_t mode = image[area.modeByte];
  const std::uint8_t ref = image[area.refByte];
  const std::uint8_t band = image[area.bandByte];

  std::uint32_t ifHz = mode < kModeByteWithoutIf ? kIfHzByCode[mode >> kModeIfShift] : 0;
  const int side = SideOfBits(band);
  const std::uint32_t refHz = kRefHzByCode[ref >> kRefCodeShift];
  const int type =
      family == SynthFamily::k4K ? (ref >> kRefTypeShift) & kRefTypeMask : state.record.type;
  const int bandIndex = (band >> kBandIndexShift) & kBandIndexMask;
  const int mult = (mode & kModeMultMask) + 1;

  const std::uint32_t nWord = ReadSynthWord(image, area.nWord);
  const std::uint32_t rWord = ReadSynthWord(image, area.rWord);
  const RegisterFormat& format = RegisterFormatOf(type);
  const std::uint32_t n = nWord >> format.nShift;

  // The comparison frequency is a fraction of a hertz in general (reference
  // x multiplier / R), so it and the carrier are computed in floating point;
  // doubles hold these values far below the 1 Hz the rounding cares about.
  std::uint32_t totalR = 0;   // reference division including the prescaler
  std::uint32_t divider = 0;  // the R the chip's R word holds, as a search finds it
  double fc = 0.0;
  if (type == kSynthTypeMB15E03) {
    // The MB15E03 R word holds its divider. Reading it back keeps a pager
    // programmed with R = 2560 on the 900 MHz band (5 kHz comparison) on its
    // frequency; the fixed assumption below would retune it by 25 %.
    totalR = MbDividerInWord(rWord);
    divider = totalR;
    if (totalR == 0 && family == SynthFamily::k4K) {
      fc = bandIndex == kBand900 ? kMbFixedFc900 : kMbFixedFcVhf;
    } else if (totalR == 0) {
      totalR = bandIndex == kBand900 ? kMbFixedR900 : kMbFixedRVhf;
      divider = totalR;  // no prescaler on this chip
    }
    // Band 0 has no IF of its own: it keeps the IF of the mode byte like
    // every other chip.
    if (family == SynthFamily::k4K && bandIndex >= kMbFixedIfFirstBand &&
        bandIndex <= kMbFixedIfLastBand) {
      ifHz = kMbVhfIfHz;
    }
  } else {
    divider = rWord >> format.rShift;
    totalR = divider * static_cast<std::uint32_t>(format.prescaler);
  }
  if (totalR != 0) {
    fc = static_cast<double>(mult) * static_cast<double>(refHz) / static_cast<double>(totalR);
  }

  const double carrier = side == kLowSide ? n * fc + ifHz : n * fc - ifHz;
  FrequencyReading reading;
  if (fc > 0.0 && carrier >= 0.0) {
    reading.unroundedHz = static_cast<std::int64_t>(carrier);
    reading.hz = static_cast<std::int64_t>(
        std::floor((carrier + kRoundingOffsetHz) / kFrequencyGridHz) * kFrequencyGridHz);
  }
  state.unroundedHz = reading.unroundedHz;

  if (store && family == SynthFamily::k1K) {
    state.params.IfHz = ifHz;
    state.params.RefHz = refHz;
    state.params.StepHz = static_cast<std::uint32_t>(fc);
    state.params.Side = side;
    state.params.type = type;
    state.params.Mult = mult;
    // FoundR is the chip's own divider, as a search leaves it: an encode
    // without a new search shifts it into the R word again, and the prescaler
    // factor in totalR would then multiply the stored divider by 4 or 8.
    state.result.FoundN = n;
    state.result.FoundR = divider;
    state.result.SearchFlags = ref & kSearchFlagsMask;
    state.result.side = side;
  }
  return reading;
}

}  // namespace rer
