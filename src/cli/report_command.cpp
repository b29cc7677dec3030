// rer-cli report FILE.cp -o REPORT.pdf
// The printed record of a codeplug file without opening the window: the
// window is built offscreen, the file is loaded into it as Load Codeplug
// does, its pages are photographed as Print does, and the six sheets of the
// report are written as a PDF instead of being previewed. No display is
// needed, and the settings and pictures of the installed window are not
// touched: the run keeps both in a folder of its own.

#include <QApplication>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <iostream>

#include "app/editor_operations.h"
#include "app/main_window.h"
#include "app/report/codeplug_report.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/session_port.h"

namespace rer::cli {
namespace {

constexpr const char* kUsage = "usage: rer-cli report FILE.cp -o REPORT.pdf";
constexpr int kStartupWaitMs = 10000;

// Runs the window's start-up steps (they are queued after its first show).
bool WaitForStartup(const TFmMain& window) {
  QTimer limit;
  limit.setSingleShot(true);
  limit.start(kStartupWaitMs);
  while (!window.StartupDone() && limit.isActive()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  return window.StartupDone();
}

}  // namespace

int RunReportCommand(const CommandArgs& words) {
  Args args(words, {"o"}, {});
  const auto output = args.value("o");
  if (!args.ok() || !output || args.positional().size() != 1) {
    std::cerr << (args.ok() ? kUsage : args.error()) << "\n";
    return kExitUsage;
  }
  const QString input = QString::fromStdString(args.positional().front());
  if (!QFileInfo(input).isFile()) {
    std::cerr << "report: cannot read " << args.positional().front() << "\n";
    return kExitUsage;
  }

  // The pages are drawn without a screen, whatever display there may be.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "rer-cli";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  QTemporaryDir work;
  if (!work.isValid()) {
    std::cerr << "report: no temporary folder for the page pictures\n";
    return kExitFailure;
  }
  // A window with no stored settings: no start-up password, no stored port.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, work.filePath("settings"));

  CommandLineUserInterface ui;
  TFmMain window(ui);
  EditorOperations operations(ui);
  window.SetCalibrationHook({});
  window.SetOperations(&operations);
  window.show();
  if (!WaitForStartup(window) || window.StartupRefused) {
    std::cerr << "report: the window did not start\n";
    return kExitFailure;
  }

  operations.SetOpenFileChooser([&input](const QString&) { return std::optional<QString>(input); });
  window.LoadFileClick();
  if (window.CurrentFileName.isEmpty()) {
    if (ui.shown.empty())
      std::cerr << "report: " << args.positional().front() << " holds no codeplug\n";
    return kExitFailure;
  }

  bool written = false;
  operations.SetReportPictureFolder(work.filePath("pictures"));
  operations.SetReportPresenter([&](const CodeplugReport& report) {
    written = WriteReportPdf(report, QString::fromStdString(*output));
  });
  window.menuPrintClick();
  window.StartupRefused = true;  // closes without the question of a window left by the user
  window.close();
  if (!written) {
    std::cerr << "report: cannot write " << *output << "\n";
    return kExitFailure;
  }
  std::cout << window.PrintPageCount << " pages on " << kReportSheetCount << " sheets\n";
  return kExitSuccess;
}

}  // namespace rer::cli
