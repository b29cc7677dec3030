// rer-cli apply BASE.cp SETTINGS.json -o OUT.cp [--yes | --no]
// Loads BASE.cp and shows it to the page rules as the window does, takes
// each edit that SETTINGS.json names through the same store handler as the
// window, runs the page checks and the synthesizer computation of Save as,
// and writes OUT.cp. The JSON is either an array of one-key objects, applied
// in the array's order, or an object of control names and values (or, as
// dump writes it, an object with such a "settings" member), applied in
// field-number order: a text control takes a string, a check box true or
// false, a list the text of an item, its index, or null for no selection.
// Every message and question the window would show is printed on stderr
// (title and text); questions are answered Yes with --yes, otherwise No.
// Any unknown name, value out of its control's domain, or failed check
// (address pages, frequency band, synthesizer) is an error that names it,
// and nothing is written.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <iostream>
#include <vector>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/session_port.h"
#include "codeplug/field_catalogue.h"
#include "codeplug/fill_pages_rules.h"
#include "codeplug/image_fields.h"
#include "core/result_codes.h"
#include "pager/codeplug_files.h"
#include "pages/address_checks.h"
#include "pages/page_rules.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage =
    "usage: rer-cli apply BASE.cp SETTINGS.json -o OUT.cp [--yes | --no]";
constexpr const char* kSettingsMember = "settings";
// The one check box with a third state: the ideographic canned level.
constexpr std::string_view kThreeStateBox = "cb_ideoNumericCanned";
constexpr int kThreeStateHighest = 2;

// Sets one control from its JSON value; an error text when the value does
// not belong to the control's domain.
std::optional<std::string> ApplyValue(const ControlEntry& entry, const QJsonValue& json,
                                      ControlValue& value) {
  switch (entry.kind) {
    case ControlKind::Text:
    case ControlKind::MaskedText: {
      if (!json.isString()) return "needs a text";
      std::string text = json.toString().toStdString();
      if (entry.maxLength > 0 && static_cast<int>(text.size()) > entry.maxLength) {
        return "is longer than " + std::to_string(entry.maxLength) + " characters";
      }
      value.text = std::move(text);
      return std::nullopt;
    }
    case ControlKind::CheckBox: {
      if (json.isBool()) {
        value.number = json.toBool() ? 1 : 0;
        return std::nullopt;
      }
      const int highest = entry.name == kThreeStateBox ? kThreeStateHighest : 1;
      if (json.isDouble() && json.toDouble() == json.toInt() && json.toInt() >= 0 &&
          json.toInt() <= highest) {
        value.number = json.toInt();
        return std::nullopt;
      }
      return "needs true or false";
    }
    case ControlKind::List: {
      const int count = static_cast<int>(entry.items.size());
      if (json.isNull()) {
        // A value the list does not show (no selection, or beyond the
        // items) stays as it is, so that a dump applies back unchanged.
        if (value.number >= 0 && value.number < count) value.number = kNoItem;
        return std::nullopt;
      }
      if (json.isDouble()) {
        const int index = json.toInt(-1);
        if (json.toDouble() != index || index < 0 || index >= count) {
          return "has no item " + json.toVariant().toString().toStdString();
        }
        value.number = index;
        return std::nullopt;
      }
      if (json.isString()) {
        const std::string text = json.toString().toStdString();
        for (int i = 0; i < count; ++i) {
          if (entry.items[static_cast<std::size_t>(i)] == text) {
            value.number = i;
            return std::nullopt;
          }
        }
        return "has no item \"" + text + "\"";
      }
      return "needs an item text or index";
    }
  }
  return "cannot be set";
}

// One edit: a control's name and its new value.
struct Edit {
  std::string name;
  QJsonValue value;
};

// Field number order for the edits of a plain object; the controls without
// a number (computed texts, the encryption keys) come after, in catalogue order.
int OrderOf(const FieldCatalogue& catalogue, const std::string& name) {
  const int index = catalogue.IndexOf(name);
  if (index < 0) return 0;  // reported as unknown when it is reached
  const int field = catalogue.Entries()[static_cast<std::size_t>(index)].fieldNumber;
  return field != kNoFieldNumber ? field : 100000 + index;
}

