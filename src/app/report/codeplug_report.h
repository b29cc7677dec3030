#pragma once
// The printed record of a codeplug. It is not a listing of the settings: each
// shown settings page is photographed as the window shows it, the pictures
// are kept as JPEG files, and a report of six A4 sheets shows them two to a
// sheet in a print preview, from which the technician prints. The same
// report can be written as a PDF without a window on screen (rer-cli report).

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class QDialog;
class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QRectF;
class QWidget;

namespace rer {

class TFmMain;

inline constexpr int kReportSheetCount = 6;
inline constexpr int kFramesPerSheet = 2;
inline constexpr int kReportFrameCount = kReportSheetCount * kFramesPerSheet;
inline constexpr int kReportPictureQuality = 100;

// "0_rerPge.jpg" ... "11_rerPge.jpg": the picture of capture `capture`.
QString ReportPictureFileName(int capture);
// Where the pictures go when no folder is chosen: beside the program when
// that folder can be written (as an installation in a user's own folder
// can), otherwise the per-user data folder.
QString ReportPictureFolder();

// Photographs the settings pages of `window` for a report: General first,
// then each page whose tab is shown, `count` pictures in all (the window's
// PrintPageCount), each the window's client area scaled to the size of the
// page control, written into `folder` at JPEG quality 100. Leaves the window
// on the page after the last one taken, wrapping to General. Returns the
// paths written.
QStringList CapturePagePictures(TFmMain& window, const QString& folder, int count);

struct ReportFrame {
  QString name;    // "qrImage0" ... "qrImage11"
  QImage picture;  // null: the frame stays empty
  bool border = false;
};

struct ReportSheet {
  QString name;  // "quickRep1" ... "quickRep6"
  std::array<ReportFrame, kFramesPerSheet> frames;
};

struct CodeplugReport {
  QString header;  // QRLabel1 on the first sheet
  std::array<ReportSheet, kReportSheetCount> sheets;

  // Frame `index` counted over the sheets: qrImage<index>.
  const ReportFrame& Frame(int index) const {
    return sheets[static_cast<std::size_t>(index / kFramesPerSheet)]
        .frames[static_cast<std::size_t>(index % kFramesPerSheet)];
  }
  ReportFrame& Frame(int index) {
    return sheets[static_cast<std::size_t>(index / kFramesPerSheet)]
        .frames[static_cast<std::size_t>(index % kFramesPerSheet)];
  }
};

// The header of the first sheet: the codeplug file's name without its
// folder, or "NONAME1" for a codeplug read from a pager.
QString ReportHeaderText(const QString& currentFileName);

// The report of the pictures in `folder` for `printPageCount` pages. Every
// frame starts empty, so that nothing of an earlier print remains; a picture
// that cannot be read leaves its frame empty. A frame that shows a picture
// has a one-pixel border; the sixth sheet's second frame shows a picture
// only when twelve pages were taken, and has no border otherwise.
CodeplugReport PrepareReport(const QString& folder, int printPageCount,
                             const QString& currentFileName);

// A4 portrait, one copy, the report's margins.
void SetUpReportPrinter(QPrinter& printer);
// Draws sheet `sheet` (0..5) of `report` into `paper`, the printable area.
void PaintReportSheet(const CodeplugReport& report, int sheet, QPainter& painter,
                      const QRectF& paper);
// Draws all six sheets on `device` (a printer or a PDF), one page each.
void PaintReport(const CodeplugReport& report, QPagedPaintDevice& device);
// Writes the six sheets as a PDF file, replacing the file only once the
// whole report is written. False when it cannot be written.
bool WriteReportPdf(const CodeplugReport& report, const QString& path);
// The print preview of the report over `parent`; returns when it is closed.
// `whileShown`, when given, runs once the preview stands on screen (the
// screenshots take it, then close it).
void ShowReportPreview(const CodeplugReport& report, QWidget* parent,
                       const std::function<void(QDialog& preview)>& whileShown = {});

}  // namespace rer
