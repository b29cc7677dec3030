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
#include <cctype>
#include <fstream>

#include "cli_runner.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/fill_pages_rules.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pager/codeplug_file.h"
#include "pager/codeplug_files.h"
#include "pager/password_scramble.h"
#include "pages/page_rules.h"
#include "pages/password_ota_page.h"

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

// A 4 KB codeplug of a pager with a Traditional Chinese ROM whose canned
// numerals are "Extended" (the bits 11), as a file.
std::string ExtendedCannedTraditionalFile() {
  CodeplugImage image;
  Layout layout;
  SelectLayout(layout, 0x84);
  ImageFields fields(image, layout);
  fields.SetByte(Field::kModelByte, 0x84);
  fields.SetByte(Field::kCodeplugVersion, 0x14, 0);
  fields.SetByte(Field::kCodeplugVersion, 0x69, 1);
  fields.SetByte(Field::kClockOptions, 0x18);
  const std::string path = Temp("extended.cp");
  std::ofstream(path, std::ios::binary) << FormatCodeplugFile(image.Bytes(), {1, true, 0x84});
  return path;
}

std::uint8_t ClockOptionsOf(const std::string& path) {
  const auto parsed = ParseCodeplugFile(ReadTextFile(path).value_or(""));
  if (!parsed) return 0xFF;
  Layout layout;
  SelectLayout(layout, 0x84);
  CodeplugImage image;
  std::copy_n(parsed->image.begin(), parsed->length, image.Bytes().begin());
  return ImageReader(image, layout).Byte(Field::kClockOptions);
}

TEST(ApplyCommand, TheFeaturesRulesActAsInTheWindow) {
  const std::string base = ExtendedCannedTraditionalFile();
  const std::string out = Temp("features.cp");
  std::remove(out.c_str());
  // A box given the state it shows keeps its level; the extended numerals
  // bring the Traditional ROM's whole range.
  const auto kept = RunCli(
      "apply " + base + " " +
      JsonFile("kept.json", std::string("{") + kInBand + R"(, "cb_ideoNumericCanned": true})") +
      " -o " + out);
  ASSERT_EQ(kept.exitCode, 0) << kept.err;
  EXPECT_EQ(ClockOptionsOf(out) & 0x18, 0x18);
  const QJsonObject dumped = DumpSettings(out);
  EXPECT_TRUE(dumped.value("cb_regularCannedMsg").toBool());
  EXPECT_EQ(dumped.value("ed_startCannedMsg").toString(), "3321");
  EXPECT_EQ(dumped.value("ed_endCannedMsg").toString(), "3F7E");

  // A contrast the display cannot take is told as the window tells it, when
  // typed and again by the check before saving, and nothing is written.
  std::remove(out.c_str());
  const auto refused =
      RunCli("apply " + base + " " +
             JsonFile("contrast.json",
                      R"([{"ed_frequency": "152.8400"}, {"cb_freqBand": "VHF B Band"},
                          {"ed_capcode1": "1234567"}, {"ed_displayContrast": "16"}])") +
             " -o " + out);
  const MessageBox box = ComposeError(-75);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err, box.title + "\n" + box.text + box.title + "\n" + box.text +
                             "apply: the page checks failed; nothing written\n");
  EXPECT_FALSE(Exists(out));
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
      {R"({"ed_startCannedMsg": "zz12"})",
       "apply: ed_startCannedMsg does not take the character \"z\" (position 1)\n"},
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

