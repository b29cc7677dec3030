// rer-cli apply: named settings onto a codeplug file, checked as Save as
// checks them.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include "blank_codeplug_file.h"
#include "temp_path.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <fstream>

#include "cli_runner.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "core/messages.h"
#include "pager/codeplug_file.h"

namespace rer::cli {
namespace {

using testing::RunCli;

std::string Temp(const std::string& name) {
  return rer::testing::TempPath("apply_") + name;
}

std::string BaseFile(std::uint8_t model) {
  return rer::testing::WriteBlankCodeplugFile(Temp("base.cp"), model);
}

std::string JsonFile(const std::string& name, const std::string& json) {
  const std::string path = Temp(name);
  std::ofstream(path) << json;
  return path;
}

QJsonObject DumpSettings(const std::string& path) {
  const auto result = RunCli("dump " + path);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  return QJsonDocument::fromJson(QByteArray::fromStdString(result.out))
      .object()
      .value("settings")
      .toObject();
}

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

// A frequency in its band and a valid first address, which every saved
// codeplug needs (the blank base holds neither).
constexpr const char* kInBand =
    R"("ed_frequency": "152.8400", "cb_freqBand": "VHF B Band", "ed_capcode1": "1234567")";

TEST(ApplyCommand, NamedSettingsReachTheSavedFile) {
  for (const std::uint8_t model : {0x84, 0x81}) {
    SCOPED_TRACE(int(model));
    const std::string out = Temp("applied.cp");
    std::remove(out.c_str());
    const auto settings = JsonFile("settings.json", std::string("{") + kInBand + R"(,
        "ed_ICN": "INV0000777", "cb_RF_Timing": 1, "cb_nwBand": "Narrow",
        "cb_vibrator": true})");
    const auto result = RunCli("apply " + BaseFile(model) + " " + settings + " -o " + out);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QJsonObject dumped = DumpSettings(out);
    EXPECT_EQ(dumped.value("ed_ICN").toString(), "INV0000777");
    EXPECT_EQ(dumped.value("ed_frequency").toString(), "152.8400");
    EXPECT_EQ(dumped.value("cb_freqBand").toString(), "VHF B Band");
    EXPECT_EQ(dumped.value("cb_RF_Timing").toString(), "25ms");
    EXPECT_EQ(dumped.value("cb_nwBand").toString(), "Narrow");
    EXPECT_TRUE(dumped.value("cb_vibrator").toBool());
  }
}

TEST(ApplyCommand, DumpOutputAppliesBackUnchanged) {
  const std::string first = Temp("first.cp");
  ASSERT_EQ(RunCli("apply " + BaseFile(0x84) + " " +
                   JsonFile("freq.json", std::string("{") + kInBand + "}") + " -o " + first)
                .exitCode,
            0);
  const auto dump = RunCli("dump " + first);
  ASSERT_EQ(dump.exitCode, 0);
  const std::string second = Temp("second.cp");
  const auto result =
      RunCli("apply " + first + " " + JsonFile("dump.json", dump.out) + " -o " + second);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(ReadTextFile(second) == ReadTextFile(first));
}

TEST(ApplyCommand, NamesThatAreNoValidTextReachTheirOwnFiles) {
  // Byte 0xFE is never part of valid UTF-8: a round trip through text would
  // turn it into another name.
  const std::string base = Temp("base_\xFE.cp");
  ASSERT_EQ(std::rename(BaseFile(0x84).c_str(), base.c_str()), 0);
  const std::string out = Temp("out_\xFE.cp");
  std::remove(out.c_str());
  const auto result =
      RunCli("apply '" + base + "' " + JsonFile("name.json", std::string("{") + kInBand + "}") +
             " -o '" + out + "'");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "wrote " + out + "\n");
  EXPECT_TRUE(Exists(out));
  EXPECT_EQ(DumpSettings("'" + out + "'").value("ed_capcode1").toString(), "1234567");
  std::remove(base.c_str());
  std::remove(out.c_str());
}

// A full disk: the existing output file on a 16 KB tmpfs has no room for the
// copy a safe write makes. Needs the right to mount.
TEST(ApplyCommand, FullDiskFailsAndLeavesTheExistingFile) {
  std::string dir = Temp("tmpfs_XXXXXX");
  if (!mkdtemp(dir.data())) GTEST_SKIP() << "no temporary folder";
  if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=16k") != 0) {
    rmdir(dir.c_str());
    GTEST_SKIP() << "cannot mount a tmpfs here";
  }
  const std::string out = dir + "/existing.cp";
  const std::string settings = JsonFile("disk.json", std::string("{") + kInBand + "}");
  ASSERT_EQ(RunCli("apply " + BaseFile(0x84) + " " + settings + " -o " + out).exitCode, 0);
  const auto before = ReadTextFile(out);
  const auto result = RunCli("apply " + out + " " +
                             JsonFile("disk2.json", R"({"ed_ICN": "INV0000001"})") + " -o " + out);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "apply: cannot write " + out +
                            ": No space left on device; the file there is unchanged\n");
  EXPECT_EQ(ReadTextFile(out), before);
  umount(dir.c_str());
  rmdir(dir.c_str());
}

