// rer-cli identify, in-process against the simulated pager (virtual time) and
// against a silent pseudo-terminal (real time).

#include <gtest/gtest.h>
#include "temp_path.h"

#include <fstream>

#include "cli_runner.h"
#include "comm/pseudo_terminal.h"

namespace rer::cli {
namespace {

using testing::RunCli;

struct IdentifyCase {
  std::string port;
  std::string expectedOut;
};

TEST(IdentifyCommand, SimulatedPagers) {
  const IdentifyCase cases[] = {
      {"sim", "model 0x84\nfirmware \" R0501\"\nflags R0501\n"},
      {"sim:0x81", "model 0x81\nfirmware \" R0501\"\nflags R0501\n"},
  };
  for (const auto& c : cases) {
    const auto result = RunCli("identify --port " + c.port);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, c.expectedOut);
  }
}

TEST(IdentifyCommand, ScenarioFileSetsFirmwareAndVariant) {
  const std::string path = rer::testing::TempPath("identify_scenario.json");
  std::ofstream(path) << R"({"modelCode": "0xD1", "firmware": " R0501", "variantText": "1"})";
  const auto result = RunCli("identify --port sim --scenario " + path);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "model 0xd1\nfirmware \" R0501\"\nflags R0501 Variant1R0501\n");
}

TEST(IdentifyCommand, FailuresPrintTheSystemsMessage) {
  const std::string silent = rer::testing::TempPath("identify_silent.json");
  std::ofstream(silent) << R"({"noAnswer": true})";
  const auto noAnswer = RunCli("identify --port sim --scenario " + silent);
  EXPECT_NE(noAnswer.exitCode, 0);
  EXPECT_EQ(noAnswer.err, "Pager is not responding.\n");
  EXPECT_TRUE(noAnswer.out.empty());

  const auto noPort = RunCli("identify --port /nonexistent/rer-port");
  EXPECT_NE(noPort.exitCode, 0);
  // The message once, then which port and the system's reason.
  EXPECT_EQ(noPort.err.rfind("Can not open com port.\nport /nonexistent/rer-port: ", 0), 0u)
      << noPort.err;
  EXPECT_EQ(noPort.err.find("Can not open", 1), std::string::npos) << noPort.err;

  EXPECT_EQ(RunCli("identify").exitCode, 2);
  EXPECT_EQ(RunCli("identify --port sim:0x1ff").exitCode, 2);
}

// Nobody serves the line: five attempts, then the message, in real time.
TEST(IdentifyCommand, SilentSerialLineGivesUpAfterFiveAttempts) {
  const auto terminal = PseudoTerminal::Create();
  ASSERT_TRUE(terminal);
  const auto result = RunCli("identify --port " + terminal->slavePath());
  EXPECT_NE(result.exitCode, 0);
  EXPECT_EQ(result.err, "Pager is not responding.\n");
  EXPECT_TRUE(result.out.empty());
}

}  // namespace
}  // namespace rer::cli
