// What a program run keeps and checks against a simulated pager in virtual
// time: the backup of what the pager held before it was written, and the
// read-back verify after the write, for one pager and in a sequential run.

#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "codeplug/field_catalogue.h"
#include "codeplug/layout_table.h"
#include "codeplug/settings_diff.h"
#include "comm/virtual_clock.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "operations/program_run.h"
#include "pager/codeplug_file.h"
#include "pager/link_engine.h"
#include "pager/password_state.h"
#include "pager/read_pager.h"
#include "sim/demo_codeplug.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"
#include "temp_path.h"

namespace rer {
namespace {

constexpr std::uint8_t kModel = 0x84;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::size_t InventoryNumberOffset() {
  return *Layout(PagerFamily::k4K).Offset(Field::kInventoryNumber);
}

// A pager in the cradle whose codeplug the editor has read, then edited: the
// inventory number and the first capcode are the technician's.
class ProgramSafetyTest : public ::testing::Test {
 protected:
  void Start(SimScenario scenario) {
    pager = std::make_unique<SimPager>(std::move(scenario));
    transport = std::make_unique<SimTransport>(*pager, clock, &ui);
    {
      PagerLink link(*transport, clock, ui, session.link, session.image.Bytes(),
                     session.pagerCopy.Bytes());
      PasswordChecks checks(session.passwords, ui, clock);
      ASSERT_EQ(ReadPager(session, link, checks, ui), kSuccess);
    }
    earlier = pager->image();
    session.settings.SetText(Control::ed_ICN, "UNIT0042");
    session.settings.SetText(AddressControl::Capcode, 1, "0002000");
    programmer = std::make_unique<PagerProgrammer>(session, *transport, clock, ui);
    folder = testing::TempPath("program_safety_backups");
    QDir(QString::fromStdString(folder)).removeRecursively();
  }

  void TearDown() override { QDir(QString::fromStdString(folder)).removeRecursively(); }

  SimScenario FaultyPager() const {
    SimScenario scenario = DemoScenario(kModel);
    scenario.storeWrongByteAt = InventoryNumberOffset();
    return scenario;
  }

  std::vector<std::string> TextsWith(const std::string& part) const {
    std::vector<std::string> found;
    for (const std::string& text : ui.Texts()) {
      if (text.find(part) != std::string::npos) found.push_back(text);
    }
    return found;
  }

