#pragma once
// Shared by the window tests: the one offscreen QApplication of the run and a
// settings store that starts empty for every test that asks for it.

#include <QString>
#include <cstdint>
#include <memory>
#include <string>

namespace rer {
class Clock;
class MainWindowOperations;
class TFmMain;
class Transport;
class UserInterface;
}  // namespace rer

namespace rer::test {

// Points the per-user settings at a new, empty temporary folder.
void UseFreshSettingsFolder();
// The folder the settings currently go to.
QString SettingsFolder();

// The main window over a pager link in virtual time (a simulated pager's
// transport and clock), shown, with its start-up steps done as the program
// does them (without the calibration). nullptr when the start-up did not end.
std::unique_ptr<TFmMain> StartWindow(UserInterface& ui, MainWindowOperations& operations,
                                     Transport& link, Clock& clock);
// The main window alone, with no operations behind its commands, for tests
// of the settings pages; shown and started, and active. nullptr when not.
std::unique_ptr<TFmMain> StartWindow(UserInterface& ui);

// The codeplug file `path` of a `model` pager in the editor of `window`, as
// a load brings it in (the pages of the model, filled, the editor's
// commands, the name "file"); false when the file does not load.
bool OpenInEditor(TFmMain& window, const std::string& path, std::uint8_t model, UserInterface& ui);

}  // namespace rer::test
