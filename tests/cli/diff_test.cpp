// rer-cli diff: the settings in which two codeplug files differ, and the
// backups that rer-cli read keeps, which load and compare like any file.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include "temp_path.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <fstream>

#include "cli_runner.h"

namespace rer::cli {
namespace {

using testing::RunCli;

std::string Temp(const std::string& name) {
  return rer::testing::TempPath("diff_") + name;
}

// The demonstration codeplug of the simulated pager, read as a user reads it.
std::string ReadBase() {
  const std::string base = Temp("base.cp");
  const auto read = RunCli("read --port sim --no-backup -o " + base);
  EXPECT_EQ(read.exitCode, 0) << read.err;
  return base;
}

std::string Applied(const std::string& base, const std::string& name, const std::string& json) {
  const std::string settings = Temp(name + ".json");
  std::ofstream(settings) << json;
  const std::string out = Temp(name + ".cp");
  const auto apply = RunCli("apply " + base + " " + settings + " -o " + out);
  EXPECT_EQ(apply.exitCode, 0) << apply.err;
  return out;
}

QJsonArray DiffJson(const std::string& a, const std::string& b, int expectedExit) {
  const auto diff = RunCli("diff " + a + " " + b + " --format json");
  EXPECT_EQ(diff.exitCode, expectedExit) << diff.err;
  return QJsonDocument::fromJson(QByteArray::fromStdString(diff.out)).array();
}

TEST(DiffCommand, AFileAgainstItselfPrintsNothing) {
  const std::string base = ReadBase();
  for (const char* format : {"", " --format text", " --format json"}) {
    const auto diff = RunCli("diff " + base + " " + base + format);
    EXPECT_EQ(diff.exitCode, 0) << format << diff.err;
    EXPECT_EQ(diff.out, "") << format;
    EXPECT_EQ(diff.err, "") << format;
  }
}

TEST(DiffCommand, EachSingleChangeShowsUpAsExactlyThatSetting) {
  const std::string base = ReadBase();
  struct Case {
    const char* what;
    const char* control;
    const char* value;  // as JSON in the settings file
    const char* a;      // the values as the page shows them
    const char* b;
    // Settings the page rules change along with the control, put back so
    // that the control alone differs (a new capcode turns on its address's
    // Enable OTA).
    const char* putBack = "";
  };
  const Case cases[] = {
      {"a frequency", "ed_frequency", R"("152.5000")", "145.0000", "152.5000"},
      {"a capcode", "ed_capcode2", R"("0012347")", "0012346", "0012347",
       R"(, "cb_otaEnable_addr2": false)"},
      {"a list", "cb_RF_Timing", R"("25ms")", "70ms", "25ms"},
      {"a check box", "cb_allowOff", "true", "clear", "ticked"},
      {"a per-address option", "cb_priority_addr1", "true", "clear", "ticked"},
      {"a prompt", "ed_powerUpPrompt", R"("HELLO")", "KESTRAVON", "HELLO"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string changed = Applied(
        base, c.control, std::string("{\"") + c.control + "\": " + c.value + c.putBack + "}");
    const QJsonArray list = DiffJson(base, changed, 1);
    ASSERT_EQ(list.size(), 1) << QJsonDocument(list).toJson().toStdString();
    const QJsonObject only = list.at(0).toObject();
    EXPECT_EQ(only.value("control").toString().toStdString(), c.control);
    EXPECT_FALSE(only.value("label").toString().isEmpty());
    EXPECT_EQ(only.value("a").toString().toStdString(), c.a);
    EXPECT_EQ(only.value("b").toString().toStdString(), c.b);

    // The other way round swaps the values.
    const QJsonArray back = DiffJson(changed, base, 1);
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(back.at(0).toObject().value("a").toString().toStdString(), c.b);
  }
}

TEST(DiffCommand, TextListsTheSettingsInFieldOrder) {
  const std::string base = ReadBase();
  // Named out of field order; the capcode of address 1 is field 5, the
  // frequency field 4. The new capcode keeps its derived frame, and the
  // Enable OTA that the address rules turn on with it is put back.
  const std::string changed = Applied(
      base, "two",
      R"({"ed_capcode1": "0012350", "ed_frequency": "152.5000", "cb_otaEnable_addr1": false})");
  const auto diff = RunCli("diff " + base + " " + changed);
  EXPECT_EQ(diff.exitCode, 1) << diff.err;
  EXPECT_EQ(diff.out,
            "Frequency (MHz) [ed_frequency]: \"145.0000\" -> \"152.5000\"\n"
            "Decimal Address (address 1) [ed_capcode1]: \"0012345\" -> \"0012350\"\n");
}

TEST(DiffCommand, FilesThatCannotBeComparedExitTwo) {
  const std::string base = ReadBase();
  const std::string junk = Temp("junk.cp");
  std::ofstream(junk) << "not a codeplug\r\n";
  struct Case {
    std::string arguments;
  };
  const Case cases[] = {
      {base + " " + Temp("missing.cp")},
      {junk + " " + base},
      {base},
      {base + " " + base + " --format xml"},
      {base + " " + base + " --bogus"},
  };
  for (const Case& c : cases) {
    const auto diff = RunCli("diff " + c.arguments);
    EXPECT_EQ(diff.exitCode, 2) << c.arguments;
    EXPECT_EQ(diff.out, "") << c.arguments;
    EXPECT_FALSE(diff.err.empty()) << c.arguments;
  }
}

// ---- Backups of rer-cli read ----

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const QString& name : QDir(QString::fromStdString(folder)).entryList(QDir::Files)) {
    names.push_back(QDir(QString::fromStdString(folder)).filePath(name).toStdString());
  }
  return names;
}

TEST(ReadBackup, EveryReadKeepsItsOwnBackupThatLoads) {
  const std::string folder = Temp("backups");
  QDir(QString::fromStdString(folder)).removeRecursively();
  const std::string out = Temp("read.cp");
  // Two reads straight after each other, most often within one second.
  for (int i = 0; i < 2; ++i) {
    const auto read = RunCli("read --port sim --backup-dir " + folder + " -o " + out);
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_NE(read.out.find("backup \"" + folder + "/SIM0000001_"), std::string::npos) << read.out;
  }
  const auto backups = FilesIn(folder);
  ASSERT_EQ(backups.size(), 2u);
  for (const std::string& backup : backups) {
    // A backup loads like any codeplug file, and holds what was read.
    EXPECT_EQ(RunCli("dump " + backup).exitCode, 0) << backup;
    const auto diff = RunCli("diff " + backup + " " + out);
    EXPECT_EQ(diff.exitCode, 0) << backup << diff.out << diff.err;
  }
}

TEST(ReadBackup, AFailedBackupLeavesTheReadSuccessfulAndSaysSo) {
  // A plain file where the backups folder would have to be made.
  const std::string blocker = Temp("blocker");
  std::ofstream(blocker) << "x";
  const std::string out = Temp("kept.cp");
  std::remove(out.c_str());
  const auto read = RunCli("read --port sim --backup-dir " + blocker + "/backups -o " + out);
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_NE(read.err.find("backup failed"), std::string::npos) << read.err;
  EXPECT_EQ(read.out.find("backup \""), std::string::npos) << read.out;
  EXPECT_EQ(RunCli("dump " + out).exitCode, 0);
}

TEST(ReadBackup, NoBackupKeepsNone) {
  const std::string folder = Temp("unused_backups");
  QDir(QString::fromStdString(folder)).removeRecursively();
  const auto read =
      RunCli("read --port sim --no-backup --backup-dir " + folder + " -o " + Temp("nb.cp"));
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out.find("backup"), std::string::npos) << read.out;
  EXPECT_FALSE(QDir(QString::fromStdString(folder)).exists());
}

}  // namespace
}  // namespace rer::cli
