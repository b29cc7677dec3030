#pragma once
// The help document: an HTML page installed beside the program, opened with
// the system's viewer at its start page whatever field is active.

#include <QString>
#include <functional>

namespace rer {

// Where the document lies, relative to the program's folder.
inline constexpr char kHelpFileRelativePath[] = "help/index.html";

// The document beside the running program.
QString DefaultHelpFilePath();

// The message shown when the document is missing: the fixed text and the path.
QString HelpNotFoundText(const QString& path);

// Opens `path` with the system's viewer.
bool OpenWithSystemViewer(const QString& path);

}  // namespace rer
