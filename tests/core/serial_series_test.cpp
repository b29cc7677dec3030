#include "core/serial_series.h"

#include <gtest/gtest.h>

namespace rer {
namespace {

struct SeriesCase {
  const char* serial;
  bool newSecureSerial;
  bool newSecureSeries;
  bool new4K;
  bool smallPrompt;
};

class SerialSeries : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(SerialSeries, AllFourTests) {
  const auto& c = GetParam();
  EXPECT_EQ(IsNewSecure4KSerial(c.serial), c.newSecureSerial) << c.serial;
  EXPECT_EQ(IsNewSecure4KSeries(c.serial), c.newSecureSeries) << c.serial;
  EXPECT_EQ(IsNew4KSeries(c.serial), c.new4K) << c.serial;
  EXPECT_EQ(IsSmallPromptSeries(c.serial), c.smallPrompt) << c.serial;
}

INSTANTIATE_TEST_SUITE_P(Table, SerialSeries,
                         ::testing::Values(SeriesCase{"ZVKHMOS000", true, true, false, false},
                                           SeriesCase{"ZVKHMOS007", true, true, false, false},
                                           SeriesCase{"ZVKHMOS008", false, false, false, false},
                                           SeriesCase{"WUJ4T00012", true, true, false, false},
                                           SeriesCase{"WUJ4T00019", true, true, false, false},
                                           SeriesCase{"WUJ4T00013", false, false, true, false},
                                           SeriesCase{"WUJ4T00004", false, false, true, false},
                                           SeriesCase{"WUJ4T00005", false, false, false, false},
                                           SeriesCase{"WUJSH66004", false, false, true, false},
                                           SeriesCase{"WUJSR66005", false, false, false, false},
                                           SeriesCase{"KTLBCRA999", false, false, false, true},
                                           SeriesCase{"KTLBCRH799", false, false, false, true},
                                           SeriesCase{"KTLBCRH800", false, false, false, false},
                                           SeriesCase{"KTLBCRL299", false, false, false, false},
                                           SeriesCase{"KTLBCRL300", false, false, false, true},
                                           SeriesCase{"KTLBCRQ307", false, false, false, true},
                                           SeriesCase{"KTLBCRQ308", false, false, false, false},
                                           SeriesCase{"KTLBCRA12X", false, false, false, false},
                                           SeriesCase{"ktlbcra123", false, false, false, false},
                                           SeriesCase{"          ", false, false, false, false},
                                           SeriesCase{"       012", false, false, false, false},
                                           SeriesCase{"KTLBCRA", false, false, false, false},
                                           SeriesCase{"", false, false, false, false}));

}  // namespace
}  // namespace rer
