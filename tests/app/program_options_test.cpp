// The command line of the windowed program.

#include "app/program_options.h"

#include <gtest/gtest.h>

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
        OptionsCase{{"--screenshots"}, false}, OptionsCase{{"--port=COM3"}, false}));

}  // namespace
}  // namespace rer
