#include "sim/sim_pager.h"

#include <algorithm>
#include <array>
#include <sstream>

#include "comm/transport.h"
#include "core/text.h"
#include "pager/link_engine.h"
#include "pager/password_scramble.h"

namespace rer {
namespace {

constexpr std::array<std::uint8_t, 5> kWakeCodes{kSpeed9600, kSpeed19200, kSpeed38400, kSpeed57600,
                                                 kSpeed4800};
constexpr int kHandshakeBaud = 4800;

// A wake code after this much silence starts a new session whatever the
// pager was waiting for: the host pauses at least 600 ms before every wake.
// The one byte this cannot tell apart is a codeplug whose first byte (the
// status byte, zero after every encode) equals a wake code.
constexpr std::int64_t kNewSessionSilenceMs = 550;
// A block that has begun and then stops for this long is abandoned.
constexpr std::int64_t kBlockAbandonMs = 2000;

constexpr std::uint8_t kModeRead = 'F';
constexpr std::uint8_t kModeReadExtended = 'f';
constexpr std::uint8_t kJunkByte = 0xFF;
constexpr std::uint8_t kAccessRefusedBase = 0xB0;

enum class SimOperation { kUnknown, kIdentify, kQueryStatus, kRead, kWrite, kReceiverOn, kClock };

struct HeaderRow {
  std::uint8_t mode;
  std::uint8_t command;
  SimOperation operation;
  const char* name;
};

constexpr HeaderRow kHeaderRows[] = {
    {0x05, 0x01, SimOperation::kIdentify, "identify"},
    {0x01, 0x01, SimOperation::kQueryStatus, "queryStatus"},
    {kModeRead, 0x01, SimOperation::kRead, "read"},
    {kModeReadExtended, 0x01, SimOperation::kRead, "read"},
    {0x18, 0x07, SimOperation::kWrite, "write"},
    {0x00, 0x0B, SimOperation::kReceiverOn, "receiverOn"},
    {0x00, 0x03, SimOperation::kClock, "clock"},
};

const HeaderRow* RowOf(const CommandHeader& header) {
  for (const HeaderRow& row : kHeaderRows) {
    if (row.mode == header[0] && row.command == header[1]) return &row;
  }
  return nullptr;
}

struct ServiceRow {
  std::uint8_t command;
  bool twoByteReply;  // answered with "." and a value, then released with "U"
};

constexpr ServiceRow kServiceRows[] = {
    {0, false},
    {kServiceReplyPattern, true},
    {kServiceReplyKey, true},
    {7, false},
    {8, false},
    {9, false},
    {10, false},
    {11, false},
    {12, false},
    {20, false},
};

const ServiceRow* ServiceRowOf(std::uint8_t byte) {
  for (const ServiceRow& row : kServiceRows) {
    if (row.command == byte) return &row;
  }
  return nullptr;
}

bool IsWakeCode(std::uint8_t byte) {
  return std::find(kWakeCodes.begin(), kWakeCodes.end(), byte) != kWakeCodes.end();
}

std::string Hex(std::uint8_t byte) {
  static const char* digits = "0123456789abcdef";
  return std::string("0x") + digits[byte >> 4] + digits[byte & 0xF];
}

std::string ByteList(const std::vector<std::uint8_t>& bytes) {
  std::string text = "[";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    text += (i ? "," : "") + std::to_string(bytes[i]);
  }
  return text + "]";
}

}  // namespace

SimPager::SimPager(SimScenario scenario)
    : scenario_(std::move(scenario)),
      image_(scenario_.ImageBytes()),
      triesLeft_(scenario_.triesLeft) {}

SimOutputByte SimPager::PopOutput() {
  const SimOutputByte byte = output_.front();
  output_.pop_front();
  return byte;
}

void SimPager::Report(const std::string& json) {
  if (listener_) listener_(json);
}

void SimPager::SendText(const std::string& text, std::size_t length) {
  const std::string padded = PadRight(text, length);
  for (char c : padded) Send(static_cast<std::uint8_t>(c));
}

std::uint8_t SimPager::NextStatusLetter() {
  const std::string& letters = scenario_.statusLetters;
  if (letters.empty()) return kStatusNormal;
  const std::size_t i = std::min(statusIndex_, letters.size() - 1);
  ++statusIndex_;
  // A pager that has stored a codeplug is no longer unprogrammed.
  if (holdsWrittenCodeplug_ && letters[i] == kStatusUnprogrammed) return kStatusNormal;
  return static_cast<std::uint8_t>(letters[i]);
}

