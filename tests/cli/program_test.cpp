// rer-cli program against a simulated pager inside the process (virtual
// time): one pager, a sequential run with its log, and the refusals; and one
// sequential run in real time against rer-cli sim on a pseudo-terminal.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "temp_path.h"

#include <QDir>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "background_sim.h"
#include "cli_runner.h"
#include "codeplug/address_codec.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "codeplug/pager_family.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "pager/codeplug_file.h"
#include "pager/password_scramble.h"

namespace rer::cli {
namespace {

using testing::BackgroundSim;
using testing::RunCli;

constexpr std::size_t kOtaPasswordAt = 0x008;
constexpr std::size_t kPasswordLength = 10;
constexpr std::size_t kFeatureByte = 0x032;
constexpr std::uint8_t kOtaPasswordOff = 0x08;

std::string Temp(const std::string& name) {
  return rer::testing::TempPath("program_") + name;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::trunc) << text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// A codeplug file made as a user makes one: read from a pager, then edited.
struct Codeplug {
  std::string file;
  std::string scenario;     // a pager that holds the same codeplug
  std::string otaPassword;  // the OTA password it stores, as typed
};

// `scenarioExtra` adds keys to the simulated pager's scenario; `otaAsked`
// leaves the pager asking for its OTA password.
Codeplug MakeCodeplug(const std::string& name, const std::string& settingsJson,
                      const std::string& scenarioExtra = "", bool otaAsked = false) {
  Codeplug made;
  const std::string base = Temp(name + "_base.cp");
  const auto read = RunCli("read --port sim --no-backup -o " + base);
  EXPECT_EQ(read.exitCode, 0) << read.err;
  const std::string settings = Temp(name + "_settings.json");
  WriteAll(settings, settingsJson);
  made.file = Temp(name + ".cp");
  const auto apply = RunCli("apply " + base + " " + settings + " -o " + made.file);
  EXPECT_EQ(apply.exitCode, 0) << apply.err;

  const auto parsed = ParseCodeplugFile(ReadAll(made.file));
  EXPECT_TRUE(parsed.has_value());
  if (!parsed) return made;
  std::array<std::uint8_t, 4096> image = parsed->image;
  // The pager in the cradle asks no OTA password unless told to.
  image[kFeatureByte] =
      otaAsked ? image[kFeatureByte] & ~kOtaPasswordOff : image[kFeatureByte] | kOtaPasswordOff;
  made.otaPassword = UnscramblePassword(std::string_view(
      reinterpret_cast<const char*>(image.data() + kOtaPasswordAt), kPasswordLength));
  std::string hex;
  static const char* digits = "0123456789abcdef";
  for (std::size_t i = 0; i < parsed->length; ++i) {
    hex += digits[image[i] >> 4];
    hex += digits[image[i] & 0xF];
  }
  made.scenario = Temp(name + "_scenario.json");
  WriteAll(made.scenario,
           "{\"modelCode\": \"0x84\", \"image\": \"" + hex + "\"" + scenarioExtra + "}");
  return made;
}

// A copy of `codeplug` whose address 3 holds the capcode of address 1: the
// editor refuses to make such a file, but one may still arrive.
std::string WithAddressThreeLikeOne(const Codeplug& codeplug, const std::string& name) {
  const auto parsed = ParseCodeplugFile(ReadAll(codeplug.file));
  EXPECT_TRUE(parsed.has_value());
  if (!parsed) return {};
  CodeplugImage image;
  std::copy(parsed->image.begin(), parsed->image.end(), image.Bytes().begin());
  Layout layout;
  SelectLayout(layout, static_cast<std::uint8_t>(parsed->modelWord));
  ImageFields fields(image, layout);
  WriteAddressSlot(fields, 3, ReadAddressSlot(fields, 1));
  WriteImageChecksum(image, layout);
  const std::string path = Temp(name + ".cp");
  WriteAll(path, FormatCodeplugFile(std::span(image.Bytes()).first(parsed->length),
                                    {parsed->cgromType, parsed->largeMemory,
                                     static_cast<std::uint8_t>(parsed->modelWord)}));
  return path;
}

const char* kThreeAddresses =
    R"({"ed_capcode1": "0001000", "ed_capcode2": "0001001", "ed_capcode3": "0001002",
        "ed_ICN": "UNIT0099", "ed_frequency": "145.0000", "cb_freqBand": 1})";

