#include "tones/pcm.h"

namespace rer::tones {
namespace {

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

}  // namespace

std::vector<std::int16_t> RenderPcm(const ToneSequence& sequence, int sampleRate) {
  std::vector<std::int16_t> samples;
  if (sampleRate <= 0) return samples;
  // Each step ends at the sample its end time falls on, counted from the
  // start, so that at rates which are not a multiple of 1000 the parts do
  // not drift from the whole.
  std::int64_t elapsedMs = 0;
  for (const ToneStep& step : sequence) {
    if (step.milliseconds <= 0) continue;
    const std::int64_t first = elapsedMs * sampleRate / 1000;
    elapsedMs += step.milliseconds;
    const std::int64_t count = elapsedMs * sampleRate / 1000 - first;
    const bool audible = step.hertz > 0 && std::int64_t{step.hertz} * 2 < sampleRate;
    // The phase runs in whole units of 1/(hertz x sampleRate) s, so the
    // average frequency is exact even where a period is not a whole number
    // of samples.
    std::int64_t phase = 0;
    for (std::int64_t i = 0; i < count; ++i) {
      if (!audible) {
        samples.push_back(0);
        continue;
      }
      samples.push_back(phase * 2 < sampleRate ? kAmplitude
                                               : static_cast<std::int16_t>(-kAmplitude));
      phase += step.hertz;
      if (phase >= sampleRate) phase -= sampleRate;
    }
  }
  return samples;
}

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate) {
  constexpr int kChannels = 1;
  constexpr int kBytesPerSample = 2;
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  PutLe(out, 36 + dataBytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLe(out, 16, 4);  // size of the format chunk
  PutLe(out, 1, 2);   // PCM
  PutLe(out, kChannels, 2);
  PutLe(out, static_cast<std::uint32_t>(sampleRate), 4);
  PutLe(out, static_cast<std::uint32_t>(sampleRate * kChannels * kBytesPerSample), 4);
  PutLe(out, kChannels * kBytesPerSample, 2);
  PutLe(out, 8 * kBytesPerSample, 2);
  PutTag(out, "data");
  PutLe(out, dataBytes, 4);
  for (std::int16_t sample : samples) PutLe(out, static_cast<std::uint16_t>(sample), 2);
  return out;
}

}  // namespace rer::tones
