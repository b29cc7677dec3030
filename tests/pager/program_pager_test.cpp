#include "pager/program_pager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "codeplug/codeplug_image.h"
#include "codeplug/layout_table.h"
#include "core/result_codes.h"
#include "pager/read_pager.h"
#include "pager/version_rules.h"
#include "program_fixture.h"
#include "prompts/default_prompt_table.h"
#include "prompts/prompt_catalogue.h"
#include "sim/demo_codeplug.h"

namespace rer {
namespace {

using testing::PagerSpec;
using testing::ProgramFixture;

std::size_t PasswordAt(PagerFamily family, Field field) {
  return *Layout(family).Offset(field);
}

std::uint8_t ChecksumOf(const std::vector<std::uint8_t>& bytes, PagerFamily family) {
  CodeplugImage image;
  std::copy(bytes.begin(), bytes.end(), image.Bytes().begin());
  return *ComputeImageChecksum(image, Layout(family));
}

std::size_t ChecksumAt(PagerFamily family) {
  return *Layout(family).Offset(Field::kImageChecksum);
}

TEST(ProgramPager, Writes4KPagerWithItsOwnBytesAndSetsTheClock) {
  PagerSpec profile;  // 0x84, " R0501"
  profile.subModel = 0x1E;
  ProgramFixture f(profile);
  const std::vector<std::uint8_t> pagerBytes = f.pager.image();
  // The editor's own pager-specific block, which the pager's replaces.
  std::fill_n(f.session.image.Bytes().begin() + 0x0F00, 256, 0xEE);

  EXPECT_EQ(f.sequence.ProgramPager(), kSuccess);

  EXPECT_TRUE(f.ui.shown.empty()) << f.ui.Texts().front();
  const SimRecord& record = f.pager.record();
  ASSERT_EQ(record.writtenImage.size(), 4096u);
  EXPECT_EQ(record.writtenImage, f.EditorBytes(4096));
  EXPECT_TRUE(std::equal(pagerBytes.begin() + 0x0F00, pagerBytes.end(),
                         record.writtenImage.begin() + 0x0F00));
  EXPECT_EQ(record.writtenImage[0x029A], 0x95);  // 0x1E always means the new secure model
  EXPECT_EQ(record.writtenImage[0x0001], 0x84);
  EXPECT_EQ(record.writtenImage[ChecksumAt(PagerFamily::k4K)],
            ChecksumOf(record.writtenImage, PagerFamily::k4K));
  EXPECT_FALSE(record.clockPayload.empty());
  EXPECT_EQ(f.session.settings.Text("ed_serialNumber"), "SIM0000001");
  EXPECT_EQ(f.session.lastSerialNumber, "SIM0000001");
  EXPECT_FALSE(f.session.link.ExtendedReply);
}

TEST(ProgramPager, SubModelByteOfA4KPagerFollowsItsSeries) {
  struct Case {
    const char* serial;
    std::uint8_t pagerByte;
    std::uint8_t expected;
  };
  const Case cases[] = {
      {"ZVKHMOS003", 0x20, 0x95},
      {"WUJ4T00013", 0x20, 0x15},
      {"ABCDEFG123", 0x20, 0x20},
  };
  for (const Case& c : cases) {
    PagerSpec profile;
    profile.serial = c.serial;
    profile.subModel = c.pagerByte;
    ProgramFixture f(profile);
    ASSERT_EQ(f.sequence.ProgramPager(), kSuccess) << c.serial;
    EXPECT_EQ(f.pager.record().writtenImage[0x029A], c.expected) << c.serial;
  }
}

TEST(ProgramPager, Writes1KPagerWithModelSubModelAndCrossModelBits) {
  PagerSpec profile;
  profile.model = 0x81;
  profile.firmware = " R0402";
  profile.optionByte = 0xC0;
  ProgramFixture f(profile);

  EXPECT_EQ(f.sequence.ProgramPager(), kSuccess);

  EXPECT_TRUE(f.ui.shown.empty()) << f.ui.Texts().front();
  const SimRecord& record = f.pager.record();
  ASSERT_EQ(record.writtenImage.size(), 1024u);
  EXPECT_EQ(record.writtenImage, f.EditorBytes(1024));
  EXPECT_EQ(record.writtenImage[0x0001], 0x81);
  EXPECT_EQ(record.writtenImage[0x029A], 1);
  EXPECT_EQ(record.writtenImage[0x0012] & 0xC0, 0);  // codeplug 0x81 into pager 0x81: cleared
  EXPECT_EQ(record.writtenImage[ChecksumAt(PagerFamily::k1K)],
            ChecksumOf(record.writtenImage, PagerFamily::k1K));
  EXPECT_FALSE(record.clockPayload.empty());
}

TEST(ProgramPager, DuplicateCapcodesStopBeforeAnyByteIsSent) {
  ProgramFixture f(PagerSpec{});
  f.session.settings.SetText(AddressControl::Capcode, 5, "1000");  // same as 0001000

  EXPECT_EQ(f.sequence.ProgramPager(), -48);

  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].text, ComposeError(-48).text);
  EXPECT_TRUE(f.pager.record().wakeCodes.empty());
  EXPECT_TRUE(f.transport.openedBaudRates().empty());
}

