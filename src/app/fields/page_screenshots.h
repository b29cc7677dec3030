#pragma once
// Pictures of the main window, one per page, for documentation and for
// checking the page layouts by eye: `rer --screenshots DIR`.

#include <QString>
#include <QStringList>

namespace rer {

class TFmMain;

// The file name of the picture of page `index` ("00_Main.png" for the Main
// page, "01_General.png" ... "12_More_Features.png" for the settings pages).
QString ScreenshotFileName(int pageIndex);

// Makes each shown page of `window` active in turn (without page checks),
// grabs the whole window and writes it as PNG into `folder`. The Main page
// is taken when it is shown, the settings pages when they are. Returns the
// paths written; empty when the folder cannot be made or a file not written.
QStringList SaveShownPageScreenshots(TFmMain& window, const QString& folder);

// The dialogs that pages open, each with sample contents, over `window`:
// "TFmPleasingAlert.png", the serial number and partition entry
// "TFmMemorySn.png" and the message after Save as "SaveAsSuccess.png".
// Returns the paths written; empty on failure.
QStringList SaveDialogScreenshots(TFmMain& window, const QString& folder);

// Programs the pager from the editor (F2) and, once the progress box shows
// a figure, the phase and the seconds of a pause, writes it as
// "TFmProgressBar.png". Leaves the editor as F2 in single mode does. Returns
// the path written; empty when no such moment came.
QStringList SaveProgressScreenshotDuringProgram(TFmMain& window, const QString& folder);

// "Pager History..." over the database at `databasePath`: the whole list
// "TFmPagerHistory.png", then searched for the first capcode of its newest
// row "TFmPagerHistory_Search.png", and the setup dialog's tab where the
// database is chosen "TFmSetup_Application.png". Empty on failure or an
// empty history.
QStringList SaveHistoryScreenshots(TFmMain& window, const QString& databasePath,
                                   const QString& folder);

}  // namespace rer
