// The program's own simulated pager, served on a pseudo-terminal in real
// time and read through the window's serial driver, as `rer --simulate` does.

#include "app/platform/simulated_pager_port.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "app/editor_operations.h"
#include "app/main_window.h"
#include "core/scripted_user_interface.h"
#include "qt_test_environment.h"
#include "sim/demo_codeplug.h"

namespace rer {
namespace {

#ifndef _WIN32
TEST(SimulatedPagerPortTest, WindowReadsTheSimulatedPagerThroughItsSerialDriver) {
  test::UseFreshSettingsFolder();
  const auto simulated = SimulatedPagerPort::Start(DemoScenario(0x84));
  ASSERT_NE(simulated, nullptr);
  ASSERT_FALSE(simulated->PortName().empty());

  ScriptedUserInterface ui;
  EditorOperations operations(ui);
  TFmMain window(ui);
  window.SetCalibrationHook({});
  window.SetOperations(&operations);
  window.SetPortOverride(QString::fromStdString(simulated->PortName()));
  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.StartupDone(); }));
  // The stored settings do not replace the port of this run.
  EXPECT_EQ(window.Comm().PortName(), simulated->PortName());

  window.ReadPagerClick();

  EXPECT_TRUE(ui.Texts().empty());
  EXPECT_EQ(window.CurrentFileName, "NONAME1");
  EXPECT_EQ(window.findChild<QLineEdit*>("ed_capcode1")->text(), "0012345");
  EXPECT_EQ(window.findChild<QLineEdit*>("ed_serialNumber")->text(), "SIM0000001");
  window.StartupRefused = true;
  window.close();
}
#endif

}  // namespace
}  // namespace rer
