#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "cli_runner.h"

namespace rer::cli::testing {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ToneCommand, WritesTheSoundOfEachSource) {
  const std::string path = rer::testing::TempPath("tone.wav");
  const struct {
    const char* arguments;
    const char* printed;
    int milliseconds;
  } cases[] = {
      {"--pattern 15", "2000 ms\n", 2000},  // "UG7", its one step
      {"--pattern 0", "1000 ms\n", 1000},   // "STD", all eight steps
      {"--pattern 8", "1000 ms\n", 1000},   // the default pleasing alert
      {"--melody E9E9E9E9E9E9E9E9E9E9E9E9E9E9E900", "999 ms\n", 999},
      {"--note 16", "50 ms\n", 50},
      {"--note 0", "500 ms\n", 500},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    std::remove(path.c_str());
    const auto r = RunCli(std::string("tone ") + c.arguments + " -o " + path);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, c.printed);
    const auto wav = ReadBytes(path);
    // 44 bytes of header, then two bytes per sample at 48 samples per ms.
    EXPECT_EQ(wav.size(), 44u + 2u * 48u * static_cast<unsigned>(c.milliseconds));
  }
  std::remove(path.c_str());
}

TEST(ToneCommand, BadArgumentsWriteNothing) {
  const std::string path = rer::testing::TempPath("bad_tone.wav");
  const char* cases[] = {
      "--pattern 16",
      "--pattern -1",
      "--note 25",
      "--melody E9E9",
      "--melody E9E9E9E9E9E9E9E9E9E9E9E9E9E9E9GG",
      "--pattern 1 --note 2",
      "",
  };
  for (const char* arguments : cases) {
    SCOPED_TRACE(arguments);
    const auto r = RunCli(std::string("tone ") + arguments + " -o " + path);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(r.err.empty());
    EXPECT_TRUE(ReadBytes(path).empty());
  }
  EXPECT_EQ(RunCli("tone --pattern 1").exitCode, 2);
}

}  // namespace
}  // namespace rer::cli::testing
