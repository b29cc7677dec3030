#include "app/editor_operations.h"

#include "app/main_window.h"
#include "core/result_codes.h"
#include "core/user_interface.h"
#include "pager/link_engine.h"
#include "pager/password_state.h"
#include "pager/read_pager.h"

namespace rer {
namespace {

// Results whose message the link, the port or the sequence has already shown.
bool AlreadyReported(int result) {
  return result == kLinkNotResponding || result == kLinkPortNotOpened ||
         result == kWrongLocalPassword;
}

}  // namespace

EditorOperations::EditorOperations(UserInterface& ui) : ui_(ui) {}

EditorOperations::~EditorOperations() = default;

void EditorOperations::Prepare(TFmMain& window) {
  if (preparedFor_ == &window && preparedLink_ == &window.Link()) return;
  PagerSession& session = window.Session();
  sequence_.reset();
  link_ = std::make_unique<PagerLink>(window.Link(), window.LinkClock(), ui_, session.link,
                                      session.image.Bytes(), session.pagerCopy.Bytes());
  checks_ = std::make_unique<PasswordChecks>(session.passwords, ui_, window.LinkClock());
  sequence_ = std::make_unique<ReadSequence>(session, *link_, *checks_, ui_);
  preparedFor_ = &window;
  preparedLink_ = &window.Link();
}

int EditorOperations::RunReadSequence(TFmMain& window) {
  Prepare(window);
  window.SetCommandStates(false, TFmMain::CommandScope::WholeWindow);
  const int result = sequence_->ReadPager();
  window.SetCommandStates(true, TFmMain::CommandScope::WholeWindow);
  return result;
}

void EditorOperations::ReadPager(TFmMain& window) {
  window.SequentialMode = false;
  window.SetStatusPanel(0, kReadingStatusText);
  ui_.BeginProgress();
  const int result = RunReadSequence(window);
  if (result == kSuccess && window.PagerLink().ModelCode != kNoPagerInformation) {
    window.EnterEditor();
    window.SetCommandStates(false, TFmMain::CommandScope::ByPage);
  } else if (result != kSuccess && !AlreadyReported(result)) {
    // (A read that succeeded without telling the pager's model has nothing to report.)
    ui_.ShowError(result);
  }
  window.SetStatusPanel(0, "");
  ui_.EndProgress();
}

}  // namespace rer
