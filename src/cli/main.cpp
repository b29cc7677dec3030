// rer-cli: the pager programming core without windows.

#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

struct Command {
  const char* name;
  const char* usage;
  int (*run)(const rer::cli::CommandArgs&);
};

const Command kCommands[] = {
    {"message", "message CODE [--attempts-left N] [--secure-wrong N] [--question]",
     rer::cli::RunMessageCommand},
    {"identify", "identify --port PORT|sim[:MODEL] [--retries N] [--scenario FILE]",
     rer::cli::RunIdentifyCommand},
    {"sim", "sim --link PATH [--model 0x84] [--firmware \" R0501\"] [--scenario FILE] [--log FILE]",
     rer::cli::RunSimCommand},
    {"read",
     "read --port PORT|sim[:MODEL] -o FILE.cp [--password P] [--local-password P] [--retries N] "
     "[--scenario FILE]",
     rer::cli::RunReadCommand},
    {"program",
     "program --port PORT|sim[:MODEL] FILE.cp [--sequential N] [--no-wait] [--log RUN.csv] "
     "[--password P] [--local-password P] [--secure-password P] [--ota-password P] "
     "[--serial S --partition I] [--yes|--no] [--retries N] [--scenario FILE]",
     rer::cli::RunProgramCommand},
    {"dump", "dump FILE.cp [--format json|text]", rer::cli::RunDumpCommand},
    {"apply", "apply BASE.cp SETTINGS.json -o OUT.cp", rer::cli::RunApplyCommand},
    {"tone", "tone (--pattern N | --melody HEX32 | --note INDEX) -o FILE.wav",
     rer::cli::RunToneCommand},
};

int PrintHelp(std::ostream& out) {
  out << "usage: rer-cli COMMAND [ARGS]\ncommands:\n";
  for (const auto& command : kCommands) out << "  " << command.usage << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintHelp(std::cerr);
    return 2;
  }
  const std::string name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") return PrintHelp(std::cout);
  const std::vector<std::string> args(argv + 2, argv + argc);
  for (const auto& command : kCommands) {
    if (name == command.name) return command.run(args);
  }
  std::cerr << "rer-cli: unknown command '" << name << "'\n";
  PrintHelp(std::cerr);
  return 2;
}
