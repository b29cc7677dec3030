#include "core/text.h"

#include <algorithm>
#include <cctype>

namespace rer {

std::string PadRight(std::string_view text, std::size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

std::string TrimLeft(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TrimRight(std::string_view text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) {
  return TrimLeft(TrimRight(text));
}

std::string StripLeadingZeros(std::string_view text) {
  const auto first = text.find_first_not_of('0');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string ZeroPad(std::string_view text, std::size_t width) {
  if (text.size() >= width) return std::string(text);
  return std::string(width - text.size(), '0') + std::string(text);
}

std::string KeepPrintable(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (out.size() >= 256) break;
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F) out.push_back(c);
  }
  return out;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

std::string ThreeDigits(int value) {
  value = std::clamp(value, 0, 999);
  return {static_cast<char>('0' + value / 100), static_cast<char>('0' + value / 10 % 10),
          static_cast<char>('0' + value % 10)};
}

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace rer
