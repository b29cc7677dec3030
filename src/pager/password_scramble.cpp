#include "pager/password_scramble.h"

#include <array>
#include <cstdint>

namespace rer {
namespace {

// A permutation of blank, "0"-"9" and "A"-"Z", each raised by 16.
constexpr std::array<std::uint8_t, 37> kScrambleTable = {
    0x56, 0x43, 0x44, 0x5E, 0x46, 0x53, 0x5C, 0x5B, 0x5F, 0x55, 0x5D, 0x30, 0x67,
    0x47, 0x6A, 0x51, 0x64, 0x40, 0x63, 0x69, 0x66, 0x65, 0x49, 0x54, 0x42, 0x60,
    0x59, 0x61, 0x45, 0x48, 0x5A, 0x62, 0x68, 0x52, 0x57, 0x58, 0x41};
constexpr int kTableSize = static_cast<int>(kScrambleTable.size());
constexpr int kRaise = 16;

// Index of `c` raised by 16 in the table, or -1 when it is not there.
int TableIndex(char c) {
  const int raised = static_cast<std::uint8_t>(c) + kRaise;
  for (int k = 0; k < kTableSize; ++k) {
    if (kScrambleTable[k] == raised) return k;
  }
  return -1;
}

char TableChar(int index) {
  // Wrap in both directions so that any length stays inside the table.
  const int wrapped = ((index % kTableSize) + kTableSize) % kTableSize;
  return static_cast<char>(kScrambleTable[wrapped] - kRaise);
}

}  // namespace

std::string ScramblePassword(std::string_view plain) {
  std::string out(plain.size(), '\0');
  for (std::size_t i = 0; i < plain.size(); ++i) {
    const int k = TableIndex(plain[i]);
    out[i] = TableChar(k + static_cast<int>(i) + 1);
  }
  return out;
}

std::string UnscramblePassword(std::string_view scrambled) {
  std::string out(scrambled.size(), '\0');
  for (std::size_t i = 0; i < scrambled.size(); ++i) {
    const int k = TableIndex(scrambled[i]);
    out[i] = TableChar(k - static_cast<int>(i) - 1);
  }
  return out;
}

}  // namespace rer
