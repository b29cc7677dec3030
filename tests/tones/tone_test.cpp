#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tones/pcm.h"
#include "tones/tone_steps.h"

namespace rer::tones {
namespace {

constexpr int kSamplesPerMs = kSampleRate / 1000;

// One stretch of the rendered sound: sounding or silent, its length in
// samples, and for a sounding one the frequency its zero crossings give.
struct Stretch {
  bool sounding;
  int samples;
  double hertz;
};

std::vector<Stretch> Measure(const std::vector<std::int16_t>& pcm) {
  std::vector<Stretch> stretches;
  std::size_t start = 0;
  while (start < pcm.size()) {
    const bool sounding = pcm[start] != 0;
    std::size_t end = start;
    // Upward zero crossings: the first and the last span whole periods.
    std::vector<std::size_t> upward;
    while (end < pcm.size() && (pcm[end] != 0) == sounding) {
      if (sounding && pcm[end] > 0 && (end == start || pcm[end - 1] < 0)) upward.push_back(end);
      ++end;
    }
    double hertz = 0;
    if (upward.size() >= 2) {
      const double span = static_cast<double>(upward.back() - upward.front()) / kSampleRate;
      hertz = static_cast<double>(upward.size() - 1) / span;
    }
    stretches.push_back({sounding, static_cast<int>(end - start), hertz});
    start = end;
  }
  return stretches;
}

struct Expected {
  bool sounding;
  int milliseconds;
  int hertz;
};

void ExpectSound(const ToneSequence& sequence, const std::vector<Expected>& expected) {
  const auto stretches = Measure(RenderPcm(sequence));
  ASSERT_EQ(stretches.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "stretch " << i);
    EXPECT_EQ(stretches[i].sounding, expected[i].sounding);
    EXPECT_EQ(stretches[i].samples, expected[i].milliseconds * kSamplesPerMs);
    if (expected[i].sounding) {
      EXPECT_NEAR(stretches[i].hertz, expected[i].hertz, expected[i].hertz * 0.01);
    }
  }
}

TEST(ToneSound, SixteenEqualNotesPlayOneSecondLongTone) {
  ExpectSound(PlayMelody(DefaultMelody()), {{true, 1000, 1300}});
  // Volume is not part of a note's pitch: alternating volumes still join.
  Melody mixed = DefaultMelody();
  for (std::size_t i = 0; i < mixed.size(); i += 2) mixed[i] = WithVolume(mixed[i], 1);
  ExpectSound(PlayMelody(mixed), {{true, 1000, 1300}});
}

TEST(ToneSound, MelodyRunsLastTheirTruncatedLength) {
  // Three notes of 1300 Hz, two rests, eleven of 2743 Hz: 187, 125 and 687 ms.
  Melody melody;
  melody.fill(WithFrequencyIndex(0xE0, 16));
  melody[0] = melody[1] = melody[2] = 0xE9;
  melody[3] = 0xE0;
  melody[4] = 0x40;
  ExpectSound(PlayMelody(melody), {{true, 187, 1300}, {false, 125, 0}, {true, 687, 2743}});
  // The same melody as pattern "PL8".
  EXPECT_EQ(RenderPcm(PlayPattern(kMelodyPattern, 0, melody)), RenderPcm(PlayMelody(melody)));
}

TEST(ToneSound, NotePreviews) {
  const struct {
    std::uint8_t note;
    std::vector<Expected> sound;
  } cases[] = {
      {0xF0, {{true, 50, 2743}}},  // frequency index 16
      {0x01, {{true, 50, 345}}},   // the lowest, volume 0 still sounds
      {0x18, {{true, 50, 6400}}},  // the highest
      {0xE0, {{false, 500, 0}}},   // "OFF"
      {0x1F, {{false, 500, 0}}},   // index 31 has no label: no tone
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "note 0x" << std::hex << int{c.note});
    ExpectSound(PlayNote(c.note), c.sound);
  }
}

TEST(ToneSound, Patterns) {
  const Melody melody = DefaultMelody();
  ExpectSound(PlayWholePattern(15, melody), {{true, 2000, 2730}});  // "UG7"
  std::vector<Expected> standard;
  for (int i = 0; i < 4; ++i) {
    standard.push_back({true, 125, 2730});
    standard.push_back({false, 125, 0});
  }
  ExpectSound(PlayWholePattern(0, melody), standard);  // "STD"
  // "PL6" ends on a rest of two sixteenths.
  const auto pl6 = Measure(RenderPcm(PlayWholePattern(6, melody)));
  ASSERT_FALSE(pl6.empty());
  EXPECT_FALSE(pl6.back().sounding);
  EXPECT_EQ(pl6.back().samples, 125 * kSamplesPerMs);
}

