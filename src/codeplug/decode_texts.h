#pragma once
// The texts a decoded codeplug shows where a stored number is not shown as
// it is: the version line, the memory partition, the reacquisition timeout,
// the operating frequency and the user password keys.

#include <cstdint>
#include <string>

#include "codeplug/codeplug_version.h"

namespace rer {

// "Codeplug Version : R040609" style: letter, then major, minor and patch
// as two characters each.
std::string VersionTextOf(const CodeplugVersion& version);

struct MemorySizeTexts {
  std::string personal;  // ed_persMemSizeString
  std::string maildrop;  // ed_persMaildropString
};
// The personal and maildrop memory of a memory size code, from the large or
// the small memory column.
MemorySizeTexts MemorySizeTextsOf(std::uint8_t code, bool largeMemory);

struct MissedFrameTexts {
  std::string minutes;  // ed_missed_frame_count_min
  std::string seconds;  // ed_missed_frame_count_sec
};
// Minutes in bits 2-7, quarter minutes in bits 0-1; a zero shows as " 0".
MissedFrameTexts MissedFrameTextsOf(std::uint8_t stored);

// "%03d.%04d": whole megahertz, then the rest in units of 100 Hz.
std::string FrequencyTextOf(std::int64_t hz);

// The key digits "0"-"3" of a user password, first key first, from its code
// word (two bits per key, the first key highest) and its key count.
std::string UserPasswordDigits(std::uint16_t word, int keyCount);
// The same keys as the letters L, R, U, D.
std::string UserPasswordLetters(std::string_view digits);
// The code word of the key digits, the inverse of UserPasswordDigits: two
// bits per key, the first key in the highest pair used ("0123" gives 0x1B).
std::uint16_t UserPasswordCode(std::string_view digits);

// Four nibbles, most significant first, each as one character.
std::string NibbleDigits(std::uint16_t word);

}  // namespace rer
