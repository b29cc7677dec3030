// rer-cli tone (--pattern N | --melody HEX32 | --note INDEX) -o FILE.wav
// Renders what the window's tone preview plays into a WAV file (16-bit mono),
// so that the sounds can be checked and used on a machine without sound:
// an alert pattern with all its steps (pattern 8 is the default pleasing
// alert), a pleasing-alert melody of sixteen note bytes in hexadecimal, or the
// note a pleasing-alert frequency list plays for its item INDEX. Prints the
// length of the sound in milliseconds.

#include <iostream>
#include <optional>

#include "cli/args.h"
#include "cli/commands.h"
#include "pager/codeplug_file.h"
#include "tones/pcm.h"
#include "tones/tone_steps.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage =
    "usage: rer-cli tone (--pattern N | --melody HEX32 | --note INDEX) -o FILE.wav";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<tones::Melody> ParseMelody(const std::string& text) {
  if (text.size() != 2 * tones::kMelodyLength) return std::nullopt;
  tones::Melody melody{};
  for (std::size_t i = 0; i < melody.size(); ++i) {
    const int high = HexDigit(text[2 * i]);
    const int low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    melody[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return melody;
}

}  // namespace

int RunToneCommand(const CommandArgs& words) {
  Args args(words, {"pattern", "melody", "note", "o"}, {});
  const auto pattern = args.number("pattern");
  const auto note = args.number("note");
  const auto melodyText = args.value("melody");
  const auto output = args.value("o");
  const int sources =
      int{pattern.has_value()} + int{note.has_value()} + int{melodyText.has_value()};
  if (!args.ok() || !output || sources != 1 || !args.positional().empty()) {
    std::cerr << (args.ok() ? kUsage : args.error()) << "\n";
    return 2;
  }

  tones::ToneSequence sequence;
  if (pattern) {
    if (*pattern < 0 || *pattern >= tones::kPatternCount) {
      std::cerr << "tone: no alert pattern " << *pattern << " (0 to " << tones::kPatternCount - 1
                << ")\n";
      return 2;
    }
    sequence = tones::PlayWholePattern(static_cast<int>(*pattern), tones::DefaultMelody());
  } else if (note) {
    if (*note < 0 || *note >= tones::kFrequencyCount) {
      std::cerr << "tone: no frequency index " << *note << " (0 to " << tones::kFrequencyCount - 1
                << ")\n";
      return 2;
    }
    sequence =
        tones::PlayNote(tones::WithFrequencyIndex(tones::kDefaultNote, static_cast<int>(*note)));
  } else {
    const auto melody = ParseMelody(*melodyText);
    if (!melody) {
      std::cerr << "tone: --melody needs sixteen note bytes as 32 hexadecimal digits\n";
      return 2;
    }
    sequence = tones::PlayMelody(*melody);
  }

  const auto wav = tones::EncodeWav(tones::RenderPcm(sequence));
  if (!WriteTextFileSafely(*output, std::string(wav.begin(), wav.end()))) {
    std::cerr << "tone: cannot write " << *output << "\n";
    return 1;
  }
  std::cout << tones::TotalMilliseconds(sequence) << " ms\n";
  return 0;
}

}  // namespace rer::cli
