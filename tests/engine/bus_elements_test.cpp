#include <gtest/gtest.h>

#include <algorithm>

#include "engine/bus_watches.h"
#include "engine/control_elements.h"
#include "engine/test_events.h"
#include "engine/tool_elements.h"
#include "engine_support.h"

namespace vlt::engine {
namespace {

using testing::EngineHarness;
using Bytes = std::vector<std::uint8_t>;

struct BusFixture : ::testing::Test {
  EngineHarness h;
  std::unique_ptr<engine::Test> t = h.MakeTest();

  std::size_t ModeCount() const { return h.ModeMessages().size(); }
  std::size_t Count(const std::string& line) {
    const auto lines = h.Lines();
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
  }
  static Bytes Data(const framework::ToolMessage& m) { return Bytes(m.data.begin(), m.data.end()); }
};

TEST_F(BusFixture, SetToolModeSendsOnlyWhenTheModeDiffersAndRepeatsUntilReported) {
  auto& same = t->Append<ESetToolMode>(3u);  // the host is in Normal already
  std::size_t before = ModeCount();
  same.Start();
  same.OnEvent(kEvTick5);
  EXPECT_FALSE(same.IsActive());
  EXPECT_EQ(ModeCount(), before);
  EXPECT_EQ(Count("Setting Brantel to Normal"), 1u);

  h.hostAnswersModes = false;
  auto& tools = t->Append<ESetToolMode>(kToolModeEchoTools);
  before = ModeCount();
  tools.Start();
  for (std::uint32_t code : {kEvTick5, kEvTick250, kEvTick100, kEvTick250}) tools.OnEvent(code);
  EXPECT_TRUE(tools.IsBlocking());
  EXPECT_EQ(ModeCount(), before + 3);  // at the start and at each 250 ms event
  EXPECT_EQ(h.ModeMessages().back(), (Bytes{0xE2, 7, 0, 0, 0, 3, 1}));
  h.mailslots.Queue(framework::ModeReportMessage(3, 1));
  h.Run(1);
  tools.OnEvent(kEvTick5);
  EXPECT_FALSE(tools.IsActive());
  EXPECT_EQ(Count("Setting Brantel to Echo|Tools"), 1u);
}

TEST_F(BusFixture, ModeSourcedFromTheTestIsReadAtEveryStart) {
  std::uint32_t saved = 2;
  auto& restore = t->Append<ESetToolMode>(static_cast<const std::uint32_t*>(&saved));
  restore.Start();
  EXPECT_EQ(restore.WantedMode(), 2u);
  saved = 5;
  restore.Start();
  EXPECT_EQ(restore.WantedMode(), 5u);
}

TEST_F(BusFixture, AddressClaimedTakesTheProfileNameChangedByItsKind) {
  h.Settings().SetValue("Full ADDRESS_CLAIM Value", "01 02 43 04 05 06 07 88");
  struct Case {
    std::uint32_t kind;
    Bytes name;
  } cases[] = {
      {kNameKindLowest, {0x01, 0x02, 0x03, 0x00, 0x05, 0x06, 0x07, 0x88}},
      {kNameKindHighest, {0x01, 0x02, 0xE3, 0xFF, 0x05, 0x06, 0x07, 0x88}},
      {7, {0x01, 0x02, 0x43, 0x04, 0x05, 0x06, 0x07, 0x88}},
  };
  for (const auto& c : cases) {
    t->Append<ESendAddressClaimed>(c.kind, "DSA For Address Claiming", &h.Settings()).Start();
    const auto sent = h.Transmits();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().sourceAddress, 253);
    EXPECT_EQ(sent.back().dgn, 0xEE00u);
    EXPECT_EQ(Data(sent.back()), c.name);
  }
  // Without a store, from the tool's own address.
  h.app.SetToolSourceAddress(0xF9);
  t->Append<ESendAddressClaimed>(kNameKindLowest).Start();
  EXPECT_EQ(h.Transmits().back().sourceAddress, 0xF9);
  EXPECT_EQ(Count("Transmitting ADDRESS_CLAIMED."), 4u);

