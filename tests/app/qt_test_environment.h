#pragma once
// Shared by the window tests: the one offscreen QApplication of the run and a
// settings store that starts empty for every test that asks for it.

#include <QString>

namespace rer::test {

// Points the per-user settings at a new, empty temporary folder.
void UseFreshSettingsFolder();
// The folder the settings currently go to.
QString SettingsFolder();

}  // namespace rer::test
