// rer-cli sim serving a pseudo-terminal in real time, with rer-cli identify
// talking to it through the serial port driver.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "temp_path.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "background_sim.h"
#include "cli_runner.h"

namespace rer::cli {
namespace {

using testing::BackgroundSim;
using testing::RunCli;

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(SimCommand, IdentifyOverAPseudoTerminal) {
  const std::string link = rer::testing::TempPath("sim_identify_link");
  const std::string log = rer::testing::TempPath("sim_identify.log");
  std::remove(log.c_str());
  BackgroundSim sim(
      {"sim", "--link", link, "--model", "0x88", "--firmware", " R0409", "--log", log});
  ASSERT_TRUE(sim.WaitForLink(link));

  const auto result = RunCli("identify --port " + link);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "model 0x88\nfirmware \" R0409\"\nflags R0409\n");

  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_EQ(Lines(log), (std::vector<std::string>{R"({"op":"wake","code":"0xaa","answer":"0x88"})",
                                                  R"({"op":"identify"})"}));
  // The link goes away with the simulated pager.
  struct stat info {};
  EXPECT_NE(lstat(link.c_str(), &info), 0);
}

TEST(SimCommand, ScenarioFileIsServed) {
  const std::string link = rer::testing::TempPath("sim_scenario_link");
  const std::string scenario = rer::testing::TempPath("sim_scenario.json");
  std::ofstream(scenario) << R"({"modelCode": "0x81", "firmware": " R0402"})";
  BackgroundSim sim({"sim", "--link", link, "--scenario", scenario});
  ASSERT_TRUE(sim.WaitForLink(link));
  const auto result = RunCli("identify --port " + link);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "model 0x81\nfirmware \" R0402\"\nflags R0402\n");
  EXPECT_EQ(sim.Stop(), 0);
}

TEST(SimCommand, RefusesBadOptions) {
  EXPECT_EQ(RunCli("sim").exitCode, 2);
  EXPECT_EQ(RunCli("sim --link /tmp/x --model 0x100").exitCode, 2);
  EXPECT_EQ(RunCli("sim --link /tmp/x --scenario /nonexistent.json").exitCode, 2);
}

}  // namespace
}  // namespace rer::cli
