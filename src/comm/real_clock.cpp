#include "comm/real_clock.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <limits>
#include <thread>

namespace rer {

namespace {

using Counter = std::chrono::steady_clock;

// How long before the end of a delay the thread stops sleeping and spins:
// more than the system's sleep may overshoot by (a timer tick on Windows,
// well under a millisecond elsewhere).
#ifdef _WIN32
constexpr std::int64_t kSpinMarginMs = 20;
#else
constexpr std::int64_t kSpinMarginMs = 2;
#endif

std::int64_t CounterTicks() {
  return Counter::now().time_since_epoch().count();
}

// Ticks of the counter in one millisecond, from its period (ticks per second
// divided by 1000, rounded down).
std::int64_t NominalTicksPerMs() {
  constexpr std::int64_t kTicksPerSecond = Counter::period::den / Counter::period::num;
  return kTicksPerSecond / 1000;
}

// Shared by every clock instance, like the counter it describes.
std::atomic<std::int64_t> gTicksPerMs{NominalTicksPerMs()};

}  // namespace

void RealClock::CalibrateDelay() {
  gTicksPerMs.store(NominalTicksPerMs());
}

std::int64_t RealClock::TicksPerMs() {
  return gTicksPerMs.load();
}

std::int64_t RealClock::TickMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Counter::now().time_since_epoch())
      .count();
}

void RealClock::DelayMs(std::int64_t ms) {
  if (ms <= 0) return;
  const std::int64_t ticksPerMs = std::max<std::int64_t>(TicksPerMs(), 1);
  // Beyond this the tick count would overflow; such a wait never ends anyway.
  const std::int64_t wanted = ms < std::numeric_limits<std::int64_t>::max() / ticksPerMs
                                  ? ticksPerMs * ms
                                  : std::numeric_limits<std::int64_t>::max();
  const std::int64_t start = CounterTicks();
  // The wait must not end early, and a byte-timing delay must not end late
  // either, so the last stretch is spun on the counter. Before it the thread
  // sleeps: a program sequence waits for tens of seconds in all, and spinning
  // through them would hold a whole processor core for nothing.
  if (ms > kSpinMarginMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms - kSpinMarginMs));
  }
  while (CounterTicks() - start < wanted) {
  }
}

LocalDateTime RealClock::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
#ifdef _WIN32
  localtime_s(&parts, &now);
#else
  localtime_r(&now, &parts);
#endif
  LocalDateTime result;
  result.year = parts.tm_year + 1900;
  result.month = parts.tm_mon + 1;
  result.day = parts.tm_mday;
  result.hour = parts.tm_hour;
  result.minute = parts.tm_min;
  result.second = parts.tm_sec;
  result.dayOfWeek = parts.tm_wday;
  return result;
}

}  // namespace rer
