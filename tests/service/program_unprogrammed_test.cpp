// A pager that holds no codeplug yet goes through the serial number and
// memory partition entry instead of the password checks.

#include <gtest/gtest.h>

#include "core/result_codes.h"
#include "pager/codeplug_files.h"
#include "pager/program_fixture.h"
#include "service/serial_partition.h"

namespace rer {
namespace {

using testing::PagerSpec;
using testing::ProgramFixture;

ProgramSteps WithSerialEntry() {
  ProgramSteps steps;
  steps.enterSerialNumber = [](PagerSession& session, UserInterface& ui) {
    return EnterSerialAndPartition(session, ui);
  };
  return steps;
}

PagerSpec UnprogrammedPager() {
  PagerSpec profile;
  profile.statusLetters = "U";
  profile.optionByte = 0x07;  // would ask every password of a programmed pager
  return profile;
}

TEST(ProgramUnprogrammedPager, TypedSerialNumberAndPartitionAreProgrammed) {
  ProgramFixture f(UnprogrammedPager(), WithSerialEntry());
  f.session.link.MemoryByte = 32;
  f.session.link.LargeMemory = true;
  f.session.settings.memorySizeCode = 26;
  f.ui.serialPartitions.push_back(UserInterface::SerialPartitionEntry{"NEW0000042", 2});

  EXPECT_EQ(f.sequence.ProgramPager(), kSuccess);

  EXPECT_TRUE(f.ui.passwordAsks.empty());
  ASSERT_EQ(f.ui.serialPartitionRequests.size(), 1u);
  EXPECT_EQ(f.session.link.SerialNumber, "NEW0000042");
  EXPECT_EQ(f.session.settings.Text("ed_serialNumber"), "NEW0000042");
  EXPECT_EQ(f.session.settings.memorySizeCode, 11);  // "  10K"
  const std::vector<std::uint8_t>& written = f.pager.record().writtenImage;
  ASSERT_EQ(written.size(), 4096u);
  EXPECT_EQ(
      std::string(written.begin() + testing::kSerialAt, written.begin() + testing::kSerialAt + 10),
      "NEW0000042");
  EXPECT_FALSE(f.pager.record().clockPayload.empty());
}

// The partition chosen is what the pager's memory is split by: it must be in
// the codeplug written, not only in the editor's settings.
TEST(ProgramUnprogrammedPager, ChosenPartitionCodeIsWrittenToThePager) {
  constexpr std::size_t kMemorySizeCodeAt = 0x027;
  struct Case {
    std::uint8_t model;
    bool largeMemory;
    int index;
    std::uint8_t code;
  };
  const Case cases[] = {
      {0x84, true, 2, 11},
      {0x84, false, 6, 8},
      {0x81, true, 0, 3},
      {0x81, false, 5, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.model) + " index " + std::to_string(c.index));
    PagerSpec profile = UnprogrammedPager();
    profile.model = c.model;
    if (c.model == 0x81) profile.firmware = " R0402";
    profile.memoryByte = c.largeMemory ? 0x20 : 0x08;
    ProgramFixture f(profile, WithSerialEntry());
    f.ui.serialPartitions.push_back(UserInterface::SerialPartitionEntry{"NEW0000044", c.index});

    ASSERT_EQ(f.sequence.ProgramPager(), kSuccess);

    const std::vector<std::uint8_t>& written = f.pager.record().writtenImage;
    ASSERT_GT(written.size(), kMemorySizeCodeAt);
    EXPECT_EQ(written[kMemorySizeCodeAt], c.code);
  }
}

TEST(ProgramUnprogrammedPager, CancelledEntryEndsQuietlyWithoutWriting) {
  ProgramFixture f(UnprogrammedPager(), WithSerialEntry());
  f.session.settings.memorySizeCode = 3;
  f.ui.serialPartitions.push_back(std::nullopt);

  EXPECT_EQ(f.sequence.ProgramPager(), kNotDone);

  // Only the pager's state is reported; the cancelled entry ends quietly.
  EXPECT_EQ(f.ui.Texts(), std::vector<std::string>{ComposeError(kLinkUnprogrammed).text});
  EXPECT_TRUE(f.pager.record().writtenImage.empty());
  EXPECT_EQ(f.session.settings.memorySizeCode, 3);
}

TEST(ProgramUnprogrammedPager, OneKilobytePagerGetsTheEditorsCodeplug) {
  PagerSpec profile = UnprogrammedPager();
  profile.model = 0x81;
  profile.firmware = " R0402";
  ProgramFixture f(profile, WithSerialEntry());
  f.ui.serialPartitions.push_back(UserInterface::SerialPartitionEntry{"NEW0000043", 3});

  EXPECT_EQ(f.sequence.ProgramPager(), kSuccess);

  const std::vector<std::uint8_t>& written = f.pager.record().writtenImage;
  ASSERT_EQ(written.size(), 1024u);
  EXPECT_EQ(written[1], 0x81);
  EXPECT_EQ(f.session.link.ModelCode, 0x81);
  // What the pager got is the editor's codeplug, encoded for it.
  PagerSession readBack;
  std::copy(written.begin(), written.end(), readBack.image.Bytes().begin());
  readBack.link.ModelCode = 0x81;
  ASSERT_EQ(DecodeSessionImage(readBack), 1);
  EXPECT_EQ(readBack.settings.Text("ed_serialNumber"), "NEW0000043");
  EXPECT_EQ(readBack.settings.Text(AddressControl::Capcode, 1), "0001000");
  EXPECT_EQ(readBack.settings.Text(AddressControl::Capcode, 3), "0001002");
  EXPECT_EQ(readBack.settings.Text("ed_frequency"), "145.0000");
}

}  // namespace
}  // namespace rer
