#include "comm/tdcomm.h"

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include <QCoreApplication>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "comm/pseudo_terminal.h"
#include "core/scripted_user_interface.h"
#include "echo_peer.h"

namespace rer {
namespace {

using ::testing::ElementsAre;
using Millis = std::chrono::milliseconds;

const char kOpenFailure[] = "Can not open com port.";
// The box's own text, then the port and the system's reason on a line of their own.
const auto kOpenFailureWithDetail = ::testing::StartsWith(std::string(kOpenFailure) + "\nport ");

Millis Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - start);
}

// A driver wired to a fresh pseudo-terminal, with a recording user interface.
class TDCommOnPty : public ::testing::Test {
 protected:
  void SetUp() override {
    pty_ = PseudoTerminal::Create();
    ASSERT_NE(pty_, nullptr);
    comm_.SetPortName(pty_->slavePath());
  }
  void TearDown() override { comm_.Close(); }

  ScriptedUserInterface ui_;
  TDComm comm_{&ui_};
  std::unique_ptr<PseudoTerminal> pty_;
};

TEST(TDCommTest, FreshDriverHasTheDocumentedDefaults) {
  TDComm comm(nullptr);
  EXPECT_EQ(comm.PortName(), "COM1");
  EXPECT_EQ(comm.BaudRate(), 57600);
  EXPECT_EQ(comm.Parity, 0);
  EXPECT_EQ(comm.DataSize, 3);
  EXPECT_EQ(comm.StopBits, 0);
  EXPECT_EQ(comm.FlowCtrl.OutxCtsFlow, 0);
  EXPECT_EQ(comm.FlowCtrl.OutxDsrFlow, 0);
  EXPECT_EQ(comm.FlowCtrl.DtrControl, 1);
  EXPECT_EQ(comm.FlowCtrl.RtsControl, 1);
  EXPECT_EQ(comm.FlowCtrl.SwFlowCtrl.XonXoff, 0);
  EXPECT_EQ(comm.FlowCtrl.SwFlowCtrl.XonChar, 0);
  EXPECT_EQ(comm.FlowCtrl.SwFlowCtrl.XoffChar, 0);
  EXPECT_EQ(comm.Timeouts.ReadIntervalTimeout, 0u);
  EXPECT_EQ(comm.Timeouts.ReadTotalTimeoutMultiplier, 0u);
  EXPECT_EQ(comm.Timeouts.ReadTotalTimeoutConstant, 500u);
  EXPECT_EQ(comm.Timeouts.WriteTotalTimeoutMultiplier, 0u);
  EXPECT_EQ(comm.Timeouts.WriteTotalTimeoutConstant, 500u);
  EXPECT_EQ(comm.Buffer.InQueue, 1200u);
  EXPECT_EQ(comm.Buffer.OutQueue, 1200u);
  EXPECT_FALSE(comm.IsOpen());
}

TEST(TDCommTest, SpeedCodeTable) {
  struct Case {
    std::uint8_t code;
    int baudRate;
  };
  for (const Case& c : std::vector<Case>{{0xA2, 9600},
                                         {0xA4, 19200},
                                         {0xA6, 38400},
                                         {0xA8, 57600},
                                         {0xAA, 4800},
                                         {0xA3, 4800},
                                         {0x00, 4800},
                                         {0xFF, 4800}}) {
    EXPECT_EQ(BaudRateOfSpeedCode(c.code), c.baudRate) << "code " << int{c.code};
  }
}

