// The windowed program: one main window, run until it closes.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <exception>

#include "app/editor_operations.h"
#include "app/fields/page_screenshots.h"
#include "app/main_window.h"
#include "app/platform/qt_user_interface.h"
#include "app/platform/settings_store.h"
#include "app/platform/simulated_pager_port.h"
#include "app/product_info.h"
#include "app/program_options.h"
#include "history/pager_history.h"
#include "sim/demo_codeplug.h"

namespace {

// Once the start-up steps of the window are done: the read of
// --read-on-start, and the pictures of --screenshots.
void RunStartActions(rer::TFmMain& window, rer::EditorOperations& operations,
                     const rer::ProgramOptions& options, const QString& historyPath) {
  if (!window.StartupDone()) {
    QTimer::singleShot(50, &window, [&window, &operations, &options, historyPath] {
      RunStartActions(window, operations, options, historyPath);
    });
    return;
  }
  if (!options.screenshotsFolder.isEmpty()) {
    QStringList written = rer::SaveShownPageScreenshots(window, options.screenshotsFolder);
    window.ReadPagerClick();
    const bool read = !window.CurrentFileName.isEmpty();
    if (read) written += rer::SaveShownPageScreenshots(window, options.screenshotsFolder);
    if (read) written += rer::SaveDialogScreenshots(window, options.screenshotsFolder);
    if (read) written += rer::SaveReportScreenshots(window, options.screenshotsFolder);
    if (read) {
      written += rer::SaveServiceDialogScreenshots(window, operations.ServiceSide(window),
                                                   options.screenshotsFolder);
    }
    // Last: programming leaves the editor.
    if (read)
      written += rer::SaveProgressScreenshotDuringProgram(window, options.screenshotsFolder);
    // After the read and the program: both are in the history then.
    if (read)
      written += rer::SaveHistoryScreenshots(window, historyPath, options.screenshotsFolder);
    for (const QString& path : written) std::printf("%s\n", qPrintable(path));
    if (!read) std::fprintf(stderr, "rer: the pager could not be read\n");
    QApplication::exit(read && !written.isEmpty() ? 0 : 1);
    return;
  }
  if (options.readOnStart) window.ReadPagerClick();
}

}  // namespace

int main(int argc, char* argv[]) {
  // --help and --version answer without a window, so they work where no
  // display is (a terminal, a packaging check).
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const rer::ProgramOptions early = rer::ParseProgramOptions(arguments);
  if (early.showHelp || early.showVersion) {
    QCoreApplication core(argc, argv);
    const QString text =
        early.showVersion ? rer::ProgramVersionText() + "\n" : rer::ProgramHelpText();
    std::fputs(qPrintable(text), stdout);
    return 0;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(rer::kApplicationTitle);
  // No display name: the toolkit would add it to every window title, and the
  // captions are composed in full by the windows themselves.
  QApplication::setApplicationDisplayName(QString(""));
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("rer"));

  const rer::ProgramOptions options = rer::ParseProgramOptions(app.arguments().mid(1));
  if (!options.error.isEmpty()) {
    std::fprintf(stderr, "rer: %s\n", qPrintable(options.error));
    return 2;
  }

  std::unique_ptr<rer::SimulatedPagerPort> simulated;
  if (options.simulate) {
    simulated = rer::SimulatedPagerPort::Start(rer::DemoScenario(options.simulatedModel));
    if (!simulated) {
      std::fprintf(stderr, "rer: no pseudo-terminal for the simulated pager\n");
      return 1;
    }
  }

  rer::QtUserInterface ui;
  rer::TFmMain window(ui);
  rer::EditorOperations operations(ui);
  // Every read and program of the window goes into the pager history that
  // the setup names; it is opened at the first record.
  // The pictures use a history of their own, fresh each time, and leave the
  // technician's alone.
  const QString screenshotHistory =
      options.screenshotsFolder.isEmpty()
          ? QString()
          : QDir(options.screenshotsFolder).filePath("pager-history.sqlite");
  for (const char* suffix : {"", "-wal", "-shm"}) {
    if (!screenshotHistory.isEmpty()) QFile::remove(screenshotHistory + suffix);
  }
  const auto historyPath = [screenshotHistory] {
    if (!screenshotHistory.isEmpty()) return screenshotHistory.toStdString();
    const std::unique_ptr<QSettings> store = rer::OpenSettingsStore();
    return rer::EffectiveHistoryPath(rer::ReadHistoryPath(*store)).toStdString();
  };
  rer::HistoryAtPath history(historyPath());
  operations.SetHistory(&history, historyPath);
  window.SetOperations(&operations);
  if (simulated) window.SetPortOverride(QString::fromStdString(simulated->PortName()));
  ui.SetParentWindow(&window);
  ui.SetStatusSink([&window](const QString& text) { window.SetStatusPanel(0, text); });
  window.show();
  if (options.readOnStart) {
    const QString started = QString::fromStdString(historyPath());
    QTimer::singleShot(0, &window, [&window, &operations, &options, started] {
      RunStartActions(window, operations, options, started);
    });
  }
  try {
    return QApplication::exec();
  } catch (const std::exception& error) {
    // Whatever escaped an operation is at least told to the user.
    QMessageBox::critical(nullptr, rer::kApplicationTitle, QString::fromLocal8Bit(error.what()));
    return 1;
  }
}
