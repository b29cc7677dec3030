// rer-cli program --port PORT FILE.cp [--sequential N] [--no-wait] [--log RUN.csv]
//                 [--password P] [--local-password P] [--secure-password P]
//                 [--ota-password P] [--serial S --partition I] [--yes|--no]
//                 [--retries N] [--scenario FILE.json]
// Loads the codeplug file and programs the pager in the cradle. With
// --sequential N it programs N pagers one after another, advancing the
// addresses and the inventory number after each and waiting for Enter before
// the next one unless --no-wait is given. --log appends one CSV line per
// pager. The exit code is 0 only when every pager was programmed.

#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/session_port.h"
#include "codeplug/field_catalogue.h"
#include "pager/codeplug_files.h"
#include "pager/link_engine.h"
#include "pager/program_pager.h"
#include "pager/read_pager.h"
#include "pages/address_checks.h"
#include "pages/sequential_programming.h"
#include "service/serial_partition.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage =
    "usage: rer-cli program --port PORT FILE.cp [--sequential N] [--no-wait] [--log RUN.csv] "
    "[--password P] [--local-password P] [--secure-password P] [--ota-password P] "
    "[--serial S --partition I] [--yes|--no] [--retries N] [--scenario FILE]";

// The questions a pager that stops answering raises; --retries answers them.
constexpr int kRetryQuestions[] = {kQuestionRetryStandard, kQuestionRetryCompact,
                                   kQuestionRetryProgram4K, kQuestionRetryProgram1K};

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
    const Missing missing[] = {
        {kWrongOtaPassword, options_.otaPassword, "--ota-password"},
        {kWrongSecurePassword, options_.securePassword, "--secure-password"},
        {kWrongPagerLocalPassword, options_.localPassword, "--local-password"}};
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

std::string Capcodes(const EditorSettings& settings) {
  std::string text;
  for (int address = 1; address <= kAddressCount; ++address) {
    const std::string& capcode = settings.Text(AddressControl::Capcode, address);
    if (capcode.empty()) continue;
    if (!text.empty()) text += ' ';
    text += capcode;
  }
  return text;
}

std::string Timestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

// A CSV field, quoted when it holds a separator or a quote.
std::string CsvField(const std::string& value) {
  if (value.find_first_of(",\"\n") == std::string::npos) return value;
  std::string quoted = "\"";
  for (char c : value) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

bool AppendLogLine(const std::string& path, const PagerSession& session, int result) {
  std::ofstream log(path, std::ios::app);
  log << CsvField(Timestamp()) << ',' << CsvField(session.link.SerialNumber) << ','
      << CsvField(session.settings.Text("ed_ICN")) << ',' << CsvField(Capcodes(session.settings))
      << ',' << result << '\n';
  return static_cast<bool>(log);
}

}  // namespace

int RunProgramCommand(const CommandArgs& words) {
  Args args(words,
            {"port", "sequential", "log", "password", "local-password", "secure-password",
             "ota-password", "serial", "partition", "retries", "scenario"},
            {"no-wait", "yes", "no"});
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

  PasswordChecks checks(session->passwords, ui, sessionPort->clock());
  PagerLink link(sessionPort->transport(), sessionPort->clock(), ui, session->link,
                 session->image.Bytes(), session->pagerCopy.Bytes());
  InstallImageReadChecks(link, *session);
  ProgramSteps steps;
  steps.enterSerialNumber = [](PagerSession& s, UserInterface& entryUi) {
    return EnterSerialAndPartition(s, entryUi);
  };
  ProgramSequence sequence(*session, link, checks, ui, sessionPort->clock(), std::move(steps));

  const long pagers = sequential.value_or(1);
  const auto logPath = args.value("log");
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
    // Every pager of a run is checked before it is programmed: a run that
    // would hand out an address twice goes on only when the question is
    // answered Yes.
    if (sequential && !SequentialCheck(session->settings, ui)) {
      std::cerr << "program: sequential run stopped before pager " << n + 1 << "\n";
      break;
    }
    const int imagesBefore = link.imagesSent();
    const int result = sequence.ProgramPager();
    // The program sequence leaves a pager that never answered unreported;
    // a technician at the command line still needs the reason.
    if (result == kLinkNotResponding) ui.ShowError(result);
    // A pager that refused the checksum has said it kept nothing; one whose
    // answer was lost after the whole image went out may well hold it.
    const bool refusedChecksum =
        !ui.shown.empty() && ui.shown.back().text == ComposeError(kLinkBadChecksum).text;
    if (result != kProgramSucceeded && link.imagesSent() > imagesBefore && !refusedChecksum) {
      std::cerr << "program: the pager may hold the new codeplug: read it to check\n";
    }
    if (logPath && !AppendLogLine(*logPath, *session, result)) {
      std::cerr << "program: cannot write " << *logPath << "\n";
    }
    if (result != kProgramSucceeded) break;
    ++programmed;
    std::cout << "programmed " << session->link.SerialNumber << " ICN \""
              << session->settings.Text("ed_ICN") << "\" capcodes " << Capcodes(session->settings)
              << "\n";
    if (!sequential || n + 1 == pagers) continue;
    if (!SequentialAdvancePossible(session->settings)) {
      std::cerr << "program: the addresses cannot advance for the next pager\n";
      break;
    }
    AdvanceSequentialAddresses(session->settings);
  }
  std::cout << programmed << " of " << pagers << " pagers programmed\n";
  return programmed == pagers ? 0 : 1;
}

}  // namespace rer::cli
