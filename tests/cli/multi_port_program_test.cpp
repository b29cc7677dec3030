// rer-cli program with several --port options: simulated pagers inside the
// command (virtual time), the refusals, waiting for the next pager on
// standard input, a port that does not open, and one run in real time over
// two pseudo-terminals served by rer-cli sim.

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "background_sim.h"
#include "cli_runner.h"
#include "temp_path.h"

namespace rer::cli {
namespace {

using testing::BackgroundSim;
using testing::RunCli;

// Two simulated pagers inside the command; both hold the demonstration
// codeplug, whose first capcode is 0012345 and the block of address 1 three
// addresses long.
const std::string kTwoSims = "--port sim --port sim:0x84";

std::string Temp(const std::string& name) {
  return rer::testing::TempPath("multi_port_") + name;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// The demonstration codeplug, read from a simulated pager as a user would.
std::string DemoCodeplug() {
  const std::string file = Temp("demo.cp");
  const auto read = RunCli("read --port sim --no-backup -o " + file);
  EXPECT_EQ(read.exitCode, 0) << read.err;
  return file;
}

struct LogRow {
  std::string firstCapcode;
  std::string inventoryNumber;
  std::string result;
  std::string port;
};

// The rows of a log with a port column, after checking its header.
std::vector<LogRow> PortLogRows(const std::string& path) {
  const std::vector<std::string> lines = Lines(ReadAll(path));
  std::vector<LogRow> rows;
  if (lines.empty()) return rows;
  EXPECT_EQ(lines[0], "pager,serial number,first capcode,inventory number,result,time,port");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> fields;
    std::stringstream line(lines[i]);
    for (std::string field; std::getline(line, field, ',');) fields.push_back(field);
    EXPECT_EQ(fields.size(), 7u) << lines[i];
    if (fields.size() != 7) continue;
    EXPECT_EQ(fields[0], std::to_string(i));
    rows.push_back({fields[2], fields[3], fields[4], fields[6]});
  }
  return rows;
}

// The first capcodes of `count` pagers of the demonstration run, in order.
std::set<std::string> DemoCapcodes(int count) {
  std::set<std::string> capcodes;
  for (int i = 0; i < count; ++i) {
    const std::string digits = std::to_string(12345 + 3 * i);
    capcodes.insert(std::string(7 - digits.size(), '0') + digits);
  }
  return capcodes;
}

TEST(MultiPortProgram, TwoCradlesShareOneSequenceAndNameTheirPorts) {
  const std::string codeplug = DemoCodeplug();
  const std::string log = Temp("two.csv");
  std::remove(log.c_str());

  const auto run =
      RunCli("program " + kTwoSims + " " + codeplug + " --sequential 4 --no-wait --log " + log);

  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::vector<LogRow> rows = PortLogRows(log);
  ASSERT_EQ(rows.size(), 4u) << ReadAll(log);
  std::set<std::string> capcodes;
  std::set<std::string> inventory;
  std::map<std::string, int> perPort;
  for (const LogRow& row : rows) {
    EXPECT_EQ(row.result, "1");
    capcodes.insert(row.firstCapcode);
    inventory.insert(row.inventoryNumber);
    ++perPort[row.port];
  }
  EXPECT_EQ(capcodes, DemoCapcodes(4));
  EXPECT_EQ(inventory.size(), 4u);
  // Every line of a cradle names its port, and the summary counts per port.
  for (const std::string& line : Lines(run.out)) {
    if (line.find("programmed SIM") == std::string::npos) continue;
    EXPECT_TRUE(line.rfind("sim: ", 0) == 0 || line.rfind("sim:0x84: ", 0) == 0) << line;
  }
  for (const auto& [port, count] : perPort) {
    EXPECT_NE(run.out.find(port + ": " + std::to_string(count) + " programmed, 0 failed\n"),
              std::string::npos)
        << run.out;
  }
  EXPECT_NE(run.out.find("4 of 4 pagers programmed\n"), std::string::npos) << run.out;
}

TEST(MultiPortProgram, RefusedBeforeAnyPagerIsContacted) {
  const std::string codeplug = DemoCodeplug();
  // A log of one-port runs: rows with a port column do not belong under it.
  const std::string oldLog = Temp("old.csv");
  {
    std::ofstream(oldLog, std::ios::trunc)
        << "pager,serial number,first capcode,inventory number,result,time\n"
        << "1,SIM0000001,0012345,DEMO000001,1,2026-01-01 00:00:00\n";
  }
  const std::string before = ReadAll(oldLog);
  struct Refusal {
    std::string options;
    std::string message;
  };
  const Refusal refusals[] = {
      {kTwoSims, "several --port need --sequential N"},
      {"--port sim --port sim --sequential 2 --no-wait", "port sim is given twice"},
      {kTwoSims + " --sequential 2 --no-wait --log " + oldLog, "holds a log without a port column"},
  };
  for (const Refusal& refusal : refusals) {
    const auto run = RunCli("program " + refusal.options + " " + codeplug);
    EXPECT_EQ(run.exitCode, 2) << refusal.options;
    EXPECT_NE(run.err.find(refusal.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("programmed"), std::string::npos) << run.out;
  }
  EXPECT_EQ(ReadAll(oldLog), before);
}

TEST(MultiPortProgram, EachCradleWaitsForALineBeforeItsNextPager) {
  const std::string codeplug = DemoCodeplug();
  const std::string input = Temp("enter.txt");
  // One Enter: each cradle programs the pager it starts with, and the one
  // line lets the cradle that took the third pager's values program it.
  { std::ofstream(input, std::ios::trunc) << "\n"; }

  const auto once = RunCli("program " + kTwoSims + " " + codeplug + " --sequential 3 < " + input);
  EXPECT_EQ(once.exitCode, 0) << once.err;
  EXPECT_NE(once.out.find("3 of 3 pagers programmed\n"), std::string::npos) << once.out;
  EXPECT_NE(once.err.find(": put the next pager in the cradle and press Enter"), std::string::npos)
      << once.err;

  // No input at all: both cradles stop after their first pager and say so.
  const auto none = RunCli("program " + kTwoSims + " " + codeplug + " --sequential 4 < /dev/null");
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_NE(none.out.find("2 of 4 pagers programmed\n"), std::string::npos) << none.out;
  for (const std::string port : {"sim", "sim:0x84"}) {
    EXPECT_NE(none.err.find(port + ": program: standard input is closed; this cradle stops\n"),
              std::string::npos)
        << none.err;
    EXPECT_NE(none.out.find(port + ": 1 programmed, 0 failed, stopped\n"), std::string::npos)
        << none.out;
  }
}

TEST(MultiPortProgram, APortThatDoesNotOpenStopsOnlyItsCradle) {
  const std::string codeplug = DemoCodeplug();
  const std::string missing = Temp("no_such_port");
  std::remove(missing.c_str());
  // The simulated cradle programs in virtual time; one Enter lets it take a
  // second pager and no more, so the dead port's cradle surely gets values
  // of its own to fail with.
  const std::string input = Temp("enter_once.txt");
  { std::ofstream(input, std::ios::trunc) << "\n"; }

  const auto run = RunCli("program --port sim --port " + missing + " " + codeplug +
                          " --sequential 3 < " + input);

  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(missing + ": Can not open com port."), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("sim: 2 programmed, 0 failed, stopped\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(missing + ": 0 programmed, 1 failed, stopped: the port could not be "
                                   "opened\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("2 of 3 pagers programmed\n"), std::string::npos) << run.out;
}

// The protocol's pauses are real here: two pagers at once, about half a
// minute.
TEST(MultiPortProgram, RealTimeRunOverTwoPseudoTerminals) {
  const std::string codeplug = DemoCodeplug();
  const std::string first = Temp("pty1");
  const std::string second = Temp("pty2");
  BackgroundSim sim1({"sim", "--link", first});
  BackgroundSim sim2({"sim", "--link", second});
  ASSERT_TRUE(sim1.WaitForLink(first));
  ASSERT_TRUE(sim2.WaitForLink(second));
  const std::string log = Temp("pty.csv");
  std::remove(log.c_str());

  const auto run = RunCli("program --port " + first + " --port " + second + " " + codeplug +
                          " --sequential 2 --no-wait --log " + log);

  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::vector<LogRow> rows = PortLogRows(log);
  ASSERT_EQ(rows.size(), 2u) << ReadAll(log);
  // Both cradles had a pager from the start, so each programmed one.
  EXPECT_EQ((std::set<std::string>{rows[0].port, rows[1].port}),
            (std::set<std::string>{first, second}));
  EXPECT_EQ((std::set<std::string>{rows[0].firstCapcode, rows[1].firstCapcode}), DemoCapcodes(2));
}

}  // namespace
}  // namespace rer::cli

namespace rer::cli {
namespace {

// Every cradle of a run keeps what it does as a one-port run does: a backup
// of what each pager held, the read-back verify, and one history row per
// pager under the one run, naming its port.
TEST(MultiPortProgram, EachCradleBacksUpVerifiesAndRecordsIntoOneRun) {
  const std::string codeplug = DemoCodeplug();
  const std::string db = Temp("cradles.sqlite");
  const std::string backups = Temp("cradle_backups");
  std::remove(db.c_str());
  QDir(QString::fromStdString(backups)).removeRecursively();
  const auto run =
      RunCli("program " + kTwoSims + " " + codeplug + " --sequential 3 --no-wait --yes --history " +
             db + " --backup-dir " + backups);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  int verified = 0;
  int backedUp = 0;
  for (const std::string& line : Lines(run.out)) {
    if (line.find(", verified") != std::string::npos) ++verified;
    if (line.find(": backup \"") != std::string::npos) ++backedUp;
  }
  EXPECT_EQ(verified, 3) << run.out;
  // A pager is backed up when the sequence reads it before writing; the
  // simulated pager of a cradle stays the same pager, so a cradle may read it
  // only once.
  EXPECT_GE(backedUp, 1) << run.out;
  EXPECT_EQ(QDir(QString::fromStdString(backups)).entryList({"*.cp"}, QDir::Files).size(),
            backedUp);

  const auto listed = RunCli("history --history " + db + " --format json");
  ASSERT_EQ(listed.exitCode, 0) << listed.err;
  const QJsonArray rows = QJsonDocument::fromJson(QByteArray::fromStdString(listed.out)).array();
  ASSERT_EQ(rows.size(), 3);
  // In virtual time either cradle may be the quicker one to every pager.
  const std::set<std::string> cradles{"sim", "sim:0x84"};
  for (const auto& value : rows) {
    const QJsonObject row = value.toObject();
    EXPECT_EQ(row.value("operation").toString(), "program");
    EXPECT_EQ(row.value("run"), rows[0].toObject().value("run"));
    EXPECT_TRUE(cradles.contains(row.value("port").toString().toStdString()));
  }
}

}  // namespace
}  // namespace rer::cli