// The passwords and user password keys a script gives land in the file as
// the window's entries put them there: the same bytes as the dialog path
// (the change-password entry, the keypad and Save as, in one process).
TEST(ApplyCommand, PasswordSettingsGiveTheBytesOfTheDialogs) {
  const std::string start = Temp("start.cp");
  ASSERT_EQ(RunCli("apply " + BaseFile(0x84) + " " +
                   JsonFile("start.json",
                            std::string("{") + kInBand + R"(, "cb_rfProgrammingEnabled": false})") +
                   " -o " + start)
                .exitCode,
            0);
  struct Case {
    std::string json;
    Control box;  // ticked by the window before the password is asked; or the keys
    PasswordMode kind;
    std::string typed;
    Field field;
  };
  const Case cases[] = {
      {R"({"cb_enableSecurePasswd": true, "securePassword": "tech 7"})",
       Control::cb_enableSecurePasswd, PasswordMode::Secure, "tech 7", Field::kSecurePasswordText},
      {R"([{"localPassword": "L0CAL"}, {"cb_enableLocalPasswd": true}])",
       Control::cb_enableLocalPasswd, PasswordMode::Local, "L0CAL", Field::kLocalPasswordText},
      {R"({"otaPassword": "AIR", "cb_rfProgrammingEnabled": true})",
       Control::cb_rfProgrammingEnabled, PasswordMode::Ota, "AIR", Field::kOtaPasswordText},
      {R"({"ed_cpwFc_Password_LRUD": "UUDL"})", Control::ed_cpwFc_Password, PasswordMode::Ota,
       "2230", Field::kUserPasswordCode},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.json);
    const std::string viaApply = Temp("via_apply.cp");
    const auto result =
        RunCli("apply " + start + " " + JsonFile("pw.json", c.json) + " -o " + viaApply);
    ASSERT_EQ(result.exitCode, 0) << result.err;

    // The window's way: tick the box and answer its entry, or save keys on the keypad.
    PagerSession session;
    ScriptedUserInterface ui;
    ASSERT_EQ(LoadCodeplugFile(session, start, ui), kSuccess);
    ApplyFillPagesRules(session.settings, session.link.CgromType);
    PageEnvironment environment = PageEnvironmentFor(session.link.ModelCode, session.link.CgromType,
                                                     ImageReader(session.image, session.layout));
    environment.passwords = &session.passwords;
    PageRules pages(session.settings, ui, environment);
    if (c.box == Control::ed_cpwFc_Password) {
      ui.userPasswordKeys = {c.typed};
      ASSERT_EQ(
          dynamic_cast<PasswordOtaPage*>(pages.HandlerOf(kPagePasswordOta))->SetUserPassword(),
          kSuccess);
    } else {
      ui.newPasswords = {UserInterface::NewPassword{c.typed, c.typed}};
      session.settings.SetChecked(c.box, true);
      pages.Store(kPagePasswordOta, FieldCatalogue::Instance().Entry(c.box).fieldNumber);
      ASSERT_EQ(ui.passwordAsks, std::vector<PasswordMode>{c.kind});
    }
    ASSERT_EQ(RunEditorPageCheck(pages, kPageGeneral, kNoFieldNumber), kSuccess);
    const std::string viaDialog = Temp("via_dialog.cp");
    ASSERT_TRUE(SaveCodeplugFile(session, viaDialog, ui));
    EXPECT_TRUE(ReadTextFile(viaApply) == ReadTextFile(viaDialog));

    // And the field holds what was typed, not what the base held.
    PagerSession saved;
    ASSERT_EQ(LoadCodeplugFile(saved, viaApply, ui), kSuccess);
    const ImageReader image(saved.image, saved.layout);
    if (c.field == Field::kUserPasswordCode) {
      EXPECT_EQ(saved.settings.Text(Control::ed_cpwFc_Password), "2230");
      EXPECT_EQ(image.Value(c.field), 0xAC);
    } else {
      std::string stored;
      for (std::size_t i = 0; i < 10; ++i) stored += static_cast<char>(image.Byte(c.field, i));
      std::string padded = c.typed;
      for (char& ch : padded) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      padded.resize(10, ' ');
      EXPECT_EQ(UnscramblePassword(stored), padded);
    }
  }
}

TEST(ApplyCommand, PasswordSettingsAreRefusedAsTheEntriesRefuseThem) {
  struct Case {
    std::string json;
    std::string expectedErr;
  };
  const Case cases[] = {
      // The window would have asked for the password; a script must give it first.
      {R"([{"cb_enableSecurePasswd": true}, {"securePassword": "X"}])",
       "apply: cb_enableSecurePasswd asks for a new password; give securePassword before it\n"},
      {R"({"otaPassword": "ELEVEN CHRS"})",
       "apply: otaPassword needs at most 10 characters of A-Z, 0-9 and blank\n"},
      {R"({"localPassword": "a-b"})",
       "apply: localPassword needs at most 10 characters of A-Z, 0-9 and blank\n"},
      {R"({"securePassword": 7})", "apply: securePassword needs a text\n"},
      {R"({"ed_cpwFc_Password": "2"})", ComposeError(-126).title + "\n" + ComposeError(-126).text +
                                            "\napply: ed_cpwFc_Password needs 2 to 8 keys\n"},
      {R"({"ed_cpwFc_Password": "24"})",
       "apply: ed_cpwFc_Password does not take the character \"4\" (position 2)\n"},
      {R"({"ed_cpwFc_Password": "012301230"})",
       "apply: ed_cpwFc_Password is longer than 8 characters\n"},
      {R"({"ed_cpwFc_Password_LRUD": "LRX"})",
       "apply: ed_cpwFc_Password_LRUD takes only the keys L, R, U and D\n"},
      {R"({"ed_cpwFc_Password_LRUD": "LLLLLLLLL"})",
       "apply: ed_cpwFc_Password_LRUD has more than 8 keys\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    const std::string out = Temp("refused.cp");
    std::remove(out.c_str());
    const auto result =
        RunCli("apply " + BaseFile(0x84) + " " + JsonFile("bad.json", c.json) + " -o " + out);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, c.expectedErr);
    EXPECT_FALSE(Exists(out));
  }
}

}  // namespace
}  // namespace rer::cli
