#include "app/platform/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include "app/product_info.h"
#include "comm/tdcomm.h"
#include "history/pager_history.h"
#include "pager/password_scramble.h"

namespace rer {
namespace {

constexpr char kWindowsDevicePrefix[] = "\\\\.\\";
constexpr int kLongestShortPortName = 4;  // COM1 .. COM9

// Default of every stored value, in the order they are read and written.
struct StoredValue {
  const char* name;
  QVariant (*defaultValue)();
};

const StoredValue kStoredValues[] = {
    {kPortValue, [] { return QVariant(CommSettings{}.portName); }},
    {kBaudRateValue, [] { return QVariant(CommSettings{}.baudRate); }},
    {kParityValue, [] { return QVariant(CommSettings{}.parity); }},
    {kDataSizeValue, [] { return QVariant(CommSettings{}.dataSize); }},
    {kStopBitsValue, [] { return QVariant(CommSettings{}.stopBits); }},
    {kSoftwarePasswordValue, [] { return QVariant(QString()); }},
    {kWorkFilesPathValue, [] { return QVariant(QString()); }},
    {kAutoBackupValue, [] { return QVariant(StoredSettings{}.autoBackup); }},
    {kBackupPathValue, [] { return QVariant(QString()); }},
    {kVerifyAfterProgramValue, [] { return QVariant(StoredSettings{}.verifyAfterProgram); }},
};

// Scrambled passwords may hold any byte; Latin-1 keeps each one as one character.
QString ScrambledForStore(const QString& plain) {
  const std::string scrambled = ScramblePassword(plain.toUpper().toStdString());
  return QString::fromLatin1(scrambled.data(), static_cast<qsizetype>(scrambled.size()));
}

QString UnscrambledFromStore(const QString& stored) {
  const QByteArray bytes = stored.toLatin1();
  return QString::fromStdString(
      UnscramblePassword(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
}

}  // namespace

QStringList StoredValueNames() {
  QStringList names;
  for (const StoredValue& value : kStoredValues) names << value.name;
  return names;
}

int BitRateIndex(int baudRate) {
  for (int i = 0; i < static_cast<int>(std::size(kBitRates)); ++i) {
    if (kBitRates[i] == baudRate) return i;
  }
  return static_cast<int>(std::size(kBitRates)) - 1;
}

int BitRateAtIndex(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kBitRates))) return std::end(kBitRates)[-1];
  return kBitRates[index];
}

std::unique_ptr<QSettings> OpenSettingsStore() {
#ifdef Q_OS_WIN
  return std::make_unique<QSettings>("HKEY_CURRENT_USER\\" + SettingsKey(),
                                     QSettings::NativeFormat);
#else
  // Software\<organisation>\<rest...>: the organisation names the folder and
  // the rest, joined by "/", the file, so the key path is kept as it is.
  QStringList parts = SettingsKey().split('\\', Qt::SkipEmptyParts);
  if (!parts.isEmpty() && parts.front() == "Software") parts.removeFirst();
  const QString organisation = parts.isEmpty() ? QString() : parts.takeFirst();
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation,
                                     parts.join('/'));
#endif
}

StoredSettings ReadSettings(QSettings& store) {
  for (const StoredValue& value : kStoredValues) {
    if (!store.contains(value.name)) store.setValue(value.name, value.defaultValue());
  }
  store.sync();
  StoredSettings settings;
  settings.comm.portName = store.value(kPortValue).toString();
  settings.comm.baudRate = store.value(kBaudRateValue).toInt();
  settings.comm.parity = store.value(kParityValue).toInt();
  settings.comm.dataSize = store.value(kDataSizeValue).toInt();
  settings.comm.stopBits = store.value(kStopBitsValue).toInt();
  const QString scrambled = store.value(kSoftwarePasswordValue).toString();
  settings.softwarePassword = scrambled.isEmpty() ? QString() : UnscrambledFromStore(scrambled);
  settings.workFilesPath = store.value(kWorkFilesPathValue).toString();
  settings.autoBackup = store.value(kAutoBackupValue).toBool();
  settings.backupPath = store.value(kBackupPathValue).toString();
  settings.verifyAfterProgram = store.value(kVerifyAfterProgramValue).toBool();
  return settings;
}

void WriteSettings(QSettings& store, const StoredSettings& settings) {
  store.setValue(kPortValue, settings.comm.portName);
  store.setValue(kBaudRateValue, settings.comm.baudRate);
  store.setValue(kParityValue, settings.comm.parity);
  store.setValue(kDataSizeValue, settings.comm.dataSize);
  store.setValue(kStopBitsValue, settings.comm.stopBits);
  store.setValue(kSoftwarePasswordValue, settings.softwarePassword.isEmpty()
                                             ? QString()
                                             : ScrambledForStore(settings.softwarePassword));
  store.setValue(kWorkFilesPathValue, settings.workFilesPath);
  store.setValue(kAutoBackupValue, settings.autoBackup);
  store.setValue(kBackupPathValue, settings.backupPath);
  store.setValue(kVerifyAfterProgramValue, settings.verifyAfterProgram);
  store.sync();
}

QString StoredPortName(const QString& name, bool windowsHost) {
  if (name.size() <= kLongestShortPortName) return name;
  if (name.startsWith(kWindowsDevicePrefix) || name.contains('/')) return name;
  static const QRegularExpression windowsComName("^COM[0-9]+$",
                                                 QRegularExpression::CaseInsensitiveOption);
  if (windowsHost || windowsComName.match(name).hasMatch()) return kWindowsDevicePrefix + name;
  return name;
}

QString StoredPortName(const QString& name) {
#ifdef Q_OS_WIN
  return StoredPortName(name, true);
#else
  return StoredPortName(name, false);
#endif
}

QString DisplayPortName(const QString& storedName) {
  return storedName.startsWith(kWindowsDevicePrefix)
             ? storedName.mid(static_cast<qsizetype>(std::size(kWindowsDevicePrefix) - 1))
             : storedName;
}

QString DefaultWorkFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return documents.isEmpty() ? QCoreApplication::applicationDirPath() : documents;
}

QString EffectiveWorkFolder(const QString& storedFolder) {
  return storedFolder.isEmpty() ? DefaultWorkFolder() : storedFolder;
}

QString EffectiveBackupFolder(const QString& storedFolder, const QString& workFolder) {
  return storedFolder.isEmpty() ? QDir(workFolder).filePath("backups") : storedFolder;
}

QString ReadHistoryPath(QSettings& store) {
  return store.value(kHistoryPathValue).toString();
}

void WriteHistoryPath(QSettings& store, const QString& path) {
  store.setValue(kHistoryPathValue, path.trimmed());
  store.sync();
}

QString EffectiveHistoryPath(const QString& storedPath) {
  return storedPath.isEmpty() ? QString::fromStdString(DefaultHistoryPath()) : storedPath;
}

void ApplyCommSettings(const CommSettings& comm, TDComm& driver) {
  driver.SetPortName(comm.portName.toStdString());
  driver.SetBaudRate(static_cast<std::uint16_t>(comm.baudRate));
  driver.Parity = static_cast<std::uint8_t>(comm.parity);
  driver.DataSize = static_cast<std::uint8_t>(comm.dataSize);
  driver.StopBits = static_cast<std::uint8_t>(comm.stopBits);
}

}  // namespace rer
