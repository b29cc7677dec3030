// The pager history database: rows and their searches, the newest row of a
// serial number, the restore of a kept codeplug, the migration of an older
// file, and the files it must refuse with a clear reason.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdio>
#include <fstream>

#include "core/result_codes.h"
#include "history/pager_history.h"
#include "pager/codeplug_file.h"
#include "temp_path.h"

namespace rer {
namespace {

// Qt SQL loads its driver through the application object; the history makes
// one when it is first opened, these tests open files of their own before.
void NeedApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "rer_history_tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication application(argc, argv);
}

std::string FreshPath(const std::string& name) {
  NeedApplication();
  const std::string path = testing::TempPath(name);
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
  return path;
}

std::vector<std::uint8_t> Image(std::uint8_t seed) {
  std::vector<std::uint8_t> image(CodeplugFileLength(0x84));
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + seed);
  // The model word, as a codeplug file of that family carries it.
  image[0] = 0;
  image[1] = 0x84;
  return image;
}

PagerRecord Record(const std::string& serial, std::vector<std::string> capcodes,
                   int result = kSuccess, std::string time = "2026-12-01T10:00:00.000Z") {
  PagerRecord r;
  r.time = std::move(time);
  r.operation = kProgramOperation;
  r.port = "sim";
  r.modelCode = 0x84;
  r.firmware = " R0501";
  r.serialNumber = serial;
  r.inventoryNumber = "ICN-" + serial;
  for (std::size_t i = 0; i < capcodes.size(); ++i) r.capcodes[i] = capcodes[i];
  r.frequency = "152.2400";
  r.result = result;
  r.runId = "run-1";
  r.image = Image(static_cast<std::uint8_t>(serial.empty() ? 0 : serial.back()));
  r.header = CodeplugFileHeader{0, true, 0x84};
  return r;
}

std::vector<std::string> Serials(const std::vector<HistoryRow>& rows) {
  std::vector<std::string> serials;
  for (const HistoryRow& row : rows) serials.push_back(row.record.serialNumber);
  return serials;
}

class HistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    history_ = PagerHistory::Open(FreshPath("history.sqlite"), error);
    ASSERT_TRUE(history_) << error;
  }
  void Add(const PagerRecord& record) {
    std::string error;
    ASSERT_TRUE(history_->Record(record, error)) << error;
  }
  std::vector<HistoryRow> Find(const HistoryQuery& query) {
    std::string error;
    auto rows = history_->Find(query, error);
    EXPECT_TRUE(rows) << error;
    return rows.value_or(std::vector<HistoryRow>{});
  }
  std::unique_ptr<PagerHistory> history_;
};

TEST_F(HistoryTest, ARowKeepsEverythingRecorded) {
  PagerRecord record = Record("SN00000001", {"0001000", "0001001", "", "2097151"});
  record.message = "The pager did not answer";
  record.backupFile = "/backups/SN00000001_20261201-100000.cp";
  record.previousImage = Image(99);
  Add(record);
  const auto rows = Find({});
  ASSERT_EQ(rows.size(), 1u);
  const PagerRecord& kept = rows[0].record;
  EXPECT_EQ(rows[0].id, history_->LastId());
  EXPECT_EQ(kept.time, record.time);
  EXPECT_EQ(kept.operation, record.operation);
  EXPECT_EQ(kept.port, record.port);
  EXPECT_EQ(kept.modelCode, record.modelCode);
  EXPECT_EQ(kept.firmware, record.firmware);
  EXPECT_EQ(kept.serialNumber, record.serialNumber);
  EXPECT_EQ(kept.inventoryNumber, record.inventoryNumber);
  EXPECT_EQ(kept.capcodes, record.capcodes);
  EXPECT_EQ(kept.frequency, record.frequency);
  EXPECT_EQ(kept.result, record.result);
  EXPECT_EQ(kept.message, record.message);
  EXPECT_EQ(kept.runId, record.runId);
  EXPECT_EQ(kept.image, record.image);
  EXPECT_EQ(kept.previousImage, record.previousImage);
  EXPECT_EQ(kept.backupFile, record.backupFile);
  EXPECT_EQ(kept.header.largeMemory, true);
}