bool SimPager::StartsNewSession(std::uint8_t byte, std::int64_t gapMs) const {
  if (phase_ == Phase::kIdle) return false;
  if (gapMs >= kNewSessionSilenceMs && IsWakeCode(byte)) return true;
  // Where the previous exchange has ended, or the next has not begun, a
  // wake code can be nothing else: it is answered at once, whatever pause
  // the host kept. No header starts with a wake code, and the clock payload
  // that may follow a status query starts with the hour.
  const bool betweenExchanges = (phase_ == Phase::kHeader && headerFill_ == 0) ||
                                (phase_ == Phase::kAfterQuery && block_.empty());
  if (betweenExchanges && IsWakeCode(byte)) return true;
  const bool blockBegun =
      (phase_ == Phase::kHeader && headerFill_ > 0) ||
      ((phase_ == Phase::kPassword || phase_ == Phase::kData) && !block_.empty()) ||
      phase_ == Phase::kServiceRelease;
  return blockBegun && gapMs >= kBlockAbandonMs;
}

void SimPager::Receive(std::uint8_t byte, std::int64_t nowMs, int baudRate) {
  const std::int64_t gap = anyByteYet_ ? nowMs - lastByteMs_ : kNewSessionSilenceMs;
  anyByteYet_ = true;
  lastByteMs_ = nowMs;
  const std::size_t index = bytesReceived_++;
  // The cradle loops every byte back, whatever the pager makes of it.
  const bool writeChecksum = scenario_.loseWriteChecksumEcho && phase_ == Phase::kData &&
                             block_.size() == blockLength_ && RowOf(header_) &&
                             RowOf(header_)->operation == SimOperation::kWrite;
  if (!(scenario_.lostEchoAt && *scenario_.lostEchoAt == index) && !writeChecksum) {
    output_.push_back({byte, true});
  }
  if (StartsNewSession(byte, gap)) phase_ = Phase::kIdle;

  if (phase_ == Phase::kIdle) {
    ReceiveIdle(byte, baudRate);
    return;
  }
  if (baudRate != 0 && sessionBaud_ != 0 && baudRate != sessionBaud_) {
    // Sent at the wrong speed: noise to the pager.
    ++record_.bytesIgnoredAtWrongSpeed;
    return;
  }
  switch (phase_) {
    case Phase::kHeader:
      ReceiveHeaderByte(byte);
      break;
    case Phase::kPassword:
      ReceivePasswordByte(byte);
      break;
    case Phase::kData:
    case Phase::kAfterQuery:
      ReceiveDataByte(byte);
      break;
    case Phase::kServiceRelease:
      phase_ = Phase::kIdle;
      break;
    case Phase::kIdle:
      break;
  }
}

void SimPager::ReceiveIdle(std::uint8_t byte, int baudRate) {
  if (IsWakeCode(byte)) {
    record_.wakeCodes.push_back(byte);
    if (baudRate != 0 && baudRate != kHandshakeBaud) {
      ++record_.bytesIgnoredAtWrongSpeed;
      return;
    }
    if (scenario_.noAnswer) return;
    const std::uint8_t answer = scenario_.wakeReply.value_or(scenario_.modelCode);
    Send(answer);
    Report("{\"op\":\"wake\",\"code\":\"" + Hex(byte) + "\",\"answer\":\"" + Hex(answer) + "\"}");
    if (answer != scenario_.modelCode) return;
    sessionBaud_ = baudRate == 0 ? 0 : BaudRateOfSpeedCode(byte);
    phase_ = Phase::kHeader;
    headerFill_ = 0;
    return;
  }
  if (const ServiceRow* row = ServiceRowOf(byte)) {
    record_.serviceCommands.push_back(byte);
    Report("{\"op\":\"service\",\"command\":" + std::to_string(byte) + "}");
    if (scenario_.noAnswer) return;
    Send(scenario_.serviceAcknowledge);
    if (row->twoByteReply) {
      Send(byte == kServiceReplyKey ? scenario_.keyTestByte : scenario_.ramPatternByte);
      phase_ = Phase::kServiceRelease;
      sessionBaud_ = 0;
    }
  }
}

void SimPager::ReceiveHeaderByte(std::uint8_t byte) {
  header_[headerFill_++] = byte;
  if (headerFill_ < header_.size()) return;
  record_.headers.push_back(header_);
  StartOperation();
}

