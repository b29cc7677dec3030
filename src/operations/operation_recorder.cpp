#include "operations/operation_recorder.h"

#include <chrono>
#include <ctime>
#include <random>

#include "codeplug/field_catalogue.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "pager/codeplug_files.h"

namespace rer {
namespace {

std::string UtcNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[40];
  const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  std::snprintf(text + n, sizeof text - n, ".%03dZ", static_cast<int>(millis));
  return text;
}

std::vector<std::uint8_t> ImageBytes(const CodeplugImage& image, std::uint8_t modelCode) {
  const auto bytes = image.Bytes();
  const std::size_t length = std::min(CodeplugFileLength(modelCode), bytes.size());
  return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)};
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \r\n");
  return text.substr(first, last - first + 1);
}

}  // namespace

PagerRecord MakePagerRecord(const PagerSession& session, const std::string& operation,
                            const std::string& port, int result) {
  PagerRecord record;
  record.operation = operation;
  record.port = port;
  record.modelCode = session.link.ModelCode;
  record.firmware = session.link.FirmwareVersion;
  record.serialNumber = session.link.SerialNumber;
  record.inventoryNumber = session.settings.Text(Control::ed_ICN);
  for (int n = 1; n <= kAddressCount; ++n) {
    record.capcodes[static_cast<std::size_t>(n - 1)] =
        session.settings.Text(AddressControl::Capcode, n);
  }
  record.frequency = session.settings.Text(Control::ed_frequency);
  record.result = result;
  // Failures carry the words the technician saw; 0 (a step failed) has
  // shown its own message already, which the result alone does not tell.
  if (result < 0) record.message = Trimmed(ComposeError(result).text);
  // A pager that never answered told us nothing: its image is not worth
  // keeping, but the attempt still is.
  if (session.link.ModelCode != kNoPagerInformation) {
    record.image = ImageBytes(session.image, session.link.ModelCode);
    record.header = FileHeaderOf(session);
  }
  return record;
}

std::string NewRunId() {
  std::random_device random;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[48];
  const std::size_t n = std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  std::snprintf(text + n, sizeof text - n, "-%06x", static_cast<unsigned>(random() & 0xFFFFFF));
  return text;
}

RunRecorder::RunRecorder(OperationRecorder* recorder, Report report, std::string runId)
    : recorder_(recorder), report_(std::move(report)), runId_(std::move(runId)) {}

void RunRecorder::RecordRead(const PagerSession& session, const std::string& port, int result,
                             const std::string& backupFile) {
  PagerRecord record = MakePagerRecord(session, kReadOperation, port, result);
  record.backupFile = backupFile;
  Record(std::move(record));
}

void RunRecorder::RecordProgramAttempt(const PagerSession& session, const std::string& port,
                                       int result, bool readFirst, const std::string& backupFile) {
  PagerRecord record = MakePagerRecord(session, kProgramOperation, port, result);
  record.backupFile = backupFile;
  // The program sequence reads the pager before it writes; what it found
  // there is what the technician may want back.
  if (readFirst && session.link.ModelCode != kNoPagerInformation) {
    record.previousImage = ImageBytes(session.pagerCopy, session.link.ModelCode);
  }
  Record(std::move(record));
}

void RunRecorder::Record(PagerRecord record) {
  if (!recorder_) return;
  record.runId = runId_;
  if (record.time.empty()) record.time = UtcNow();
  std::string error;
  if (recorder_->Record(record, error)) return;
  if (allKept_ && report_) report_(error);
  allKept_ = false;
}

}  // namespace rer
