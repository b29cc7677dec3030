#pragma once
// Small text and bit helpers shared by every layer.

#include <cstdint>
#include <string>
#include <string_view>

namespace rer {

// Pads `text` with blanks on the right to `width`; longer texts are cut.
std::string PadRight(std::string_view text, std::size_t width);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
std::string Trim(std::string_view text);
// Removes leading '0' characters; "000" becomes "".
std::string StripLeadingZeros(std::string_view text);
// Left-pads with '0' to `width` (capcodes use 7 or 9, small numbers 3).
std::string ZeroPad(std::string_view text, std::size_t width);
// Keeps only printable ASCII characters (0x20..0x7E), at most 256 of them.
std::string KeepPrintable(std::string_view text);
// Value of one hexadecimal digit; anything that is not one counts as 0.
int HexDigitValue(char c);
// A number 0..999 as exactly three digit characters.
std::string ThreeDigits(int value);
std::string ToUpper(std::string_view text);

inline bool TestBit(std::uint8_t byte, int bit) {
  return (byte >> bit) & 1u;
}
inline std::uint8_t SetBit(std::uint8_t byte, int bit) {
  return static_cast<std::uint8_t>(byte | (1u << bit));
}
inline std::uint8_t ClearBit(std::uint8_t byte, int bit) {
  return static_cast<std::uint8_t>(byte & ~(1u << bit));
}
inline std::uint8_t WithBit(std::uint8_t byte, int bit, bool on) {
  return on ? SetBit(byte, bit) : ClearBit(byte, bit);
}

}  // namespace rer
