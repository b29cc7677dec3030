#include "comm/transport.h"

#include <array>

namespace rer {

namespace {

struct SpeedEntry {
  std::uint8_t code;
  int baudRate;
};

// The speeds a pager can agree on; every other code means 4800 bit/s.
constexpr std::array<SpeedEntry, 5> kSpeedTable{{
    {kSpeed9600, 9600},
    {kSpeed19200, 19200},
    {kSpeed38400, 38400},
    {kSpeed57600, 57600},
    {kSpeed4800, 4800},
}};
constexpr int kFallbackBaudRate = 4800;

}  // namespace

int BaudRateOfSpeedCode(std::uint8_t code) {
  for (const SpeedEntry& entry : kSpeedTable) {
    if (entry.code == code) return entry.baudRate;
  }
  return kFallbackBaudRate;
}

}  // namespace rer
