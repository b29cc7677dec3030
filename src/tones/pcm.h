#pragma once
// Tone steps as sound: a square wave per step at one fixed sample rate, each
// step exactly its milliseconds long, and the 16-bit mono WAV file that
// holds it.

#include <cstdint>
#include <vector>

#include "tones/tone_steps.h"

namespace rer::tones {

// 48 samples to the millisecond, so every step's duration is a whole number
// of samples.
inline constexpr int kSampleRate = 48000;
// A square wave is loud; a quarter of full scale is enough for a preview.
inline constexpr std::int16_t kAmplitude = 8192;

// The samples of `sequence` at `sampleRate` (at a multiple of 1000 every
// step is exactly its length; at other rates a step may be one sample short
// or long, the whole never): each tone step is a square wave that starts on
// its positive half, each rest is zeros. Tones at or above half the sample
// rate cannot be represented and render as silence.
std::vector<std::int16_t> RenderPcm(const ToneSequence& sequence, int sampleRate = kSampleRate);

// A complete RIFF/WAVE file, PCM 16-bit mono.
std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples,
                                    int sampleRate = kSampleRate);

}  // namespace rer::tones
