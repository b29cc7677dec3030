#include "synth/divider_search.h"

#include <array>
#include <cmath>
#include <limits>

#include "synth/synth_codes.h"

namespace rer {
namespace {

constexpr std::uint32_t kFrequencyGridHz = 2500;
// A candidate must land within this distance of the requested frequency ...
constexpr double kWindowHz = 500.0;
// ... and its error must be below this; the scan starts from it as the best.
constexpr double kStartBestHz = 500.0;
// A later divider replaces the kept one only when it is better by more than this.
constexpr double kImprovementHz = 1.0;

// Comparison-frequency bounds of the scan, as (high, low) step in hertz.
constexpr double kScanStepHi = 12500.0;
constexpr double kScanStepLo = 10000.0;
constexpr double kScanStepHiFsVhf = 6250.0;
constexpr double kScanStepLoFsVhf = 5000.0;
constexpr double kMbStepHi900 = 6250.0;
constexpr double kMbStepLo900 = 5000.0;
constexpr double kMbStepHiVhf = 3125.0;
constexpr double kMbStepLoVhf = 2500.0;

// Carriers the MB15E03 must not be tuned to with its first divider.
constexpr std::array<double, 3> kMbRefusedCarriers{929500000.0, 930500000.0, 931500000.0};

struct Candidate {
  bool valid = false;
  std::uint32_t n = 0;
  std::uint32_t r = 0;
  double fa = 0.0;   // synthesized frequency
  double err = 0.0;  // |fa - f|
};

// The words of `type` can hold N and R without losing bits.
bool FitsWords(int type, double n, double r) {
  const RegisterFormat& format = RegisterFormatOf(type);
  const double nLimit = std::ldexp(1.0, kSynthWordBits - format.nShift);
  const double rLimit = std::ldexp(1.0, format.rBits);
  return n >= 1.0 && n < nLimit && r >= 1.0 && r < rLimit;
}

// The nearest N for divider R and what it synthesizes. The comparison
// frequency (reference / prescaler / R x multiplier) is not a whole number of
// hertz, so this runs in floating point, in the order the chip divides.
Candidate Evaluate(const PllParams& params, int prescaler, double r, double ifOffset,
                   std::uint32_t hz) {
  Candidate c;
  const double fc = (static_cast<double>(params.RefHz) / prescaler / r) * params.Mult;
  if (!(fc > 0.0) || !std::isfinite(fc)) return c;
  const double x = (hz + ifOffset) / fc;
  const double n = (x - std::floor(x) >= 0.5) ? std::ceil(x) : std::floor(x);
  if (!FitsWords(params.type, n, r)) return c;
  c.valid = true;
  c.n = static_cast<std::uint32_t>(n);
  c.r = static_cast<std::uint32_t>(r);
  c.fa = n * fc - ifOffset;
  c.err = std::fabs(c.fa - hz);
  return c;
}

bool InWindow(const Candidate& c, std::uint32_t hz) {
  return c.valid && c.fa >= hz - kWindowHz && c.fa <= hz + kWindowHz;
}

std::uint8_t FlagsOf(const Candidate& c, std::uint32_t hz) {
  const double f = hz;
  return static_cast<std::uint8_t>((c.fa > f ? kFlagAbove : 0) | (c.fa == f ? kFlagExact : 0));
}

// Side 2 adds the IF to the carrier to reach the LO, any other side subtracts it.
double IfOffsetOf(int side, std::uint32_t ifHz) {
  return side == kHighSide ? static_cast<double>(ifHz) : -static_cast<double>(ifHz);
}

std::uint8_t InitialFlags(const DividerRequest& request) {
  return request.image[SynthAreaOf(request.family).refByte] & kSearchFlagsMask;
}

// Clamps a divider bound to what any word can hold, so a broken parameter set
// cannot make the scan run away.
double ClampDivider(double r) {
  constexpr double kLargestDivider = 1u << 20;
  if (!(r >= 0.0)) return 0.0;
  return r > kLargestDivider ? kLargestDivider : r;
}

// A 4 KB pager read over the link marks low side with bit 0 of its side bits.
// A codeplug being saved to a file has no pager behind it: it is searched for
// the side it was loaded with, the side its encode will also store.
int SideFor4K(const SynthState& state, bool saveAs) {
  if (saveAs) return SideOfBits(static_cast<std::uint8_t>(state.record.side));
  return (state.SynthHwByte & 0x01) != 0 ? kLowSide : kHighSide;
}

int ScanDividers(SynthState& state, std::uint32_t hz, const DividerRequest& request, int side) {
  SelectPllParams(state.params, request.chipType, request.band);
  const PllParams& params = state.params;
  std::uint8_t flags = InitialFlags(request);
  const int prescaler = RegisterFormatOf(params.type).prescaler;
  const double ifOffset = IfOffsetOf(side, params.IfHz);

  const bool fsOnVhf = (params.type == kSynthTypeFS8107 || params.type == kSynthTypeFS8308) &&
                       IsVhfBand(request.band);
  const double stepHi = fsOnVhf ? kScanStepHiFsVhf : kScanStepHi;
  const double stepLo = fsOnVhf ? kScanStepLoFsVhf : kScanStepLo;
  const double refPerPrescaler = static_cast<double>(params.RefHz) / prescaler;
  const double rMin = ClampDivider(std::floor(refPerPrescaler / (stepHi / params.Mult)));
  const double rMax = ClampDivider(std::ceil(refPerPrescaler / (stepLo / params.Mult)));

  if (hz % kFrequencyGridHz != 0) return 0;

  double best = kStartBestHz;
  Candidate kept;
  for (double r = rMin; r <= rMax; r += 1.0) {
    const Candidate c = Evaluate(params, prescaler, r, ifOffset, hz);
    if (InWindow(c, hz) && c.err - best < -kImprovementHz) {
      flags = FlagsOf(c, hz);
      best = c.err;
      kept = c;
    }
  }
  state.result.SearchFlags = flags;
  if (!kept.valid) return 0;
  state.result.FoundN = kept.n;
  state.result.FoundR = kept.r;
  state.result.side = side;
  return 1;
}

}  // namespace

int SearchDividers1K(SynthState& state, std::uint32_t hz, const DividerRequest& request) {
  return ScanDividers(state, hz, request, SideOfBits(state.SynthHwByte));
}

int SearchDividers4K(SynthState& state, std::uint32_t hz, const DividerRequest& request) {
  return ScanDividers(state, hz, request, SideFor4K(state, request.saveAs));
}

int SearchDividersMB15E03(SynthState& state, std::uint32_t hz, const DividerRequest& request) {
  SelectPllParams(state.params, kSynthTypeMB15E03, request.band);
  const PllParams& params = state.params;
  const std::uint8_t initialFlags = InitialFlags(request);
  const int side = SideOfBits(state.SynthHwByte);
  const double ifOffset = IfOffsetOf(side, params.IfHz);
  constexpr int kPrescaler = 1;

  const bool on900 = request.band == kBand900;
  const double stepHi = on900 ? kMbStepHi900 : kMbStepHiVhf;
  const double stepLo = on900 ? kMbStepLo900 : kMbStepLoVhf;

  if (hz % kFrequencyGridHz != 0) return 0;

  const auto accept = [&](const Candidate& c) {
    state.result.FoundN = c.n;
    state.result.FoundR = c.r;
    state.result.SearchFlags = FlagsOf(c, hz);
    state.result.side = side;
    return 1;
  };
  const auto closeEnough = [&](const Candidate& c) {
    return InWindow(c, hz) && c.err < kStartBestHz - kImprovementHz;
  };

  const double rLow = ClampDivider(std::ceil(params.RefHz / (stepLo / params.Mult)));
  const Candidate first = Evaluate(params, kPrescaler, rLow, ifOffset, hz);
  bool refused = false;
  for (double carrier : kMbRefusedCarriers) refused = refused || first.fa == carrier;
  if (closeEnough(first) && !refused) return accept(first);

  const double rHigh = ClampDivider(std::floor(params.RefHz / (stepHi / params.Mult)));
  const Candidate second = Evaluate(params, kPrescaler, rHigh, ifOffset, hz);
  if (closeEnough(second)) return accept(second);

  state.result.SearchFlags = initialFlags;
  return 0;
}

int SearchDividers(SynthState& state, std::uint32_t hz, const DividerRequest& request) {
  if (request.saveAs && request.chipType == kSynthTypeFS8308) return 0;
  if (request.chipType == kSynthTypeMB15E03) return SearchDividersMB15E03(state, hz, request);
  return request.family == SynthFamily::k1K ? SearchDividers1K(state, hz, request)
                                            : SearchDividers4K(state, hz, request);
}

}  // namespace rer
