#pragma once
// The pager history as the pager commands offer it: --history FILE chooses
// the database, --no-history keeps nothing (for scripts and tests that must
// leave the user's files alone).

#include <memory>
#include <string>

#include "cli/args.h"
#include "operations/operation_recorder.h"

namespace rer {
class PagerHistory;
}

namespace rer::cli {

inline constexpr const char* kHistoryOption = "history";
inline constexpr const char* kNoHistoryFlag = "no-history";

// The database the options name, or the default one.
std::string HistoryPathOf(const Args& args);

// The history of one command: opened as the options say, with the recorder
// of the command's run. A history that cannot be opened or written is said
// once on standard error ("COMMAND: pager history not kept: ...") and the
// pager operation goes on.
class CommandHistory {
 public:
  // `runId`: the run the records belong to; the cradles of one run over
  // several ports share one.
  CommandHistory(const Args& args, const std::string& command, std::string runId = NewRunId());
  ~CommandHistory();
  RunRecorder& Recorder() { return recorder_; }

 private:
  std::unique_ptr<PagerHistory> history_;
  RunRecorder recorder_;
};

}  // namespace rer::cli
