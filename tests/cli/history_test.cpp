// The pager history through rer-cli: reads and program attempts of the
// simulated pager inside the process each add their row, a sequential run
// adds one per pager under one run, a capcode search with --current names
// the pager that holds it now, --restore gives a codeplug back, and a
// database that cannot be used never stops a read.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "cli_runner.h"
#include "pager/codeplug_file.h"
#include "temp_path.h"

namespace rer::cli {
namespace {

using testing::RunCli;

std::string Temp(const std::string& name) {
  return rer::testing::TempPath("history_") + name;
}

std::string FreshDatabase(const std::string& name) {
  const std::string path = Temp(name);
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
  return path;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

QJsonArray History(const std::string& database, const std::string& options = "") {
  const auto result = RunCli("history --history " + database + " --format json " + options);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  return QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).array();
}

QJsonObject Settings(const std::string& file) {
  const auto result = RunCli("dump " + file);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  return QJsonDocument::fromJson(QByteArray::fromStdString(result.out))
      .object()
      .value("settings")
      .toObject();
}

std::string Value(const std::string& out, const std::string& key) {
  const auto at = out.find(key + " \"");
  if (at == std::string::npos) return {};
  const auto start = at + key.size() + 2;
  return out.substr(start, out.find('"', start) - start);
}

std::size_t Count(const std::string& text, const std::string& word) {
  std::size_t n = 0;
  for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
  return n;
}

// A codeplug read from the simulated pager, with a capcode of our own on
// address 1.
struct ReadAndEdited {
  std::string read;
  std::string edited;
  std::string serial;
};

ReadAndEdited ReadThenEdit(const std::string& name, const std::string& database,
                           const std::string& capcode) {
  ReadAndEdited made;
  made.read = Temp(name + "_read.cp");
  const auto read =
      RunCli("read --port sim --no-backup --history " + database + " -o " + made.read);
  EXPECT_EQ(read.exitCode, 0) << read.err;
  made.serial = Value(read.out, "serial");
  const std::string settings = Temp(name + "_edit.json");
  WriteAll(settings, "{\"ed_capcode1\": \"" + capcode + "\"}");
  made.edited = Temp(name + "_edited.cp");
  const auto apply = RunCli("apply " + made.read + " " + settings + " -o " + made.edited);
  EXPECT_EQ(apply.exitCode, 0) << apply.err;
  return made;
}

TEST(HistoryCommand, ReadAndProgramEachAddTheirRowAndRestoreGivesTheReadBack) {
  const std::string db = FreshDatabase("single.sqlite");
  const ReadAndEdited pager = ReadThenEdit("single", db, "1234567");
  ASSERT_FALSE(pager.serial.empty());
  const auto program = RunCli("program --port sim --history " + db + " " + pager.edited);
  ASSERT_EQ(program.exitCode, 0) << program.err;

  const QJsonArray rows = History(db);
  ASSERT_EQ(rows.size(), 2);
  const QJsonObject programmed = rows[0].toObject();  // newest first
  const QJsonObject read = rows[1].toObject();
  EXPECT_EQ(read.value("operation").toString(), "read");
  EXPECT_EQ(programmed.value("operation").toString(), "program");
  const QJsonObject readSettings = Settings(pager.read);
  const QJsonObject editedSettings = Settings(pager.edited);
  for (const auto& [row, settings] :
       {std::pair{read, readSettings}, std::pair{programmed, editedSettings}}) {
    EXPECT_EQ(row.value("serial").toString().toStdString(), pager.serial);
    EXPECT_EQ(row.value("result").toInt(), 1);
    EXPECT_EQ(row.value("port").toString(), "sim");
    EXPECT_EQ(row.value("icn").toString(), settings.value("ed_ICN").toString());
    const QJsonArray capcodes = row.value("capcodes").toArray();
    ASSERT_EQ(capcodes.size(), 16);
    for (int n = 1; n <= 16; ++n) {
      EXPECT_EQ(capcodes[n - 1].toString(),
                settings.value("ed_capcode" + QString::number(n)).toString())
          << n;
    }
  }
  EXPECT_EQ(programmed.value("capcodes").toArray()[0].toString(), "1234567");

  // The programmed capcode finds that pager.
  const QJsonArray found = History(db, "--capcode 1234567");
  ASSERT_EQ(found.size(), 1);
  EXPECT_EQ(found[0].toObject().value("serial").toString().toStdString(), pager.serial);
  const auto text = RunCli("history --history " + db + " --capcode 1234567");
  EXPECT_NE(text.out.find(pager.serial), std::string::npos) << text.out;

  // The read row gives back exactly the file the read wrote; the program
  // row keeps what the pager held before it was written over.
  const std::string back = Temp("single_back.cp");
  const auto restore = RunCli("history --history " + db + " --restore " +
                              std::to_string(read.value("id").toInteger()) + " -o " + back);
  ASSERT_EQ(restore.exitCode, 0) << restore.err;
  EXPECT_EQ(ReadAll(back), ReadAll(pager.read));
  const std::string before = Temp("single_before.cp");
  const auto previous =
      RunCli("history --history " + db + " --previous --restore " +
             std::to_string(programmed.value("id").toInteger()) + " -o " + before);
  ASSERT_EQ(previous.exitCode, 0) << previous.err;
  const auto readImage = ParseCodeplugFile(ReadAll(pager.read));
  const auto beforeImage = ParseCodeplugFile(ReadAll(before));
  ASSERT_TRUE(readImage && beforeImage);
  EXPECT_EQ(beforeImage->image, readImage->image);
  // A loaded restore is a codeplug like any other.
  EXPECT_EQ(Settings(back), readSettings);
}

TEST(HistoryCommand, ASequentialRunAddsOneRowPerPagerInOneRun) {
  const std::string db = FreshDatabase("run.sqlite");
  const ReadAndEdited pager = ReadThenEdit("run", db, "1100000");
  const auto run = RunCli("program --port sim --sequential 3 --no-wait --yes --history " + db +
                          " " + pager.edited);
  ASSERT_EQ(run.exitCode, 0) << run.err;

  const QJsonArray rows = History(db, "--serial " + pager.serial);
  ASSERT_EQ(rows.size(), 4);  // the read, then three program attempts
  std::vector<std::string> firstCapcodes;
  for (int i = 2; i >= 0; --i) {  // oldest first, as the run went
    const QJsonObject row = rows[i].toObject();
    EXPECT_EQ(row.value("operation").toString(), "program");
    EXPECT_EQ(row.value("run"), rows[0].toObject().value("run"));
    firstCapcodes.push_back(row.value("capcodes").toArray()[0].toString().toStdString());
  }
  EXPECT_NE(rows[3].toObject().value("run"), rows[0].toObject().value("run"));
  // Each row names the capcode that pager received, as the run printed it.
  for (const std::string& capcode : firstCapcodes) {
    EXPECT_NE(run.out.find("first capcode " + capcode + ", verified\n"), std::string::npos)
        << capcode;
  }
  EXPECT_NE(firstCapcodes[0], firstCapcodes[1]);
  EXPECT_NE(firstCapcodes[1], firstCapcodes[2]);

  // The one simulated pager was reprogrammed twice: it holds the last
  // capcode now, and no longer the first.
  EXPECT_EQ(History(db, "--capcode " + firstCapcodes[0]).size(), 1);
  EXPECT_EQ(History(db, "--current --capcode " + firstCapcodes[0]).size(), 0);
  const QJsonArray now = History(db, "--current --capcode " + firstCapcodes[2]);
  ASSERT_EQ(now.size(), 1);
  EXPECT_EQ(now[0].toObject().value("serial").toString().toStdString(), pager.serial);
}

TEST(HistoryCommand, AnUnusableDatabaseIsSaidOnceAndTheOperationsStillSucceed) {
  const std::string db = Temp("garbage.sqlite");
  WriteAll(db, std::string(8192, 'x'));
  const std::string out = Temp("garbage_read.cp");
  std::remove(out.c_str());
  const auto read = RunCli("read --port sim --no-backup --history " + db + " -o " + out);
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_TRUE(ParseCodeplugFile(ReadAll(out)).has_value());
  EXPECT_EQ(Count(read.err, "pager history not kept"), 1u) << read.err;
  EXPECT_NE(read.err.find(db), std::string::npos) << read.err;

  const auto run =
      RunCli("program --port sim --sequential 3 --no-wait --history " + db + " " + out);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Count(run.err, "pager history not kept"), 1u) << run.err;
  // Untouched: a damaged history is the technician's to look at, not ours to replace.
  EXPECT_EQ(ReadAll(db), std::string(8192, 'x'));

