#include "synth/divider_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "synth/synth_codes.h"
#include "synth_fixture.h"

namespace rer {
namespace {

using synth_test::Image;
using synth_test::NearestN;
using synth_test::ScaledError;
using synth_test::Synthesized;

constexpr std::uint8_t kHwLow = 1;
constexpr std::uint8_t kHwHigh = 2;

DividerRequest RequestFor(const Image& image, SynthFamily family, int chip, int band) {
  DividerRequest request{image};
  request.family = family;
  request.chipType = chip;
  request.band = band;
  return request;
}

struct AnchorCase {
  const char* what;
  SynthFamily family;
  int chip, band;
  std::uint8_t hw;
  std::uint32_t hz;
  DividerResult expected;  // FoundN, FoundR, SearchFlags, side
};

TEST(SearchDividers, FindsTheKnownDividers) {
  const AnchorCase cases[] = {
      // 152.84 MHz, HI8107, scan of R 419..524: the first R within 499 Hz is
      // 427; later ones replace it while they improve by more than 1 Hz.
      {"HI8107 low side 4 KB", SynthFamily::k4K, 0, 1, kHwLow, 152840000, {11770, 469, 1, 1}},
      {"HI8107 low side 1 KB", SynthFamily::k1K, 0, 1, kHwLow, 152840000, {11770, 469, 1, 1}},
      {"HI8107 high side", SynthFamily::k4K, 0, 1, kHwHigh, 152840000, {15902, 478, 1, 2}},
      {"FS8107 narrower steps", SynthFamily::k4K, 3, 1, kHwLow, 152840000, {22235, 443, 0, 1}},
      // R 481 would be 0.6 Hz closer than R 432: not enough to replace it.
      {"under 1 Hz better is kept out",
       SynthFamily::k4K,
       3,
       1,
       kHwLow,
       144160000,
       {20251, 432, 0, 1}},
      {"under 1 Hz better, 900 MHz", SynthFamily::k1K, 3, 6, kHwLow, 929657500, {73445, 797, 0, 1}},
      // 4 x 12.8 MHz / 4 / 1024 = 12500 Hz hits 930.0125 MHz exactly.
      {"NPC5170 exact", SynthFamily::k1K, 2, 6, kHwLow, 930012500, {70801, 1024, 2, 1}},
      // MB15E03 VHF: R 8380 gives 2500 Hz, every grid frequency exactly.
      {"MB15E03 VHF", SynthFamily::k4K, 1, 1, kHwLow, 152840000, {52576, 8380, 2, 1}},
      // 900 MHz first candidate R 2560 (5 kHz) ...
      {"MB15E03 5 kHz", SynthFamily::k4K, 1, 6, kHwLow, 930505000, {177101, 2560, 2, 1}},
      // ... unless it lands on a refused carrier: then R 2048 (6250 Hz).
      {"MB15E03 930.5 MHz", SynthFamily::k4K, 1, 6, kHwLow, 930500000, {141680, 2048, 2, 1}},
      {"MB15E03 929.5 MHz high", SynthFamily::k1K, 1, 6, kHwHigh, 929500000, {155920, 2048, 2, 2}},
  };
  for (const AnchorCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Image image{};
    SynthState state;
    state.SynthHwByte = c.hw;
    ASSERT_EQ(SearchDividers(state, c.hz, RequestFor(image, c.family, c.chip, c.band)), 1);
    EXPECT_EQ(state.result, c.expected);
  }
}

TEST(SearchDividers, RefusesWithoutStoringAnything) {
  struct {
    const char* what;
    SynthFamily family;
    int chip, band;
    std::uint32_t hz;
  } cases[] = {
      {"off the grid, scan", SynthFamily::k4K, 0, 1, 152841000},
      {"off the grid, 1 KB", SynthFamily::k1K, 3, 2, 155001250},
      {"off the grid, MB15E03", SynthFamily::k4K, 1, 1, 152841000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Image image{};
    SynthState state;
    state.result = {7, 9, 0x3, 2};
    EXPECT_EQ(SearchDividers(state, c.hz, RequestFor(image, c.family, c.chip, c.band)), 0);
    EXPECT_EQ(state.result, (DividerResult{7, 9, 0x3, 2}));
  }
}

TEST(SearchDividers, SaveAsRefusesTheFS8308) {
  const Image image{};
  for (const bool saving : {false, true}) {
    SCOPED_TRACE(saving ? "saving" : "programming");
    SynthState state;
    DividerRequest request = RequestFor(image, SynthFamily::k1K, kSynthTypeFS8308, 1);
    request.saveAs = saving;
    EXPECT_EQ(SearchDividers(state, 152840000, request), saving ? 0 : 1);
  }
}

TEST(SearchDividersMB15E03, NoCandidateLeavesTheImageFlags) {
  // 930.5025 MHz: neither 5 kHz nor 6250 Hz comes within 499 Hz.
  Image image{};
  image[SynthAreaOf(SynthFamily::k4K).refByte] = 0x41;  // search flag bits 01
  SynthState state;
  state.SynthHwByte = kHwLow;
  state.result = {7, 9, 0x2, 1};
  EXPECT_EQ(SearchDividersMB15E03(state, 930502500, RequestFor(image, SynthFamily::k4K, 1, 6)), 0);
  EXPECT_EQ(state.result, (DividerResult{7, 9, 0x1, 1}));
}

TEST(SearchDividers, TakesTheInjectionSideByFamily) {
  struct {
    SynthFamily family;
    bool saveAs;
    std::uint8_t hw;
    int recordSide;
    int side;
  } cases[] = {
      // A 4 KB pager marks low side with bit 0 of its side bits.
      {SynthFamily::k4K, false, 0, 2, 2},
      {SynthFamily::k4K, false, 1, 2, 1},
      {SynthFamily::k4K, false, 2, 1, 2},
      {SynthFamily::k4K, false, 3, 2, 1},
      // Save as searches a 4 KB codeplug for the side it was loaded with.
      {SynthFamily::k4K, true, 1, 2, 2},
      {SynthFamily::k4K, true, 2, 1, 1},
      {SynthFamily::k4K, true, 2, 0, 1},
      // The 1 KB family: high side only for side bits 2.
      {SynthFamily::k1K, false, 0, 2, 1},
      {SynthFamily::k1K, false, 2, 1, 2},
      {SynthFamily::k1K, true, 3, 2, 1},
  };
  for (const auto& c : cases) {
    const Image image{};
    SynthState state;
    state.SynthHwByte = c.hw;
    state.record.side = c.recordSide;
    auto request = RequestFor(image, c.family, 0, 1);
    request.saveAs = c.saveAs;
    ASSERT_EQ(SearchDividers(state, 152840000, request), 1);
    EXPECT_EQ(state.result.side, c.side)
        << "hw " << int{c.hw} << " saveAs " << c.saveAs << " record side " << c.recordSide;
    // The dividers are those of that side.
    EXPECT_EQ(state.result.FoundN, c.side == 1 ? 11770u : 15902u);
  }
}

// The scan's parameters in whole numbers, for an exact model of its result.
struct ScanModel {
  std::int64_t refTimesMult;
  std::int64_t prescaler;
  std::int64_t ifHz;
  std::int64_t stepHi, stepLo;
};

struct ScanChoice {
  int chip, band;
  ScanModel model;
};

// Checks a scan result against exact arithmetic: the kept pair is inside the
// divider range, N is the nearest divider for its R, the synthesized carrier
// lies within 499 Hz, and no divider in the range is better by more than
// 1 Hz. A refusal means that no divider in the range comes within 499 Hz.
void CheckScan(const ScanModel& m, int side, std::uint32_t hz, int result,
               const DividerResult& found) {
  const std::int64_t rMin = m.refTimesMult / (m.prescaler * m.stepHi);
  const std::int64_t rMax =
      (m.refTimesMult + m.prescaler * m.stepLo - 1) / (m.prescaler * m.stepLo);
  double minErr = std::numeric_limits<double>::infinity();
  for (std::int64_t r = rMin; r <= rMax; ++r) {
    const std::int64_t d = r * m.prescaler;
    const std::int64_t n = NearestN(hz, m.refTimesMult, d, m.ifHz, side);
    const double err =
        static_cast<double>(ScaledError(Synthesized(n, m.refTimesMult, d, m.ifHz, side), hz)) / d;
    minErr = std::min(minErr, err);
  }
  constexpr double kSlack = 1e-6;
  if (result == 0) {
    EXPECT_GE(minErr, 499.0 - kSlack) << hz;
    return;
  }
  const std::int64_t r = found.FoundR;
  const std::int64_t d = r * m.prescaler;
  ASSERT_GE(r, rMin) << hz;
  ASSERT_LE(r, rMax) << hz;
  const std::int64_t nearest = NearestN(hz, m.refTimesMult, d, m.ifHz, side);
  EXPECT_LE(std::llabs(static_cast<std::int64_t>(found.FoundN) - nearest), 1) << hz;
  const auto fa = Synthesized(found.FoundN, m.refTimesMult, d, m.ifHz, side);
  const double err = static_cast<double>(ScaledError(fa, hz)) / d;
  EXPECT_LT(err, 499.0 + kSlack) << hz;
  EXPECT_LE(err, minErr + 1.0 + kSlack) << hz;
  const bool above = fa.num > static_cast<std::int64_t>(hz) * d;
  const bool exact = fa.num == static_cast<std::int64_t>(hz) * d;
  EXPECT_EQ(found.SearchFlags, (above ? 1 : 0) | (exact ? 2 : 0)) << hz;
}

TEST(SearchDividers, ScanResultsHoldAgainstExactArithmetic) {
  const ScanChoice choices[] = {
      {0, 1, {2 * 20950000LL, 8, 21400000, 12500, 10000}},
      {0, 3, {2 * 20950000LL, 8, 21400000, 12500, 10000}},
      {2, 6, {4 * 12800000LL, 4, 45000000, 12500, 10000}},
      {3, 2, {20950000LL, 8, 21400000, 6250, 5000}},
      {3, 6, {6 * 12800000LL, 8, 45000000, 12500, 10000}},
      {4, 1, {20950000LL, 8, 21400000, 6250, 5000}},
      {4, 6, {6 * 12800000LL, 8, 45000000, 12500, 10000}},
  };
  const std::uint32_t bandStart[] = {0, 143000000, 153000000, 164000000, 0, 0, 929000000};
  for (const ScanChoice& choice : choices) {
    for (SynthFamily family : {SynthFamily::k1K, SynthFamily::k4K}) {
      for (std::uint8_t hw : {kHwLow, kHwHigh}) {
        SCOPED_TRACE(testing::Message()
                     << "chip " << choice.chip << " band " << choice.band << " hw " << int{hw});
        // Every 41st grid point over 3 MHz, an odd stride to meet many residues.
        for (std::uint32_t hz = bandStart[choice.band]; hz < bandStart[choice.band] + 3000000;
             hz += 41 * 2500) {
          const Image image{};
          SynthState state;
          state.SynthHwByte = hw;
          const int result =
              SearchDividers(state, hz, RequestFor(image, family, choice.chip, choice.band));
          CheckScan(choice.model, hw, hz, result, state.result);
        }
      }
    }
  }
}

}  // namespace
}  // namespace rer
