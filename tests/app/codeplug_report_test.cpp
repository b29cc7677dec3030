// Print: the pages photographed from the window, the six sheets of the
// report, and the PDF that rer-cli report writes from the same code.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <set>

#include "app/editor_operations.h"
#include "app/fields/page_table.h"
#include "app/main_window.h"
#include "app/product_info.h"
#include "app/report/codeplug_report.h"
#include "blank_codeplug_file.h"
#include "comm/virtual_clock.h"
#include "core/scripted_user_interface.h"
#include "qt_test_environment.h"
#include "sim/demo_codeplug.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"
#include "temp_path.h"

namespace rer {
namespace {

// The pages of a PDF: its page objects, not the page tree.
int PdfPageCount(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QString text = QString::fromLatin1(file.readAll());
  return static_cast<int>(text.count(QRegularExpression("/Type\\s*/Page(?![s\\w])")));
}

// How many distinct colours a picture holds, up to `enough`: a blank or
// single-colour picture holds one.
int DistinctColours(const QImage& picture, int enough = 16) {
  std::set<QRgb> colours;
  for (int y = 0; y < picture.height() && static_cast<int>(colours.size()) < enough; y += 7) {
    for (int x = 0; x < picture.width(); x += 7) colours.insert(picture.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

class CodeplugReportTest : public ::testing::Test {
 protected:
  void Start(std::uint8_t model) {
    test::UseFreshSettingsFolder();
    folder = QString::fromStdString(testing::TempPath("report_pictures"));
    QDir(folder).removeRecursively();
    pager = std::make_unique<SimPager>(DemoScenario(model));
    transport = std::make_unique<SimTransport>(*pager, clock, &ui);
    window = test::StartWindow(ui, operations, *transport, clock);
    ASSERT_TRUE(window);
    operations.SetReportPictureFolder(folder);
    operations.SetReportPresenter([this](const CodeplugReport& shown) {
      report = shown;
      ++presented;
    });
  }

  void TearDown() override {
    if (!window) return;
    window->StartupRefused = true;  // let the window go without a question
    window->close();
    QDir(folder).removeRecursively();
  }

  void ReadAndPrint() {
    window->ReadPagerClick();
    ASSERT_EQ(window->CurrentFileName, QString(kReadCodeplugName));
    window->findChild<QAction*>("menuPrint")->trigger();
  }

  QStringList Pictures() const {
    return QDir(folder).entryList({"*_rerPge.jpg"}, QDir::Files, QDir::Name);
  }

  ScriptedUserInterface ui;
  EditorOperations operations{ui};
  VirtualClock clock;
  std::unique_ptr<SimPager> pager;
  std::unique_ptr<SimTransport> transport;
  std::unique_ptr<TFmMain> window;
  QString folder;
  CodeplugReport report;
  int presented = 0;
};

TEST_F(CodeplugReportTest, LargeLayoutPagerGivesTwelvePicturesAndBordersTheLastFrame) {
  Start(0x84);
  ReadAndPrint();

  ASSERT_EQ(presented, 1);
  EXPECT_EQ(window->PrintPageCount, 12);
  EXPECT_EQ(Pictures().size(), 12);
  EXPECT_EQ(report.header, "NONAME1");
  const QSize pageSize = window->PageControl().size();
  for (int index = 0; index < kReportFrameCount; ++index) {
    const ReportFrame& frame = report.Frame(index);
    EXPECT_EQ(frame.name, QString("qrImage%1").arg(index));
    ASSERT_FALSE(frame.picture.isNull()) << index;
    EXPECT_EQ(frame.picture.size(), pageSize) << index;
    EXPECT_GT(DistinctColours(frame.picture), 4) << index << " looks blank";
    EXPECT_TRUE(frame.border) << index;
  }
  // Each picture is its own page: no two of them are the same.
  EXPECT_NE(report.Frame(0).picture, report.Frame(1).picture);
  EXPECT_NE(report.Frame(10).picture, report.Frame(11).picture);
  EXPECT_EQ(report.sheets[5].name, "quickRep6");

  const QString pdf = folder + "/report.pdf";
  ASSERT_TRUE(WriteReportPdf(report, pdf));
  EXPECT_EQ(PdfPageCount(pdf), kReportSheetCount);
}

TEST_F(CodeplugReportTest, SmallLayoutPagerLeavesTheLastFrameEmptyEvenWithAnOldPicture) {
  Start(0x81);
  // A picture left by an earlier print of a twelve-page pager.
  QDir().mkpath(folder);
  QImage old(40, 30, QImage::Format_RGB32);
  old.fill(Qt::red);
  ASSERT_TRUE(old.save(folder + "/" + ReportPictureFileName(11), "JPG"));
  ReadAndPrint();

  ASSERT_EQ(presented, 1);
  EXPECT_EQ(window->PrintPageCount, 11);
  for (int index = 0; index < 11; ++index) EXPECT_FALSE(report.Frame(index).picture.isNull());
  EXPECT_TRUE(report.Frame(11).picture.isNull());
  EXPECT_FALSE(report.Frame(11).border);
}

TEST_F(CodeplugReportTest, HeaderNamesTheLoadedFileWithoutItsFolder) {
  Start(0x84);
  const std::string path = testing::TempPath("reports_folder/unit7.cp");
  QDir().mkpath(QString::fromStdString(testing::TempPath("reports_folder")));
  testing::WriteBlankCodeplugFile(path, 0x84);
  operations.SetOpenFileChooser(
      [&](const QString&) { return std::optional<QString>(QString::fromStdString(path)); });
  window->LoadFileClick();
  ASSERT_FALSE(window->CurrentFileName.isEmpty());
  window->findChild<QAction*>("menuPrint")->trigger();
  ASSERT_EQ(presented, 1);
  EXPECT_EQ(report.header, "unit7.cp");
}

TEST_F(CodeplugReportTest, PrintLeavesStayOnTopAsItWas) {
  Start(0x84);
  window->ReadPagerClick();
  QAction* stayOnTop = window->findChild<QAction*>("setupStayontop");
  for (bool before : {false, true}) {
    if (stayOnTop->isChecked() != before) stayOnTop->trigger();
    window->ShowPage(kPageAlert);
    window->findChild<QAction*>("menuPrint")->trigger();
    EXPECT_EQ(stayOnTop->isChecked(), before);
    EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), before);
  }
}

TEST_F(CodeplugReportTest, PrintIsOfferedOnTheSettingsPagesOnly) {
  Start(0x84);
  QAction* print = window->findChild<QAction*>("menuPrint");
  EXPECT_FALSE(print->isEnabled());
  window->ReadPagerClick();
  EXPECT_TRUE(print->isEnabled());
}

// The last frame of the sixth sheet, drawn on white paper: its border
// darkens the paper's pixels along the frame's edge only when it is there.
TEST(ReportSheetTest, SixthSheetDrawsTheLastBorderOnlyForTwelvePages) {
  const QString folder = QString::fromStdString(testing::TempPath("report_sheet"));
  QDir(folder).removeRecursively();
  QDir().mkpath(folder);
  QImage white(400, 300, QImage::Format_RGB32);
  white.fill(Qt::white);
  for (int capture = 0; capture < kReportFrameCount; ++capture) {
    ASSERT_TRUE(white.save(folder + "/" + ReportPictureFileName(capture), "JPG", 100));
  }
  auto darkPixels = [&](int pageCount) {
    const CodeplugReport prepared = PrepareReport(folder, pageCount, "bench.cp");
    QImage paper(500, 700, QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    PaintReportSheet(prepared, 5, painter, QRectF(0, 0, 500, 700));
    painter.end();
    // The lower half holds the second frame.
    int dark = 0;
    for (int y = 380; y < 700; ++y) {
      for (int x = 0; x < 500; ++x) dark += qGray(paper.pixel(x, y)) < 128 ? 1 : 0;
    }
    return dark;
  };
  EXPECT_GT(darkPixels(12), 500);
  EXPECT_EQ(darkPixels(11), 0);
  QDir(folder).removeRecursively();
}

}  // namespace
}  // namespace rer