TEST_F(TDCommOnPty, OpensAtTheSpeedOfTheLinkOnTheDevice) {
  struct Case {
    std::uint8_t code;
    bool handshake;
    int baudRate;
  };
  for (const Case& c : std::vector<Case>{{0xA8, true, 4800},
                                         {0xA8, false, 57600},
                                         {0xA6, false, 38400},
                                         {0xA2, false, 9600},
                                         {0xAA, false, 4800},
                                         {0xA3, false, 4800}}) {
    comm_.SetLinkSpeed(c.code, c.handshake);
    ASSERT_TRUE(comm_.Open());
    EXPECT_EQ(comm_.BaudRate(), c.baudRate)
        << "code " << int{c.code} << " handshake " << c.handshake;
    EXPECT_EQ(comm_.AppliedLine().baudRate, c.baudRate) << "code " << int{c.code};
    EXPECT_TRUE(comm_.Close());
  }
  EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(TDCommOnPty, AppliesTheLineSettings) {
  ASSERT_TRUE(comm_.Open());
  TAppliedLine line = comm_.AppliedLine();
  EXPECT_EQ(line.dataBits, 8);
  EXPECT_EQ(line.parity, 0);
  EXPECT_EQ(line.stopBits, 0);
  ASSERT_TRUE(comm_.Close());

  comm_.StopBits = 1;
  ASSERT_TRUE(comm_.Open());
  line = comm_.AppliedLine();
  EXPECT_EQ(line.stopBits, 1);
  EXPECT_EQ(line.dataBits, 8);
  ASSERT_TRUE(comm_.Close());
  EXPECT_EQ(comm_.AppliedLine().baudRate, 0);  // nothing held
}

TEST_F(TDCommOnPty, ARefusedLineSettingFailsTheOpenAndReleasesTheDevice) {
  struct Case {
    const char* what;
    std::uint8_t parity, dataSize, stopBits;
  };
  for (const Case& c : std::vector<Case>{{"7 bits, which a pseudo-terminal refuses", 0, 2, 0},
                                         {"data size code out of range", 0, 9, 0},
                                         {"parity code out of range", 5, 3, 0},
                                         {"stop bits code out of range", 0, 3, 2}}) {
    SCOPED_TRACE(c.what);
    ui_.shown.clear();
    comm_.Parity = c.parity;
    comm_.DataSize = c.dataSize;
    comm_.StopBits = c.stopBits;
    EXPECT_FALSE(comm_.Open());
    EXPECT_FALSE(comm_.IsOpen());
    EXPECT_FALSE(comm_.Close());
    EXPECT_THAT(ui_.Texts(), ElementsAre(kOpenFailureWithDetail));

    // The device was let go: the same driver, set right, gets it again.
    comm_.Parity = 0;
    comm_.DataSize = 3;
    comm_.StopBits = 0;
    EXPECT_TRUE(comm_.Open());
    EXPECT_TRUE(comm_.Close());
  }
}

TEST(TDCommTest, OpeningAMissingPortShowsOneBoxAndTriesAgainNextTime) {
  ScriptedUserInterface ui;
  TDComm comm(&ui);
  comm.SetPortName("/dev/rer-no-such-port");
  EXPECT_FALSE(comm.Open());
  EXPECT_FALSE(comm.IsOpen());
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].title, "Error");
  EXPECT_THAT(ui.shown[0].text, kOpenFailureWithDetail);
  EXPECT_EQ(ui.shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(ui.shown[0].buttons, MessageButtons::Ok);

  // The second attempt goes to the device again: once it exists, it opens.
  auto pty = PseudoTerminal::Create();
  ASSERT_NE(pty, nullptr);
  EXPECT_FALSE(comm.Open());
  EXPECT_EQ(ui.shown.size(), 2u);
  comm.SetPortName(pty->slavePath());
  EXPECT_TRUE(comm.Open());
  EXPECT_EQ(ui.shown.size(), 2u);
  EXPECT_TRUE(comm.Close());
}

TEST_F(TDCommOnPty, SecondOpenFailsAndTheFirstDeviceIsStillReleasedByClose) {
  ASSERT_TRUE(comm_.Open());
  EXPECT_FALSE(comm_.Open());
  EXPECT_THAT(ui_.Texts(), ElementsAre(std::string(kOpenFailure) + "\nport " + pty_->slavePath() +
                                       ": it is already open"));
  EXPECT_TRUE(comm_.IsOpen());

  // The first device still works...
  EchoPeer peer(pty_->masterFd());
  std::uint8_t echoed = 0;
  ASSERT_TRUE(comm_.WriteByte(0x5A));
  ASSERT_TRUE(comm_.ReadByte(echoed));
  EXPECT_EQ(echoed, 0x5A);

  // ...and one Close releases it, so that another driver may take it.
  EXPECT_TRUE(comm_.Close());
  EXPECT_FALSE(comm_.IsOpen());
  TDComm other(&ui_);
  other.SetPortName(pty_->slavePath());
  EXPECT_TRUE(other.Open());
  EXPECT_EQ(ui_.shown.size(), 1u);
}

TEST_F(TDCommOnPty, PortHeldByAnotherDriverCannotBeOpened) {
  ASSERT_TRUE(comm_.Open());
  TDComm other(&ui_);
  other.SetPortName(pty_->slavePath());
  EXPECT_FALSE(other.Open());
  EXPECT_FALSE(other.IsOpen());
  EXPECT_THAT(ui_.Texts(), ElementsAre(kOpenFailureWithDetail));
}

