#pragma once
// What the pager's tones sound like, as a list of timed steps: the note of a
// pleasing-alert list, the whole pleasing-alert melody and the sixteen
// built-in alert patterns. A step of 0 Hz is a rest. Nothing here plays a
// sound; see pcm.h for turning steps into samples.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace rer::tones {

struct ToneStep {
  int hertz = 0;  // 0: silence
  int milliseconds = 0;
  friend bool operator==(const ToneStep&, const ToneStep&) = default;
};
using ToneSequence = std::vector<ToneStep>;

// The programmable pleasing alert: one byte per note, bits 0 to 4 the
// frequency index (0 a rest), bits 5 to 7 the volume.
inline constexpr std::size_t kMelodyLength = 16;
using Melody = std::array<std::uint8_t, kMelodyLength>;
inline constexpr std::uint8_t kDefaultNote = 0xE9;  // volume 7, "1300 Hz"
inline constexpr int kFrequencyCount = 25;          // indices 0 ("OFF") to 24
inline constexpr int kVolumeCount = 8;

Melody DefaultMelody();
inline int FrequencyIndexOf(std::uint8_t note) {
  return note & 0x1F;
}
inline int VolumeOf(std::uint8_t note) {
  return note >> 5;
}
std::uint8_t WithFrequencyIndex(std::uint8_t note, int index);
std::uint8_t WithVolume(std::uint8_t note, int volume);

// The item texts of a frequency list ("OFF", "345 Hz", ...); empty for an
// index no list shows (25 to 31 fit in the five bits but name no tone).
std::string_view FrequencyLabel(int index);
// The hertz a melody or note preview plays for a frequency index: the number
// the label starts with; 0 for "OFF" and for indices without a label.
int LabelHertz(int index);

// The alert patterns, numbered as the alert-pattern lists show them.
inline constexpr int kPatternCount = 16;
inline constexpr int kMelodyPattern = 8;  // "PL8": the pleasing-alert melody
std::string_view PatternName(int pattern);
// How many steps pattern `pattern` has (0 for the melody pattern and for
// numbers outside 0 to 15). The "Play tone" preview of the address pages
// plays every step of a pattern: the counts it has always used are exactly
// these lengths.
int PatternStepCount(int pattern);

// One tone of `hertz` (0 or less: silence) for `milliseconds`.
ToneSequence PlayTone(int hertz, int milliseconds);
// What changing a frequency list to the note's index sounds: 50 ms of the
// label's hertz, or 500 ms of silence for "OFF" (and for an index without a
// label).
ToneSequence PlayNote(std::uint8_t note);
// The melody with equal neighbouring frequency indices joined into one run
// (volume does not count), each run lasting truncate(length x 62.5) ms.
ToneSequence PlayMelody(const Melody& melody);
// The first `stepCount` steps of an alert pattern, truncate(units x 62.5) ms
// each; the melody pattern plays `melody` instead. An unknown pattern plays
// nothing.
ToneSequence PlayPattern(int pattern, int stepCount, const Melody& melody);
// The whole pattern, as "Play tone" and rer-cli tone play it.
ToneSequence PlayWholePattern(int pattern, const Melody& melody);

// The duration in milliseconds of `units` sixteenths of a second, truncated.
constexpr int UnitsToMilliseconds(int units) {
  return units * 125 / 2;
}

// The total length of a sequence in milliseconds.
int TotalMilliseconds(const ToneSequence& sequence);

}  // namespace rer::tones