TEST(ProgramPager, PagerOfAnotherHardwareClassIsRefusedWithRightPasswords) {
  PagerSpec profile;
  profile.bandByte = testing::kLowSideInjection | 0x80;
  profile.optionByte = 0x01;  // local password asked
  ProgramFixture f(profile);
  const std::size_t bandByte = SynthAreaOf(SynthFamily::k4K).bandByte;
  f.session.image[bandByte] = testing::kLowSideInjection;  // the codeplug's class is 0
  f.ui.passwords.push_back("RIGHT");

  EXPECT_EQ(f.sequence.ProgramPager(), kNotDone);

  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].text, ComposeError(kPagerNotSupported).text);
  EXPECT_TRUE(f.pager.record().writtenImage.empty());
  EXPECT_TRUE(f.ui.passwordAsks.empty());
}

TEST(ProgramPager, OldFirmwareIsRefusedInEachFamily) {
  struct Case {
    std::uint8_t model;
    const char* firmware;
    int result;
  };
  const Case cases[] = {
      {0x84, " R0406", kNotDone},  // a 4 KB pager needs R0407 or later
      {0x84, " R0409", kSuccess},
      {0x81, " R0406", kSuccess},  // the same firmware suits a 1 KB pager
      {0x81, " R0401", kNotDone},
      // The releases that want the receiver-on command twice carry none of
      // the firmware marks, so the firmware check refuses them first.
      {0x81, " R0100", kNotDone},
      {0x84, " R0101", kNotDone},
  };
  for (const Case& c : cases) {
    PagerSpec profile;
    profile.model = c.model;
    profile.firmware = c.firmware;
    ProgramFixture f(profile);
    EXPECT_EQ(f.sequence.ProgramPager(), c.result) << c.firmware;
    if (c.result == kNotDone) {
      ASSERT_EQ(f.ui.shown.size(), 1u) << c.firmware;
      EXPECT_EQ(f.ui.shown[0].text, ComposeError(kFirmwareTooOld).text);
      EXPECT_TRUE(f.pager.record().writtenImage.empty());
    } else {
      EXPECT_FALSE(f.pager.record().writtenImage.empty()) << c.firmware;
    }
  }
}

