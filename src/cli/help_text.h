#pragma once
// What rer-cli tells about itself: the list of commands, one command's
// help, and the manual page, all printed from the command table and the
// list of exit codes.

#include <ostream>
#include <string>
#include <string_view>

#include "cli/command_table.h"

namespace rer::cli {

// "usage: rer-cli COMMAND [ARGS]", then one line per command ("  " and its
// usage), then how to learn more and the exit codes.
void PrintCommandList(std::ostream& out);

// The usage, what the command does, its options, examples and the exit codes.
void PrintCommandHelp(std::ostream& out, const CommandEntry& command);

// The manual page: `manTemplate` (troff) with @COMMANDS@, @EXIT_STATUS@ and
// @EXAMPLES@ replaced by what the table holds, and @VERSION@ and
// @RELEASE_DATE@ by the values given.
std::string ManPage(std::string_view manTemplate, std::string_view version,
                    std::string_view releaseDate);

}  // namespace rer::cli
