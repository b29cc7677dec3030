#include "pager/band_check.h"

#include <gtest/gtest.h>

#include <string>

#include "core/scripted_user_interface.h"

namespace rer {
namespace {

// Band list items as the General tab offers them.
enum BandItem {
  kVhfD = 0,
  kVhfA = 1,
  kVhfB = 2,
  kVhfC = 3,
  kUhfA = 4,
  kUhfB = 5,
  k900 = 6,
};

struct BandCase {
  const char* frequency;
  int band;
  int expected;
};

TEST(BandCheck, WholeMegahertzMustLieInTheSelectedBand) {
  const BandCase cases[] = {
      {"145.0000", kVhfA, 0},
      {"153.0000", kVhfA, kFrequencyOutOfBand},
      {"143.0000", kVhfA, 0},
      {"142.9975", kVhfA, kFrequencyOutOfBand},
      {"152.9975", kVhfA, 0},  // only the whole megahertz count
      {"152.5000", kVhfB, 0},  // 152 belongs to both A and B
      {"163.9975", kVhfB, 0},
      {"164.0000", kVhfB, kFrequencyOutOfBand},
      {"163.0000", kVhfC, 0},
      {"173.9975", kVhfC, 0},
      {"174.0000", kVhfC, kFrequencyOutOfBand},
      {"929.0000", k900, 0},
      {"931.9875", k900, 0},
      {"932.0000", k900, kFrequencyOutOfBand},
      {"152.8400", k900, kFrequencyOutOfBand},
  };
  for (const BandCase& c : cases) {
    EXPECT_EQ(CheckFrequencyBand(c.frequency, c.band), c.expected)
        << c.frequency << " band " << c.band;
  }
}

TEST(BandCheck, BandsWithoutARangeAndUnreadableInputAlwaysFail) {
  for (int band : {kVhfD, kUhfA, kUhfB}) {
    EXPECT_EQ(CheckFrequencyBand("150.0000", band), kFrequencyOutOfBand) << band;
  }
  EXPECT_EQ(CheckFrequencyBand("150.0000", -1), kFrequencyOutOfBand);
  EXPECT_EQ(CheckFrequencyBand("150.0000", 99), kFrequencyOutOfBand);
  EXPECT_EQ(CheckFrequencyBand("", kVhfA), kFrequencyOutOfBand);
  EXPECT_EQ(CheckFrequencyBand("15x.0000", kVhfA), kFrequencyOutOfBand);
}

TEST(BandCheck, FailureShowsOneMessageFromTheEditorSettings) {
  EditorSettings settings;
  settings.SetItem("cb_freqBand", kVhfA);
  ScriptedUserInterface ui;

  settings.SetText("ed_frequency", "145.0000");
  EXPECT_EQ(RunBandCheck(settings, ui), 0);
  EXPECT_TRUE(ui.shown.empty());

  settings.SetText("ed_frequency", "153.0000");
  EXPECT_EQ(RunBandCheck(settings, ui), kFrequencyOutOfBand);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, ComposeError(kFrequencyOutOfBand).text);
}

}  // namespace
}  // namespace rer
