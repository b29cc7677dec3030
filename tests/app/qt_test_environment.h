#pragma once
// Shared by the window tests: the one offscreen QApplication of the run and a
// settings store that starts empty for every test that asks for it.

#include <QString>
#include <memory>

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

}  // namespace rer::test
