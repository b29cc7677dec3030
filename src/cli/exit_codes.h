#pragma once
// The exit codes of rer-cli, the one list that every command keeps to and
// that `rer-cli help` and the manual page print.

#include <array>

namespace rer::cli {

inline constexpr int kExitSuccess = 0;
// The command ran but its work failed: a pager that did not answer or refused,
// a file that could not be read or written, a check that did not pass, or
// (program) not every pager of the run programmed.
inline constexpr int kExitFailure = 1;
// The command line cannot be used: an unknown command or option, a missing
// or malformed argument, or a port or scenario file that cannot be used.
inline constexpr int kExitUsage = 2;

struct ExitCodeHelp {
  int code;
  const char* meaning;
};

inline constexpr std::array<ExitCodeHelp, 3> kExitCodes = {{
    {kExitSuccess, "success: the command did all of its work"},
    {kExitFailure,
     "the work failed: the pager did not answer or refused, a file could not be read or "
     "written, a check did not pass, or not every pager of a run was programmed; the reason is "
     "on standard error"},
    {kExitUsage,
     "the command line cannot be used: an unknown command or option, a missing or malformed "
     "argument, or a port or scenario file that cannot be used"},
}};

}  // namespace rer::cli
