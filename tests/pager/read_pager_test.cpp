// Read Pager against the simulated pager, in virtual time.

#include "pager/read_pager.h"

#include <gtest/gtest.h>

#include <memory>

#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "comm/virtual_clock.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pager/link_header.h"
#include "pager/password_scramble.h"
#include "pager/version_rules.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"

namespace rer {
namespace {

// A codeplug for the simulated pager: model byte, version bytes, option
// byte 1, status byte and a scrambled local password.
struct ImageSpec {
  std::uint8_t model = 0x84;
  std::uint8_t versionHigh = 0x14;  // R 4.
  std::uint8_t versionLow = 0x69;   // 6.9
  std::uint8_t option1 = 0;
  std::uint8_t status = 0;
  std::string localPassword = "ABC";
};

std::vector<std::uint8_t> MakeImage(const ImageSpec& profile) {
  CodeplugImage image;
  Layout layout;
  SelectLayout(layout, profile.model);
  ImageFields fields(image, layout);
  fields.SetByte(Field::kModelByte, profile.model);
  fields.SetByte(Field::kCodeplugVersion, profile.versionHigh, 0);
  fields.SetByte(Field::kCodeplugVersion, profile.versionLow, 1);
  fields.SetByte(Field::kOptionByte1, profile.option1);
  fields.SetByte(Field::kStatusByte, profile.status);
  fields.SetText(Field::kLocalPasswordText, ScramblePassword(profile.localPassword + "       "));
  const auto length = ImageLength(*FamilyOfModel(profile.model));
  return {image.Bytes().begin(), image.Bytes().begin() + static_cast<std::ptrdiff_t>(length)};
}

SimScenario ScenarioWith(const ImageSpec& profile) {
  SimScenario scenario;
  scenario.modelCode = profile.model;
  scenario.image = MakeImage(profile);
  return scenario;
}

// One pager in the cradle, read into a session that outlives it.
class Cradle {
 public:
  Cradle(PagerSession& session, ScriptedUserInterface& ui, SimScenario scenario)
      : pager(std::move(scenario)),
        transport(pager, clock, &ui),
        link(transport, clock, ui, session.link, session.image.Bytes(), session.pagerCopy.Bytes()) {
  }

  SimPager pager;
  VirtualClock clock;
  SimTransport transport;
  PagerLink link;
};

class ReadPagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Something the editor held before the read.
    session.settings.SetText("ed_serialNumber", "EARLIER001");
  }

  int Read(const SimScenario& scenario) {
    cradle = std::make_unique<Cradle>(session, ui, scenario);
    return sequence(cradle->link).ReadPager();
  }
  ReadSequence sequence(PagerLink& link) { return ReadSequence(session, link, checks, ui); }

  std::vector<std::string> Questions() const {
    std::vector<std::string> titles;
    for (const auto& box : ui.shown) {
      if (box.buttons == MessageButtons::YesNo) titles.push_back(box.title);
    }
    return titles;
  }

  PagerSession session;
  ScriptedUserInterface ui;
  VirtualClock checksClock;
  PasswordChecks checks{session.passwords, ui, checksClock};
  std::unique_ptr<Cradle> cradle;
};

TEST_F(ReadPagerTest, GoodReadDecodesIntoTheEditor) {
  ImageSpec profile;
  profile.status = 0x23;  // two wrong SECURE entries, LOCAL counter 32
  ASSERT_EQ(Read(ScenarioWith(profile)), kSuccess);
  EXPECT_EQ(session.link.ModelCode, 0x84);
  EXPECT_EQ(session.readModelWord, 0x84);
  EXPECT_EQ(session.settings.versionText, "Codeplug Version : R040609");
  EXPECT_NE(session.settings.Text("ed_serialNumber"), "EARLIER001");
  EXPECT_TRUE(session.layout.Is4K());
  EXPECT_FALSE(session.link.ExtendedReply);
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_TRUE(ui.passwordAsks.empty());
  // The decoded counters are the run's counters now.
  EXPECT_EQ(session.passwords.secureWrongCount, session.settings.passwords.secureWrongCount);
  EXPECT_EQ(session.passwords.localPasswordToWrite, session.settings.passwords.local);
}

TEST_F(ReadPagerTest, OneKilobytePagerIsReadAndDecoded) {
  ImageSpec profile;
  profile.model = 0x81;
  ASSERT_EQ(Read(ScenarioWith(profile)), kSuccess);
  EXPECT_FALSE(session.layout.Is4K());
  EXPECT_EQ(session.settings.versionText, "Codeplug Version : R040609");
}