std::optional<std::vector<Edit>> ReadEdits(const std::string& path, std::string& error) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  QJsonParseError parseError;
  const auto document = QJsonDocument::fromJson(file.readAll(), &parseError);
  std::vector<Edit> edits;
  if (document.isArray()) {
    for (const QJsonValue& item : document.array()) {
      const QJsonObject one = item.toObject();
      if (!item.isObject() || one.size() != 1) {
        error = path + ": each element of the array must be an object with one control";
        return std::nullopt;
      }
      edits.push_back({one.begin().key().toStdString(), one.begin().value()});
    }
    return edits;
  }
  if (!document.isObject()) {
    error = path + ": not a JSON object or array (" + parseError.errorString().toStdString() + ")";
    return std::nullopt;
  }
  QJsonObject object = document.object();
  if (object.value(kSettingsMember).isObject()) object = object.value(kSettingsMember).toObject();
  for (auto it = object.begin(); it != object.end(); ++it) {
    edits.push_back({it.key().toStdString(), it.value()});
  }
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  std::stable_sort(edits.begin(), edits.end(), [&](const Edit& a, const Edit& b) {
    return OrderOf(catalogue, a.name) < OrderOf(catalogue, b.name);
  });
  return edits;
}

// The boxes of the window, on stderr: title, then text.
class ApplyUserInterface : public CommandLineUserInterface {
 public:
  int ShowMessageBox(const MessageBox& box) override {
    std::cerr << box.title << "\n" << box.text;
    if (!box.text.empty() && box.text.back() != '\n') std::cerr << "\n";
    return ScriptedUserInterface::ShowMessageBox(box);
  }
};

}  // namespace

int RunApplyCommand(const CommandArgs& words) {
  Args args(words, {"o"}, {"yes", "no"});
  const auto output = args.value("o");
  if (!args.ok() || args.positional().size() != 2 || !output ||
      (args.has("yes") && args.has("no"))) {
    std::cerr << (args.ok() ? kUsage : args.error()) << "\n";
    return 2;
  }
  const std::string& basePath = args.positional()[0];
  const std::string& settingsPath = args.positional()[1];

  std::string error;
  const auto edits = ReadEdits(settingsPath, error);
  if (!edits) {
    std::cerr << "apply: " << error << "\n";
    return 1;
  }

  ApplyUserInterface ui;
  ui.defaultAnswer = args.has("yes") ? kResultYes : kResultNo;
  auto session = std::make_unique<PagerSession>();
  if (!ReadTextFile(basePath)) {
    std::cerr << "apply: cannot read " << basePath << "\n";
    return 1;
  }
  if (LoadCodeplugFile(*session, basePath, ui) != kSuccess) {
    if (ui.shown.empty()) std::cerr << "apply: " << basePath << " holds no codeplug\n";
    return 1;
  }

  // The pages as the window shows them once the file is in the editor.
  ApplyFillPagesRules(session->settings, session->link.CgromType);
  PageRules pages(session->settings, ui,
                  PageEnvironmentFor(session->link.ModelCode, session->link.CgromType,
                                     ImageReader(session->image, session->layout)));
  pages.Addresses().UpdateAddresses();

  // Each edit as the window makes it: the field is entered, its value
  // changes, and the field's page stores it.
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  for (const Edit& edit : *edits) {
    const int index = catalogue.IndexOf(edit.name);
    if (index < 0) {
      std::cerr << "apply: unknown control " << edit.name << "\n";
      return 1;
    }
    const ControlEntry& entry = catalogue.Entries()[static_cast<std::size_t>(index)];
    // The computed texts (the FLEX addresses) follow from the other settings.
    if (entry.readOnly) continue;
    pages.Enter(entry.page, entry.fieldNumber);
    const auto problem = ApplyValue(entry, edit.value, session->settings.ValueAt(index));
    if (problem) {
      std::cerr << "apply: " << edit.name << " " << *problem << "\n";
      return 1;
    }
    pages.Store(entry.page, entry.fieldNumber);
  }

  // The page checks before anything is saved, as Save as runs them from the
  // General page. Duplicate capcodes are told, and are the program
  // sequence's concern, not the file's.
  const int check = RunEditorPageCheck(pages, kPageGeneral, kNoFieldNumber);
  if (!PageChangeAllowed(check)) {
    int failingAddress = 0;
    if (check == kInvalidAddressCode &&
        CheckAddressPages(session->settings, &failingAddress) != 0) {
      std::cerr << "apply: "
                << FieldCatalogue::AddressControlName(AddressControl::Capcode, failingAddress)
                << " failed the check; nothing written\n";
    } else {
      std::cerr << "apply: the page checks failed; nothing written\n";
    }
    return 1;
  }

  const std::size_t boxesBefore = ui.shown.size();
  if (!SaveCodeplugFile(*session, *output, ui)) {
    // A failed check has shown its message; otherwise the file was the trouble.
    if (ui.shown.size() > boxesBefore) {
      std::cerr << "apply: ed_frequency / cb_freqBand failed the check; nothing written\n";
    } else {
      std::cerr << "apply: cannot write " << *output << "\n";
    }
    return 1;
  }
  std::cout << "wrote " << *output << "\n";
  return 0;
}

}  // namespace rer::cli
