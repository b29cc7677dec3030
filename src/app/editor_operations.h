#pragma once
// The operations behind the main window's commands that bring a pager's
// codeplug into the editor. Read Pager runs the read sequence over the
// window's link with the progress box open and, when the read succeeds,
// enters the editor; every failure the sequence has not already reported is
// shown here.

#include <memory>

#include "app/main_window_operations.h"

namespace rer {

class PagerLink;
class PasswordChecks;
class ReadSequence;
class Transport;
class UserInterface;

inline constexpr char kReadingStatusText[] = "Reading - Please wait.";

class EditorOperations : public MainWindowOperations {
 public:
  explicit EditorOperations(UserInterface& ui);
  ~EditorOperations() override;

  void ReadPager(TFmMain& window) override;

  // The read sequence alone, with the window disabled around it; the
  // result as the sequence gives it.
  int RunReadSequence(TFmMain& window);

 private:
  // The link and the read sequence live as long as the operations: the
  // sequence remembers the local password accepted in this run.
  void Prepare(TFmMain& window);

  UserInterface& ui_;
  TFmMain* preparedFor_ = nullptr;
  Transport* preparedLink_ = nullptr;
  std::unique_ptr<PagerLink> link_;
  std::unique_ptr<PasswordChecks> checks_;
  std::unique_ptr<ReadSequence> sequence_;
};

}  // namespace rer
