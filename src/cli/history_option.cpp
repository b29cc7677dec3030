#include "cli/history_option.h"

#include <iostream>

#include "history/pager_history.h"

namespace rer::cli {
namespace {

std::unique_ptr<PagerHistory> OpenFor(const Args& args, const std::string& command) {
  if (args.has(kNoHistoryFlag)) return nullptr;
  const std::string path = HistoryPathOf(args);
  std::string error;
  auto history = PagerHistory::Open(path, error);
  if (!history) {
    std::cerr << command << ": pager history not kept: " << path << ": " << error << " (the "
              << command << " goes on)\n";
  }
  return history;
}

}  // namespace

std::string HistoryPathOf(const Args& args) {
  return args.value(kHistoryOption).value_or(DefaultHistoryPath());
}

CommandHistory::CommandHistory(const Args& args, const std::string& command, std::string runId)
    : history_(OpenFor(args, command)),
      recorder_(
          history_.get(),
          [command, path = HistoryPathOf(args)](const std::string& error) {
            std::cerr << command << ": pager history not kept: " << path << ": " << error
                      << " (the " << command << " itself is not affected)\n";
          },
          std::move(runId)) {}

CommandHistory::~CommandHistory() = default;

}  // namespace rer::cli
