#pragma once
// The fixed product strings, the same in every unit, and the window captions
// and status texts composed from them.

#include <QString>

namespace rer {

inline constexpr char kProductName[] = "Tarsel Series RER";
inline constexpr char kSoftwareVersion[] = "V040609";
inline constexpr char kVersionWord[] = "Version";
inline constexpr char kVersionNumber[] = "R04.06.09";
inline constexpr char kReleaseDate[] = "2017/12/21";
// The application's own title keeps its trailing blank.
inline constexpr char kApplicationTitle[] = "Tarsel Series RER ";
// Per-user settings live under this key, followed by the software version.
inline constexpr char kSettingsKeyBase[] = "Software\\Kestravon\\Tarsel\\RER\\";
// The codeplug version this program writes, each part shown as two digits.
inline constexpr int kCodeplugVersionParts[] = {4, 6, 9};
// Name the editor gets after a pager has been read into it.
inline constexpr char kReadCodeplugName[] = "NONAME1";

// The caption when no codeplug is open: product, version, release date and
// the customer-version tag, joined exactly as the product has always shown it.
QString BaseTitle();
// "Version R04.06.09".
QString VersionText();
// The full settings key, e.g. Software\...\RER\V040609.
QString SettingsKey();
// "040609".
QString CodeplugVersionDigits();
// "Codeplug Version : R040609", the third status panel in the editor.
QString CodeplugVersionStatusText();

// Caption after a pager has been read into the editor.
QString CaptionForReadPager();
// Caption after a codeplug file has been loaded or saved (folder dropped).
QString CaptionForFile(const QString& path);

}  // namespace rer
