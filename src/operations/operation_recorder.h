#pragma once
// The record of every pager read and every program attempt. The window and
// the command line, single pagers and runs, hand each attempt to one
// RunRecorder; what keeps the records (the pager history database) sits
// behind OperationRecorder, so that no caller knows how they are stored.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "codeplug/control_row.h"
#include "pager/codeplug_file.h"
#include "pager/pager_session.h"

namespace rer {

inline constexpr char kReadOperation[] = "read";
inline constexpr char kProgramOperation[] = "program";

// One read or program attempt, as it is kept.
struct PagerRecord {
  std::string time;       // UTC, "YYYY-MM-DDTHH:MM:SS.zzzZ"; empty: when it is stored
  std::string operation;  // kReadOperation or kProgramOperation
  std::string port;
  std::uint8_t modelCode = 0;
  std::string firmware;
  std::string serialNumber;
  std::string inventoryNumber;
  std::array<std::string, kAddressCount> capcodes;  // as the address pages show them
  std::string frequency;
  int result = 0;
  std::string message;  // the result's message text; empty for success
  std::string runId;    // the run the attempt belonged to
  // The codeplug read, or the one sent to the pager, with its file header.
  std::vector<std::uint8_t> image;
  CodeplugFileHeader header;
  // What the pager held before a program attempt, when it was read first.
  std::vector<std::uint8_t> previousImage;
  std::string backupFile;  // the backup the read was also saved to, if any
};

// Whatever keeps the records. False, with `error` set, when this one could
// not be kept.
class OperationRecorder {
 public:
  virtual ~OperationRecorder() = default;
  virtual bool Record(const PagerRecord& record, std::string& error) = 0;
};

// The record of the session as it stands after an attempt: the link's
// identity, the editor's settings and image.
PagerRecord MakePagerRecord(const PagerSession& session, const std::string& operation,
                            const std::string& port, int result);

// A fresh run identifier: the local start time and a random suffix, so that
// runs started in the same second on two cradles still differ.
std::string NewRunId();

// The recording of one run (one command, one window session, one cradle of
// a multi-cradle run): every attempt carries the run's identifier. A record
// that cannot be kept is said once through `report` and never fails the pager
// operation; later failures of the same run stay quiet. Without a recorder
// nothing is kept.
class RunRecorder {
 public:
  using Report = std::function<void(const std::string& error)>;
  RunRecorder(OperationRecorder* recorder, Report report, std::string runId = NewRunId());

  void RecordRead(const PagerSession& session, const std::string& port, int result,
                  const std::string& backupFile = {});
  // `readFirst`: the attempt read the pager into the session's pager copy
  // before writing, so the copy is what this pager held.
  // `backupFile`: where that earlier codeplug was also kept, if it was.
  void RecordProgramAttempt(const PagerSession& session, const std::string& port, int result,
                            bool readFirst, const std::string& backupFile = {});
  // Any record, filled in by the caller; the run's identifier is set here.
  void Record(PagerRecord record);

  const std::string& RunId() const { return runId_; }
  // False once a record of this run could not be kept.
  bool AllKept() const { return allKept_; }

 private:
  OperationRecorder* recorder_;
  Report report_;
  std::string runId_;
  bool allKept_ = true;
};

}  // namespace rer
