#include "codeplug/decode_texts.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace rer {
namespace {

struct MemoryRow {
  int code;
  std::string_view personal;
  std::string_view maildrop;
};

// Small memory: the code is the row number (8 is read as 6).
constexpr auto kSmallMemory = std::to_array<MemoryRow>({
    {0, "None", "7.5K"},
    {1, "  1K", "6.5K"},
    {2, "  2K", "5.5K"},
    {3, "  3K", "4.5K"},
    {4, "  4K", "3.5K"},
    {5, "  5K", "2.5K"},
    {6, "7.5K", "None"},
    {8, "7.5K", "None"},
});

// Large memory: codes not listed show the last row.
constexpr auto kLargeMemory = std::to_array<MemoryRow>({
    {3, "   3K", "  29K"},
    {5, "   5K", "  27K"},
    {16, "  16K", "  16K"},
    {21, "21.5K", "10.5K"},
    {26, "  27K", "   5K"},
    {32, "  32K", " None"},
});
constexpr MemoryRow kLargeMemoryOther{-1, "  10K", "  22K"};

constexpr int kSecondsPerQuarter = 15;

std::string TwoCharacters(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

std::string NumberOrBlankZero(int value) {
  return value == 0 ? std::string(" 0") : std::to_string(value);
}

}  // namespace

std::string VersionTextOf(const CodeplugVersion& version) {
  return std::string("Codeplug Version : ") + version.Letter() + TwoCharacters(version.major) +
         TwoCharacters(version.minor) + TwoCharacters(version.patch);
}

MemorySizeTexts MemorySizeTextsOf(std::uint8_t code, bool largeMemory) {
  if (largeMemory) {
    const MemoryRow* row = &kLargeMemoryOther;
    for (const MemoryRow& candidate : kLargeMemory) {
      if (candidate.code == code) row = &candidate;
    }
    return {std::string(row->personal), std::string(row->maildrop)};
  }
  for (const MemoryRow& row : kSmallMemory) {
    if (row.code == code) return {std::string(row.personal), std::string(row.maildrop)};
  }
  // A code the small column has no row for shows nothing rather than a
  // made-up partition.
  return {};
}

MissedFrameTexts MissedFrameTextsOf(std::uint8_t stored) {
  return {NumberOrBlankZero(stored / 4), NumberOrBlankZero((stored % 4) * kSecondsPerQuarter)};
}

std::string FrequencyTextOf(std::int64_t hz) {
  constexpr std::int64_t kHzPerMHz = 1000000;
  constexpr std::int64_t kHzPerUnit = 100;
  if (hz < 0) hz = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%03lld.%04lld", static_cast<long long>(hz / kHzPerMHz),
                static_cast<long long>((hz % kHzPerMHz) / kHzPerUnit));
  return text;
}

std::string UserPasswordDigits(std::uint16_t word, int keyCount) {
  constexpr int kBitsPerKey = 2;
  constexpr int kMaxKeys = 8;
  if (keyCount > kMaxKeys) keyCount = kMaxKeys;
  std::string digits;
  for (int key = keyCount - 1; key >= 0; --key) {
    digits += static_cast<char>('0' + ((word >> (kBitsPerKey * key)) & 3u));
  }
  return digits;
}

std::uint16_t UserPasswordCode(std::string_view digits) {
  constexpr int kBitsPerKey = 2;
  unsigned code = 0;
  for (char digit : digits) {
    code = (code << kBitsPerKey) | (static_cast<unsigned>(digit - '0') & 3u);
  }
  return static_cast<std::uint16_t>(code);
}

std::string UserPasswordLetters(std::string_view digits) {
  constexpr std::string_view kKeyLetters = "LRUD";
  std::string letters;
  for (char digit : digits) {
    const int key = digit - '0';
    if (key >= 0 && key < static_cast<int>(kKeyLetters.size())) letters += kKeyLetters[key];
  }
  return letters;
}

std::string NibbleDigits(std::uint16_t word) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string text;
  for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[(word >> shift) & 0xFu];
  return text;
}

}  // namespace rer