TEST(ProgramPager, WrongPasswordsStopBeforeTheWrite) {
  struct Case {
    const char* what;
    std::uint8_t optionByte;
    std::uint8_t featureByte;
    PasswordMode asked;
    int message;
  };
  const Case cases[] = {
      {"local", 0x01, 0x08, PasswordMode::PagerLocal, kWrongLocalPassword},
      {"secure", 0x00, 0x88, PasswordMode::Secure, kWrongSecurePassword},
      {"ota", 0x00, 0x00, PasswordMode::Ota, kWrongOtaPassword},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PagerSpec profile;
    profile.optionByte = c.optionByte;
    profile.featureByte = c.featureByte;
    SimScenario scenario = testing::ScenarioOf(profile);
    ProgramFixture f(profile);
    std::vector<std::uint8_t> image = testing::PagerImage(profile);
    for (Field field :
         {Field::kLocalPasswordText, Field::kSecurePasswordText, Field::kOtaPasswordText}) {
      ProgramFixture::StorePassword(image, PasswordAt(PagerFamily::k4K, field), "SECRET");
    }
    scenario.image = image;
    f.pager = SimPager(scenario);
    f.ui.passwords.push_back("GUESS");

    EXPECT_EQ(f.sequence.ProgramPager(), kNotDone);

    ASSERT_EQ(f.ui.passwordAsks.size(), 1u);
    EXPECT_EQ(f.ui.passwordAsks[0], c.asked);
    ASSERT_EQ(f.ui.shown.size(), 1u);
    EXPECT_EQ(f.ui.shown[0].title, ComposeError(c.message).title);
    EXPECT_TRUE(f.pager.record().writtenImage.empty());
  }
}

TEST(ProgramPager, RightPasswordsAreAskedOnceInARun) {
  PagerSpec profile;
  profile.featureByte = 0x80;  // secure password, OTA password
  SimScenario scenario = testing::ScenarioOf(profile);
  std::vector<std::uint8_t> image = testing::PagerImage(profile);
  ProgramFixture::StorePassword(image, PasswordAt(PagerFamily::k4K, Field::kSecurePasswordText),
                                "SECRET");
  ProgramFixture::StorePassword(image, PasswordAt(PagerFamily::k4K, Field::kOtaPasswordText),
                                "AIR");
  scenario.image = image;
  ProgramFixture f(profile);
  f.pager = SimPager(scenario);
  f.ui.passwords = {"SECRET", "AIR"};

  EXPECT_EQ(f.sequence.ProgramPager(), kSuccess);
  EXPECT_EQ(f.sequence.ProgramPager(), kSuccess);

  EXPECT_EQ(f.ui.passwordAsks,
            (std::vector<PasswordMode>{PasswordMode::Secure, PasswordMode::Ota}));
  EXPECT_TRUE(f.ui.shown.empty());
}

TEST(ProgramPager, OneKilobytePagerOn900MHzIsAskedItsSecurePasswordOnce) {
  constexpr int k900MHzBand = 6;
  PagerSpec profile;
  profile.model = 0x81;
  profile.firmware = " R0406";
  profile.optionByte = 0x02;  // secure password in use
  SimScenario scenario = testing::ScenarioOf(profile);
  std::vector<std::uint8_t> image = testing::PagerImage(profile);
  ProgramFixture::StorePassword(image, PasswordAt(PagerFamily::k1K, Field::kSecurePasswordText),
                                "SECRET");
  scenario.image = image;
  ProgramFixture f(profile);
  f.pager = SimPager(scenario);
  // "HI8107" on the 900 MHz band stores the words of the NPC5170 and says
  // so in the type byte; the same pager again is no reason to ask again.
  f.session.settings.SetText("ed_frequency", "929.0000");
  f.session.settings.SetItem("cb_freqBand", k900MHzBand);
  // The editor's codeplug keeps the same secure password in use.
  f.session.settings.SetChecked("cb_enableSecurePasswd", true);
  f.session.passwords.securePasswordKnown = PadRight("SECRET", 10);
  std::copy(image.begin(), image.end(), f.session.image.Bytes().begin());
  f.ui.passwords = {"SECRET", "SECRET"};

  EXPECT_EQ(f.sequence.ProgramPager(), kSuccess);
  EXPECT_EQ(f.sequence.ProgramPager(), kSuccess);

  EXPECT_EQ(f.ui.passwordAsks, std::vector<PasswordMode>{PasswordMode::Secure});
  EXPECT_TRUE(f.ui.shown.empty()) << f.ui.Texts().front();
}