TEST(ProgramCommand, SequentialRunAdvancesAddressesAndInventoryNumber) {
  const Codeplug codeplug = MakeCodeplug("seq", kThreeAddresses);
  const std::string log = Temp("seq_log.csv");
  std::remove(log.c_str());

  const auto run = RunCli("program --port sim " + codeplug.file + " --scenario " +
                          codeplug.scenario + " --sequential 3 --no-wait --log " + log +
                          " --ota-password '" + codeplug.otaPassword + "'");

  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("3 of 3 pagers programmed"), std::string::npos) << run.out;
  const std::vector<std::string> lines = Lines(ReadAll(log));
  ASSERT_EQ(lines.size(), 4u) << ReadAll(log);
  EXPECT_EQ(lines[0], "pager,serial number,first capcode,inventory number,result,time");
  const char* expected[] = {
      "1,SIM0000001,0001000,UNIT0099  ,1,",
      "2,SIM0000001,0001003,UNIT0100,1,",
      "3,SIM0000001,0001006,UNIT0101,1,",
  };
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string& line = lines[i + 1];
    const std::size_t beforeTime = line.rfind(',');
    ASSERT_NE(beforeTime, std::string::npos);
    EXPECT_EQ(line.substr(0, beforeTime + 1), expected[i]);
  }
}

TEST(ProgramCommand, SequentialRunWithStandardInputClosedSaysWhyItStopped) {
  const Codeplug codeplug = MakeCodeplug("seq_stdin", kThreeAddresses);
  const auto run =
      RunCli("program --port sim " + codeplug.file + " --scenario " + codeplug.scenario +
             " --sequential 2 --ota-password '" + codeplug.otaPassword + "' < /dev/null");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("program: standard input is closed; run stopped before pager 2 "
                         "(--no-wait goes on without asking)\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("1 of 2 pagers programmed"), std::string::npos) << run.out;
}

TEST(ProgramCommand, FailuresAfterTheImageWentOutOrForAMissingOptionSayWhatToDo) {
  // The checksum's echo is lost on every try: the image went out whole.
  const Codeplug lost =
      MakeCodeplug("lost_echo", kThreeAddresses, R"(, "loseWriteChecksumEcho": true)");
  const auto run = RunCli("program --port sim " + lost.file + " --scenario " + lost.scenario);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("program: the pager may hold the new codeplug: read it to check\n"),
            std::string::npos)
      << run.err;

  // A pager that asks for its OTA password, and none was given.
  const Codeplug ota = MakeCodeplug("ota_asked", kThreeAddresses, "", true);
  const auto noOta = RunCli("program --port sim " + ota.file + " --scenario " + ota.scenario);
  EXPECT_EQ(noOta.exitCode, 1);
  EXPECT_NE(noOta.err.find(ComposeError(-91).text + "\n" +
                           "program: no password was given for it: give --ota-password\n"),
            std::string::npos)
      << noOta.err;
  EXPECT_EQ(noOta.err.find("may hold"), std::string::npos) << noOta.err;
}

TEST(ProgramCommand, SequentialRunThatWouldRepeatAnAddressGoesOnOnlyOnYes) {
  // Address 3 lies outside the block of address 1, so it moves by one while
  // the block moves by two: some pager of a long run gets an address twice.
  const char* settings = R"({"ed_capcode1": "0001000", "ed_capcode2": "0001001",
                             "ed_capcode3": "0005000", "ed_frequency": "145.0000",
                             "cb_freqBand": 1})";
  const Codeplug codeplug = MakeCodeplug("seq_apart", settings);
  const std::string common = "program --port sim " + codeplug.file + " --scenario " +
                             codeplug.scenario + " --sequential 2 --no-wait --ota-password '" +
                             codeplug.otaPassword + "'";

  const auto no = RunCli(common + " --no");
  EXPECT_EQ(no.exitCode, 1);
  EXPECT_NE(no.err.find("selected addresses will cause duplicate addresses"), std::string::npos)
      << no.err;
  EXPECT_NE(no.out.find("0 of 2 pagers programmed"), std::string::npos) << no.out;

  const auto yes = RunCli(common + " --yes");
  EXPECT_EQ(yes.exitCode, 0) << yes.err;
  EXPECT_NE(yes.out.find("2 of 2 pagers programmed"), std::string::npos) << yes.out;
}

TEST(ProgramCommand, RefusalsExitNonZeroWithTheSystemsMessage) {
  const Codeplug codeplug = MakeCodeplug("refuse", kThreeAddresses);
  const std::string common = "program --port sim " + codeplug.file + " --scenario " +
                             codeplug.scenario + " --ota-password '" + codeplug.otaPassword + "'";

  // A pager that never answers is named as such.
  const std::string silent = Temp("silent.json");
  WriteAll(silent, R"({"modelCode": "0x84", "noAnswer": true})");
  const auto mute = RunCli("program --port sim " + codeplug.file + " --scenario " + silent);
  EXPECT_EQ(mute.exitCode, 1);
  EXPECT_NE(mute.err.find("Pager is not responding."), std::string::npos) << mute.err;

  // Duplicate capcodes are refused before anything is sent.
  const auto dup = RunCli("program --port sim " + WithAddressThreeLikeOne(codeplug, "dup") +
                          " --scenario " + codeplug.scenario);
  EXPECT_EQ(dup.exitCode, 1);
  EXPECT_NE(dup.err.find("ERROR: Duplicate codes exist."), std::string::npos) << dup.err;
  EXPECT_NE(dup.out.find("0 of 1 pagers programmed"), std::string::npos);

  EXPECT_EQ(RunCli(common).exitCode, 0);
  EXPECT_EQ(RunCli("program " + codeplug.file).exitCode, 2);
  EXPECT_EQ(RunCli(common + " --sequential 0").exitCode, 2);
  EXPECT_EQ(RunCli(common + " --yes --no").exitCode, 2);
  EXPECT_EQ(RunCli("program --port sim " + Temp("missing.cp")).exitCode, 1);
}

