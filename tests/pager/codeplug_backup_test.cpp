// Backups of pager reads: named from the serial and the time, never
// overwriting an earlier one, loadable as codeplug files.

#include "pager/codeplug_backup.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <QDir>
#include <fstream>

#include "pager/codeplug_file.h"

namespace rer {
namespace {

std::string TempFolder(const std::string& name) {
  const std::string path = rer::testing::TempPath("backup_") + name;
  QDir(QString::fromStdString(path)).removeRecursively();
  return path;
}

// A 4 KB family image (model 0x84), as the header below says.
std::array<std::uint8_t, 4096> SomeImage(std::uint8_t seed) {
  std::array<std::uint8_t, 4096> image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * seed);
  image[1] = 0x84;  // the model byte, by which a file's family is told
  return image;
}

TEST(CodeplugBackup, TwoBackupsInOneSecondGetTheirOwnNamesAndBothLoad) {
  const std::string folder = TempFolder("same_second") + "/made/on/demand";
  const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
  const auto first = SomeImage(3);
  const auto second = SomeImage(5);
  const CodeplugFileHeader header{0, true, 0x84};

  const auto a = WriteCodeplugBackup(folder, "SIM0000001", first, header, when);
  const auto b = WriteCodeplugBackup(folder, "SIM0000001", second, header, when);
  ASSERT_TRUE(a.written) << a.error;
  ASSERT_TRUE(b.written) << b.error;
  EXPECT_NE(a.path, b.path);
  EXPECT_EQ(QFileInfo(QString::fromStdString(a.path)).fileName().toStdString(),
            "SIM0000001_20260304-050607.cp");

  // Each file keeps its own image: the second did not overwrite the first.
  for (const auto& [path, image] : {std::pair{a.path, first}, std::pair{b.path, second}}) {
    const auto text = ReadTextFile(path);
    ASSERT_TRUE(text) << path;
    const auto parsed = ParseCodeplugFile(*text);
    ASSERT_TRUE(parsed) << path;
    ASSERT_EQ(parsed->length, image.size()) << path;
    EXPECT_EQ(parsed->image, image) << path;
  }
}

TEST(CodeplugBackup, AFolderThatCannotBeMadeIsReportedNotThrown) {
  // A plain file where the folder should be: no user, not even root, can make
  // a folder below it.
  const std::string blocker = TempFolder("blocker");
  std::ofstream(blocker) << "not a folder";
  const auto result = WriteCodeplugBackup(blocker + "/backups", "SIM0000001", SomeImage(1),
                                          {0, false, 0x84}, QDateTime::currentDateTime());
  EXPECT_FALSE(result.written);
  EXPECT_FALSE(result.error.empty());
  EXPECT_TRUE(result.path.empty());
  std::remove(blocker.c_str());
}

TEST(CodeplugBackup, TheSerialIsMadeSafeForAFileName) {
  const QDateTime when(QDate(2026, 12, 31), QTime(23, 59, 58));
  struct Case {
    const char* serial;
    const char* name;
  };
  const Case cases[] = {
      {"SIM0000001", "SIM0000001_20261231-235958"},
      {"AB12      ", "AB12_20261231-235958"},     // the pager's blank padding
      {"../x y\\z", "___x_y_z_20261231-235958"},  // no way out of the folder
      {"", "no-serial_20261231-235958"},
      {"          ", "no-serial_20261231-235958"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BackupBaseName(c.serial, when), c.name) << '"' << c.serial << '"';
  }
}

}  // namespace
}  // namespace rer
