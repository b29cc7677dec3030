// Throughput of the serial driver against a pseudo-terminal peer that echoes
// every byte and then answers it, as the cradle and the pager do, next to a
// bare termios loop doing the same exchange on the same kind of line. The
// driver's per-byte cost should stay within 1.25 times that of the bare loop.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "comm/pseudo_terminal.h"
#include "comm/tdcomm.h"

namespace {

constexpr int kLimitMs = 500;  // the driver's per-byte limit, kept by both loops
constexpr double kAllowedRatio = 1.25;

// Echoes each byte and follows it with its complement.
class CradlePeer {
 public:
  explicit CradlePeer(int masterFd) : fd_(masterFd), thread_([this] { Run(); }) {}
  ~CradlePeer() {
    stop_ = true;
    thread_.join();
  }

 private:
  void Run() {
    while (!stop_) {
      pollfd watch{fd_, POLLIN, 0};
      if (poll(&watch, 1, 20) <= 0) continue;
      std::uint8_t byte = 0;
      if (read(fd_, &byte, 1) != 1) return;
      const std::uint8_t reply = static_cast<std::uint8_t>(~byte);
      if (write(fd_, &byte, 1) != 1 || write(fd_, &reply, 1) != 1) return;
    }
  }

  int fd_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

bool BareReadByte(int fd, std::uint8_t& byte) {
  pollfd watch{fd, POLLIN, 0};
  return poll(&watch, 1, kLimitMs) == 1 && read(fd, &byte, 1) == 1;
}

bool BareWriteByte(int fd, std::uint8_t byte) {
  pollfd watch{fd, POLLOUT, 0};
  return poll(&watch, 1, kLimitMs) == 1 && write(fd, &byte, 1) == 1;
}

void BM_BareTermiosLoop(benchmark::State& state) {
  auto pty = rer::PseudoTerminal::Create();
  if (!pty) return state.SkipWithError("no pseudo-terminal");
  const int fd = open(pty->slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  termios mode{};
  tcgetattr(fd, &mode);
  cfmakeraw(&mode);
  cfsetspeed(&mode, B57600);
  tcsetattr(fd, TCSANOW, &mode);
  CradlePeer peer(pty->masterFd());
  std::uint8_t value = 0;
  for (auto _ : state) {
    std::uint8_t echo = 0;
    std::uint8_t reply = 0;
    if (!BareWriteByte(fd, value) || !BareReadByte(fd, echo) || !BareReadByte(fd, reply) ||
        echo != value || reply != static_cast<std::uint8_t>(~value)) {
      state.SkipWithError("exchange failed");
      break;
    }
    ++value;
  }
  state.SetBytesProcessed(state.iterations());
  close(fd);
}

void BM_TDCommLoop(benchmark::State& state) {
  auto pty = rer::PseudoTerminal::Create();
  if (!pty) return state.SkipWithError("no pseudo-terminal");
  rer::TDComm comm(nullptr);
  comm.SetPortName(pty->slavePath());
  comm.SetLinkSpeed(rer::kSpeed57600, false);
  if (!comm.Open()) return state.SkipWithError("open failed");
  CradlePeer peer(pty->masterFd());
  std::uint8_t value = 0;
  for (auto _ : state) {
    std::uint8_t echo = 0;
    std::uint8_t reply = 0;
    if (!comm.WriteByte(value) || !comm.ReadByte(echo) || !comm.ReadByte(reply) || echo != value ||
        reply != static_cast<std::uint8_t>(~value)) {
      state.SkipWithError("exchange failed");
      break;
    }
    ++value;
  }
  state.SetBytesProcessed(state.iterations());
  comm.Close();
}

// The exchange is dominated by thread wake-ups, so the figures move with the
// machine's load: repeat, interleave the two loops, and compare medians.
BENCHMARK(BM_BareTermiosLoop)->MinTime(0.5)->Repetitions(8)->ReportAggregatesOnly()->UseRealTime();
BENCHMARK(BM_TDCommLoop)->MinTime(0.5)->Repetitions(8)->ReportAggregatesOnly()->UseRealTime();

// Keeps the rates so that the ratio can be printed after the runs.
class RateReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const auto found = run.counters.find("bytes_per_second");
      if (run.aggregate_name == "median" && found != run.counters.end()) {
        rates[run.run_name.function_name] = found->second.value;
      }
    }
  }
  std::map<std::string, double> rates;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // QSerialPort's notifiers want one
  // Interleaving spreads a change of load evenly over both loops.
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int argCount = static_cast<int>(args.size());
  benchmark::Initialize(&argCount, args.data());
  RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double bare = reporter.rates["BM_BareTermiosLoop"];
  const double driver = reporter.rates["BM_TDCommLoop"];
  if (bare > 0 && driver > 0) {
    const double ratio = bare / driver;  // per-byte cost of the driver over the bare loop
    std::printf("median rates: bare termios loop %.0f bytes/s, TDComm loop %.0f bytes/s\n", bare,
                driver);
    std::printf("per-byte cost ratio TDComm / bare: %.3f (limit %.2f) %s\n", ratio, kAllowedRatio,
                ratio <= kAllowedRatio ? "OK" : "TOO SLOW");
  }
  benchmark::Shutdown();
  return 0;
}
