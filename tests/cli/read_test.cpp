// rer-cli read: a simulated pager in the process (virtual time) and, end to
// end, a simulated pager served by rer-cli sim on a pseudo-terminal in real
// time, read into a file that rer-cli dump then shows.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "temp_path.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <fstream>
#include <thread>

#include "background_sim.h"
#include "cli_runner.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "core/messages.h"
#include "pager/codeplug_file.h"
#include "pager/password_scramble.h"

namespace rer::cli {
namespace {

using testing::BackgroundSim;
using testing::RunCli;

std::string Temp(const std::string& name) {
  return rer::testing::TempPath("read_") + name;
}

// A scenario file for a pager of `model` whose codeplug has this program's
// version, an inventory number, and optionally a local password.
std::string ScenarioFile(const std::string& name, std::uint8_t model, const std::string& extra,
                         const std::string& localPassword = "", std::uint8_t versionLow = 0x69) {
  CodeplugImage image;
  Layout layout;
  SelectLayout(layout, model);
  ImageFields fields(image, layout);
  fields.SetByte(Field::kModelByte, model);
  fields.SetByte(Field::kCodeplugVersion, 0x14, 0);
  fields.SetByte(Field::kCodeplugVersion, versionLow, 1);
  fields.SetText(Field::kInventoryNumber, "INV0000042");
  if (!localPassword.empty()) {
    fields.SetByte(Field::kOptionByte1, 0x04);
    fields.SetText(Field::kLocalPasswordText, ScramblePassword(localPassword + "       "));
  }
  std::string hex;
  const std::size_t length = CodeplugFileLength(model);
  for (std::size_t i = 0; i < length; ++i) {
    static const char* digits = "0123456789ABCDEF";
    hex += digits[image[i] >> 4];
    hex += digits[image[i] & 0xF];
  }
  const std::string path = Temp(name + ".json");
  std::ofstream(path) << R"({"modelCode": )" << int(model) << R"(, "image": ")" << hex << "\""
                      << extra << "}";
  return path;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

TEST(ReadCommand, SimulatedPagersAreReadIntoAFile) {
  struct Case {
    std::uint8_t model;
    const char* expectedOut;
  };
  const Case cases[] = {
      {0x84,
       "model 0x84\nfirmware \" R0501\"\nserial \"SIM0000001\"\nCodeplug Version : R040609\n"},
      {0x81,
       "model 0x81\nfirmware \" R0501\"\nserial \"SIM0000001\"\nCodeplug Version : R040609\n"},
  };
  for (const auto& c : cases) {
    const std::string out = Temp("pager.cp");
    std::remove(out.c_str());
    const auto result = RunCli("read --port sim --no-backup --scenario " +
                               ScenarioFile("good", c.model, "") + " -o " + out);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, c.expectedOut);
    const auto text = ReadTextFile(out);
    ASSERT_TRUE(text);
    const auto parsed = ParseCodeplugFile(*text);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->modelWord, c.model);
    EXPECT_EQ(parsed->length, CodeplugFileLength(c.model));
  }
}

MessageContext TriesLeft(int tries) {
  MessageContext context;
  context.attemptsLeft = tries;
  return context;
}

MessageContext Version(const std::string& digits) {
  MessageContext context;
  context.codeplugVersionText = digits;
  return context;
}

