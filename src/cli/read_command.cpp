// rer-cli read --port PORT -o FILE.cp [--password P] [--local-password P]
//              [--retries N] [--scenario FILE.json] [--backup-dir DIR | --no-backup]
//              [--history FILE | --no-history]
// Reads the codeplug of the pager on PORT, decodes it as the editor does, and
// writes the image exactly as the pager holds it into FILE.cp. Prints the
// pager's identity and the codeplug version. Questions are answered from the
// options: --retries N answers Yes N times, anything else is No; a password
// entry without its option is closed unanswered.

#include <cctype>
#include <iostream>

#include "cli/args.h"
#include "cli/backup_option.h"
#include "cli/commands.h"
#include "cli/history_option.h"
#include "cli/session_port.h"
#include "core/result_codes.h"
#include "pager/codeplug_file.h"
#include "pager/codeplug_files.h"
#include "pager/link_engine.h"
#include "pager/read_pager.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage =
    "usage: rer-cli read --port PORT -o FILE.cp [--password P] [--local-password P] "
    "[--retries N] [--scenario FILE] [--backup-dir DIR | --no-backup] "
    "[--history FILE | --no-history]";

// Results the read has already reported, or that need no message.
constexpr int kQuietResults[] = {kSuccess, kLinkNotResponding, kLinkPortNotOpened,
                                 kWrongLocalPassword, kOperationCancelled};

constexpr const char* kNoPagerPasswordText =
    "read: the pager asks for its password: give --password (nothing was sent, no try used)";

// Types the pager's access password and the codeplug's local password from
// the options, in upper case as the password field turns every key.
class ReadUserInterface : public CommandLineUserInterface {
 public:
  ReadUserInterface(std::optional<std::string> pagerPassword,
                    std::optional<std::string> localPassword)
      : pagerPassword_(Typed(pagerPassword)), localPassword_(Typed(localPassword)) {}

  std::optional<std::string> EnterPassword(PasswordMode mode) override {
    passwordAsks.push_back(mode);
    if (mode == PasswordMode::PagerAccess) return pagerPassword_;
    if (mode == PasswordMode::Local) {
      if (!localPassword_) {
        std::cerr << "read: the codeplug has a local password: give --local-password\n";
      }
      return localPassword_;
    }
    return std::nullopt;
  }

  bool CanAskPassword(PasswordMode mode) override {
    if (mode != PasswordMode::PagerAccess || pagerPassword_) return true;
    std::cerr << kNoPagerPasswordText << "\n";
    return false;
  }

 private:
  static std::optional<std::string> Typed(std::optional<std::string> text) {
    if (text) {
      for (char& c : *text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
  }

  std::optional<std::string> pagerPassword_;
  std::optional<std::string> localPassword_;
};

bool IsQuiet(int result) {
  for (const int quiet : kQuietResults) {
    if (result == quiet) return true;
  }
  return false;
}

}  // namespace

int RunReadCommand(const CommandArgs& words) {
  Args args(words,
            {"port", "o", "password", "local-password", "retries", "scenario", kBackupDirOption,
             kHistoryOption},
            {kNoBackupFlag, kNoHistoryFlag});
  const auto retries = args.number("retries");
  const auto port = args.value("port");
  const auto output = args.value("o");
  if (!args.ok() || !port || !output || !args.positional().empty() || (retries && *retries < 0)) {
    std::cerr << (args.ok() ? kUsage : args.error()) << "\n";
    return 2;
  }

  ReadUserInterface ui(args.value("password"), args.value("local-password"));
  ui.defaultAnswer = kResultNo;
  for (long i = 0; i < retries.value_or(0); ++i) ui.answers.push_back(kResultYes);

  std::string error;
  const auto sessionPort = OpenSessionPort(*port, args, ui, error);
  if (!sessionPort) {
    std::cerr << "read: " << error << "\n";
    return 2;
  }

  auto session = std::make_unique<PagerSession>();
  ui.SetContextSource([&session] { return SessionMessageContext(*session); });
  PasswordChecks checks(session->passwords, ui, sessionPort->clock());
  PagerLink link(sessionPort->transport(), sessionPort->clock(), ui, session->link,
                 session->image.Bytes(), session->pagerCopy.Bytes());

  CommandHistory history(args, "read");
  const int result = ReadPager(*session, link, checks, ui);
  if (result != kSuccess) {
    if (!IsQuiet(result)) ui.ShowError(result);
    history.Recorder().RecordRead(*session, *port, result);
    return 1;
  }
  // Backed up before the -o file is written, so that a pager read is kept
  // even when that file cannot be.
  const auto backup = BackUpRead(args, *session, "read");
  history.Recorder().RecordRead(*session, *port, result, backup.value_or(""));

  // The file keeps the pager's own bytes; the decode above has vouched for them.
  std::string writeError;
  if (!WriteCodeplugFileSafely(*output,
                               FormatCodeplugFile(session->image.Bytes(), FileHeaderOf(*session)),
                               &writeError)) {
    std::cerr << "read: cannot write " << *output << ": " << writeError << "\n";
    return 1;
  }
  const LinkState& state = session->link;
  std::cout << "model " << HexByte(state.ModelCode) << "\n";
  std::cout << "firmware \"" << state.FirmwareVersion << "\"\n";
  std::cout << "serial \"" << state.SerialNumber << "\"\n";
  std::cout << session->settings.versionText << "\n";
  if (backup) std::cout << "backup \"" << *backup << "\"\n";
  return 0;
}

}  // namespace rer::cli
