// A sequential run over several cradles, each with simulated pagers in
// virtual time on a thread of its own: the values every pager gets, what
// happens to the values of a failed pager, and cradles that stop.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <latch>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>

#include "codeplug/address_codec.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "core/result_codes.h"
#include "core/text.h"
#include "operations/multi_port_run.h"
#include "pager/program_fixture.h"
#include "temp_path.h"

namespace rer {
namespace {

using testing::PagerSpec;
using testing::ProgramFixture;
using testing::ScenarioOf;

// The capcode step of the editor codeplug below: addresses 1 to 3 are one
// block, so every pager moves them on by three.
constexpr std::uint32_t kFirstCapcode = 1000;
constexpr std::uint32_t kStep = 3;

// What one cradle saw of one attempt, and the capcode the pager holds after it.
struct Attempt {
  RunLogRow row;
  std::optional<std::uint32_t> capcodeInPager;
};

// The simulated pager's channel, held at its first open until every cradle
// of the run has got that far: virtual time is so quick that one cradle could
// otherwise program the whole run before the others have started, and the
// run would never be seen handing out values to cradles at work together.
class GatedTransport : public Transport {
 public:
  GatedTransport(Transport& inner, std::latch& gate) : inner_(inner), gate_(gate) {}
  void SetLinkSpeed(std::uint8_t code, bool handshake) override {
    inner_.SetLinkSpeed(code, handshake);
  }
  int BaudRate() const override { return inner_.BaudRate(); }
  bool Open() override {
    if (!passed_) gate_.arrive_and_wait();
    passed_ = true;
    return inner_.Open();
  }
  bool Close() override { return inner_.Close(); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool ReadByte(std::uint8_t& byte) override { return inner_.ReadByte(byte); }
  bool WriteByte(std::uint8_t byte) override { return inner_.WriteByte(byte); }
  bool Purge() override { return inner_.Purge(); }

 private:
  Transport& inner_;
  std::latch& gate_;
  bool passed_ = false;
};

// A cradle with a queue of simulated pagers: the first is in at the start,
// NextPager puts in the next one and says no when the queue is empty.
class SimCradle : public RunCradle {
 public:
  SimCradle(std::string port, std::vector<SimScenario> pagers, std::latch& gate)
      : port_(std::move(port)),
        queue_(std::move(pagers)),
        pager_(queue_.at(0)),
        transport_(pager_, clock_, &ui_),
        gated_(transport_, gate) {}

  std::string Port() const override { return port_; }
  Transport& transport() override { return gated_; }
  Clock& clock() override { return clock_; }
  UserInterface& ui() override { return ui_; }
  bool NextPager(bool lastFailed) override {
    lastFailedSeen.push_back(lastFailed);
    if (++next_ >= queue_.size()) return false;
    pager_ = SimPager(queue_[next_]);
    return true;
  }
  void Attempted(const RunLogRow& row, int) override {
    attempts.push_back({row, CapcodeInPager()});
    if (getenv("DBG")) {
      fprintf(stderr, "%s %d %s %s:", port_.c_str(), row.result, row.serialNumber.c_str(),
              row.firstCapcode.c_str());
      for (auto& t : ui_.Texts()) fprintf(stderr, " [%s]", t.c_str());
      fprintf(stderr, "\n");
    }
  }

  SimTransport& simTransport() { return transport_; }

  std::vector<Attempt> attempts;
  std::vector<bool> lastFailedSeen;

 private:
  // Address 1 of the codeplug the pager holds now.
  std::optional<std::uint32_t> CapcodeInPager() const {
    CodeplugImage image;
    std::copy(pager_.image().begin(), pager_.image().end(), image.Bytes().begin());
    Layout layout;
    SelectLayout(layout, pager_.scenario().modelCode);
    return CapcodeOfShortWord(ReadAddressSlot(ImageReader(image, layout), 1).word);
  }

