#include "synth/frequency_band.h"

#include <gtest/gtest.h>

namespace rer {
namespace {

TEST(BandOfFrequency, JudgesByWholeMegahertzWithSharedEdgesInTheLowerBand) {
  const struct {
    std::int64_t hz;
    int band;
  } cases[] = {
      {142999999, -115}, {143000000, 1},    {152999999, 1},    {153000000, 2},    {163999999, 2},
      {164000000, 3},    {173999999, 3},    {174000000, -115}, {928999999, -115}, {929000000, 6},
      {931999999, 6},    {932000000, -115}, {0, -115},         {-1000000, -115},  {450000000, -115},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BandOfFrequency(c.hz), c.band) << c.hz;
  }
}

}  // namespace
}  // namespace rer
