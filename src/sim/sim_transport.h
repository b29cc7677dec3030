#pragma once
// The simulated pager as a Transport inside the process, in virtual time:
// every byte costs its time on the line at the port's speed, and a read with
// nothing on the way waits out the whole 500 ms limit before it fails.

#include <cstdint>
#include <vector>

#include "comm/transport.h"
#include "comm/virtual_clock.h"
#include "sim/sim_pager.h"

namespace rer {

class UserInterface;

class SimTransport : public Transport {
 public:
  // `ui`, when given, shows the one box of a failed open, as the real port does.
  SimTransport(SimPager& pager, VirtualClock& clock, UserInterface* ui = nullptr);

  void SetLinkSpeed(std::uint8_t linkSpeedCode, bool handshake) override;
  int BaudRate() const override;
  bool Open() override;
  bool Close() override;
  bool IsOpen() const override { return open_; }
  bool ReadByte(std::uint8_t& byte) override;
  bool WriteByte(std::uint8_t byte) override;
  bool Purge() override;

  // Makes every following Open fail, as a missing or busy port does.
  void SetOpenFails(bool fails) { openFails_ = fails; }
  // Lets `count` more opens succeed, then fails the rest (a cable pulled out).
  void FailOpensAfter(int count) { opensLeft_ = count; }
  // The bit rate of every successful Open, in order.
  const std::vector<int>& openedBaudRates() const { return openedBaudRates_; }
  int closeCount() const { return closeCount_; }

 private:
  void SpendLineTime();

  SimPager& pager_;
  VirtualClock& clock_;
  UserInterface* ui_;
  std::uint8_t linkSpeedCode_ = kSpeed4800;
  bool handshake_ = false;
  bool open_ = false;
  bool openFails_ = false;
  int opensLeft_ = -1;  // -1: no limit
  int openBaud_ = 0;
  std::int64_t lineMicros_ = 0;  // line time not yet added to the clock
  std::vector<int> openedBaudRates_;
  int closeCount_ = 0;
};

}  // namespace rer
