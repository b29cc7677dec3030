// A codeplug of one family is never written into a pager of the other, even
// where the hardware class and variant bits agree.

#include <gtest/gtest.h>

#include "core/messages.h"
#include "program_fixture.h"

namespace rer {
namespace {

using testing::PagerImage;
using testing::PagerSpec;
using testing::ProgramFixture;

TEST(ProgramFamily, CodeplugOfTheOtherFamilyIsRefusedBeforeAnyWrite) {
  struct Case {
    std::uint8_t pagerModel;
    std::uint8_t codeplugModel;
    std::string status;
  };
  const Case cases[] = {
      {0x81, 0x84, "N"},  // class and variant bits all 0 on both sides
      {0x81, 0xD0, "U"},  // a pager without a codeplug too
      {0x84, 0x81, "N"},
      {0x84, 0x89, "U"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.pagerModel) + " <- " + std::to_string(c.codeplugModel) + " " +
                 c.status);
    PagerSpec pager;
    pager.model = c.pagerModel;
    pager.firmware = Is4KFamily(c.pagerModel) ? " R0501" : " R0402";
    pager.statusLetters = c.status;
    ProgramFixture f(pager);
    PagerSpec codeplug = pager;
    codeplug.model = c.codeplugModel;
    const auto image = PagerImage(codeplug);
    f.session.image = CodeplugImage();
    std::copy(image.begin(), image.end(), f.session.image.Bytes().begin());
    f.session.readModelWord = c.codeplugModel;
    f.ui.serialPartitions.push_back(UserInterface::SerialPartitionEntry{"NEW0000001", 0});

    EXPECT_EQ(f.sequence.ProgramPager(), kNotDone);

    // A pager without a codeplug says so first; then the refusal, once.
    std::vector<std::string> expected;
    if (c.status == "U") expected.push_back(ComposeError(kLinkUnprogrammed).text);
    expected.push_back(ComposeError(kPagerNotSupported).text);
    EXPECT_EQ(f.ui.Texts(), expected);
    EXPECT_TRUE(f.pager.record().writtenImage.empty());
    EXPECT_TRUE(f.ui.serialPartitionRequests.empty());
  }
}

TEST(ProgramFamily, CodeplugOfTheSameFamilyStillGoesThrough) {
  for (const std::uint8_t model : {std::uint8_t{0x84}, std::uint8_t{0x81}}) {
    PagerSpec pager;
    pager.model = model;
    pager.firmware = model == 0x84 ? " R0501" : " R0402";
    ProgramFixture f(pager);
    EXPECT_EQ(f.sequence.ProgramPager(), kSuccess) << int(model);
    EXPECT_FALSE(f.pager.record().writtenImage.empty());
  }
}

}  // namespace
}  // namespace rer
