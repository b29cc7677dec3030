#include "core/serial_series.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace rer {
namespace {

// The first seven characters name the series, the next three the unit.
struct SerialParts {
  std::string_view prefix;
  int unit;
};

std::optional<SerialParts> SplitSerial(std::string_view serial) {
  if (serial.size() < 7) return std::nullopt;
  const std::string_view prefix = serial.substr(0, 7);
  if (prefix == "       ") return std::nullopt;
  const std::string_view unitText = serial.substr(7, 3);
  if (unitText.empty()) return std::nullopt;
  int unit = 0;
  for (char c : unitText) {
    if (c < '0' || c > '9') return std::nullopt;
    unit = unit * 10 + (c - '0');
  }
  return SerialParts{prefix, unit};
}

bool UnitIn(int unit, std::initializer_list<int> units) {
  return std::find(units.begin(), units.end(), unit) != units.end();
}

struct SmallPromptLimit {
  std::string_view prefix;
  int firstUnit;
  int lastUnit;
};

constexpr SmallPromptLimit kSmallPromptSeries[] = {
    {"KTLBCRA", 0, 999}, {"KTLBCRB", 0, 999}, {"KTLBCRC", 0, 999}, {"KTLBCRD", 0, 999},
    {"KTLBCRE", 0, 999}, {"KTLBCRF", 0, 999}, {"KTLBCRG", 0, 999}, {"KTLBCRM", 0, 999},
    {"KTLBCRN", 0, 999}, {"KTLBCRP", 0, 999}, {"KTLBCRH", 0, 799}, {"KTLBCRL", 300, 999},
    {"KTLBCRQ", 0, 307},
};

}  // namespace

bool IsNewSecure4KSerial(std::string_view serial) {
  // Compared as whole texts, byte by byte, like the range bounds are given.
  if (serial >= "ZVKHMOS000" && serial <= "ZVKHMOS007") return true;
  return serial == "WUJ4T00012" || serial == "WUJ4T00019";
}

bool IsNewSecure4KSeries(std::string_view serial) {
  const auto parts = SplitSerial(serial);
  if (!parts) return false;
  if (parts->prefix == "ZVKHMOS") return parts->unit < 8;
  if (parts->prefix == "WUJ4T00") return UnitIn(parts->unit, {12, 19});
  return false;
}

bool IsNew4KSeries(std::string_view serial) {
  const auto parts = SplitSerial(serial);
  if (!parts) return false;
  if (parts->prefix == "WUJ4T00") {
    return UnitIn(parts->unit, {4, 6, 8, 9, 10, 11, 13, 14, 20, 21, 23, 24});
  }
  if (parts->prefix == "WUJSH66" || parts->prefix == "WUJSR66") return parts->unit == 4;
  return false;
}

bool IsSmallPromptSeries(std::string_view serial) {
  const auto parts = SplitSerial(serial);
  if (!parts) return false;
  for (const auto& series : kSmallPromptSeries) {
    if (parts->prefix == series.prefix) {
      return parts->unit >= series.firstUnit && parts->unit <= series.lastUnit;
    }
  }
  return false;
}

}  // namespace rer