TEST(ToneSound, EachStepIsTruncatedOnItsOwn) {
  const Melody melody = DefaultMelody();
  // "PL1": 3 x (62 + 62 + 62 + 125) + 62 ms, not the 1000 ms of its 16 units.
  EXPECT_EQ(RenderPcm(PlayWholePattern(1, melody)).size(), 995u * kSamplesPerMs);
  // "PL3": 187 x 4 + 250 ms.
  EXPECT_EQ(RenderPcm(PlayWholePattern(3, melody)).size(), 998u * kSamplesPerMs);
  // The first three steps of "STD": tone, rest, tone.
  ExpectSound(PlayPattern(0, 3, melody), {{true, 125, 2730}, {false, 125, 0}, {true, 125, 2730}});
  // Counts beyond the pattern, below zero, and unknown patterns.
  EXPECT_EQ(PlayPattern(15, 99, melody), PlayWholePattern(15, melody));
  EXPECT_TRUE(PlayPattern(0, -1, melody).empty());
  EXPECT_TRUE(PlayWholePattern(16, melody).empty());
  EXPECT_TRUE(PlayWholePattern(-1, melody).empty());
}

TEST(ToneTables, AddressPagesPlayEveryStepOfAPattern) {
  // The step counts the address pages have always asked for; patterns 8
  // (the melody), 9, 13, 14 and 15 have none of their own.
  const int counts[] = {8, 13, 16, 5, 15, 16, 4, 8, -1, -1, 12, 10, 8};
  for (int pattern = 0; pattern < 13; ++pattern) {
    if (counts[pattern] < 0) continue;
    EXPECT_EQ(PatternStepCount(pattern), counts[pattern]) << PatternName(pattern);
  }
  EXPECT_EQ(PatternStepCount(kMelodyPattern), 0);
  EXPECT_EQ(PatternName(0), "STD");
  EXPECT_EQ(PatternName(8), "PL8");
  EXPECT_EQ(PatternName(15), "UG7");
}

TEST(ToneTables, NoteBitsAndLabels) {
  EXPECT_EQ(FrequencyLabel(FrequencyIndexOf(kDefaultNote)), "1300 Hz");
  EXPECT_EQ(VolumeOf(kDefaultNote), 7);
  EXPECT_EQ(FrequencyLabel(0), "OFF");
  EXPECT_EQ(FrequencyLabel(24), "6400 Hz");
  EXPECT_EQ(FrequencyLabel(25), "");
  EXPECT_EQ(WithFrequencyIndex(0xE9, 16), 0xF0);
  EXPECT_EQ(WithVolume(0xE9, 2), 0x49);
  EXPECT_EQ(LabelHertz(16), 2743);
  EXPECT_EQ(LabelHertz(0), 0);
}

TEST(TonePcm, DurationsAreExactAtOtherRatesToo) {
  const ToneSequence sequence = {{1000, 7}, {0, 3}, {440, 1}};
  // 11 ms at 44.1 kHz: 485.1 samples, whatever the steps' own fractions.
  EXPECT_EQ(RenderPcm(sequence, 44100).size(), 485u);
  EXPECT_EQ(RenderPcm(sequence).size(), 11u * kSamplesPerMs);
  // A tone the sample rate cannot carry is silence, not an alias.
  ExpectSound({{30000, 10}}, {{false, 10, 0}});
}

std::uint32_t ReadLe(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

TEST(TonePcm, WavFileHoldsTheSamplesAs16BitMono) {
  const std::vector<std::int16_t> samples = {0, kAmplitude, -kAmplitude, 1, -1};
  const auto wav = EncodeWav(samples);
  ASSERT_EQ(wav.size(), 44u + 10u);
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_EQ(ReadLe(wav, 4, 4), wav.size() - 8);
  EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(ReadLe(wav, 20, 2), 1u);  // PCM
  EXPECT_EQ(ReadLe(wav, 22, 2), 1u);  // mono
  EXPECT_EQ(ReadLe(wav, 24, 4), static_cast<std::uint32_t>(kSampleRate));
  EXPECT_EQ(ReadLe(wav, 28, 4), static_cast<std::uint32_t>(kSampleRate * 2));
  EXPECT_EQ(ReadLe(wav, 32, 2), 2u);
  EXPECT_EQ(ReadLe(wav, 34, 2), 16u);
  EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
  EXPECT_EQ(ReadLe(wav, 40, 4), 10u);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    EXPECT_EQ(static_cast<std::int16_t>(ReadLe(wav, 44 + 2 * i, 2)), samples[i]);
  }
}

}  // namespace
}  // namespace rer::tones
