#pragma once
// Pictures of the main window, one per page, for documentation and for
// checking the page layouts by eye: `rer --screenshots DIR`.

#include <QString>
#include <QStringList>

namespace rer {

class TFmMain;
struct ServiceWindowSide;

// The file name of the picture of page `index` ("00_Main.png" for the Main
// page, "01_General.png" ... "12_More_Features.png" for the settings pages).
QString ScreenshotFileName(int pageIndex);

// Makes each shown page of `window` active in turn (without page checks),
// grabs the whole window and writes it as PNG into `folder`. The Main page
// is taken when it is shown, the settings pages when they are. Returns the
// paths written; empty when the folder cannot be made or a file not written.
QStringList SaveShownPageScreenshots(TFmMain& window, const QString& folder);

// The dialogs that pages open, each with sample contents, over `window`:
// "TFmPleasingAlert.png" (opened by choosing "Custom" on the Alert tab, which
// then shows as "AlertPageCustom.png"), the serial number and partition entry
// "TFmMemorySn.png", the user-password keypad "TFmKeyboard.png" and the
// message after Save as "SaveAsSuccess.png".
// Returns the paths written; empty on failure.
QStringList SaveDialogScreenshots(TFmMain& window, const QString& folder);

// Print of the codeplug in the editor, its preview taken as
// "TFmReport.png" and its first sheet drawn as "ReportSheet1.png". The page
// pictures go into a folder of their own inside `folder`. Returns the paths
// written; empty on failure.
QStringList SaveReportScreenshots(TFmMain& window, const QString& folder);

// Programs the pager from the editor (F2) and, once the progress box shows
// a figure, the phase and the seconds of a pause, writes it as
// "TFmProgressBar.png". Leaves the editor as F2 in single mode does. Returns
// the path written; empty when no such moment came.
QStringList SaveProgressScreenshotDuringProgram(TFmMain& window, const QString& folder);

// The service dialog over `window`, working on the pager through `side`:
// its Main page "TFmService_Main.png", the test page after a key test of the
// pager "TFmService_Test.png" and the adjust page with the pager's values
// "TFmService_Adjust.png". Returns the paths written; empty on failure.
QStringList SaveServiceDialogScreenshots(TFmMain& window, const ServiceWindowSide& side,
                                         const QString& folder);
// "Pager History..." over the database at `databasePath`: the whole list
// "TFmPagerHistory.png", then searched for the first capcode of its newest
// row "TFmPagerHistory_Search.png" (the setup's tab where the database is
// chosen is among the dialog pictures). Empty on failure or an empty
// history.
QStringList SaveHistoryScreenshots(TFmMain& window, const QString& databasePath,
                                   const QString& folder);

}  // namespace rer