TEST_F(HistoryTest, SearchesMatchEveryConditionNewestFirst) {
  Add(Record("SN1", {"0001000", "0001001"}, kSuccess, "2026-11-01T08:00:00.000Z"));
  Add(Record("SN2", {"0002000"}, kLinkNotResponding, "2026-12-02T08:00:00.000Z"));
  Add(Record("SN3", {"0001001"}, kSuccess, "2026-12-03T08:00:00.000Z"));
  struct Case {
    const char* what;
    HistoryQuery query;
    std::vector<std::string> serials;
  };
  HistoryQuery bySerial;
  bySerial.serialNumber = "SN2";
  HistoryQuery byCapcode;
  byCapcode.capcode = "1001";  // typed without the leading zeros
  HistoryQuery byIcn;
  byIcn.inventoryNumber = "ICN-SN3";
  HistoryQuery failed;
  failed.failedOnly = true;
  HistoryQuery since;
  since.since = "2026-12-01";
  HistoryQuery sinceAndCapcode = byCapcode;
  sinceAndCapcode.since = "2026-12-01";
  HistoryQuery unknown;
  unknown.capcode = "7777777";
  const Case cases[] = {
      {"all", {}, {"SN3", "SN2", "SN1"}},
      {"serial", bySerial, {"SN2"}},
      {"capcode", byCapcode, {"SN3", "SN1"}},
      {"inventory number", byIcn, {"SN3"}},
      {"failed", failed, {"SN2"}},
      {"since", since, {"SN3", "SN2"}},
      {"since and capcode", sinceAndCapcode, {"SN3"}},
      {"unknown capcode", unknown, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Serials(Find(c.query)), c.serials) << c.what;
}

TEST_F(HistoryTest, CurrentFindsThePagerThatHoldsTheCapcodeNow) {
  Add(Record("OLD", {"0005000"}));
  Add(Record("OLD", {"0005001"}));                   // reprogrammed away from 5000
  Add(Record("NEW", {"0005000"}));                   // now carries it
  Add(Record("", {"0005000"}, kLinkNotResponding));  // a pager that never said who it was
  HistoryQuery query;
  query.capcode = "0005000";
  EXPECT_EQ(Serials(Find(query)), (std::vector<std::string>{"", "NEW", "OLD"}));
  query.currentOnly = true;
  EXPECT_EQ(Serials(Find(query)), std::vector<std::string>{"NEW"});
}

TEST_F(HistoryTest, RestoreWritesTheKeptCodeplug) {
  PagerRecord record = Record("SN1", {"0001000"});
  record.previousImage = Image(42);
  Add(record);
  std::string error;
  const auto row = history_->Row(history_->LastId(), error);
  ASSERT_TRUE(row) << error;
  const std::string path = FreshPath("restored.cp");
  const std::size_t expectedLength = CodeplugFileLength(0x84);
  for (const bool previous : {false, true}) {
    ASSERT_TRUE(RestoreCodeplugFile(*row, previous, path, error)) << error;
    const auto parsed = ParseCodeplugFile(ReadTextFile(path).value_or(""));
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->length, expectedLength);
    const auto& expected = previous ? record.previousImage : record.image;
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), parsed->image.begin())) << previous;
    EXPECT_TRUE(parsed->largeMemory);
  }
  // A read keeps no earlier codeplug: nothing is written for it.
  PagerRecord read = Record("SN2", {});
  read.operation = kReadOperation;
  Add(read);
  const auto readRow = history_->Row(history_->LastId(), error);
  ASSERT_TRUE(readRow);
  EXPECT_FALSE(RestoreCodeplugFile(*readRow, true, path, error));
  EXPECT_NE(error.find("keeps no codeplug from before programming"), std::string::npos);
  EXPECT_FALSE(history_->Row(999, error));
}