TEST_F(TDCommOnPty, CloseOnAClosedDriverReturnsFalse) {
  EXPECT_FALSE(comm_.Close());
  ASSERT_TRUE(comm_.Open());
  EXPECT_TRUE(comm_.Close());
  EXPECT_FALSE(comm_.Close());
  EXPECT_FALSE(comm_.IsOpen());
  EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(TDCommOnPty, TransfersFailQuietlyWhileClosed) {
  std::uint8_t byte = 0x77;
  EXPECT_FALSE(comm_.ReadByte(byte));
  EXPECT_EQ(byte, 0x77);
  EXPECT_FALSE(comm_.WriteByte(0x01));
  EXPECT_FALSE(comm_.Purge());
  EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(TDCommOnPty, EveryByteValueRoundTripsThroughAnEchoingPeer) {
  EchoPeer peer(pty_->masterFd(), [](std::uint8_t b) { return std::uint8_t(~b); });
  ASSERT_TRUE(comm_.Open());
  for (int value = 0; value < 256; ++value) {
    const auto sent = static_cast<std::uint8_t>(value);
    std::uint8_t echo = 0;
    std::uint8_t reply = 0;
    ASSERT_TRUE(comm_.WriteByte(sent));
    ASSERT_TRUE(comm_.ReadByte(echo));
    ASSERT_TRUE(comm_.ReadByte(reply));
    ASSERT_EQ(echo, sent);
    ASSERT_EQ(reply, std::uint8_t(~sent));
  }
  EXPECT_EQ(peer.received(), 256);
}

TEST_F(TDCommOnPty, PurgeDropsWhatHasArrived) {
  ASSERT_TRUE(comm_.Open());
  const std::uint8_t stale[] = {1, 2, 3};
  ASSERT_EQ(write(pty_->masterFd(), stale, sizeof stale), 3);
  std::uint8_t first = 0;
  ASSERT_TRUE(comm_.ReadByte(first));  // the bytes have surely arrived now
  EXPECT_EQ(first, 1);

  EXPECT_TRUE(comm_.Purge());
  comm_.Timeouts.ReadTotalTimeoutConstant = 50;
  std::uint8_t next = 0;
  EXPECT_FALSE(comm_.ReadByte(next));
}

TEST_F(TDCommOnPty, BytesTakenInWhileWindowMessagesRanAreReadFirst) {
  ASSERT_TRUE(comm_.Open());
  const std::uint8_t early[] = {1, 2, 3};
  ASSERT_EQ(write(pty_->masterFd(), early, sizeof early), 3);
  // The progress box lets window messages through between bytes; the port's
  // watcher may then take in whatever has arrived.
  const auto start = std::chrono::steady_clock::now();
  while (Since(start).count() < 100) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  const std::uint8_t late = 4;
  ASSERT_EQ(write(pty_->masterFd(), &late, 1), 1);

  std::vector<std::uint8_t> received;
  std::uint8_t byte = 0;
  while (received.size() < 4 && comm_.ReadByte(byte)) received.push_back(byte);
  EXPECT_THAT(received, ElementsAre(1, 2, 3, 4));
}

TEST_F(TDCommOnPty, ReadWithNothingArrivingGivesUpAfterTheLimit) {
  ASSERT_TRUE(comm_.Open());
  std::uint8_t byte = 0x33;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(comm_.ReadByte(byte));
  const Millis waited = Since(start);
  EXPECT_EQ(byte, 0x33);
  EXPECT_GE(waited.count(), 490);
  EXPECT_LT(waited.count(), 1500);
}

TEST_F(TDCommOnPty, WriteToAPeerThatStopsReadingGivesUpAfterTheLimit) {
  comm_.Timeouts.WriteTotalTimeoutConstant = 50;
  ASSERT_TRUE(comm_.Open());
  // Nobody reads the master side, so the line's queues fill up; the write
  // that finds them full waits out its limit and reports failure.
  int sent = 0;
  auto lastStart = std::chrono::steady_clock::now();
  while (sent < 1'000'000) {
    lastStart = std::chrono::steady_clock::now();
    if (!comm_.WriteByte(0x55)) break;
    ++sent;
  }
  EXPECT_LT(sent, 1'000'000);
  const Millis waited = Since(lastStart);
  EXPECT_GE(waited.count(), 45);
  EXPECT_LT(waited.count(), 1000);
  EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(TDCommOnPty, VanishedDeviceMakesTransfersFailFast) {
  ASSERT_TRUE(comm_.Open());
  {
    EchoPeer peer(pty_->masterFd());
    std::uint8_t echo = 0;
    ASSERT_TRUE(comm_.WriteByte(0x42));
    ASSERT_TRUE(comm_.ReadByte(echo));
  }
  pty_->CloseMaster();

  const auto start = std::chrono::steady_clock::now();
  std::uint8_t byte = 0x99;
  for (int i = 0; i < 20; ++i) {
    EXPECT_FALSE(comm_.ReadByte(byte));
    EXPECT_FALSE(comm_.WriteByte(0x10));
  }
  EXPECT_EQ(byte, 0x99);
  EXPECT_LT(Since(start).count(), 400);
  EXPECT_TRUE(comm_.Close());
  EXPECT_TRUE(ui_.shown.empty());
}

TEST(TDCommTest, OpensThroughASymbolicLinkToTheDevice) {
  const std::string link = "/tmp/rer-comm-test-link-" + std::to_string(getpid());
  auto pty = PseudoTerminal::Create(link);
  ASSERT_NE(pty, nullptr);
  EchoPeer peer(pty->masterFd());
  ScriptedUserInterface ui;
  TDComm comm(&ui);
  comm.SetPortName(link);
  ASSERT_TRUE(comm.Open());
  std::uint8_t echo = 0;
  ASSERT_TRUE(comm.WriteByte(0xC3));
  ASSERT_TRUE(comm.ReadByte(echo));
  EXPECT_EQ(echo, 0xC3);
  EXPECT_TRUE(comm.Close());
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace rer
