// rer-cli history [--serial S] [--capcode C] [--icn I] [--since DATE] [--failed]
//                 [--current] [--format text|json|csv] [--history FILE]
// rer-cli history --restore ID -o FILE.cp [--previous] [--history FILE]
// Lists the pager reads and program attempts of the history that match,
// newest first, or writes the codeplug a row keeps back out as a codeplug file.

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <iomanip>
#include <iostream>
#include <sstream>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/history_option.h"
#include "cli/session_port.h"
#include "history/pager_history.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage =
    "usage: rer-cli history [--serial S] [--capcode C] [--icn I] [--since DATE] [--failed] "
    "[--current] [--format text|json|csv] [--history FILE] | --restore ID -o FILE.cp "
    "[--previous] [--history FILE]";

// The capcodes a row holds, in slot order, without the empty ones.
std::string CapcodeList(const PagerRecord& record, const char* separator) {
  std::string list;
  for (const std::string& capcode : record.capcodes) {
    if (capcode.empty()) continue;
    if (!list.empty()) list += separator;
    list += capcode;
  }
  return list;
}

std::string CsvField(const std::string& value) {
  if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
  std::string quoted = "\"";
  for (char c : value) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

void PrintText(const std::vector<HistoryRow>& rows) {
  std::cout << std::left << std::setw(6) << "id" << std::setw(21) << "date" << std::setw(9)
            << "what" << std::setw(12) << "serial" << std::setw(12) << "inventory" << std::setw(8)
            << "result"
            << "capcodes\n";
  for (const HistoryRow& row : rows) {
    const PagerRecord& r = row.record;
    std::cout << std::left << std::setw(6) << row.id << std::setw(21) << LocalTimeText(r.time)
              << std::setw(9) << r.operation << std::setw(12)
              << (r.serialNumber.empty() ? "-" : r.serialNumber) << std::setw(12)
              << (r.inventoryNumber.empty() ? "-" : r.inventoryNumber) << std::setw(8) << r.result
              << CapcodeList(r, " ") << "\n";
    if (!r.message.empty()) std::cout << "      " << r.message << "\n";
  }
}

void PrintCsv(const std::vector<HistoryRow>& rows) {
  std::cout << "id,time,operation,port,model,firmware,serial number,inventory number,frequency,"
               "result,message,run,capcodes,backup\n";
  for (const HistoryRow& row : rows) {
    const PagerRecord& r = row.record;
    std::cout << row.id << ',' << CsvField(LocalTimeText(r.time)) << ',' << CsvField(r.operation)
              << ',' << CsvField(r.port) << ',' << HexByte(r.modelCode) << ','
              << CsvField(r.firmware) << ',' << CsvField(r.serialNumber) << ','
              << CsvField(r.inventoryNumber) << ',' << CsvField(r.frequency) << ',' << r.result
              << ',' << CsvField(r.message) << ',' << CsvField(r.runId) << ','
              << CsvField(CapcodeList(r, " ")) << ',' << CsvField(r.backupFile) << "\n";
  }
}

void PrintJson(const std::vector<HistoryRow>& rows) {
  const auto q = [](const std::string& text) { return QString::fromStdString(text); };
  QJsonArray list;
  for (const HistoryRow& row : rows) {
    const PagerRecord& r = row.record;
    QJsonArray capcodes;
    for (const std::string& capcode : r.capcodes) capcodes.append(q(capcode));
    QJsonObject object;
    object["id"] = row.id;
    object["time"] = q(r.time);
    object["operation"] = q(r.operation);
    object["port"] = q(r.port);
    object["model"] = q(HexByte(r.modelCode));
    object["firmware"] = q(r.firmware);
    object["serial"] = q(r.serialNumber);
    object["icn"] = q(r.inventoryNumber);
    object["frequency"] = q(r.frequency);
    object["result"] = r.result;
    object["message"] = q(r.message);
    object["run"] = q(r.runId);
    object["capcodes"] = capcodes;
    object["backup"] = q(r.backupFile);
    object["codeplug"] = !r.image.empty();
    object["previousCodeplug"] = !r.previousImage.empty();
    list.append(object);
  }
  std::cout << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
}

void PrintRows(const std::string& format, const std::vector<HistoryRow>& rows) {
  if (format == "json") {
    PrintJson(rows);
  } else if (format == "csv") {
    PrintCsv(rows);
  } else {
    PrintText(rows);
  }
}

int Restore(PagerHistory& history, long id, const std::string& output, bool previous) {
  std::string error;
  const auto row = history.Row(id, error);
  if (!row) {
    std::cerr << "history: " << error << "\n";
    return kExitFailure;
  }
  if (!RestoreCodeplugFile(*row, previous, output, error)) {
    std::cerr << "history: " << error << "\n";
    return kExitFailure;
  }
  std::cout << "restored row " << id << " (" << row->record.operation << " of "
            << (row->record.serialNumber.empty() ? "-" : row->record.serialNumber) << ", "
            << LocalTimeText(row->record.time) << ") into " << output << "\n";
  return kExitSuccess;
}

}  // namespace

int RunHistoryCommand(const CommandArgs& words) {
  Args args(words, {"serial", "capcode", "icn", "since", "format", "restore", "o", kHistoryOption},
            {"failed", "current", "previous"});
  const auto restore = args.number("restore");
  const std::string format = args.value("format").value_or("text");
  const bool listing = !args.has("restore");
  const bool badList = format != "text" && format != "json" && format != "csv";
  const bool badRestore = !args.has("o") || args.has("serial") || args.has("capcode") ||
                          args.has("icn") || args.has("since") || args.has("failed") ||
                          args.has("current") || args.has("format");
  if (!args.ok() || !args.positional().empty() ||
      (listing && (badList || args.has("o") || args.has("previous"))) ||
      (!listing && (badRestore || !restore || *restore < 1))) {
    std::cerr << (args.ok() ? kUsage : args.error()) << "\n";
    return kExitUsage;
  }
  HistoryQuery query;
  query.serialNumber = args.value("serial");
  query.capcode = args.value("capcode");
  query.inventoryNumber = args.value("icn");
  query.failedOnly = args.has("failed");
  query.currentOnly = args.has("current");
  if (const auto since = args.value("since")) {
    query.since = SinceFromLocalText(*since);
    if (!query.since) {
      std::cerr << "history: --since takes a date, YYYY-MM-DD or YYYY-MM-DD HH:MM\n";
      return kExitUsage;
    }
  }

  const std::string path = HistoryPathOf(args);
  // Looking makes no database: with none yet there is nothing to list.
  if (listing && !QFileInfo::exists(QString::fromStdString(path))) {
    std::cerr << "history: no pager history at " << path << " yet\n";
    PrintRows(format, {});
    return kExitSuccess;
  }
  std::string error;
  const auto history = PagerHistory::Open(path, error);
  if (!history) {
    std::cerr << "history: cannot use " << path << ": " << error << "\n";
    return kExitFailure;
  }
  if (!listing) return Restore(*history, *restore, *args.value("o"), args.has("previous"));

  const auto rows = history->Find(query, error);
  if (!rows) {
    std::cerr << "history: cannot search " << path << ": " << error << "\n";
    return kExitFailure;
  }
  PrintRows(format, *rows);
  return kExitSuccess;
}

}  // namespace rer::cli
