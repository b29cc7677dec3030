#include "history/pager_history.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>
#include <atomic>

#include "core/result_codes.h"
#include "pager/codeplug_file.h"

namespace rer {
namespace {

// Version 1: the rows and their capcodes. Version 2: the codeplug a pager
// held before it was programmed, and the search by inventory number.
const std::vector<std::vector<std::string>> kMigrations = {
    {
        "CREATE TABLE pager_history ("
        " id INTEGER PRIMARY KEY AUTOINCREMENT,"
        " recorded_at TEXT NOT NULL,"
        " operation TEXT NOT NULL,"
        " port TEXT NOT NULL DEFAULT '',"
        " model_code INTEGER NOT NULL DEFAULT 0,"
        " firmware TEXT NOT NULL DEFAULT '',"
        " serial_number TEXT NOT NULL DEFAULT '',"
        " inventory_number TEXT NOT NULL DEFAULT '',"
        " frequency TEXT NOT NULL DEFAULT '',"
        " result_code INTEGER NOT NULL,"
        " result_message TEXT NOT NULL DEFAULT '',"
        " run_id TEXT NOT NULL DEFAULT '',"
        " cgrom_type INTEGER NOT NULL DEFAULT 0,"
        " large_memory INTEGER NOT NULL DEFAULT 0,"
        " image BLOB,"
        " backup_file TEXT NOT NULL DEFAULT '')",
        "CREATE TABLE pager_capcodes ("
        " history_id INTEGER NOT NULL REFERENCES pager_history(id) ON DELETE CASCADE,"
        " slot INTEGER NOT NULL,"
        " capcode TEXT NOT NULL,"
        " capcode_key TEXT NOT NULL,"
        " PRIMARY KEY (history_id, slot))",
        "CREATE INDEX pager_capcodes_by_key ON pager_capcodes(capcode_key, history_id)",
        "CREATE INDEX pager_history_by_serial ON pager_history(serial_number, id)",
        "CREATE INDEX pager_history_by_time ON pager_history(recorded_at)",
    },
    {
        "ALTER TABLE pager_history ADD COLUMN previous_image BLOB",
        "CREATE INDEX pager_history_by_icn ON pager_history(inventory_number)",
    },
};

constexpr char kColumns[] =
    "h.id, h.recorded_at, h.operation, h.port, h.model_code, h.firmware, h.serial_number,"
    " h.inventory_number, h.frequency, h.result_code, h.result_message, h.run_id,"
    " h.cgrom_type, h.large_memory, h.image, h.backup_file, h.previous_image";

// Qt SQL loads its drivers through the application object; the command line
// and the tests have none of their own.
void EnsureCoreApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "rer";
  static char* argv[] = {name, nullptr};
  static QCoreApplication application(argc, argv);
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

std::string Why(const QSqlError& error) {
  const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
  return text.toStdString();
}

// Capcodes are compared as numbers typed with or without leading zeros.
std::string CapcodeKey(const std::string& capcode) {
  const auto first = capcode.find_first_not_of(" 0");
  if (first == std::string::npos) return capcode.find('0') != std::string::npos ? "0" : "";
  const auto last = capcode.find_last_not_of(' ');
  return capcode.substr(first, last - first + 1);
}

QByteArray Blob(const std::vector<std::uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

std::vector<std::uint8_t> Bytes(const QVariant& value) {
  const QByteArray blob = value.toByteArray();
  return {blob.begin(), blob.end()};
}

HistoryRow RowOf(const QSqlQuery& q) {
  HistoryRow row;
  PagerRecord& r = row.record;
  row.id = q.value(0).toLongLong();
  r.time = q.value(1).toString().toStdString();
  r.operation = q.value(2).toString().toStdString();
  r.port = q.value(3).toString().toStdString();
  r.modelCode = static_cast<std::uint8_t>(q.value(4).toInt());
  r.firmware = q.value(5).toString().toStdString();
  r.serialNumber = q.value(6).toString().toStdString();
  r.inventoryNumber = q.value(7).toString().toStdString();
  r.frequency = q.value(8).toString().toStdString();
  r.result = q.value(9).toInt();
  r.message = q.value(10).toString().toStdString();
  r.runId = q.value(11).toString().toStdString();
  r.header.cgromType = static_cast<std::uint8_t>(q.value(12).toInt());
  r.header.largeMemory = q.value(13).toInt() != 0;
  r.header.modelCode = r.modelCode;
  r.image = Bytes(q.value(14));
  r.backupFile = q.value(15).toString().toStdString();
  r.previousImage = Bytes(q.value(16));
  return row;
}

}  // namespace

int HistorySchemaVersion() {
  return static_cast<int>(kMigrations.size());
}

const std::vector<std::vector<std::string>>& HistoryMigrations() {
  return kMigrations;
}

std::string DefaultHistoryPath() {
  // The same folder for the window and the command line, whatever name the
  // running program gives itself.
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return QDir(data).filePath("rer/pager-history.sqlite").toStdString();
}

PagerHistory::PagerHistory(std::string path, std::string connection)
    : path_(std::move(path)), connection_(std::move(connection)) {}

PagerHistory::~PagerHistory() {
  {
    QSqlDatabase db = QSqlDatabase::database(Q(connection_), false);
    if (db.isValid()) db.close();
  }
  QSqlDatabase::removeDatabase(Q(connection_));
}

std::unique_ptr<PagerHistory> PagerHistory::Open(const std::string& path, std::string& error) {
  EnsureCoreApplication();
  static std::atomic<int> connections{0};
  const std::string connection = "rer-history-" + std::to_string(++connections);
  if (!QSqlDatabase::isDriverAvailable("QSQLITE")) {
    error = "the SQLite driver of Qt SQL is not installed (libqt6sql6-sqlite)";
    return nullptr;
  }
  const QFileInfo file(Q(path));
  if (!file.exists() && !QDir().mkpath(file.absolutePath())) {
    error = "cannot make the folder " + file.absolutePath().toStdString();
    return nullptr;
  }
  std::unique_ptr<PagerHistory> history(new PagerHistory(path, connection));
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", Q(connection));
    db.setDatabaseName(Q(path));
    // A busy database (a second program writing) is waited for a while
    // rather than refused at once.
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=5000");
    if (!db.open()) {
      error = Why(db.lastError());
      return nullptr;
    }
  }
  if (!history->Migrate(error)) return nullptr;
  return history;
}

bool PagerHistory::Migrate(std::string& error) {
  QSqlDatabase db = QSqlDatabase::database(Q(connection_));
  QSqlQuery q(db);
  // The first statement is where a file that is no database says so.
  if (!q.exec("PRAGMA user_version") || !q.next()) {
    error = Why(q.lastError());
    return false;
  }
  int version = q.value(0).toInt();
  q.finish();
  if (version > HistorySchemaVersion()) {
    error = "the database was written by a newer version of this program (schema " +
            std::to_string(version) + ", this one knows " + std::to_string(HistorySchemaVersion()) +
            ")";
    return false;
  }
  // Write-ahead logging: a crash, or a cradle pulled mid-run, can lose only
  // the row being written; every committed row stays. FULL makes each commit
  // reach the disk before the pager operation goes on.
  // Each statement's result is let go at once: a pragma left open holds a
  // read lock, and two connections opening at once would then each wait on
  // the other.
  for (const char* pragma :
       {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=ON"}) {
    if (!q.exec(pragma)) {
      error = Why(q.lastError());
      return false;
    }
    q.finish();
  }
  // Each step takes the write lock before it looks at the version again:
  // two programs (or two cradles) opening a new database at once must not
  // both run the same step; the second finds it done.
  for (;;) {
    if (!q.exec("BEGIN IMMEDIATE")) {
      error = Why(q.lastError());
      return false;
    }
    if (!q.exec("PRAGMA user_version") || !q.next()) {
      error = Why(q.lastError());
      q.exec("ROLLBACK");
      return false;
    }
    version = q.value(0).toInt();
    q.finish();
    if (version >= HistorySchemaVersion()) {
      q.exec("COMMIT");
      break;
    }
    // Before the first step, under the lock: a file that already holds
    // tables of its own is some other database, left as it is.
    if (version == 0) {
      if (!q.exec("SELECT count(*) FROM sqlite_master") || !q.next()) {
        error = Why(q.lastError());
        q.exec("ROLLBACK");
        return false;
      }
      const bool foreign = q.value(0).toInt() != 0;
      q.finish();
      if (foreign) {
        error = "the file is a database, but not a pager history";
        q.exec("ROLLBACK");
        return false;
      }
    }
    for (const std::string& statement : kMigrations[static_cast<std::size_t>(version)]) {
      if (!q.exec(Q(statement))) {
        error = "cannot bring the database to schema " + std::to_string(version + 1) + ": " +
                Why(q.lastError());
        q.exec("ROLLBACK");
        return false;
      }
    }
    // The version moves with the transaction: a migration is all or nothing.
    if (!q.exec(QString("PRAGMA user_version=%1").arg(version + 1)) || !q.exec("COMMIT")) {
      error = Why(q.lastError());
      q.exec("ROLLBACK");
      return false;
    }
  }
  return true;
}

bool PagerHistory::Record(const PagerRecord& record, std::string& error) {
  QSqlDatabase db = QSqlDatabase::database(Q(connection_));
  if (!db.transaction()) {
    error = Why(db.lastError());
    return false;
  }
  QSqlQuery q(db);
  const auto fail = [&](const QSqlError& why) {
    error = Why(why);
    q.finish();
    db.rollback();
    return false;
  };
  q.prepare(
      "INSERT INTO pager_history (recorded_at, operation, port, model_code, firmware,"
      " serial_number, inventory_number, frequency, result_code, result_message, run_id,"
      " cgrom_type, large_memory, image, backup_file, previous_image)"
      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  const QString time = record.time.empty()
                           ? QDateTime::currentDateTimeUtc().toString("yyyy-MM-ddTHH:mm:ss.zzzZ")
                           : Q(record.time);
  q.addBindValue(time);
  q.addBindValue(Q(record.operation));
  q.addBindValue(Q(record.port));
  q.addBindValue(static_cast<int>(record.modelCode));
  q.addBindValue(Q(record.firmware));
  q.addBindValue(Q(record.serialNumber));
  q.addBindValue(Q(record.inventoryNumber));
  q.addBindValue(Q(record.frequency));
  q.addBindValue(record.result);
  q.addBindValue(Q(record.message));
  q.addBindValue(Q(record.runId));
  q.addBindValue(static_cast<int>(record.header.cgromType));
  q.addBindValue(record.header.largeMemory ? 1 : 0);
  q.addBindValue(record.image.empty() ? QVariant(QMetaType(QMetaType::QByteArray))
                                      : QVariant(Blob(record.image)));
  q.addBindValue(Q(record.backupFile));
  q.addBindValue(record.previousImage.empty() ? QVariant(QMetaType(QMetaType::QByteArray))
                                              : QVariant(Blob(record.previousImage)));
  if (!q.exec()) return fail(q.lastError());
  const long long id = q.lastInsertId().toLongLong();
  q.finish();
  q.prepare(
      "INSERT INTO pager_capcodes (history_id, slot, capcode, capcode_key) VALUES (?, ?, ?, ?)");
  for (std::size_t slot = 0; slot < record.capcodes.size(); ++slot) {
    const std::string key = CapcodeKey(record.capcodes[slot]);
    if (key.empty()) continue;
    q.bindValue(0, id);
    q.bindValue(1, static_cast<int>(slot + 1));
    q.bindValue(2, Q(record.capcodes[slot]));
    q.bindValue(3, Q(key));
    if (!q.exec()) return fail(q.lastError());
  }
  q.finish();
  if (!db.commit()) return fail(db.lastError());
  lastId_ = id;
  return true;
}

std::optional<std::vector<HistoryRow>> PagerHistory::Find(const HistoryQuery& query,
                                                          std::string& error) const {
  QSqlDatabase db = QSqlDatabase::database(Q(connection_));
  QString sql = QString("SELECT %1 FROM pager_history h WHERE 1=1").arg(kColumns);
  QVariantList values;
  if (query.currentOnly) {
    // No later row of the same pager; checked per candidate, so that a
    // capcode search stays a lookup in the capcode index.
    sql +=
        " AND h.serial_number <> '' AND NOT EXISTS (SELECT 1 FROM pager_history n"
        " WHERE n.serial_number = h.serial_number AND n.id > h.id)";
  }
  if (query.serialNumber) {
    sql += " AND h.serial_number = ?";
    values << Q(*query.serialNumber);
  }
  if (query.inventoryNumber) {
    sql += " AND h.inventory_number = ?";
    values << Q(*query.inventoryNumber);
  }
  if (query.capcode) {
    sql += " AND h.id IN (SELECT history_id FROM pager_capcodes WHERE capcode_key = ?)";
    values << Q(CapcodeKey(*query.capcode));
  }
  if (query.anyText && !query.anyText->empty()) {
    sql +=
        " AND (h.serial_number LIKE ? ESCAPE '\\' OR h.inventory_number LIKE ? ESCAPE '\\'"
        " OR h.id IN (SELECT history_id FROM pager_capcodes WHERE capcode_key = ?))";
    QString prefix = Q(*query.anyText);
    prefix.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_");
    values << prefix + "%" << prefix + "%" << Q(CapcodeKey(*query.anyText));
  }
  if (query.since) {
    sql += " AND h.recorded_at >= ?";
    values << Q(*query.since);
  }
  if (query.failedOnly) {
    sql += " AND h.result_code <> ?";
    values << kSuccess;
  }
  sql += " ORDER BY h.id DESC";
  if (query.limit > 0) sql += QString(" LIMIT %1").arg(query.limit);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  q.prepare(sql);
  for (const QVariant& value : values) q.addBindValue(value);
  if (!q.exec()) {
    error = Why(q.lastError());
    return std::nullopt;
  }
  std::vector<HistoryRow> rows;
  while (q.next()) rows.push_back(RowOf(q));
  q.finish();
  // The capcodes of the rows found, slot by slot.
  QSqlQuery c(db);
  c.prepare("SELECT slot, capcode FROM pager_capcodes WHERE history_id = ?");
  for (HistoryRow& row : rows) {
    c.bindValue(0, row.id);
    if (!c.exec()) {
      error = Why(c.lastError());
      return std::nullopt;
    }
    while (c.next()) {
      const int slot = c.value(0).toInt();
      if (slot >= 1 && slot <= kAddressCount) {
        row.record.capcodes[static_cast<std::size_t>(slot - 1)] =
            c.value(1).toString().toStdString();
      }
    }
  }
  return rows;
}

std::optional<HistoryRow> PagerHistory::Row(long long id, std::string& error) const {
  QSqlDatabase db = QSqlDatabase::database(Q(connection_));
  QSqlQuery q(db);
  q.prepare(QString("SELECT %1 FROM pager_history h WHERE h.id = ?").arg(kColumns));
  q.addBindValue(id);
  if (!q.exec()) {
    error = Why(q.lastError());
    return std::nullopt;
  }
  if (!q.next()) {
    error = "no row " + std::to_string(id) + " in the history";
    return std::nullopt;
  }
  HistoryRow row = RowOf(q);
  q.finish();
  QSqlQuery c(db);
  c.prepare("SELECT slot, capcode FROM pager_capcodes WHERE history_id = ?");
  c.addBindValue(id);
  if (c.exec()) {
    while (c.next()) {
      const int slot = c.value(0).toInt();
      if (slot >= 1 && slot <= kAddressCount) {
        row.record.capcodes[static_cast<std::size_t>(slot - 1)] =
            c.value(1).toString().toStdString();
      }
    }
  }
  return row;
}

bool HistoryAtPath::Record(const PagerRecord& record, std::string& error) {
  if (!history_) {
    history_ = PagerHistory::Open(path_, error);
    if (!history_) return false;
  }
  return history_->Record(record, error);
}

void HistoryAtPath::SetPath(std::string path) {
  if (path == path_) return;
  history_.reset();
  path_ = std::move(path);
}

bool RestoreCodeplugFile(const HistoryRow& row, bool previous, const std::string& path,
                         std::string& error) {
  const std::vector<std::uint8_t>& image = previous ? row.record.previousImage : row.record.image;
  if (image.empty() || image.size() != CodeplugFileLength(row.record.modelCode)) {
    error = "row " + std::to_string(row.id) + " keeps no " +
            (previous ? "codeplug from before programming" : "codeplug");
    return false;
  }
  std::string reason;
  if (!WriteCodeplugFileSafely(path, FormatCodeplugFile(image, row.record.header), &reason)) {
    error = "cannot write " + path + ": " + reason;
    return false;
  }
  return true;
}

std::string LocalTimeText(const std::string& utcTime) {
  QDateTime time = QDateTime::fromString(Q(utcTime), Qt::ISODateWithMs);
  if (!time.isValid()) return utcTime;
  return time.toLocalTime().toString("yyyy-MM-dd HH:mm:ss").toStdString();
}

std::optional<std::string> SinceFromLocalText(const std::string& text) {
  QString typed = Q(text).trimmed();
  typed.replace(' ', 'T');
  QDateTime time;
  if (typed.size() == 10) {
    const QDate date = QDate::fromString(typed, Qt::ISODate);
    if (date.isValid()) time = date.startOfDay();
  } else {
    // Without an offset the text is local time, as the lists show it.
    time = QDateTime::fromString(typed, Qt::ISODate);
  }
  if (!time.isValid()) return std::nullopt;
  return time.toUTC().toString("yyyy-MM-ddTHH:mm:ss.zzzZ").toStdString();
}

}  // namespace rer
