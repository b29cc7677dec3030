#include "operations/multi_port_run.h"

#include <condition_variable>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "core/result_codes.h"
#include "pages/sequential_programming.h"

namespace rer {
namespace {

// The values of one pager of the sequence: its place in the sequence and the
// editor settings with its addresses and inventory number.
struct PagerValues {
  int position = 0;
  EditorSettings settings;
};

// What the cradles share: the next values of the sequence, the values given
// back by cradles that stopped, and the log. Everything here is behind one
// mutex; a cradle holds it only to take, give back or record.
class RunHandout {
 public:
  RunHandout(const EditorSettings& first, int pagers, std::string logFile)
      : next_(first), pagers_(pagers), logFile_(std::move(logFile)) {}

  // Waits until there are values to take. False when there are none and
  // none can come back: every value is programmed or the sequence ran out.
  bool AwaitWork() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return AvailableLocked() || outstanding_ == 0; });
    return AvailableLocked();
  }

  // The values for a pager that starts now: given-back values first, lowest
  // place first, so the sequence fills its holes before it moves on.
  std::optional<PagerValues> TryTake() {
    std::lock_guard lock(mutex_);
    if (!returned_.empty()) {
      auto first = returned_.begin();
      PagerValues values{first->first, std::move(first->second)};
      returned_.erase(first);
      ++outstanding_;
      return values;
    }
    if (!FreshAvailableLocked()) return std::nullopt;
    PagerValues values{issued_++, next_};
    ++outstanding_;
    // The next pager's values are worked out now, while they are still the
    // run's alone; a sequence that cannot advance ends here.
    if (issued_ < pagers_) {
      if (SequentialAdvancePossible(next_)) {
        AdvanceSequentialAddresses(next_);
      } else {
        cannotAdvance_ = true;
      }
    }
    return values;
  }

  // Values a stopped cradle could not program, for another cradle.
  void GiveBack(PagerValues values) {
    {
      std::lock_guard lock(mutex_);
      --outstanding_;
      returned_.emplace(values.position, std::move(values.settings));
    }
    changed_.notify_all();
  }

  // Values programmed into a pager: they are gone from the run.
  void Programmed() {
    {
      std::lock_guard lock(mutex_);
      --outstanding_;
    }
    changed_.notify_all();
  }

  // Numbers the row in the order attempts end, keeps it and appends it to
  // the log file.
  void Record(RunLogRow& row, const std::string& port) {
    std::lock_guard lock(mutex_);
    row.pagerNumber = static_cast<int>(log_.size()) + 1;
    log_.push_back(row);
    logPorts_.push_back(port);
    if (logFile_.empty()) return;
    const bool fresh = EmptyOrMissing(logFile_);
    std::ofstream file(logFile_, std::ios::app | std::ios::binary);
    if (fresh) file << PortRunLogHeader();
    file << PortRunLogLine(row, port);
    file.flush();
    if (!file) logFileWritten_ = false;
  }

  // Read once every cradle has ended.
  void MoveResultsInto(MultiPortRunResult& result) {
    std::lock_guard lock(mutex_);
    result.cannotAdvance = cannotAdvance_ && issued_ < pagers_;
    result.logFileWritten = logFileWritten_;
    result.log = std::move(log_);
    result.logPorts = std::move(logPorts_);
  }

 private:
  static bool EmptyOrMissing(const std::string& path) {
    std::ifstream existing(path, std::ios::binary | std::ios::ate);
    return !existing || existing.tellg() <= 0;
  }
  bool FreshAvailableLocked() const { return issued_ < pagers_ && !cannotAdvance_; }
  bool AvailableLocked() const { return !returned_.empty() || FreshAvailableLocked(); }

  std::mutex mutex_;
  std::condition_variable changed_;
  EditorSettings next_;
  const int pagers_;
  int issued_ = 0;
  bool cannotAdvance_ = false;
  // Taken and neither programmed nor given back: they may still come back.
  int outstanding_ = 0;
  std::map<int, EditorSettings> returned_;
  const std::string logFile_;
  bool logFileWritten_ = true;
  std::vector<RunLogRow> log_;
  std::vector<std::string> logPorts_;
};