TEST_F(ReadPagerTest, SilentPagerIsRetriedFromTheIdentifyOnYes) {
  SimScenario silent;
  silent.noAnswer = true;
  // DTO-01 No, DTO-04 Yes, DTO-01 No, DTO-04 No.
  ui.answers = {kResultNo, kResultYes, kResultNo, kResultNo};
  EXPECT_EQ(Read(silent), kLinkNotResponding);
  const std::vector<std::string> expected = {
      ComposeQuestion(kQuestionRetryStandard).title, ComposeQuestion(kQuestionRetryTransfer).title,
      ComposeQuestion(kQuestionRetryStandard).title, ComposeQuestion(kQuestionRetryTransfer).title};
  EXPECT_EQ(Questions(), expected);
  EXPECT_NE(expected[0], expected[1]);
  // Each attempt: five identify handshakes, then five of the read.
  EXPECT_EQ(cradle->pager.record().wakeCodes.size(), 20u);
  EXPECT_EQ(session.link.ModelCode, kNoPagerInformation);
  EXPECT_EQ(session.settings.Text("ed_serialNumber"), "EARLIER001");
  EXPECT_EQ(ui.shown.size(), 4u);  // the questions only: -16 has no message of its own
}

TEST_F(ReadPagerTest, FailuresLeaveTheEditorAsItWas) {
  struct Case {
    const char* name;
    std::string statusLetters;
    std::string pagerPassword;
    int result;
    std::uint8_t modelAfter;
    bool serviceRequestedAfter;
  };
  const Case cases[] = {
      {"unprogrammed", "U", "", kLinkUnprogrammed, 0x84, true},
      {"wrong pager password", "Y", "SECRET", kLinkWrongPassword, 0x84, false},
      {"download disabled", "D", "", kLinkDownloadDisabled, kNoPagerInformation, true},
      {"bad pager data", "B", "", kLinkBadPagerData, kNoPagerInformation, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    session.serviceRequested = true;
    ui.passwords = {"GUESS"};
    SimScenario scenario = ScenarioWith({});
    scenario.statusLetters = c.statusLetters;
    scenario.password = c.pagerPassword;
    EXPECT_EQ(Read(scenario), c.result);
    EXPECT_EQ(session.link.ModelCode, c.modelAfter);
    EXPECT_EQ(session.serviceRequested, c.serviceRequestedAfter);
    EXPECT_EQ(session.settings.Text("ed_serialNumber"), "EARLIER001");
    EXPECT_TRUE(session.settings.versionText.empty());
    EXPECT_FALSE(session.link.ExtendedReply);
    // The caller shows these messages; the read itself shows none.
    EXPECT_TRUE(ui.shown.empty());
  }
}

TEST_F(ReadPagerTest, UnprogrammedPagerIsMarked) {
  SimScenario scenario = ScenarioWith({});
  scenario.statusLetters = "U";
  EXPECT_EQ(Read(scenario), kLinkUnprogrammed);
  EXPECT_TRUE(session.link.Unprogrammed);
}

TEST_F(ReadPagerTest, LocalPasswordGateFollowsTheStoredVersion) {
  struct Case {
    std::uint8_t model, versionLow, option1;
    bool asks;
  };
  const Case cases[] = {
      {0x84, 0x64, 0x01, true},   // 4.6.4 with bit 0
      {0x84, 0x65, 0x01, false},  // 4.6.5 with the same byte
      {0x84, 0x65, 0x04, true},   // 4.6.5 with bit 2
      {0x81, 0x64, 0x04, true},   // 1 KB: bit 2
      {0x81, 0x64, 0x01, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << std::hex << int(c.model) << " " << int(c.versionLow) << " " << int(c.option1));
    ui.passwordAsks.clear();
    ui.passwords = {"ABC"};
    ImageSpec profile;
    profile.model = c.model;
    profile.versionLow = c.versionLow;
    profile.option1 = c.option1;
    EXPECT_EQ(Read(ScenarioWith(profile)), kSuccess);
    const std::vector<PasswordMode> expected =
        c.asks ? std::vector<PasswordMode>{PasswordMode::Local} : std::vector<PasswordMode>{};
    EXPECT_EQ(ui.passwordAsks, expected);
    EXPECT_TRUE(ui.shown.empty());
  }
}

TEST_F(ReadPagerTest, WrongLocalPasswordEndsTheReadWithOneMessage) {
  ImageSpec profile;
  profile.option1 = 0x04;
  profile.status = 0x05;
  session.passwords.localWrongCount = 16;  // as a decode of status 0x10 left it
  ui.passwords = {"WRONG"};
  EXPECT_EQ(Read(ScenarioWith(profile)), kWrongLocalPassword);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, ComposeError(kWrongLocalPassword).text);
  EXPECT_EQ(session.link.ModelCode, kNoPagerInformation);
  EXPECT_EQ(session.settings.Text("ed_serialNumber"), "EARLIER001");
  EXPECT_EQ(session.passwords.localWrongCount, 17);
  // Bits 4-6 of the status byte take the counter AND 0x70; the rest stays.
  EXPECT_EQ(session.image[0], 0x15);
}

