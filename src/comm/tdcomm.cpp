#include "comm/tdcomm.h"

#include <QSerialPort>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

#include "core/messages.h"
#include "core/user_interface.h"

#ifndef _WIN32
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#endif

namespace rer {

namespace {

// The handshake always runs at the pager's wake-up speed.
constexpr std::uint16_t kHandshakeBaudRate = 4800;

// Line codes as the settings store them, index = code.
constexpr std::array<QSerialPort::Parity, 5> kParityOfCode{
    QSerialPort::NoParity, QSerialPort::OddParity, QSerialPort::EvenParity, QSerialPort::MarkParity,
    QSerialPort::SpaceParity};
constexpr std::array<QSerialPort::DataBits, 4> kDataBitsOfCode{
    QSerialPort::Data5, QSerialPort::Data6, QSerialPort::Data7, QSerialPort::Data8};
constexpr std::array<QSerialPort::StopBits, 2> kStopBitsOfCode{QSerialPort::OneStop,
                                                               QSerialPort::TwoStop};

// Control-line modes of TFlowCtrl.
constexpr std::uint8_t kLineLow = 0;
constexpr std::uint8_t kLineRaised = 1;
constexpr std::uint8_t kLineHandshake = 2;

// This gap limit with both read totals 0 means "return at once with what is
// there", as on the serial ports these settings come from.
constexpr std::uint32_t kReturnAtOnce = std::numeric_limits<std::uint32_t>::max();

template <typename T, std::size_t N>
std::optional<T> Lookup(const std::array<T, N>& table, std::uint8_t code) {
  if (code >= N) return std::nullopt;
  return table[code];
}

// Time limit for a one-byte transfer; -1 (no limit) when both parts are 0.
int LimitMs(std::uint32_t constant, std::uint32_t multiplier) {
  const std::uint64_t total = std::uint64_t{constant} + multiplier;
  if (total == 0) return -1;
  return static_cast<int>(std::min<std::uint64_t>(total, std::numeric_limits<int>::max()));
}

}  // namespace

TDComm::TDComm(UserInterface* ui) : ui_(ui) {}

// The device is released here too, so that a port is never left locked when
// the owner forgets to close it.
TDComm::~TDComm() = default;

void TDComm::SetLinkSpeed(std::uint8_t linkSpeedCode, bool handshake) {
  linkSpeedCode_ = linkSpeedCode;
  handshake_ = handshake;
}

bool TDComm::Open() {
  // A second open never disturbs the device already held; Close releases it.
  if (port_) return FailOpen("it is already open");

  auto port = std::make_unique<QSerialPort>();
  port->setPortName(QString::fromStdString(portName_));
  if (!port->open(QIODevice::ReadWrite)) return FailOpen(port->errorString().toStdString());

  baudRate_ = handshake_ ? kHandshakeBaudRate
                         : static_cast<std::uint16_t>(BaudRateOfSpeedCode(linkSpeedCode_));
  if (!Configure(*port)) {
    const std::string reason =
        "the line settings were refused: " + port->errorString().toStdString();
    port->close();
    return FailOpen(reason);
  }

  port_ = std::move(port);
  isOpen_ = true;
  Purge();
  return true;
}

bool TDComm::Configure(QSerialPort& port) const {
  const auto parity = Lookup(kParityOfCode, Parity);
  const auto dataBits = Lookup(kDataBitsOfCode, DataSize);
  const auto stopBits = Lookup(kStopBitsOfCode, StopBits);
  if (!parity || !dataBits || !stopBits) return false;

  // The platform offers one flow-control scheme at a time; software flow
  // control wins because it is the one a cradle without handshake lines needs.
  // DSR output flow and DTR handshaking have no counterpart and are ignored.
  QSerialPort::FlowControl flow = QSerialPort::NoFlowControl;
  if (FlowCtrl.SwFlowCtrl.XonXoff) {
    flow = QSerialPort::SoftwareControl;
  } else if (FlowCtrl.OutxCtsFlow || FlowCtrl.RtsControl == kLineHandshake) {
    flow = QSerialPort::HardwareControl;
  }

  if (!port.setBaudRate(baudRate_) || !port.setDataBits(*dataBits) || !port.setParity(*parity) ||
      !port.setStopBits(*stopBits) || !port.setFlowControl(flow)) {
    return false;
  }

  // Control lines: a device without them (a pseudo-terminal, some adapters)
  // refuses the request, which does not stop the port from working.
  if (FlowCtrl.DtrControl == kLineLow || FlowCtrl.DtrControl == kLineRaised) {
    port.setDataTerminalReady(FlowCtrl.DtrControl == kLineRaised);
  }
  if (flow != QSerialPort::HardwareControl &&
      (FlowCtrl.RtsControl == kLineLow || FlowCtrl.RtsControl == kLineRaised)) {
    port.setRequestToSend(FlowCtrl.RtsControl == kLineRaised);
  }
  port.clearError();

  port.setReadBufferSize(Buffer.InQueue);
  return true;
}

bool TDComm::FailOpen(const std::string& reason) {
  // The box keeps its own text; which port and why follow on a line of their own.
  if (ui_) {
    ui_->ShowMessageBox(MessageBox{"Error",
                                   "Can not open com port.\nport " + portName_ + ": " + reason,
                                   MessageIcon::Stop, MessageButtons::Ok});
  }
  return false;
}

bool TDComm::Close() {
  if (!isOpen_) return false;
  port_->close();
  port_.reset();
  isOpen_ = false;
  return true;
}

int TDComm::ReadLimitMs() const {
  if (Timeouts.ReadIntervalTimeout == kReturnAtOnce && Timeouts.ReadTotalTimeoutConstant == 0 &&
      Timeouts.ReadTotalTimeoutMultiplier == 0) {
    return 0;
  }
  return LimitMs(Timeouts.ReadTotalTimeoutConstant, Timeouts.ReadTotalTimeoutMultiplier);
}

int TDComm::WriteLimitMs() const {
  return LimitMs(Timeouts.WriteTotalTimeoutConstant, Timeouts.WriteTotalTimeoutMultiplier);
}

#ifndef _WIN32

// On POSIX systems the byte path goes straight to the device descriptor: one
// poll and one read or write per byte, exactly what a hand-written termios
// loop does. Going through QSerialPort's own waits costs a buffer refill, a
// notifier toggle and a signal per byte, which made the driver clearly slower
// than the line it drives. QSerialPort still opens, locks, configures, purges
// and closes the device.

namespace {

// Waits until `fd` is ready for `events` or `limitMs` runs out (-1 = no
// limit). False on time-out, on a hung-up or failed device, and on any error.
bool WaitForDevice(int fd, short events, int limitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  for (;;) {
    int waitMs = limitMs;
    if (limitMs > 0) {
      const auto left =
          std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      waitMs = static_cast<int>(std::max<std::int64_t>(left.count(), 0));
    }
    pollfd watch{fd, events, 0};
    const int ready = poll(&watch, 1, waitMs);
    if (ready > 0) return (watch.revents & events) != 0;
    if (ready == 0 || errno != EINTR) return false;
  }
}

}  // namespace

bool TDComm::ReadByte(std::uint8_t& byte) {
  if (!port_) return false;
  char received = 0;
  // Bytes that QSerialPort took in while an event loop ran (the progress box
  // lets window messages through) came first, so they are read first.
  if (port_->bytesAvailable() > 0) {
    if (port_->read(&received, 1) != 1) return false;
    byte = static_cast<std::uint8_t>(received);
    return true;
  }
  const int fd = static_cast<int>(port_->handle());
  if (!WaitForDevice(fd, POLLIN, ReadLimitMs())) return false;
  if (::read(fd, &received, 1) != 1) return false;
  byte = static_cast<std::uint8_t>(received);
  return true;
}

bool TDComm::WriteByte(std::uint8_t byte) {
  if (!port_) return false;
  const int fd = static_cast<int>(port_->handle());
  if (!WaitForDevice(fd, POLLOUT, WriteLimitMs())) return false;
  return ::write(fd, &byte, 1) == 1;
}

#else

bool TDComm::ReadByte(std::uint8_t& byte) {
  if (!port_) return false;
  if (port_->bytesAvailable() == 0 && !port_->waitForReadyRead(ReadLimitMs())) return false;
  char received = 0;
  if (port_->read(&received, 1) != 1) return false;
  byte = static_cast<std::uint8_t>(received);
  return true;
}

bool TDComm::WriteByte(std::uint8_t byte) {
  if (!port_) return false;
  const char sent = static_cast<char>(byte);
  if (port_->write(&sent, 1) != 1) return false;
  if (port_->waitForBytesWritten(WriteLimitMs())) return true;
  // A byte that could not go out in time is dropped, not sent late behind
  // whatever the link says next.
  port_->clear(QSerialPort::Output);
  return false;
}

#endif  // _WIN32

bool TDComm::Purge() {
  if (!port_) return false;
  return port_->clear(QSerialPort::AllDirections);
}

TAppliedLine TDComm::AppliedLine() const {
  TAppliedLine line;
  if (!port_) return line;
#ifndef _WIN32
  // Read back from the device rather than trusting what was asked for.
  termios mode{};
  if (tcgetattr(static_cast<int>(port_->handle()), &mode) != 0) return line;
  struct SpeedRow {
    speed_t speed;
    int baudRate;
  };
  static constexpr std::array<SpeedRow, 5> kSpeeds{
      {{B4800, 4800}, {B9600, 9600}, {B19200, 19200}, {B38400, 38400}, {B57600, 57600}}};
  for (const SpeedRow& row : kSpeeds) {
    if (cfgetospeed(&mode) == row.speed) line.baudRate = row.baudRate;
  }
  static constexpr std::array<std::pair<tcflag_t, int>, 4> kSizes{
      {{CS5, 5}, {CS6, 6}, {CS7, 7}, {CS8, 8}}};
  for (const auto& [flag, bits] : kSizes) {
    if ((mode.c_cflag & CSIZE) == flag) line.dataBits = bits;
  }
  if (mode.c_cflag & PARENB) line.parity = (mode.c_cflag & PARODD) ? 1 : 2;
  line.stopBits = (mode.c_cflag & CSTOPB) ? 1 : 0;
#else
  line.baudRate = port_->baudRate();
  line.dataBits = port_->dataBits();
  const auto parity = std::find(kParityOfCode.begin(), kParityOfCode.end(), port_->parity());
  line.parity = static_cast<int>(parity - kParityOfCode.begin());
  line.stopBits = port_->stopBits() == QSerialPort::TwoStop ? 1 : 0;
#endif
  return line;
}

}  // namespace rer
