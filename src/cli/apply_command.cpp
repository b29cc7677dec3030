// rer-cli apply BASE.cp SETTINGS.json -o OUT.cp
// Loads BASE.cp, sets the controls that SETTINGS.json names, runs the checks
// and the synthesizer computation of Save as, and writes OUT.cp. The JSON is
// an object of control names and values (or, as dump writes it, an object
// with such a "settings" member): a text control takes a string, a check box
// true or false, a list the text of an item, its index, or null for no
// selection. Any unknown name, value out of its control's domain, or failed
// check (address pages, frequency band, synthesizer) is an error that names
// it, and nothing is written.

#include <iostream>

#include "cli/apply_settings.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/session_port.h"
#include "codeplug/field_catalogue.h"
#include "core/result_codes.h"
#include "pager/codeplug_files.h"
#include "pages/address_checks.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage = "usage: rer-cli apply BASE.cp SETTINGS.json -o OUT.cp";

std::optional<QJsonObject> ReadSettingsObject(const std::string& path, std::string& error) {
  // The name goes to the file system as the bytes it came as.
  const auto text = ReadTextFile(path);
  if (!text) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  const auto object =
      ParseSettingsJson(QByteArray(text->data(), static_cast<qsizetype>(text->size())), error);
  if (!object) error = path + ": " + error;
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
  if (LoadCodeplugFile(*session, basePath, ui) != kSuccess) {
    if (ui.shown.empty()) std::cerr << "apply: " << basePath << " holds no codeplug\n";
    return 1;
  }

  if (const auto problem = ApplySettingsObject(*changes, session->settings)) {
    std::cerr << "apply: " << *problem << "\n";
    return 1;
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
