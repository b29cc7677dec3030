#pragma once
// The command line of the windowed program. Nothing of the run's
// configuration comes from it: it only starts the program on its own
// simulated pager, drives it for pictures, and tells its version and options.
//   --simulate[=MODEL]  serve a simulated pager (MODEL hexadecimal, default 84)
//                       on a pseudo-terminal and use it as this run's port
//   --read-on-start     read the pager (F3) once the window is up
//   --screenshots DIR   read, write one picture per page into DIR, and end
//   --help, --version

#include <QString>
#include <QStringList>
#include <cstdint>

namespace rer {

struct ProgramOptions {
  bool simulate = false;
  std::uint8_t simulatedModel = 0x84;
  bool readOnStart = false;
  QString screenshotsFolder;
  bool showHelp = false;
  bool showVersion = false;
  QString error;  // not empty when the command line is not usable
};

// `arguments` without the program name.
ProgramOptions ParseProgramOptions(const QStringList& arguments);

// What --help prints: the usage and every option.
QString ProgramHelpText();

// What --version prints: "rer" and the program's version.
QString ProgramVersionText();

}  // namespace rer