  // The request for ADDRESS_CLAIM goes from the null address.
  const std::uint8_t dut = 0x80;
  t->Append<ESendRequestForAddressMsg>(&dut).Start();
  const auto request = h.Transmits().back();
  EXPECT_EQ(request.sourceAddress, 0xFE);
  EXPECT_EQ(request.dgn, 0xEA80u);
  EXPECT_EQ(Data(request), (Bytes{0x00, 0xEE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

struct RespondFixture : BusFixture {
  // A request for ADDRESS_CLAIM reads "EE00" in the dictionary; anything else not.
  RespondFixture() {
    h.signalValue = [](const framework::FrameRecord& frame, const std::string& name) {
      if (name != "~~DGNRequest") return std::string("N/A");
      return frame.data[0] == 0x00 && frame.data[1] == 0xEE ? std::string("EE00")
                                                            : std::string("FEEB");
    };
    t = h.MakeTest();
    DataLog& log0 = t->AddDataLog(0);
    t->Append<EDataLogAction>(DataLog::Action::kRestart, &log0);
    respond = &t->Append<ERespondWithAddressClaimed>(&log0, kNameKindHighest);
    t->Append<ETimeLimitMinimum>(2000);
    h.Settings().SetValue("Full ADDRESS_CLAIM Value", "00 EE 00 01 02 03 04 05");
    t->Start();
    h.Run(50);
  }
  ERespondWithAddressClaimed* respond = nullptr;
};

TEST_F(RespondFixture, AnswersOneRequestAbout200msLaterFromTheRequestedAddress) {
  h.Frame(0xEAFF, 0x80, {0x00, 0xFE, 0x00});  // a request for another DGN: ignored
  h.Run(10);
  h.Frame(0xEA80, 0xFE, {0x00, 0xEE, 0x00});
  h.Run(1);
  const std::int64_t requestMs = h.clock.NowMillis();
  h.Run(50);
  h.Frame(0xEA81, 0xFE, {0x00, 0xEE, 0x00});  // while an answer is pending: ignored
  ASSERT_TRUE(h.RunUntil([&] { return !h.Transmits().empty(); }, 400));
  const std::int64_t waited = h.clock.NowMillis() - requestMs;
  EXPECT_EQ(waited, 200);
  h.Run(500);
  const auto sent = h.Transmits();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].sourceAddress, 0x80);
  EXPECT_EQ(Data(sent[0]), (Bytes{0x00, 0xEE, 0xE0, 0xFF, 0x02, 0x03, 0x04, 0x05}));
  EXPECT_FALSE(respond->IsParsing());

  // An answer pending when a run ends does not leave in the next one.
  respond->Start();
  h.Frame(0xEA80, 0xFE, {0x00, 0xEE, 0x00});
  h.Run(1);
  ASSERT_NE(respond->Due(), ERespondWithAddressClaimed::kNothingDue);
  respond->Start();
  EXPECT_EQ(respond->Due(), ERespondWithAddressClaimed::kNothingDue);
}

// The answer is timed from the moment the request arrived, not from the whole
// millisecond of its stamp, and leaves on the first loop step at or after it:
// the loop is told to wake then, not a millisecond later.
TEST_F(RespondFixture, TheAnswerLeavesOnTheLoopStepThatReaches200msAfterArrival) {
  h.driver.StepMicros(300);  // 0.3 ms into a millisecond
  h.Frame(0xEA80, 0xFE, {0x00, 0xEE, 0x00});
  h.driver.StepMicros(1);
  const std::int64_t arrival = h.clock.NowMicros();
  std::int64_t pauseBeforeDue = -1;
  while (h.Transmits().empty() && h.clock.NowMicros() < arrival + 300'000) {
    const std::int64_t pause = h.app.Loop().PauseMicros();
    if (h.clock.NowMicros() + 1000 > arrival + 200'000 && pauseBeforeDue < 0) {
      pauseBeforeDue = pause;
    }
    h.driver.StepMicros(std::max<std::int64_t>(pause, 1));
  }
  ASSERT_FALSE(h.Transmits().empty());
  EXPECT_EQ(h.clock.NowMicros() - arrival, 200'000);
  EXPECT_LT(pauseBeforeDue, 1000);
  // Once answered, the loop goes back to its millisecond.
  EXPECT_EQ(h.app.Loop().PauseMicros(), 1000);
}

struct FindCase {
  const char* dgn;
  const char* instance;
  bool aborts;
  const char* message;  // null: none
};

TEST_F(BusFixture, FindDeviceChecksItsSettingsAndAbortsOnUnusableOnes) {
  const FindCase cases[] = {
      {"1FFFF", "255", false, nullptr},
      {"1FFB7", "0", false, nullptr},
      {"1FEDA", "0", true, "0 is not a valid value for Identifying Instance"},
      {"FFFF", "255", true, "FFFF is not a valid value for Identifying DGN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dgn);
    h.Settings().SetValue("Identifying DGN", c.dgn);
    h.Settings().SetValue("Identifying Instance", c.instance);
    h.pane.Clear();
    std::uint8_t found = 0;
    auto& find = t->Append<EFindDevice>(nullptr, &found);
    const std::size_t queued = t->QueuedEvents();
    find.Start();
    EXPECT_EQ(t->QueuedEvents(), queued + (c.aborts ? 1 : 0));
    EXPECT_EQ(h.Lines(),
              c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace vlt::engine
