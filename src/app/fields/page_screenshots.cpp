#include "app/fields/page_screenshots.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "app/dialogs/history_dialog.h"
#include "app/dialogs/memory_sn_dialog.h"
#include "app/dialogs/pleasing_alert_dialog.h"
#include "app/dialogs/progress_dialog.h"
#include "app/dialogs/setup_dialog.h"
#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "app/platform/port_list.h"
#include "app/platform/qt_user_interface.h"
#include "app/platform/settings_store.h"
#include "app/platform/tone_player.h"
#include "service/serial_partition.h"

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
  if (!saved) return {};
  QStringList written{path};

  // The entry of an unprogrammed large-memory pager, as the program sequence
  // asks it.
  UserInterface::SerialPartitionRequest request;
  for (int index = 0; index < kPartitionEntries; ++index) {
    const PartitionEntry& entry = PartitionEntryAt(true, index);
    request.personalItems.emplace_back(entry.personal);
    request.maildropItems.emplace_back(entry.maildrop);
  }
  request.selectedIndex = PartitionIndexOfCode(true, 16);
  TFmMemorySn entry(request, &window);
  entry.show();
  QApplication::processEvents();
  const QString entryPath = QDir(folder).filePath("TFmMemorySn.png");
  if (!entry.grab().save(entryPath, "PNG")) return {};
  entry.reject();
  written << entryPath;

  const auto message =
      CreateMessageBox(MessageBox{"successfully", "\nThe file was saved as /home/tech/rer/bench.cp",
                                  MessageIcon::Information, MessageButtons::Ok},
                       &window);
  message->show();
  QApplication::processEvents();
  const QString messagePath = QDir(folder).filePath("SaveAsSuccess.png");
  if (!message->grab().save(messagePath, "PNG")) return {};
  message->done(QMessageBox::Ok);
  written << messagePath;
  return written;
}

QStringList SaveProgressScreenshotDuringProgram(TFmMain& window, const QString& folder) {
  if (!QDir().mkpath(folder)) return {};
  const QString path = QDir(folder).filePath("TFmProgressBar.png");
  bool saved = false;
  QTimer watch;
  // The GUI thread keeps running while the program works off it: the box is
  // looked at as it stands, every tenth of a second.
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* box = window.findChild<TFmProgressBar*>();
    if (saved || !box || !box->isVisible()) return;
    // A pause follows a finished block, so the gauge then stands full.
    if (box->Percent() <= 0 || box->PhaseText().isEmpty() || box->SecondsLeftText().isEmpty()) {
      return;
    }
    saved = box->grab().save(path, "PNG");
  });
  watch.start(100);
  window.WritePagerClick();
  watch.stop();
  return saved ? QStringList{path} : QStringList{};
}

QStringList SaveHistoryScreenshots(TFmMain& window, const QString& databasePath,
                                   const QString& folder) {
  if (!QDir().mkpath(folder)) return {};
  TFmPagerHistory dialog(databasePath.toStdString(), &window);
  dialog.show();
  QApplication::processEvents();
  if (dialog.RowCount() == 0) return {};
  const QString listPath = QDir(folder).filePath("TFmPagerHistory.png");
  if (!dialog.grab().save(listPath, "PNG")) return {};
  // The capcode column of the newest row, searched for.
  const QString capcode = dialog.Table().item(0, 2) ? dialog.Table().item(0, 2)->text() : QString();
  dialog.Search(capcode, true, false);
  QApplication::processEvents();
  const QString searchPath = QDir(folder).filePath("TFmPagerHistory_Search.png");
  const bool saved = dialog.grab().save(searchPath, "PNG");
  dialog.reject();
  if (!saved) return {};

  const std::unique_ptr<QSettings> store = OpenSettingsStore();
  TFmSetup setup(*store, AvailablePortDisplayNames(), &window);
  if (auto* tabs = setup.findChild<QTabWidget*>()) tabs->setCurrentIndex(1);
  setup.show();
  QApplication::processEvents();
  const QString setupPath = QDir(folder).filePath("TFmSetup_Application.png");
  const bool setupSaved = setup.grab().save(setupPath, "PNG");
  setup.reject();
  if (!setupSaved) return {};
  return {listPath, searchPath, setupPath};
}

}  // namespace rer
