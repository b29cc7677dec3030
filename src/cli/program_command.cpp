// rer-cli program --port PORT [--port PORT ...] FILE.cp [--sequential N] [--no-wait]
//                 [--log RUN.csv]
//                 [--password P] [--local-password P] [--secure-password P]
//                 [--ota-password P] [--serial S --partition I] [--yes|--no]
//                 [--retries N] [--scenario FILE.json]
//                 [--backup-dir DIR | --no-backup] [--no-verify]
//                 [--history FILE | --no-history]
// Loads the codeplug file and programs the pager in the cradle. With
// --sequential N it programs N pagers one after another, advancing the
// addresses and the inventory number after each and waiting for Enter before
// the next one unless --no-wait is given. --log appends one CSV line per
// pager. What each pager held before is kept in the backups folder, and each
// pager is read back after its write (--no-verify does not); a pager that does
// not hold what was written counts as not programmed. With several --port
// options the run is spread over as many cradles at once
// (operations/multi_port_run.h); every line a cradle prints begins with its
// port. The exit code is 0 only when every pager was programmed.

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <iostream>
#include <memory>

#include "cli/args.h"
#include "cli/backup_option.h"
#include "cli/commands.h"
#include "cli/cradle_console.h"
#include "cli/history_option.h"
#include "cli/session_port.h"
#include "codeplug/field_catalogue.h"
#include "core/result_codes.h"
#include "operations/multi_port_run.h"
#include "operations/program_run.h"
#include "pager/codeplug_backup.h"
#include "pager/codeplug_files.h"
#include "pager/read_pager.h"
#include "pages/address_checks.h"
#include "service/serial_partition.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage =
    "usage: rer-cli program --port PORT [--port PORT ...] FILE.cp [--sequential N] [--no-wait] "
    "[--log RUN.csv] "
    "[--password P] [--local-password P] [--secure-password P] [--ota-password P] "
    "[--serial S --partition I] [--yes|--no] [--retries N] [--scenario FILE] "
    "[--backup-dir DIR | --no-backup] [--no-verify] [--history FILE | --no-history]";

// The questions a pager that stops answering raises; --retries answers them.
constexpr int kRetryQuestions[] = {kQuestionRetryStandard, kQuestionRetryCompact,
                                   kQuestionRetryTransfer, kQuestionRetryProgram1K};

struct ProgramOptions {
  std::optional<std::string> pagerPassword;
  std::optional<std::string> localPassword;
  std::optional<std::string> securePassword;
  std::optional<std::string> otaPassword;
  std::optional<std::string> serial;
  int partitionIndex = 0;
  int answer = kResultNo;
  long retries = 0;
};

// Answers every entry and question of the program sequence from the options.
class ProgramUserInterface : public CommandLineUserInterface {
 public:
  explicit ProgramUserInterface(ProgramOptions options)
      : options_(std::move(options)), retriesLeft_(options_.retries) {}

  int ShowMessageBox(const MessageBox& box) override {
    CommandLineUserInterface::ShowMessageBox(box);
    if (box.buttons == MessageButtons::Ok) {
      PrintMissingOption(box);
      return kResultOk;
    }
    for (const int code : kRetryQuestions) {
      if (box.text != ComposeQuestion(code).text) continue;
      if (retriesLeft_ <= 0) return kResultNo;
      --retriesLeft_;
      return kResultYes;
    }
    return options_.answer;
  }

  std::optional<std::string> EnterPassword(PasswordMode mode) override {
    passwordAsks.push_back(mode);
    switch (mode) {
      case PasswordMode::PagerAccess:
        return options_.pagerPassword;
      case PasswordMode::Local:
      case PasswordMode::PagerLocal:
        return options_.localPassword;
      case PasswordMode::Secure:
        return options_.securePassword;
      case PasswordMode::Ota:
        return options_.otaPassword;
      default:
        return std::nullopt;
    }
  }

  bool CanAskPassword(PasswordMode mode) override {
    if (mode != PasswordMode::PagerAccess || options_.pagerPassword) return true;
    Err() << "program: the pager asks for its password: give --password (nothing was sent, "
             "no try used)\n";
    return false;
  }

  // A password refused because its option was not given: the message speaks
  // of a password entered, so the option to give follows on its own line.
  void PrintMissingOption(const MessageBox& box) const {
    struct Missing {
      int code;
      const std::optional<std::string>& option;
      const char* name;
    };
    const Missing missing[] = {{kWrongOtaPassword, options_.otaPassword, "--ota-password"},
                               {kWrongSecurePassword, options_.securePassword, "--secure-password"},
                               {kWrongLocalPassword, options_.localPassword, "--local-password"}};
    for (const Missing& m : missing) {
      if (m.option || box.text != ComposeError(m.code, CurrentContext()).text) continue;
      Err() << "program: no password was given for it: give " << m.name << "\n";
    }
  }

