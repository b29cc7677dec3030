#include "synth/frequency_from_words.h"

#include <gtest/gtest.h>

#include "synth/synth_encode.h"
#include "synth/synth_record.h"
#include "synth_fixture.h"

namespace rer {
namespace {

using synth_test::ImageWith;
using synth_test::SynthBytes;

constexpr std::uint8_t BandByte(int band, int sideBits) {
  return static_cast<std::uint8_t>((band << 3) | sideBits);
}

struct WordsCase {
  const char* what;
  SynthFamily family;
  int recordType;  // 1 KB family: the chip type the record was loaded with
  SynthBytes bytes;
  std::int64_t hz;
  std::int64_t unroundedHz;
};

TEST(FrequencyFromWords, ComputesTheCarrierPerChipAndRoundsToTheGrid) {
  const WordsCase cases[] = {
      // HI8107 format, 12.8 MHz / (8 x 3200) = 500 Hz, IF 17.9 MHz low side:
      // exactly 152839500 Hz moves up to the next grid point.
      {"rounds up from 2000 Hz above",
       SynthFamily::k4K,
       0,
       {2 * 269879, 16 * 3200 + 1, 0x00, 0x00, BandByte(1, 1)},
       152840000,
       152839500},
      // 16.8 MHz / (8 x 100000) = 21 Hz, IF 21.4 MHz high side: 152839499 Hz stays down.
      {"stays down below 2000 Hz above",
       SynthFamily::k4K,
       0,
       {2 * 8297119, 16 * 100000 + 1, 0x20, 0x80, BandByte(1, 2)},
       152837500,
       152839499},
      // NPC5170: N word 128 N, R word 256 R + 17, prescaler 4, multiplier 4:
      // 4 x 12.8 MHz / (4 x 1024) = 12500 Hz.
      {"NPC5170 on 900 MHz",
       SynthFamily::k4K,
       0,
       {128 * 70801, 256 * 1024 + 17, 0x9B, 0x20, BandByte(6, 1)},
       930012500,
       930012500},
      // MB15E03 in the 4 KB family without a divider in its R word: 2500 Hz
      // comparison and 21.4 MHz IF on the VHF bands whatever the mode byte says.
      {"MB15E03 fixed VHF",
       SynthFamily::k4K,
       0,
       {2 * 52576, 0, 0x80, 0x10, BandByte(1, 1)},
       152840000,
       152840000},
      {"MB15E03 fixed 900 MHz",
       SynthFamily::k4K,
       0,
       {2 * 141680, 0, 0x80, 0x10, BandByte(6, 1)},
       930500000,
       930500000},
      // Band 0 has no IF of its own: the mode byte's 45 MHz stays.
      {"MB15E03 band 0",
       SynthFamily::k4K,
       0,
       {2 * 30000, 0, 0x80, 0x10, BandByte(0, 1)},
       120000000,
       120000000},
      // With its divider in the R word (2 R + 65537) the MB15E03 reads back
      // R = 2560 on 900 MHz as a 5 kHz comparison frequency.
      {"MB15E03 R from word, 4 KB",
       SynthFamily::k4K,
       0,
       {2 * 177101, 2 * 2560 + 65537, 0x88, 0x10, BandByte(6, 1)},
       930505000,
       930505000},
      {"MB15E03 R from word, 1 KB",
       SynthFamily::k1K,
       1,
       {2 * 177101, 2 * 2560 + 65537, 0x88, 0x10, BandByte(6, 1)},
       930505000,
       930505000},
      // 1 KB without a divider in the word: R 8380 on VHF against the stored reference.
      {"MB15E03 fixed R, 1 KB",
       SynthFamily::k1K,
       1,
       {2 * 52576, 0, 0x20, 0x50, BandByte(1, 1)},
       152840000,
       152840000},
      // The 1 KB family takes the type from the record, not the ref byte:
      // these are NPC5170 words although the type bits say HI8107.
      {"1 KB type from record",
       SynthFamily::k1K,
       2,
       {128 * 70801, 256 * 1024 + 17, 0x9B, 0x00, BandByte(6, 1)},
       930012500,
       930012500},
      // No comparison frequency (R word 0) and a negative carrier read as 0 Hz.
      {"blank words", SynthFamily::k4K, 0, {0, 0, 0, 0, 0}, 0, 0},
      {"negative carrier",
       SynthFamily::k4K,
       0,
       {2 * 1, 16 * 3200 + 1, 0x80, 0x00, BandByte(1, 2)},
       0,
       0},
  };
  for (const WordsCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto image = ImageWith(c.family, c.bytes);
    SynthState state;
    state.record.type = c.recordType;
    const FrequencyReading reading = FrequencyFromWords(state, image, c.family, false);
    EXPECT_EQ(reading.hz, c.hz);
    EXPECT_EQ(reading.unroundedHz, c.unroundedHz);
    EXPECT_EQ(state.unroundedHz, c.unroundedHz);
  }
}

TEST(FrequencyFromWords, ToleratesAnyStoredBytes) {
  // An erased or damaged codeplug must decode to some number, never trap.
  for (std::uint8_t fill : {0x00, 0xFF, 0xA5, 0x5A}) {
    for (SynthFamily family : {SynthFamily::k1K, SynthFamily::k4K}) {
      synth_test::Image image;
      image.fill(fill);
      SynthState state;
      const FrequencyReading reading = FrequencyFromWords(state, image, family, true);
      EXPECT_GE(reading.hz, 0) << int{fill};
      EXPECT_GE(reading.unroundedHz, reading.hz - 2000) << int{fill};
    }
  }
}

TEST(FrequencyFromWords, StoreCopiesTheReadBackParametersInThe1KFamilyOnly) {
  const SynthBytes bytes{128 * 70801, 256 * 1024 + 17, 0x9B, 0x23, BandByte(6, 2)};
  SynthState state;
  state.record.type = 2;
  FrequencyFromWords(state, ImageWith(SynthFamily::k1K, bytes), SynthFamily::k1K, true);
  const PllParams expected{12800000, 4, 45000000, 12500, 2, 2};
  EXPECT_EQ(state.params, expected);
  EXPECT_EQ(state.result.FoundN, 70801u);
  EXPECT_EQ(state.result.FoundR, 1024u);  // the chip's divider, without the prescaler
  EXPECT_EQ(state.result.SearchFlags, 0x03);

  SynthState other;
  FrequencyFromWords(other, ImageWith(SynthFamily::k4K, bytes), SynthFamily::k4K, true);
  EXPECT_EQ(other.params, PllParams{});
  EXPECT_EQ(other.result, DividerResult{});
}

// The 1 KB read-back leaves its dividers as a search would, so an encode that
// follows it without a new search writes the very words it read: the R word
// must not gain the prescaler factor.
TEST(FrequencyFromWords, OneKReadBackThenEncodeKeepsTheWords) {
  struct Case {
    int chip, band;
    std::uint32_t n, r;
  };
  const Case cases[] = {
      {0, 1, 14000, 480},   // HI8107, prescaler 8
      {2, 6, 70801, 1024},  // NPC5170, prescaler 4
      {3, 2, 25000, 900},   // FS8108, prescaler 8
      {1, 1, 61000, 8380},  // MB15E03, no prescaler
      {1, 6, 148020, 2048},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "chip " << c.chip << " band " << c.band);
    synth_test::Image written{};
    SynthState writer;
    writer.SynthHwByte = 2;
    writer.result = {.FoundN = c.n, .FoundR = c.r, .SearchFlags = 2, .side = 2};
    EncodeSynthWords(writer, written, SynthFamily::k1K, {c.chip, c.band});
    const SynthArea& area = SynthAreaOf(SynthFamily::k1K);
    written[area.bandByte] = static_cast<std::uint8_t>(written[area.bandByte] | (c.band << 3));

    SynthState reader;
    LoadSynthRecord(reader.record, written[area.modeByte], written[area.refByte],
                    written[area.bandByte]);
    reader.SynthHwByte = 2;
    FrequencyFromWords(reader, written, SynthFamily::k1K, true);
    EXPECT_EQ(reader.result.FoundN, c.n);
    EXPECT_EQ(reader.result.FoundR, c.r);

    synth_test::Image again = written;
    EncodeSynthWords(reader, again, SynthFamily::k1K, {reader.record.type, c.band});
    EXPECT_EQ(ReadSynthWord(again, area.nWord), ReadSynthWord(written, area.nWord));
    EXPECT_EQ(ReadSynthWord(again, area.rWord), ReadSynthWord(written, area.rWord));
    EXPECT_EQ(again, written);
  }
}

}  // namespace
}  // namespace rer
