#include "app/page_screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QRegularExpression>
#include <QTabWidget>

#include "app/main_window.h"
#include "app/page_table.h"
#include "app/pleasing_alert_dialog.h"
#include "app/tone_player.h"

namespace rer {

QString ScreenshotFileName(int pageIndex) {
  // The Main page comes first, before the settings pages in tab order.
  const int order = pageIndex == kMainPageIndex ? 0 : pageIndex + 1;
  QString caption = EditorPages()[static_cast<std::size_t>(pageIndex)].caption;
  caption.replace(QRegularExpression("[^A-Za-z0-9]+"), "_");
  return QString("%1_%2.png").arg(order, 2, 10, QChar('0')).arg(caption);
}

QStringList SaveShownPageScreenshots(TFmMain& window, const QString& folder) {
  if (!QDir().mkpath(folder)) return {};
  QStringList written;
  std::vector<int> order{kMainPageIndex};
  for (int index = 0; index < kSettingsPageCount; ++index) order.push_back(index);
  const int active = window.ActivePage();
  for (int index : order) {
    if (!window.IsPageShown(index)) continue;
    window.ShowPage(index);
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(ScreenshotFileName(index));
    if (!window.grab().save(path, "PNG")) return {};
    written << path;
  }
  window.ShowPage(active);
  return written;
}

QStringList SaveDialogScreenshots(TFmMain& window, const QString& folder) {
  if (!QDir().mkpath(folder)) return {};
  // A tune with rests, low and high notes and several volumes, so that every
  // kind of entry shows.
  tones::Melody tune = tones::DefaultMelody();
  const std::uint8_t sample[] = {0xE9, 0xEC, 0xF0, 0x00, 0xA4, 0xA4, 0x78, 0x18};
  for (std::size_t i = 0; i < std::size(sample); ++i) tune[i] = sample[i];
  TFmPleasingAlert dialog(tune, ApplicationTonePlayer(), &window);
  dialog.show();
  QApplication::processEvents();
  const QString path = QDir(folder).filePath("TFmPleasingAlert.png");
  const bool saved = dialog.grab().save(path, "PNG");
  dialog.done(QDialog::Accepted);
  return saved ? QStringList{path} : QStringList{};
}

}  // namespace rer