  std::string port_;
  std::vector<SimScenario> queue_;
  std::size_t next_ = 0;
  ScriptedUserInterface ui_;
  VirtualClock clock_;
  SimPager pager_;
  SimTransport transport_;
  GatedTransport gated_;
};

// The editor codeplug of the run: addresses 1000, 1001, 1002 and inventory
// number UNIT0099.
void EditRunCodeplug(PagerSession& session) {
  session.settings.SetText(AddressControl::Capcode, 2, "0001001");
  session.settings.SetText(Control::ed_ICN, "UNIT0099");
}

// A pager programmed once with the run's codeplug. Its session is the
// editor codeplug of the run, and what it holds afterwards is what every
// pager of the run holds before: a codeplug of the same kind of pager, so
// that the hardware bytes the program sequence compares agree.
struct Prototype {
  PagerSession session;
  std::vector<std::uint8_t> pagerImage;
};

const Prototype& RunPrototype() {
  static const Prototype prototype = [] {
    ProgramFixture fixture{PagerSpec{}};
    EditRunCodeplug(fixture.session);
    EXPECT_EQ(fixture.sequence.ProgramPager(), kSuccess);
    return Prototype{fixture.session, fixture.pager.image()};
  }();
  return prototype;
}

PagerSession RunSession() {
  return RunPrototype().session;
}

SimScenario GoodPager(int serial) {
  PagerSpec profile;
  profile.serial = "SIM" + ZeroPad(std::to_string(serial), 7);
  SimScenario scenario = ScenarioOf(profile);
  scenario.image = RunPrototype().pagerImage;
  return scenario;
}

// A pager that refuses the codeplug's checksum: it fails, the cradle is fine.
SimScenario RefusingPager(int serial) {
  SimScenario scenario = GoodPager(serial);
  scenario.rejectChecksum = true;
  return scenario;
}

std::vector<SimScenario> GoodPagers(int count, int firstSerial) {
  std::vector<SimScenario> pagers;
  for (int i = 0; i < count; ++i) pagers.push_back(GoodPager(firstSerial + i));
  return pagers;
}

std::string InventoryNumber(int position) {
  return "UNIT" + ZeroPad(std::to_string(99 + position), 4);
}

MultiPortRunOptions Options(int pagers, std::string logFile = "") {
  MultiPortRunOptions options;
  options.pagers = pagers;
  options.logFile = std::move(logFile);
  return options;
}

std::vector<RunCradle*> Pointers(const std::vector<std::unique_ptr<SimCradle>>& cradles) {
  std::vector<RunCradle*> pointers;
  for (const auto& cradle : cradles) pointers.push_back(cradle.get());
  return pointers;
}

// Every programmed pager of the run holds one value set of the sequence,
// each of the first `pagers` exactly once, and the pager itself holds what
// its row says.
void ExpectConsecutiveValueSets(const std::vector<std::unique_ptr<SimCradle>>& cradles,
                                int pagers) {
  std::multiset<std::uint32_t> capcodes;
  std::multiset<std::string> inventory;
  for (const auto& cradle : cradles) {
    for (const Attempt& attempt : cradle->attempts) {
      if (attempt.row.result != kSuccess) continue;
      const std::uint32_t capcode = CapcodeValue(attempt.row.firstCapcode);
      capcodes.insert(capcode);
      inventory.insert(TrimRight(attempt.row.inventoryNumber));
      EXPECT_EQ(attempt.capcodeInPager, capcode) << cradle->Port();
    }
  }
  std::multiset<std::uint32_t> expectedCapcodes;
  std::multiset<std::string> expectedInventory;
  for (int i = 0; i < pagers; ++i) {
    expectedCapcodes.insert(kFirstCapcode + kStep * static_cast<std::uint32_t>(i));
    expectedInventory.insert(InventoryNumber(i));
  }
  EXPECT_EQ(capcodes, expectedCapcodes);
  EXPECT_EQ(inventory, expectedInventory);
}

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(MultiPortRun, TenPagersOverThreeCradlesGetTenConsecutiveValueSetsAndOneLogLineEach) {
  std::latch gate(3);
  std::vector<std::unique_ptr<SimCradle>> cradles;
  for (int c = 0; c < 3; ++c) {
    cradles.push_back(
        std::make_unique<SimCradle>("P" + std::to_string(c + 1), GoodPagers(10, 100 * c), gate));
  }
  const std::string log = testing::TempPath("multi_port_log.csv");
  std::remove(log.c_str());
  ScriptedUserInterface ui;

  const MultiPortRunResult result =
      RunMultiPortSequential(RunSession(), Pointers(cradles), Options(10, log), ui);

  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.programmed, 10);
  EXPECT_TRUE(result.logFileWritten);
  EXPECT_TRUE(ui.shown.empty()) << ui.Texts().front();
  ExpectConsecutiveValueSets(cradles, 10);

