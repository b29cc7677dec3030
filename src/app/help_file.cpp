#include "app/help_file.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace rer {

QString DefaultHelpFilePath() {
  return QDir(QCoreApplication::applicationDirPath()).filePath(kHelpFileRelativePath);
}

QString HelpNotFoundText(const QString& path) {
  return QStringLiteral("Help file not found\n") + QDir::toNativeSeparators(path);
}

bool OpenWithSystemViewer(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace rer
