#include "app/fields/page_screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "app/dialogs/compare_dialog.h"
#include "app/dialogs/history_dialog.h"
#include "app/dialogs/keyboard_dialog.h"
#include "app/dialogs/memory_sn_dialog.h"
#include "app/dialogs/pleasing_alert_dialog.h"
#include "app/dialogs/progress_dialog.h"
#include "app/dialogs/service_dialog.h"
#include "app/dialogs/setup_dialog.h"
#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "app/platform/port_list.h"
#include "app/platform/qt_user_interface.h"
#include "app/platform/settings_store.h"
#include "app/platform/tone_player.h"
#include "app/report/codeplug_report.h"
#include "codeplug/settings_diff.h"
#include "pages/alert_page.h"
#include "service/serial_partition.h"

namespace rer {

namespace {

// Shows `widget`, lets it paint, and writes it as `name` into `folder`: the
// path written, or empty when it could not be written.
QString SavePicture(QWidget& widget, const QString& folder, const QString& name) {
  widget.show();
  QApplication::processEvents();
  const QString path = QDir(folder).filePath(name);
  return widget.grab().save(path, "PNG") ? path : QString();
}

}  // namespace

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

namespace {

bool SavePleasingAlertFromAlertPage(TFmMain& window, const tones::Melody& tune,
                                    const QString& path) {
  // The editor as the technician reaches it: user-selectable alerts ticked
  // on the Alert tab, then "Custom" chosen.
  window.ShowPage(kPageAlert);
  QApplication::processEvents();
  auto* selectable = window.findChild<QCheckBox*>("cb_userSelectableAlerts");
  auto* pleasing = window.findChild<QComboBox*>("cb_programmablePleasingAlert");
  if (!selectable || !pleasing) return false;
  if (!selectable->isChecked()) selectable->click();
  if (!pleasing->isEnabled()) return false;
  window.Session().settings.pleasingAlertTune = tune;
  bool saved = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<TFmPleasingAlert*>(QApplication::activeModalWidget());
    if (!dialog) return;
    watch.stop();
    saved = dialog->grab().save(path, "PNG");
    dialog->Done();
  });
  watch.start(50);
  pleasing->setFocus(Qt::TabFocusReason);
  pleasing->setCurrentIndex(kPleasingAlertCustomItem);
  watch.stop();
  return saved;
}

}  // namespace

QStringList SaveDialogScreenshots(TFmMain& window, const QString& folder) {
  if (!QDir().mkpath(folder)) return {};
  // A tune with rests, low and high notes and several volumes, so that every
  // kind of entry shows.
  tones::Melody tune = tones::DefaultMelody();
  const std::uint8_t sample[] = {0xE9, 0xEC, 0xF0, 0x00, 0xA4, 0xA4, 0x78, 0x18};
  for (std::size_t i = 0; i < std::size(sample); ++i) tune[i] = sample[i];
  const QString path = QDir(folder).filePath("TFmPleasingAlert.png");
  if (!SavePleasingAlertFromAlertPage(window, tune, path)) return {};
  QApplication::processEvents();
  // The Alert tab as the editor leaves it: "Custom" and its options enabled.
  const QString alertPath = QDir(folder).filePath("AlertPageCustom.png");
  if (!window.grab().save(alertPath, "PNG")) return {};
  QStringList written{path, alertPath};

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
  const QString entryPath = SavePicture(entry, folder, "TFmMemorySn.png");
  entry.reject();
  if (entryPath.isEmpty()) return {};
  written << entryPath;

  // The user-password keypad, opened on Left, Right, Up, Down.
  QtUserInterface keypadUi(&window);
  TFmKeyboard keypad("0123", keypadUi, &window);
  const QString keypadPath = SavePicture(keypad, folder, "TFmKeyboard.png");
  keypad.reject();
  if (keypadPath.isEmpty()) return {};
  written << keypadPath;

  const auto message =
      CreateMessageBox(MessageBox{"successfully", "\nThe file was saved as /home/tech/rer/bench.cp",
                                  MessageIcon::Information, MessageButtons::Ok},
                       &window);
  const QString messagePath = SavePicture(*message, folder, "SaveAsSuccess.png");
  message->done(QMessageBox::Ok);
  if (messagePath.isEmpty()) return {};
  written << messagePath;

  // The comparison of the editor with a file that holds another frequency
  // and another second capcode.
  EditorSettings other = window.Session().settings;
  other.SetText(Control::ed_frequency, "152.5000");
  other.SetText(AddressControl::Capcode, 2, "0004321");
  TFmCompare compare("/home/tech/rer/bench.cp", DiffSettings(window.Session().settings, other),
                     &window);
  const QString comparePath = SavePicture(compare, folder, "TFmCompare.png");
  compare.reject();
  if (comparePath.isEmpty()) return {};
  written << comparePath;

  // The setup on its tab of the application's settings: backups and verify.
  const std::unique_ptr<QSettings> store = OpenSettingsStore();
  TFmSetup setup(*store, AvailablePortDisplayNames(), &window);
  if (auto* tabs = setup.findChild<QTabWidget*>()) tabs->setCurrentIndex(1);
  const QString setupPath = SavePicture(setup, folder, "TFmSetup_Application.png");
  setup.reject();
  if (setupPath.isEmpty()) return {};
  written << setupPath;
  return written;
}

