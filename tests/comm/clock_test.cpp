#include <chrono>
#include <cstdint>

#include <gtest/gtest.h>

#include "comm/real_clock.h"
#include "comm/virtual_clock.h"

namespace rer {
namespace {

using SteadyClock = std::chrono::steady_clock;

std::int64_t MillisSince(SteadyClock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start).count();
}

TEST(VirtualClockTest, DelaysAndAdvancesMoveTheTickAtOnce) {
  VirtualClock clock(1000);
  const auto start = SteadyClock::now();
  clock.DelayMs(17000);
  clock.DelayMs(0);
  clock.DelayMs(-5);
  clock.Advance(250);
  clock.Advance(-1);
  EXPECT_EQ(clock.TickMs(), 1000 + 17000 + 250);
  EXPECT_EQ(clock.ElapsedMs(), 17250);
  EXPECT_LT(MillisSince(start), 100);  // no real waiting
}

TEST(VirtualClockTest, NowIsWhatWasSet) {
  VirtualClock clock;
  LocalDateTime when;
  when.year = 2026;
  when.month = 12;
  when.day = 9;
  when.hour = 23;
  when.minute = 59;
  when.second = 58;
  when.dayOfWeek = 3;
  clock.SetNow(when);
  clock.DelayMs(5000);  // the date is a setting, not a running clock
  const LocalDateTime now = clock.Now();
  EXPECT_EQ(now.year, 2026);
  EXPECT_EQ(now.month, 12);
  EXPECT_EQ(now.day, 9);
  EXPECT_EQ(now.hour, 23);
  EXPECT_EQ(now.minute, 59);
  EXPECT_EQ(now.second, 58);
  EXPECT_EQ(now.dayOfWeek, 3);
}

TEST(RealClockTest, CalibrationGivesTicksPerMillisecond) {
  RealClock::CalibrateDelay();
  // steady_clock counts nanoseconds on the platforms we build for; whatever
  // its unit, one millisecond is a positive whole number of its ticks.
  EXPECT_GT(RealClock::TicksPerMs(), 0);
  EXPECT_EQ(
      RealClock::TicksPerMs(),
      std::chrono::duration_cast<SteadyClock::duration>(std::chrono::milliseconds(1)).count());
}

TEST(RealClockTest, DelayOfZeroOrLessReturnsAtOnce) {
  RealClock clock;
  const auto start = SteadyClock::now();
  clock.DelayMs(0);
  clock.DelayMs(-1000);
  EXPECT_LT(MillisSince(start), 5);
}

TEST(RealClockTest, DelayWaitsAtLeastTheTimeAsked) {
  RealClock::CalibrateDelay();
  RealClock clock;
  const std::int64_t tickBefore = clock.TickMs();
  const auto start = SteadyClock::now();
  clock.DelayMs(30);
  const auto waited = SteadyClock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(30));
  EXPECT_LT(waited, std::chrono::milliseconds(1000));
  EXPECT_GE(clock.TickMs() - tickBefore, 30);
}

TEST(RealClockTest, NowIsTheLocalCalendarTime) {
  RealClock clock;
  const LocalDateTime now = clock.Now();
  EXPECT_GE(now.year, 2024);
  EXPECT_GE(now.month, 1);
  EXPECT_LE(now.month, 12);
  EXPECT_GE(now.day, 1);
  EXPECT_LE(now.day, 31);
  EXPECT_LE(now.hour, 23);
  EXPECT_LE(now.minute, 59);
  EXPECT_LE(now.second, 60);
  EXPECT_GE(now.dayOfWeek, 0);
  EXPECT_LE(now.dayOfWeek, 6);
}

}  // namespace
}  // namespace rer