TEST(ProgramPager, ChinesePromptsWithoutTheirRomBecomeEnglishAndTheRestStay) {
  PagerSpec profile;
  profile.model = 0x81;
  profile.firmware = " R0402";  // and no character ROM
  ProgramFixture f(profile);
  f.session.settings.promptLanguage = 15;  // traditional Chinese
  f.session.settings.ideoPrompts = true;
  f.session.settings.SetText("ed_powerUpPrompt", "XYZ");
  f.session.settings.SetText("ed_setOffDutyPrompt", "MY OWN TEXT");  // no 1 KB default

  EXPECT_EQ(f.sequence.ProgramPager(), kSuccess);

  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].text, ComposeError(-56).text);
  EXPECT_EQ(f.session.settings.promptLanguage, 0);
  PromptTexts english;
  ApplyLanguageDefaults(english, 0, false);
  const PromptInfo* powerUp = FindPromptByField("ed_powerUpPrompt");
  ASSERT_NE(powerUp, nullptr);
  EXPECT_EQ(f.session.settings.Text("ed_powerUpPrompt"),
            english[static_cast<std::size_t>(powerUp->extended)]);
  EXPECT_EQ(f.session.settings.Text("ed_setOffDutyPrompt"), "MY OWN TEXT");
}

TEST(ProgramPager, CannedRangeOutsideTheCharacterRomIsReplacedByThePagers) {
  constexpr std::size_t kCannedStartAt = 0x0228;
  struct Case {
    const char* what;
    bool regular;
    const char* start;
    const char* end;
    int ideoLevel;
    bool warned;
    std::array<std::uint8_t, 4> written;
    int ideoLevelAfter;
  };
  const Case cases[] = {
      {"empty range", true, "0", "0", 1, true, {0x78, 0x21, 0x7D, 0x47}, 2},
      {"range of the other ROM", true, "3321", "3f7e", 0, true, {0x78, 0x21, 0x7D, 0x47}, 0},
      {"valid range", true, "7900", "7a00", 1, false, {0x79, 0x00, 0x7A, 0x00}, 1},
      {"no regular canned messages", false, "0", "0", 1, false, {0, 0, 0, 0}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PagerSpec profile;
    SimScenario scenario = testing::ScenarioOf(profile);
    scenario.cgromFirst = 'P';  // the simplified Chinese character ROM
    scenario.cgromSecond = '1';
    ProgramFixture f(profile);
    f.pager = SimPager(scenario);
    f.session.settings.SetChecked("cb_regularCannedMsg", c.regular);
    f.session.settings.SetText("ed_startCannedMsg", c.start);
    f.session.settings.SetText("ed_endCannedMsg", c.end);
    f.session.settings.SetCheckState("cb_ideoNumericCanned", c.ideoLevel);

    ASSERT_EQ(f.sequence.ProgramPager(), kSuccess);

    ASSERT_EQ(f.ui.shown.size(), c.warned ? 1u : 0u);
    if (c.warned) {
      EXPECT_EQ(f.ui.shown[0].text, ComposeError(-77).text);
    }
    const std::vector<std::uint8_t>& written = f.pager.record().writtenImage;
    ASSERT_EQ(written.size(), 4096u);
    EXPECT_TRUE(std::equal(c.written.begin(), c.written.end(), written.begin() + kCannedStartAt));
    EXPECT_EQ(f.session.settings.CheckState("cb_ideoNumericCanned"), c.ideoLevelAfter);
  }
}

TEST(ProgramPager, FrequencyOutsideTheBandGivesOneMessage) {
  ProgramFixture f(PagerSpec{});
  f.session.settings.SetText("ed_frequency", "153.0000");

  EXPECT_EQ(f.sequence.ProgramPager(), kNotDone);

  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].text, ComposeError(-116).text);
  EXPECT_TRUE(f.pager.record().writtenImage.empty());
}

TEST(ProgramPager, RejectedChecksumIsReportedOnce) {
  PagerSpec profile;
  SimScenario scenario = testing::ScenarioOf(profile);
  scenario.rejectChecksum = true;
  ProgramFixture f(profile);
  f.pager = SimPager(scenario);

  EXPECT_EQ(f.sequence.ProgramPager(), kNotDone);

  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].text, ComposeError(kLinkBadChecksum).text);
  EXPECT_TRUE(f.pager.record().clockPayload.empty());
}

