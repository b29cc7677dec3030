// rer-cli service, in-process against the simulated pager (virtual time).

#include <gtest/gtest.h>

#include <fstream>

#include "cli_runner.h"
#include "temp_path.h"

namespace rer::cli {
namespace {

using testing::RunCli;

std::string Scenario(const std::string& name, const std::string& json) {
  const std::string path = rer::testing::TempPath(name);
  std::ofstream(path) << json;
  return path;
}

TEST(ServiceCommand, PrintsWhatThePagerAnswered) {
  const std::string multiple = Scenario("service_multiple.json", R"({"keyTestByte": 5})");
  const std::string left = Scenario("service_left.json", R"({"keyTestByte": "0x10"})");
  const std::string pattern = Scenario("service_pattern.json", R"({"ramPatternByte": "0x41"})");
  const struct {
    std::string arguments;
    std::string out;
  } cases[] = {
      {"key", "READ KEY\n"},
      {"key --scenario " + multiple, "MULTIPLE KEYS\n"},
      {"key --scenario " + left, "LEFT KEY\n"},
      {"ram --scenario " + pattern, "A\n"},
      {"vibrator-on", "ok\n"},
      {"exit", "ok\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const auto result = RunCli("service --port sim " + c.arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, "");
  }
}

TEST(ServiceCommand, PagerThatDoesNotAcknowledgeFails) {
  const std::string wrong = Scenario("service_noack.json", R"({"serviceAcknowledge": "0x3F"})");
  const auto noAck = RunCli("service --port sim key --scenario " + wrong);
  EXPECT_EQ(noAck.exitCode, 1);
  EXPECT_EQ(noAck.err, "No acknowledge received.\n");
  EXPECT_EQ(noAck.out, "");

  const std::string silent = Scenario("service_silent.json", R"({"noAnswer": true})");
  const auto noAnswer = RunCli("service --port sim alert-on --scenario " + silent);
  EXPECT_EQ(noAnswer.exitCode, 1);
  EXPECT_EQ(noAnswer.err, "Pager is not responding.\n");
}

TEST(ServiceCommand, UnusableCommandLines) {
  for (const char* arguments : {"service", "service --port sim", "service --port sim chirp",
                                "service --port sim key ram", "service key"}) {
    SCOPED_TRACE(arguments);
    EXPECT_EQ(RunCli(arguments).exitCode, 2);
  }
}

}  // namespace
}  // namespace rer::cli
