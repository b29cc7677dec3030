#pragma once
// A clock that only moves when told to: delays advance it at once, so a
// protocol run with long pauses takes no real time and always the same path.

#include <cstdint>

#include "comm/clock.h"

namespace rer {

class VirtualClock : public Clock {
 public:
  explicit VirtualClock(std::int64_t startTickMs = 0) : tickMs_(startTickMs) {}

  std::int64_t TickMs() override { return tickMs_; }
  // Advances the tick by `ms` (nothing for 0 or less) and returns at once.
  void DelayMs(std::int64_t ms) override { Advance(ms); }
  LocalDateTime Now() override { return now_; }

  void Advance(std::int64_t ms) {
    if (ms > 0) tickMs_ += ms;
  }
  void SetNow(const LocalDateTime& now) { now_ = now; }
  // Sum of every delay and advance so far, measured from the start tick.
  std::int64_t ElapsedMs() const { return tickMs_ - startTickMs_; }

 private:
  std::int64_t tickMs_;
  const std::int64_t startTickMs_ = tickMs_;
  LocalDateTime now_;
};

}  // namespace rer
