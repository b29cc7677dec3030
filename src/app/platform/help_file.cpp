#include "app/platform/help_file.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

// The shared data folder of an installation, relative to its program folder;
// the build sets it from the install directories.
#ifndef RER_DATA_DIR_FROM_BIN
#define RER_DATA_DIR_FROM_BIN "../share/rer"
#endif

namespace rer {

QStringList HelpFileCandidates(const QString& programFolder) {
  const QDir folder(programFolder);
  return {QDir::cleanPath(folder.filePath(kHelpFileRelativePath)),
          QDir::cleanPath(
              folder.filePath(QStringLiteral(RER_DATA_DIR_FROM_BIN "/") + kHelpFileRelativePath))};
}

QString FindHelpFile(const QString& programFolder) {
  const QStringList candidates = HelpFileCandidates(programFolder);
  for (const QString& path : candidates) {
    if (QFileInfo(path).isFile()) return path;
  }
  return candidates.back();
}

QString DefaultHelpFilePath() {
  return FindHelpFile(QCoreApplication::applicationDirPath());
}

QString HelpNotFoundText(const QString& path) {
  return QStringLiteral("Help file not found\n") + QDir::toNativeSeparators(path);
}

QString HelpNoViewerText(const QString& path) {
  return QStringLiteral("No viewer could open the help file\n") + QDir::toNativeSeparators(path);
}

bool OpenWithSystemViewer(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace rer
