#pragma once
// The byte channel to a pager's cradle. TDComm implements it on a serial
// port; the simulated pager offers an in-process one that runs in virtual time.

#include <cstdint>

namespace rer {

// Agreed line speed as a one-byte code, as the pager link negotiates it.
inline constexpr std::uint8_t kSpeed9600 = 0xA2;
inline constexpr std::uint8_t kSpeed19200 = 0xA4;
inline constexpr std::uint8_t kSpeed38400 = 0xA6;
inline constexpr std::uint8_t kSpeed57600 = 0xA8;
inline constexpr std::uint8_t kSpeed4800 = 0xAA;  // and any code not listed above

// Bit rate of a link speed code; 4800 for any code not in the table.
int BaudRateOfSpeedCode(std::uint8_t code);

class Transport {
 public:
  virtual ~Transport() = default;

  // The speed used at the next Open: 4800 bit/s while `handshake` is set,
  // otherwise the rate of `linkSpeedCode`.
  virtual void SetLinkSpeed(std::uint8_t linkSpeedCode, bool handshake) = 0;
  // The bit rate the port was (or will be) opened with.
  virtual int BaudRate() const = 0;

  // Opens the device; on failure reports it to the user once and returns false.
  virtual bool Open() = 0;
  // Closes an open device; false (and no effect) when already closed.
  virtual bool Close() = 0;
  virtual bool IsOpen() const = 0;
  // One byte in, within the read limit (500 ms); false when none arrived.
  virtual bool ReadByte(std::uint8_t& byte) = 0;
  // One byte out, within the write limit (500 ms).
  virtual bool WriteByte(std::uint8_t byte) = 0;
  // Drops everything queued in both directions.
  virtual bool Purge() = 0;
};

}  // namespace rer