TEST_F(ReadPagerTest, ClosedLocalPasswordEntryRefusesQuietly) {
  ImageSpec profile;
  profile.option1 = 0x04;
  ui.passwords = {std::nullopt};
  EXPECT_EQ(Read(ScenarioWith(profile)), kWrongLocalPassword);
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(session.link.ModelCode, kNoPagerInformation);
  EXPECT_EQ(session.passwords.localWrongCount, 0);
}

TEST_F(ReadPagerTest, AfterThePagerPasswordTheLocalPasswordIsNeverAsked) {
  ImageSpec profile;
  profile.option1 = 0x04;
  SimScenario guarded = ScenarioWith(profile);
  guarded.statusLetters = "Y";
  guarded.password = "PAGER";
  ui.passwords = {"PAGER"};
  ASSERT_EQ(Read(guarded), kSuccess);
  EXPECT_EQ(ui.passwordAsks, std::vector<PasswordMode>{PasswordMode::PagerAccess});

  // A later read in the same run, of a pager without its own password.
  ui.passwordAsks.clear();
  EXPECT_EQ(Read(ScenarioWith(profile)), kSuccess);
  EXPECT_TRUE(ui.passwordAsks.empty());
}

TEST_F(ReadPagerTest, AcceptedLocalPasswordIsRememberedWhenTheGateIsSkipped) {
  ImageSpec profile;
  profile.option1 = 0x04;
  profile.localPassword = "ABC";
  cradle = std::make_unique<Cradle>(session, ui, ScenarioWith(profile));
  ReadSequence reads(session, cradle->link, checks, ui);
  ui.passwords = {"ABC"};
  ASSERT_EQ(reads.ReadPager(), kSuccess);

  // The pager now holds a codeplug with another local password, and the
  // pager's own password counts as asked in this run.
  profile.localPassword = "XYZ";
  const auto changed = MakeImage(profile);
  std::copy(changed.begin(), changed.end(), session.image.Bytes().begin());
  ASSERT_EQ(cradle->link.Run(opWriteCodeplug), kLinkOk);
  session.link.PagerPasswordPrompted = true;

  ui.passwordAsks.clear();
  ASSERT_EQ(reads.ReadPager(), kSuccess);
  EXPECT_TRUE(ui.passwordAsks.empty());
  EXPECT_EQ(session.settings.passwords.local, "XYZ       ");
  EXPECT_EQ(session.passwords.localPasswordKnown, "ABC       ");
}

TEST_F(ReadPagerTest, NewerCodeplugFailsWithItsVersionInTheMessage) {
  ImageSpec profile;
  profile.versionLow = 0x6A;  // 4.6.10
  EXPECT_EQ(Read(ScenarioWith(profile)), kReadCodeplugTooNew);
  EXPECT_EQ(session.link.ModelCode, kNoPagerInformation);
  EXPECT_EQ(session.settings.Text("ed_serialNumber"), "EARLIER001");
  const MessageContext context = SessionMessageContext(session);
  EXPECT_EQ(context.codeplugVersionText, "040610");
  ui.SetContextSource([this] { return SessionMessageContext(session); });
  ui.ShowError(kReadCodeplugTooNew);
  const std::string text = ui.shown.back().text;
  EXPECT_EQ(text.substr(text.size() - 7), "R040610");
}

TEST_F(ReadPagerTest, FourKilobyteReadTakesTheInjectionSideBits) {
  ImageSpec profile;
  std::vector<std::uint8_t> image = MakeImage(profile);
  image[0x165] = 0xF2;
  SimScenario scenario = ScenarioWith(profile);
  scenario.image = image;
  ASSERT_EQ(Read(scenario), kSuccess);
  EXPECT_EQ(session.synth.SynthHwByte, 0x02);
}

}  // namespace
}  // namespace rer