  std::optional<SerialPartitionEntry> EnterSerialPartition(
      const SerialPartitionRequest& request) override {
    serialPartitionRequests.push_back(request);
    if (!options_.serial) {
      Err() << "program: the pager holds no codeplug; give --serial (and --partition)\n";
      return std::nullopt;
    }
    return SerialPartitionEntry{*options_.serial, options_.partitionIndex};
  }

 private:
  ProgramOptions options_;
  long retriesLeft_;
};

// The run over several ports, below.
int RunMultiPortProgram(Args& args, const std::vector<std::string>& ports,
                        const ProgramOptions& options);

}  // namespace

int RunProgramCommand(const CommandArgs& words) {
  Args args(
      words,
      {"port", "sequential", "log", "password", "local-password", "secure-password", "ota-password",
       "serial", "partition", "retries", "scenario", kBackupDirOption, kHistoryOption},
      {"no-wait", "yes", "no", kNoBackupFlag, "no-verify", kNoHistoryFlag});
  const auto port = args.value("port");
  const auto sequential = args.number("sequential");
  const auto retries = args.number("retries");
  const auto partition = args.number("partition");
  const bool badCounts = (sequential && *sequential < 1) || (retries && *retries < 0) ||
                         (partition && (*partition < 0 || *partition >= kPartitionEntries));
  if (!args.ok() || !port || args.positional().size() != 1 || badCounts ||
      (args.has("yes") && args.has("no"))) {
    std::cerr << (args.ok() ? kUsage : args.error()) << "\n";
    return 2;
  }

  ProgramOptions options;
  options.pagerPassword = args.value("password");
  options.localPassword = args.value("local-password");
  options.securePassword = args.value("secure-password");
  options.otaPassword = args.value("ota-password");
  options.serial = args.value("serial");
  options.partitionIndex = static_cast<int>(partition.value_or(0));
  options.answer = args.has("yes") ? kResultYes : kResultNo;
  options.retries = retries.value_or(0);
  if (args.values("port").size() > 1)
    return RunMultiPortProgram(args, args.values("port"), options);
  ProgramUserInterface ui(options);

  std::string error;
  const auto sessionPort = OpenSessionPort(*port, args, ui, error);
  if (!sessionPort) {
    std::cerr << "program: " << error << "\n";
    return 2;
  }

  auto session = std::make_unique<PagerSession>();
  ui.SetContextSource([&session] { return SessionMessageContext(*session); });
  const std::string& file = args.positional().front();
  if (LoadCodeplugFile(*session, file, ui) != 1) {
    std::cerr << "program: cannot load " << file << "\n";
    return 1;
  }

  PagerProgrammer programmer(*session, sessionPort->transport(), sessionPort->clock(), ui);
  if (!args.has(kNoBackupFlag)) {
    programmer.SetBackupFolder(args.value(kBackupDirOption).value_or(DefaultBackupFolder()));
  }
  programmer.SetVerify(!args.has("no-verify"));
  // Every pager of the run is one attempt in the history, under one run.
  CommandHistory history(args, "program");
  programmer.SetRecorder(&history.Recorder(), *port);
  SequentialRun run(*session, programmer, ui);

  const long pagers = sequential.value_or(1);
  const auto logPath = args.value("log");
  if (logPath) run.SetLogFile(*logPath);
  long programmed = 0;
  for (long n = 0; n < pagers; ++n) {
    if (n > 0 && !args.has("no-wait")) {
      std::cerr << "Put pager " << n + 1 << " of " << pagers << " in the cradle and press Enter.\n";
      std::string line;
      if (!std::getline(std::cin, line)) {
        std::cerr << "program: standard input is closed; run stopped before pager " << n + 1
                  << " (--no-wait goes on without asking)\n";
        break;
      }
    }
    if (RunAddressChecks(session->settings, session->link.ModelCode, ui) != 0) break;
    int result = 0;
    bool advanced = false;
    RunLogRow row;
    const int imagesBefore = programmer.ImagesSent();
    if (sequential) {
      const SequentialRun::Outcome outcome = run.ProgramNext(SequentialOrder::CheckBeforeProgram);
      if (!outcome.attempted) {
        std::cerr << "program: sequential run stopped before pager " << n + 1 << "\n";
        break;
      }
      result = outcome.result;
      advanced = outcome.advanced;
      row = run.Log().back();
    } else {
      result = programmer.ProgramPager();
      row = MakeRunLogRow(*session, 1, result, RunLogTime());
      if (logPath && !AppendRunLog(*logPath, row)) {
        std::cerr << "program: cannot write " << *logPath << "\n";
      }
    }
    // The program sequence leaves a pager that never answered unreported;
    // a technician at the command line still needs the reason.
    if (result == kLinkNotResponding) ui.ShowError(result);
    // A pager that refused the checksum has said it kept nothing; one whose
    // answer was lost after the whole image went out may well hold it.
    const bool refusedChecksum =
        !ui.shown.empty() && ui.shown.back().text == ComposeError(kLinkBadChecksum).text;
    // A pager that failed its verify has been read: the message says what it holds.
    if (result != kSuccess && programmer.ImagesSent() > imagesBefore && !refusedChecksum &&
        !programmer.LastVerify().Failed()) {
      std::cerr << "program: the pager may hold the new codeplug: read it to check\n";
    }
    if (programmer.LastBackup() && programmer.LastBackup()->written) {
      std::cout << "backup \"" << programmer.LastBackup()->path << "\" of what pager " << n + 1
                << " held\n";
    }
    if (result != kSuccess) break;
    ++programmed;
    std::cout << "programmed " << row.serialNumber << " ICN \"" << row.inventoryNumber
              << "\" first capcode " << row.firstCapcode << ", "
              << VerifyDetail(programmer.LastVerify()) << "\n";
    if (sequential && n + 1 < pagers && !advanced) {
      std::cerr << "program: the addresses cannot advance for the next pager\n";
      break;
    }
  }
  if (logPath && !run.LogFileWritten()) std::cerr << "program: cannot write " << *logPath << "\n";
  std::cout << programmed << " of " << pagers << " pagers programmed\n";
  return programmed == pagers ? 0 : 1;
}

