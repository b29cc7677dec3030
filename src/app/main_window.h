#pragma once
// TFmMain: the application's one window. It owns the run's state (the serial
// port, the codeplug name, the programming mode, the password state), shows
// either the Main page or the twelve settings pages, turns menu commands,
// toolbar buttons and function keys into operations, keeps the commands that
// make sense enabled, and decides when the program may end.

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/command_table.h"
#include "app/fields/settings_page_builder.h"
#include "comm/real_clock.h"
#include "comm/tdcomm.h"
#include "operations/program_run.h"
#include "pager/link_state.h"
#include "pager/pager_session.h"
#include "pager/password_state.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QTabWidget;
class QTableWidget;
class QToolBar;

namespace rer {

class Clock;
class FieldRouter;
class MainWindowOperations;
class Transport;
class UserInterface;

class TFmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFmMain(UserInterface& ui, QWidget* parent = nullptr);
  ~TFmMain() override;

  // The operations behind the commands; the window does not own them. With
  // none set, the commands only do what the window itself decides.
  void SetOperations(MainWindowOperations* operations) { operations_ = operations; }
  // The link whose open port makes the program busy; by default the window's
  // own serial port. A simulated pager in the same process replaces it.
  void SetLinkTransport(Transport* link) { link_ = link; }
  Transport& Link() const { return *link_; }
  // The clock of the pager link: real time, or the simulated pager's own.
  void SetLinkClock(Clock* clock) { linkClock_ = clock; }
  Clock& LinkClock() const { return *linkClock_; }
  // A port used for this run instead of the stored one (not stored itself).
  void SetPortOverride(const QString& portName);
  bool IsBusy() const;

  // Hooks of the first show, replaceable so that tests run without them.
  void SetCalibrationHook(std::function<void()> hook) { calibrate_ = std::move(hook); }
  void SetHelpFilePath(const QString& path) { helpFilePath_ = path; }
  void SetHelpViewer(std::function<bool(const QString&)> viewer) {
    helpViewer_ = std::move(viewer);
  }

  // State of the run.
  QString CurrentFileName;
  bool SequentialMode = false;
  int CurrentFieldTag = 0;
  int LastFieldCheck = 0;
  bool StartupRefused = false;
  int PrintPageCount = 11;
  QString WorkFilesPath;
  // From the setup dialog: whether every codeplug read from a pager is kept
  // in BackupFolder, and whether each pager is read back after programming.
  bool AutoBackup = true;
  QString BackupFolder;
  bool VerifyAfterProgram = true;
  QString VersionStatusText;

  TDComm& Comm() { return *comm_; }
  // The pager and the codeplug being edited: link results, image, layout,
  // editor settings, passwords and synthesizer.
  PagerSession& Session() { return session_; }
  // What the pager link knows of the pager; ModelCode 0xFF until one is identified.
  LinkState& PagerLink() { return session_.link; }
  PasswordState& Passwords() { return session_.passwords; }
  UserInterface& Ui() { return ui_; }
  bool StartupDone() const { return startupDone_; }

  // Pages.
  QTabWidget& PageControl() const { return *pageControl_; }
  int ActivePage() const;
  bool IsPageShown(int index) const;
  void GoToMainPage();
  // Shows the settings pages for a pager or file brought into an empty
  // editor; `modelCode` is PagerLink().ModelCode.
  void SetupPagesForPager(std::uint8_t modelCode);
  // Makes `index` active without the page check, then runs the page entry.
  void ShowPage(int index);
  // The controls of the settings pages.
  const SettingsPages& Pages() const { return pages_; }
  // The field machinery: events to the page rules, page checks and refresh.
  FieldRouter& Fields() const { return *fields_; }
  // Brings the session's codeplug into the editor after a read or from
  // Program Single/Sequential (no `filePath`: "NONAME1"), or after a load
  // of `filePath`: pages shown, filled, caption and version.
  void EnterEditor(const QString& filePath = {});
  // The caption, the codeplug name and the version panel after Save as.
  void CodeplugSavedAs(const QString& filePath);
  // Back to the Main page with no codeplug in the editor.
  void LeaveEditor();