  const auto list = RunCli("history --history " + db);
  EXPECT_EQ(list.exitCode, 1);
  EXPECT_NE(list.err.find("cannot use"), std::string::npos) << list.err;
}

TEST(HistoryCommand, TheDefaultDatabaseIsInTheUserDataFolderUnlessTurnedOff) {
  const std::string home = rer::testing::TempPath("data-home");  // as RunCli sets it
  const std::string database = home + "/rer/pager-history.sqlite";
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((database + suffix).c_str());
  const std::string out = Temp("default_read.cp");
  ASSERT_EQ(RunCli("read --port sim --no-backup --no-history -o " + out).exitCode, 0);
  EXPECT_FALSE(Exists(database));
  ASSERT_EQ(RunCli("read --port sim --no-backup -o " + out).exitCode, 0);
  ASSERT_TRUE(Exists(database));
  EXPECT_EQ(RunCli("history --format csv").out.find(",read,sim,") != std::string::npos, true);
}

TEST(HistoryCommand, BadCommandLinesAreRefused) {
  const std::string db = FreshDatabase("usage.sqlite");
  for (const char* line :
       {"--format xml", "--restore 1", "--restore 0 -o x.cp", "--restore 1 -o x.cp --capcode 5",
        "-o x.cp", "--previous", "--since yesterday", "extra"}) {
    const auto result = RunCli(std::string("history --history ") + db + " " + line);
    EXPECT_EQ(result.exitCode, 2) << line;
  }
  // Nothing recorded yet: an empty list, and no database made for it.
  const auto none = RunCli("history --history " + db + " --format json");
  EXPECT_EQ(none.exitCode, 0) << none.err;
  EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(none.out)).array().size(), 0);
  EXPECT_FALSE(Exists(db));
  const auto missing = RunCli("history --history " + db + " --restore 99 -o " + Temp("x.cp"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("no row 99"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace rer::cli