namespace {

// One cradle of a run over several ports at the command line: its own
// answers from the options, its lines named after its port, and standard
// input to say when its next pager is in.
class CommandLineCradle : public RunCradle {
 public:
  CommandLineCradle(const std::string& port, const ProgramOptions& options, const Args& args,
                    const std::string& runId, SharedLines& out, SharedLines& err,
                    CradleWaits* waits)
      : portName_(port),
        ui_(options),
        args_(args),
        runId_(runId),
        out_(out, port),
        err_(err, port),
        waits_(waits) {
    ui_.SetErrorStream(err_);
  }

  // As a one-port run: backups, verify and the pager history, the history
  // opened on this cradle's own thread (its connection serves that thread).
  void Prepare(PagerProgrammer& programmer) override {
    programmer_ = &programmer;
    if (!args_.has(kNoBackupFlag)) {
      programmer.SetBackupFolder(args_.value(kBackupDirOption).value_or(DefaultBackupFolder()));
    }
    programmer.SetVerify(!args_.has("no-verify"));
    history_ = std::make_unique<CommandHistory>(args_, "program", runId_);
    programmer.SetRecorder(&history_->Recorder(), portName_);
  }
  void Finished() override {
    history_.reset();
    programmer_ = nullptr;
  }

  // Nothing, with `error` set, when the port text is not usable.
  bool Open(const Args& args, std::string& error) {
    port_ = OpenCradlePort(portName_, args, ui_, error);
    return port_ != nullptr;
  }

  std::string Port() const override { return portName_; }
  Transport& transport() override { return port_->transport(); }
  Clock& clock() override { return port_->clock(); }
  UserInterface& ui() override { return ui_; }

  void Attach(const PagerSession& session) override {
    ui_.SetContextSource([&session] { return SessionMessageContext(session); });
  }

  bool NextPager(bool lastFailed) override {
    // Without waiting nobody changes the pager: after a failure the same
    // pager would only fail again.
    if (!waits_) return !lastFailed;
    err_ << (lastFailed ? "the pager failed; put another" : "put the next")
         << " pager in the cradle "
         << "and press Enter (type " << portName_ << " and Enter when several cradles wait)\n";
    if (waits_->Wait(portName_)) return true;
    err_ << "program: standard input is closed; this cradle stops\n";
    return false;
  }

  void Attempted(const RunLogRow& row, int imagesSent) override {
    // As with one cradle: a pager that never answered is named, and one that
    // failed after the image went out may hold it, unless its verify has
    // said what it holds.
    if (row.result == kLinkNotResponding) ui_.ShowError(row.result);
    const bool refusedChecksum =
        !ui_.shown.empty() && ui_.shown.back().text == ComposeError(kLinkBadChecksum).text;
    const bool verifyFailed = programmer_ && programmer_->LastVerify().Failed();
    if (row.result != kSuccess && imagesSent > 0 && !refusedChecksum && !verifyFailed) {
      err_ << "program: the pager may hold the new codeplug: read it to check\n";
    }
    if (programmer_ && programmer_->LastBackup() && programmer_->LastBackup()->written) {
      out_ << "backup \"" << programmer_->LastBackup()->path << "\" of what the pager held\n";
    }
    if (row.result != kSuccess) return;
    out_ << "programmed " << row.serialNumber << " ICN \"" << row.inventoryNumber
         << "\" first capcode " << row.firstCapcode;
    if (programmer_) out_ << ", " << VerifyDetail(programmer_->LastVerify());
    out_ << "\n";
  }

