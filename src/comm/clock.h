#pragma once
// Time as the pager link sees it: a monotonic millisecond tick, the exact
// busy-wait between protocol steps, and the local date and time that is
// written into the pager's clock. RealClock uses the machine's clocks;
// VirtualClock advances instantly so protocol tests run in microseconds.

#include <cstdint>

namespace rer {

struct LocalDateTime {
  int year = 2000;  // e.g. 2026
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int hour = 0;     // 0..23
  int minute = 0;
  int second = 0;
  int dayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds on a monotonic counter with an arbitrary origin.
  virtual std::int64_t TickMs() = 0;
  // Waits at least `ms` milliseconds; 0 or less returns at once.
  virtual void DelayMs(std::int64_t ms) = 0;
  virtual LocalDateTime Now() = 0;
};

}  // namespace rer