QStringList SaveReportScreenshots(TFmMain& window, const QString& folder) {
  const QString pictures = QDir(folder).filePath("report_pictures");
  if (!QDir().mkpath(pictures)) return {};
  const int active = window.ActivePage();
  CapturePagePictures(window, pictures, window.PrintPageCount);
  window.ShowPage(active);
  const CodeplugReport report =
      PrepareReport(pictures, window.PrintPageCount, window.CurrentFileName);

  // The first sheet at about 100 pixels per inch of A4.
  QImage sheet(827, 1169, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  PaintReportSheet(report, 0, painter, QRectF(47, 47, 827 - 94, 1169 - 94));
  painter.end();
  const QString sheetPath = QDir(folder).filePath("ReportSheet1.png");
  if (!sheet.save(sheetPath, "PNG")) return {};

  const QString previewPath = QDir(folder).filePath("TFmReport.png");
  bool saved = false;
  ShowReportPreview(report, &window, [&](QDialog& preview) {
    preview.resize(900, 1000);
    QApplication::processEvents();
    saved = preview.grab().save(previewPath, "PNG");
    preview.done(QDialog::Accepted);
  });
  if (!saved) return {};
  return {previewPath, sheetPath};
}

namespace {

// The technician who confirms the adjust page's warning; every other box and
// entry is the window's own.
class ConfirmingUserInterface : public UserInterface {
 public:
  explicit ConfirmingUserInterface(UserInterface& window) : window_(window) {}
  int ShowMessageBox(const MessageBox& box) override {
    return box.buttons == MessageButtons::YesNo ? kResultYes : window_.ShowMessageBox(box);
  }
  std::optional<std::string> EnterPassword(PasswordMode mode) override {
    return window_.EnterPassword(mode);
  }
  void BeginProgress() override { window_.BeginProgress(); }
  void EndProgress() override { window_.EndProgress(); }

 private:
  UserInterface& window_;
};

int IndexOfTestCaption(const char* caption) {
  const auto tests = ServiceTests();
  for (std::size_t i = 0; i < tests.size(); ++i) {
    if (QString(tests[i].caption) == caption) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace

QStringList SaveServiceDialogScreenshots(TFmMain& window, const ServiceWindowSide& side,
                                         const QString& folder) {
  if (!QDir().mkpath(folder)) return {};
  ConfirmingUserInterface ui(window.Ui());
  TFmService dialog(window.Session(), ui, side, &window);
  dialog.show();
  QStringList written;
  auto save = [&](const char* name) {
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name);
    if (!dialog.grab().save(path, "PNG")) return false;
    written << path;
    return true;
  };
  constexpr int kTestKey = 5, kSendKey = 8, kAdjustKey = 3, kExitKey = 10;
  bool saved = save("TFmService_Main.png");
  // The key test runs on the pager: the result field shows its answer.
  dialog.PressFunctionKey(kTestKey);
  dialog.Logic().SelectTest(IndexOfTestCaption("Key Test"));
  dialog.PressFunctionKey(kSendKey);
  saved = saved && save("TFmService_Test.png");
  dialog.PressFunctionKey(kExitKey);
  dialog.PressFunctionKey(kAdjustKey);
  saved = saved && save("TFmService_Adjust.png");
  dialog.PressFunctionKey(kExitKey);
  dialog.PressFunctionKey(kExitKey);
  return saved ? written : QStringList{};
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
  return {listPath, searchPath};
}

}  // namespace rer