TEST(ProgramPager, PagerFallingSilentInTheReadIsNotWritten) {
  PagerSpec profile;
  SimScenario scenario = testing::ScenarioOf(profile);
  scenario.imageSilentFrom = 1000;
  ProgramFixture f(profile);
  f.pager = SimPager(scenario);
  f.ui.defaultAnswer = kResultNo;

  EXPECT_EQ(f.sequence.ProgramPager(), kNotDone);

  EXPECT_TRUE(f.pager.record().writtenImage.empty());
  ASSERT_FALSE(f.ui.shown.empty());
  // The last box is the program's own retry question; nothing claims success.
  EXPECT_EQ(f.ui.shown.back().text, ComposeQuestion(kQuestionRetryTransfer).text);
  EXPECT_FALSE(f.transport.IsOpen());
}

TEST(ProgramPager, AnotherPagerGetsTheServiceAdjustmentsOfTheCodeplug) {
  constexpr std::size_t kContrastAt = 0x023D;
  constexpr std::size_t kSecondAdjustAt = 0x023F;
  struct Case {
    const char* lastSerial;
    int contrast;
    int secondAdjust;
  };
  // The same pager keeps what was tuned in the editor; another pager gets
  // the values stored in the codeplug.
  for (const Case& c : {Case{"SIM0000001", 12, 0xFE}, Case{"SIM0000777", 5, 3}}) {
    SCOPED_TRACE(c.lastSerial);
    ProgramFixture f(PagerSpec{});
    f.session.image[kContrastAt] = 5;
    f.session.image[kSecondAdjustAt] = 3;
    f.session.settings.SetText("ed_displayContrast", "12");
    f.session.settings.clockSecondAdjust = -2;
    f.session.link.SerialNumber = c.lastSerial;  // the pager handled last

    ASSERT_EQ(f.sequence.ProgramPager(), kSuccess);

    const SimRecord& record = f.pager.record();
    ASSERT_EQ(record.writtenImage.size(), 4096u);
    EXPECT_EQ(record.writtenImage[kContrastAt], c.contrast);
    EXPECT_EQ(record.writtenImage[kSecondAdjustAt], c.secondAdjust);
  }
}

TEST(ProgramPager, ReadingBackShowsTheSettingsThatWereProgrammed) {
  PagerSpec profile;
  ProgramFixture f(profile);
  f.pager = SimPager(DemoScenario(profile.model));
  ASSERT_EQ(ReadPager(f.session, f.link, f.checks, f.ui), 1);
  f.session.settings.SetText("ed_frequency", "152.5000");
  f.session.settings.SetText(AddressControl::Capcode, 1, "1234567");
  f.session.settings.SetText(AddressControl::Capcode, 2, "1234568");
  f.session.settings.SetText("ed_ICN", "UNIT0099");
  f.session.settings.SetChecked("cb_keyChirp", true);
  const EditorSettings programmed = f.session.settings;

  ASSERT_EQ(f.sequence.ProgramPager(), kSuccess);
  PagerSession again;
  PagerLink link(f.transport, f.clock, f.ui, again.link, again.image.Bytes(),
                 again.pagerCopy.Bytes());
  PasswordChecks checks(again.passwords, f.ui, f.clock);
  ASSERT_EQ(ReadPager(again, link, checks, f.ui), 1);
  EXPECT_EQ(again.settings.Text("ed_frequency"), "152.5000");
  EXPECT_TRUE(again.settings.Checked("cb_keyChirp"));

  // The memory partition texts describe the pager's own memory, which the
  // program sequence takes from the pager rather than from the editor.
  // The register words shown beside the frequency are the stored ones: the
  // program sequence found new ones for the new frequency.
  const std::set<std::string> fromThePager = {"ed_persMaildropString", "ed_persMemSizeString",
                                              "edtN", "edtR"};
  const auto& entries = FieldCatalogue::Instance().Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (fromThePager.count(entries[i].name)) continue;
    SCOPED_TRACE(entries[i].name);
    const std::string expectedText =
        entries[i].name == "ed_ICN" ? "UNIT0099  " : programmed.ValueAt(i).text;
    EXPECT_EQ(again.settings.ValueAt(i).text, expectedText);
    EXPECT_EQ(again.settings.ValueAt(i).number, programmed.ValueAt(i).number);
  }
}

}  // namespace
}  // namespace rer
