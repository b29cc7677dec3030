// The block primitives and how the link keeps the window alive.

#include <gtest/gtest.h>

#include <algorithm>

#include "link_fixture.h"

namespace rer {
namespace {

using testing::LinkFixture;

TEST(PagerLinkBlock, SendBlockSumsModulo256AndReportsProgress) {
  LinkFixture f;
  ASSERT_TRUE(f.transport.Open());
  const std::vector<std::uint8_t> bytes{0xFF, 0x02, 0x10};
  std::uint8_t sum = 0;
  EXPECT_EQ(f.link.SendBlock(bytes, &sum), kLinkOk);
  EXPECT_EQ(sum, 0x11);
  EXPECT_EQ(f.ui.progress, (std::vector<int>{33, 66, 100}));
  EXPECT_FALSE(f.pager.HasOutput());  // every echo was taken off the line
}

TEST(PagerLinkBlock, MissingEchoOrByteIsATimeOut) {
  SimScenario s;
  s.lostEchoAt = 1;
  LinkFixture f(s);
  ASSERT_TRUE(f.transport.Open());
  const std::vector<std::uint8_t> bytes{0x01, 0x02, 0x03};
  EXPECT_EQ(f.link.SendBlock(bytes), kLinkNotResponding);
  EXPECT_EQ(f.ui.progress, std::vector<int>{33});

  std::array<std::uint8_t, 4> buffer{};
  EXPECT_EQ(f.link.ReceiveBlock(buffer), kLinkNotResponding);
}

// Records when the window was let through, in virtual time.
class TimedUserInterface : public ScriptedUserInterface {
 public:
  explicit TimedUserInterface(Clock& clock) : clock_(clock) {}
  void PumpMessages() override { pumpTimes.push_back(clock_.TickMs()); }
  void SetSecondsLeft(int seconds) override { secondsLeft.push_back(seconds); }

  std::vector<std::int64_t> pumpTimes;
  std::vector<int> secondsLeft;

 private:
  Clock& clock_;
};

TEST(PagerLinkBlock, LongPausesAndLongBlocksKeepTheWindowAlive) {
  SimScenario s;
  s.firmware = " R0409";
  SimPager pager(s);
  VirtualClock clock;
  TimedUserInterface ui(clock);
  SimTransport transport(pager, clock, &ui);
  LinkState state;
  state.StatusReply = 'N';
  std::array<std::uint8_t, 4096> image{};
  std::array<std::uint8_t, 4096> copy{};
  PagerLink link(transport, clock, ui, state, image, copy);

  const std::int64_t start = clock.TickMs();
  ASSERT_EQ(link.Run(opWriteCodeplug), kLinkOk);
  ASSERT_FALSE(ui.pumpTimes.empty());
  std::int64_t longestGap = ui.pumpTimes.front() - start;
  for (std::size_t i = 1; i < ui.pumpTimes.size(); ++i) {
    longestGap = std::max(longestGap, ui.pumpTimes[i] - ui.pumpTimes[i - 1]);
  }
  longestGap = std::max(longestGap, clock.TickMs() - ui.pumpTimes.back());
  // Only the handshake's 100 ms wait before the wake code goes unpumped.
  EXPECT_LE(longestGap, 150);
  // The 17-second wait before the final reply counts down to zero.
  EXPECT_NE(std::find(ui.secondsLeft.begin(), ui.secondsLeft.end(), 17), ui.secondsLeft.end());
  EXPECT_EQ(ui.secondsLeft.back(), 0);
  EXPECT_TRUE(std::is_sorted(std::find(ui.secondsLeft.begin(), ui.secondsLeft.end(), 17),
                             ui.secondsLeft.end(), std::greater<int>()));
}

}  // namespace
}  // namespace rer
