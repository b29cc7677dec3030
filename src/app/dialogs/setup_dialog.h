#pragma once
// TFmSetup, "Setup Computer Configuration": the COM port and its line
// settings, the folder for codeplug files, the software password, the
// automatic backups of pager reads and their folder, and read-back verify. Nothing
// is written until Apply; Cancel and closing leave the store as it was.

#include <QDialog>
#include <QStringList>
#include <functional>
#include <optional>

#include "app/platform/settings_store.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSettings;
class QTabWidget;

namespace rer {

class TFmSetup : public QDialog {
  Q_OBJECT

 public:
  // `portDisplayNames`: the machine's ports as AvailablePortDisplayNames gives them.
  TFmSetup(QSettings& store, QStringList portDisplayNames, QWidget* parent = nullptr);

  // The pager history file Apply stored ("" = the default database).
  QString appliedHistoryPath() const;

  // The settings as Apply wrote them; nullopt when the dialog closed otherwise.
  const std::optional<StoredSettings>& applied() const { return applied_; }

  // F1 asks for the help document.
  void SetHelpRequest(std::function<void()> request) { helpRequest_ = std::move(request); }

  // The folder picker; replaceable so that it never blocks an automated run.
  void SetFolderPicker(std::function<QString(const QString& current)> picker) {
    folderPicker_ = std::move(picker);
  }

  // The actions behind the buttons and the list.
  void Apply();
  void LoadDefaults();
  void SelectListEntry(QListWidgetItem* item);
  void BrowseArchivePath();
  void BrowseBackupPath();

 private:
  void BuildCommTab(QTabWidget& tabs);
  void BuildApplicationTab(QTabWidget& tabs);
  void FillFromStore();
  void SelectCurrentPort();

  QSettings& store_;
  QStringList portDisplayNames_;
  std::optional<StoredSettings> applied_;
  std::function<void()> helpRequest_;
  std::function<QString(const QString&)> folderPicker_;

  QLineEdit* TntEdit1_;  // the port name Apply stores (never shown)
  QLineEdit* TntEdit2_;  // the chosen port as shown; a device path may be typed here
  QListWidget* TntListBox1_;
  QComboBox* cb_parity_;
  QComboBox* cb_dataBits_;
  QComboBox* cb_stopBits_;
  QComboBox* cb_bitRate_;
  QLineEdit* ed_archPath_;
  QPushButton* archPathBrowseBtn_;
  QLineEdit* ed_swPassword_;
  QCheckBox* ck_autoBackup_;
  QLineEdit* ed_backupPath_;  // empty: "backups" in the folder for codeplug files
  QPushButton* backupPathBrowseBtn_;
  QCheckBox* ck_verify_;
  QLineEdit* ed_historyPath_;  // "" = the default database
  QPushButton* TntButton2_;
  QPushButton* btnCancel_;
  QPushButton* btnDefault_;
};

}  // namespace rer
