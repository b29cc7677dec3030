// rer-cli identify --port PORT [--retries N] [--scenario FILE.json]
// Wakes the pager on PORT and prints its model code, firmware version and the
// firmware flags that are set. PORT is a serial device path, or "sim" /
// "sim:0x81" for a simulated pager inside the process (virtual time).

#include <iostream>
#include <memory>
#include <optional>

#include "cli/args.h"
#include "cli/commands.h"
#include "comm/real_clock.h"
#include "comm/tdcomm.h"
#include "comm/virtual_clock.h"
#include "core/scripted_user_interface.h"
#include "pager/link_engine.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"

#include <QCoreApplication>

namespace rer::cli {
namespace {

constexpr const char* kUsage =
    "usage: rer-cli identify --port PORT [--retries N] [--scenario FILE]";
constexpr const char* kSimPort = "sim";

// Answers questions from the options and shows every box on stderr.
class CommandLineUserInterface : public ScriptedUserInterface {
 public:
  int ShowMessageBox(const MessageBox& box) override {
    std::cerr << box.text;
    if (!box.text.empty() && box.text.back() != '\n') std::cerr << "\n";
    return ScriptedUserInterface::ShowMessageBox(box);
  }
};

std::string HexByte(std::uint8_t value) {
  static const char* digits = "0123456789abcdef";
  return std::string("0x") + digits[value >> 4] + digits[value & 0xF];
}

// "sim" or "sim:CODE": the simulated pager's scenario; nullopt for a device.
std::optional<SimScenario> SimulatedPort(const std::string& port, const Args& args,
                                         std::string& error) {
  if (port != kSimPort && port.rfind(std::string(kSimPort) + ":", 0) != 0) return std::nullopt;
  SimScenario scenario;
  if (const auto file = args.value("scenario")) {
    const auto loaded = LoadSimScenario(*file, error);
    if (!loaded) return std::nullopt;
    scenario = *loaded;
  }
  if (port.size() > 3) {
    const auto code = ParseNumber(port.substr(4));
    if (!code || *code < 0 || *code > 0xFF) {
      error = "identify: bad model code in " + port;
      return std::nullopt;
    }
    scenario.modelCode = static_cast<std::uint8_t>(*code);
  }
  return scenario;
}

void PrintIdentity(const LinkState& state) {
  std::cout << "model " << HexByte(state.ModelCode) << "\n";
  std::cout << "firmware \"" << state.FirmwareVersion << "\"\n";
  std::cout << "flags";
  const auto names = SetFirmwareFlagNames(state);
  if (names.empty()) std::cout << " none";
  for (const auto& name : names) std::cout << " " << name;
  std::cout << "\n";
}

}  // namespace

int RunIdentifyCommand(const CommandArgs& words) {
  Args args(words, {"port", "retries", "scenario"}, {});
  const auto retries = args.number("retries");
  const auto port = args.value("port");
  if (!args.ok() || !port || !args.positional().empty() || (retries && *retries < 0)) {
    std::cerr << (args.ok() ? kUsage : args.error()) << "\n";
    return 2;
  }

  CommandLineUserInterface ui;
  ui.defaultAnswer = kResultNo;
  for (long i = 0; i < retries.value_or(0); ++i) ui.answers.push_back(kResultYes);

  LinkState state;
  std::array<std::uint8_t, kLinkImageBufferSize> image{};
  std::array<std::uint8_t, kLinkImageBufferSize> pagerCopy{};
  std::string error;
  const auto scenario = SimulatedPort(*port, args, error);
  if (!error.empty()) {
    std::cerr << error << "\n";
    return 2;
  }

  int result = 0;
  if (scenario) {
    SimPager pager(*scenario);
    VirtualClock clock;
    SimTransport transport(pager, clock, &ui);
    PagerLink link(transport, clock, ui, state, image, pagerCopy);
    result = link.Identify();
  } else {
    // The serial port wants an application object for its notifiers.
    int argc = 1;
    char name[] = "rer-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    TDComm serial(&ui);
    serial.SetPortName(*port);
    RealClock clock;
    PagerLink link(serial, clock, ui, state, image, pagerCopy);
    result = link.Identify();
  }

  if (result != kLinkOk) {
    // The port driver has already said why it could not open the port.
    if (result != kLinkPortNotOpened) ui.ShowError(result);
    return 1;
  }
  PrintIdentity(state);
  return 0;
}

}  // namespace rer::cli