  // One line per pager, numbered in order, naming the port that programmed
  // it; the summary counts the same.
  const std::vector<std::string> lines = FileLines(log);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0] + "\n", PortRunLogHeader());
  std::map<std::string, int> perPort;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].substr(0, lines[i].find(',')), std::to_string(i));
    const std::string port = lines[i].substr(lines[i].rfind(',') + 1);
    ++perPort[port];
    EXPECT_EQ(lines[i] + "\n", PortRunLogLine(result.log[i - 1], result.logPorts[i - 1]));
  }
  // A cradle asks for its next pager only when it holds values for it: ten
  // pagers, three of them in from the start, make seven asks, and a cradle
  // left with nothing to do at the end asks for no pager.
  std::size_t asks = 0;
  for (const auto& cradle : cradles) asks += cradle->lastFailedSeen.size();
  EXPECT_EQ(asks, 7u);
  for (const CradleSummary& cradle : result.cradles) {
    EXPECT_EQ(perPort[cradle.port], cradle.programmed) << cradle.port;
    // Every cradle had its first pager in from the start.
    EXPECT_GE(cradle.programmed, 1) << cradle.port;
    EXPECT_EQ(cradle.failed, 0);
    EXPECT_EQ(cradle.end, CradleEnd::RunComplete);
  }
  std::remove(log.c_str());
}

TEST(MultiPortRun, AFailedPagersValuesGoToTheNextPagerOfItsCradle) {
  std::latch gate(2);
  std::vector<std::unique_ptr<SimCradle>> cradles;
  // P1's first pager refuses the codeplug; the one after it must get the
  // same addresses and inventory number, though P2 is at work beside it.
  cradles.push_back(std::make_unique<SimCradle>(
      "P1", std::vector<SimScenario>{RefusingPager(1), GoodPager(2), GoodPager(3), GoodPager(4)},
      gate));
  cradles.push_back(std::make_unique<SimCradle>("P2", GoodPagers(6, 200), gate));
  ScriptedUserInterface ui;

  const MultiPortRunResult result =
      RunMultiPortSequential(RunSession(), Pointers(cradles), Options(6), ui);

  EXPECT_EQ(result.programmed, 6);
  const std::vector<Attempt>& p1 = cradles[0]->attempts;
  ASSERT_GE(p1.size(), 2u);
  EXPECT_NE(p1[0].row.result, kSuccess);
  EXPECT_EQ(p1[0].row.serialNumber, "SIM0000001");
  EXPECT_EQ(p1[1].row.result, kSuccess);
  EXPECT_EQ(p1[1].row.serialNumber, "SIM0000002");
  EXPECT_EQ(p1[1].row.firstCapcode, p1[0].row.firstCapcode);
  EXPECT_EQ(p1[1].row.inventoryNumber, p1[0].row.inventoryNumber);
  // The cradle is told, before it changes pagers, that the last one failed.
  ASSERT_FALSE(cradles[0]->lastFailedSeen.empty());
  EXPECT_TRUE(cradles[0]->lastFailedSeen[0]);
  EXPECT_EQ(result.cradles[0].failed, 1);
  EXPECT_EQ(result.log.size(), 7u);
  ExpectConsecutiveValueSets(cradles, 6);
}

// The cradle P2 of each case stops at its first pager; its values must still
// reach a pager of another cradle, and the others must finish the run.
struct StoppedCradleCase {
  const char* name;
  CradleEnd end;
  bool portFails;
  void (*spoil)(std::vector<SimScenario>&);
};

