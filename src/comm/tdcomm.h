#pragma once
// The one serial port between the program and the pager's cradle: remembers
// the port name and line settings, opens and configures the device, and moves
// single bytes each way within fixed time limits. It knows nothing of the
// pager protocol; the pager link decides when to open, purge and close.

#include <cstdint>
#include <memory>
#include <string>

#include "comm/transport.h"

class QSerialPort;

namespace rer {

class UserInterface;

struct TSwFlowCtrl {
  std::uint8_t XonXoff = 0;  // 1 = XON/XOFF in both directions
  std::uint8_t XonChar = 0;
  std::uint8_t XoffChar = 0;
};

struct TFlowCtrl {
  std::uint8_t OutxCtsFlow = 0;  // 1 = hold transmission while CTS is low
  std::uint8_t OutxDsrFlow = 0;  // 1 = hold transmission while DSR is low
  std::uint8_t DtrControl = 1;   // 0 low, 1 raised while open, 2 handshaking
  std::uint8_t RtsControl = 1;   // 0 low, 1 raised while open, 2 handshaking, 3 while sending
  TSwFlowCtrl SwFlowCtrl;
};

// Time limits in milliseconds; a transfer of n bytes may take
// Constant + n * Multiplier.
struct TTimeouts {
  std::uint32_t ReadIntervalTimeout = 0;  // 0 = not used
  std::uint32_t ReadTotalTimeoutMultiplier = 0;
  std::uint32_t ReadTotalTimeoutConstant = 500;
  std::uint32_t WriteTotalTimeoutMultiplier = 0;
  std::uint32_t WriteTotalTimeoutConstant = 500;
};

// Queue sizes in bytes requested from the device driver at open.
struct TBuffer {
  std::uint32_t InQueue = 1200;
  std::uint32_t OutQueue = 1200;
};

// The line configuration as it was applied to the open device.
struct TAppliedLine {
  int baudRate = 0;
  int dataBits = 0;
  int parity = 0;    // same codes as TDComm::Parity
  int stopBits = 0;  // same codes as TDComm::StopBits
};

class TDComm : public Transport {
 public:
  // `ui` shows the one box of a failed open; nothing else is ever shown.
  explicit TDComm(UserInterface* ui);
  ~TDComm() override;
  TDComm(const TDComm&) = delete;
  TDComm& operator=(const TDComm&) = delete;
  // The box of a failed open goes where the operation's other boxes go (an
  // operation on a worker thread hands them to the window's thread).
  void SetUserInterface(UserInterface* ui) { ui_ = ui; }

  // Line settings, written by the settings loader; they take effect at the
  // next Open.
  std::uint8_t Parity = 0;    // 0 none, 1 odd, 2 even
  std::uint8_t DataSize = 3;  // data bits minus 5
  std::uint8_t StopBits = 0;  // 0 one, 1 two
  TFlowCtrl FlowCtrl;
  TTimeouts Timeouts;
  TBuffer Buffer;

  // Device name as the platform knows it: COM3, ttyUSB0, /dev/ttyUSB0 or the
  // path of any serial device (a pseudo-terminal, or a symbolic link to one).
  void SetPortName(std::string name) { portName_ = std::move(name); }
  const std::string& PortName() const { return portName_; }

  // Speed in bit/s. Every Open recomputes it from the link speed, so a value
  // set here matters only until then.
  int BaudRate() const override { return baudRate_; }
  void SetBaudRate(std::uint16_t rate) { baudRate_ = rate; }
  void SetLinkSpeed(std::uint8_t linkSpeedCode, bool handshake) override;
  std::uint8_t LinkSpeedCode() const { return linkSpeedCode_; }
  bool HandshakeSpeedFlag() const { return handshake_; }

  bool Open() override;
  bool Close() override;
  bool IsOpen() const override { return isOpen_; }
  bool ReadByte(std::uint8_t& byte) override;
  bool WriteByte(std::uint8_t byte) override;
  bool Purge() override;

  // What the open device reports for its line, read back from the device;
  // all zero while closed.
  TAppliedLine AppliedLine() const;

 private:
  bool FailOpen(const std::string& reason);
  bool Configure(QSerialPort& port) const;
  int ReadLimitMs() const;
  int WriteLimitMs() const;

  UserInterface* ui_;
  std::string portName_ = "COM1";
  std::uint16_t baudRate_ = 57600;
  std::uint8_t linkSpeedCode_ = kSpeed4800;
  bool handshake_ = false;
  bool isOpen_ = false;
  std::unique_ptr<QSerialPort> port_;  // null whenever no device is held
};

}  // namespace rer