// One cradle's thread: its own session copied from the run's, its own
// programmer over its own link and clock.
void RunOneCradle(const PagerSession& runSession, RunCradle& cradle, RunHandout& handout,
                  CradleSummary& summary) {
  PagerSession session = runSession;
  cradle.Attach(session);
  PagerProgrammer programmer(session, cradle.transport(), cradle.clock(), cradle.ui());
  cradle.Prepare(programmer);
  struct FinishOnReturn {
    RunCradle& cradle;
    ~FinishOnReturn() { cradle.Finished(); }
  } finish{cradle};
  std::optional<PagerValues> held;  // the values of this cradle's failed pager
  bool first = true;                // the first pager is in when the run starts
  bool lastFailed = false;
  for (;;) {
    std::optional<PagerValues> values = std::move(held);
    held.reset();
    if (!values) {
      if (!handout.AwaitWork()) {
        summary.end = CradleEnd::RunComplete;
        return;
      }
      values = handout.TryTake();
      // Another cradle was quicker to the last values; wait for any that
      // come back.
      if (!values) continue;
    }
    // The values are taken before the cradle asks for its next pager: a
    // cradle with nothing left to program must not keep the technician
    // changing pagers for it. A cradle that stops here gives them back.
    if (!first && !cradle.NextPager(lastFailed)) {
      handout.GiveBack(std::move(*values));
      summary.end = CradleEnd::Stopped;
      return;
    }
    first = false;

    session.settings = values->settings;
    const int imagesBefore = programmer.ImagesSent();
    const int result = programmer.ProgramPager();
    RunLogRow row = MakeRunLogRow(session, 0, result, RunLogTime());
    handout.Record(row, summary.port);
    cradle.Attempted(row, programmer.ImagesSent() - imagesBefore);
    lastFailed = result != kSuccess;
    if (!lastFailed) {
      ++summary.programmed;
      handout.Programmed();
      continue;
    }
    ++summary.failed;
    // A port that will not open or a cradle whose pager never answers is
    // this cradle's fault, not the pager's: a new pager would fare no
    // better, so the cradle stops and its values go to the others.
    if (result == kLinkPortNotOpened || result == kLinkNotResponding) {
      handout.GiveBack(std::move(*values));
      summary.end = result == kLinkPortNotOpened ? CradleEnd::PortFailed : CradleEnd::NotResponding;
      return;
    }
    held = std::move(values);
  }
}

}  // namespace

std::string PortRunLogHeader() {
  std::string header = RunLogHeader();
  header.pop_back();
  return header + ",port\n";
}

std::string PortRunLogLine(const RunLogRow& row, const std::string& port) {
  std::string line = RunLogLine(row);
  line.pop_back();
  return line + ',' + RunLogField(port) + '\n';
}

bool RunLogAccepts(const std::string& path, const std::string& header) {
  std::ifstream existing(path, std::ios::binary);
  if (!existing) return true;
  std::string first;
  if (!std::getline(existing, first)) return true;
  return first + '\n' == header;
}

MultiPortRunResult RunMultiPortSequential(const PagerSession& session,
                                          const std::vector<RunCradle*>& cradles,
                                          const MultiPortRunOptions& options, UserInterface& ui) {
  MultiPortRunResult result;
  // The run hands out one sequence, so whether it would repeat an address
  // is one question, asked before any cradle starts.
  if (!SequentialCheck(session.settings, ui)) return result;
  result.started = true;
  result.cradles.resize(cradles.size());
  for (std::size_t i = 0; i < cradles.size(); ++i) result.cradles[i].port = cradles[i]->Port();

  RunHandout handout(session.settings, options.pagers, options.logFile);
  std::vector<std::function<void()>> bodies;
  for (std::size_t i = 0; i < cradles.size(); ++i) {
    bodies.emplace_back([&, i] { RunOneCradle(session, *cradles[i], handout, result.cradles[i]); });
  }
  if (options.runConcurrently) {
    options.runConcurrently(bodies);
  } else {
    std::vector<std::jthread> threads;
    for (const auto& body : bodies) threads.emplace_back(body);
  }
  handout.MoveResultsInto(result);
  for (const CradleSummary& cradle : result.cradles) result.programmed += cradle.programmed;
  return result;
}

}  // namespace rer