// ---- What programming keeps and checks ----

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  const QDir dir(QString::fromStdString(folder));
  for (const QString& name : dir.entryList(QDir::Files)) {
    names.push_back(dir.filePath(name).toStdString());
  }
  return names;
}

// The image a scenario file gives its pager, as hexadecimal text.
std::string ScenarioImageHex(const std::string& scenario) {
  const std::string text = ReadAll(scenario);
  const std::size_t start = text.find("\"image\": \"") + 10;
  return text.substr(start, text.find('"', start) - start);
}

std::string HexOf(const ParsedCodeplugFile& file) {
  std::string hex;
  static const char* digits = "0123456789abcdef";
  for (std::size_t i = 0; i < file.length; ++i) {
    hex += digits[file.image[i] >> 4];
    hex += digits[file.image[i] & 0xF];
  }
  return hex;
}

TEST(ProgramCommand, KeepsWhatThePagerHeldBeforeAndSaysThePagerWasVerified) {
  const Codeplug codeplug = MakeCodeplug("safe", kThreeAddresses);
  const std::string folder = Temp("safe_backups");
  QDir(QString::fromStdString(folder)).removeRecursively();

  const auto run =
      RunCli("program --port sim " + codeplug.file + " --scenario " + codeplug.scenario +
             " --ota-password '" + codeplug.otaPassword + "' --backup-dir " + folder);

  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("first capcode 0001000, verified\n"), std::string::npos) << run.out;
  const auto backups = FilesIn(folder);
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_NE(run.out.find("backup \"" + backups.front() + "\""), std::string::npos) << run.out;
  const auto backup = ParseCodeplugFile(ReadAll(backups.front()));
  ASSERT_TRUE(backup.has_value());
  EXPECT_EQ(HexOf(*backup), ScenarioImageHex(codeplug.scenario));
  QDir(QString::fromStdString(folder)).removeRecursively();
}

TEST(ProgramCommand, PagerThatStoresAByteWrongFailsVerifyUnlessVerifyIsOff) {
  Layout layout(PagerFamily::k4K);
  const std::size_t inventory = *layout.Offset(Field::kInventoryNumber);
  const Codeplug codeplug = MakeCodeplug("faulty", kThreeAddresses,
                                         ", \"storeWrongByteAt\": " + std::to_string(inventory));
  const std::string log = Temp("faulty_log.csv");
  std::remove(log.c_str());
  const std::string common = "program --port sim " + codeplug.file + " --scenario " +
                             codeplug.scenario + " --ota-password '" + codeplug.otaPassword +
                             "' --no-backup";

  const auto run = RunCli(common + " --sequential 2 --no-wait --log " + log);

  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(ComposeError(kVerifyMismatch).text), std::string::npos) << run.err;
  char offset[16];
  std::snprintf(offset, sizeof offset, "offset 0x%04zX, ", inventory);
  EXPECT_NE(run.err.find(offset), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("(ed_ICN)"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("0 of 2 pagers programmed"), std::string::npos) << run.out;
  const std::vector<std::string> lines = Lines(ReadAll(log));
  ASSERT_EQ(lines.size(), 2u) << ReadAll(log);
  EXPECT_EQ(lines[1].rfind("1,SIM0000001,0001000,UNIT0099  ,-160,", 0), 0u) << lines[1];

  const auto unverified = RunCli(common + " --no-verify");
  EXPECT_EQ(unverified.exitCode, 0) << unverified.err;
  EXPECT_NE(unverified.out.find(", not verified\n"), std::string::npos) << unverified.out;
}

// The protocol's pauses are real here: about half a minute per pager.
TEST(ProgramCommand, RealTimeSequentialRunOverAPseudoTerminal) {
  const Codeplug codeplug = MakeCodeplug("pty", kThreeAddresses);
  const std::string link = Temp("pty_link");
  BackgroundSim sim({"sim", "--link", link, "--scenario", codeplug.scenario});
  ASSERT_TRUE(sim.WaitForLink(link));
  const std::string log = Temp("pty_log.csv");
  std::remove(log.c_str());

  const auto run =
      RunCli("program --port " + link + " " + codeplug.file + " --sequential 3 --no-wait --log " +
             log + " --ota-password '" + codeplug.otaPassword + "'");

  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(ReadAll(log));
  ASSERT_EQ(lines.size(), 4u) << ReadAll(log);
  EXPECT_NE(lines[3].find("3,SIM0000001,0001006,UNIT0101,1,"), std::string::npos) << lines[3];
}

}  // namespace
}  // namespace rer::cli
