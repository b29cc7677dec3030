// rer-cli: the pager programming core without windows. The commands, their
// usage and help live in the command table (command_table.cpp).

#include <iostream>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "cli/exit_codes.h"
#include "cli/help_text.h"
#include "rer_version.h"

namespace {

bool IsHelpWord(const std::string& word) {
  return word == "help" || word == "--help" || word == "-h";
}

// `rer-cli help [COMMAND]`.
int RunHelp(const std::vector<std::string>& args) {
  if (args.empty()) {
    rer::cli::PrintCommandList(std::cout);
    return rer::cli::kExitSuccess;
  }
  const rer::cli::CommandEntry* command = rer::cli::FindCommand(args.front());
  if (args.size() > 1 || !command) {
    std::cerr << "rer-cli: no command '" << args.front() << "' to describe\n";
    rer::cli::PrintCommandList(std::cerr);
    return rer::cli::kExitUsage;
  }
  rer::cli::PrintCommandHelp(std::cout, *command);
  return rer::cli::kExitSuccess;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    rer::cli::PrintCommandList(std::cerr);
    return rer::cli::kExitUsage;
  }
  const std::string name = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (name == "--version" || name == "-V") {
    std::cout << "rer-cli " << rer::kProgramVersion << "\n";
    return rer::cli::kExitSuccess;
  }
  if (IsHelpWord(name)) return RunHelp(args);
  const rer::cli::CommandEntry* command = rer::cli::FindCommand(name);
  if (!command) {
    std::cerr << "rer-cli: unknown command '" << name << "'\n";
    rer::cli::PrintCommandList(std::cerr);
    return rer::cli::kExitUsage;
  }
  // "rer-cli read --help" is the same as "rer-cli help read".
  if (args.size() == 1 && (args.front() == "--help" || args.front() == "-h")) {
    return RunHelp({name});
  }
  return command->run(args);
}
