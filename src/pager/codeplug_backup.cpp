#include "pager/codeplug_backup.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace rer {
namespace {

// Enough repeats for any burst of reads within one second; beyond it something
// is wrong with the folder, and the backup is reported as failed.
constexpr int kMaxRepeats = 1000;

bool FileNameSafe(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

}  // namespace

std::string DefaultBackupFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QString base = documents.isEmpty() ? QDir::homePath() : documents;
  return QDir(base).filePath("backups").toStdString();
}

std::string BackupBaseName(std::string_view serialNumber, const QDateTime& when) {
  // The pager pads its serial with blanks; they are not part of the name.
  while (!serialNumber.empty() && (serialNumber.back() == ' ' || serialNumber.back() == '\0')) {
    serialNumber.remove_suffix(1);
  }
  while (!serialNumber.empty() && serialNumber.front() == ' ') serialNumber.remove_prefix(1);
  std::string name;
  for (const char c : serialNumber) name += FileNameSafe(c) ? c : '_';
  if (name.empty()) name = "no-serial";
  return name + "_" + when.toString("yyyyMMdd-HHmmss").toStdString();
}

CodeplugBackupResult WriteCodeplugBackup(const std::string& folder, std::string_view serialNumber,
                                         std::span<const std::uint8_t> image,
                                         const CodeplugFileHeader& header, const QDateTime& when) {
  CodeplugBackupResult result;
  const QDir dir(QString::fromStdString(folder));
  if (!dir.mkpath(".")) {
    result.error = "cannot make the backups folder " + folder;
    return result;
  }
  const std::string base = BackupBaseName(serialNumber, when);
  for (int repeat = 1; repeat <= kMaxRepeats; ++repeat) {
    const std::string name = base + (repeat == 1 ? "" : "-" + std::to_string(repeat)) + ".cp";
    const QString path = dir.filePath(QString::fromStdString(name));
    // Claiming the name with an exclusive create is what keeps an earlier
    // backup: a plain existence check would race with another writer.
    QFile claim(path);
    if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
      if (QFile::exists(path)) continue;
      result.error = "cannot write a backup into " + folder;
      return result;
    }
    claim.close();
    if (!WriteTextFileSafely(path.toStdString(), FormatCodeplugFile(image, header))) {
      QFile::remove(path);
      result.error = "cannot write the backup " + path.toStdString();
      return result;
    }
    result.written = true;
    result.path = path.toStdString();
    return result;
  }
  result.error = "too many backups of the same second in " + folder;
  return result;
}

}  // namespace rer
