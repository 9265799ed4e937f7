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

TEST_F(BusFixture, GetToolModeBlocksAndRequeriesEvery100msWhileTheModeIsUnknown) {
  h.hostAnswersModes = false;
  h.mailslots.Queue(framework::ModeReportMessage(7, 0));  // no known mode
  h.Run(1);
  std::uint32_t target = 0;
  auto& get = t->Append<EGetToolMode>(&target);
  const std::size_t before = ModeCount();
  get.Start();
  for (std::uint32_t code : {kEvTick5, kEvTick100, kEvTick25, kEvTick100}) get.OnEvent(code);
  EXPECT_TRUE(get.IsBlocking());
  EXPECT_EQ(target, kUnknownToolMode);
  EXPECT_EQ(ModeCount(), before + 3);
  EXPECT_EQ(h.ModeMessages().back(), (Bytes{0xE2, 7, 0, 0, 0, 0xFF, 0xFF}));
  h.mailslots.Queue(framework::ModeReportMessage(2, 1));
  h.Run(1);
  get.OnEvent(kEvTick5);
  EXPECT_FALSE(get.IsActive());
  EXPECT_EQ(target, 4u);  // Echo|Silent
}

TEST_F(BusFixture, EmptyNetworkNeedsMoreThanItsQuietLimitWithoutFrames) {
  struct Case {
    int frameEvery;  // 100 ms events between frames; 0: none
    int endsAt;      // the event that ends it; 0: never within 60
  } cases[] = {{0, 11}, {9, 0}, {11, 0}, {12, 11}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.frameEvery);
    auto& quiet = t->Append<EEmptyNetwork>();
    quiet.Start();
    int endedAt = 0;
    for (int i = 1; i <= 60 && endedAt == 0; ++i) {
      if (c.frameEvery > 0 && i % c.frameEvery == 0) h.Frame(0x1FFFF, 0x42, {1});
      h.Run(1);
      quiet.OnEvent(kEvTick5);  // only 100 ms events count
      quiet.OnEvent(kEvTick100);
      if (!quiet.IsActive()) endedAt = i;
    }
    // Ten quiet events are 1000 ms, not more: a frame at every eleventh keeps it waiting.
    EXPECT_EQ(endedAt, c.endsAt);
  }
}

TEST_F(BusFixture, RequestForAddressClaimGoesFromTheNullAddressToTheDestination) {
  const std::uint8_t dut = 0x80;
  t->Append<ESendRequestForAddressMsg>(&dut).Start();
  const auto sent = h.Transmits();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].sourceAddress, 0xFE);
  EXPECT_EQ(sent[0].dgn, 0xEA80u);
  EXPECT_EQ(sent[0].priority, 6);
  EXPECT_EQ(Data(sent[0]), (Bytes{0x00, 0xEE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
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
}

TEST_F(BusFixture, AddressClaimedReportsUnusableSettings) {
  h.Settings().SetValue("DSA For Address Claiming", "0");
  h.Settings().SetValue("Full ADDRESS_CLAIM Value", "01 02 03");
  const std::size_t queued = t->QueuedEvents();
  auto& send =
      t->Append<ESendAddressClaimed>(kNameKindLowest, "DSA For Address Claiming", &h.Settings());
  send.Start();
  EXPECT_FALSE(send.IsActive());
  EXPECT_TRUE(h.Transmits().empty());
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{
                           "0 is not a valid value for DSA For Address Claiming",
                           "01 02 03 is not a valid value for Full ADDRESS_CLAIM Value"}));
  EXPECT_EQ(t->QueuedEvents(), queued + 1);  // 80004004h, which nothing acts on
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
  EXPECT_GT(waited, 200);
  EXPECT_LE(waited, 208);
  h.Run(500);
  const auto sent = h.Transmits();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].sourceAddress, 0x80);
  EXPECT_EQ(Data(sent[0]), (Bytes{0x00, 0xEE, 0xE0, 0xFF, 0x02, 0x03, 0x04, 0x05}));
  EXPECT_FALSE(respond->IsParsing());
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

TEST_F(BusFixture, FindDeviceMatchesTheDgnAndTheInstanceInDataByteZero) {
  DataLog& log0 = t->AddDataLog(0);
  log0.Restart();
  h.Settings().SetValue("Identifying DGN", "1FEDA");
  h.Settings().SetValue("Identifying Instance", "3");
  std::uint8_t found = 0;
  auto& find = t->Append<EFindDevice>(&log0, &found);
  find.Start();
  h.Frame(0x1FEDA, 0x41, {});         // no instance byte
  h.Frame(0x1FEDA, 0x42, {2, 0xFF});  // another instance
  h.Frame(0x1FEDB, 0x43, {3});        // another DGN
  h.Frame(0x1FEDA, 0x44, {3, 0xFF});
  h.clock.AdvanceMillis(1500);
  h.Run(1);
  EXPECT_EQ(found, 0x44);
  EXPECT_FALSE(find.IsActive());
  EXPECT_EQ(h.Lines().back(), "DUT found at source address=68   time=      1.501");

  // Without an instance ("N/D", which only a profile or frame can give), any
  // frame of the DGN, even without data.
  settings::SettingManager store(h.dataContext);
  store.SetValue("Identifying DGN", "1FEDA");
  store.SetValue("Identifying Instance", "N/D");
  auto other = h.MakeTest(h.ContextWith(store));
  DataLog& log1 = other->AddDataLog(0);
  log1.Restart();
  auto& any = other->Append<EFindDevice>(&log1, &found);
  any.Start();
  EXPECT_EQ(any.Instance(), EFindDevice::kAnyInstance);
  h.Frame(0x1FEDA, 0x41, {});
  h.Run(1);
  EXPECT_EQ(found, 0x41);
}

TEST_F(BusFixture, ActivityWaitNeedsFiveFramesFromItsAddressOrAbortsWithoutOne) {
  DataLog& log0 = t->AddDataLog(0);
  log0.Restart();
  settings::SettingManager empty(h.dataContext);
  auto& lost = t->Append<EWaitForActivityAtAddress>(&log0, "DSA For Address Claiming", &empty);
  const std::size_t queued = t->QueuedEvents();
  lost.Start();
  EXPECT_FALSE(lost.IsActive());
  EXPECT_EQ(t->QueuedEvents(), queued + 1);
  EXPECT_EQ(Count("DSA For Address Claiming does not indicate a valid address."), 1u);

  auto& wait =
      t->Append<EWaitForActivityAtAddress>(&log0, "DSA For Address Claiming", &h.Settings());
  wait.Start();
  EXPECT_EQ(h.Lines().back(), "Waiting for activity at address 253");
  for (int i = 0; i < 4; ++i) h.Frame(0x1FFFF, 253, {});
  h.Frame(0x1FFFF, 252, {});
  h.Run(1);
  EXPECT_TRUE(wait.IsBlocking());
  h.Frame(0x1FFFF, 253, {});
  h.Run(1);
  EXPECT_FALSE(wait.IsActive());
}

}  // namespace
}  // namespace vlt::engine