TEST(HistoryMigration, AnOlderFileIsBroughtUpToDateAndKeepsItsRows) {
  const std::string path = FreshPath("old.sqlite");
  {
    // A file as the first schema wrote it, with one row.
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "old-schema");
    db.setDatabaseName(QString::fromStdString(path));
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    for (const std::string& statement : HistoryMigrations().at(0)) {
      ASSERT_TRUE(q.exec(QString::fromStdString(statement)));
    }
    ASSERT_TRUE(
        q.exec("INSERT INTO pager_history (recorded_at, operation, serial_number,"
               " result_code) VALUES ('2026-01-01T00:00:00.000Z', 'read', 'OLD1', 1)"));
    ASSERT_TRUE(q.exec("INSERT INTO pager_capcodes VALUES (1, 1, '0003000', '3000')"));
    ASSERT_TRUE(q.exec("PRAGMA user_version=1"));
    q.finish();
    db.close();
  }
  QSqlDatabase::removeDatabase("old-schema");
  ASSERT_GT(HistorySchemaVersion(), 1);

  std::string error;
  auto history = PagerHistory::Open(path, error);
  ASSERT_TRUE(history) << error;
  HistoryQuery query;
  query.capcode = "3000";
  auto rows = history->Find(query, error);
  ASSERT_TRUE(rows) << error;
  ASSERT_EQ(rows->size(), 1u);
  EXPECT_EQ((*rows)[0].record.serialNumber, "OLD1");
  // The columns of the newer schema are there to be written.
  PagerRecord record = Record("NEW1", {"0003000"});
  record.previousImage = Image(1);
  ASSERT_TRUE(history->Record(record, error)) << error;
  EXPECT_EQ(history->Row(history->LastId(), error)->record.previousImage, record.previousImage);
  history.reset();

  // Opened again, nothing is migrated twice.
  history = PagerHistory::Open(path, error);
  ASSERT_TRUE(history) << error;
  EXPECT_EQ(history->Find({}, error)->size(), 2u);
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

TEST(HistoryFiles, UnusableFilesAreRefusedWithTheirReason) {
  const std::string garbage = FreshPath("garbage.sqlite");
  WriteFile(garbage, std::string(4096, 'x'));

  const std::string other = FreshPath("other.sqlite");
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other-db");
    db.setDatabaseName(QString::fromStdString(other));
    ASSERT_TRUE(db.open());
    QSqlQuery(db).exec("CREATE TABLE something (x)");
    db.close();
  }
  QSqlDatabase::removeDatabase("other-db");

  const std::string newer = FreshPath("newer.sqlite");
  {
    std::string error;
    ASSERT_TRUE(PagerHistory::Open(newer, error)) << error;
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer-db");
    db.setDatabaseName(QString::fromStdString(newer));
    ASSERT_TRUE(db.open());
    QSqlQuery(db).exec(QString("PRAGMA user_version=%1").arg(HistorySchemaVersion() + 1));
    db.close();
  }
  QSqlDatabase::removeDatabase("newer-db");

  const std::string underAFile = garbage + "/history.sqlite";

  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {
      {garbage, "not a database"},
      {other, "not a pager history"},
      {newer, "newer version"},
      {underAFile, "cannot make the folder"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(PagerHistory::Open(c.path, error)) << c.path;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.path << ": " << error;
  }
}

TEST(HistoryFiles, AReadOnlyFileRefusesTheRowAndSaysWhy) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes read-only files all the same";
  const std::string path = FreshPath("readonly.sqlite");
  {
    std::string error;
    ASSERT_TRUE(PagerHistory::Open(path, error)) << error;
  }
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  std::string error;
  auto history = PagerHistory::Open(path, error);
  bool refused = !history;
  if (history) refused = !history->Record(Record("SN1", {"0001000"}), error);
  EXPECT_TRUE(refused);
  EXPECT_FALSE(error.empty());
  chmod(path.c_str(), 0644);
}

}  // namespace
}  // namespace rer
