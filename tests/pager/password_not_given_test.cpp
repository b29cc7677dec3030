// A pager that asks for its password when no password can be given: the run
// ends before a single password byte goes out, so the pager counts no try.

#include <gtest/gtest.h>

#include "pager/read_pager.h"
#include "program_fixture.h"

namespace rer {
namespace {

using testing::PagerSpec;
using testing::ProgramFixture;

TEST(PasswordNotGiven, ReadAndProgramEndWithoutATry) {
  for (const std::uint8_t model : {std::uint8_t{0x84}, std::uint8_t{0x81}}) {
    for (const bool program : {false, true}) {
      SCOPED_TRACE(std::string(program ? "program " : "read ") + std::to_string(model));
      PagerSpec pagerSetup;
      pagerSetup.model = model;
      if (model == 0x81) pagerSetup.firmware = " R0402";
      pagerSetup.statusLetters = "Y";
      pagerSetup.password = "PAGER";
      ProgramFixture f(pagerSetup);
      f.ui.unaskablePasswords = {PasswordMode::PagerAccess};
      const int result =
          program ? f.sequence.ProgramPager() : ReadPager(f.session, f.link, f.checks, f.ui);
      EXPECT_EQ(result, program ? kNotDone : kOperationCancelled);
      EXPECT_EQ(f.pager.record().passwordsRejected, 0);
      EXPECT_EQ(f.pager.record().passwordsAccepted, 0);
      EXPECT_TRUE(f.pager.record().writtenImage.empty());
      EXPECT_TRUE(f.ui.passwordAsks.empty());
      // The entry that could not be made speaks for itself; no box.
      EXPECT_TRUE(f.ui.shown.empty()) << f.ui.shown.front().text;
    }
  }
}

TEST(PasswordNotGiven, AWindowStillAsksAndThePagerCountsTheWrongTry) {
  PagerSpec pagerSetup;
  pagerSetup.statusLetters = "Y";
  pagerSetup.password = "PAGER";
  ProgramFixture f(pagerSetup);
  f.ui.passwords = {"GUESS"};
  EXPECT_EQ(ReadPager(f.session, f.link, f.checks, f.ui), kLinkWrongPassword);
  EXPECT_EQ(f.ui.passwordAsks, std::vector<PasswordMode>{PasswordMode::PagerAccess});
  EXPECT_EQ(f.pager.record().passwordsRejected, 1);
}

}  // namespace
}  // namespace rer
