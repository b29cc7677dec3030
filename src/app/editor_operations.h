#pragma once
// The operations behind the main window's commands: Read Pager, Program
// Single and Sequential, programming from the editor (F2), Set To Defaults,
// Load Codeplug, Save as and Print. The work itself is the operations library's;
// this adapter decides the window's side: status texts, the progress box,
// the editor's state and caption, the run table. Pager operations run on a
// worker thread with the window disabled; their questions and messages are
// answered on the GUI thread.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/dialogs/service_dialog.h"
#include "app/main_window_operations.h"
#include "app/operations/gui_thread_recorder.h"
#include "app/operations/gui_thread_user_interface.h"
#include "history/pager_history.h"

namespace rer {

struct CodeplugReport;
class PagerLink;
class PagerProgrammer;
class PasswordChecks;
class ReadSequence;
class RunRecorder;
class SequentialRun;
class TFmCompare;
class Transport;
class UserInterface;

inline constexpr char kReadingStatusText[] = "Reading - Please wait.";
inline constexpr char kProgrammingStatusText[] = "Programming - Please wait.";

// The models Program Single and Sequential take into the editor.
bool IsProgrammableModel(std::uint8_t modelCode);

class EditorOperations : public MainWindowOperations {
 public:
  explicit EditorOperations(UserInterface& ui);
  ~EditorOperations() override;

  void ReadPager(TFmMain& window) override;
  void ProgramSingle(TFmMain& window) override;
  void ProgramSequential(TFmMain& window) override;
  void LoadCodeplug(TFmMain& window) override;
  void ProgramFromEditor(TFmMain& window) override;
  void SetToDefaults(TFmMain& window) override;
  void SaveAs(TFmMain& window) override;
  // Print: the pages photographed into the report and its print preview.
  bool OffersPrint() const override { return true; }
  void Print(TFmMain& window) override;
  bool OffersCompare() const override { return true; }
  // Lists the settings in which the editor differs from a codeplug file
  // chosen with the open-file chooser; going to a row selects its page and
  // control.
  void CompareWithFile(TFmMain& window) override;
  // Shows the comparison list; tests put their own in place of the modal run.
  void SetCompareDialogRunner(std::function<void(TFmCompare&)> runner) {
    runCompare_ = std::move(runner);
  }
  bool OffersService() const override { return true; }
  void Service(TFmMain& window) override;
  bool OffersHistory() const override { return history_ != nullptr; }
  void PagerHistory(TFmMain& window) override;

  // Where every read and program attempt of the window is recorded; none:
  // nothing is, and "Pager History..." stays disabled. Not owned.
  // `currentPath`, when given, names the database as the setup now says,
  // asked again before each run, so that a new choice needs no restart.
  void SetHistory(HistoryAtPath* history, std::function<std::string()> currentPath = {});
  // Brings a history row's codeplug into the editor as Load Codeplug brings
  // a file's: 1 when it was loaded.
  int OpenHistoryRow(TFmMain& window, const HistoryRow& row);
  // The dialog of "Pager History..."; tests put their own chooser.
  using HistoryChooser = std::function<std::optional<HistoryRow>(const std::string& path)>;
  void SetHistoryChooser(HistoryChooser chooser) { chooseHistoryRow_ = std::move(chooser); }

  // The read sequence alone, off the GUI thread with the window disabled
  // around it; the result as the sequence gives it. A successful read is
  // also kept in the backups folder when the setup asks for it; a backup
  // that cannot be written is said (-161) and the read stays successful.
  int RunReadSequence(TFmMain& window);
  // The backup file of the last read, empty when none was written.
  const std::string& LastReadBackup() const { return lastReadBackup_; }
  // `ProgramFromEditor` of the window: the program sequence with status and
  // progress box; 1 when programmed (0 is given as 1 as well).
  int ProgramWithProgress(TFmMain& window);

  // What the service dialog asks of the window: help, the program sequence
  // and the service command, both off the GUI thread.
  ServiceWindowSide ServiceSide(TFmMain& window);

  // The file dialogs and the free-space query; tests put their own.
  using FileChooser = std::function<std::optional<QString>(const QString& folder)>;
  void SetOpenFileChooser(FileChooser chooser) { chooseOpen_ = std::move(chooser); }
  void SetSaveFileChooser(FileChooser chooser) { chooseSave_ = std::move(chooser); }
  // Where Print writes its page pictures (by default the program's folder
  // rule of ReportPictureFolder), and what it does with the report (by
  // default the print preview); tests and rer-cli report put their own.
  void SetReportPictureFolder(const QString& folder) { reportFolder_ = folder; }
  using ReportPresenter = std::function<void(const CodeplugReport& report)>;
  void SetReportPresenter(ReportPresenter presenter) { presentReport_ = std::move(presenter); }
  void SetFreeSpaceQuery(std::function<std::optional<std::uint64_t>(const QString& path)> query) {
    freeBytes_ = std::move(query);
  }

 private:
  void ProgramFromMainPage(TFmMain& window, bool sequential);
  // The page check before F2 and Save as: the active page, then every page
  // shown. The one place the whole editor is checked.
  int CheckAllPages(TFmMain& window);
  // The link, the read sequence and the programmer live as long as the
  // operations: the sequences remember the local password accepted in this
  // run. They talk to the person through the worker-side interface.
  void Prepare(TFmMain& window);
  void PrepareLink(TFmMain& window);
  // Runs `work` off the GUI thread with the whole window disabled.
  void RunPagerOperation(TFmMain& window, const std::function<void()>& work);
  void StartSequentialRun(TFmMain& window);
  void BackUpRead(TFmMain& window);
  // A new run of the history (one read, one single program, one sequential
  // run), whose failure to record is said once.
  void BeginRecordedRun(TFmMain& window);

  UserInterface& ui_;
  GuiThreadUserInterface workerUi_;
  TFmMain* preparedFor_ = nullptr;
  Transport* preparedLink_ = nullptr;
  std::unique_ptr<PagerLink> link_;
  std::unique_ptr<PasswordChecks> checks_;
  std::unique_ptr<ReadSequence> sequence_;
  std::unique_ptr<PagerProgrammer> programmer_;
  std::unique_ptr<SequentialRun> run_;
  HistoryAtPath* history_ = nullptr;
  std::unique_ptr<GuiThreadRecorder> historyOnGuiThread_;
  std::function<std::string()> historyPath_;
  std::unique_ptr<RunRecorder> recorder_;
  FileChooser chooseOpen_;
  FileChooser chooseSave_;
  std::function<std::optional<std::uint64_t>(const QString& path)> freeBytes_;
  QString reportFolder_;
  ReportPresenter presentReport_;
  std::string lastReadBackup_;
  std::function<void(TFmCompare&)> runCompare_;
  HistoryChooser chooseHistoryRow_;
};

}  // namespace rer
