#pragma once
// The per-user settings kept between runs: the COM port and its line codes,
// the software password (stored scrambled) and the folder for codeplug files.
// They live in QSettings under the product's settings key; every value is
// created with its default the first time it is read.

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

namespace rer {

class TDComm;

// The port and line codes, as the serial driver takes them.
struct CommSettings {
  QString portName = "COM1";
  int baudRate = 57600;
  int parity = 0;    // 0 none, 1 odd, 2 even
  int dataSize = 3;  // data bits minus 5
  int stopBits = 0;  // 0 one, 1 two
};

struct StoredSettings {
  CommSettings comm;
  QString softwarePassword;  // unscrambled; "" = none
  QString workFilesPath;     // as stored; "" = the default work folder
  // Every codeplug read from a pager is also kept in the backups folder.
  bool autoBackup = true;
  QString backupPath;  // as stored; "" = "backups" in the work folder
  // Each pager is read back after programming and compared with what was written.
  bool verifyAfterProgram = true;
};

// Names of the stored values, in the order they are read.
inline constexpr char kPortValue[] = "Port";
inline constexpr char kBaudRateValue[] = "BaudRate";
inline constexpr char kParityValue[] = "Parity";
inline constexpr char kDataSizeValue[] = "DataSize";
inline constexpr char kStopBitsValue[] = "StopBits";
inline constexpr char kSoftwarePasswordValue[] = "Software Password";
inline constexpr char kWorkFilesPathValue[] = "WorkFiles Path";
inline constexpr char kAutoBackupValue[] = "Automatic Backup";
inline constexpr char kBackupPathValue[] = "Backups Path";
inline constexpr char kVerifyAfterProgramValue[] = "Verify After Program";
QStringList StoredValueNames();

// The "Bit Rate (max.)" choices, in list order; any stored rate outside the
// list selects (and stores as) the last one.
inline constexpr int kBitRates[] = {57600, 38400, 19200, 9600, 4800};
int BitRateIndex(int baudRate);
int BitRateAtIndex(int index);

// The store behind the product's settings key: the registry on Windows, an
// INI file under the user's configuration folder elsewhere.
std::unique_ptr<QSettings> OpenSettingsStore();

// Reads every value, first writing the default of each one that is missing.
StoredSettings ReadSettings(QSettings& store);
// Writes every value; the software password is scrambled on the way.
void WriteSettings(QSettings& store, const StoredSettings& settings);

// Port name rule of Apply: COM1 to COM9 (anything shorter than five
// characters) stay as they are, as do names already carrying the Windows
// device prefix and device paths; longer Windows names get the "\\.\"
// prefix (COM10 -> \\.\COM10). On other hosts only COMn names are Windows
// names; a platform name such as ttyUSB0 is kept as it is.
QString StoredPortName(const QString& name, bool windowsHost);
QString StoredPortName(const QString& name);
// The stored name without the Windows device prefix, as the setup dialog shows it.
QString DisplayPortName(const QString& storedName);

// The folder offered for codeplug files when none is stored.
QString DefaultWorkFolder();
// The stored folder, or the default one when it is "".
QString EffectiveWorkFolder(const QString& storedFolder);

// The stored backups folder, or "backups" in `workFolder` when it is "".
QString EffectiveBackupFolder(const QString& storedFolder, const QString& workFolder);
// The pager history database, kept beside the other values under its own
// name ("" = the default database of the user's data folder). Read and
// written on its own so that the values above keep their order and defaults.
inline constexpr char kHistoryPathValue[] = "History Path";
QString ReadHistoryPath(QSettings& store);
void WriteHistoryPath(QSettings& store, const QString& path);
// The stored database, or the default one when it is "".
QString EffectiveHistoryPath(const QString& storedPath);

// Hands the port name and the four line codes to the serial driver.
void ApplyCommSettings(const CommSettings& comm, TDComm& driver);

}  // namespace rer
