// The one path by which reads and program attempts reach the history: the
// run's identifier on every record, and a failing store said once per run
// without stopping anything.

#include <gtest/gtest.h>

#include "core/result_codes.h"
#include "operations/operation_recorder.h"
#include "pager/codeplug_file.h"

namespace rer {
namespace {

class FakeRecorder : public OperationRecorder {
 public:
  bool Record(const PagerRecord& record, std::string& error) override {
    records.push_back(record);
    if (fail) error = "disk full";
    return !fail;
  }
  std::vector<PagerRecord> records;
  bool fail = false;
};

TEST(RunRecorder, EveryRecordCarriesTheRunAndTheSession) {
  FakeRecorder store;
  std::vector<std::string> reports;
  RunRecorder run(
      &store, [&](const std::string& e) { reports.push_back(e); }, "run-7");
  PagerSession session;
  session.link.ModelCode = 0x84;
  session.link.SerialNumber = "SN00000042";
  session.link.FirmwareVersion = " R0501";
  session.image.Bytes()[5] = 0xAB;
  session.pagerCopy.Bytes()[5] = 0xCD;
  run.RecordRead(session, "sim", kSuccess, "/b/x.cp");
  run.RecordProgramAttempt(session, "/dev/ttyUSB0", kLinkNotResponding, true);
  run.RecordProgramAttempt(session, "/dev/ttyUSB0", kSuccess, false);
  ASSERT_EQ(store.records.size(), 3u);
  for (const PagerRecord& r : store.records) {
    EXPECT_EQ(r.runId, "run-7");
    EXPECT_EQ(r.serialNumber, "SN00000042");
    EXPECT_EQ(r.image.size(), CodeplugFileLength(0x84));
    EXPECT_EQ(r.image[5], 0xAB);
    EXPECT_FALSE(r.time.empty());
  }
  EXPECT_EQ(store.records[0].operation, kReadOperation);
  EXPECT_EQ(store.records[0].backupFile, "/b/x.cp");
  EXPECT_TRUE(store.records[0].previousImage.empty());
  EXPECT_EQ(store.records[1].operation, kProgramOperation);
  EXPECT_FALSE(store.records[1].message.empty());
  ASSERT_EQ(store.records[1].previousImage.size(), CodeplugFileLength(0x84));
  EXPECT_EQ(store.records[1].previousImage[5], 0xCD);
  // Not read first: the pager copy may be an earlier pager's.
  EXPECT_TRUE(store.records[2].previousImage.empty());
  EXPECT_TRUE(store.records[2].message.empty());
  EXPECT_TRUE(reports.empty());
  EXPECT_TRUE(run.AllKept());
}

TEST(RunRecorder, AFailingStoreIsReportedOncePerRun) {
  FakeRecorder store;
  store.fail = true;
  std::vector<std::string> reports;
  RunRecorder run(&store, [&](const std::string& e) { reports.push_back(e); });
  PagerSession session;
  for (int i = 0; i < 3; ++i) run.RecordProgramAttempt(session, "sim", kSuccess, false);
  EXPECT_EQ(store.records.size(), 3u);  // every attempt is still offered
  EXPECT_EQ(reports, std::vector<std::string>{"disk full"});
  EXPECT_FALSE(run.AllKept());
}

TEST(RunRecorder, RunsGetDifferentIdentifiers) {
  EXPECT_NE(NewRunId(), NewRunId());
}

}  // namespace
}  // namespace rer
