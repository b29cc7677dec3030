#include "operations/program_run.h"

#include <ctime>
#include <fstream>

#include "codeplug/field_catalogue.h"
#include "core/result_codes.h"
#include "operations/operation_recorder.h"
#include "pager/codeplug_files.h"
#include "pager/link_engine.h"
#include "pager/link_header.h"
#include "pager/password_state.h"
#include "pager/program_pager.h"
#include "pager/read_pager.h"
#include "pages/sequential_programming.h"
#include "service/serial_partition.h"

namespace rer {
namespace {

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

}  // namespace

PagerProgrammer::PagerProgrammer(PagerSession& session, Transport& transport, Clock& clock,
                                 UserInterface& ui)
    : ui_(ui),
      session_(session),
      link_(std::make_unique<PagerLink>(transport, clock, ui, session.link, session.image.Bytes(),
                                        session.pagerCopy.Bytes())),
      checks_(std::make_unique<PasswordChecks>(session.passwords, ui, clock)) {
  InstallImageReadChecks(*link_, session);
  ProgramSteps steps;
  // A pager without a codeplug of its own gets the serial number and the
  // memory partition the technician types.
  steps.enterSerialNumber = [](PagerSession& s, UserInterface& entryUi) {
    return EnterSerialAndPartition(s, entryUi);
  };
  steps.pagerCopyRead = [this](const PagerSession& s) { BackUpPagerCopy(s); };
  sequence_ =
      std::make_unique<ProgramSequence>(session, *link_, *checks_, ui, clock, std::move(steps));
}

PagerProgrammer::~PagerProgrammer() = default;

int PagerProgrammer::ProgramPager() {
  lastBackup_.reset();
  const int copiesBefore = link_->pagerCopiesRead();
  const int result = sequence_->ProgramPager();
  // Recorded here, once per attempt, whoever asked for it: a single pager, a
  // run, the window or the command line.
  if (recorder_) {
    const bool written = lastBackup_ && lastBackup_->written;
    recorder_->RecordProgramAttempt(session_, port_, result,
                                    link_->pagerCopiesRead() > copiesBefore,
                                    written ? lastBackup_->path : std::string());
  }
  return result;
}

void PagerProgrammer::SetVerify(bool on) {
  sequence_->SetVerifyAfterWrite(on);
}

const VerifyOutcome& PagerProgrammer::LastVerify() const {
  return sequence_->lastVerify();
}

void PagerProgrammer::BackUpPagerCopy(const PagerSession& session) {
  if (backupFolder_.empty()) return;
  const std::size_t length = ImageLengthOfModel(session.link.ModelCode);
  lastBackup_ = WriteCodeplugBackup(backupFolder_, session.link.SerialNumber,
                                    session.pagerCopy.Bytes().first(length), FileHeaderOf(session));
  if (lastBackup_->written) {
    backupFailureShown_ = false;
    return;
  }
  if (backupFailureShown_) return;
  backupFailureShown_ = true;
  MessageContext context = ui_.CurrentContext();
  context.detail = lastBackup_->error + "\nThe pager is programmed all the same.";
  ui_.ShowMessageBox(ComposeError(kBackupNotWritten, context));
}

int PagerProgrammer::ImagesSent() const {
  return link_->imagesSent();
}

RunLogRow MakeRunLogRow(const PagerSession& session, int pagerNumber, int result,
                        std::string time) {
  RunLogRow row;
  row.pagerNumber = pagerNumber;
  row.serialNumber = session.link.SerialNumber;
  row.firstCapcode = session.settings.Text(AddressControl::Capcode, 1);
  row.inventoryNumber = session.settings.Text(Control::ed_ICN);
  row.result = result;
  row.time = std::move(time);
  return row;
}

std::string RunLogTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string RunLogHeader() {
  return "pager,serial number,first capcode,inventory number,result,time\n";
}

std::string RunLogLine(const RunLogRow& row) {
  return std::to_string(row.pagerNumber) + ',' + CsvField(row.serialNumber) + ',' +
         CsvField(row.firstCapcode) + ',' + CsvField(row.inventoryNumber) + ',' +
         std::to_string(row.result) + ',' + CsvField(row.time) + '\n';
}

std::string RunLogField(const std::string& value) {
  return CsvField(value);
}

bool AppendRunLog(const std::string& path, const RunLogRow& row) {
  bool fresh = true;
  {
    std::ifstream existing(path, std::ios::binary | std::ios::ate);
    fresh = !existing || existing.tellg() <= 0;
  }
  std::ofstream log(path, std::ios::app | std::ios::binary);
  if (fresh) log << RunLogHeader();
  log << RunLogLine(row);
  log.flush();
  return static_cast<bool>(log);
}

SequentialRun::SequentialRun(PagerSession& session, PagerProgrammer& programmer, UserInterface& ui)
    : session_(session), programmer_(programmer), ui_(ui) {}

SequentialRun::Outcome SequentialRun::ProgramNext(SequentialOrder order) {
  Outcome outcome;
  // Every pager of a run is checked before it is programmed: a run that
  // would hand out an address twice goes on only when the question is
  // answered Yes.
  if (order == SequentialOrder::CheckBeforeProgram && !SequentialCheck(session_.settings, ui_)) {
    return outcome;
  }
  outcome.attempted = true;
  outcome.result = programmer_.ProgramPager();
  // The row names the addresses this pager received, before they move on. A
  // pager that failed its verify is logged with the verify's own code, so
  // that the log tells it from a pager that was never written.
  const int logged = programmer_.LastVerify().Failed() ? kVerifyMismatch : outcome.result;
  log_.push_back(MakeRunLogRow(session_, static_cast<int>(log_.size()) + 1, logged, RunLogTime()));
  if (!logFile_.empty() && !AppendRunLog(logFile_, log_.back())) logFileWritten_ = false;
  if (outcome.result != kSuccess) return outcome;
  // Asked afterwards, the warning only tells the technician: the pager has
  // its addresses already and the next one needs new ones either way.
  if (order == SequentialOrder::CheckAfterProgram) SequentialCheck(session_.settings, ui_);
  if (!SequentialAdvancePossible(session_.settings)) return outcome;
  AdvanceSequentialAddresses(session_.settings);
  outcome.advanced = true;
  return outcome;
}

}  // namespace rer
