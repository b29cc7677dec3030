#include "app/report/codeplug_report.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>

#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "app/product_info.h"

namespace rer {
namespace {

constexpr double kMarginMillimetres = 12.0;
// The header band of the first sheet, as a share of the printable height;
// kept on every sheet so that the frames stand in the same place on each.
constexpr double kHeaderShare = 0.05;
constexpr double kFrameGapShare = 0.02;
constexpr int kHeaderPointSize = 12;
constexpr int kPdfResolution = 300;

// The part of the window below its menu bar: what the report shows of it.
// A menu bar that the platform draws outside the window (macOS) takes none.
QRect ClientArea(TFmMain& window) {
  QRect area = window.rect();
  const QMenuBar* bar = window.menuBar();
  if (bar && bar->isVisible() && !bar->isNativeMenuBar()) area.setTop(bar->geometry().bottom() + 1);
  return area;
}

// The next settings page after `page` whose tab is shown, wrapping to the
// first shown one.
int NextShownPage(const TFmMain& window, int page) {
  for (int step = 1; step <= kSettingsPageCount; ++step) {
    const int next = (page + step) % kSettingsPageCount;
    if (window.IsPageShown(next)) return next;
  }
  return page;
}

// `picture` scaled to fit `slot` with its proportions, centred at the top.
QRectF FittedRect(const QImage& picture, const QRectF& slot) {
  if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return slot;
  const double scale = std::min(slot.width() / picture.width(), slot.height() / picture.height());
  const QSizeF size(picture.width() * scale, picture.height() * scale);
  return QRectF(QPointF(slot.left() + (slot.width() - size.width()) / 2, slot.top()), size);
}

QPageLayout ReportPageLayout() {
  const QMarginsF margins(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                          kMarginMillimetres);
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                     QPageLayout::Millimeter);
}

}  // namespace

QString ReportPictureFileName(int capture) {
  return QString("%1_rerPge.jpg").arg(capture);
}

QString ReportPictureFolder() {
  const QString programFolder = QCoreApplication::applicationDirPath();
  if (!programFolder.isEmpty() && QFileInfo(programFolder).isWritable()) return programFolder;
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QStringList CapturePagePictures(TFmMain& window, const QString& folder, int count) {
  QDir().mkpath(folder);
  QStringList written;
  int page = kGeneralPageIndex;
  window.ShowPage(page);
  for (int capture = 0; capture < count; ++capture) {
    // A page shown for the first time lays itself out on a posted event;
    // only those are let through, not the technician's input.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QImage shot = window.grab(ClientArea(window)).toImage();
    const QImage picture =
        shot.scaled(window.PageControl().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QString path = QDir(folder).filePath(ReportPictureFileName(capture));
    if (picture.save(path, "JPG", kReportPictureQuality)) written << path;
    page = NextShownPage(window, page);
    window.ShowPage(page);
  }
  return written;
}

QString ReportHeaderText(const QString& currentFileName) {
  if (currentFileName.isEmpty() || currentFileName == kReadCodeplugName) {
    return kReadCodeplugName;
  }
  return QFileInfo(currentFileName).fileName();
}

CodeplugReport PrepareReport(const QString& folder, int printPageCount,
                             const QString& currentFileName) {
  CodeplugReport report;
  report.header = ReportHeaderText(currentFileName);
  for (int sheet = 0; sheet < kReportSheetCount; ++sheet) {
    report.sheets[static_cast<std::size_t>(sheet)].name = QString("quickRep%1").arg(sheet + 1);
  }
  for (int index = 0; index < kReportFrameCount; ++index) {
    ReportFrame& frame = report.Frame(index);
    frame = ReportFrame{QString("qrImage%1").arg(index), QImage(), false};
    if (index >= printPageCount) continue;
    frame.picture.load(QDir(folder).filePath(ReportPictureFileName(index)));
    frame.border = !frame.picture.isNull();
  }
  return report;
}

void SetUpReportPrinter(QPrinter& printer) {
  printer.setPageLayout(ReportPageLayout());
  printer.setCopyCount(1);
}

void PaintReportSheet(const CodeplugReport& report, int sheet, QPainter& painter,
                      const QRectF& paper) {
  const double headerHeight = paper.height() * kHeaderShare;
  if (sheet == 0) {
    QFont font = painter.font();
    font.setPointSize(kHeaderPointSize);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(paper.left(), paper.top(), paper.width(), headerHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, report.header);
  }
  const double gap = paper.height() * kFrameGapShare;
  const double slotHeight = (paper.height() - headerHeight - gap) / kFramesPerSheet;
  for (int slot = 0; slot < kFramesPerSheet; ++slot) {
    const ReportFrame& frame = report.Frame(sheet * kFramesPerSheet + slot);
    const QRectF area(paper.left(), paper.top() + headerHeight + slot * (slotHeight + gap),
                      paper.width(), slotHeight);
    const QRectF target = FittedRect(frame.picture, area);
    if (!frame.picture.isNull()) painter.drawImage(target, frame.picture);
    if (frame.border) {
      // One pixel of the printer, whatever its resolution.
      QPen pen(Qt::black);
      pen.setWidth(0);
      painter.setPen(pen);
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(target);
    }
  }
}

void PaintReport(const CodeplugReport& report, QPagedPaintDevice& device) {
  QPainter painter(&device);
  if (!painter.isActive()) return;
  // The painter's coordinates are the printable area, in device pixels.
  const QRectF paper(0, 0, device.width(), device.height());
  for (int sheet = 0; sheet < kReportSheetCount; ++sheet) {
    if (sheet > 0) device.newPage();
    PaintReportSheet(report, sheet, painter, paper);
  }
}

bool WriteReportPdf(const CodeplugReport& report, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  {
    QPdfWriter pdf(&file);
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(ReportPageLayout());
    pdf.setTitle(report.header);
    pdf.setCreator(QCoreApplication::applicationName());
    PaintReport(report, pdf);
  }
  return file.commit();
}

void ShowReportPreview(const CodeplugReport& report, QWidget* parent,
                       const std::function<void(QDialog& preview)>& whileShown) {
  QPrinter printer(QPrinter::HighResolution);
  SetUpReportPrinter(printer);
  printer.setDocName(report.header);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle("Report");
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [&report](QPrinter* target) { PaintReport(report, *target); });
  if (whileShown) {
    QTimer::singleShot(0, &preview, [&preview, &whileShown] { whileShown(preview); });
  }
  preview.exec();
}

}  // namespace rer