TEST(ReadCommand, FailuresPrintTheMessageAndWriteNothing) {
  struct Case {
    const char* name;
    std::string scenarioExtra;
    std::string localPassword;
    std::uint8_t versionLow;
    std::string options;
    std::string expectedErr;
  };
  const Case cases[] = {
      {"unprogrammed", R"(, "statusLetters": "U")", "", 0x69, "", ComposeError(-22).text},
      {"wrong pager password", R"(, "statusLetters": "Y", "password": "PAGER", "triesLeft": 2)", "",
       0x69, "--password GUESS", ComposeError(-1, TriesLeft(1)).text + "\n"},
      {"wrong local password", "", "ABC", 0x69, "--local-password GUESS", ComposeError(-8).text},
      {"local password not given", "", "ABC", 0x69, "",
       "read: the codeplug has a local password: give --local-password\n"},
      {"pager password not given", R"(, "statusLetters": "Y", "password": "PAGER", "triesLeft": 2)",
       "", 0x69, "",
       "read: the pager asks for its password: give --password (nothing was sent, no try "
       "used)\n"},
      {"newer codeplug", "", "", 0x6A, "", ComposeError(-93, Version("040610")).text + "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string out = Temp("failed.cp");
    std::remove(out.c_str());
    const std::string scenario =
        ScenarioFile("failing", 0x84, c.scenarioExtra, c.localPassword, c.versionLow);
    const auto result =
        RunCli("read --port sim --scenario " + scenario + " -o " + out + " " + c.options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, c.expectedErr);
    EXPECT_TRUE(result.out.empty());
    EXPECT_FALSE(FileExists(out));
  }
}

TEST(ReadCommand, PortThatWillNotOpenIsReportedOnceWithItsNameAndReason) {
  const std::string out = Temp("noport.cp");
  const auto result = RunCli("read --port /nonexistent/rer-port -o " + out);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err.rfind("Can not open com port.\nport /nonexistent/rer-port: ", 0), 0u)
      << result.err;
  EXPECT_EQ(result.err.find("Can not open", 1), std::string::npos) << result.err;
  EXPECT_FALSE(FileExists(out));
}

TEST(ReadCommand, LocalPasswordAndRetriesComeFromTheOptions) {
  const std::string out = Temp("local.cp");
  const auto result =
      RunCli("read --port sim --no-backup --scenario " + ScenarioFile("local", 0x84, "", "ABC") +
             " --local-password abc -o " + out);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(result.err.empty());

  // A silent pager: --retries 1 answers the first question Yes, the rest No.
  const auto silent =
      RunCli("read --port sim --scenario " + ScenarioFile("silent", 0x84, R"(, "noAnswer": true)") +
             " --retries 1 -o " + Temp("silent.cp"));
  EXPECT_EQ(silent.exitCode, 1);
  // Questions show their titles, which name them.
  const std::string dto01 = ComposeQuestion(-130).title;
  const std::string dto04 = ComposeQuestion(-133).title;
  EXPECT_NE(silent.err.find(dto04), std::string::npos) << silent.err;
  // Yes to DTO-01 gives five more attempts, then DTO-01 again, No, then DTO-04, No.
  std::size_t dto01Count = 0;
  for (std::size_t at = silent.err.find(dto01); at != std::string::npos;
       at = silent.err.find(dto01, at + 1)) {
    ++dto01Count;
  }
  EXPECT_EQ(dto01Count, 2u);

  EXPECT_EQ(RunCli("read --port sim").exitCode, 2);
  EXPECT_EQ(RunCli("read -o x.cp").exitCode, 2);
  EXPECT_EQ(RunCli("read --port sim:0x1ff -o x.cp").exitCode, 2);
}

TEST(ReadCommand, EndToEndOverAPseudoTerminalThenDump) {
  const std::string link = Temp("pty_link");
  BackgroundSim sim({"sim", "--link", link, "--scenario", ScenarioFile("pty", 0x84, "")});
  ASSERT_TRUE(sim.WaitForLink(link));
  const std::string out = Temp("pty.cp");
  const auto read = RunCli("read --port " + link + " --no-backup -o " + out);
  ASSERT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out,
            "model 0x84\nfirmware \" R0501\"\nserial \"SIM0000001\"\nCodeplug Version : R040609\n");

  const auto dump = RunCli("dump " + out + " --format json");
  ASSERT_EQ(dump.exitCode, 0) << dump.err;
  const auto json = QJsonDocument::fromJson(QByteArray::fromStdString(dump.out)).object();
  EXPECT_EQ(json.value("model").toString(), "0x84");
  EXPECT_EQ(json.value("version").toString(), "Codeplug Version : R040609");
  EXPECT_EQ(json.value("settings").toObject().value("ed_ICN").toString(), "INV0000042");
}

}  // namespace
}  // namespace rer::cli
