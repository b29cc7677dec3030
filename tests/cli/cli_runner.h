#pragma once
// Runs the rer-cli binary as a user would and captures what it prints.

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <string>
#include "temp_path.h"

namespace rer::cli::testing {

struct CliResult {
  int exitCode = -1;
  std::string out;  // standard output; standard error goes to `err`
  std::string err;
};

inline CliResult RunCli(const std::string& arguments) {
  const std::string errFile = rer::testing::TempPath("cli_stderr.txt");
  // The user's folders of the command are temporary ones: the pager history
  // (data folder) and the backups (documents folder) that a command keeps by
  // default must not go into the real ones of whoever runs the tests.
  const std::string home = rer::testing::TempPath("cli-home");
  const std::string command = "HOME=" + home + " XDG_CONFIG_HOME=" + home + "/.config" +
                              " XDG_DATA_HOME=" + rer::testing::TempPath("data-home") + " " +
                              std::string(RER_CLI_PATH) + " " + arguments + " 2>" + errFile;
  CliResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buffer{};
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (FILE* err = fopen(errFile.c_str(), "r")) {
    while ((n = fread(buffer.data(), 1, buffer.size(), err)) > 0)
      result.err.append(buffer.data(), n);
    fclose(err);
  }
  std::remove(errFile.c_str());
  return result;
}

}  // namespace rer::cli::testing
