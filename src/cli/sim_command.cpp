// rer-cli sim --link PATH [--model 0x84] [--firmware " R0501"] [--scenario FILE.json]
//             [--log FILE]
// A simulated pager on a pseudo-terminal: PATH becomes a link to the side a
// program opens as its serial port. Serves in real time until interrupted;
// --log writes one JSON line per operation the pager carries out.

#include <atomic>
#include <csignal>
#include <fstream>
#include <iostream>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/session_port.h"
#include "sim/sim_pager.h"

#ifndef _WIN32
#include "comm/pseudo_terminal.h"
#include "sim/sim_server.h"
#endif

namespace rer::cli {
namespace {

constexpr const char* kUsage =
    "usage: rer-cli sim --link PATH [--model 0x84] [--firmware \" R0501\"] "
    "[--scenario FILE.json] [--log FILE]";

#ifndef _WIN32
std::atomic<bool> stopRequested{false};

extern "C" void RequestStop(int) {
  stopRequested.store(true);
}
#endif

}  // namespace

int RunSimCommand(const CommandArgs& words) {
  Args args(words, {"link", "model", "firmware", "scenario", "log"}, {});
  const auto model = args.number("model");
  const auto link = args.value("link");
  if (!args.ok() || !link || !args.positional().empty() ||
      (model && (*model < 0 || *model > 255))) {
    std::cerr << (args.ok() ? kUsage : args.error()) << "\n";
    return 2;
  }
#ifdef _WIN32
  std::cerr << "sim: pseudo-terminals are not available on this system\n";
  return 1;
#else
  std::string error;
  const auto loaded = SimulatedPagerScenario(
      args.value("scenario"),
      model ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(*model)) : std::nullopt, error);
  if (!loaded) {
    std::cerr << "sim: " << error << "\n";
    return 2;
  }
  SimScenario scenario = *loaded;
  if (const auto firmware = args.value("firmware")) scenario.firmware = *firmware;

  std::ofstream log;
  if (const auto logPath = args.value("log")) {
    log.open(*logPath, std::ios::app);
    if (!log) {
      std::cerr << "sim: cannot write " << *logPath << "\n";
      return 1;
    }
  }

  const auto terminal = PseudoTerminal::Create(*link);
  if (!terminal) {
    std::cerr << "sim: cannot create a pseudo-terminal at " << *link << "\n";
    return 1;
  }
  SimPager pager(scenario);
  if (log.is_open()) {
    pager.SetOperationListener([&log](const std::string& line) { log << line << std::endl; });
  }

  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  std::cout << "sim: pager 0x" << std::hex << static_cast<int>(scenario.modelCode) << std::dec
            << " on " << *link << " -> " << terminal->slavePath() << std::endl;
  SimServer server(pager, terminal->masterFd());
  const bool clean = server.Serve(stopRequested);
  std::cout << "sim: stopped" << std::endl;
  return clean ? 0 : 1;
#endif
}

}  // namespace rer::cli