  PagerSession session;
  VirtualClock clock;
  ScriptedUserInterface ui;
  std::unique_ptr<SimPager> pager;
  std::unique_ptr<SimTransport> transport;
  std::unique_ptr<PagerProgrammer> programmer;
  std::vector<std::uint8_t> earlier;
  std::string folder;
};

TEST_F(ProgramSafetyTest, BackupHoldsWhatThePagerHeldBeforeAndACorrectWriteVerifies) {
  Start(DemoScenario(kModel));
  programmer->SetBackupFolder(folder);

  ASSERT_EQ(programmer->ProgramPager(), kSuccess) << ui.Texts().front();

  EXPECT_TRUE(ui.Texts().empty()) << ui.Texts().front();
  EXPECT_TRUE(programmer->LastVerify().Passed()) << VerifyDetail(programmer->LastVerify());
  ASSERT_NE(pager->image(), earlier);  // the pager holds the new codeplug
  ASSERT_TRUE(programmer->LastBackup());
  ASSERT_TRUE(programmer->LastBackup()->written) << programmer->LastBackup()->error;
  const auto backup = ParseCodeplugFile(ReadAll(programmer->LastBackup()->path));
  ASSERT_TRUE(backup);
  ASSERT_EQ(backup->length, earlier.size());
  EXPECT_TRUE(std::equal(earlier.begin(), earlier.end(), backup->image.begin()));
  // The pager copy still stands for what the pager held before the write.
  EXPECT_TRUE(std::equal(earlier.begin(), earlier.end(), session.pagerCopy.Bytes().begin()));
}

TEST_F(ProgramSafetyTest, BackupThatCannotBeWrittenLeavesTheProgramSuccessfulAndIsSaidOnce) {
  Start(DemoScenario(kModel));
  // A plain file where the backups folder would have to be made.
  const std::string blocker = testing::TempPath("program_safety_blocker");
  std::ofstream(blocker) << "x";
  programmer->SetBackupFolder(blocker + "/backups");

  EXPECT_EQ(programmer->ProgramPager(), kSuccess);
  EXPECT_EQ(programmer->ProgramPager(), kSuccess);

  ASSERT_TRUE(programmer->LastBackup());
  EXPECT_FALSE(programmer->LastBackup()->written);
  EXPECT_TRUE(programmer->LastVerify().Passed());
  const auto said = TextsWith(ComposeError(kBackupNotWritten).text);
  ASSERT_EQ(said.size(), 1u);  // the second pager of the same folder is not told again
  EXPECT_NE(said.front().find(blocker), std::string::npos) << said.front();
  EXPECT_EQ(ui.Texts().size(), 1u) << ui.Texts().back();
  std::remove(blocker.c_str());
}

TEST_F(ProgramSafetyTest, PagerThatStoresOneByteWrongFailsVerifyNamingTheSettingAndOffset) {
  Start(FaultyPager());

  EXPECT_EQ(programmer->ProgramPager(), kNotDone);

  const VerifyOutcome& verify = programmer->LastVerify();
  ASSERT_EQ(verify.state, VerifyState::Different) << VerifyDetail(verify);
  EXPECT_EQ(verify.offset, InventoryNumberOffset());
  EXPECT_EQ(verify.controlName, "ed_ICN");
  EXPECT_EQ(verify.written ^ verify.held, 0x01);
  const std::string label = ShownLabel(FieldCatalogue::Instance().Entry(Control::ed_ICN));
  const auto said = TextsWith(ComposeError(kVerifyMismatch).text);
  ASSERT_EQ(said.size(), 1u) << (ui.Texts().empty() ? "" : ui.Texts().front());
  char offset[16];
  std::snprintf(offset, sizeof offset, "0x%04zX", InventoryNumberOffset());
  EXPECT_NE(said.front().find(offset), std::string::npos) << said.front();
  EXPECT_NE(said.front().find(label + " (ed_ICN)"), std::string::npos) << said.front();
}

TEST_F(ProgramSafetyTest, SequentialRunLogsTheFailedPagerAndTheNextGetsTheSameAddresses) {
  Start(FaultyPager());
  SequentialRun run(session, *programmer, ui);

  const SequentialRun::Outcome first = run.ProgramNext(SequentialOrder::CheckAfterProgram);
  const SequentialRun::Outcome second = run.ProgramNext(SequentialOrder::CheckAfterProgram);

  EXPECT_TRUE(first.attempted);
  EXPECT_NE(first.result, kSuccess);
  EXPECT_FALSE(first.advanced);
  EXPECT_FALSE(second.advanced);
  ASSERT_EQ(run.Log().size(), 2u);
  EXPECT_EQ(run.Log()[0].result, kVerifyMismatch);
  EXPECT_EQ(run.Log()[1].result, kVerifyMismatch);
  EXPECT_EQ(run.Log()[0].firstCapcode, "0002000");
  EXPECT_EQ(run.Log()[1].firstCapcode, "0002000");
  EXPECT_EQ(session.settings.Text(AddressControl::Capcode, 1), "0002000");
}

TEST_F(ProgramSafetyTest, VerifyTurnedOffDoesNotReadThePagerBack) {
  Start(FaultyPager());
  int reads = 0;
  pager->SetOperationListener([&reads](const std::string& json) {
    if (json == R"({"op":"read"})") ++reads;
  });
  const auto readsDuring = [&](auto program) {
    const int before = reads;
    program();
    return reads - before;
  };

  programmer->SetVerify(false);
  const auto readsWithout = readsDuring([&] { EXPECT_EQ(programmer->ProgramPager(), kSuccess); });
  EXPECT_EQ(programmer->LastVerify().state, VerifyState::NotRun);
  EXPECT_TRUE(TextsWith(ComposeError(kVerifyMismatch).text).empty());

  programmer->SetVerify(true);
  const auto readsWith = readsDuring([&] { EXPECT_EQ(programmer->ProgramPager(), kNotDone); });
  EXPECT_GT(readsWithout, 0);
  EXPECT_GT(readsWith, readsWithout);
}

}  // namespace
}  // namespace rer