  // The run table beside the pages during a sequential run: one row per
  // pager programmed or tried. No rows hide it.
  void ShowRunTable(const std::vector<RunLogRow>& rows);
  QTableWidget& RunTable() const { return *runTable_; }
  // Where a run's log file is written.
  QString RunLogPath() const { return runLogPath_; }
  void SetRunLogPath(const QString& path) { runLogPath_ = path; }
  // Shows the session's settings in the pages, after the fill rules, with
  // the controls of the pager's model.
  void FillPages();

  // Enables or disables commands. WholeWindow: the page control, the toolbar
  // and every menu together, around a pager operation. ByPage: `on` selects
  // the Main page's commands, off the settings pages' (the exact opposite).
  enum class CommandScope { WholeWindow, ByPage };
  void SetCommandStates(bool on, CommandScope scope);

  // Function keys (virtual codes 112..123) on the page with `pageIndex`.
  void DispatchKey(int pageIndex, int key);
  void MainPageCommand(int key);
  void EditorCommand(int key);

  // Caption, key legend, sequential-mode bar and status panels.
  void ShowKeyLegend();
  QString KeyLegend() const;
  void SetSequentialBarVisible(bool visible);
  bool IsSequentialBarVisible() const;
  void SetStatusPanel(int panel, const QString& text);
  QString StatusPanel(int panel) const;
  bool IsGaugeVisible() const;
  QProgressBar& Gauge() const { return *gauge_; }

  // The commands of the menus and the toolbar.
  void ReadPagerClick();
  void WritePagerClick();
  void serviceClick();
  void singleClick();
  void sequentialClick();
  void readAndProgramClick();
  void LoadFileClick();
  void SaveFileClick();
  void compareWithFileClick();
  // Shows the page of `control` (of `address` for a per-address control)
  // and puts the focus on it.
  void GoToSetting(Control control, int address = 0);
  void menuPrintClick();
  void menuHistoryClick();
  void menuDefaultClick();
  void helpHtmlClick();
  void prevPageClick();
  void nextPageClick();
  void menuExitClick();
  void menuAboutClick();
  void setupCommunicationClick();
  void setupStayontopClick();

  void OpenHelp();

  // The steps of the first show: calibration, field numbers, Main page,
  // stored settings and the start-up password. Runs once.
  void FirstShown();
  // Reads the stored settings into the window and the port, and asks for the
  // software password when one is set: 0 = go on, otherwise the program ends.
  int LoadSettings();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildPages();
  void BuildStatusBar();
  void RunCommand(Command command);
  // The check before a tab change by the user; reverts a refused change.
  void OnPageChanged(int index);
  void AfterPageChange(int index);
  void MoveToShownPage(int step);
  bool HandleFunctionKey(int key);
  void ShowNeedCodeplugMessage();
  void SetActionEnabled(const char* name, bool enabled);
  void SetMenuEnabled(const char* name, bool enabled);
  void RefreshActionStates();
  bool CloseQuery();

  UserInterface& ui_;
  MainWindowOperations* operations_ = nullptr;
  std::unique_ptr<TDComm> comm_;
  Transport* link_;
  RealClock clock_;
  Clock* linkClock_ = &clock_;
  QString portOverride_;
  PagerSession session_;
  SettingsPages pages_;
  std::unique_ptr<FieldRouter> fields_;
  std::function<void()> calibrate_;
  QString helpFilePath_;
  std::function<bool(const QString&)> helpViewer_;
  bool firstShowQueued_ = false;
  bool startupDone_ = false;
  bool changingPageInternally_ = false;
  int previousPage_ = 0;

  QTabWidget* pageControl_ = nullptr;
  QTableWidget* runTable_ = nullptr;
  QString runLogPath_;
  QLabel* pnl_programSequential_ = nullptr;
  QLabel* keymapStr_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QLabel* statusPanels_[3] = {};
  QProgressBar* gauge_ = nullptr;
  std::map<QString, QMenu*> menus_;
  std::map<QString, QAction*> actions_;
  // Each menu item's own enabled state, and the menu that holds it: an item
  // works only while both it and its menu are enabled.
  std::map<QAction*, bool> ownEnabled_;
  std::map<QAction*, QString> menuOf_;
  std::map<QString, bool> menuEnabled_;
};

}  // namespace rer