const StoppedCradleCase kStoppedCradles[] = {
    {"port that will not open", CradleEnd::PortFailed, true, [](std::vector<SimScenario>&) {}},
    {"silent pager", CradleEnd::NotResponding, false,
     [](std::vector<SimScenario>& pagers) { pagers[0].noAnswer = true; }},
    // A failed pager and no next one: the values held for it come back.
    {"failed pager, none after it", CradleEnd::Stopped, false,
     [](std::vector<SimScenario>& pagers) {
       pagers.resize(1);
       pagers[0].rejectChecksum = true;
     }},
};

TEST(MultiPortRun, ACradleThatStopsLeavesTheOthersToFinishWithItsValues) {
  for (const StoppedCradleCase& c : kStoppedCradles) {
    SCOPED_TRACE(c.name);
    std::vector<SimScenario> p2Pagers = GoodPagers(6, 200);
    c.spoil(p2Pagers);
    std::latch gate(3);
    std::vector<std::unique_ptr<SimCradle>> cradles;
    cradles.push_back(std::make_unique<SimCradle>("P1", GoodPagers(6, 100), gate));
    cradles.push_back(std::make_unique<SimCradle>("P2", p2Pagers, gate));
    cradles.push_back(std::make_unique<SimCradle>("P3", GoodPagers(6, 300), gate));
    cradles[1]->simTransport().SetOpenFails(c.portFails);
    ScriptedUserInterface ui;

    const MultiPortRunResult result =
        RunMultiPortSequential(RunSession(), Pointers(cradles), Options(6), ui);

    EXPECT_EQ(result.programmed, 6);
    EXPECT_EQ(result.cradles[1].end, c.end);
    EXPECT_EQ(result.cradles[1].programmed, 0);
    EXPECT_EQ(result.cradles[1].failed, 1);
    EXPECT_EQ(cradles[1]->attempts.size(), 1u);
    EXPECT_EQ(result.cradles[0].programmed + result.cradles[2].programmed, 6);
    ExpectConsecutiveValueSets(cradles, 6);
  }
}

TEST(MultiPortRun, TheDuplicateAddressWarningIsAskedOnceBeforeAnyPager) {
  for (const int answer : {kResultNo, kResultYes}) {
    SCOPED_TRACE(answer);
    std::latch gate(2);
    std::vector<std::unique_ptr<SimCradle>> cradles;
    cradles.push_back(std::make_unique<SimCradle>("P1", GoodPagers(3, 100), gate));
    cradles.push_back(std::make_unique<SimCradle>("P2", GoodPagers(3, 200), gate));
    PagerSession session = RunSession();
    // Address 3 outside the block of address 1: the run repeats addresses.
    session.settings.SetText(AddressControl::Capcode, 3, "0005000");
    ScriptedUserInterface ui;
    ui.answers = {answer};

    const MultiPortRunResult result =
        RunMultiPortSequential(session, Pointers(cradles), Options(4), ui);

    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_NE(ui.shown[0].text.find("duplicate addresses"), std::string::npos);
    EXPECT_EQ(result.started, answer == kResultYes);
    EXPECT_EQ(result.programmed, answer == kResultYes ? 4 : 0);
    if (answer == kResultNo) {
      for (const auto& cradle : cradles) EXPECT_TRUE(cradle->attempts.empty());
    }
  }
}

TEST(MultiPortRun, LogWithAPortColumnAcceptsOnlyItsOwnLayout) {
  const std::string path = testing::TempPath("multi_port_layout.csv");
  std::remove(path.c_str());
  EXPECT_TRUE(RunLogAccepts(path, PortRunLogHeader()));
  ASSERT_TRUE(AppendRunLog(path, RunLogRow{1, "A", "1", "I1", 1, "t1"}));
  EXPECT_FALSE(RunLogAccepts(path, PortRunLogHeader()));
  EXPECT_TRUE(RunLogAccepts(path, RunLogHeader()));
  std::remove(path.c_str());

  const RunLogRow row{2, "SN", "0001003", "UNIT0100", 1, "t"};
  EXPECT_EQ(PortRunLogLine(row, "/dev/ttyUSB0"), "2,SN,0001003,UNIT0100,1,t,/dev/ttyUSB0\n");
  EXPECT_EQ(PortRunLogLine(row, "odd,name"), "2,SN,0001003,UNIT0100,1,t,\"odd,name\"\n");
}

}  // namespace
}  // namespace rer
