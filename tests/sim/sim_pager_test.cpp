#include "sim/sim_pager.h"

#include <gtest/gtest.h>

#include <array>

#include "comm/virtual_clock.h"
#include "core/scripted_user_interface.h"
#include "pager/link_engine.h"
#include "pager/password_scramble.h"
#include "sim/sim_transport.h"

namespace rer {
namespace {

// Feeds bytes to the pager by hand and collects what comes back.
struct Feeder {
  explicit Feeder(SimScenario s = {}) : pager(std::move(s)) {}

  std::vector<std::uint8_t> Send(std::vector<std::uint8_t> bytes, int baud = 4800) {
    std::vector<std::uint8_t> out;
    for (std::uint8_t b : bytes) {
      now += 3;
      pager.Receive(b, now, baud);
    }
    while (pager.HasOutput()) out.push_back(pager.PopOutput().value);
    return out;
  }
  void Silence(std::int64_t ms) { now += ms; }

  SimPager pager;
  std::int64_t now = 10000;
};

TEST(SimPager, EchoesEverythingAndAnswersTheWake) {
  Feeder f;
  EXPECT_EQ(f.Send({0x42}), std::vector<std::uint8_t>{0x42});  // noise: echo only
  EXPECT_EQ(f.Send({0xAA}), (std::vector<std::uint8_t>{0xAA, 0x84}));
  const auto identity = f.Send({0x05, 0x01, 0x04, 0, 0, 0, 0x10, 0});
  ASSERT_EQ(identity.size(), 8u + 15u);
  EXPECT_EQ(std::string(identity.begin() + 8 + 8, identity.end()), "0 R0501");
}

TEST(SimPager, WakeAtTheWrongSpeedOrAfterAFaultIsNotAnswered) {
  Feeder wrongSpeed;
  EXPECT_EQ(wrongSpeed.Send({0xAA}, 38400), std::vector<std::uint8_t>{0xAA});

  SimScenario s;
  s.lostEchoAt = 0;
  s.wakeReply = 0x80;
  Feeder faulty(s);
  EXPECT_EQ(faulty.Send({0xAA}), std::vector<std::uint8_t>{0x80});  // echo lost, wrong answer
  EXPECT_EQ(faulty.Send({0xAA}), (std::vector<std::uint8_t>{0xAA, 0x80}));
}

TEST(SimPager, AbandonedSessionEndsAtTheNextWake) {
  Feeder f;
  f.Send({0xAA, 0x18, 0x07, 0x04});  // half a header, then the host gives up
  f.Silence(600);
  EXPECT_EQ(f.Send({0xAA}), (std::vector<std::uint8_t>{0xAA, 0x84}));
}

TEST(SimPager, WrongPasswordsUseUpTries) {
  SimScenario s;
  s.statusLetters = "Y";
  s.password = "OPEN";
  s.triesLeft = 2;
  Feeder f(s);
  const std::string wrong = ScramblePassword("SHUT      ");
  const std::string right = ScramblePassword("OPEN      ");
  const std::vector<std::uint8_t> clockHeader{0xAA, 0x00, 0x03, 0x18, 0x00, 0, 0, 0, 0x05};
  for (std::uint8_t expected : {0xB1, 0xB0, 0xB0}) {
    f.Silence(1000);
    f.Send(clockHeader);
    const auto reply = f.Send(std::vector<std::uint8_t>(wrong.begin(), wrong.end()));
    EXPECT_EQ(reply.back(), expected);
  }
  f.Silence(1000);
  f.Send(clockHeader);
  EXPECT_EQ(f.Send(std::vector<std::uint8_t>(right.begin(), right.end())).back(), 0xBB);
  EXPECT_EQ(f.pager.record().passwordsRejected, 3);
  EXPECT_EQ(f.pager.record().passwordsAccepted, 1);
}

// What the link writes is what the simulated pager reads back afterwards.
TEST(SimPager, WrittenImageIsReadBack) {
  SimScenario s;
  s.modelCode = 0x89;
  s.firmware = " R0404";
  SimPager pager(s);
  VirtualClock clock;
  ScriptedUserInterface ui;
  SimTransport transport(pager, clock, &ui);
  LinkState state;
  std::array<std::uint8_t, 4096> image{};
  std::array<std::uint8_t, 4096> copy{};
  PagerLink link(transport, clock, ui, state, image, copy);
  state.StatusReply = 'N';
  state.ModelCode = 0x89;
  for (std::size_t i = 0; i < 1024; ++i) image[i] = static_cast<std::uint8_t>(i * 3 + 1);
  const auto written = image;
  ASSERT_EQ(link.RunCompact(opWriteCodeplug), kLinkOk);
  image.fill(0);
  ASSERT_EQ(link.RunCompact(opReadCodeplug), kLinkOk);
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 1024, written.begin()));
  EXPECT_EQ(pager.image().size(), 1024u);
}

TEST(SimPager, ReportsOneJsonLinePerOperation) {
  Feeder f;
  std::vector<std::string> lines;
  f.pager.SetOperationListener([&](const std::string& line) { lines.push_back(line); });
  f.Send({0xAA, 0x00, 0x0B, 0x04, 0, 0, 0, 0x10, 0});
  f.Silence(1000);
  f.Send({0x08});
  EXPECT_EQ(lines, (std::vector<std::string>{R"({"op":"wake","code":"0xaa","answer":"0x84"})",
                                             R"({"op":"receiverOn"})",
                                             R"({"op":"service","command":8})"}));
}

}  // namespace
}  // namespace rer
