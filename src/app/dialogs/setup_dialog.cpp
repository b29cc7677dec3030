#include "app/dialogs/setup_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/dialogs/password_input.h"
#include "app/platform/port_list.h"
#include "history/pager_history.h"

namespace rer {
namespace {

const QStringList kParityItems = {"None", "Odd", "Even"};
const QStringList kDataBitsItems = {"5", "6", "7", "8"};
const QStringList kStopBitsItems = {"1", "2"};

// What "Default" selects: 4800 bit/s, no parity, 8 data bits, 1 stop bit.
constexpr int kDefaultBitRate = 4800;
constexpr int kDefaultParity = 0;
constexpr int kDefaultDataSize = 3;
constexpr int kDefaultStopBits = 0;

QStringList BitRateItems() {
  QStringList items;
  for (int rate : kBitRates) items << QString::number(rate);
  return items;
}

QComboBox* MakeList(const char* name, const QStringList& items, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->addItems(items);
  return list;
}

// Stored codes outside a list fall back to its first item.
void SelectIndex(QComboBox& list, int index) {
  list.setCurrentIndex(index >= 0 && index < list.count() ? index : 0);
}

}  // namespace

TFmSetup::TFmSetup(QSettings& store, QStringList portDisplayNames, QWidget* parent)
    : QDialog(parent), store_(store), portDisplayNames_(std::move(portDisplayNames)) {
  setObjectName("TFmSetup");
  setWindowTitle("Setup Computer Configuration");
  setModal(true);

  auto* tabs = new QTabWidget(this);
  BuildCommTab(*tabs);
  BuildApplicationTab(*tabs);

  TntButton2_ = new QPushButton("Apply", this);
  TntButton2_->setObjectName("TntButton2");
  btnCancel_ = new QPushButton("Cancel", this);
  btnCancel_->setObjectName("btnCancel");
  btnDefault_ = new QPushButton("Default", this);
  btnDefault_->setObjectName("btnDefault");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(TntButton2_);
  buttons->addWidget(btnCancel_);
  buttons->addWidget(btnDefault_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addLayout(buttons);

  connect(TntButton2_, &QPushButton::clicked, this, &TFmSetup::Apply);
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnDefault_, &QPushButton::clicked, this, &TFmSetup::LoadDefaults);
  connect(archPathBrowseBtn_, &QPushButton::clicked, this, &TFmSetup::BrowseArchivePath);
  connect(backupPathBrowseBtn_, &QPushButton::clicked, this, &TFmSetup::BrowseBackupPath);
  connect(ck_autoBackup_, &QCheckBox::toggled, this, [this](bool on) {
    ed_backupPath_->setEnabled(on);
    backupPathBrowseBtn_->setEnabled(on);
  });
  connect(TntListBox1_, &QListWidget::itemClicked, this, &TFmSetup::SelectListEntry);
  // A typed device path is taken as the port name as it stands.
  connect(TntEdit2_, &QLineEdit::textEdited, this, [this](const QString& text) {
    TntListBox1_->clearSelection();
    TntEdit1_->setText(text.trimmed());
  });
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, [this] {
    if (helpRequest_) helpRequest_();
  });

  folderPicker_ = [this](const QString& current) {
    return QFileDialog::getExistingDirectory(this, "Select Archive Directory", current);
  };

  FillFromStore();
}

void TFmSetup::BuildCommTab(QTabWidget& tabs) {
  auto* page = new QWidget(&tabs);
  TntEdit1_ = new QLineEdit(page);
  TntEdit1_->setObjectName("TntEdit1");
  TntEdit1_->hide();
  TntEdit2_ = new QLineEdit(page);
  TntEdit2_->setObjectName("TntEdit2");
  TntListBox1_ = new QListWidget(page);
  TntListBox1_->setObjectName("TntListBox1");
  cb_parity_ = MakeList("cb_parity", kParityItems, page);
  cb_dataBits_ = MakeList("cb_dataBits", kDataBitsItems, page);
  cb_stopBits_ = MakeList("cb_stopBits", kStopBitsItems, page);
  cb_bitRate_ = MakeList("cb_bitRate", BitRateItems(), page);

  auto* portLine = new QHBoxLayout;
  portLine->addWidget(new QLabel("Port : ", page));
  portLine->addWidget(TntEdit2_);
  auto* lineSettings = new QFormLayout;
  lineSettings->addRow("Parity", cb_parity_);
  lineSettings->addRow("Data Bits", cb_dataBits_);
  lineSettings->addRow("Stop Bits", cb_stopBits_);
  lineSettings->addRow("Bit Rate (max.)", cb_bitRate_);
  auto* columns = new QHBoxLayout;
  columns->addWidget(TntListBox1_, 1);
  columns->addLayout(lineSettings);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel("You have to select an available port from the list.", page));
  layout->addLayout(portLine);
  layout->addLayout(columns);
  layout->addWidget(TntEdit1_);
  tabs.addTab(page, "Comm Port Settings");
}

