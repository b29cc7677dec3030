// The help document is found both beside the program (the build folder) and
// in the installed layout (bin/ and share/rer/help/ under one prefix).

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/platform/help_file.h"

namespace rer {
namespace {

void WriteFile(const QString& path) {
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<html></html>");
}

struct HelpLayoutCase {
  const char* name;
  bool beside;     // prefix/bin/help/index.html
  bool installed;  // prefix/share/rer/help/index.html
  const char* expected;
};

TEST(HelpFileTest, FoundBesideTheProgramOrInTheInstalledLayout) {
  const HelpLayoutCase cases[] = {
      {"build folder", true, false, "bin/help/index.html"},
      {"installed", false, true, "share/rer/help/index.html"},
      {"both: the one beside wins", true, true, "bin/help/index.html"},
      {"neither: the installed place is named", false, false, "share/rer/help/index.html"},
  };
  for (const HelpLayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath("bin"));
    if (c.beside) WriteFile(root.filePath("bin/help/index.html"));
    if (c.installed) WriteFile(root.filePath("share/rer/help/index.html"));
    EXPECT_EQ(FindHelpFile(root.filePath("bin")), root.filePath(c.expected));
  }
}

TEST(HelpFileTest, AFolderOfTheDocumentsNameIsNotTheDocument) {
  QTemporaryDir prefix;
  ASSERT_TRUE(prefix.isValid());
  const QDir root(prefix.path());
  ASSERT_TRUE(root.mkpath("bin/help/index.html"));
  WriteFile(root.filePath("share/rer/help/index.html"));
  EXPECT_EQ(FindHelpFile(root.filePath("bin")), root.filePath("share/rer/help/index.html"));
}

}  // namespace
}  // namespace rer
