// rer-cli identify --port PORT [--retries N] [--scenario FILE.json]
// Wakes the pager on PORT and prints its model code, firmware version and the
// firmware flags that are set. PORT is a serial device path, or "sim" /
// "sim:0x81" for a simulated pager inside the process (virtual time).

#include <iostream>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/session_port.h"
#include "pager/link_engine.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage =
    "usage: rer-cli identify --port PORT [--retries N] [--scenario FILE]";

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
  const auto session = OpenSessionPort(*port, args, ui, error);
  if (!session) {
    std::cerr << "identify: " << error << "\n";
    return 2;
  }
  PagerLink link(session->transport(), session->clock(), ui, state, image, pagerCopy);
  const int result = link.Identify();

  if (result != kLinkOk) {
    // The port driver has already said why it could not open the port.
    if (result != kLinkPortNotOpened) ui.ShowError(result);
    return 1;
  }
  PrintIdentity(state);
  return 0;
}

}  // namespace rer::cli