void SimPager::StartOperation() {
  const HeaderRow* row = RowOf(header_);
  phase_ = Phase::kIdle;
  if (!row) {
    Report("{\"op\":\"unknownHeader\",\"mode\":\"" + Hex(header_[0]) + "\",\"command\":\"" +
           Hex(header_[1]) + "\"}");
    return;
  }
  Report(std::string("{\"op\":\"") + row->name + "\"}");
  // Each part keeps its own characters, so that a variant text of another
  // length cannot shift the firmware out of place.
  auto sendIdentity = [&] {
    SendText(scenario_.identityText.substr(0, 8), 8);
    SendText(scenario_.variantText.substr(0, 1), 1);
    SendText(scenario_.firmware.substr(0, 6), 6);
  };
  switch (row->operation) {
    case SimOperation::kIdentify:
      sendIdentity();
      return;
    case SimOperation::kReceiverOn:
      Send(kAcknowledge);
      return;
    case SimOperation::kQueryStatus:
      Send(NextStatusLetter());
      // The query grants access at once; a clock payload may follow.
      Send(kAccessGranted);
      StartDataIn(5);
      phase_ = Phase::kAfterQuery;
      return;
    case SimOperation::kRead:
      Send(scenario_.cgromFirst);
      Send(scenario_.cgromSecond);
      if (header_[0] == kModeReadExtended) Send(scenario_.memoryByte);
      sendIdentity();
      SendText(scenario_.serialNumber, kSerialNumberLength);
      SendText("", kSerialReplyLength - kSerialNumberLength);
      break;
    case SimOperation::kWrite:
    case SimOperation::kClock:
    case SimOperation::kUnknown:
      break;
  }
  const std::uint8_t status = NextStatusLetter();
  Send(status);
  switch (status) {
    case kStatusBadData:
    case kStatusDownloadDisabled:
      return;
    case kStatusUnprogrammed:
      if (row->operation != SimOperation::kRead) break;
      for (std::size_t i = 0; i < scenario_.junkAfterUnprogrammed; ++i) Send(kJunkByte);
      return;
    case kStatusPasswordProtected:
      block_.clear();
      blockLength_ = kPagerPasswordLength;
      phase_ = Phase::kPassword;
      return;
    default:
      break;
  }
  Send(kAccessGranted);
  ContinueAfterAccess();
}

void SimPager::ReceivePasswordByte(std::uint8_t byte) {
  block_.push_back(byte);
  if (block_.size() < blockLength_) return;
  phase_ = Phase::kIdle;
  const std::string expected =
      ScramblePassword(PadRight(ToUpper(scenario_.password), kPagerPasswordLength));
  if (std::equal(block_.begin(), block_.end(), expected.begin(), expected.end())) {
    ++record_.passwordsAccepted;
    Report("{\"op\":\"password\",\"accepted\":true}");
    Send(kAccessGranted);
    ContinueAfterAccess();
    return;
  }
  ++record_.passwordsRejected;
  triesLeft_ = std::max(0, triesLeft_ - 1);
  Report("{\"op\":\"password\",\"accepted\":false,\"triesLeft\":" + std::to_string(triesLeft_) +
         "}");
  Send(static_cast<std::uint8_t>(kAccessRefusedBase | triesLeft_));
}

void SimPager::ContinueAfterAccess() {
  const HeaderRow* row = RowOf(header_);
  const std::size_t count = (std::size_t{header_[6]} << 8) | header_[7];
  switch (row ? row->operation : SimOperation::kUnknown) {
    case SimOperation::kRead: {
      const std::size_t length =
          std::min(image_.size(), scenario_.imageSilentFrom.value_or(image_.size()));
      for (std::size_t i = 0; i < length; ++i) Send(image_[i]);
      phase_ = Phase::kIdle;
      return;
    }
    case SimOperation::kWrite:
    case SimOperation::kClock:
      StartDataIn(count);
      return;
    default:
      phase_ = Phase::kIdle;
      return;
  }
}

void SimPager::StartDataIn(std::size_t count) {
  block_.clear();
  blockLength_ = count;
  phase_ = Phase::kData;
}

void SimPager::ReceiveDataByte(std::uint8_t byte) {
  block_.push_back(byte);
  if (block_.size() > blockLength_) FinishDataIn();
}

void SimPager::FinishDataIn() {
  const bool clock = phase_ == Phase::kAfterQuery || RowOf(header_) == nullptr ||
                     RowOf(header_)->operation != SimOperation::kWrite;
  phase_ = Phase::kIdle;
  std::vector<std::uint8_t> data(block_.begin(), block_.begin() + blockLength_);
  std::uint8_t sum = 0;
  for (std::uint8_t b : data) sum = static_cast<std::uint8_t>(sum + b);
  const bool good = sum == block_.back() && !scenario_.rejectChecksum;
  record_.lastChecksumGood = good;
  if (clock) {
    record_.clockPayload = data;
  } else {
    record_.writtenImage = data;
  }
  Report(std::string("{\"op\":\"") + (clock ? "clockPayload" : "imageIn") +
         "\",\"bytes\":" + (clock ? ByteList(data) : std::to_string(data.size())) +
         ",\"checksumGood\":" + (good ? "true" : "false") + "}");
  if (!good) {
    Send(kChecksumRejected);
    return;
  }
  if (!clock) {
    std::copy(data.begin(), data.begin() + std::min(data.size(), image_.size()), image_.begin());
    holdsWrittenCodeplug_ = true;
    if (scenario_.storeWrongByteAt && *scenario_.storeWrongByteAt < image_.size()) {
      image_[*scenario_.storeWrongByteAt] ^= 0x01;
    }
  }
  Send(kAcknowledge);
  // The final reply, once the pager has stored the block.
  Send(kAcknowledge);
}

}  // namespace rer
