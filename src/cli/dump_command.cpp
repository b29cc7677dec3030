// rer-cli dump FILE.cp [--format json|text]
// Loads a codeplug file as the editor does and prints its settings: as one
// JSON object (model, version, character generator, and every control of the
// settings pages by name), or as a readable report grouped by page.

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <array>
#include <iostream>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/session_port.h"
#include "codeplug/field_catalogue.h"
#include "codeplug/fill_pages_rules.h"
#include "core/result_codes.h"
#include "pager/codeplug_files.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage = "usage: rer-cli dump FILE.cp [--format json|text]";

// Titles of the settings pages in tab order, for the report.
constexpr std::array<const char*, 12> kPageTitles = {
    "General",  "Code 1-4", "Code 5-8", "Code 9-12",    "Code 13-16", "Prompt 1",
    "Prompt 2", "Prompt 3", "Alert",    "Password/OTA", "Features",   "More Features"};

// The item text of a list value; nothing when no item is selected (or the
// value lies beyond the list).
std::optional<std::string> ItemText(const ControlEntry& entry, int item) {
  if (item < 0 || item >= static_cast<int>(entry.items.size())) return std::nullopt;
  return std::string(entry.items[static_cast<std::size_t>(item)]);
}

QJsonValue JsonOf(const ControlEntry& entry, const ControlValue& value) {
  switch (entry.kind) {
    case ControlKind::CheckBox:
      return QJsonValue(value.number != 0);
    case ControlKind::List: {
      const auto text = ItemText(entry, value.number);
      return text ? QJsonValue(QString::fromStdString(*text)) : QJsonValue(QJsonValue::Null);
    }
    case ControlKind::Text:
    case ControlKind::MaskedText:
      break;
  }
  return QJsonValue(QString::fromStdString(value.text));
}

std::string TextOf(const ControlEntry& entry, const ControlValue& value) {
  switch (entry.kind) {
    case ControlKind::CheckBox:
      return value.number != 0 ? "yes" : "no";
    case ControlKind::List:
      return ItemText(entry, value.number).value_or("(none)");
    case ControlKind::Text:
    case ControlKind::MaskedText:
      break;
  }
  return "\"" + value.text + "\"";
}

void PrintJson(const PagerSession& session) {
  const auto& entries = FieldCatalogue::Instance().Entries();
  QJsonObject settings;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    settings.insert(QString::fromStdString(entries[i].name),
                    JsonOf(entries[i], session.settings.ValueAt(i)));
  }
  QJsonObject root;
  root.insert("model", QString::fromStdString(HexByte(session.link.ModelCode)));
  root.insert("version", QString::fromStdString(session.settings.versionText));
  root.insert("cgrom", session.link.CgromType);
  root.insert("settings", settings);
  std::cout << QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

void PrintText(const PagerSession& session) {
  const auto& entries = FieldCatalogue::Instance().Entries();
  std::cout << "Model: " << HexByte(session.link.ModelCode) << "\n";
  std::cout << session.settings.versionText << "\n";
  std::cout << "CGROM type: " << session.link.CgromType << "\n";
  for (std::size_t page = 0; page < kPageTitles.size(); ++page) {
    std::cout << "\n[" << kPageTitles[page] << "]\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const ControlEntry& entry = entries[i];
      if (entry.page != static_cast<int>(page)) continue;
      std::cout << "  " << (entry.label.empty() ? std::string_view(entry.name) : entry.label);
      if (entry.address != 0) std::cout << " (address " << entry.address << ")";
      std::cout << " [" << entry.name << "]: " << TextOf(entry, session.settings.ValueAt(i))
                << "\n";
    }
  }
}

}  // namespace

int RunDumpCommand(const CommandArgs& words) {
  Args args(words, {"format"}, {});
  const std::string format = args.value("format").value_or("json");
  if (!args.ok() || args.positional().size() != 1 || (format != "json" && format != "text")) {
    std::cerr << (args.ok() ? kUsage : args.error()) << "\n";
    return 2;
  }
  const std::string& path = args.positional().front();

  CommandLineUserInterface ui;
  auto session = std::make_unique<PagerSession>();
  if (!ReadTextFile(path)) {
    std::cerr << "dump: cannot read " << path << "\n";
    return 1;
  }
  if (LoadCodeplugFile(*session, path, ui) != kSuccess) {
    if (ui.shown.empty()) std::cerr << "dump: " << path << " holds no codeplug\n";
    return 1;
  }

  // What the pages show once the file is in the editor, FLEX addresses included.
  ApplyFillPagesRules(session->settings, session->link.CgromType);
  if (format == "json") {
    PrintJson(*session);
  } else {
    PrintText(*session);
  }
  return 0;
}

}  // namespace rer::cli