void TFmSetup::BuildApplicationTab(QTabWidget& tabs) {
  auto* page = new QWidget(&tabs);
  ed_archPath_ = new QLineEdit(page);
  ed_archPath_->setObjectName("ed_archPath");
  ed_archPath_->setReadOnly(true);
  archPathBrowseBtn_ = new QPushButton("...", page);
  archPathBrowseBtn_->setObjectName("archPathBrowseBtn");
  ed_swPassword_ = new QLineEdit(page);
  ed_swPassword_->setObjectName("ed_swPassword");
  MakePasswordField(*ed_swPassword_, false);

  ck_autoBackup_ = new QCheckBox("Keep a backup of every codeplug read from a pager", page);
  ck_autoBackup_->setObjectName("ck_autoBackup");
  ed_backupPath_ = new QLineEdit(page);
  ed_backupPath_->setObjectName("ed_backupPath");
  ed_backupPath_->setReadOnly(true);
  ed_backupPath_->setPlaceholderText("backups in the Arch Path");
  backupPathBrowseBtn_ = new QPushButton("...", page);
  backupPathBrowseBtn_->setObjectName("backupPathBrowseBtn");
  ck_verify_ = new QCheckBox("Read each pager back after programming and verify it", page);
  ck_verify_->setObjectName("ck_verify");

  auto* pathLine = new QHBoxLayout;
  pathLine->addWidget(ed_archPath_, 1);
  pathLine->addWidget(archPathBrowseBtn_);
  auto* backupLine = new QHBoxLayout;
  backupLine->addWidget(ed_backupPath_, 1);
  backupLine->addWidget(backupPathBrowseBtn_);
  auto* layout = new QFormLayout(page);
  layout->addRow("Arch Path", pathLine);
  layout->addRow("SW Password", ed_swPassword_);
  layout->addRow(ck_autoBackup_);
  layout->addRow("Backups Path", backupLine);
  layout->addRow(ck_verify_);
  ed_historyPath_ = new QLineEdit(page);
  ed_historyPath_->setObjectName("ed_historyPath");
  ed_historyPath_->setPlaceholderText(QString::fromStdString(DefaultHistoryPath()));
  ed_historyPath_->setToolTip(
      "The database of every pager read and programmed; empty: the default");
  layout->addRow("Pager History", ed_historyPath_);
  tabs.addTab(page, "Application Settings");
}

void TFmSetup::FillFromStore() {
  const StoredSettings stored = ReadSettings(store_);
  ed_swPassword_->setText(stored.softwarePassword);
  ed_archPath_->setText(EffectiveWorkFolder(stored.workFilesPath));
  ck_autoBackup_->setChecked(stored.autoBackup);
  ed_backupPath_->setText(stored.backupPath);
  ed_backupPath_->setEnabled(stored.autoBackup);
  backupPathBrowseBtn_->setEnabled(stored.autoBackup);
  ck_verify_->setChecked(stored.verifyAfterProgram);
  ed_historyPath_->setText(ReadHistoryPath(store_));
  SelectIndex(*cb_parity_, stored.comm.parity);
  SelectIndex(*cb_dataBits_, stored.comm.dataSize);
  SelectIndex(*cb_stopBits_, stored.comm.stopBits);
  cb_bitRate_->setCurrentIndex(BitRateIndex(stored.comm.baudRate));

  TntEdit1_->setText(DisplayPortName(stored.comm.portName));
  TntEdit2_->clear();
  TntListBox1_->addItems(portDisplayNames_);
  SelectCurrentPort();
}

void TFmSetup::SelectCurrentPort() {
  for (int row = 0; row < TntListBox1_->count(); ++row) {
    QListWidgetItem* item = TntListBox1_->item(row);
    if (PortNameOfDisplayName(item->text()) == TntEdit1_->text()) {
      TntListBox1_->setCurrentItem(item);
      TntEdit2_->setText(item->text());
      return;
    }
  }
  TntEdit2_->setText(TntEdit1_->text());
}

void TFmSetup::SelectListEntry(QListWidgetItem* item) {
  if (!item) return;
  const QString text = item->text();
  const QString portName = PortNameOfDisplayName(text);
  TntEdit2_->setText(text);
  TntEdit1_->setText(portName.isEmpty() ? text : portName);
}

void TFmSetup::LoadDefaults() {
  cb_bitRate_->setCurrentIndex(BitRateIndex(kDefaultBitRate));
  cb_parity_->setCurrentIndex(kDefaultParity);
  cb_dataBits_->setCurrentIndex(kDefaultDataSize);
  cb_stopBits_->setCurrentIndex(kDefaultStopBits);
}

void TFmSetup::BrowseArchivePath() {
  const QString chosen = folderPicker_ ? folderPicker_(ed_archPath_->text()) : QString();
  if (!chosen.isEmpty()) ed_archPath_->setText(chosen);
}

void TFmSetup::BrowseBackupPath() {
  const QString current = EffectiveBackupFolder(ed_backupPath_->text(), ed_archPath_->text());
  const QString chosen = folderPicker_ ? folderPicker_(current) : QString();
  if (!chosen.isEmpty()) ed_backupPath_->setText(chosen);
}

void TFmSetup::Apply() {
  if (ed_archPath_->text().isEmpty()) ed_archPath_->setText(DefaultWorkFolder());
  StoredSettings settings;
  settings.comm.portName = StoredPortName(TntEdit1_->text());
  settings.comm.parity = cb_parity_->currentIndex();
  settings.comm.dataSize = cb_dataBits_->currentIndex();
  settings.comm.stopBits = cb_stopBits_->currentIndex();
  settings.comm.baudRate = BitRateAtIndex(cb_bitRate_->currentIndex());
  settings.softwarePassword = ed_swPassword_->text().toUpper();
  settings.workFilesPath = ed_archPath_->text();
  settings.autoBackup = ck_autoBackup_->isChecked();
  settings.backupPath = ed_backupPath_->text();
  settings.verifyAfterProgram = ck_verify_->isChecked();
  WriteSettings(store_, settings);
  WriteHistoryPath(store_, ed_historyPath_->text());
  applied_ = ReadSettings(store_);
  accept();
}

QString TFmSetup::appliedHistoryPath() const {
  return applied_ ? ReadHistoryPath(store_) : QString();
}

}  // namespace rer
