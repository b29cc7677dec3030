// rer-cli program --port PORT FILE.cp [--sequential N] [--no-wait] [--log RUN.csv]
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
// not hold what was written counts as not programmed. The exit code is 0 only
// when every pager was programmed.

#include <iostream>
#include <memory>

#include "cli/args.h"
#include "cli/backup_option.h"
#include "cli/commands.h"
#include "cli/history_option.h"
#include "cli/session_port.h"
#include "codeplug/field_catalogue.h"
#include "core/result_codes.h"
#include "operations/program_run.h"
#include "pager/codeplug_backup.h"
#include "pager/codeplug_files.h"
#include "pager/read_pager.h"
#include "pages/address_checks.h"
#include "service/serial_partition.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage =
    "usage: rer-cli program --port PORT FILE.cp [--sequential N] [--no-wait] [--log RUN.csv] "
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
    std::cerr << "program: the pager asks for its password: give --password (nothing was sent, "
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
      std::cerr << "program: no password was given for it: give " << m.name << "\n";
    }
  }

  std::optional<SerialPartitionEntry> EnterSerialPartition(
      const SerialPartitionRequest& request) override {
    serialPartitionRequests.push_back(request);
    if (!options_.serial) {
      std::cerr << "program: the pager holds no codeplug; give --serial (and --partition)\n";
      return std::nullopt;
    }
    return SerialPartitionEntry{*options_.serial, options_.partitionIndex};
  }

 private:
  ProgramOptions options_;
  long retriesLeft_;
};

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

}  // namespace rer::cli
