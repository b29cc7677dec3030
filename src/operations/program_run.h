#pragma once
// Programming pagers from the editor's codeplug. PagerProgrammer programs
// the pager in the cradle; SequentialRun programs one pager after another,
// advancing the addresses and the inventory number between them and keeping
// one log row per pager. The window and the command line both run them and
// only decide when each step happens.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comm/clock.h"
#include "comm/transport.h"
#include "core/user_interface.h"
#include "pager/codeplug_backup.h"
#include "pager/pager_session.h"
#include "pager/write_verify.h"

namespace rer {

class PagerLink;
class PasswordChecks;
class ProgramSequence;
class RunRecorder;

// The link, the password checks and the program sequence over one port. They
// live as long as the programmer: the sequence remembers the local password
// accepted earlier in the run.
class PagerProgrammer {
 public:
  PagerProgrammer(PagerSession& session, Transport& transport, Clock& clock, UserInterface& ui);
  ~PagerProgrammer();

  // The program sequence: 1 programmed; 0 a step failed (shown); -48
  // (shown); -16 and -114 as the link gives them.
  int ProgramPager();
  // How many whole images the link has sent so far: a failure after one more
  // went out may have left the new codeplug in the pager.
  int ImagesSent() const;
  // Every program attempt from now on is recorded through `recorder` (none:
  // not recorded), naming `port`. The recorder outlives the programmer.
  void SetRecorder(RunRecorder* recorder, std::string port) {
    recorder_ = recorder;
    port_ = std::move(port);
  }

  // Where the codeplug each read-before-program brings from the pager is
  // kept as a backup file before the pager is written; empty (the start)
  // keeps none. A backup that cannot be written is said once (-161) and the
  // program goes on: the backup guards the pager's codeplug, it must not
  // stand in the way of programming it.
  void SetBackupFolder(std::string folder) { backupFolder_ = std::move(folder); }
  // Read-back verify after the write; on from the start.
  void SetVerify(bool on);

  // For the run log and the pager history: the backup of the last
  // read-before-program (nothing when none was attempted in the last
  // ProgramPager) and the verify of the last ProgramPager.
  const std::optional<CodeplugBackupResult>& LastBackup() const { return lastBackup_; }
  const VerifyOutcome& LastVerify() const;

 private:
  void BackUpPagerCopy(const PagerSession& session);

  UserInterface& ui_;
  PagerSession& session_;
  RunRecorder* recorder_ = nullptr;
  std::string port_;
  std::unique_ptr<PagerLink> link_;
  std::unique_ptr<PasswordChecks> checks_;
  std::unique_ptr<ProgramSequence> sequence_;
  std::string backupFolder_;
  std::optional<CodeplugBackupResult> lastBackup_;
  // A folder that cannot be written is said once, not again for every pager
  // of a run, until a backup has been written again.
  bool backupFailureShown_ = false;
};

// One line of a run log: what a technician needs to find a pager again.
struct RunLogRow {
  int pagerNumber = 0;  // 1 for the first pager of the run
  std::string serialNumber;
  std::string firstCapcode;
  std::string inventoryNumber;
  int result = 0;
  std::string time;  // local time, "YYYY-MM-DD HH:MM:SS"
};

// The row of the pager just programmed, from the session as it stands.
RunLogRow MakeRunLogRow(const PagerSession& session, int pagerNumber, int result, std::string time);
// The local time now, as the log writes it.
std::string RunLogTime();
// The header line and one row, each ending in a line break.
std::string RunLogHeader();
std::string RunLogLine(const RunLogRow& row);
// One field of a log line, quoted when it holds a separator or a quote.
std::string RunLogField(const std::string& value);
// Appends the row to the log at `path`, with the header first when the file
// is new or empty. False when it cannot be written.
bool AppendRunLog(const std::string& path, const RunLogRow& row);

// Where the duplicate-address warning of a sequential run comes.
enum class SequentialOrder {
  // Asked before programming; No programs nothing.
  CheckBeforeProgram,
  // Asked after the pager has been programmed; the addresses advance
  // whatever the answer.
  CheckAfterProgram,
};

class SequentialRun {
 public:
  SequentialRun(PagerSession& session, PagerProgrammer& programmer, UserInterface& ui);

  struct Outcome {
    bool attempted = false;  // false: the warning was answered No before programming
    int result = 0;          // the program sequence's result when attempted
    bool advanced = false;   // the addresses and the inventory number moved on
  };
  // Programs the next pager of the run in `order`. A programmed pager moves
  // the addresses on for the next one when they can still advance. Every
  // attempt is logged.
  Outcome ProgramNext(SequentialOrder order);

  const std::vector<RunLogRow>& Log() const { return log_; }
  // Where every row is also appended as it is made; empty for none.
  void SetLogFile(std::string path) { logFile_ = std::move(path); }
  // False once a row could not be appended to the log file.
  bool LogFileWritten() const { return logFileWritten_; }

 private:
  PagerSession& session_;
  PagerProgrammer& programmer_;
  UserInterface& ui_;
  std::vector<RunLogRow> log_;
  std::string logFile_;
  bool logFileWritten_ = true;
};

}  // namespace rer