// The Alert tab's rules run on each edit as in the window: an out-of-range
// time longer than the reacquisition time is told and corrected.
TEST(ApplyCommand, AnOutOfRangeTimeLongerThanTheReacquisitionIsCorrected) {
  const std::string out = Temp("alert.cp");
  std::remove(out.c_str());
  const auto settings = JsonFile("alert.json", R"([
      {"ed_frequency": "152.8400"}, {"cb_freqBand": "VHF B Band"}, {"ed_capcode1": "1234567"},
      {"cb_disableAllAlerts": false}, {"ed_missed_frame_count_min": "05"},
      {"ed_missed_frame_count_sec": "00"}, {"cb_oorTime": "8 min"}, {"cb_oorAlert": true}])");
  const auto result = RunCli("apply " + BaseFile(0x84) + " " + settings + " -o " + out);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const MessageBox box = ComposeError(-59);
  EXPECT_EQ(result.err, box.title + "\n" + box.text + "\n");
  const QJsonObject dumped = DumpSettings(out);
  EXPECT_EQ(dumped.value("cb_oorTime").toString(), "None");
  // Shown as decode writes them, in fields two wide.
  EXPECT_EQ(dumped.value("ed_missed_frame_count_min").toString().trimmed(), "40");
  EXPECT_EQ(dumped.value("ed_missed_frame_count_sec").toString().trimmed(), "0");
  // The alert needs an out-of-range time: ticking it afterwards does not hold.
  EXPECT_FALSE(dumped.value("cb_oorAlert").toBool());
}

TEST(ApplyCommand, AnyBadSettingIsNamedAndNothingIsWritten) {
  struct Case {
    std::string json;
    std::string expectedErr;
  };
  const Case cases[] = {
      {R"({"ed_noSuchControl": "x"})", "apply: unknown control ed_noSuchControl\n"},
      {R"({"cb_freqBand": "VHF Z Band"})", "apply: cb_freqBand has no item \"VHF Z Band\"\n"},
      {R"({"cb_freqBand": 7})", "apply: cb_freqBand has no item 7\n"},
      {R"({"cb_freqBand": 1.5})", "apply: cb_freqBand has no item 1.5\n"},
      {R"({"ed_ICN": "12345678901"})", "apply: ed_ICN is longer than 10 characters\n"},
      {R"({"ed_ICN": 5})", "apply: ed_ICN needs a text\n"},
      {R"({"cb_regularCannedMsg": "yes"})", "apply: cb_regularCannedMsg needs true or false\n"},
      {R"({"ed_frequency": "153.0000", "cb_freqBand": "VHF A Band", "ed_capcode1": "1234567"})",
       ComposeError(-116).title + "\n" + ComposeError(-116).text +
           "\napply: ed_frequency / cb_freqBand failed the check; nothing written\n"},
      {R"({"ed_frequency": "152.8400", "cb_freqBand": "VHF B Band", "ed_capcode1": "0000000"})",
       ComposeError(-27).title + "\n" + ComposeError(-27).text +
           "apply: ed_capcode1 failed the check; nothing written\n"},
      {"[1, 2]", ""},
      // What the window's key filters and length limits refuse, a script
      // cannot put in either.
      {R"({"ed_capcode1": "12AB567"})",
       "apply: ed_capcode1 does not take the character \"A\" (position 3)\n"},
      {R"({"ed_addr2_frame": "1x7"})",
       "apply: ed_addr2_frame does not take the character \"x\" (position 2)\n"},
      {R"({"ed_addr3_collapse": "-"})",
       "apply: ed_addr3_collapse does not take the character \"-\" (position 1)\n"},
      {R"({"ed_cpwFc_Pswd_Timeout_h": "1 "})",
       "apply: ed_cpwFc_Pswd_Timeout_h does not take the character \" \" (position 2)\n"},
      {R"({"ed_powerUpPrompt": "hello=+;"})",
       "apply: ed_powerUpPrompt does not take the character \"=\" (position 6)\n"},
      {R"({"ed_capcode2": "12345678"})", "apply: ed_capcode2 is longer than 7 characters\n"},
      {R"({"ed_ICN": "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"})",
       "apply: ed_ICN is longer than 10 characters\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    const std::string out = Temp("refused.cp");
    std::remove(out.c_str());
    const auto result =
        RunCli("apply " + BaseFile(0x84) + " " + JsonFile("bad.json", c.json) + " -o " + out);
    EXPECT_EQ(result.exitCode, 1);
    if (!c.expectedErr.empty()) {
      EXPECT_EQ(result.err, c.expectedErr);
    }
    EXPECT_FALSE(result.err.empty());
    EXPECT_FALSE(Exists(out));
  }
  EXPECT_EQ(RunCli("apply " + BaseFile(0x84) + " x.json").exitCode, 2);
}

}  // namespace
}  // namespace rer::cli
