// rer-cli diff A.cp B.cp [--format text|json]
// Loads two codeplug files as the editor does and lists the settings in
// which they differ, in field-number order, with both values as the pages
// show them. Like diff(1) it prints nothing for equal files and exits 0 when
// they are equal, 1 when they differ and 2 when it cannot compare them.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <iostream>
#include <memory>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/session_port.h"
#include "codeplug/settings_diff.h"
#include "core/result_codes.h"
#include "pager/codeplug_files.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage = "usage: rer-cli diff A.cp B.cp [--format text|json]";

// The session of one file, loaded as dump loads it; nullptr (the reason on
// standard error) when the file cannot be read or holds no codeplug.
std::unique_ptr<PagerSession> Load(const std::string& path) {
  if (!ReadTextFile(path)) {
    std::cerr << "diff: cannot read " << path << "\n";
    return nullptr;
  }
  CommandLineUserInterface ui;
  auto session = std::make_unique<PagerSession>();
  if (LoadCodeplugFile(*session, path, ui) != kSuccess) {
    if (ui.shown.empty()) std::cerr << "diff: " << path << " holds no codeplug\n";
    return nullptr;
  }
  return session;
}

// Texts are quoted so that an empty field or trailing blanks can be seen.
std::string TextValue(const SettingDifference& difference, const std::string& value) {
  const ControlKind kind = KindOf(difference.control);
  if (kind == ControlKind::Text || kind == ControlKind::MaskedText) return "\"" + value + "\"";
  return value;
}

void PrintText(const std::vector<SettingDifference>& differences) {
  for (const SettingDifference& difference : differences) {
    std::cout << difference.label << " [" << difference.controlName
              << "]: " << TextValue(difference, difference.a) << " -> "
              << TextValue(difference, difference.b) << "\n";
  }
}

void PrintJson(const std::vector<SettingDifference>& differences) {
  QJsonArray list;
  for (const SettingDifference& difference : differences) {
    QJsonObject object;
    object.insert("control", QString::fromStdString(difference.controlName));
    object.insert("label", QString::fromStdString(difference.label));
    object.insert("a", QString::fromStdString(difference.a));
    object.insert("b", QString::fromStdString(difference.b));
    list.append(object);
  }
  std::cout << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace

int RunDiffCommand(const CommandArgs& words) {
  Args args(words, {"format"}, {});
  const std::string format = args.value("format").value_or("text");
  if (!args.ok() || args.positional().size() != 2 || (format != "json" && format != "text")) {
    std::cerr << (args.ok() ? kUsage : args.error()) << "\n";
    return kExitUsage;
  }
  const auto a = Load(args.positional()[0]);
  if (!a) return kExitUsage;
  const auto b = Load(args.positional()[1]);
  if (!b) return kExitUsage;

  const auto differences = DiffSettings(a->settings, b->settings);
  if (differences.empty()) return kExitSuccess;
  if (format == "json") {
    PrintJson(differences);
  } else {
    PrintText(differences);
  }
  return kExitFailure;
}

}  // namespace rer::cli
