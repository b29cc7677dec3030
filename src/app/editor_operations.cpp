#include "app/editor_operations.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include "app/dialogs/compare_dialog.h"
#include "app/dialogs/history_dialog.h"
#include "app/dialogs/service_dialog.h"
#include "app/fields/field_router.h"
#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "app/platform/settings_store.h"
#include "app/report/codeplug_report.h"
#include "codeplug/settings_diff.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "core/user_interface.h"
#include "history/pager_history.h"
#include "operations/editor_codeplug.h"
#include "operations/operation_recorder.h"
#include "operations/program_run.h"
#include "pager/codeplug_backup.h"
#include "pager/codeplug_files.h"
#include "pager/link_engine.h"
#include "pager/link_header.h"
#include "pager/password_state.h"
#include "pager/read_pager.h"
#include "pages/address_checks.h"

namespace rer {
namespace {

// Results whose message the link, the port or the sequence has already shown.
bool AlreadyReported(int result) {
  return result == kLinkNotResponding || result == kLinkPortNotOpened ||
         result == kWrongLocalPassword;
}

// The pages whose F2 asks the duplicate-address question before programming.
constexpr int kLastAddressPage = 4;

std::optional<QString> AskFile(QFileDialog::AcceptMode mode, const QString& folder,
                               const QStringList& filters, const QString& suffix) {
  QFileDialog dialog(nullptr, QString(), folder);
  dialog.setAcceptMode(mode);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(suffix);
  // The replace question is the operation's own, with No as its default.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (mode == QFileDialog::AcceptOpen) dialog.setFileMode(QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<QString> DefaultOpenChooser(const QString& folder) {
  return AskFile(QFileDialog::AcceptOpen, folder, {"Tarsel RER Files ( *.cp )", "All  ( *.* )"},
                 "cp");
}

std::optional<QString> DefaultSaveChooser(const QString& folder) {
  return AskFile(QFileDialog::AcceptSave, folder,
                 {"Programming Software Files ( *.cp )", "All  ( *.* )"}, "cp");
}

std::optional<std::uint64_t> DefaultFreeBytes(const QString& path) {
  const QStorageInfo storage(QFileInfo(path).absolutePath());
  if (!storage.isValid() || !storage.isReady()) return std::nullopt;
  return static_cast<std::uint64_t>(storage.bytesAvailable());
}

// The window's backups folder; before the settings are loaded, the default one.
std::string BackupFolderOf(const TFmMain& window) {
  const QString folder = window.BackupFolder.isEmpty()
                             ? EffectiveBackupFolder({}, EffectiveWorkFolder(window.WorkFilesPath))
                             : window.BackupFolder;
  return folder.toStdString();
}

// The editor's settings as a file saved from it would load: encoded as Save
// as encodes them, written and loaded again. Comparing these with the chosen
// file compares like with like; values the pages hold that no codeplug
// stores do not show as differences. The editor itself is left as it is.
// Nothing when the editor could not be saved (its frequency does not pass).
std::unique_ptr<PagerSession> EditorAsSaved(const PagerSession& editor) {
  PagerSession copy = editor;
  ScriptedUserInterface silent;
  QTemporaryFile file(QDir::temp().filePath("rer-compare-XXXXXX.cp"));
  if (!file.open()) return nullptr;
  file.close();
  if (!SaveCodeplugFile(copy, file.fileName().toStdString(), silent)) return nullptr;
  auto saved = std::make_unique<PagerSession>();
  if (LoadCodeplugFile(*saved, file.fileName().toStdString(), silent) != kSuccess) return nullptr;
  return saved;
}

bool FileExists(const std::string& path) {
  return QFileInfo::exists(QString::fromStdString(path));
}

std::optional<HistoryRow> DefaultHistoryChooser(const std::string& path) {
  TFmPagerHistory dialog(path, QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

}  // namespace

bool IsProgrammableModel(std::uint8_t modelCode) {
  switch (modelCode) {
    case 0x81:
    case 0x84:
    case 0x88:
    case 0x89:
    case 0xC0:
    case 0xD0:
    case 0xD1:
      return true;
    default:
      return false;
  }
}

EditorOperations::EditorOperations(UserInterface& ui)
    : ui_(ui),
      workerUi_(ui),
      chooseOpen_(&DefaultOpenChooser),
      chooseSave_(&DefaultSaveChooser),
      freeBytes_(&DefaultFreeBytes),
      chooseHistoryRow_(&DefaultHistoryChooser) {}

EditorOperations::~EditorOperations() = default;

void EditorOperations::Prepare(TFmMain& window) {
  // The port's own box of a failed open is handed over like every other.
  window.Comm().SetUserInterface(&workerUi_);
  if (preparedFor_ != &window || preparedLink_ != &window.Link()) PrepareLink(window);
  // The setup may have changed since the last operation.
  programmer_->SetBackupFolder(window.AutoBackup ? BackupFolderOf(window) : "");
  programmer_->SetVerify(window.VerifyAfterProgram);
}

void EditorOperations::PrepareLink(TFmMain& window) {
  PagerSession& session = window.Session();
  run_.reset();
  programmer_.reset();
  sequence_.reset();
  link_ = std::make_unique<PagerLink>(window.Link(), window.LinkClock(), workerUi_, session.link,
                                      session.image.Bytes(), session.pagerCopy.Bytes());
  checks_ = std::make_unique<PasswordChecks>(session.passwords, workerUi_, window.LinkClock());
  sequence_ = std::make_unique<ReadSequence>(session, *link_, *checks_, workerUi_);
  programmer_ =
      std::make_unique<PagerProgrammer>(session, window.Link(), window.LinkClock(), workerUi_);
  preparedFor_ = &window;
  preparedLink_ = &window.Link();
  // A run under way keeps its recorder across a new programmer.
  if (recorder_) programmer_->SetRecorder(recorder_.get(), window.Comm().PortName());
}

void EditorOperations::SetHistory(HistoryAtPath* history,
                                  std::function<std::string()> currentPath) {
  history_ = history;
  historyPath_ = std::move(currentPath);
  historyOnGuiThread_ = history ? std::make_unique<GuiThreadRecorder>(*history) : nullptr;
}

void EditorOperations::BeginRecordedRun(TFmMain& window) {
  Prepare(window);
  if (!history_) {
    recorder_.reset();
    programmer_->SetRecorder(nullptr, {});
    return;
  }
  if (historyPath_) history_->SetPath(historyPath_());
  const std::string path = history_->Path();
  // Said through the worker-side interface: a program attempt records on
  // the worker thread, a read on the GUI thread, and both reach the person.
  recorder_ = std::make_unique<RunRecorder>(
      historyOnGuiThread_.get(), [this, path](const std::string& error) {
        workerUi_.ShowMessageBox(MessageBox{"Error Message",
                                            "\nThe pager history could not be written:\n" + path +
                                                "\n" + error +
                                                "\n\nThe pager operation itself is not affected.\n",
                                            MessageIcon::Warning, MessageButtons::Ok});
      });
  programmer_->SetRecorder(recorder_.get(), window.Comm().PortName());
}

void EditorOperations::RunPagerOperation(TFmMain& window, const std::function<void()>& work) {
  window.SetCommandStates(false, TFmMain::CommandScope::WholeWindow);
  RunOffGuiThread(work);
  window.SetCommandStates(true, TFmMain::CommandScope::WholeWindow);
}

int EditorOperations::RunReadSequence(TFmMain& window) {
  BeginRecordedRun(window);
  int result = kNotDone;
  RunPagerOperation(window, [&] { result = sequence_->ReadPager(); });
  lastReadBackup_.clear();
  if (result == kSuccess && window.AutoBackup) BackUpRead(window);
  if (recorder_) {
    recorder_->RecordRead(window.Session(), window.Comm().PortName(), result, lastReadBackup_);
  }
  return result;
}

void EditorOperations::BackUpRead(TFmMain& window) {
  const PagerSession& session = window.Session();
  if (session.link.ModelCode == kNoPagerInformation) return;
  const std::size_t length = ImageLengthOfModel(session.link.ModelCode);
  const CodeplugBackupResult backup =
      WriteCodeplugBackup(BackupFolderOf(window), session.link.SerialNumber,
                          session.image.Bytes().first(length), FileHeaderOf(session));
  if (backup.written) {
    lastReadBackup_ = backup.path;
    return;
  }
  MessageContext context = ui_.CurrentContext();
  context.detail = backup.error + "\nThe codeplug was read all the same.";
  ui_.ShowMessageBox(ComposeError(kBackupNotWritten, context));
}

void EditorOperations::ReadPager(TFmMain& window) {
  window.SequentialMode = false;
  window.SetStatusPanel(0, kReadingStatusText);
  ui_.BeginProgress();
  const int result = RunReadSequence(window);
  ui_.EndProgress();
  if (result == kSuccess && window.PagerLink().ModelCode != kNoPagerInformation) {
    window.EnterEditor();
    window.SetCommandStates(false, TFmMain::CommandScope::ByPage);
  } else if (result != kSuccess && !AlreadyReported(result)) {
    // (A read that succeeded without telling the pager's model has nothing to report.)
    ui_.ShowError(result);
  }
  window.SetStatusPanel(0, "");
}

void EditorOperations::ProgramSingle(TFmMain& window) {
  ProgramFromMainPage(window, false);
}

void EditorOperations::ProgramSequential(TFmMain& window) {
  ProgramFromMainPage(window, true);
}

void EditorOperations::ProgramFromMainPage(TFmMain& window, bool sequential) {
  window.SequentialMode = sequential;
  int readResult = kNotDone;
  if (window.PagerLink().ModelCode == kNoPagerInformation) {
    window.SetStatusPanel(0, kReadingStatusText);
    ui_.BeginProgress();
    readResult = RunReadSequence(window);
    ui_.EndProgress();
  }
  const bool supported = IsProgrammableModel(window.PagerLink().ModelCode);
  if ((readResult == kSuccess || supported) && !window.PagerLink().Unprogrammed) {
    if (sequential) {
      window.SetSequentialBarVisible(true);
      StartSequentialRun(window);
    }
    window.EnterEditor();
    window.SetCommandStates(false, TFmMain::CommandScope::ByPage);
  }
  window.SetStatusPanel(0, "");
}

void EditorOperations::StartSequentialRun(TFmMain& window) {
  // Every pager of the run is recorded under the one run.
  BeginRecordedRun(window);
  run_ = std::make_unique<SequentialRun>(window.Session(), *programmer_, workerUi_);
  const QString folder =
      window.WorkFilesPath.isEmpty() ? QDir::currentPath() : window.WorkFilesPath;
  const QString name =
      "rer-run-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss") + ".csv";
  window.SetRunLogPath(QDir(folder).filePath(name));
  run_->SetLogFile(window.RunLogPath().toStdString());
  window.ShowRunTable({});
}

int EditorOperations::CheckAllPages(TFmMain& window) {
  // The whole-editor check of the field machinery: the focused field is
  // stored, the active page checked, then every page in turn; -48 has been
  // shown there and, before a program or a save, stops like any failure.
  // Its result is the last check of the window: a codeplug that was read and
  // passes is ready to program although no field has been left yet.
  const int check = window.Fields().PageCheck(window.ActivePage());
  window.LastFieldCheck = check;
  return check;
}

int EditorOperations::ProgramWithProgress(TFmMain& window) {
  if (window.CurrentFileName.isEmpty()) {
    ui_.ShowMessageBox(NeedCodeplugMessage());
    return kSuccess;
  }
  BeginRecordedRun(window);
  window.SetStatusPanel(0, kProgrammingStatusText);
  ui_.BeginProgress();
  int result = kNotDone;
  RunPagerOperation(window, [&] { result = programmer_->ProgramPager(); });
  ui_.EndProgress();
  window.SetStatusPanel(0, "");
  return result == kNotDone ? kSuccess : result;
}

void EditorOperations::ProgramFromEditor(TFmMain& window) {
  if (CheckAllPages(window) != kSuccess || window.LastFieldCheck != kSuccess) return;
  PagerSession& session = window.Session();

  if (!window.SequentialMode || !run_) {
    const int result = ProgramWithProgress(window);
    // A port that would not open leaves the editor as it was, for another try.
    if (result != kLinkPortNotOpened) window.LeaveEditor();
    return;
  }

  const int active = window.ActivePage();
  const bool beforeProgram = active <= kLastAddressPage;
  if (!beforeProgram && RunAddressChecks(session.settings, session.link.ModelCode, ui_) != 0) {
    return;
  }
  Prepare(window);
  window.SetStatusPanel(0, kProgrammingStatusText);
  ui_.BeginProgress();
  SequentialRun::Outcome outcome;
  RunPagerOperation(window, [&] {
    outcome = run_->ProgramNext(beforeProgram ? SequentialOrder::CheckBeforeProgram
                                              : SequentialOrder::CheckAfterProgram);
  });
  ui_.EndProgress();
  window.SetStatusPanel(0, "");
  window.ShowRunTable(run_->Log());
  if (outcome.attempted && !run_->LogFileWritten()) {
    ui_.ShowMessageBox(MessageBox{
        "Error Message",
        "\nThe run log could not be written:\n" + window.RunLogPath().toStdString() + "\n",
        MessageIcon::Warning, MessageButtons::Ok});
  }
  // The pages show the addresses and the inventory number of the next pager.
  if (outcome.advanced) window.FillPages();
  if (!beforeProgram) window.ShowPage(kGeneralPageIndex);
}

void EditorOperations::Print(TFmMain& window) {
  // The pages are photographed with the widgets' own rendering, not from the
  // screen, so nothing needs to be brought to the top first and the window's
  // Stay on Top setting is left as it is.
  const QString folder = reportFolder_.isEmpty() ? ReportPictureFolder() : reportFolder_;
  CapturePagePictures(window, folder, window.PrintPageCount);
  const CodeplugReport report =
      PrepareReport(folder, window.PrintPageCount, window.CurrentFileName);
  if (presentReport_) {
    presentReport_(report);
  } else {
    ShowReportPreview(report, &window);
  }
}

void EditorOperations::Service(TFmMain& window) {
  window.SetStatusPanel(0, kReadingStatusText);
  ui_.BeginProgress();
  window.Session().serviceRequested = true;
  const int result = RunReadSequence(window);
  ui_.EndProgress();
  window.SetStatusPanel(0, "");
  // The dialog opens whatever the read gave (its test commands need no
  // codeplug), but a failure is still told rather than passed over.
  if (result != kSuccess && result != kNotDone && !AlreadyReported(result)) ui_.ShowError(result);
  TFmService dialog(window.Session(), ui_, ServiceSide(window), &window);
  dialog.exec();
}

ServiceWindowSide EditorOperations::ServiceSide(TFmMain& window) {
  ServiceWindowSide side;
  side.openHelp = [&window](int /*topic*/) { window.OpenHelp(); };
  side.programPager = [this, &window] {
    // Without a codeplug read there is nothing of this pager's to write back.
    if (!window.Session().layout.InForce() || window.PagerLink().ModelCode == kNoPagerInformation) {
      ui_.ShowMessageBox(NeedCodeplugMessage());
      return kNotDone;
    }
    Prepare(window);
    int result = kNotDone;
    RunPagerOperation(window, [&] { result = programmer_->ProgramPager(); });
    return result;
  };
  side.sendServiceCommand = [this, &window](std::uint8_t command, std::vector<std::uint8_t>& reply,
                                            int replyKind) {
    Prepare(window);
    int result = kLinkPortNotOpened;
    RunPagerOperation(window,
                      [&] { result = link_->SendServiceCommand(command, reply, replyKind); });
    return result;
  };
  side.forgetFileName = [&window] { window.CurrentFileName.clear(); };
  side.refreshWindowCommands = [&window] {
    window.SetCommandStates(true, TFmMain::CommandScope::ByPage);
  };
  return side;
}

void EditorOperations::SetToDefaults(TFmMain& window) {
  if (!SetEditorToDefaults(window.Session(), ui_)) return;
  window.FillPages();
  window.LastFieldCheck = kSuccess;
}

void EditorOperations::LoadCodeplug(TFmMain& window) {
  window.SequentialMode = false;
  run_.reset();
  window.ShowRunTable({});
  const std::optional<QString> path =
      chooseOpen_ ? chooseOpen_(window.WorkFilesPath) : std::nullopt;
  if (!path || path->isEmpty()) return;
  const int result = LoadCodeplugInto(window.Session(), path->toStdString(), &FileExists, ui_);
  if (result != kSuccess) return;
  window.EnterEditor(QFileInfo(*path).absoluteFilePath());
  window.SetCommandStates(false, TFmMain::CommandScope::ByPage);
}

void EditorOperations::SaveAs(TFmMain& window) {
  SaveAsHooks hooks;
  hooks.checkPages = [&] { return CheckAllPages(window); };
  hooks.choosePath = [&]() -> std::optional<std::string> {
    const QString folder = window.CurrentFileName.contains('/')
                               ? QFileInfo(window.CurrentFileName).absolutePath()
                               : window.WorkFilesPath;
    const std::optional<QString> path = chooseSave_ ? chooseSave_(folder) : std::nullopt;
    if (!path) return std::nullopt;
    return path->toStdString();
  };
  hooks.freeBytes = [&](const std::string& path) {
    return freeBytes_ ? freeBytes_(QString::fromStdString(path)) : std::nullopt;
  };
  hooks.fileExists = &FileExists;
  std::string saved;
  const SaveAsResult result =
      SaveCodeplugAs(window.Session(), !window.CurrentFileName.isEmpty(), hooks, ui_, saved);
  if (result == SaveAsResult::Saved) window.CodeplugSavedAs(QString::fromStdString(saved));
}

void EditorOperations::CompareWithFile(TFmMain& window) {
  const std::optional<QString> path =
      chooseOpen_ ? chooseOpen_(window.WorkFilesPath) : std::nullopt;
  if (!path || path->isEmpty()) return;
  // The file is decoded on its own, as a load would, without touching the
  // editor; a file that does not load has said why.
  auto other = std::make_unique<PagerSession>();
  if (LoadCodeplugFile(*other, path->toStdString(), ui_) != kSuccess) {
    if (!ReadTextFile(path->toStdString())) {
      ui_.ShowMessageBox(MessageBox{"Error Message", "\nCannot read " + path->toStdString() + "\n",
                                    MessageIcon::Warning, MessageButtons::Ok});
    }
    return;
  }
  const std::unique_ptr<PagerSession> mine = EditorAsSaved(window.Session());
  TFmCompare dialog(
      *path, DiffSettings(mine ? mine->settings : window.Session().settings, other->settings),
      &window);
  dialog.SetGoTo([&window](const SettingDifference& difference) {
    window.GoToSetting(difference.control, difference.address);
  });
  if (runCompare_) {
    runCompare_(dialog);
  } else {
    dialog.exec();
  }
}

void EditorOperations::PagerHistory(TFmMain& window) {
  if (!history_ || !chooseHistoryRow_) return;
  if (historyPath_) history_->SetPath(historyPath_());
  const std::optional<HistoryRow> row = chooseHistoryRow_(history_->Path());
  if (row) OpenHistoryRow(window, *row);
}

int EditorOperations::OpenHistoryRow(TFmMain& window, const HistoryRow& row) {
  // The kept codeplug goes through the very load of Load Codeplug, as a
  // file of its own, so that it is checked and decoded alike.
  QTemporaryDir folder;
  const std::string path = QDir(folder.path()).filePath("history.cp").toStdString();
  std::string error;
  if (!folder.isValid() || !RestoreCodeplugFile(row, false, path, error)) {
    ui_.ShowMessageBox(MessageBox{"Error Message",
                                  "\nThe codeplug of the pager history cannot be opened:\n" +
                                      (error.empty() ? folder.errorString().toStdString() : error) +
                                      "\n",
                                  MessageIcon::Warning, MessageButtons::Ok});
    return kNotDone;
  }
  window.SequentialMode = false;
  run_.reset();
  window.ShowRunTable({});
  const int result = LoadCodeplugInto(window.Session(), path, &FileExists, ui_);
  if (result != kSuccess) return result;
  // Like a codeplug read from the pager: it has no file of its own to save over.
  window.EnterEditor();
  window.SetCommandStates(false, TFmMain::CommandScope::ByPage);
  return result;
}

}  // namespace rer
