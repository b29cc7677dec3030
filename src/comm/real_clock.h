#pragma once
// The machine's clocks: a monotonic tick, an exact busy-wait and local time.

#include <cstdint>

#include "comm/clock.h"

namespace rer {

class RealClock : public Clock {
 public:
  // Measures how many counter ticks make one millisecond. Called once at
  // start-up; until then DelayMs uses the counter's nominal resolution.
  static void CalibrateDelay();
  static std::int64_t TicksPerMs();

  std::int64_t TickMs() override;
  // Spins on the counter without yielding, so that pauses between protocol
  // steps stay accurate to well under a millisecond whatever the scheduler's
  // time slice.
  void DelayMs(std::int64_t ms) override;
  LocalDateTime Now() override;
};

}  // namespace rer
