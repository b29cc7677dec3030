#include "tones/tone_steps.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <vector>

namespace rer::tones {
namespace {

// The items of every pleasing-alert frequency list; the number each starts
// with is the hertz the melody and note previews play.
constexpr std::array<std::string_view, kFrequencyCount> kFrequencyLabels = {
    "OFF",     "345 Hz",  "480 Hz",  "686 Hz",  "800 Hz",  "900 Hz",  "960 Hz",
    "1125 Hz", "1200 Hz", "1300 Hz", "1371 Hz", "1551 Hz", "1600 Hz", "1920 Hz",
    "2400 Hz", "2500 Hz", "2743 Hz", "2800 Hz", "2900 Hz", "2997 Hz", "3095 Hz",
    "3200 Hz", "3840 Hz", "4800 Hz", "6400 Hz"};

// The alert patterns are made of the same 24 frequency indices, but their
// preview sounds these slightly different frequencies (index 0 is the rest).
constexpr std::array<int, kFrequencyCount> kPatternPreviewHertz = {
    0,    345,  480,  686,  800,  900,  959,  1124, 1201, 1300, 1371, 1550, 1602,
    1918, 2403, 2494, 2730, 2801, 2894, 2993, 3099, 3194, 3851, 4805, 6387};

constexpr int kRest = 0;

// The frequency index of a pattern-preview frequency, so that the pattern
// table below reads in hertz; a frequency not in the preview table does not
// compile.
consteval int Hz(int hertz) {
  for (int index = 1; index < kFrequencyCount; ++index) {
    if (kPatternPreviewHertz[static_cast<std::size_t>(index)] == hertz) return index;
  }
  throw "not a pattern preview frequency";
}

struct PatternStep {
  int frequencyIndex;  // kRest for a rest
  int units;           // sixteenths of a second
};
using Steps = std::vector<PatternStep>;

Steps Repeat(int times, const Steps& phrase) {
  Steps steps;
  for (int i = 0; i < times; ++i) steps.insert(steps.end(), phrase.begin(), phrase.end());
  return steps;
}

Steps Each(int units, std::initializer_list<int> frequencyIndices) {
  Steps steps;
  for (int index : frequencyIndices) steps.push_back({index, units});
  return steps;
}

Steps operator+(Steps first, const Steps& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

struct Pattern {
  std::string_view name;
  Steps steps;
};

const std::array<Pattern, kPatternCount>& Patterns() {
  static const std::array<Pattern, kPatternCount> patterns = {{
      {"STD", Repeat(4, {{Hz(2730), 2}, {kRest, 2}})},
      {"PL1", Repeat(3, {{Hz(2894), 1}, {Hz(3099), 1}, {Hz(2894), 1}, {Hz(2993), 2}}) +
                  Steps{{Hz(2894), 1}}},
      {"PL2", Repeat(8, {{Hz(2730), 1}, {Hz(1918), 1}})},
      {"PL3", {{Hz(800), 3}, {Hz(1201), 3}, {Hz(1602), 3}, {Hz(1201), 3}, {Hz(800), 4}}},
      {"PL4", Each(1, {Hz(480), Hz(800), Hz(1201), Hz(1602), Hz(1918), Hz(2403), Hz(2730)}) +
                  Steps{{Hz(3194), 2}} +
                  Each(1, {Hz(2730), Hz(2403), Hz(1918), Hz(1602), Hz(1201), Hz(800), Hz(480)})},
      {"PL5", Repeat(4, {{Hz(1602), 1}, {Hz(3194), 1}}) + Repeat(4, {{Hz(800), 1}, {Hz(3194), 1}})},
      {"PL6", {{Hz(1201), 4}, {Hz(900), 4}, {Hz(1550), 6}, {kRest, 2}}},
      {"PL7",
       Each(2, {Hz(2730), Hz(2993), Hz(2730), Hz(2993), Hz(2730), Hz(2494), Hz(2730), Hz(2494)})},
      {"PL8", {}},
      {"UG1", Repeat(8, {{Hz(2403), 1}, {Hz(2730), 1}})},
      {"UG2", Repeat(3, {{Hz(2801), 1}, {Hz(2993), 1}, {Hz(2801), 1}, {Hz(2894), 2}})},
      {"UG3", Repeat(5, {{Hz(2403), 2}, {Hz(2730), 4}})},
      {"UG4", Repeat(4, {{Hz(2403), 4}, {Hz(2730), 4}})},
      {"UG5", Repeat(2, {{Hz(2403), 8}, {Hz(2730), 8}})},
      {"UG6", Repeat(2, {{Hz(2403), 16}, {Hz(2730), 16}})},
      {"UG7", {{Hz(2730), 32}}},
  }};
  return patterns;
}

const Pattern* FindPattern(int pattern) {
  if (pattern < 0 || pattern >= kPatternCount) return nullptr;
  return &Patterns()[static_cast<std::size_t>(pattern)];
}

constexpr int kNoteMilliseconds = 50;
constexpr int kRestNoteMilliseconds = 500;

void Append(ToneSequence& sequence, int hertz, int milliseconds) {
  // A run or step of no length takes no time and leaves no step behind.
  if (milliseconds > 0) sequence.push_back({hertz > 0 ? hertz : 0, milliseconds});
}

}  // namespace

Melody DefaultMelody() {
  Melody melody;
  melody.fill(kDefaultNote);
  return melody;
}

std::uint8_t WithFrequencyIndex(std::uint8_t note, int index) {
  return static_cast<std::uint8_t>((note & 0xE0) | (index & 0x1F));
}

std::uint8_t WithVolume(std::uint8_t note, int volume) {
  return static_cast<std::uint8_t>((note & 0x1F) | ((volume & 0x07) << 5));
}

std::string_view FrequencyLabel(int index) {
  if (index < 0 || index >= kFrequencyCount) return {};
  return kFrequencyLabels[static_cast<std::size_t>(index)];
}

int LabelHertz(int index) {
  const std::string_view label = FrequencyLabel(index);
  int hertz = 0;
  // "OFF" and an empty label have no leading digits and stay 0.
  std::from_chars(label.data(), label.data() + label.size(), hertz);
  return hertz;
}

std::string_view PatternName(int pattern) {
  const Pattern* found = FindPattern(pattern);
  return found ? found->name : std::string_view{};
}

int PatternStepCount(int pattern) {
  const Pattern* found = FindPattern(pattern);
  return found ? static_cast<int>(found->steps.size()) : 0;
}

ToneSequence PlayTone(int hertz, int milliseconds) {
  ToneSequence sequence;
  Append(sequence, hertz, milliseconds);
  return sequence;
}

ToneSequence PlayNote(std::uint8_t note) {
  const int hertz = LabelHertz(FrequencyIndexOf(note));
  return hertz > 0 ? PlayTone(hertz, kNoteMilliseconds) : PlayTone(0, kRestNoteMilliseconds);
}

ToneSequence PlayMelody(const Melody& melody) {
  struct Run {
    int frequencyIndex;
    int length;
  };
  std::vector<Run> runs;
  for (std::uint8_t note : melody) {
    const int index = FrequencyIndexOf(note);
    if (!runs.empty() && runs.back().frequencyIndex == index) {
      ++runs.back().length;
    } else {
      runs.push_back({index, 1});
    }
  }
  ToneSequence sequence;
  for (const Run& run : runs) {
    Append(sequence, LabelHertz(run.frequencyIndex), UnitsToMilliseconds(run.length));
  }
  return sequence;
}

ToneSequence PlayPattern(int pattern, int stepCount, const Melody& melody) {
  if (pattern == kMelodyPattern) return PlayMelody(melody);
  const Pattern* found = FindPattern(pattern);
  ToneSequence sequence;
  if (!found) return sequence;
  const int count = std::min<int>(std::max(stepCount, 0), static_cast<int>(found->steps.size()));
  for (int i = 0; i < count; ++i) {
    const PatternStep& step = found->steps[static_cast<std::size_t>(i)];
    Append(sequence, kPatternPreviewHertz[static_cast<std::size_t>(step.frequencyIndex)],
           UnitsToMilliseconds(step.units));
  }
  return sequence;
}

ToneSequence PlayWholePattern(int pattern, const Melody& melody) {
  return PlayPattern(pattern, PatternStepCount(pattern), melody);
}

int TotalMilliseconds(const ToneSequence& sequence) {
  int total = 0;
  for (const ToneStep& step : sequence) total += step.milliseconds;
  return total;
}

}  // namespace rer::tones
