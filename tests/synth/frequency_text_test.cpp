#include "synth/frequency_text.h"

#include <gtest/gtest.h>

namespace rer {
namespace {

TEST(HzOfFrequencyText, ReadsMegahertzExactlyAndRoundsUpToWholeHertz) {
  const struct {
    const char* text;
    std::optional<std::uint32_t> hz;
  } cases[] = {
      {"152.8400", 152840000u},  // must stay on the 2500 Hz grid
      {"929.0125", 929012500u},
      {"152.84", 152840000u},
      {"152", 152000000u},
      {"152.", 152000000u},
      {"15 .8 00", 150800000u},  // blanks left by the entry mask
      {"152.8400001", 152840001u},
      {"152.8400000000", 152840000u},
      {"0.0000005", 1u},
      {"4294.967295", 4294967295u},
      {"4294.9672951", std::nullopt},
      {"99999.0", std::nullopt},
      {"", std::nullopt},
      {".", std::nullopt},
      {"152,84", std::nullopt},
      {"152.84.1", std::nullopt},
      {"-152.84", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HzOfFrequencyText(c.text), c.hz) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace rer
