// The run log that rer-cli program --log and the window's sequential runs
// both write.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "operations/program_run.h"
#include "temp_path.h"

namespace rer {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(RunLog, FieldsWithSeparatorsAreQuoted) {
  const RunLogRow row{3, "SN,1", "0001000", "ICN \"7\"", 1, "2026-01-02 03:04:05"};
  EXPECT_EQ(RunLogLine(row), "3,\"SN,1\",0001000,\"ICN \"\"7\"\"\",1,2026-01-02 03:04:05\n");
}

TEST(RunLog, HeaderOnlyAtTheStartOfANewFile) {
  const std::string path = testing::TempPath("run_log.csv");
  std::remove(path.c_str());
  ASSERT_TRUE(AppendRunLog(path, RunLogRow{1, "A", "1", "I1", 1, "t1"}));
  ASSERT_TRUE(AppendRunLog(path, RunLogRow{2, "B", "2", "I2", 0, "t2"}));
  EXPECT_EQ(ReadAll(path), RunLogHeader() + "1,A,1,I1,1,t1\n2,B,2,I2,0,t2\n");
  std::remove(path.c_str());
  EXPECT_FALSE(AppendRunLog(testing::TempPath("no/such/folder/log.csv"), RunLogRow{}));
}

}  // namespace
}  // namespace rer
