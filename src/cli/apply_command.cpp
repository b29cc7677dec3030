// rer-cli apply BASE.cp SETTINGS.json -o OUT.cp [--yes | --no]
// Loads BASE.cp and shows it to the page rules as the window does, takes
// each edit that SETTINGS.json names through the same store handler as the
// window, runs the page checks and the synthesizer computation of Save as,
// and writes OUT.cp. The JSON is either an array of one-key objects, applied
// in the array's order, or an object of control names and values (or, as
// dump writes it, an object with such a "settings" member), applied in
// field-number order: a text control takes a string, a check box true or
// false, a list the text of an item, its index, or null for no selection.
// A value a control already holds is no edit and runs no rule.
// Every message and question the window would show is printed on stderr
// (title and text); questions are answered Yes with --yes, otherwise No.
// The codeplug passwords are given as "securePassword", "localPassword" and
// "otaPassword" (texts as typed into the change-password entry), the user
// password as its key digits (ed_cpwFc_Password) or letters
// (ed_cpwFc_Password_LRUD); both are set through the window's own entries.
// Any unknown name, value out of its control's domain, or failed check
// (address pages, frequency band, synthesizer) is an error that names it,
// and nothing is written.

#include <iostream>
#include <vector>

#include "cli/apply_settings.h"
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
#include "pages/password_ota_page.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage =
    "usage: rer-cli apply BASE.cp SETTINGS.json -o OUT.cp [--yes | --no]";

std::optional<std::vector<SettingEdit>> ReadEdits(const std::string& path, std::string& error) {
  // The name goes to the file system as the bytes it came as.
  const auto text = ReadTextFile(path);
  if (!text) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  const auto edits =
      ParseSettingEdits(QByteArray(text->data(), static_cast<qsizetype>(text->size())), error);
  if (!edits) error = path + ": " + error;
  return edits;
}

// The boxes of the window, on stderr: title, then text. The password and
// keypad entries are filled with what the settings give, and only while
// the edit that gives them is made; any other ask is noted, for the edit
// that made it fails.
class ApplyUserInterface : public CommandLineUserInterface {
 public:
  int ShowMessageBox(const MessageBox& box) override {
    std::cerr << box.title << "\n" << box.text;
    if (!box.text.empty() && box.text.back() != '\n') std::cerr << "\n";
    return ScriptedUserInterface::ShowMessageBox(box);
  }
  std::optional<NewPassword> EnterNewPassword(PasswordMode kind) override {
    if (!password) {
      unansweredPassword = kind;
      return std::nullopt;
    }
    // Typed alike into both fields.
    const NewPassword entry{*password, *password};
    password.reset();
    return entry;
  }
  std::optional<std::string> EnterUserPasswordKeys(const std::string& /*digits*/) override {
    auto saved = std::move(keys);
    keys.reset();
    return saved;
  }

  std::optional<std::string> password;  // for the next change-password entry
  std::optional<std::string> keys;      // for the next keypad
  std::optional<PasswordMode> unansweredPassword;
};

// A codeplug password given as a setting, set through the change-password
// entry exactly as the window's dialog sets it.
bool ApplyPassword(const SettingEdit& edit, PasswordMode kind, PagerSession& session,
                   ApplyUserInterface& ui) {
  std::string problem;
  ui.password = PasswordSettingText(edit.value, problem);
  if (!ui.password) {
    std::cerr << "apply: " << edit.name << " " << problem << "\n";
    return false;
  }
  if (!ChangeCodeplugPassword(session.passwords, ui, kind)) {
    std::cerr << "apply: " << edit.name << " was not taken\n";
    return false;
  }
  return true;
}

// The user password keys given as a setting, saved through the page's
// keypad as the window's button saves them.
bool ApplyUserPasswordKeys(const SettingEdit& edit, const ControlEntry& entry, PageRules& pages,
                           PagerSession& session, ApplyUserInterface& ui) {
  std::string problem;
  const auto digits = UserPasswordSettingDigits(entry, edit.value, problem);
  if (!digits) {
    std::cerr << "apply: " << edit.name << " " << problem << "\n";
    return false;
  }
  // The keys the page already holds (as a dump gives them back) change nothing.
  if (*digits == session.settings.Text(Control::ed_cpwFc_Password)) return true;
  auto* page = dynamic_cast<PasswordOtaPage*>(pages.HandlerOf(kPagePasswordOta));
  if (page == nullptr) return false;
  ui.keys = *digits;
  if (page->SetUserPassword() != kSuccess) {
    std::cerr << "apply: " << edit.name << " needs " << kUserPasswordMinKeys << " to "
              << kUserPasswordMaxKeys << " keys\n";
    return false;
  }
  return true;
}

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
  PageEnvironment environment = PageEnvironmentFor(session->link.ModelCode, session->link.CgromType,
                                                   ImageReader(session->image, session->layout));
  environment.passwords = &session->passwords;
  PageRules pages(session->settings, ui, environment);
  pages.Addresses().UpdateAddresses();

  // Each edit as the window makes it: the field's page is shown (and
  // refreshes itself) when the edit before was on another page, the field is
  // entered, its value changes, the field's page stores it, and the field is
  // left.
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  int shownPage = -1;
  for (const SettingEdit& edit : *edits) {
    if (const auto kind = PasswordSettingKind(edit.name)) {
      if (!ApplyPassword(edit, *kind, *session, ui)) return 1;
      continue;
    }
    const int index = catalogue.IndexOf(edit.name);
    if (index < 0) {
      std::cerr << "apply: unknown control " << edit.name << "\n";
      return 1;
    }
    const ControlEntry& entry = catalogue.Entries()[static_cast<std::size_t>(index)];
    if (entry.control == Control::ed_cpwFc_Password ||
        entry.control == Control::ed_cpwFc_Password_LRUD) {
      if (!ApplyUserPasswordKeys(edit, entry, pages, *session, ui)) return 1;
      continue;
    }
    // The computed texts (the FLEX addresses) follow from the other settings.
    if (entry.readOnly) continue;
    if (entry.page != shownPage) {
      pages.EnterPage(entry.page);
      shownPage = entry.page;
    }
    ControlValue edited = session->settings.ValueAt(static_cast<std::size_t>(index));
    const auto problem = ApplySettingValue(entry, edit.value, edited);
    if (problem) {
      std::cerr << "apply: " << edit.name << " " << *problem << "\n";
      return 1;
    }
    // A value the control already holds is no edit: the window sees no
    // change then, and a dump of a file applies back onto it unchanged
    // (the page rules would otherwise bring a file they did not write into
    // line with them).
    const ControlValue& held = session->settings.ValueAt(static_cast<std::size_t>(index));
    if (edited.text == held.text && edited.number == held.number) continue;
    pages.Enter(entry.page, entry.fieldNumber);
    session->settings.ValueAt(static_cast<std::size_t>(index)) = std::move(edited);
    pages.Store(entry.page, entry.fieldNumber);
    // A protection box ticked without its password: the window would have
    // asked for it, and the box would not stay ticked.
    if (ui.unansweredPassword) {
      std::cerr << "apply: " << edit.name << " asks for a new password; give "
                << PasswordSettingNameOf(*ui.unansweredPassword) << " before it\n";
      return 1;
    }
    pages.Leave(entry.page, entry.fieldNumber);
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
