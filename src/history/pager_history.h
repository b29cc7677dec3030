#pragma once
// The pager history database: one row per pager read or program attempt,
// with the pager's identity, its sixteen capcodes (in a table of their own,
// indexed, so that a capcode is found among many thousands of rows at once),
// the result and the codeplug itself. The schema and its migrations live in
// pager_history.cpp, and the version is kept in the database, so that a file
// written by an older build is brought up to date when it is opened.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "operations/operation_recorder.h"

namespace rer {

// The schema version this build writes.
int HistorySchemaVersion();
// The SQL of each schema version, oldest first: entry N-1 takes a database
// from version N-1 to N. Kept public so that a test can build an old file.
const std::vector<std::vector<std::string>>& HistoryMigrations();

// The database when none is chosen: "pager-history.sqlite" in the user's data
// folder for this program (under XDG_DATA_HOME on Linux).
std::string DefaultHistoryPath();

// A kept row: its number in the database and what was recorded.
struct HistoryRow {
  long long id = 0;
  PagerRecord record;
};

struct HistoryQuery {
  std::optional<std::string> serialNumber;
  std::optional<std::string> capcode;  // leading zeros do not matter
  std::optional<std::string> inventoryNumber;
  std::optional<std::string> since;  // UTC, "YYYY-MM-DDTHH:MM:SS" or a prefix of it
  // The search box of the window: a serial or inventory number beginning
  // with it, or a capcode equal to it.
  std::optional<std::string> anyText;
  bool failedOnly = false;
  // Only the newest row of each serial number, before the other conditions:
  // what each pager holds now, as far as the history knows.
  bool currentOnly = false;
  int limit = 0;  // 0: every match
};

class PagerHistory : public OperationRecorder {
 public:
  // Opens (or creates) the database at `path` and brings its schema up to
  // date. Nothing, with `error` set in words a technician can act on, when
  // the file cannot be used: not a database, damaged, read-only, or written
  // by a newer build.
  static std::unique_ptr<PagerHistory> Open(const std::string& path, std::string& error);
  ~PagerHistory() override;
  PagerHistory(const PagerHistory&) = delete;
  PagerHistory& operator=(const PagerHistory&) = delete;

  const std::string& Path() const { return path_; }

  // One row and its capcodes in one transaction.
  bool Record(const PagerRecord& record, std::string& error) override;
  // The id of the row the last successful Record added.
  long long LastId() const { return lastId_; }

  // Matching rows, newest first. Nothing, with `error` set, when the query fails.
  std::optional<std::vector<HistoryRow>> Find(const HistoryQuery& query, std::string& error) const;
  std::optional<HistoryRow> Row(long long id, std::string& error) const;

 private:
  PagerHistory(std::string path, std::string connection);
  bool Migrate(std::string& error);

  std::string path_;
  std::string connection_;
  long long lastId_ = 0;
};

// The history at a path, opened when the first record comes: a program that
// never reads a pager never touches the file. A file that could not be
// opened is tried again at the next record, so a fixed problem (a full disk
// emptied) needs no restart.
class HistoryAtPath : public OperationRecorder {
 public:
  explicit HistoryAtPath(std::string path) : path_(std::move(path)) {}
  bool Record(const PagerRecord& record, std::string& error) override;
  const std::string& Path() const { return path_; }
  void SetPath(std::string path);

 private:
  std::string path_;
  std::unique_ptr<PagerHistory> history_;
};

// The codeplug a row keeps (`previous`: what the pager held before a
// program attempt) as a codeplug file at `path`. False, with `error` set,
// when the row keeps no such image or the file cannot be written.
bool RestoreCodeplugFile(const HistoryRow& row, bool previous, const std::string& path,
                         std::string& error);

// The UTC time of a record shown in local time, "YYYY-MM-DD HH:MM:SS".
std::string LocalTimeText(const std::string& utcTime);
// A date or date and time typed in local time ("YYYY-MM-DD", "YYYY-MM-DD
// HH:MM[:SS]" or with a 'T') as the UTC text the rows are compared with.
// Nothing when it is not a date.
std::optional<std::string> SinceFromLocalText(const std::string& text);

}  // namespace rer
