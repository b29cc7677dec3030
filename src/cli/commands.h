#pragma once
// One function per rer-cli command. Each takes the words after the command
// name and returns the process exit code.

#include <string>
#include <vector>

namespace rer::cli {

using CommandArgs = std::vector<std::string>;

int RunMessageCommand(const CommandArgs& args);
int RunIdentifyCommand(const CommandArgs& args);
int RunSimCommand(const CommandArgs& args);
int RunProgramCommand(const CommandArgs& args);
int RunReadCommand(const CommandArgs& args);
int RunDumpCommand(const CommandArgs& args);
int RunApplyCommand(const CommandArgs& args);
int RunDiffCommand(const CommandArgs& args);
int RunToneCommand(const CommandArgs& args);
int RunReportCommand(const CommandArgs& args);
int RunServiceCommand(const CommandArgs& args);
int RunHistoryCommand(const CommandArgs& args);

}  // namespace rer::cli
