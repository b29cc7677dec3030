#include "sim/sim_transport.h"

#include "core/user_interface.h"

namespace rer {
namespace {

constexpr std::int64_t kReadLimitMs = 500;
constexpr std::int64_t kBitsPerByte = 10;  // start, 8 data, stop
constexpr std::int64_t kMicrosPerMs = 1000;
constexpr std::int64_t kMicrosPerSecond = 1000000;

}  // namespace

SimTransport::SimTransport(SimPager& pager, VirtualClock& clock, UserInterface* ui)
    : pager_(pager), clock_(clock), ui_(ui) {}

void SimTransport::SetLinkSpeed(std::uint8_t linkSpeedCode, bool handshake) {
  linkSpeedCode_ = linkSpeedCode;
  handshake_ = handshake;
}

int SimTransport::BaudRate() const {
  return handshake_ ? BaudRateOfSpeedCode(kSpeed4800) : BaudRateOfSpeedCode(linkSpeedCode_);
}

bool SimTransport::Open() {
  if (opensLeft_ == 0) openFails_ = true;
  if (opensLeft_ > 0) --opensLeft_;
  if (open_ || openFails_) {
    // The same box the serial driver shows.
    if (ui_) {
      ui_->ShowMessageBox(
          MessageBox{"Error", "Can not open com port.", MessageIcon::Stop, MessageButtons::Ok});
    }
    return false;
  }
  open_ = true;
  openBaud_ = BaudRate();
  openedBaudRates_.push_back(openBaud_);
  pager_.DropOutput();
  return true;
}

bool SimTransport::Close() {
  if (!open_) return false;
  open_ = false;
  ++closeCount_;
  return true;
}

void SimTransport::SpendLineTime() {
  lineMicros_ += kBitsPerByte * kMicrosPerSecond / openBaud_;
  clock_.Advance(lineMicros_ / kMicrosPerMs);
  lineMicros_ %= kMicrosPerMs;
}

bool SimTransport::WriteByte(std::uint8_t byte) {
  if (!open_) return false;
  SpendLineTime();
  pager_.Receive(byte, clock_.TickMs(), openBaud_);
  return true;
}

bool SimTransport::ReadByte(std::uint8_t& byte) {
  if (!open_ || !pager_.HasOutput()) {
    clock_.Advance(kReadLimitMs);
    return false;
  }
  const SimOutputByte out = pager_.PopOutput();
  // An echo arrives while its byte is being sent; the pager's own bytes take
  // their time on the line.
  if (!out.echo) SpendLineTime();
  byte = out.value;
  return true;
}

bool SimTransport::Purge() {
  if (!open_) return false;
  pager_.DropOutput();
  return true;
}

}  // namespace rer
