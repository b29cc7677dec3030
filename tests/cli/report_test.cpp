// rer-cli report: the window's printed record of a codeplug file, written as
// a PDF with no display.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>

#include "cli_runner.h"
#include "temp_path.h"

namespace rer::cli {
namespace {

using testing::RunCli;

std::string Temp(const std::string& name) {
  return rer::testing::TempPath("report_") + name;
}

// The page objects of a PDF, not its page tree.
int PdfPageCount(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::regex page("/Type\\s*/Page(?![s\\w])");
  return static_cast<int>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), page), std::sregex_iterator()));
}

struct ReportCase {
  const char* port;
  int pages;
};

class ReportCommandTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportCommandTest, WritesSixSheetsOfThePagesTheModelShows) {
  const std::string codeplug = Temp("pager.cp");
  const auto read =
      RunCli(std::string("read --port ") + GetParam().port + " --no-backup -o " + codeplug);
  ASSERT_EQ(read.exitCode, 0) << read.err;
  const std::string pdf = Temp("pager.pdf");
  std::remove(pdf.c_str());
  // No display: the command must not need one.
  ::unsetenv("DISPLAY");
  const auto report = RunCli("report " + codeplug + " -o " + pdf);
  ASSERT_EQ(report.exitCode, 0) << report.err;
  EXPECT_EQ(report.out, std::to_string(GetParam().pages) + " pages on 6 sheets\n");
  EXPECT_EQ(PdfPageCount(pdf), 6);
}

INSTANTIATE_TEST_SUITE_P(Models, ReportCommandTest,
                         ::testing::Values(ReportCase{"sim", 12}, ReportCase{"sim:0x81", 11}));

TEST(ReportCommand, RefusesAMissingFileAndAFileWithoutACodeplug) {
  const auto missing = RunCli("report " + Temp("none.cp") + " -o " + Temp("none.pdf"));
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos) << missing.err;

  const std::string text = Temp("notes.cp");
  std::ofstream(text) << "not a codeplug\n";
  const std::string pdf = Temp("notes.pdf");
  std::remove(pdf.c_str());
  const auto wrong = RunCli("report " + text + " -o " + pdf);
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_FALSE(wrong.err.empty());
  EXPECT_FALSE(std::ifstream(pdf).good()) << "no report for a file without a codeplug";
}

TEST(ReportCommand, NeedsAnOutputFile) {
  const auto usage = RunCli("report " + Temp("pager.cp"));
  EXPECT_EQ(usage.exitCode, 2);
  EXPECT_NE(usage.err.find("usage: rer-cli report"), std::string::npos) << usage.err;
}

}  // namespace
}  // namespace rer::cli
