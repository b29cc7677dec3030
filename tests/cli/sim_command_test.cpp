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

#include "cli_runner.h"

namespace rer::cli {
namespace {

using testing::RunCli;

// rer-cli sim in the background, stopped with SIGTERM when the test ends.
class BackgroundSim {
 public:
  explicit BackgroundSim(std::vector<std::string> arguments) {
    pid_ = fork();
    if (pid_ == 0) {
      std::vector<char*> argv;
      static char program[] = RER_CLI_PATH;
      argv.push_back(program);
      for (auto& a : arguments) argv.push_back(a.data());
      argv.push_back(nullptr);
      freopen("/dev/null", "w", stdout);
      execv(RER_CLI_PATH, argv.data());
      _exit(127);
    }
  }
  ~BackgroundSim() {
    if (pid_ > 0 && exitCode_ < 0) Stop();
  }

  // Waits until `path` exists (the pseudo-terminal is up).
  bool WaitForLink(const std::string& path) const {
    for (int i = 0; i < 250; ++i) {
      struct stat info {};
      if (lstat(path.c_str(), &info) == 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  int Stop() {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return exitCode_;
  }

 private:
  pid_t pid_ = -1;
  int exitCode_ = -1;
};

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(SimCommand, IdentifyOverAPseudoTerminal) {
  const std::string link = rer::testing::TempPath("rer_sim_identify_link");
  const std::string log = rer::testing::TempPath("rer_sim_identify.log");
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
  const std::string link = rer::testing::TempPath("rer_sim_scenario_link");
  const std::string scenario = rer::testing::TempPath("rer_sim_scenario.json");
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
