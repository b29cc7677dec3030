#include <gtest/gtest.h>

#include "cli_runner.h"

namespace rer::cli::testing {
namespace {

TEST(MessageCommand, SecureWrongCountTwoWide) {
  const auto r = RunCli("message -6 --secure-wrong 3");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "WARNING\nWARNING : Wrong Password.\nYou have  3 times left.You input wrong pasword "
            "have  3 times, Please check again.\nIf input wrong password over 7 times, This "
            "pager will disable and lock.\n");
}

TEST(MessageCommand, UndefinedCode) {
  const auto r = RunCli("message -126");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "ERROR\nUndefined error, Error #-126\n");
}

TEST(MessageCommand, QuestionWithEmptyCaption) {
  const auto r = RunCli("message -65 --question");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "\nWARNING: Sequential programming of the\nselected addresses will cause duplicate "
            "addresses\nto be programmed in the pagers. [Press YES to program]\n");
}

TEST(MessageCommand, BadArgumentsExitNonZero) {
  EXPECT_NE(RunCli("message").exitCode, 0);
  EXPECT_NE(RunCli("message abc").exitCode, 0);
  EXPECT_NE(RunCli("message -6 --bogus 1").exitCode, 0);
}

}  // namespace
}  // namespace rer::cli::testing
