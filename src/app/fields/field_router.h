#pragma once
// The field machinery of the main window: it routes the enter, leave,
// change and click events of every editing control to the active page's
// handler by field number, keeps the editing state (the control of each kind
// last used, the list last used and its choice, the focused field before a
// check), reloads the pages from the settings after every store, applies
// what the handlers ask of the widgets, and drives the tone buttons.
// The rules themselves are in src/pages.

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

#include "pages/page_rules.h"

class QKeyEvent;
class QProgressBar;
class QTabWidget;
class QWidget;

namespace rer {

class SettingsPages;
class TonePlayer;
struct PagerSession;

// What the pages need to know of the pager and codeplug in `session`, with
// the session's passwords for the protection boxes.
PageEnvironment PageEnvironmentOf(PagerSession& session);

class FieldRouter : public QObject {
 public:
  // The kinds of editing control, as the editing state keeps them.
  enum Kind { kTextField = 0, kMaskedField = 1, kList = 2, kCheckBox = 3, kKindCount = 4 };

  FieldRouter(const SettingsPages& pages, QTabWidget& pageControl, UserInterface& ui,
              std::function<EditorSettings&()> settings, QObject* parent = nullptr);
  ~FieldRouter() override;

  // The window's state that the events update.
  void SetStateTargets(int* currentFieldTag, int* lastFieldCheck) {
    currentFieldTag_ = currentFieldTag;
    lastFieldCheck_ = lastFieldCheck;
  }
  void SetTonePlayer(TonePlayer* player) { player_ = player; }
  // The status bar's prompt-memory gauge, which follows the prompt check.
  void SetPromptGauge(QProgressBar* gauge) { gauge_ = gauge; }

  // Attaches the handlers to every control for the pager or file that has
  // just entered the editor, and brings the address rules up to date.
  void HookFieldEvents(const PageEnvironment& environment);
  bool Hooked() const { return editor_ != nullptr; }
  PageRules* Editor() { return editor_.get(); }

  // The whole-editor check before leaving `page` (1, -48 or a failure);
  // the check of F11/F12; the refresh on page entry. Without a pager or
  // file in the editor they pass and do nothing.
  int PageCheck(int page);
  int ShortPageCheck(int page);
  void PageEntered(int page);

  // Shows the settings in every control and applies the handlers' requests.
  void Reload();

  // Editing state.
  QWidget* CurrentControl(Kind kind) const { return currentControl_[kind]; }
  int ListFieldNumber() const { return listFieldNumber_; }
  int ListChoice() const { return listChoice_; }
  int CheckedField() const { return checkedField_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Takes the focused field as the checked one, stores what it shows, runs
  // `check` and shows the settings again; passes without a codeplug.
  int StoreFocusedFieldAndCheck(const std::function<int()>& check);

  void ConnectControls();
  int ActivePage() const;
  void TakeCheckedField();
  void Remember(QWidget* control, Kind kind);
  void ForgetList();
  void ListUsed(QWidget* list);
  void UpdateToneButtons();
  void PlayTone();
  void SetUserPassword();
  void UpdateUserPasswordButton();
  void StoreFrom(QWidget* control);
  void ApplyView(const PageView& view);
  // A key pressed in a prompt field: Alt+D restores the prompt's default
  // (true: the key is used up); any key the field takes marks the prompts
  // as typed into.
  bool PromptFieldKey(QWidget& control, const QKeyEvent& key);
  void ShowPromptGauge();

  const SettingsPages& pages_;
  QTabWidget& pageControl_;
  UserInterface& ui_;
  std::function<EditorSettings&()> settings_;
  std::unique_ptr<PageRules> editor_;
  TonePlayer* player_ = nullptr;
  QProgressBar* gauge_ = nullptr;
  int* currentFieldTag_ = nullptr;
  int* lastFieldCheck_ = nullptr;
  bool connected_ = false;
  bool storing_ = false;
  // Once hidden by a Code 1-4 entry or the new alert menu, the alerts group
  // stays hidden for this codeplug.
  bool alertsHidden_ = false;
  std::array<bool, kAddressCount> rowShown_{};
  bool rowsKnown_ = false;

  std::array<QPointer<QWidget>, kKindCount> currentControl_{};
  int listFieldNumber_ = kNoListField;
  int listChoice_ = kNoListField;
  int checkedField_ = 0;
};

}  // namespace rer
