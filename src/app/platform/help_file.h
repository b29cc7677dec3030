#pragma once
// The help document: an HTML page opened with the system's viewer at its
// start page whatever field is active. In the build folder it lies beside the
// program; an installed program finds it in the shared data folder
// (bin/rer and share/rer/help/index.html under one prefix).

#include <QString>
#include <QStringList>
#include <functional>

namespace rer {

// Where the document lies beside the program, relative to its folder.
inline constexpr char kHelpFileRelativePath[] = "help/index.html";

// The places the document may lie for a program in `programFolder`, in the
// order they are tried: beside the program, then the installed layout.
QStringList HelpFileCandidates(const QString& programFolder);

// The first candidate that exists; when none does, the installed layout's
// path, so that the message about the missing document names where an
// installation puts it.
QString FindHelpFile(const QString& programFolder);

// The document of the running program.
QString DefaultHelpFilePath();

// The message shown when the document is missing: the fixed text and the path.
QString HelpNotFoundText(const QString& path);

// The message shown when no viewer opened the document: its path and why.
QString HelpNoViewerText(const QString& path);

// Opens `path` with the system's viewer.
bool OpenWithSystemViewer(const QString& path);

}  // namespace rer
