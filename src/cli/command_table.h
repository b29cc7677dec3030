#pragma once
// The commands of rer-cli: one row per command holds its name, its usage,
// what it does, its options and examples, and the function that runs it.
// `rer-cli help`, `rer-cli help COMMAND` and the manual page are all printed
// from these rows, so a new command is described in its row and nowhere else.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace rer::cli {

struct CommandOption {
  const char* form;  // as typed: "--port PORT|sim[:MODEL]", "FILE.cp"
  const char* text;  // what it means
};

struct CommandEntry {
  const char* name;
  const char* arguments;  // the usage after the name
  const char* summary;    // one sentence: what the command does
  std::vector<CommandOption> options;
  std::vector<const char*> examples;  // whole command lines
  int (*run)(const CommandArgs&);

  // "read --port PORT|sim[:MODEL] -o FILE.cp ..."
  std::string Usage() const;
};

std::span<const CommandEntry> Commands();

// The row of `name`, or nullptr.
const CommandEntry* FindCommand(std::string_view name);

}  // namespace rer::cli
