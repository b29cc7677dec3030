// rer-cli message CODE [--attempts-left N] [--secure-wrong N] [--question]
// Prints the box a result code shows: its title (or caption) on the first
// line, then the text exactly as composed.

#include <iostream>

#include "cli/args.h"
#include "cli/commands.h"
#include "core/messages.h"

namespace rer::cli {

int RunMessageCommand(const CommandArgs& words) {
  Args args(words, {"attempts-left", "secure-wrong"}, {"question"});
  MessageContext context;
  if (const auto n = args.number("attempts-left")) context.attemptsLeft = static_cast<int>(*n);
  if (const auto n = args.number("secure-wrong")) context.secureWrongCount = static_cast<int>(*n);
  if (!args.ok() || args.positional().size() != 1) {
    std::cerr << (args.ok() ? "usage: rer-cli message CODE [--attempts-left N] "
                              "[--secure-wrong N] [--question]"
                            : args.error())
              << "\n";
    return 2;
  }
  const auto code = ParseNumber(args.positional()[0]);
  if (!code) {
    std::cerr << "message: not a code: " << args.positional()[0] << "\n";
    return 2;
  }
  const int value = static_cast<int>(*code);
  const MessageBox box =
      args.has("question") ? ComposeQuestion(value) : ComposeError(value, context);
  // Captions such as "** WARNING **\n" carry their own line break; the
  // first line shows the caption without it.
  std::string title = box.title;
  while (!title.empty() && title.back() == '\n') title.pop_back();
  std::cout << title << "\n" << box.text << "\n";
  return 0;
}

}  // namespace rer::cli
