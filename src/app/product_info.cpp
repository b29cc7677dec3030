#include "app/product_info.h"

#include <QFileInfo>

namespace rer {

QString BaseTitle() {
  return QString(kProductName) + " " + kSoftwareVersion + " - " + kReleaseDate + "(Customer" + " " +
         " Version)";
}

QString VersionText() {
  return QString(kVersionWord) + " " + kVersionNumber;
}

QString SettingsKey() {
  return QString(kSettingsKeyBase) + kSoftwareVersion;
}

QString CodeplugVersionDigits() {
  QString digits;
  for (int part : kCodeplugVersionParts) digits += QString::number(part).rightJustified(2, '0');
  return digits;
}

QString CodeplugVersionStatusText() {
  return QStringLiteral("Codeplug Version : R") + CodeplugVersionDigits();
}

QString CaptionForReadPager() {
  return BaseTitle() + " >> " + kReadCodeplugName;
}

QString CaptionForFile(const QString& path) {
  return BaseTitle() + " - " + QFileInfo(path).fileName();
}

}  // namespace rer
