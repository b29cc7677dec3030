#include "qt_test_environment.h"

#include "app/main_window.h"
#include "core/result_codes.h"
#include "pager/codeplug_files.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace rer::test {
namespace {

std::unique_ptr<QTemporaryDir> settingsDir;
std::unique_ptr<QTemporaryDir> homeDir;

class QtTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The documents folder (where the window keeps its backups by default)
    // is a temporary one, not the folder of whoever runs the tests.
    homeDir = std::make_unique<QTemporaryDir>();
    qputenv("HOME", homeDir->path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (homeDir->path() + "/.config").toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    static int argc = 1;
    static char name[] = "rer_app_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
    UseFreshSettingsFolder();
  }
  void TearDown() override {
    settingsDir.reset();
    app_.reset();
    homeDir.reset();
  }

 private:
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

}  // namespace

void UseFreshSettingsFolder() {
  settingsDir = std::make_unique<QTemporaryDir>();
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir->path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir->path());
}

QString SettingsFolder() {
  return settingsDir ? settingsDir->path() : QString();
}

std::unique_ptr<TFmMain> StartWindow(UserInterface& ui, MainWindowOperations& operations,
                                     Transport& link, Clock& clock) {
  auto window = std::make_unique<TFmMain>(ui);
  window->SetCalibrationHook({});
  window->SetOperations(&operations);
  window->SetLinkTransport(&link);
  window->SetLinkClock(&clock);
  window->show();
  if (!QTest::qWaitFor([&] { return window->StartupDone(); })) return nullptr;
  return window;
}

std::unique_ptr<TFmMain> StartWindow(UserInterface& ui) {
  auto window = std::make_unique<TFmMain>(ui);
  window->SetCalibrationHook({});
  window->show();
  if (!QTest::qWaitFor([&] { return window->StartupDone(); })) return nullptr;
  if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
  return window;
}

bool OpenInEditor(TFmMain& window, const std::string& path, std::uint8_t model, UserInterface& ui) {
  if (LoadCodeplugFile(window.Session(), path, ui) != kSuccess) return false;
  window.PagerLink().ModelCode = model;
  window.SetupPagesForPager(model);
  window.FillPages();
  window.SetCommandStates(false, TFmMain::CommandScope::ByPage);
  window.CurrentFileName = "file";
  return true;
}

}  // namespace rer::test
