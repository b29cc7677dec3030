#pragma once
// The device side of the pager link: a pager in its cradle, driven one byte
// at a time. It echoes every byte as the cradle does, answers wake codes with
// its model code, carries out the command header's operation, and records
// what it was sent. It knows time only through the stamps of the bytes it
// receives, so it runs the same in virtual and in real time.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "pager/link_header.h"
#include "sim/sim_scenario.h"

namespace rer {

// What the simulated pager was told, for tests and logs.
struct SimRecord {
  std::vector<std::uint8_t> wakeCodes;     // every wake code it answered or ignored
  std::vector<CommandHeader> headers;      // every complete header
  std::vector<std::uint8_t> writtenImage;  // the last codeplug written to it
  std::vector<std::uint8_t> clockPayload;  // the last clock payload
  std::optional<bool> lastChecksumGood;    // verdict on the last data block
  std::vector<std::uint8_t> serviceCommands;
  int passwordsAccepted = 0;
  int passwordsRejected = 0;
  int bytesIgnoredAtWrongSpeed = 0;
};

struct SimOutputByte {
  std::uint8_t value;
  bool echo;  // the cradle's copy of a byte the host sent
};

class SimPager {
 public:
  explicit SimPager(SimScenario scenario);

  // One byte from the host at `nowMs`. `baudRate` is the speed the host sent
  // it at, or 0 when the line cannot tell (a pseudo-terminal).
  void Receive(std::uint8_t byte, std::int64_t nowMs, int baudRate);

  bool HasOutput() const { return !output_.empty(); }
  SimOutputByte PopOutput();
  // The host purged its port: whatever was on the way is lost.
  void DropOutput() { output_.clear(); }

  const SimRecord& record() const { return record_; }
  const SimScenario& scenario() const { return scenario_; }
  // The codeplug the pager holds now (changed by a successful write).
  const std::vector<std::uint8_t>& image() const { return image_; }

  // Called with one JSON object (one line, no newline) per operation.
  void SetOperationListener(std::function<void(const std::string&)> listener) {
    listener_ = std::move(listener);
  }

 private:
  enum class Phase {
    kIdle,
    kHeader,
    kPassword,
    kData,
    kAfterQuery,
    kServiceRelease,
  };

  bool StartsNewSession(std::uint8_t byte, std::int64_t gapMs) const;
  void ReceiveIdle(std::uint8_t byte, int baudRate);
  void ReceiveHeaderByte(std::uint8_t byte);
  void ReceivePasswordByte(std::uint8_t byte);
  void ReceiveDataByte(std::uint8_t byte);
  void StartOperation();
  void ContinueAfterAccess();
  void StartDataIn(std::size_t count);
  void FinishDataIn();
  std::uint8_t NextStatusLetter();
  void Send(std::uint8_t byte) { output_.push_back({byte, false}); }
  void SendText(const std::string& text, std::size_t length);
  void Report(const std::string& json);

  SimScenario scenario_;
  std::vector<std::uint8_t> image_;
  SimRecord record_;
  std::deque<SimOutputByte> output_;
  std::function<void(const std::string&)> listener_;

  Phase phase_ = Phase::kIdle;
  int sessionBaud_ = 0;
  std::int64_t lastByteMs_ = 0;
  bool anyByteYet_ = false;
  std::size_t bytesReceived_ = 0;
  std::size_t statusIndex_ = 0;
  bool holdsWrittenCodeplug_ = false;  // a codeplug write was stored
  int triesLeft_ = 0;
  CommandHeader header_{};
  std::size_t headerFill_ = 0;
  std::vector<std::uint8_t> block_;  // password or data coming in
  std::size_t blockLength_ = 0;      // expected, checksum byte not counted
};

}  // namespace rer
