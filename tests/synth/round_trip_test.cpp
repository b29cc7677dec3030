// A frequency searched, encoded into words and read back from them must come
// back unchanged, for every chip, band, family and injection side: otherwise a
// pager read and programmed again would be retuned.

#include <gtest/gtest.h>

#include <optional>

#include "synth/divider_search.h"
#include "synth/frequency_from_words.h"
#include "synth/synth_codes.h"
#include "synth/synth_encode.h"
#include "synth/synth_record.h"
#include "synth_fixture.h"

namespace rer {
namespace {

using synth_test::Image;

struct Scenario {
  SynthFamily family;
  int chip, band;
  std::uint8_t hw;
  bool saveAs;
  int recordSide;
};

// Adds the band index the way the codeplug encode does after the synthesizer
// words are written.
void AddBandIndex(Image& image, SynthFamily family, int band) {
  std::uint8_t& byte = image[SynthAreaOf(family).bandByte];
  byte = static_cast<std::uint8_t>((byte & 0x87) | (band << 3));
}

// Searches `hz`, encodes the result and reads it back; nothing when the
// frequency is not synthesizable.
std::optional<std::int64_t> RoundTrip(const Scenario& s, std::uint32_t hz) {
  Image image{};
  SynthState writer;
  writer.SynthHwByte = s.hw;
  writer.record.side = s.recordSide;
  DividerRequest request{image};
  request.family = s.family;
  request.chipType = s.chip;
  request.band = s.band;
  request.saveAs = s.saveAs;
  if (SearchDividers(writer, hz, request) != 1) return std::nullopt;
  EncodeSynthWords(writer, image, s.family, {s.chip, s.band});
  AddBandIndex(image, s.family, s.band);

  // The three copies of the chip type agree.
  const SynthArea& area = SynthAreaOf(s.family);
  const int type = image[area.typeByte];
  EXPECT_EQ(type, writer.params.type);
  EXPECT_EQ((image[area.refByte] >> 4) & 3, type & 3);
  if (s.family == SynthFamily::k1K) {
    EXPECT_EQ((image[area.bandByte] & 0x04) != 0, type == 4);
  }

  SynthState reader;  // a fresh run, as when the codeplug is loaded again
  LoadSynthRecord(reader.record, image[area.modeByte], image[area.refByte], image[area.bandByte]);
  EXPECT_EQ(reader.record.type, s.family == SynthFamily::k1K ? type : type & 3);
  return FrequencyFromWords(reader, image, s.family, s.family == SynthFamily::k1K).hz;
}

struct BandSpan {
  int band;
  std::uint32_t firstHz, endHz;
};

constexpr BandSpan kBands[] = {
    {1, 143000000, 153000000},
    {2, 153000000, 164000000},
    {3, 164000000, 174000000},
    {6, 929000000, 932000000},
};

TEST(SynthRoundTrip, EveryFoundDividerPairReadsBackAsTheSearchedFrequency) {
  for (SynthFamily family : {SynthFamily::k1K, SynthFamily::k4K}) {
    for (int chip = 0; chip < 5; ++chip) {
      for (const BandSpan& span : kBands) {
        for (std::uint8_t hw = 0; hw < 4; ++hw) {
          for (bool saveAs : {false, true}) {
            if (saveAs && chip == kSynthTypeFS8308) continue;  // refused while saving
            const Scenario setup{family, chip, span.band, hw, saveAs, hw == 3 ? 2 : 1};
            SCOPED_TRACE(testing::Message()
                         << (family == SynthFamily::k1K ? "1 KB" : "4 KB") << " chip " << chip
                         << " band " << span.band << " hw " << int{hw} << " saveAs " << saveAs);
            // The lowest channel of every band can be synthesized by every chip.
            ASSERT_EQ(RoundTrip(setup, span.firstHz), std::optional<std::int64_t>(span.firstHz));
            // An odd stride over the grid meets every kind of remainder.
            for (std::uint32_t hz = span.firstHz; hz < span.endHz; hz += 29 * 2500) {
              const auto back = RoundTrip(setup, hz);
              if (back) {
                ASSERT_EQ(*back, hz);
              }
            }
          }
        }
      }
    }
  }
}

TEST(SynthRoundTrip, Mb15e03On900MHzKeepsItsFrequencyWhicheverDividerWasUsed) {
  // R 2560 (5 kHz comparison) for most carriers, R 2048 (6250 Hz) for 930.5 MHz.
  for (SynthFamily family : {SynthFamily::k1K, SynthFamily::k4K}) {
    for (std::uint32_t hz : {930505000u, 930500000u, 929000000u, 931995000u}) {
      for (std::uint8_t hw : {1, 2}) {
        const Scenario setup{family, 1, 6, hw, false, 1};
        EXPECT_EQ(RoundTrip(setup, hz), std::optional<std::int64_t>(hz)) << hz << " hw " << int{hw};
      }
    }
  }
}

TEST(SynthRoundTrip, A4KPagerWithSideBitsZeroIsStoredWithTheSideItWasSearchedFor) {
  // Such a pager is searched on the high side; storing low side would read
  // back two IFs (42.8 MHz) below.
  const Scenario setup{SynthFamily::k4K, 0, 1, 0, false, 1};
  EXPECT_EQ(RoundTrip(setup, 152840000), std::optional<std::int64_t>(152840000));
}

}  // namespace
}  // namespace rer
