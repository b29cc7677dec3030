// rer-cli tells its version, its commands and each command's help from the
// command table, and the manual page is written from the same rows.

#include <gtest/gtest.h>

#include <string>

#include "cli/command_table.h"
#include "cli/exit_codes.h"
#include "cli/help_text.h"
#include "cli_runner.h"

namespace rer::cli {
namespace {

using testing::RunCli;

// The word that names an option on the command line: "--port" of
// "--port PORT|sim[:MODEL]"; empty for a positional argument.
std::string OptionWord(const CommandOption& option) {
  const std::string form = option.form;
  if (form.rfind("-", 0) != 0) return {};
  return form.substr(0, form.find(' '));
}

TEST(HelpTest, VersionIsTheProjectVersion) {
  const auto result = RunCli("--version");
  EXPECT_EQ(result.exitCode, kExitSuccess);
  EXPECT_EQ(result.out, std::string("rer-cli ") + RER_PROJECT_VERSION + "\n");
}

TEST(HelpTest, HelpListsEveryCommandWithItsUsage) {
  const auto result = RunCli("help");
  EXPECT_EQ(result.exitCode, kExitSuccess);
  for (const CommandEntry& command : Commands()) {
    EXPECT_NE(result.out.find("\n  " + command.Usage() + "\n"), std::string::npos) << command.name;
  }
  for (const ExitCodeHelp& exit : kExitCodes) {
    EXPECT_NE(result.out.find("\n  " + std::to_string(exit.code) + "  "), std::string::npos);
  }
}

TEST(HelpTest, EachCommandHasItsHelp) {
  ASSERT_FALSE(Commands().empty());
  for (const CommandEntry& command : Commands()) {
    SCOPED_TRACE(command.name);
    const auto result = RunCli(std::string("help ") + command.name);
    EXPECT_EQ(result.exitCode, kExitSuccess);
    EXPECT_EQ(result.out.rfind("usage: rer-cli " + command.Usage() + "\n", 0), 0u) << result.out;
    for (const CommandOption& option : command.options) {
      EXPECT_NE(result.out.find(std::string("\n  ") + option.form + "\n"), std::string::npos)
          << option.form;
    }
    EXPECT_NE(result.out.find("exit codes:"), std::string::npos);
    // "COMMAND --help" says the same.
    EXPECT_EQ(RunCli(std::string(command.name) + " --help").out, result.out);
  }
}

TEST(HelpTest, HelpOfAnUnknownCommandIsAUsageError) {
  const auto result = RunCli("help frobnicate");
  EXPECT_EQ(result.exitCode, kExitUsage);
  EXPECT_NE(result.err.find("frobnicate"), std::string::npos);
  EXPECT_TRUE(result.out.empty());
}

// The help names only options the command takes: given alone, each one is
// refused for a missing value or argument, never as unknown.
TEST(HelpTest, EveryOptionTheHelpNamesIsOneTheCommandTakes) {
  for (const CommandEntry& command : Commands()) {
    for (const CommandOption& option : command.options) {
      const std::string word = OptionWord(option);
      if (word.empty()) continue;
      SCOPED_TRACE(std::string(command.name) + " " + word);
      const auto result = RunCli(std::string(command.name) + " " + word);
      EXPECT_EQ(result.err.find("unknown option"), std::string::npos) << result.err;
    }
    const auto unknown = RunCli(std::string(command.name) + " --no-such-option");
    EXPECT_NE(unknown.err.find("unknown option"), std::string::npos) << command.name;
  }
}

TEST(HelpTest, ManPageHoldsTheCommandsExitCodesAndExamplesOfTheTable) {
  const std::string page = ManPage(
      ".TH RER-CLI 1 \"@RELEASE_DATE@\" \"rer @VERSION@\"\n.SH COMMANDS\n@COMMANDS@\n"
      ".SH EXIT STATUS\n@EXIT_STATUS@\n.SH EXAMPLES\n@EXAMPLES@\n",
      "9.8.7", "2030-01-02");
  EXPECT_EQ(page.rfind(".TH RER-CLI 1 \"2030-01-02\" \"rer 9.8.7\"\n", 0), 0u);
  for (const CommandEntry& command : Commands()) {
    EXPECT_NE(page.find(std::string("\n.SS ") + command.name + "\n"), std::string::npos)
        << command.name;
    for (const char* example : command.examples) {
      std::string escaped;
      for (const char c : std::string(example))
        escaped += c == '-' ? std::string("\\-") : std::string(1, c);
      EXPECT_NE(page.find("\n" + escaped + "\n"), std::string::npos) << example;
    }
  }
  EXPECT_NE(page.find("\n.B \\-\\-port PORT|sim[:MODEL]\n"), std::string::npos);
  for (const ExitCodeHelp& exit : kExitCodes) {
    EXPECT_NE(page.find("\n.B " + std::to_string(exit.code) + "\n"), std::string::npos);
  }
  // No marker is left, and no section adds an empty line (troff would print
  // it as a gap).
  EXPECT_EQ(page.find('@'), std::string::npos);
  EXPECT_EQ(page.find("\n\n"), std::string::npos);
}

}  // namespace
}  // namespace rer::cli
