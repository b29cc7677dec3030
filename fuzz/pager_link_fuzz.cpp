// Plays the pager's side of the link from the fuzz input against the read
// and program sequences: every byte the PC reads (echo, reply, image) and
// every time-out is the fuzzer's choice. Whatever the pager does, a run must
// end, must not fault, and must never report a program as done unless the
// whole image went out on the line.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "comm/transport.h"
#include "comm/virtual_clock.h"
#include "core/scripted_user_interface.h"
#include "pager/codeplug_files.h"
#include "pager/link_engine.h"
#include "pager/pager_session.h"
#include "pager/password_state.h"
#include "pager/program_pager.h"
#include "pager/read_pager.h"
#include "service/serial_partition.h"
#include "sim/demo_codeplug.h"

namespace {

constexpr std::int64_t kReadLimitMs = 500;
constexpr std::int64_t kByteTimeMs = 2;
// Reads in one run beyond which the pager falls silent: enough for a whole
// 4 KB image and its frames many times over, and a bound on the run.
constexpr std::size_t kMostReads = 40000;

// What each read of the PC takes from the input.
enum Control : std::uint8_t {
  kTimeOut = 0,  // nothing arrives within the limit
  kEcho = 1,     // the echo of the byte last written, as a working pager sends it
  kRaw = 2,      // the next input byte, whatever it is
  // any other value arrives as itself
};

class FuzzedPager : public rer::Transport {
 public:
  FuzzedPager(const std::uint8_t* data, std::size_t size, rer::VirtualClock& clock)
      : data_(data), size_(size), clock_(clock) {}

  void SetLinkSpeed(std::uint8_t, bool) override {}
  int BaudRate() const override { return 4800; }
  bool Open() override { return open_ = true; }
  bool Close() override {
    const bool was = open_;
    open_ = false;
    return was;
  }
  bool IsOpen() const override { return open_; }
  bool ReadByte(std::uint8_t& byte) override {
    if (at_ >= size_ || ++reads_ > kMostReads) return TimeOut();
    const std::uint8_t control = data_[at_++];
    switch (control) {
      case kTimeOut:
        return TimeOut();
      case kEcho:
        if (!lastWritten_) return TimeOut();
        byte = *lastWritten_;
        lastWritten_.reset();
        break;
      case kRaw:
        if (at_ >= size_) return TimeOut();
        byte = data_[at_++];
        break;
      default:
        byte = control;
    }
    clock_.Advance(kByteTimeMs);
    return true;
  }
  bool WriteByte(std::uint8_t byte) override {
    lastWritten_ = byte;
    ++written_;
    clock_.Advance(kByteTimeMs);
    return true;
  }
  bool Purge() override { return true; }

  std::size_t written() const { return written_; }

 private:
  bool TimeOut() {
    clock_.Advance(kReadLimitMs);
    return false;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  std::size_t reads_ = 0;
  std::size_t written_ = 0;
  std::optional<std::uint8_t> lastWritten_;
  rer::VirtualClock& clock_;
  bool open_ = false;
};

constexpr std::uint8_t kModels[] = {0x84, 0x88, 0xD0, 0xD1, 0x81, 0x89, 0xC0};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // First byte: the operation, the editor's codeplug family and how many
  // questions are answered Yes; the rest is the pager.
  const std::uint8_t setup = data[0];
  const bool program = setup & 1;
  const std::uint8_t model = kModels[(setup >> 1) % std::size(kModels)];
  const int yesAnswers = (setup >> 5) & 3;

  rer::VirtualClock clock;
  FuzzedPager pager(data + 1, size - 1, clock);
  rer::ScriptedUserInterface ui;
  for (int i = 0; i < yesAnswers; ++i) ui.answers.push_back(rer::kResultYes);
  ui.passwords = {"PAGER", "LOCAL", "SECURE", "OTA"};
  ui.serialPartitions = {rer::UserInterface::SerialPartitionEntry{"FUZZ000001", 2}};

  auto session = std::make_unique<rer::PagerSession>();
  rer::PasswordChecks checks(session->passwords, ui, clock);
  rer::PagerLink link(pager, clock, ui, session->link, session->image.Bytes(),
                      session->pagerCopy.Bytes());

  if (!program) {
    const int result = rer::ReadPager(*session, link, checks, ui);
    // A read that succeeded holds a codeplug of a family we know.
    if (result == rer::kReadOk && !rer::FamilyOfModel(session->link.ModelCode)) std::abort();
    return 0;
  }

  // The editor holds the demonstration codeplug of one family.
  const auto image = rer::DemoCodeplugImage(model);
  std::copy(image.begin(), image.end(), session->image.Bytes().begin());
  session->link.ModelWord = model;
  session->link.ModelCode = model;
  session->readModelWord = model;
  if (rer::DecodeSessionImage(*session) != rer::kDecodeOk) std::abort();

  rer::ProgramSteps steps;
  steps.enterSerialNumber = [](rer::PagerSession& s, rer::UserInterface& entryUi) {
    return rer::EnterSerialAndPartition(s, entryUi);
  };
  const int result = rer::ProgramPager(*session, link, checks, ui, clock, std::move(steps));
  // Done means the whole image went out: a 1 KB codeplug at the least.
  if (result == rer::kProgramSucceeded && pager.written() < 1024) std::abort();
  return 0;
}
