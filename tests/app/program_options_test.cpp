// The command line of the windowed program.

#include "app/program_options.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace rer {
namespace {

struct OptionsCase {
  QStringList arguments;
  bool ok = true;
  bool simulate = false;
  int model = 0x84;
  bool readOnStart = false;
  QString screenshots = {};
};

class ProgramOptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(ProgramOptionsTest, ParsesTheCommandLine) {
  const OptionsCase& c = GetParam();
  const ProgramOptions options = ParseProgramOptions(c.arguments);
  EXPECT_EQ(options.error.isEmpty(), c.ok) << options.error.toStdString();
  if (!c.ok) return;
  EXPECT_EQ(options.simulate, c.simulate);
  EXPECT_EQ(options.simulatedModel, c.model);
  EXPECT_EQ(options.readOnStart, c.readOnStart);
  EXPECT_EQ(options.screenshotsFolder, c.screenshots);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramOptionsTest,
    ::testing::Values(
        OptionsCase{{}, true, false, 0x84, false, ""},
        OptionsCase{{"--simulate"}, true, true, 0x84, false, ""},
        OptionsCase{{"--simulate=0x81"}, true, true, 0x81, false, ""},
        OptionsCase{{"--simulate=c0"}, true, true, 0xC0, false, ""},
        OptionsCase{{"--simulate=D1", "--read-on-start"}, true, true, 0xD1, true, ""},
        OptionsCase{{"--simulate", "--screenshots", "/tmp/x"}, true, true, 0x84, true, "/tmp/x"},
        // Not the model code of a pager family, or not a code at all.
        OptionsCase{{"--simulate=0x40"}, false}, OptionsCase{{"--simulate=0x184"}, false},
        OptionsCase{{"--simulate=zz"}, false}, OptionsCase{{"--simulate="}, false},
        OptionsCase{{"--screenshots"}, false}, OptionsCase{{"--port=COM3"}, false},
        OptionsCase{{"--screenshots=/tmp/y"}, true, false, 0x84, true, "/tmp/y"},
        OptionsCase{{"somefile.cp"}, false}, OptionsCase{{"--simulate", "0x81"}, false}));

TEST(ProgramOptionsTest, HelpAndVersionAreAskedFor) {
  EXPECT_TRUE(ParseProgramOptions({"--help"}).showHelp);
  EXPECT_TRUE(ParseProgramOptions({"-h"}).showHelp);
  EXPECT_TRUE(ParseProgramOptions({"--version"}).showVersion);
  EXPECT_TRUE(ParseProgramOptions({"--simulate=C0", "--version"}).showVersion);
  // Asked for even beside a word the parser does not know, so that they
  // answer before anything else is judged.
  EXPECT_TRUE(ParseProgramOptions({"-platform", "--help"}).showHelp);
  const ProgramOptions plain = ParseProgramOptions({"--simulate"});
  EXPECT_FALSE(plain.showHelp || plain.showVersion);
}

// What the program prints for a command line, run without any display so
// that --help and --version are seen to need no window.
struct ProgramRun {
  int exitCode = -1;
  std::string out;
};

ProgramRun RunProgram(const std::string& arguments) {
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                              std::string(RER_APP_PATH) + " " + arguments + " 2>/dev/null";
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer{};
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(ProgramOptionsTest, VersionPrintsTheProjectVersionWithoutAWindow) {
  const ProgramRun run = RunProgram("--version");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, std::string("rer ") + RER_PROJECT_VERSION + "\n");
  EXPECT_EQ(ProgramVersionText().toStdString(), std::string("rer ") + RER_PROJECT_VERSION);
}

TEST(ProgramOptionsTest, HelpListsEveryOptionWithoutAWindow) {
  const ProgramRun run = RunProgram("--help");
  EXPECT_EQ(run.exitCode, 0);
  for (const char* option :
       {"--simulate", "--read-on-start", "--screenshots <folder>", "--help", "--version"}) {
    EXPECT_NE(run.out.find(option), std::string::npos) << option << "\n" << run.out;
  }
  EXPECT_EQ(run.out.rfind("Usage: ", 0), 0u) << run.out;
}

}  // namespace
}  // namespace rer
