// The simulated pager on a pseudo-terminal, read through the real serial
// port driver in real time.

#include "sim/sim_server.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <thread>

#include "comm/pseudo_terminal.h"
#include "comm/real_clock.h"
#include "comm/tdcomm.h"
#include "core/scripted_user_interface.h"
#include "pager/link_engine.h"

namespace rer {
namespace {

TEST(SimServer, WholeReadThroughTheSerialDriver) {
  int argc = 1;
  char name[] = "rer_sim_tests";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);

  SimScenario s;
  s.modelCode = 0x84;
  s.firmware = " R0501";
  s.serialNumber = "PTY0000042";
  s.image.resize(4096);
  for (std::size_t i = 0; i < s.image.size(); ++i) s.image[i] = static_cast<std::uint8_t>(i ^ 0x5A);
  SimPager pager(s);
  const auto terminal = PseudoTerminal::Create();
  ASSERT_TRUE(terminal);
  std::atomic<bool> stop{false};
  SimServer server(pager, terminal->masterFd());
  std::thread serving([&] { server.Serve(stop); });

  ScriptedUserInterface ui;
  TDComm port(&ui);
  port.SetPortName(terminal->slavePath());
  RealClock clock;
  LinkState state;
  std::array<std::uint8_t, 4096> image{};
  std::array<std::uint8_t, 4096> copy{};
  PagerLink link(port, clock, ui, state, image, copy);

  const int identified = link.Identify();
  const int read = link.Run(opReadCodeplug);
  stop = true;
  serving.join();

  EXPECT_EQ(identified, kLinkOk);
  ASSERT_EQ(read, kLinkOk);
  EXPECT_TRUE(std::equal(s.image.begin(), s.image.end(), image.begin()));
  EXPECT_EQ(state.SerialNumber, "PTY0000042");
  EXPECT_EQ(state.LinkSpeedCode, kSpeed38400);
  EXPECT_EQ(pager.record().wakeCodes,
            (std::vector<std::uint8_t>{kSpeed4800, kSpeed4800, kSpeed38400}));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace rer
