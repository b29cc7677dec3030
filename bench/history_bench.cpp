// The pager history with 100,000 rows: adding one more row (one transaction,
// written through to the disk) and finding the rows of one capcode, plain
// and with only the newest row of each serial number.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "history/pager_history.h"

namespace {

constexpr int kRows = 100000;
constexpr int kPagers = 20000;  // every pager read and programmed a few times

std::string Capcode(int row, int slot) {
  char text[16];
  std::snprintf(text, sizeof text, "%07d", (row * 16 + slot) % 2000000);
  return text;
}

rer::PagerRecord SampleRecord(int row) {
  rer::PagerRecord r;
  r.operation = row % 2 ? rer::kProgramOperation : rer::kReadOperation;
  r.port = "/dev/ttyUSB0";
  r.modelCode = 0xC0;
  r.firmware = " R0501";
  r.serialNumber = "SN" + std::to_string(row % kPagers);
  r.inventoryNumber = "ICN" + std::to_string(row);
  for (int slot = 0; slot < 16; ++slot)
    r.capcodes[static_cast<std::size_t>(slot)] = Capcode(row, slot);
  r.frequency = "152.2400";
  r.result = 1;
  r.runId = "bench";
  r.image.assign(4096, static_cast<std::uint8_t>(row));
  r.header = {0, true, 0xC0};
  return r;
}

// A history of kRows rows, filled once in one transaction straight through
// SQL (row by row, each written through to the disk, would take an hour).
const std::string& FilledHistory() {
  static const std::string path = [] {
    const std::string file = QDir::tempPath().toStdString() + "/rer_history_bench_" +
                             std::to_string(getpid()) + ".sqlite";
    for (const char* suffix : {"", "-wal", "-shm"}) std::remove((file + suffix).c_str());
    std::string error;
    if (!rer::PagerHistory::Open(file, error)) {
      std::fprintf(stderr, "history: %s\n", error.c_str());
      std::abort();
    }
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-fill");
      db.setDatabaseName(QString::fromStdString(file));
      db.open();
      db.transaction();
      QSqlQuery row(db);
      row.prepare(
          "INSERT INTO pager_history (recorded_at, operation, port, model_code, serial_number,"
          " inventory_number, result_code, image) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
      QSqlQuery capcode(db);
      capcode.prepare(
          "INSERT INTO pager_capcodes (history_id, slot, capcode, capcode_key) VALUES (?,?,?,?)");
      const QByteArray image(4096, '\x5a');
      for (int i = 0; i < kRows; ++i) {
        const rer::PagerRecord r = SampleRecord(i);
        row.addBindValue(
            QString("2026-%1-01T08:00:00.000Z").arg(1 + i * 12 / kRows, 2, 10, QChar('0')));
        row.addBindValue(QString::fromStdString(r.operation));
        row.addBindValue(QString::fromStdString(r.port));
        row.addBindValue(static_cast<int>(r.modelCode));
        row.addBindValue(QString::fromStdString(r.serialNumber));
        row.addBindValue(QString::fromStdString(r.inventoryNumber));
        row.addBindValue(1);
        row.addBindValue(image);
        row.exec();
        const qlonglong id = row.lastInsertId().toLongLong();
        for (int slot = 0; slot < 16; ++slot) {
          const QString text = QString::fromStdString(r.capcodes[static_cast<std::size_t>(slot)]);
          QString key = text;
          while (key.size() > 1 && key.startsWith('0')) key.remove(0, 1);
          capcode.addBindValue(id);
          capcode.addBindValue(slot + 1);
          capcode.addBindValue(text);
          capcode.addBindValue(key);
          capcode.exec();
        }
      }
      db.commit();
      db.close();
    }
    QSqlDatabase::removeDatabase("bench-fill");
    // Some 400 MB of images: not left behind in the temporary folder.
    static std::string toRemove;
    toRemove = file;
    std::atexit([] {
      for (const char* suffix : {"", "-wal", "-shm"}) std::remove((toRemove + suffix).c_str());
    });
    return file;
  }();
  return path;
}

void BM_AddRowTo100kHistory(benchmark::State& state) {
  std::string error;
  auto history = rer::PagerHistory::Open(FilledHistory(), error);
  int n = kRows;
  for (auto _ : state) {
    if (!history->Record(SampleRecord(n++), error)) state.SkipWithError(error.c_str());
  }
}
BENCHMARK(BM_AddRowTo100kHistory)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CapcodeSearchIn100kHistory(benchmark::State& state) {
  std::string error;
  auto history = rer::PagerHistory::Open(FilledHistory(), error);
  rer::HistoryQuery query;
  query.currentOnly = state.range(0) != 0;
  int n = 0;
  std::size_t found = 0;
  for (auto _ : state) {
    query.capcode = Capcode((n++ * 7919) % kRows, 3);
    const auto rows = history->Find(query, error);
    if (!rows) state.SkipWithError(error.c_str());
    found += rows ? rows->size() : 0;
  }
  state.counters["rows found"] =
      benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CapcodeSearchIn100kHistory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
