#include "pager/link_engine.h"

#include <algorithm>

namespace rer {
namespace {

// States of the engines; the numbers follow the protocol's own numbering.
enum LinkStep : int {
  kStepWake = 0,
  kStepHeader = 1,
  kStepSendHeader = 2,
  kStepIdentity = 3,
  kStepSerial = 4,
  kStepStatusByte = 6,
  kStepPassword = 7,
  kStepAccessReply = 8,
  kStepReadImage = 9,
  kStepWriteImage = 10,
  kStepChecksum = 11,
  kStepChecksumReply = 12,
  kStepFinalReply = 13,
  kStepCgromReply = 14,
  kStepMemoryReply = 15,
  kStepStatusReply = 16,
  kStepClockPayload = 18,
  kStepDone = -1,
};

constexpr int kAttemptsBeforeQuestion = 5;
constexpr std::uint8_t kWakeStay4800 = kSpeed4800;
constexpr std::uint8_t kWakeFast = kSpeed38400;

// Pauses of the protocol, in milliseconds. The pager needs them; they must
// not be shortened.
constexpr std::int64_t kPauseBeforeWake = 500;
constexpr std::int64_t kPauseBeforeWakeCode = 100;
constexpr std::int64_t kHandshakeWindow = 500;
constexpr std::int64_t kHandshakePollInterval = 200;
constexpr std::int64_t kPauseAfterHeader = 1000;
constexpr std::int64_t kPauseBeforeAcknowledge = 500;
constexpr std::int64_t kPauseBeforeDrain = 200;
constexpr std::int64_t kPauseBeforeAccessReply = 10;
constexpr std::int64_t kPauseAfterStatusReply = 10;
constexpr std::int64_t kPauseBeforeClockFinalReply = 100;
constexpr std::int64_t kPauseAfterPasswordEntry = 1000;
constexpr std::int64_t kPauseBeforePatternReply = 100;

// Waits longer than this are cut into slices with the window kept alive.
constexpr std::int64_t kLongPause = 100;
constexpr std::int64_t kPauseSlice = 40;
// Pending window messages are let through at most this often during blocks.
constexpr std::int64_t kPumpInterval = 10;

constexpr std::size_t kDrainLimit = 4096;
constexpr std::size_t kCompactWriteLength = 1024;
constexpr std::uint8_t kMemoryLargeThreshold = 32;
constexpr std::uint8_t kAttemptsMask = 0x07;
constexpr int kYearModulus = 100;

}  // namespace

// How the standard and compact engines differ; everything else is shared.
struct LinkEngineTraits {
  bool handshakeSpeedOnEntry;
  bool alwaysWakeAt4800;  // wake with 0xAA, never reopen, keep LinkSpeedCode
  bool pauseAfterHeader;
  IdentityScope identityScope;
  bool keepsSerialNumber;
  bool drainsAfterUnprogrammed;
  bool writesFixed1K;
  std::int64_t finalReplyPause;
  bool showsErrors;
  int retryQuestion;
};

namespace {

constexpr LinkEngineTraits kStandardEngine{
    .handshakeSpeedOnEntry = true,
    .alwaysWakeAt4800 = false,
    .pauseAfterHeader = true,
    .identityScope = IdentityScope::kAll,
    .keepsSerialNumber = true,
    .drainsAfterUnprogrammed = true,
    .writesFixed1K = false,
    .finalReplyPause = 17000,
    .showsErrors = false,
    .retryQuestion = kQuestionRetryStandard,
};

constexpr LinkEngineTraits kCompactEngine{
    .handshakeSpeedOnEntry = false,
    .alwaysWakeAt4800 = true,
    .pauseAfterHeader = false,
    .identityScope = IdentityScope::kEarlyFirmware,
    .keepsSerialNumber = false,
    .drainsAfterUnprogrammed = false,
    .writesFixed1K = true,
    .finalReplyPause = 8500,
    .showsErrors = true,
    .retryQuestion = kQuestionRetryCompact,
};

}  // namespace

struct LinkRunContext {
  int operation = 0;
  int attempts = 0;
  bool restart = false;
  std::uint8_t statusByte = 0;  // the byte read in the status byte step
  std::uint8_t sum = 0;         // of the last data block sent
  CommandHeader header{};
};

PagerLink::PagerLink(Transport& transport, Clock& clock, UserInterface& ui, LinkState& state,
                     ImageBuffer codeplugImage, ImageBuffer pagerCopy)
    : transport_(transport),
      clock_(clock),
      ui_(ui),
      state_(state),
      codeplugImage_(codeplugImage),
      pagerCopy_(pagerCopy) {}

bool PagerLink::OpenPort() {
  transport_.SetLinkSpeed(state_.LinkSpeedCode, handshakeSpeed_);
  return transport_.Open();
}

void PagerLink::Pause(std::int64_t ms) {
  if (ms <= kLongPause) {
    clock_.DelayMs(ms);
    return;
  }
  ui_.SetProgressPhase(ProgressPhase::Waiting);
  const std::int64_t end = clock_.TickMs() + ms;
  for (std::int64_t now = clock_.TickMs(); now < end; now = clock_.TickMs()) {
    ui_.SetSecondsLeft(static_cast<int>((end - now + 999) / 1000));
    ui_.PumpMessages();
    clock_.DelayMs(std::min(kPauseSlice, end - now));
  }
  ui_.SetSecondsLeft(0);
}

void PagerLink::PumpBeforeByte(bool firstOfBlock) {
  const std::int64_t now = clock_.TickMs();
  if (firstOfBlock || now - lastPumpMs_ >= kPumpInterval) {
    ui_.PumpMessages();
    lastPumpMs_ = now;
  }
}

int PagerLink::SendBlock(std::span<const std::uint8_t> bytes, std::uint8_t* sum) {
  std::uint8_t total = 0;
  const std::size_t count = bytes.size();
  ui_.SetProgressPhase(ProgressPhase::Writing);
  for (std::size_t i = 0; i < count; ++i) {
    PumpBeforeByte(i == 0);
    if (!transport_.WriteByte(bytes[i])) return kLinkNotResponding;
    total = static_cast<std::uint8_t>(total + bytes[i]);
    if (sum) *sum = total;
    // The cradle sends every byte back; its value is not checked.
    std::uint8_t echo = 0;
    if (!transport_.ReadByte(echo)) return kLinkNotResponding;
    ui_.SetProgress(static_cast<int>((i + 1) * 100 / count));
  }
  if (sum) *sum = total;
  return kLinkOk;
}

int PagerLink::ReceiveBlock(std::span<std::uint8_t> buffer) {
  const std::size_t count = buffer.size();
  ui_.SetProgressPhase(ProgressPhase::Reading);
  for (std::size_t i = 0; i < count; ++i) {
    PumpBeforeByte(i == 0);
    if (!transport_.ReadByte(buffer[i])) return kLinkNotResponding;
    ui_.SetProgress(static_cast<int>((i + 1) * 100 / count));
  }
  return kLinkOk;
}

int PagerLink::Wake(std::uint8_t wakeCode, std::uint8_t& modelCode) {
  const std::int64_t start = clock_.TickMs();
  handshakeSpeed_ = true;
  transport_.Close();
  const bool opened = OpenPort();
  int result = kLinkNotResponding;
  if (!opened) {
    result = kLinkPortNotOpened;
  } else {
    transport_.Purge();
    clock_.DelayMs(kPauseBeforeWakeCode);
    transport_.WriteByte(wakeCode);
    // The first byte back is the echo, the next the pager's model code; a
    // read that times out leaves the last value in place, so a lost echo or
    // a late pager still ends with the model code.
    std::uint8_t reply = wakeCode;
    while (clock_.TickMs() - start < kHandshakeWindow) {
      const std::int64_t pollStart = clock_.TickMs();
      std::uint8_t byte = 0;
      if (transport_.ReadByte(byte)) reply = byte;
      if (transport_.ReadByte(byte)) reply = byte;
      if (reply != wakeCode) {
        if (IsKnownModelCode(reply)) {
          modelCode = reply;
          result = kLinkOk;
        }
        break;
      }
      const std::int64_t waited = clock_.TickMs() - pollStart;
      if (waited < kHandshakePollInterval) clock_.DelayMs(kHandshakePollInterval - waited);
    }
  }
  handshakeSpeed_ = false;
  return result;
}

bool PagerLink::PromptPagerPassword() {
  // Sending a made-up password would cost the pager one of its tries.
  if (!ui_.CanAskPassword(PasswordMode::PagerAccess)) return false;
  const auto typed = ui_.EnterPassword(PasswordMode::PagerAccess);
  if (typed) {
    SetPagerPasswordText(state_, *typed);
    Pause(kPauseAfterPasswordEntry);
  }
  state_.PasswordAsked = true;
  state_.PagerPasswordPrompted = true;
  return true;
}

void PagerLink::DrainInput() {
  std::uint8_t byte = 0;
  for (std::size_t i = 0; i < kDrainLimit && transport_.ReadByte(byte); ++i) {
  }
}

int PagerLink::CurrentOperation(const RunContext& run) const {
  return state_.StatusReply != 0 ? run.operation : opQueryStatus;
}

int PagerLink::Identify() {
  state_.LinkSpeedCode = kWakeStay4800;
  handshakeSpeed_ = false;
  if (!OpenPort()) return kLinkPortNotOpened;
  int attempts = 0;
  int step = kStepWake;
  int result = kLinkOk;
  CommandHeader header{};
  while (step != kStepDone) {
    int r = kLinkOk;
    switch (step) {
      case kStepWake: {
        ++attempts;
        transport_.Purge();
        Pause(kPauseBeforeWake);
        std::uint8_t model = state_.ModelCode;
        r = Wake(kWakeStay4800, model);
        if (r == kLinkOk) state_.ModelCode = model;
        step = kStepHeader;
        break;
      }
      case kStepHeader:
        if (!IsKnownModelCode(state_.ModelCode)) r = kLinkUnknownPager;
        header = BuildHeader(opIdentify, state_);
        step = kStepSendHeader;
        break;
      case kStepSendHeader:
        r = SendBlock(header);
        step = kStepIdentity;
        break;
      case kStepIdentity: {
        std::array<std::uint8_t, kIdentityReplyLength> reply{};
        r = ReceiveBlock(reply);
        if (r == kLinkOk) ApplyIdentityReply(state_, reply, IdentityScope::kFirstVariant);
        step = kStepDone;
        break;
      }
    }
    if (r == kLinkNotResponding && attempts < kAttemptsBeforeQuestion) {
      step = kStepWake;
    } else if (r != kLinkOk) {
      result = r;
      step = kStepDone;
    }
  }
  transport_.Close();
  return result;
}

int PagerLink::Run(int operation) {
  return RunEngine(operation, kStandardEngine);
}

int PagerLink::RunCompact(int operation) {
  return RunEngine(operation, kCompactEngine);
}

int PagerLink::RunCompactQuietly(int operation) {
  EngineTraits quiet = kCompactEngine;
  quiet.showsErrors = false;
  return RunEngine(operation, quiet);
}

int PagerLink::RunEngine(int operation, const EngineTraits& traits) {
  handshakeSpeed_ = traits.handshakeSpeedOnEntry;
  const bool opened = OpenPort();
  handshakeSpeed_ = false;
  if (!opened) return kLinkPortNotOpened;

  RunContext run;
  run.operation = operation;
  int step = kStepWake;
  int result = kLinkOk;
  while (true) {
    const int r = Act(step, run, traits);
    if (r == kLinkOk) {
      step = NextState(step, run);
      if (step == kStepDone) break;
      continue;
    }
    if (r == kLinkNotResponding) {
      if (run.attempts < kAttemptsBeforeQuestion) {
        step = kStepWake;
        continue;
      }
      if (ui_.AskQuestion(traits.retryQuestion) == kResultYes) {
        run.attempts = 0;
        step = kStepWake;
        continue;
      }
      result = r;
      break;
    }
    // The driver has already reported a port that would not open.
    // Nor is there more to say about a password that could not be asked.
    if (traits.showsErrors && r != kLinkPortNotOpened && r != kOperationCancelled) {
      ui_.ShowError(r);
    }
    result = r;
    break;
  }
  transport_.Close();
  return result;
}

int PagerLink::Act(int step, RunContext& run, const EngineTraits& traits) {
  switch (step) {
    case kStepWake:
      return ActWake(run, traits);
    case kStepHeader:
      if (!IsKnownModelCode(state_.ModelCode)) return kLinkUnknownPager;
      run.header = BuildHeader(CurrentOperation(run), state_);
      return kLinkOk;
    case kStepSendHeader:
      return ActSendHeader(run, traits);
    case kStepIdentity: {
      std::array<std::uint8_t, kIdentityReplyLength> reply{};
      const int r = ReceiveBlock(reply);
      if (r == kLinkOk) ApplyIdentityReply(state_, reply, traits.identityScope);
      return r;
    }
    case kStepSerial: {
      std::array<std::uint8_t, kSerialReplyLength> reply{};
      const int r = ReceiveBlock(reply);
      if (r == kLinkOk && traits.keepsSerialNumber) {
        state_.SerialNumber.assign(reply.begin(), reply.begin() + kSerialNumberLength);
      }
      return r;
    }
    case kStepStatusByte:
      return ActStatusByte(run, traits);
    case kStepPassword:
      return ActPassword(run);
    case kStepAccessReply:
      return ActAccessReply();
    case kStepReadImage:
      return ActReadImage();
    case kStepWriteImage:
      return ActWriteImage(run, traits);
    case kStepChecksum: {
      const std::array<std::uint8_t, 1> sum{run.sum};
      return SendBlock(sum);
    }
    case kStepChecksumReply: {
      std::array<std::uint8_t, 1> reply{};
      const int r = ReceiveBlock(reply);
      if (r == kLinkOk && reply[0] == kChecksumRejected) return kLinkBadChecksum;
      return r;
    }
    case kStepFinalReply: {
      Pause(CurrentOperation(run) == opSetClock ? kPauseBeforeClockFinalReply
                                                : traits.finalReplyPause);
      std::array<std::uint8_t, 1> reply{};
      return ReceiveBlock(reply);
    }
    case kStepCgromReply: {
      std::array<std::uint8_t, kCgromReplyLength> reply{};
      const int r = ReceiveBlock(reply);
      if (r == kLinkOk) ApplyCgromReply(state_, reply);
      return r;
    }
    case kStepMemoryReply: {
      std::array<std::uint8_t, 1> reply{};
      const int r = ReceiveBlock(reply);
      if (r == kLinkOk) {
        state_.MemoryByte = reply[0];
        state_.LargeMemory = reply[0] >= kMemoryLargeThreshold;
      }
      return r;
    }
    case kStepStatusReply:
      return ActStatusReply(run);
    case kStepClockPayload:
      return ActClockPayload(run);
    default:
      return kLinkOk;
  }
}

int PagerLink::ActWake(RunContext& run, const EngineTraits& traits) {
  ++run.attempts;
  transport_.Purge();
  Pause(kPauseBeforeWake);
  const std::uint8_t wakeCode = traits.alwaysWakeAt4800 ? kWakeStay4800 : state_.LinkSpeedCode;
  std::uint8_t model = state_.ModelCode;
  const int r = Wake(wakeCode, model);
  if (r != kLinkOk) return r;
  state_.ModelCode = model;
  if (traits.alwaysWakeAt4800) return kLinkOk;
  if (wakeCode != kWakeStay4800) {
    // The pager now talks at the agreed speed; the port must follow it.
    transport_.Close();
    if (!OpenPort()) return kLinkPortNotOpened;
  }
  state_.LinkSpeedCode = state_.R0501 ? kWakeFast : kWakeStay4800;
  return kLinkOk;
}

int PagerLink::ActSendHeader(RunContext& run, const EngineTraits& traits) {
  const int r = SendBlock(run.header);
  if (r != kLinkOk) return r;
  if (traits.pauseAfterHeader) Pause(kPauseAfterHeader);
  if (CurrentOperation(run) != opReceiverOn) return kLinkOk;
  Pause(kPauseBeforeAcknowledge);
  std::array<std::uint8_t, 1> reply{};
  const int ack = ReceiveBlock(reply);
  if (ack != kLinkOk) return ack;
  return reply[0] == kAcknowledge ? kLinkOk : kLinkNotResponding;
}

int PagerLink::ActStatusByte(RunContext& run, const EngineTraits& traits) {
  std::array<std::uint8_t, 1> reply{};
  const int r = ReceiveBlock(reply);
  if (r != kLinkOk) return r;
  run.statusByte = reply[0];
  switch (reply[0]) {
    case kStatusBadData:
      return kLinkBadPagerData;
    case kStatusDownloadDisabled:
      state_.ModelCode = kNoPagerInformation;
      return kLinkDownloadDisabled;
    case kStatusNormal:
    case kStatusOk:
    case kStatusPasswordProtected:
      state_.Unprogrammed = false;
      return kLinkOk;
    case kStatusUnprogrammed:
      if (run.operation != opReadCodeplug) return kLinkOk;
      state_.Unprogrammed = true;
      if (traits.drainsAfterUnprogrammed) {
        // The pager goes on talking; swallow it so the next run starts clean.
        Pause(kPauseBeforeDrain);
        DrainInput();
      }
      return kLinkUnprogrammed;
    default:
      return kLinkOk;
  }
}

int PagerLink::ActPassword(RunContext& run) {
  if (run.operation == opReadCodeplug && !state_.PasswordAsked) {
    // Ask now and start over, so the password goes out on a fresh wake.
    if (!PromptPagerPassword()) return kOperationCancelled;
    run.restart = true;
    return kLinkOk;
  }
  run.restart = false;
  // A password nobody could give would only be a made-up one.
  if (!state_.PasswordAsked && !ui_.CanAskPassword(PasswordMode::PagerAccess)) {
    return kOperationCancelled;
  }
  return SendBlock(state_.PagerPassword);
}

int PagerLink::ActAccessReply() {
  clock_.DelayMs(kPauseBeforeAccessReply);
  std::array<std::uint8_t, 1> reply{};
  const int r = ReceiveBlock(reply);
  if (r != kLinkOk) return r;
  if (reply[0] == kAccessGranted) {
    state_.AttemptsLeft = kAttemptsNotReported;
    return kLinkOk;
  }
  state_.AttemptsLeft = reply[0] & kAttemptsMask;
  return kLinkWrongPassword;
}

int PagerLink::ActReadImage() {
  const std::size_t length = ImageLengthOfModel(state_.ModelCode);
  const bool intoPagerCopy = state_.ReadBeforeProgram;
  ImageBuffer target = intoPagerCopy ? pagerCopy_ : codeplugImage_;
  const int r = ReceiveBlock(target.first(length));
  if (r != kLinkOk) return r;
  if (intoPagerCopy) ++pagerCopiesRead_;
  return imageReadHook_ ? imageReadHook_(intoPagerCopy) : kLinkOk;
}

int PagerLink::ActWriteImage(RunContext& run, const EngineTraits& traits) {
  const std::size_t length =
      traits.writesFixed1K ? kCompactWriteLength : ImageLengthOfModel(state_.ModelCode);
  const int r = SendBlock(codeplugImage_.first(length), &run.sum);
  if (r == kLinkOk) ++imagesSent_;
  return r;
}

int PagerLink::ActClockPayload(RunContext& run) {
  const LocalDateTime now = clock_.Now();
  // Plain binary numbers, not decimal-coded.
  const std::array<std::uint8_t, 5> payload{
      static_cast<std::uint8_t>(now.hour),
      static_cast<std::uint8_t>(now.minute),
      static_cast<std::uint8_t>(now.day),
      static_cast<std::uint8_t>(now.month),
      static_cast<std::uint8_t>(now.year % kYearModulus),
  };
  return SendBlock(payload, &run.sum);
}

int PagerLink::ActStatusReply(RunContext& run) {
  std::array<std::uint8_t, 1> reply{};
  const int r = ReceiveBlock(reply);
  if (r != kLinkOk) return r;
  state_.StatusReply = reply[0];
  if (reply[0] == kStatusPasswordProtected && !state_.PasswordAsked && !PromptPagerPassword()) {
    return kOperationCancelled;
  }
  if (reply[0] == kStatusUnprogrammed) state_.ExtendedReply = true;
  clock_.DelayMs(kPauseAfterStatusReply);
  run.restart = true;
  return kLinkOk;
}

int PagerLink::NextState(int step, const RunContext& run) const {
  const int q = CurrentOperation(run);
  switch (step) {
    case kStepWake:
      return kStepHeader;
    case kStepHeader:
      return kStepSendHeader;
    case kStepSendHeader:
      switch (q) {
        case opReceiverOn:
          return kStepDone;
        case opWriteCodeplug:
        case opSetClock:
          return kStepStatusByte;
        case opQueryStatus:
          return kStepStatusReply;
        case opIdentify:
          return kStepIdentity;
        default:
          return kStepCgromReply;
      }
    case kStepCgromReply:
      return state_.ExtendedReply ? kStepMemoryReply : kStepIdentity;
    case kStepMemoryReply:
      return kStepIdentity;
    case kStepIdentity:
      return kStepSerial;
    case kStepSerial:
      return kStepStatusByte;
    case kStepStatusByte:
      return run.statusByte == kStatusPasswordProtected ? kStepPassword : kStepAccessReply;
    case kStepPassword:
    case kStepStatusReply:
      if (q == opReadCodeplug && run.restart) return kStepWake;
      return kStepAccessReply;
    case kStepAccessReply:
      if (q == opWriteCodeplug) return kStepWriteImage;
      if (q == opSetClock) return kStepClockPayload;
      return kStepReadImage;
    case kStepWriteImage:
    case kStepClockPayload:
      return kStepChecksum;
    case kStepChecksum:
      return kStepChecksumReply;
    case kStepChecksumReply:
      return kStepFinalReply;
    default:
      return kStepDone;
  }
}

int PagerLink::SendServiceCommand(std::uint8_t command, std::vector<std::uint8_t>& reply,
                                  int replyKind) {
  handshakeSpeed_ = false;
  if (!OpenPort()) return kLinkPortNotOpened;
  transport_.Purge();
  const bool twoByteReply = replyKind == kServiceReplyPattern || replyKind == kServiceReplyKey;
  reply.assign(twoByteReply ? 2 : 1, 0);
  const std::array<std::uint8_t, 1> commandByte{command};
  int r = SendBlock(commandByte);
  if (r == kLinkOk && replyKind == kServiceReplyPattern) clock_.DelayMs(kPauseBeforePatternReply);
  if (r == kLinkOk) r = ReceiveBlock(reply);
  if (r == kLinkOk && twoByteReply) {
    const std::array<std::uint8_t, 1> release{kServiceRelease};
    r = SendBlock(release);
  }
  int result = kLinkOk;
  if (r != kLinkOk) {
    result = ui_.ShowError(r);
  } else if (reply[0] != kServiceAcknowledge) {
    ui_.ShowError(kLinkNoAcknowledge);
  }
  transport_.Close();
  return result;
}

}  // namespace rer
