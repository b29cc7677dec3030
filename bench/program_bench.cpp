// A whole 4 KB program sequence (read before program, checks, encode, write,
// clock, and the read-back verify when it is on) against the simulated pager
// in virtual time. The protocol's own
// pauses are counted in virtual milliseconds; everything the host does on
// top of them is measured in real time, and must stay under 5 % of the
// pauses so that a run is as quick as the pager allows.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "comm/virtual_clock.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pager/link_engine.h"
#include "pager/pager_session.h"
#include "pager/program_pager.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"
#include "synth/synth_area.h"

namespace {

using namespace rer;

constexpr double kAllowedShare = 0.05;

// Counts the pauses the sequence and the link ask for, and moves the shared
// virtual clock by them.
class PauseCountingClock : public Clock {
 public:
  explicit PauseCountingClock(VirtualClock& clock) : clock_(clock) {}
  std::int64_t TickMs() override { return clock_.TickMs(); }
  void DelayMs(std::int64_t ms) override {
    if (ms > 0) pausesMs += ms;
    clock_.DelayMs(ms);
  }
  LocalDateTime Now() override { return clock_.Now(); }

  std::int64_t pausesMs = 0;

 private:
  VirtualClock& clock_;
};

// A 4 KB pager whose codeplug the editor already holds.
std::vector<std::uint8_t> PagerImage() {
  std::vector<std::uint8_t> image(4096);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 13 + 5);
  image[0x0000] = 0;
  image[0x0001] = 0x84;
  image[0x0012] = 0;     // no local or secure password
  image[0x0032] = 0x08;  // no OTA password
  image[0x024D] = 0x14;
  image[0x024E] = 0x51;
  image[SynthAreaOf(SynthFamily::k4K).bandByte] = 0x01;
  image[SynthAreaOf(SynthFamily::k4K).refByte] = 0;
  return image;
}

struct Split {
  std::int64_t pausesMs = 0;
  std::int64_t lineMs = 0;
  double hostMs = 0;
};

Split RunOnce(bool verify) {
  SimScenario scenario;
  scenario.image = PagerImage();
  SimPager pager(scenario);
  VirtualClock clock;
  PauseCountingClock pauses(clock);
  ScriptedUserInterface ui;
  SimTransport transport(pager, clock, &ui);
  PagerSession session;
  std::copy(scenario.image.begin(), scenario.image.end(), session.image.Bytes().begin());
  session.readModelWord = 0x84;
  session.settings.SetText("ed_frequency", "145.0000");
  session.settings.SetItem("cb_freqBand", 1);
  session.settings.SetText(AddressControl::Capcode, 1, "0001000");
  PagerLink link(transport, pauses, ui, session.link, session.image.Bytes(),
                 session.pagerCopy.Bytes());
  PasswordChecks checks(session.passwords, ui, pauses);

  const auto start = std::chrono::steady_clock::now();
  ProgramSequence sequence(session, link, checks, ui, pauses);
  sequence.SetVerifyAfterWrite(verify);
  const int result = sequence.ProgramPager();
  const auto stop = std::chrono::steady_clock::now();
  if (result != kSuccess || pager.record().clockPayload.empty() ||
      sequence.lastVerify().Passed() != verify) {
    std::fprintf(stderr, "program sequence failed: %d\n", result);
    std::abort();
  }
  Split split;
  split.pausesMs = pauses.pausesMs;
  split.lineMs = clock.ElapsedMs() - pauses.pausesMs;
  split.hostMs = std::chrono::duration<double, std::milli>(stop - start).count();
  return split;
}

void BM_Program4KSequence(benchmark::State& state) {
  Split split;
  for (auto _ : state) {
    split = RunOnce(state.range(0) != 0);
    benchmark::DoNotOptimize(split);
  }
  state.counters["pauses_ms"] = static_cast<double>(split.pausesMs);
  state.counters["line_ms"] = static_cast<double>(split.lineMs);
  state.counters["host_ms"] = split.hostMs;
  state.counters["host_share"] = split.hostMs / static_cast<double>(split.pausesMs);
}
BENCHMARK(BM_Program4KSequence)->ArgName("verify")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const Split plain = RunOnce(false);
  const Split split = RunOnce(true);
  const double share = split.hostMs / static_cast<double>(split.pausesMs);
  std::printf("without verify: pauses %lld ms, line %lld ms, total %lld ms\n",
              static_cast<long long>(plain.pausesMs), static_cast<long long>(plain.lineMs),
              static_cast<long long>(plain.pausesMs + plain.lineMs));
  std::printf(
      "with verify:    pauses %lld ms, line %lld ms, total %lld ms (verify adds %lld ms)\n",
      static_cast<long long>(split.pausesMs), static_cast<long long>(split.lineMs),
      static_cast<long long>(split.pausesMs + split.lineMs),
      static_cast<long long>(split.pausesMs + split.lineMs - plain.pausesMs - plain.lineMs));
  std::printf(
      "everything the host does besides, with verify: %.3f ms (%.3f %% of the pauses, "
      "limit %.0f %%)\n",
      split.hostMs, share * 100, kAllowedShare * 100);
  return share < kAllowedShare ? 0 : 1;
}
