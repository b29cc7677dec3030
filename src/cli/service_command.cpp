// rer-cli service --port PORT COMMAND [--retries N] [--scenario FILE]
// Sends one test-mode command to the pager and prints what it answered: the
// key name for the key test, the pattern character for the RAM test, "ok"
// for the others. A pager that does not acknowledge fails the command.

#include <iostream>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/session_port.h"
#include "core/text.h"
#include "pager/link_engine.h"
#include "service/service_dialog_logic.h"

namespace rer::cli {
namespace {

std::string UsageText() {
  std::string words;
  for (const ServiceTestRow& test : ServiceTests()) {
    if (!test.commandWord) continue;
    words += words.empty() ? "" : "|";
    words += test.commandWord;
  }
  return "usage: rer-cli service --port PORT " + words + " [--retries N] [--scenario FILE]";
}

}  // namespace

int RunServiceCommand(const CommandArgs& words) {
  Args args(words, {"port", "retries", "scenario"}, {});
  const auto retries = args.number("retries");
  const auto port = args.value("port");
  const ServiceTestRow* test =
      args.positional().size() == 1 ? ServiceTestOfWord(args.positional()[0]) : nullptr;
  if (!args.ok() || !port || !test || (retries && *retries < 0)) {
    std::cerr << (args.ok() ? UsageText() : args.error()) << "\n";
    return kExitUsage;
  }

  CommandLineUserInterface ui;
  ui.defaultAnswer = kResultNo;
  for (long i = 0; i < retries.value_or(0); ++i) ui.answers.push_back(kResultYes);

  std::string error;
  const auto session = OpenSessionPort(*port, args, ui, error);
  if (!session) {
    std::cerr << "service: " << error << "\n";
    return kExitUsage;
  }
  LinkState state;
  std::array<std::uint8_t, kLinkImageBufferSize> image{};
  std::array<std::uint8_t, kLinkImageBufferSize> pagerCopy{};
  PagerLink link(session->transport(), session->clock(), ui, state, image, pagerCopy);
  // The link shows every failure itself (on stderr here); a reply without
  // its acknowledge is one too, although the window goes on after it.
  const ServiceTestOutcome outcome =
      RunServiceTest(*test, [&](std::uint8_t command, std::vector<std::uint8_t>& reply, int kind) {
        return link.SendServiceCommand(command, reply, kind);
      });
  if (!outcome.acknowledged) return kExitFailure;
  std::string shown = outcome.shown.value_or("ok");
  // Key names are blank-padded for the dialog's field; a script wants the name.
  if (test->shown == ServiceReplyShown::KeyName) shown = TrimRight(shown);
  std::cout << shown << "\n";
  return kExitSuccess;
}

}  // namespace rer::cli
