#pragma once
// PagerLink: the command engines that run one device operation each (wake the
// pager, send the command header, exchange replies and data blocks, retry
// after time-outs) over the single-byte Transport, plus the block primitives
// and the single-byte service command.
//
// The port is opened at the start of every run and closed at its end,
// whatever the outcome, so an open port always means "busy".

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "comm/clock.h"
#include "comm/transport.h"
#include "core/result_codes.h"
#include "core/user_interface.h"
#include "pager/link_header.h"
#include "pager/link_state.h"

namespace rer {

inline constexpr std::size_t kLinkImageBufferSize = 4096;
using ImageBuffer = std::span<std::uint8_t, kLinkImageBufferSize>;

// Single bytes on the link.
inline constexpr std::uint8_t kAcknowledge = 0x06;
inline constexpr std::uint8_t kChecksumRejected = 0x15;
inline constexpr std::uint8_t kAccessGranted = 0xBB;
inline constexpr std::uint8_t kServiceAcknowledge = '.';
inline constexpr std::uint8_t kServiceRelease = 'U';

// Reply kinds of the service command that take two bytes and a release byte.
inline constexpr int kServiceReplyPattern = 4;
inline constexpr int kServiceReplyKey = 6;

struct LinkEngineTraits;
struct LinkRunContext;

class PagerLink {
 public:
  // Called after every image read that succeeded, with the buffer it went
  // into; returns 0 or an error code that ends the run (the version check
  // gives -93). The read sequences install it.
  using ImageReadHook = std::function<int(bool intoPagerCopy)>;

  PagerLink(Transport& transport, Clock& clock, UserInterface& ui, LinkState& state,
            ImageBuffer codeplugImage, ImageBuffer pagerCopy);

  void SetImageReadHook(ImageReadHook hook) { imageReadHook_ = std::move(hook); }

  // Learns model code, firmware version and flags; 0 or a negative code.
  int Identify();
  // The standard engine: opReadCodeplug, opWriteCodeplug (4 KB), opSetClock.
  int Run(int operation);
  // The compact engine: the 1 KB family's operations and opReceiverOn.
  int RunCompact(int operation);
  // The compact engine without its error message; the program sequence's
  // receiver-on command, whose failures the read that follows reports.
  int RunCompactQuietly(int operation);

  // One block with echo: every byte written, its echo read and dropped.
  // `sum` receives the 8-bit sum of the bytes. 0 or -16.
  int SendBlock(std::span<const std::uint8_t> bytes, std::uint8_t* sum = nullptr);
  // Fills `buffer` byte by byte; 0 or -16.
  int ReceiveBlock(std::span<std::uint8_t> buffer);
  // The handshake at 4800 bit/s; 0 with `modelCode` set, -16 or -114.
  int Wake(std::uint8_t wakeCode, std::uint8_t& modelCode);
  // One test-mode command byte; `reply` receives what the pager answered.
  int SendServiceCommand(std::uint8_t command, std::vector<std::uint8_t>& reply, int replyKind);

  // How many codeplug images have gone out whole, echoes included. A
  // program that fails after one did may have left the new codeplug in
  // the pager all the same.
  int imagesSent() const { return imagesSent_; }
  // How many whole images have come in so far into the pager copy (the
  // read before programming).
  int pagerCopiesRead() const { return pagerCopiesRead_; }

 private:
  using EngineTraits = LinkEngineTraits;
  using RunContext = LinkRunContext;

  int RunEngine(int operation, const EngineTraits& traits);
  int Act(int linkState, RunContext& run, const EngineTraits& traits);
  int NextState(int linkState, const RunContext& run) const;
  int CurrentOperation(const RunContext& run) const;

  int ActWake(RunContext& run, const EngineTraits& traits);
  int ActSendHeader(RunContext& run, const EngineTraits& traits);
  int ActStatusByte(RunContext& run, const EngineTraits& traits);
  int ActPassword(RunContext& run);
  int ActAccessReply();
  int ActReadImage();
  int ActWriteImage(RunContext& run, const EngineTraits& traits);
  int ActClockPayload(RunContext& run);
  int ActStatusReply(RunContext& run);

  bool OpenPort();
  // False when no password can be asked for: the run must end.
  bool PromptPagerPassword();
  // Waits exactly `ms`; long waits keep the window alive in slices.
  void Pause(std::int64_t ms);
  void PumpBeforeByte(bool firstOfBlock);
  void DrainInput();

  Transport& transport_;
  Clock& clock_;
  UserInterface& ui_;
  LinkState& state_;
  ImageBuffer codeplugImage_;
  ImageBuffer pagerCopy_;
  ImageReadHook imageReadHook_;
  int imagesSent_ = 0;
  int pagerCopiesRead_ = 0;
  bool handshakeSpeed_ = false;
  std::int64_t lastPumpMs_ = 0;
};

}  // namespace rer
