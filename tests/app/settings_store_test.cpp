#include "app/platform/settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>

#include "app/platform/port_list.h"
#include "pager/password_scramble.h"
#include "qt_test_environment.h"

namespace rer {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseFreshSettingsFolder(); }
};

TEST_F(SettingsStoreTest, FirstReadCreatesTheKeyWithTheSevenDefaults) {
  {
    auto store = OpenSettingsStore();
    ASSERT_TRUE(store->allKeys().isEmpty());
    const StoredSettings settings = ReadSettings(*store);
    EXPECT_EQ(settings.comm.portName, "COM1");
    EXPECT_EQ(settings.softwarePassword, "");
  }
  // What was written is in the store itself, under the product's key path.
  auto store = OpenSettingsStore();
  EXPECT_TRUE(store->fileName().contains("Kestravon")) << store->fileName().toStdString();
  EXPECT_TRUE(store->fileName().contains("V040609")) << store->fileName().toStdString();
  EXPECT_EQ(store->value("Port").toString(), "COM1");
  EXPECT_EQ(store->value("BaudRate").toInt(), 57600);
  EXPECT_EQ(store->value("Parity").toInt(), 0);
  EXPECT_EQ(store->value("DataSize").toInt(), 3);
  EXPECT_EQ(store->value("StopBits").toInt(), 0);
  EXPECT_TRUE(store->contains("Software Password"));
  EXPECT_EQ(store->value("Software Password").toString(), "");
  EXPECT_TRUE(store->contains("WorkFiles Path"));
  EXPECT_EQ(store->value("WorkFiles Path").toString(), "");
  EXPECT_EQ(store->allKeys().size(), StoredValueNames().size());
}

TEST_F(SettingsStoreTest, OnlyMissingValuesGetTheirDefault) {
  {
    auto store = OpenSettingsStore();
    store->setValue("Port", "\\\\.\\COM12");
    store->setValue("Parity", 2);
  }
  auto store = OpenSettingsStore();
  const StoredSettings settings = ReadSettings(*store);
  EXPECT_EQ(settings.comm.portName, "\\\\.\\COM12");
  EXPECT_EQ(settings.comm.parity, 2);
  EXPECT_EQ(settings.comm.baudRate, 57600);
  EXPECT_EQ(settings.comm.dataSize, 3);
}

TEST_F(SettingsStoreTest, SoftwarePasswordIsStoredScrambledAndReadBackInUpperCase) {
  StoredSettings settings;
  settings.softwarePassword = "ab 12";
  {
    auto store = OpenSettingsStore();
    WriteSettings(*store, settings);
  }
  auto store = OpenSettingsStore();
  const QString raw = store->value("Software Password").toString();
  EXPECT_NE(raw, "AB 12");
  EXPECT_EQ(raw.toLatin1().toStdString(), ScramblePassword("AB 12"));
  EXPECT_EQ(ReadSettings(*store).softwarePassword, "AB 12");
}

TEST(PortNameRule, StoredNames) {
  struct Case {
    const char* chosen;
    bool windowsHost;
    const char* stored;
  };
  const Case cases[] = {
      {"COM1", false, "COM1"},
      {"COM9", true, "COM9"},
      {"COM10", false, "\\\\.\\COM10"},
      {"COM12", true, "\\\\.\\COM12"},
      {"\\\\.\\COM12", true, "\\\\.\\COM12"},
      {"/dev/ttyUSB0", false, "/dev/ttyUSB0"},
      {"/dev/pts/3", true, "/dev/pts/3"},
      {"ttyUSB0", false, "ttyUSB0"},
      {"CNCA0", true, "\\\\.\\CNCA0"},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StoredPortName(c.chosen, c.windowsHost), c.stored)
        << c.chosen << " windows=" << c.windowsHost;
  }
}

TEST(PortNameRule, DisplayDropsOnlyTheWindowsDevicePrefix) {
  EXPECT_EQ(DisplayPortName("\\\\.\\COM12"), "COM12");
  EXPECT_EQ(DisplayPortName("COM3"), "COM3");
  EXPECT_EQ(DisplayPortName("/dev/ttyS0"), "/dev/ttyS0");
}

TEST(PortList, NameInTheLastParentheses) {
  struct Case {
    const char* display;
    const char* name;
  };
  const Case cases[] = {
      {"Communications Port (COM1)", "COM1"},
      {"USB Serial Port (COM7)", "COM7"},
      {"Prolific USB (v2) Adapter (ttyUSB0)", "ttyUSB0"},
      {"(ttyS0)", "ttyS0"},
      {"/dev/pts/4", ""},
      {"broken (", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PortNameOfDisplayName(c.display), c.name) << c.display;
  EXPECT_EQ(PortDisplayName("USB Serial Port", "COM7"), "USB Serial Port (COM7)");
  EXPECT_EQ(PortNameOfDisplayName(PortDisplayName("", "ttyS0")), "ttyS0");
}

TEST(BitRates, UnknownRatesSelectTheLastChoice) {
  EXPECT_EQ(BitRateIndex(57600), 0);
  EXPECT_EQ(BitRateIndex(9600), 3);
  EXPECT_EQ(BitRateIndex(1200), 4);
  EXPECT_EQ(BitRateAtIndex(4), 4800);
  EXPECT_EQ(BitRateAtIndex(7), 4800);
}

}  // namespace
}  // namespace rer
