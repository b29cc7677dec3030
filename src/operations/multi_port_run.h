#pragma once
// A sequential run spread over several cradles, one serial port each. The
// protocol's pauses leave the host waiting most of a program sequence, so
// several cradles can wait at once. Every cradle runs in its own thread with
// its own session, link, clock and PagerProgrammer; the only thing the
// cradles share is what the run hands out: the addresses and inventory
// number of the next pager, and the log.
//
// Each pager takes the next values of the sequence as its cradle turns to it:
// a cradle takes them, then waits for the pager to be put in. A pager that
// fails hands its values back to its cradle, and that cradle's next pager is
// programmed with them; a cradle that stops returns them to the run for the
// cradles still going. So the programmed pagers have every value of the
// sequence once: no gap, no duplicate.

#include <functional>
#include <string>
#include <vector>

#include "comm/clock.h"
#include "comm/transport.h"
#include "core/user_interface.h"
#include "operations/program_run.h"
#include "pager/pager_session.h"

namespace rer {

class PagerProgrammer;

// One cradle of the run as the caller provides it. Apart from Port(), the
// run calls it only from the cradle's own thread, so what it returns must
// serve that thread alone.
class RunCradle {
 public:
  virtual ~RunCradle() = default;
  // The port's name, for the log and the messages.
  virtual std::string Port() const = 0;
  virtual Transport& transport() = 0;
  virtual Clock& clock() = 0;
  virtual UserInterface& ui() = 0;
  // The cradle's own session, once made at the start of its thread: the
  // messages of its pagers may name what the session holds.
  virtual void Attach(const PagerSession& session) { (void)session; }
  // On the cradle's thread, once its programmer is made: what the cradle
  // asks of every program (backups, verify, the pager history) is set here.
  virtual void Prepare(PagerProgrammer& programmer) { (void)programmer; }
  // On the cradle's thread, as it ends: what Prepare opened on this thread
  // is closed on it.
  virtual void Finished() {}
  // Before every pager of this cradle but its first, once the cradle holds
  // values for it: waits until the next pager is in the cradle. `lastFailed`
  // says the pager before it failed. False stops the cradle.
  virtual bool NextPager(bool lastFailed) = 0;
  // After every attempt: its row and how many whole images went out during
  // it (a failure after one went out may have left the codeplug in the
  // pager).
  virtual void Attempted(const RunLogRow& row, int imagesSent) {
    (void)row;
    (void)imagesSent;
  }
};

// Why a cradle ended.
enum class CradleEnd {
  RunComplete,    // nothing was left to program
  Stopped,        // NextPager said no more
  PortFailed,     // the port could not be opened
  NotResponding,  // the pager in the cradle did not answer
};

struct CradleSummary {
  std::string port;
  int programmed = 0;
  int failed = 0;
  CradleEnd end = CradleEnd::RunComplete;
};

struct MultiPortRunResult {
  // False: the duplicate-address warning was answered No; nothing was sent.
  bool started = false;
  int programmed = 0;
  // Set when the sequence ran out before every pager had its values: the
  // addresses could not advance any further.
  bool cannotAdvance = false;
  bool logFileWritten = true;
  std::vector<CradleSummary> cradles;  // in the order the cradles were given
  std::vector<RunLogRow> log;          // one row per attempt, in the order they ended
  std::vector<std::string> logPorts;   // the port of each row
};

// The header of a run log with a port column, and one of its lines. The
// columns are those of the one-port log with the port last, so a reader of
// the one-port log reads the same columns in the same places.
std::string PortRunLogHeader();
std::string PortRunLogLine(const RunLogRow& row, const std::string& port);
// True when the log at `path` is missing, empty or starts with `header`:
// rows of this run can be appended without mixing two layouts.
bool RunLogAccepts(const std::string& path, const std::string& header);

struct MultiPortRunOptions {
  int pagers = 1;       // how many pagers the run programs
  std::string logFile;  // appended with every row as it is made; empty for none
  // Runs every body on a thread of its own and returns when all have ended.
  // Empty for standard threads; a caller whose ports want threads of its
  // own toolkit gives those.
  std::function<void(const std::vector<std::function<void()>>& bodies)> runConcurrently;
};

// Programs `options.pagers` pagers from the codeplug of `session` over every
// cradle, each on a thread of its own, and returns when every cradle has
// ended. Before anything is sent, `ui` is asked the duplicate-address
// warning once when the advance would hand out an address twice; No
// programs nothing. The page checks are the caller's, as for one port.
MultiPortRunResult RunMultiPortSequential(const PagerSession& session,
                                          const std::vector<RunCradle*>& cradles,
                                          const MultiPortRunOptions& options, UserInterface& ui);

}  // namespace rer
