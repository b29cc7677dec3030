// rer-cli apply BASE.cp SETTINGS.json -o OUT.cp
// Loads BASE.cp, sets the controls that SETTINGS.json names, runs the checks
// and the synthesizer computation of Save as, and writes OUT.cp. The JSON is
// an object of control names and values (or, as dump writes it, an object
// with such a "settings" member): a text control takes a string, a check box
// true or false, a list the text of an item, its index, or null for no
// selection. Any unknown name, value out of its control's domain, or failed
// check (address pages, frequency band, synthesizer) is an error that names
// it, and nothing is written.

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <iostream>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/session_port.h"
#include "codeplug/field_catalogue.h"
#include "codeplug/key_filter.h"
#include "pager/codeplug_files.h"
#include "pages/address_checks.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage = "usage: rer-cli apply BASE.cp SETTINGS.json -o OUT.cp";
constexpr const char* kSettingsMember = "settings";
// The one check box with a third state: the ideographic canned level.
constexpr std::string_view kThreeStateBox = "cb_ideoNumericCanned";
constexpr int kThreeStateHighest = 2;

// The per-address texts that hold a number although the window gives them
// no key filter: the address page refuses anything else in them (a frame
// of three digits, a battery cycle of one).
constexpr AddressControl kDigitAddressControls[] = {AddressControl::Frame,
                                                    AddressControl::Collapse};

bool IsDigitAddressControl(const ControlEntry& entry) {
  if (entry.address == 0) return false;
  for (const AddressControl control : kDigitAddressControls) {
    if (FieldCatalogue::AddressControlName(control, entry.address) == entry.name) return true;
  }
  return false;
}

// Sets one control from its JSON value; an error text when the value does
// not belong to the control's domain.
std::optional<std::string> ApplyValue(const ControlEntry& entry, const QJsonValue& json,
                                      ControlValue& value) {
  switch (entry.kind) {
    case ControlKind::Text:
    case ControlKind::MaskedText: {
      if (!json.isString()) return "needs a text";
      std::string text = json.toString().toStdString();
      // The text must be one that could have been typed into the field:
      // the window's key filter and length limit hold for a script too.
      if (IsDigitAddressControl(entry)) {
        ControlEntry digits = entry;
        digits.keyFilter = KeyFilter::Digits;
        if (auto problem = TypingProblem(digits, text)) return problem;
      }
      if (auto problem = TypingProblem(entry, text)) return problem;
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

std::optional<QJsonObject> ReadSettingsObject(const std::string& path, std::string& error) {
  // The name goes to the file system as the bytes it came as.
  const auto text = ReadTextFile(path);
  if (!text) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  QJsonParseError parseError;
  const auto document = QJsonDocument::fromJson(
      QByteArray(text->data(), static_cast<qsizetype>(text->size())), &parseError);
  if (!document.isObject()) {
    // Well-formed JSON that is not an object has no parse error to quote.
    const std::string why = parseError.error != QJsonParseError::NoError
                                ? parseError.errorString().toStdString()
                            : document.isArray() ? "it is an array"
                                                 : "it is a single value";
    error = path + ": not a JSON object (" + why + ")";
    return std::nullopt;
  }
  QJsonObject object = document.object();
  if (object.value(kSettingsMember).isObject()) object = object.value(kSettingsMember).toObject();
  return object;
}

}  // namespace

int RunApplyCommand(const CommandArgs& words) {
  Args args(words, {"o"}, {});
  const auto output = args.value("o");
  if (!args.ok() || args.positional().size() != 2 || !output) {
    std::cerr << (args.ok() ? kUsage : args.error()) << "\n";
    return 2;
  }
  const std::string& basePath = args.positional()[0];
  const std::string& settingsPath = args.positional()[1];

  std::string error;
  const auto changes = ReadSettingsObject(settingsPath, error);
  if (!changes) {
    std::cerr << "apply: " << error << "\n";
    return 1;
  }

  CommandLineUserInterface ui;
  auto session = std::make_unique<PagerSession>();
  if (!ReadTextFile(basePath)) {
    std::cerr << "apply: cannot read " << basePath << "\n";
    return 1;
  }
  if (LoadCodeplugFile(*session, basePath, ui) != kDecodeOk) {
    if (ui.shown.empty()) std::cerr << "apply: " << basePath << " holds no codeplug\n";
    return 1;
  }

  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  for (auto it = changes->begin(); it != changes->end(); ++it) {
    const std::string name = it.key().toStdString();
    const int index = catalogue.IndexOf(name);
    if (index < 0) {
      std::cerr << "apply: unknown control " << name << "\n";
      return 1;
    }
    const auto problem = ApplyValue(catalogue.Entries()[static_cast<std::size_t>(index)],
                                    it.value(), session->settings.ValueAt(index));
    if (problem) {
      std::cerr << "apply: " << name << " " << *problem << "\n";
      return 1;
    }
  }

  // The address pages are checked before anything is saved, as Save as does.
  // Duplicate capcodes are the program sequence's concern, not the file's.
  int failingAddress = 0;
  if (CheckAddressPages(session->settings, &failingAddress) != 0) {
    ui.ShowError(kInvalidAddressCode);
    std::cerr << "apply: "
              << FieldCatalogue::AddressControlName(AddressControl::Capcode, failingAddress)
              << " failed the check; nothing written\n";
    return 1;
  }

  const std::size_t boxesBefore = ui.shown.size();
  std::string writeError;
  if (!SaveCodeplugFile(*session, *output, ui, &writeError)) {
    // A failed check has shown its message; otherwise the file was the trouble.
    if (ui.shown.size() > boxesBefore) {
      std::cerr << "apply: ed_frequency / cb_freqBand failed the check; nothing written\n";
    } else {
      std::cerr << "apply: cannot write " << *output << ": " << writeError
                << "; the file there is unchanged\n";
    }
    return 1;
  }
  std::cout << "wrote " << *output << "\n";
  return 0;
}

}  // namespace rer::cli