 private:
  std::string portName_;
  ProgramUserInterface ui_;
  const Args& args_;
  std::string runId_;
  std::unique_ptr<CommandHistory> history_;
  PagerProgrammer* programmer_ = nullptr;  // the cradle's, while its thread runs
  PortStream out_;
  PortStream err_;
  CradleWaits* waits_;
  std::unique_ptr<SessionPort> port_;
};

const char* CradleEndText(CradleEnd end) {
  switch (end) {
    case CradleEnd::RunComplete:
      return "";
    case CradleEnd::Stopped:
      return ", stopped";
    case CradleEnd::PortFailed:
      return ", stopped: the port could not be opened";
    case CradleEnd::NotResponding:
      return ", stopped: the pager did not answer";
  }
  return "";
}

int RunMultiPortProgram(Args& args, const std::vector<std::string>& ports,
                        const ProgramOptions& options) {
  const auto sequential = args.number("sequential");
  if (!sequential) {
    std::cerr << "program: several --port need --sequential N\n" << kUsage << "\n";
    return 2;
  }
  for (std::size_t i = 0; i < ports.size(); ++i) {
    if (std::find(ports.begin(), ports.begin() + static_cast<std::ptrdiff_t>(i), ports[i]) !=
        ports.begin() + static_cast<std::ptrdiff_t>(i)) {
      std::cerr << "program: port " << ports[i] << " is given twice\n";
      return 2;
    }
  }
  const auto logPath = args.value("log");
  // A log holds one layout: rows with a port column under a one-port header
  // would put every later column in the wrong place.
  if (logPath && !RunLogAccepts(*logPath, PortRunLogHeader())) {
    std::cerr << "program: " << *logPath
              << " holds a log without a port column: give another --log file\n";
    return 2;
  }

  ProgramUserInterface ui(options);
  auto session = std::make_unique<PagerSession>();
  ui.SetContextSource([&session] { return SessionMessageContext(*session); });
  const std::string& file = args.positional().front();
  if (LoadCodeplugFile(*session, file, ui) != 1) {
    std::cerr << "program: cannot load " << file << "\n";
    return 1;
  }
  if (RunAddressChecks(session->settings, session->link.ModelCode, ui) != 0) {
    std::cout << "0 of " << *sequential << " pagers programmed\n";
    return 1;
  }

  // The serial ports want one application object, whichever thread uses them.
  int argc = 1;
  char name[] = "rer-cli";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  SharedLines out(std::cout);
  SharedLines err(std::cerr);
  std::unique_ptr<CradleWaits> waits;
  if (!args.has("no-wait")) waits = std::make_unique<CradleWaits>(std::cin, ports, err);
  std::vector<std::unique_ptr<CommandLineCradle>> cradles;
  std::vector<RunCradle*> runCradles;
  const std::string runId = NewRunId();
  // The history is opened (made and brought to its schema) once here, before
  // the cradles open it each on its own thread.
  { const CommandHistory opened(args, "program", runId); }
  for (const std::string& port : ports) {
    cradles.push_back(
        std::make_unique<CommandLineCradle>(port, options, args, runId, out, err, waits.get()));
    std::string error;
    if (!cradles.back()->Open(args, error)) {
      std::cerr << "program: " << error << "\n";
      return 2;
    }
    runCradles.push_back(cradles.back().get());
  }

  MultiPortRunOptions runOptions;
  runOptions.pagers = static_cast<int>(*sequential);
  if (logPath) runOptions.logFile = *logPath;
  // The serial ports' notifiers work only on threads that Qt made.
  runOptions.runConcurrently = [](const std::vector<std::function<void()>>& bodies) {
    std::vector<std::unique_ptr<QThread>> threads;
    for (const auto& body : bodies) {
      threads.emplace_back(QThread::create(body));
      threads.back()->start();
    }
    for (const auto& thread : threads) thread->wait();
  };
  const MultiPortRunResult result = RunMultiPortSequential(*session, runCradles, runOptions, ui);
  if (!result.started) std::cerr << "program: sequential run stopped before pager 1\n";
  if (result.cannotAdvance) {
    std::cerr << "program: the addresses cannot advance for the next pager\n";
  }
  if (logPath && !result.logFileWritten) std::cerr << "program: cannot write " << *logPath << "\n";
  for (const CradleSummary& cradle : result.cradles) {
    std::cout << cradle.port << ": " << cradle.programmed << " programmed, " << cradle.failed
              << " failed" << CradleEndText(cradle.end) << "\n";
  }
  std::cout << result.programmed << " of " << *sequential << " pagers programmed\n";
  return result.programmed == *sequential ? 0 : 1;
}

}  // namespace
}  // namespace rer::cli
