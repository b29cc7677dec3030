#include "pager/link_engine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/text.h"
#include "link_fixture.h"
#include "pager/password_scramble.h"

namespace rer {
namespace {

using testing::LinkFixture;
using testing::Pattern;

SimScenario Pager(std::uint8_t model, const std::string& firmware) {
  SimScenario s;
  s.modelCode = model;
  s.firmware = firmware;
  return s;
}

CommandHeader Header(std::uint8_t mode, std::uint8_t command, std::uint16_t count) {
  return {mode,
          command,
          0x04,
          0x00,
          0x00,
          0x00,
          static_cast<std::uint8_t>(count >> 8),
          static_cast<std::uint8_t>(count & 0xFF)};
}

TEST(PagerLinkIdentify, LearnsModelAndFirmware) {
  SimScenario s = Pager(0xD0, " R0501");
  s.variantText = "1";
  LinkFixture f(s);
  f.state.Variant2R0501 = true;  // the identify engine leaves it alone

  EXPECT_EQ(f.link.Identify(), kLinkOk);
  EXPECT_EQ(f.state.ModelCode, 0xD0);
  EXPECT_EQ(f.state.ModelWord, 0xD0);
  EXPECT_EQ(f.state.FirmwareVersion, " R0501");
  EXPECT_TRUE(f.state.R0501);
  EXPECT_TRUE(f.state.Variant1R0501);
  EXPECT_TRUE(f.state.Variant2R0501);
  EXPECT_EQ(f.state.LinkSpeedCode, kSpeed4800);
  ASSERT_EQ(f.pager.record().headers.size(), 1u);
  EXPECT_EQ(f.pager.record().headers[0], Header(0x05, 0x01, 0x1000));
  EXPECT_FALSE(f.transport.IsOpen());
}

TEST(PagerLinkIdentify, FirmwareStaysInPlaceWhateverTheVariantText) {
  for (const char* variant : {"", "12"}) {
    SCOPED_TRACE(std::string("variant \"") + variant + "\"");
    SimScenario s = Pager(0x84, " R0501");
    s.variantText = variant;
    LinkFixture f(s);
    EXPECT_EQ(f.link.Identify(), kLinkOk);
    EXPECT_EQ(f.state.FirmwareVersion, " R0501");
    EXPECT_TRUE(f.state.R0501);
  }
}

TEST(PagerLinkIdentify, SilentPagerGivesUpAfterFiveAttemptsWithoutAsking) {
  SimScenario s;
  s.noAnswer = true;
  LinkFixture f(s);
  EXPECT_EQ(f.link.Identify(), kLinkNotResponding);
  EXPECT_EQ(f.pager.record().wakeCodes.size(), 5u);
  EXPECT_TRUE(f.ui.shown.empty());
  EXPECT_FALSE(f.transport.IsOpen());
}

// A full read as the read sequence runs it: status unknown, so the run asks
// for the status first and restarts with the read header.
struct ReadCase {
  const char* what;
  std::uint8_t model;
  std::string statusLetters;
  std::uint8_t expectedMode;
  std::size_t imageLength;
};

TEST(PagerLinkRead, QueriesStatusRestartsAndReadsTheWholeImage) {
  const ReadCase cases[] = {
      {"1 KB", 0x81, "N", 'F', 1024},
      {"4 KB", 0x88, "N", 'F', 4096},
      {"4 KB after U to the query", 0x84, "UO", 'f', 4096},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SimScenario s = Pager(c.model, " R0409");
    s.statusLetters = c.statusLetters;
    s.serialNumber = "1234567890";
    s.cgromFirst = 'P';
    s.cgromSecond = 'X';
    s.memoryByte = 40;
    s.image = Pattern(c.imageLength, 3);
    LinkFixture f(s);
    f.codeplugImage.fill(0xEE);

    ASSERT_EQ(f.link.Run(opReadCodeplug), kLinkOk);
    const std::uint16_t count = static_cast<std::uint16_t>(c.imageLength);
    ASSERT_EQ(f.pager.record().headers.size(), 2u);
    EXPECT_EQ(f.pager.record().headers[0], Header(0x01, 0x01, count));
    EXPECT_EQ(f.pager.record().headers[1], Header(c.expectedMode, 0x01, count));
    EXPECT_TRUE(std::equal(s.image.begin(), s.image.end(), f.codeplugImage.begin()));
    // Bytes beyond the family's length are not touched.
    EXPECT_TRUE(std::all_of(f.codeplugImage.begin() + c.imageLength, f.codeplugImage.end(),
                            [](std::uint8_t b) { return b == 0xEE; }));
    EXPECT_EQ(f.state.StatusReply, c.statusLetters[0]);
    EXPECT_EQ(f.state.ExtendedReply, c.expectedMode == 'f');
    EXPECT_EQ(f.state.MemoryByte, c.expectedMode == 'f' ? 40 : 0);
    EXPECT_EQ(f.state.LargeMemory, c.expectedMode == 'f');
    EXPECT_EQ(f.state.SerialNumber, "1234567890");
    EXPECT_EQ(f.state.CgromType, kCgromSimplifiedChinese);
    EXPECT_EQ(f.state.CannedRangeStart, "7821");
    EXPECT_EQ(f.state.FirmwareVersion, " R0409");
    EXPECT_TRUE(f.state.R0409);
    EXPECT_EQ(f.state.AttemptsLeft, kAttemptsNotReported);
    EXPECT_FALSE(f.state.Unprogrammed);
    EXPECT_EQ(f.ui.progress.back(), 100);
    EXPECT_GT(f.ui.pumps, 0);
    EXPECT_TRUE(f.ui.shown.empty());
    EXPECT_FALSE(f.transport.IsOpen());
    EXPECT_EQ(f.transport.closeCount(), static_cast<int>(f.transport.openedBaudRates().size()));
  }
}

TEST(PagerLinkRead, KnownStatusSendsTheReadHeaderAtOnce) {
  LinkFixture f(Pager(0x84, " R0409"));
  f.state.StatusReply = 'N';
  ASSERT_EQ(f.link.Run(opReadCodeplug), kLinkOk);
  ASSERT_EQ(f.pager.record().headers.size(), 1u);
  EXPECT_EQ(f.pager.record().headers[0][0], 'F');
}

TEST(PagerLinkRead, ReadBeforeProgramFillsThePagerCopyAndCallsTheHook) {
  SimScenario s = Pager(0x84, " R0409");
  s.image = Pattern(4096, 9);
  LinkFixture f(s);
  f.state.ReadBeforeProgram = true;
  std::vector<bool> hookCalls;
  f.link.SetImageReadHook([&](bool intoPagerCopy) {
    hookCalls.push_back(intoPagerCopy);
    return -93;  // the version check refuses the codeplug
  });
  EXPECT_EQ(f.link.Run(opReadCodeplug), -93);
  EXPECT_EQ(hookCalls, std::vector<bool>{true});
  EXPECT_TRUE(std::equal(s.image.begin(), s.image.end(), f.pagerCopy.begin()));
  EXPECT_TRUE(std::all_of(f.codeplugImage.begin(), f.codeplugImage.end(),
                          [](std::uint8_t b) { return b == 0; }));
  EXPECT_FALSE(f.transport.IsOpen());
}

// After an identify of an R0501 pager the status query still runs at
// 4800 bit/s, then the restart wakes with 0xA6 and continues at 38400 bit/s.
// The simulated pager ignores bytes sent at the wrong speed, so a missing
// reopen would fail the read.
TEST(PagerLinkRead, R0501SwitchesTo38400AfterTheStatusQuery) {
  LinkFixture f(Pager(0x84, " R0501"));
  ASSERT_EQ(f.link.Identify(), kLinkOk);
  ASSERT_EQ(f.link.Run(opReadCodeplug), kLinkOk);
  EXPECT_EQ(f.pager.record().wakeCodes,
            (std::vector<std::uint8_t>{kSpeed4800, kSpeed4800, kSpeed38400}));
  EXPECT_EQ(f.transport.openedBaudRates().back(), 38400);
  EXPECT_EQ(f.pager.record().bytesIgnoredAtWrongSpeed, 0);
  EXPECT_EQ(f.state.LinkSpeedCode, kSpeed38400);

  // The next run of the same sequence wakes at the fast speed straight away.
  ASSERT_EQ(f.link.Run(opReadCodeplug), kLinkOk);
  EXPECT_EQ(f.pager.record().wakeCodes.back(), kSpeed38400);
}

TEST(PagerLinkRead, OlderFirmwareStaysAt4800) {
  LinkFixture f(Pager(0x84, " R0409"));
  ASSERT_EQ(f.link.Identify(), kLinkOk);
  ASSERT_EQ(f.link.Run(opReadCodeplug), kLinkOk);
  for (int baud : f.transport.openedBaudRates()) EXPECT_EQ(baud, 4800);
  EXPECT_EQ(f.state.LinkSpeedCode, kSpeed4800);
}

struct RetryCase {
  const char* what;
  std::vector<int> answers;  // to the DTO-01 question, in order
  std::size_t expectedWakes;
  int expectedQuestions;
};

TEST(PagerLinkRetry, FiveAttemptsThenTheQuestion) {
  const RetryCase cases[] = {
      {"No at once", {kResultNo}, 5, 1},
      {"Yes once, then No", {kResultYes, kResultNo}, 10, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (bool wrongByte : {false, true}) {
      SimScenario s;
      if (wrongByte) {
        s.wakeReply = 0x80;  // neither a model code nor the wake code
      } else {
        s.noAnswer = true;
      }
      LinkFixture f(s);
      f.state.ModelCode = 0x84;
      f.ui.answers.assign(c.answers.begin(), c.answers.end());
      EXPECT_EQ(f.link.Run(opReadCodeplug), kLinkNotResponding);
      EXPECT_EQ(f.pager.record().wakeCodes.size(), c.expectedWakes);
      ASSERT_EQ(f.QuestionsAsked(), c.expectedQuestions);
      EXPECT_EQ(f.ui.shown.back().title, ComposeQuestion(kQuestionRetryStandard).title);
      EXPECT_EQ(f.state.ModelCode, 0x84);
      EXPECT_FALSE(f.transport.IsOpen());
    }
  }
}

TEST(PagerLinkRetry, CompactEngineAsksTheSecondQuestion) {
  SimScenario s;
  s.noAnswer = true;
  LinkFixture f(s);
  EXPECT_EQ(f.link.RunCompact(opReceiverOn), kLinkNotResponding);
  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].title, ComposeQuestion(kQuestionRetryCompact).title);
}

// One lost byte costs one attempt; the next attempt succeeds.
TEST(PagerLinkRetry, RecoversFromOneLostEcho) {
  SimScenario s = Pager(0x84, " R0409");
  s.lostEchoAt = 5;  // inside the first header
  s.image = Pattern(4096, 1);
  LinkFixture f(s);
  EXPECT_EQ(f.link.Run(opReadCodeplug), kLinkOk);
  EXPECT_TRUE(std::equal(s.image.begin(), s.image.end(), f.codeplugImage.begin()));
  EXPECT_EQ(f.pager.record().wakeCodes.size(), 3u);  // lost, query, read
  EXPECT_TRUE(f.ui.shown.empty());
}

TEST(PagerLinkRetry, ImageStoppingHalfwayIsATimeOut) {
  SimScenario s = Pager(0x84, " R0409");
  s.imageSilentFrom = 2000;
  LinkFixture f(s);
  EXPECT_EQ(f.link.Run(opReadCodeplug), kLinkNotResponding);
  // The restart after the status query counts as an attempt as well.
  EXPECT_EQ(f.pager.record().wakeCodes.size(), 5u);
  EXPECT_EQ(f.QuestionsAsked(), 1);
}

struct StatusCase {
  char letter;
  int expected;
  bool unprogrammed;
  std::uint8_t modelAfter;
};

TEST(PagerLinkStatus, StatusLettersOfARead) {
  const StatusCase cases[] = {
      {'B', kLinkBadPagerData, false, 0x84},
      {'U', kLinkUnprogrammed, true, 0x84},
      {'D', kLinkDownloadDisabled, false, kNoPagerInformation},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.letter);
    SimScenario s = Pager(0x84, " R0409");
    s.statusLetters = std::string("N") + c.letter;
    s.junkAfterUnprogrammed = 3000;
    LinkFixture f(s);
    EXPECT_EQ(f.link.Run(opReadCodeplug), c.expected);
    EXPECT_EQ(f.state.Unprogrammed, c.unprogrammed);
    EXPECT_EQ(f.state.ModelCode, c.modelAfter);
    // Whatever the pager still had to say was drained before the close.
    EXPECT_FALSE(f.pager.HasOutput());
    EXPECT_TRUE(f.ui.shown.empty());  // the standard engine shows nothing
    EXPECT_FALSE(f.transport.IsOpen());
  }
}

