#include "app/dialogs/setup_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <map>

#include "app/platform/settings_store.h"
#include "qt_test_environment.h"

namespace rer {
namespace {

const QStringList kPorts = {"Communications Port (COM1)", "USB Serial Port (COM7)",
                            "Communications Port (COM12)"};

std::map<QString, QVariant> Snapshot() {
  auto store = OpenSettingsStore();
  std::map<QString, QVariant> values;
  for (const QString& key : store->allKeys()) values[key] = store->value(key);
  return values;
}

class SetupDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseFreshSettingsFolder(); }

  template <typename T>
  static T* Child(TFmSetup& dialog, const char* name) {
    T* child = dialog.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
};

TEST_F(SetupDialogTest, DefaultThenCancelStoresNothing) {
  {
    auto store = OpenSettingsStore();
    StoredSettings settings;
    settings.comm = {"\\\\.\\COM12", 19200, 2, 1, 1};
    settings.softwarePassword = "SECRET";
    settings.workFilesPath = "/tmp/codeplugs";
    WriteSettings(*store, settings);
  }
  const auto before = Snapshot();
  auto store = OpenSettingsStore();
  TFmSetup dialog(*store, kPorts);
  QTest::mouseClick(Child<QPushButton>(dialog, "btnDefault"), Qt::LeftButton);
  // Default selects 4800, None, 8 and 1 on screen only.
  EXPECT_EQ(Child<QComboBox>(dialog, "cb_bitRate")->currentText(), "4800");
  EXPECT_EQ(Child<QComboBox>(dialog, "cb_parity")->currentText(), "None");
  EXPECT_EQ(Child<QComboBox>(dialog, "cb_dataBits")->currentText(), "8");
  EXPECT_EQ(Child<QComboBox>(dialog, "cb_stopBits")->currentText(), "1");
  QTest::mouseClick(Child<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
  EXPECT_FALSE(dialog.applied().has_value());
  store.reset();
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(SetupDialogTest, ChosenEntryIsStoredWithItsDeviceNameAndSelectedAgain) {
  {
    auto store = OpenSettingsStore();
    TFmSetup dialog(*store, kPorts);
    // The stored default COM1 is selected at first.
    EXPECT_EQ(Child<QLineEdit>(dialog, "TntEdit2")->text(), "Communications Port (COM1)");
    auto* list = Child<QListWidget>(dialog, "TntListBox1");
    dialog.SelectListEntry(list->item(2));
    Child<QComboBox>(dialog, "cb_bitRate")->setCurrentIndex(3);
    Child<QComboBox>(dialog, "cb_parity")->setCurrentIndex(2);
    QTest::mouseClick(Child<QPushButton>(dialog, "TntButton2"), Qt::LeftButton);
    ASSERT_TRUE(dialog.applied().has_value());
    EXPECT_EQ(dialog.applied()->comm.portName, "\\\\.\\COM12");
  }
  auto store = OpenSettingsStore();
  EXPECT_EQ(store->value("Port").toString(), "\\\\.\\COM12");
  EXPECT_EQ(store->value("BaudRate").toInt(), 9600);
  EXPECT_EQ(store->value("Parity").toInt(), 2);

  TFmSetup reopened(*store, kPorts);
  EXPECT_EQ(Child<QLineEdit>(reopened, "TntEdit1")->text(), "COM12");
  EXPECT_EQ(Child<QLineEdit>(reopened, "TntEdit2")->text(), "Communications Port (COM12)");
  EXPECT_EQ(Child<QListWidget>(reopened, "TntListBox1")->currentRow(), 2);
  EXPECT_EQ(Child<QComboBox>(reopened, "cb_bitRate")->currentText(), "9600");
}

TEST_F(SetupDialogTest, PortMissingFromTheListIsShownAndStoredAgain) {
  {
    auto store = OpenSettingsStore();
    store->setValue("Port", "COM4");
  }
  auto store = OpenSettingsStore();
  TFmSetup dialog(*store, {});
  EXPECT_EQ(Child<QLineEdit>(dialog, "TntEdit2")->text(), "COM4");
  dialog.Apply();
  EXPECT_EQ(store->value("Port").toString(), "COM4");
}

TEST_F(SetupDialogTest, TypedDevicePathIsStoredAsItIs) {
  auto store = OpenSettingsStore();
  TFmSetup dialog(*store, kPorts);
  auto* port = Child<QLineEdit>(dialog, "TntEdit2");
  port->clear();
  QTest::keyClicks(port, "/dev/pts/7");
  dialog.Apply();
  EXPECT_EQ(store->value("Port").toString(), "/dev/pts/7");
}

TEST_F(SetupDialogTest, SoftwarePasswordIsTypedInUpperCaseAndFiltered) {
  auto store = OpenSettingsStore();
  TFmSetup dialog(*store, kPorts);
  auto* password = Child<QLineEdit>(dialog, "ed_swPassword");
  QTest::keyClicks(password, "ab-c 1!x234567890");
  EXPECT_EQ(password->text(), "ABC 1X2345");
  dialog.Apply();
  EXPECT_EQ(ReadSettings(*store).softwarePassword, "ABC 1X2345");
  EXPECT_NE(store->value("Software Password").toString(), "ABC 1X2345");
}

TEST_F(SetupDialogTest, ChosenFolderIsStoredAsWorkFilesPath) {
  auto store = OpenSettingsStore();
  TFmSetup dialog(*store, kPorts);
  EXPECT_EQ(Child<QLineEdit>(dialog, "ed_archPath")->text(), DefaultWorkFolder());
  dialog.SetFolderPicker([](const QString&) { return QString("/srv/codeplugs"); });
  QTest::mouseClick(Child<QPushButton>(dialog, "archPathBrowseBtn"), Qt::LeftButton);
  dialog.Apply();
  EXPECT_EQ(store->value("WorkFiles Path").toString(), "/srv/codeplugs");
  EXPECT_EQ(dialog.applied()->workFilesPath, "/srv/codeplugs");
}

TEST_F(SetupDialogTest, BackupAndVerifyChoicesAreStoredAndShownAgain) {
  auto store = OpenSettingsStore();
  {
    TFmSetup dialog(*store, kPorts);
    // Both are on for a technician who never opened the dialog.
    EXPECT_TRUE(Child<QCheckBox>(dialog, "ck_autoBackup")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(dialog, "ck_verify")->isChecked());
    dialog.SetFolderPicker([](const QString&) { return QString("/srv/backups"); });
    QTest::mouseClick(Child<QPushButton>(dialog, "backupPathBrowseBtn"), Qt::LeftButton);
    Child<QCheckBox>(dialog, "ck_verify")->setChecked(false);
    dialog.Apply();
    EXPECT_EQ(dialog.applied()->backupPath, "/srv/backups");
    EXPECT_TRUE(dialog.applied()->autoBackup);
    EXPECT_FALSE(dialog.applied()->verifyAfterProgram);
  }
  TFmSetup again(*store, kPorts);
  EXPECT_EQ(Child<QLineEdit>(again, "ed_backupPath")->text(), "/srv/backups");
  EXPECT_FALSE(Child<QCheckBox>(again, "ck_verify")->isChecked());
  // Without backups the folder cannot be chosen.
  Child<QCheckBox>(again, "ck_autoBackup")->setChecked(false);
  EXPECT_FALSE(Child<QPushButton>(again, "backupPathBrowseBtn")->isEnabled());
  again.Apply();
  EXPECT_FALSE(ReadSettings(*store).autoBackup);
  EXPECT_EQ(EffectiveBackupFolder("", "/work/files"), "/work/files/backups");
}

TEST_F(SetupDialogTest, StoredCodesSelectTheirItems) {
  {
    auto store = OpenSettingsStore();
    store->setValue("BaudRate", 1200);
    store->setValue("DataSize", 1);
    store->setValue("StopBits", 1);
  }
  auto store = OpenSettingsStore();
  TFmSetup dialog(*store, kPorts);
  EXPECT_EQ(Child<QComboBox>(dialog, "cb_bitRate")->currentText(), "4800");
  EXPECT_EQ(Child<QComboBox>(dialog, "cb_dataBits")->currentText(), "6");
  EXPECT_EQ(Child<QComboBox>(dialog, "cb_stopBits")->currentText(), "2");
}

}  // namespace
}  // namespace rer
