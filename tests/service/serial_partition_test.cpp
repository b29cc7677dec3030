#include "service/serial_partition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/result_codes.h"
#include "core/scripted_user_interface.h"

namespace rer {
namespace {

LinkState PagerWithMemory(std::uint8_t memoryByte, bool largeMemory, std::uint8_t model = 0x84) {
  LinkState link;
  link.ModelCode = model;
  link.MemoryByte = memoryByte;
  link.LargeMemory = largeMemory;
  link.SerialNumber = "OLD0000000";
  return link;
}

TEST(SerialPartition, LargeMemoryOpensOnTheStoredCodeAndStoresTheChosenOne) {
  LinkState link = PagerWithMemory(32, true);
  std::uint8_t partition = 26;
  ScriptedUserInterface ui;
  ui.serialPartitions.push_back(UserInterface::SerialPartitionEntry{"AB12345678", 2});

  EXPECT_EQ(EnterSerialAndPartition(link, partition, ui), 0);

  ASSERT_EQ(ui.serialPartitionRequests.size(), 1u);
  const auto& request = ui.serialPartitionRequests[0];
  EXPECT_EQ(request.selectedIndex, 5);
  EXPECT_EQ(request.personalItems[5], "  27K");
  EXPECT_EQ(request.maildropItems[5], "   5K");
  EXPECT_EQ(partition, 11);  // "  10K"
  EXPECT_EQ(link.SerialNumber, "AB12345678");
}

TEST(SerialPartition, SmallMemoryShowsCodeEightAsTheLastEntry) {
  LinkState link = PagerWithMemory(8, false);
  std::uint8_t partition = 8;
  ScriptedUserInterface ui;
  ui.serialPartitions.push_back(UserInterface::SerialPartitionEntry{"X", 6});

  EXPECT_EQ(EnterSerialAndPartition(link, partition, ui), 0);
  EXPECT_EQ(ui.serialPartitionRequests[0].selectedIndex, 6);
  EXPECT_EQ(ui.serialPartitionRequests[0].personalItems[6], "7.5K");
  EXPECT_EQ(ui.serialPartitionRequests[0].maildropItems[6], "None");
  EXPECT_EQ(partition, 8);
}

TEST(SerialPartition, ListsFollowTheMemoryReply) {
  // A 32 KB reply without the large-memory flag still uses the small lists.
  EXPECT_FALSE(UsesLargeMemory(PagerWithMemory(32, false)));
  EXPECT_FALSE(UsesLargeMemory(PagerWithMemory(8, true)));
  EXPECT_TRUE(UsesLargeMemory(PagerWithMemory(32, true)));

  struct Case {
    bool large;
    std::uint8_t code;
    int index;
  };
  const Case cases[] = {
      {true, 3, 0},  {true, 21, 4}, {true, 32, 6}, {true, 4, 2},  {true, 99, 2},
      {false, 0, 0}, {false, 5, 5}, {false, 8, 6}, {false, 6, 6}, {false, 40, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PartitionIndexOfCode(c.large, c.code), c.index) << c.large << " " << int(c.code);
  }
}

TEST(SerialPartition, CancelKeepsEverythingAndEndsWithoutAMessage) {
  LinkState link = PagerWithMemory(32, true);
  std::uint8_t partition = 16;
  ScriptedUserInterface ui;
  ui.serialPartitions.push_back(std::nullopt);

  EXPECT_EQ(EnterSerialAndPartition(link, partition, ui), kOperationCancelled);
  EXPECT_EQ(partition, 16);
  EXPECT_EQ(link.SerialNumber, "OLD0000000");
  EXPECT_TRUE(ui.shown.empty());
}

TEST(SerialPartition, FourAddressModelAsksForTheSerialNumberOnly) {
  LinkState link = PagerWithMemory(32, true, 0x40);
  std::uint8_t partition = 16;
  ScriptedUserInterface ui;
  ui.serialPartitions.push_back(UserInterface::SerialPartitionEntry{"SN00000001", 0});

  EXPECT_EQ(EnterSerialAndPartition(link, partition, ui), 0);
  EXPECT_TRUE(ui.serialPartitionRequests[0].personalItems.empty());
  EXPECT_EQ(partition, 16);
  EXPECT_EQ(link.SerialNumber, "SN00000001");
}

}  // namespace
}  // namespace rer
