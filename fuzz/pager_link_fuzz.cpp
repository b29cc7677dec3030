// Plays the pager's side of the link from the fuzz input against the read
// and program sequences: every byte the PC reads (echo, reply, image) and
// every time-out is the fuzzer's choice. Whatever the pager does, a run must
// end, must not fault, and must never report a program as done unless the
// whole image went out on the line.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comm/transport.h"
#include "comm/virtual_clock.h"
#include "core/scripted_user_interface.h"
#include "demo_editor.h"
#include "pager/codeplug_files.h"
#include "pager/link_engine.h"
#include "pager/pager_session.h"
#include "pager/password_state.h"
#include "pager/program_pager.h"
#include "pager/read_pager.h"
#include "service/serial_partition.h"
#include "sim/demo_codeplug.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"

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

using rer::fuzz::EditorHolding;

// One read or program run as `setup` chooses it, against `pager`. The
// operation is in bit 0, the editor's codeplug model in bits 1-4 and the
// number of questions answered Yes in bits 5-6.
struct RunResult {
  bool program = false;
  int result = 0;
  bool familyKnown = false;
};

RunResult RunSequence(std::uint8_t setup, rer::Transport& pager, rer::VirtualClock& clock) {
  RunResult run;
  run.program = setup & 1;
  const std::uint8_t model = kModels[(setup >> 1) % std::size(kModels)];
  const int yesAnswers = (setup >> 5) & 3;

  rer::ScriptedUserInterface ui;
  for (int i = 0; i < yesAnswers; ++i) ui.answers.push_back(rer::kResultYes);
  ui.passwords = {"PAGER", "LOCAL", "SECURE", "OTA"};
  ui.serialPartitions = {rer::UserInterface::SerialPartitionEntry{"FUZZ000001", 2}};

  auto session = std::make_unique<rer::PagerSession>();
  if (run.program) *session = EditorHolding(model);
  rer::PasswordChecks checks(session->passwords, ui, clock);
  rer::PagerLink link(pager, clock, ui, session->link, session->image.Bytes(),
                      session->pagerCopy.Bytes());
  if (!run.program) {
    run.result = rer::ReadPager(*session, link, checks, ui);
  } else {
    rer::ProgramSteps steps;
    steps.enterSerialNumber = [](rer::PagerSession& s, rer::UserInterface& entryUi) {
      return rer::EnterSerialAndPartition(s, entryUi);
    };
    run.result = rer::ProgramPager(*session, link, checks, ui, clock, std::move(steps));
  }
  run.familyKnown = rer::FamilyOfModel(session->link.ModelCode).has_value();
  return run;
}

// Seeds: the replies of the simulated pager to a working read and program,
// written in the input's own encoding, so that the fuzzer starts from runs
// that reach the image and the write.
class RecordingPager : public rer::Transport {
 public:
  RecordingPager(rer::SimPager& pager, rer::VirtualClock& clock) : sim_(pager, clock) {}
  void SetLinkSpeed(std::uint8_t code, bool handshake) override {
    sim_.SetLinkSpeed(code, handshake);
  }
  int BaudRate() const override { return sim_.BaudRate(); }
  bool Open() override { return sim_.Open(); }
  bool Close() override { return sim_.Close(); }
  bool IsOpen() const override { return sim_.IsOpen(); }
  bool ReadByte(std::uint8_t& byte) override {
    if (!sim_.ReadByte(byte)) {
      input.push_back(kTimeOut);
      return false;
    }
    if (lastWritten_ && *lastWritten_ == byte) {
      input.push_back(kEcho);
    } else if (byte <= kRaw) {
      input.push_back(kRaw);
      input.push_back(byte);
    } else {
      input.push_back(byte);
    }
    lastWritten_.reset();
    return true;
  }
  bool WriteByte(std::uint8_t byte) override {
    lastWritten_ = byte;
    return sim_.WriteByte(byte);
  }
  bool Purge() override { return sim_.Purge(); }

  std::vector<std::uint8_t> input;

 private:
  rer::SimTransport sim_;
  std::optional<std::uint8_t> lastWritten_;
};

void WriteSeeds(const std::string& folder) {
  for (std::size_t m = 0; m < std::size(kModels); ++m) {
    for (const bool program : {false, true}) {
      const auto setup = static_cast<std::uint8_t>((m << 1) | (program ? 1 : 0));
      rer::SimPager sim(rer::DemoScenario(kModels[m]));
      rer::VirtualClock clock;
      RecordingPager recorder(sim, clock);
      const RunResult recorded = RunSequence(setup, recorder, clock);
      std::vector<std::uint8_t> input{setup};
      input.insert(input.end(), recorder.input.begin(), recorder.input.end());
      // The seed must replay to the same result, or it seeds nothing.
      rer::VirtualClock replayClock;
      FuzzedPager replay(input.data() + 1, input.size() - 1, replayClock);
      const RunResult replayed = RunSequence(setup, replay, replayClock);
      std::fprintf(stderr, "seed model 0x%02X %s: recorded %d, replayed %d, %zu bytes\n",
                   kModels[m], program ? "program" : "read", recorded.result, replayed.result,
                   input.size());
      const std::string path =
          folder + "/" + (program ? "program_" : "read_") + std::to_string(kModels[m]);
      if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(input.data(), 1, input.size(), file);
        std::fclose(file);
      }
    }
  }
}

}  // namespace

// With RER_FUZZ_WRITE_SEEDS=FOLDER set, writes the seed inputs and stops.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (const char* folder = std::getenv("RER_FUZZ_WRITE_SEEDS")) {
    WriteSeeds(folder);
    std::exit(0);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  rer::VirtualClock clock;
  FuzzedPager pager(data + 1, size - 1, clock);
  const RunResult run = RunSequence(data[0], pager, clock);
  // A read that succeeded holds a codeplug of a family we know.
  if (!run.program && run.result == rer::kSuccess && !run.familyKnown) std::abort();
  // Done means the whole image went out: a 1 KB codeplug at the least.
  if (run.program && run.result == rer::kSuccess && pager.written() < 1024) {
    std::abort();
  }
  return 0;
}
