#include "sim/sim_scenario.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <fstream>

namespace rer {
namespace {

TEST(SimScenario, ReadsEveryKindOfField) {
  std::string error;
  const auto s = ParseSimScenario(R"({
    "modelCode": "0x81", "firmware": " R0402", "variantText": "1",
    "serialNumber": "AB12345678", "cgromFirst": "0x54", "cgromSecond": 49,
    "memoryByte": 16, "statusLetters": "UY", "password": "XYZ", "triesLeft": 3,
    "image": "00 81 ff", "noAnswer": false, "wakeReply": "0x80", "lostEchoAt": 7,
    "imageSilentFrom": 100, "rejectChecksum": true, "junkAfterUnprogrammed": 5,
    "serviceAcknowledge": "0x3f", "keyTestByte": 1, "ramPatternByte": 65
  })",
                                  error);
  ASSERT_TRUE(s) << error;
  EXPECT_EQ(s->modelCode, 0x81);
  EXPECT_EQ(s->firmware, " R0402");
  EXPECT_EQ(s->cgromFirst, 'T');
  EXPECT_EQ(s->cgromSecond, '1');
  EXPECT_EQ(s->statusLetters, "UY");
  EXPECT_EQ(s->triesLeft, 3);
  EXPECT_EQ(s->wakeReply, std::optional<std::uint8_t>(0x80));
  EXPECT_EQ(s->lostEchoAt, std::optional<std::size_t>(7));
  EXPECT_EQ(s->imageSilentFrom, std::optional<std::size_t>(100));
  EXPECT_TRUE(s->rejectChecksum);
  EXPECT_EQ(s->serviceAcknowledge, '?');
  // A short image is padded to the family's length.
  const auto image = s->ImageBytes();
  ASSERT_EQ(image.size(), 1024u);
  EXPECT_EQ(image[1], 0x81);
  EXPECT_EQ(image[2], 0xFF);
  EXPECT_EQ(image[3], 0x00);
}

TEST(SimScenario, BlankImageHoldsTheModelByte) {
  SimScenario s;
  s.modelCode = 0xD1;
  const auto image = s.ImageBytes();
  ASSERT_EQ(image.size(), 4096u);
  EXPECT_EQ(image[1], 0xD1);
  EXPECT_EQ(image[0], 0x00);
}

TEST(SimScenario, RefusesBadInput) {
  const char* bad[] = {
      "not json",
      "[1, 2]",
      R"({"modelCod": 129})",
      R"({"modelCode": 300})",
      R"({"modelCode": "eighty"})",
      R"({"image": "0g"})",
      R"({"image": "123"})",
      R"({"noAnswer": 1})",
      R"({"triesLeft": 9})",
      R"({"lostEchoAt": -1})",
  };
  for (const char* json : bad) {
    std::string error;
    EXPECT_FALSE(ParseSimScenario(json, error)) << json;
    EXPECT_FALSE(error.empty()) << json;
  }
}

TEST(SimScenario, LoadsFromAFile) {
  const std::string path = rer::testing::TempPath("sim_scenario_test.json");
  std::ofstream(path) << R"({"modelCode": 137, "statusLetters": "D"})";
  std::string error;
  const auto s = LoadSimScenario(path, error);
  ASSERT_TRUE(s) << error;
  EXPECT_EQ(s->modelCode, 0x89);
  EXPECT_FALSE(LoadSimScenario(path + ".missing", error));
}

}  // namespace
}  // namespace rer