TEST(PagerLinkStatus, CompactEngineShowsItsErrorsAndDoesNotDrain) {
  SimScenario s = Pager(0x81, " R0402");
  s.statusLetters = "U";
  s.junkAfterUnprogrammed = 10;
  LinkFixture f(s);
  f.state.StatusReply = 'N';
  EXPECT_EQ(f.link.RunCompact(opReadCodeplug), kLinkUnprogrammed);
  EXPECT_TRUE(f.state.Unprogrammed);
  EXPECT_TRUE(f.pager.HasOutput());
  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].text, ComposeError(kLinkUnprogrammed).text);
}

struct PasswordCase {
  const char* what;
  std::string typed;
  int triesBefore;
  int expected;
  int attemptsLeft;
};

TEST(PagerLinkPassword, ProtectedPagerAsksOnceAndSendsTheScrambledPassword) {
  const PasswordCase cases[] = {
      {"right (typed in lower case)", "ab12", 7, kLinkOk, kAttemptsNotReported},
      {"wrong, 0xBA", "ZZ", 3, kLinkWrongPassword, 2},
      {"wrong, none left", "ZZ", 0, kLinkWrongPassword, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SimScenario s = Pager(0x84, " R0409");
    s.statusLetters = "Y";
    s.password = "AB12";
    s.triesLeft = c.triesBefore;
    s.image = Pattern(4096, 5);
    LinkFixture f(s);
    f.ui.passwords.push_back(c.typed);
    EXPECT_EQ(f.link.Run(opReadCodeplug), c.expected);
    EXPECT_EQ(f.ui.passwordAsks, std::vector<PasswordMode>{PasswordMode::PagerAccess});
    EXPECT_TRUE(f.state.PasswordAsked);
    EXPECT_TRUE(f.state.PagerPasswordPrompted);
    EXPECT_EQ(f.state.AttemptsLeft, c.attemptsLeft);
    const std::string sent = ScramblePassword(PadRight(ToUpper(c.typed), 10));
    EXPECT_EQ(std::string(f.state.PagerPassword.begin(), f.state.PagerPassword.end()), sent);
    EXPECT_EQ(f.pager.record().passwordsAccepted, c.expected == kLinkOk ? 1 : 0);
    if (c.expected == kLinkOk) {
      EXPECT_TRUE(std::equal(s.image.begin(), s.image.end(), f.codeplugImage.begin()));
    }
    EXPECT_TRUE(f.ui.shown.empty());
    EXPECT_FALSE(f.transport.IsOpen());
  }
}

// A protected pager whose status is already known: the read asks for the
// password in the password step and starts over with a fresh wake.
TEST(PagerLinkPassword, KnownStatusAsksInThePasswordStepAndRestarts) {
  SimScenario s = Pager(0x84, " R0409");
  s.statusLetters = "Y";
  s.password = "9";
  LinkFixture f(s);
  f.state.StatusReply = 'Y';
  f.ui.passwords.push_back("9");
  EXPECT_EQ(f.link.Run(opReadCodeplug), kLinkOk);
  EXPECT_EQ(f.pager.record().headers.size(), 2u);  // read, and the read again
  EXPECT_EQ(f.pager.record().passwordsAccepted, 1);
  EXPECT_EQ(f.ui.passwordAsks.size(), 1u);
}

TEST(PagerLinkWrite, ImageAndChecksumGoOutAndTheFinalReplyIsAwaited) {
  LinkFixture f(Pager(0x84, " R0409"));
  f.state.ModelCode = 0x84;
  f.state.StatusReply = 'N';
  const auto image = Pattern(4096, 11);
  std::copy(image.begin(), image.end(), f.codeplugImage.begin());
  EXPECT_EQ(f.link.Run(opWriteCodeplug), kLinkOk);
  EXPECT_EQ(f.pager.record().headers.at(0), Header(0x18, 0x07, 0x1000));
  EXPECT_EQ(f.pager.record().writtenImage, image);
  EXPECT_EQ(f.pager.record().lastChecksumGood, std::optional<bool>(true));
  EXPECT_GE(f.clock.ElapsedMs(), 17000);
  EXPECT_FALSE(f.pager.HasOutput());  // the final reply was read
  EXPECT_FALSE(f.transport.IsOpen());
}

TEST(PagerLinkWrite, CompactEngineWrites1KAndWaitsLess) {
  LinkFixture f(Pager(0x81, " R0402"));
  f.state.StatusReply = 'N';
  const auto image = Pattern(4096, 13);
  std::copy(image.begin(), image.end(), f.codeplugImage.begin());
  EXPECT_EQ(f.link.RunCompact(opWriteCodeplug), kLinkOk);
  EXPECT_EQ(f.pager.record().writtenImage,
            std::vector<std::uint8_t>(image.begin(), image.begin() + 1024));
  EXPECT_GE(f.clock.ElapsedMs(), 8500);
  EXPECT_LT(f.clock.ElapsedMs(), 17000);
}

TEST(PagerLinkWrite, RejectedChecksumEndsWithoutTheFinalReply) {
  SimScenario s = Pager(0x84, " R0409");
  s.rejectChecksum = true;
  LinkFixture f(s);
  f.state.StatusReply = 'N';
  EXPECT_EQ(f.link.Run(opWriteCodeplug), kLinkBadChecksum);
  EXPECT_EQ(f.pager.record().lastChecksumGood, std::optional<bool>(false));
  EXPECT_LT(f.clock.ElapsedMs(), 17000);  // the long wait before the final reply never came
  EXPECT_TRUE(f.ui.shown.empty());
  EXPECT_FALSE(f.transport.IsOpen());
}

TEST(PagerLinkClock, PayloadIsPlainNumbersWithTheirSum) {
  LinkFixture f(Pager(0x84, " R0501"));
  f.state.ModelCode = 0x84;
  f.state.R0501 = true;
  f.state.StatusReply = 'N';
  f.clock.SetNow({.year = 2009, .month = 12, .day = 31, .hour = 23, .minute = 59});
  EXPECT_EQ(f.link.Run(opSetClock), kLinkOk);
  EXPECT_EQ(f.pager.record().headers.at(0),
            (CommandHeader{0x00, 0x03, 0x18, 0x00, 0x00, 0x00, 0x00, 0x05}));
  EXPECT_EQ(f.pager.record().clockPayload, (std::vector<std::uint8_t>{23, 59, 31, 12, 9}));
  // The pager checks the sum byte (134) against the payload.
  EXPECT_EQ(f.pager.record().lastChecksumGood, std::optional<bool>(true));
  EXPECT_LT(f.clock.ElapsedMs(), 17000);  // the clock waits only briefly for its final reply
}

TEST(PagerLinkClock, UnknownStatusSendsTheQueryHeaderAndNoRestart) {
  LinkFixture f(Pager(0x81, " R0402"));
  f.clock.SetNow({.year = 2026, .month = 3, .day = 4, .hour = 5, .minute = 6});
  EXPECT_EQ(f.link.RunCompact(opSetClock), kLinkOk);
  ASSERT_EQ(f.pager.record().headers.size(), 1u);
  EXPECT_EQ(f.pager.record().headers[0], Header(0x01, 0x01, 0x0400));
  EXPECT_EQ(f.pager.record().clockPayload, (std::vector<std::uint8_t>{5, 6, 4, 3, 26}));
}

TEST(PagerLinkReceiverOn, AcknowledgedWithoutStatusOrAccess) {
  LinkFixture f(Pager(0x88, " R0409"));
  f.state.StatusReply = 'N';
  EXPECT_EQ(f.link.RunCompact(opReceiverOn), kLinkOk);
  EXPECT_EQ(f.pager.record().headers.at(0), Header(0x00, 0x0B, 0x1000));
  EXPECT_FALSE(f.pager.HasOutput());
}

TEST(PagerLinkPort, OpenFailureEndsAtOnceWithNothingMoreShown) {
  LinkFixture f;
  f.transport.SetOpenFails(true);
  EXPECT_EQ(f.link.Run(opReadCodeplug), kLinkPortNotOpened);
  EXPECT_EQ(f.link.RunCompact(opReadCodeplug), kLinkPortNotOpened);
  EXPECT_EQ(f.link.Identify(), kLinkPortNotOpened);
  // Only the driver's own box, once per open.
  EXPECT_EQ(f.ui.Texts(), std::vector<std::string>(3, "Can not open com port."));
  EXPECT_TRUE(f.pager.record().wakeCodes.empty());
}

TEST(PagerLinkPort, ReopenFailingInsideTheRunEndsItWithThePortClosed) {
  for (int opensBeforeFailure : {1, 2}) {
    SCOPED_TRACE(opensBeforeFailure);
    LinkFixture f(Pager(0x84, " R0501"));
    f.state.LinkSpeedCode = kSpeed38400;  // the wake is followed by a reopen
    f.transport.FailOpensAfter(opensBeforeFailure);
    // 1: the handshake's own reopen fails; 2: the reopen at the agreed speed.
    EXPECT_EQ(f.link.Run(opReadCodeplug), kLinkPortNotOpened);
    EXPECT_EQ(f.QuestionsAsked(), 0);
    EXPECT_EQ(f.pager.record().wakeCodes.size(), opensBeforeFailure == 1 ? 0u : 1u);
    EXPECT_FALSE(f.transport.IsOpen());
  }
}

// The handshake takes the last byte it read: with the echo lost, the model
// code comes first and is still accepted.
TEST(PagerLinkIdentify, HandshakeSurvivesALostEcho) {
  SimScenario s = Pager(0x89, " R0404");
  s.lostEchoAt = 0;
  LinkFixture f(s);
  EXPECT_EQ(f.link.Identify(), kLinkOk);
  EXPECT_EQ(f.state.ModelCode, 0x89);
  EXPECT_EQ(f.pager.record().wakeCodes.size(), 1u);
}

struct ServiceCase {
  std::uint8_t command;
  int kind;
  std::vector<std::uint8_t> reply;
};

TEST(PagerLinkService, CommandsAndTheirReplies) {
  const ServiceCase cases[] = {
      {4, 4, {'.', 'P'}},
      {6, 6, {'.', 0x10}},
      {8, 8, {'.'}},
      {0, 0, {'.'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.command));
    SimScenario s;
    s.keyTestByte = 0x10;
    LinkFixture f(s);
    std::vector<std::uint8_t> reply;
    EXPECT_EQ(f.link.SendServiceCommand(c.command, reply, c.kind), kLinkOk);
    EXPECT_EQ(reply, c.reply);
    EXPECT_EQ(f.pager.record().serviceCommands, std::vector<std::uint8_t>{c.command});
    EXPECT_TRUE(f.ui.shown.empty());
    EXPECT_FALSE(f.pager.HasOutput());  // the release byte's echo was read too
    EXPECT_FALSE(f.transport.IsOpen());
  }
}

TEST(PagerLinkService, MissingAcknowledgeAndSilence) {
  SimScenario wrong;
  wrong.serviceAcknowledge = '?';
  LinkFixture f(wrong);
  std::vector<std::uint8_t> reply;
  EXPECT_EQ(f.link.SendServiceCommand(9, reply, 9), kLinkOk);
  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].text, ComposeError(kLinkNoAcknowledge).text);

  SimScenario silent;
  silent.noAnswer = true;
  LinkFixture g(silent);
  // A failed transfer is shown; the result is what the box returned.
  EXPECT_EQ(g.link.SendServiceCommand(9, reply, 9), kResultOk);
  ASSERT_EQ(g.ui.shown.size(), 1u);
  EXPECT_EQ(g.ui.shown[0].text, ComposeError(kLinkNotResponding).text);
  EXPECT_FALSE(g.transport.IsOpen());
}

}  // namespace
}  // namespace rer
