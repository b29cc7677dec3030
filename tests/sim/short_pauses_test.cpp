// The simulated pager answers a client that keeps shorter pauses than ours:
// a wake is answered as soon as the previous exchange has ended.

#include <gtest/gtest.h>

#include "comm/virtual_clock.h"
#include "core/scripted_user_interface.h"
#include "pager/link_engine.h"
#include "pager/pager_session.h"
#include "pager/password_state.h"
#include "pager/read_pager.h"
#include "sim/demo_codeplug.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"

namespace rer {
namespace {

// The PC's side of time running `divisor` times faster than the line's:
// every pause the PC keeps (and every wait it measures by its tick) lasts a
// `divisor`-th of what it asks for, while the line and its read limit keep
// their own time.
class ShortPauseClock : public Clock {
 public:
  ShortPauseClock(VirtualClock& line, int divisor) : line_(line), divisor_(divisor) {}
  std::int64_t TickMs() override { return line_.TickMs() * divisor_ + carry_; }
  void DelayMs(std::int64_t ms) override {
    if (ms <= 0) return;
    carry_ += ms;
    line_.Advance(carry_ / divisor_);
    carry_ %= divisor_;
  }
  LocalDateTime Now() override { return line_.Now(); }

 private:
  VirtualClock& line_;
  int divisor_;
  std::int64_t carry_ = 0;
};

TEST(SimShortPauses, ReadAtATwentiethOfThePausesGetsTheWholeCodeplug) {
  for (const int divisor : {1, 20}) {
    for (const std::uint8_t model : {std::uint8_t{0x84}, std::uint8_t{0x81}}) {
      SCOPED_TRACE("model " + std::to_string(model) + " pauses / " + std::to_string(divisor));
      SimPager pager(DemoScenario(model));
      VirtualClock line;
      ShortPauseClock pauses(line, divisor);
      ScriptedUserInterface ui;
      SimTransport transport(pager, line, &ui);
      auto session = std::make_unique<PagerSession>();
      PasswordChecks checks(session->passwords, ui, pauses);
      PagerLink link(transport, pauses, ui, session->link, session->image.Bytes(),
                     session->pagerCopy.Bytes());

      ASSERT_EQ(ReadPager(*session, link, checks, ui), kSuccess)
          << ::testing::PrintToString(ui.Texts());
      EXPECT_TRUE(
          std::equal(pager.image().begin(), pager.image().end(), session->image.Bytes().begin()));
      EXPECT_TRUE(ui.shown.empty());
    }
  }
}

}  // namespace
}  // namespace rer
