#include <gtest/gtest.h>

#include <algorithm>

#include "compliance/test_table.h"
#include "engine/bus_watches.h"
#include "engine/control_elements.h"
#include "engine/group.h"
#include "engine/test_events.h"
#include "engine/test_factory.h"
#include "engine/tool_elements.h"
#include "engine_support.h"
#include "probe_element.h"

namespace vlt::engine {
namespace {

using testing::EngineHarness;
using testing::MatchesGolden;
using testing::Probe;

// Ends at its first event and posts an abort in the same breath, as a time
// limit firing in the event that finishes the run would.
class LastGasp : public Element {
 public:
  explicit LastGasp(Test* test) : Element(test, true, false) {}
  std::string GetName() const override { return "LastGasp"; }
  void OnEvent(std::uint32_t /*code*/) override {
    Post(kEvAbort);
    active_ = false;
  }
};

// Ends the run when a claim arrives; fails or passes criteria from frames.
class ClaimJudge : public EWatchForDGN {
 public:
  ClaimJudge(Test* test, DataLog* log) : EWatchForDGN(test, log) {}
  std::string GetName() const override { return "ClaimJudge"; }
  void OnMatch(DataLog& log, int index, const framework::FrameRecord& frame) override {
    test_->PassCriterion(0x101, "Address Claim Received", &log, index);
    if (frame.sourceAddress != 253)
      test_->FailCriterion(0x103, "Attempting to claim other", &log, index);
    test_->MarkTime(0, frame.timeStamp);
    active_ = false;
  }
};

class IndexOneTest : public Test {
 public:
  explicit IndexOneTest(const TestContext& context) : Test(context, 1, compliance::IdentityOf(1)) {}
};

struct RunFixture : ::testing::Test {
  EngineHarness h;

  std::size_t Count(const std::string& line) {
    const auto lines = h.Lines();
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
  }
  bool RunToEnd(engine::Test& t, int limitMs = 60'000) {
    return h.RunUntil([&] { return !t.Running(); }, limitMs);
  }
};

TEST_F(RunFixture, BaseElementsAloneGiveBannerCompleteAndReport) {
  auto t = h.MakeTest(1);
  h.pane.AppendLine("left from before");
  t->Start();
  EXPECT_TRUE(h.pane.ReadOnly());
  EXPECT_EQ(h.app.RunningTest().Get(), t.get());
  ASSERT_TRUE(RunToEnd(*t, 50));
  EXPECT_TRUE(MatchesGolden(h.Text(), "base_elements_report.txt"));
  EXPECT_FALSE(h.pane.ReadOnly());
  EXPECT_EQ(h.app.RunningTest().Get(), nullptr);
  // The mode query of EGetToolMode, then the saved mode (Normal) restored.
  EXPECT_EQ(h.ModeMessages(), (std::vector<std::vector<std::uint8_t>>{
                                  {0xE2, 7, 0, 0, 0, 0xFF, 0xFF}, {0xE2, 7, 0, 0, 0, 0, 0}}));
}

TEST_F(RunFixture, ReportListsUsedSettingsCriteriaAndTheirEvidence) {
  auto t = h.MakeTest(10);
  DataLog& log0 = t->AddDataLog(0);
  t->Append<EDataLogAction>(DataLog::Action::kRestart, &log0);
  t->Append<ESendAddressClaimed>(kNameKindLowest, "DSA For Address Claiming", &h.Settings());
  auto& step = t->Append<EGroup>(EGroup::Mode::kSequence, true, true);
  step.Add<ETimeLimitAbort>(300);
  step.Add<ClaimJudge>(&log0);
  t->AddCriterion(0x101, "Broadcasts Address Claim");
  t->AddCriterion(0x102, "Claimed Address is not device type's DSA, with a text this long.");
  t->AddCriterion(0x103, "Claimed Address is not device type's DSA.");
  h.Settings().SetValue("Full ADDRESS_CLAIM Value", "00 EE 00 01 02 03 04 05");
  t->Start();
  h.Run(100);
  h.Frame(0x1FFFF, 0x80, {1, 2});
  h.Frame(0xEE00, 0x80, {0, 0xEE, 0, 1, 2, 3, 4, 5});
  h.Run(20);
  // The claim ended the group: its time limit never fires, the run is not aborted.
  ASSERT_TRUE(RunToEnd(*t, 1000));
  EXPECT_FALSE(t->Aborted());
  EXPECT_TRUE(MatchesGolden(h.Text(), "criteria_report.txt"));
}

TEST_F(RunFixture, TimeLimitBesideABlockingWatchAbortsWhenNoClaimComes) {
  // The line before the abort line says what was missed: the limit's words, else
  // the wait of what holds the run (the judge has no words of its own).
  struct Case {
    bool answer;
    LimitWords words;
    std::vector<std::string> tail;
  } cases[] = {
      {false,
       {},
       {"Time limit exceeded.", "Waiting in ClaimJudge.", "Test A10 aborted.", "Test A10 complete.",
        "Test Aborted.  No Report."}},
      {true,
       {"ADDRESS_CLAIM", "Power Up DUT"},
       {"Time limit exceeded.", "No ADDRESS_CLAIM heard within 100 ms of Power Up DUT.",
        "Test A10 aborted.", "Test A10 complete."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    h.pane.Clear();
    h.prompter.decisions.clear();
    h.prompter.answer = c.answer;
    auto t = h.MakeTest(1);
    DataLog& log0 = t->AddDataLog(0);
    auto& step = t->Append<EGroup>(EGroup::Mode::kSequence, true, true);
    auto& limit = step.Add<ETimeLimitAbort>(100, kEvAbort, c.words);
    step.Add<ClaimJudge>(&log0);
    t->Start();
    ASSERT_TRUE(RunToEnd(*t, 1000));
    EXPECT_TRUE(t->Aborted());
    // More than 100 ms of 5 ms events: the 21st.
    EXPECT_EQ(limit.Elapsed(), 105u);
    ASSERT_EQ(h.prompter.decisions.size(), 1u);
    EXPECT_EQ(h.prompter.decisions[0],
              std::make_pair(std::string("\r\nTest ABORTED!"),
                             std::string("Do you want to log the results?")));
    const auto lines = h.Lines();
    const auto at = std::find(lines.begin(), lines.end(), "Time limit exceeded.");
    ASSERT_NE(at, lines.end());
    const std::vector<std::string> tail(at, at + static_cast<long>(c.tail.size()));
    EXPECT_EQ(tail, c.tail);
    const bool reported = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
                            return l.ends_with("    ABORTED!!!");
                          }) != lines.end();
    EXPECT_EQ(reported, c.answer);
    h.app.RunningTest().Clear(t.get());
  }
}

// A time limit that notes, in virtual time, when it started and when it fired.
class TimedLimit : public ETimeLimitAbort {
 public:
  TimedLimit(Test* test, const platform::ManualClock& clock, std::uint32_t limitMs)
      : ETimeLimitAbort(test, limitMs), clock_(clock) {}
  void Start() override {
    ETimeLimitAbort::Start();
    startMs = clock_.NowMillis();
  }
  void OnEvent(std::uint32_t code) override {
    ETimeLimitAbort::OnEvent(code);
    if (!IsActive() && firedMs < 0) firedMs = clock_.NowMillis();
  }
  std::int64_t startMs = -1;
  std::int64_t firedMs = -1;

 private:
  const platform::ManualClock& clock_;
};

// The 5 ms events keep their nominal rate on a slow loop, so a limit of N ms
// fires after more than N ms and at most one event gap (plus the loop's own
// step) later, wherever in the schedule it starts.
TEST_F(RunFixture, AFiveSecondLimitFiresWithinOneEventGapOnFastAndSlowLoops) {
  for (const int loopMs : {1, 3}) {
    h.driver.loopMillis = loopMs;
    for (int lead = 0; lead < 6; ++lead) {
      SCOPED_TRACE(::testing::Message() << loopMs << " ms loop, " << lead << " leading elements");
      auto t = h.MakeTest(1);
      for (int i = 0; i < lead; ++i) t->Append<Probe>("Lead", false, false, 0);
      auto& limit = t->Append<TimedLimit>(h.clock, 5000);
      limit.SetHolds(true);  // the run lasts until it fires
      t->Start();
      ASSERT_TRUE(RunToEnd(*t, 8000));
      ASSERT_GE(limit.firedMs, 0);
      const std::int64_t took = limit.firedMs - limit.startMs;
      EXPECT_GT(took, 5000);
      EXPECT_LE(took, 5000 + static_cast<std::int64_t>(kTick5Ms) + loopMs - 1);
      h.app.RunningTest().Clear(t.get());
    }
  }
}

// A loop that stalls for longer than a period posts one 5 ms event, not a burst
// to catch up, and the schedule goes on from then.
TEST_F(RunFixture, AStalledLoopRestartsTheTimerScheduleInsteadOfABurst) {
  auto t = h.MakeTest(1);
  auto& probe = t->Append<Probe>("Probe", true, true);
  t->Start();
  h.Run(100);
  const auto fives = [&] { return std::count(probe.events.begin(), probe.events.end(), kEvTick5); };
  const auto before = fives();
  h.clock.AdvanceMillis(50);
  h.Run(1);
  EXPECT_EQ(fives(), before + 1);
  h.Run(5);
  EXPECT_EQ(fives(), before + 1);
  h.Run(1);
  EXPECT_EQ(fives(), before + 2);
  h.Run(100);
  EXPECT_EQ(fives(), before + 22);
  t->PostEvent(kEvAbort);
  h.Run(1);
  h.app.RunningTest().Clear(t.get());
}

TEST_F(RunFixture, EventsQueuedBehindTheFinishAreDroppedButLaterOnesWaitForTheNextRun) {
  auto t = h.MakeTest(1);
  t->Append<LastGasp>();
  t->Start();
  ASSERT_TRUE(RunToEnd(*t, 100));
  h.Run(50);
  EXPECT_EQ(Count("Test A10 complete."), 1u);
  EXPECT_EQ(Count("Test A10 aborted."), 0u);
  EXPECT_FALSE(t->Aborted());
  EXPECT_TRUE(h.prompter.decisions.empty());
  EXPECT_EQ(t->QueuedEvents(), 0u);

  // Posted while no run is going: kept, and the next run handles it first.
  t->PostEvent(kEvAbort);
  h.Run(20);
  EXPECT_EQ(t->QueuedEvents(), 1u);
  h.pane.Clear();
  t->Start();
  ASSERT_TRUE(RunToEnd(*t, 100));
  EXPECT_TRUE(t->Aborted());
  EXPECT_EQ(Count("Test A10 aborted."), 1u);
  EXPECT_EQ(Count("Test A10 complete."), 1u);
}

TEST_F(RunFixture, PausedRunsCountNoTimeButControlEventsStillReachElements) {
  auto t = h.MakeTest(1);
  DataLog& log0 = t->AddDataLog(0);
  t->Append<EDataLogAction>(DataLog::Action::kRestart, &log0);
  auto& minimum = t->Append<ETimeLimitMinimum>(200);
  auto& probe = t->Append<Probe>("probe", false, false);
  t->Start();
  h.Run(100);
  h.Frame(0x1FFFF, 0x80, {1});
  t->PostEvent(kEvPause);
  h.Run(5);
  const std::uint32_t elapsed = minimum.Elapsed();
  const std::size_t probeEvents = probe.events.size();
  h.Frame(0x1FFFF, 0x80, {2});  // not recorded while paused
  h.Run(2000);
  t->PostEvent(kEvInvalidSetting);
  h.Run(2);
  EXPECT_TRUE(t->Paused());
  EXPECT_EQ(minimum.Elapsed(), elapsed);
  EXPECT_EQ(probe.events.size(), probeEvents + 1);
  EXPECT_EQ(probe.events.back(), kEvInvalidSetting);
  EXPECT_TRUE(t->Running());

  t->PostEvent(kEvResume);
  h.Run(1);
  h.Frame(0x1FFFF, 0x80, {3});
  ASSERT_TRUE(RunToEnd(*t, 1000));
  EXPECT_EQ(Count("Pausing test."), 1u);
  EXPECT_EQ(Count("Resuming test."), 1u);
  ASSERT_EQ(log0.Size(), 2u);
  // The pause (about 2 s) is taken out of the log's clock.
  EXPECT_LT(std::uint32_t{log0.Frame(1).relativeTime}, 200u);
  EXPECT_GT(std::uint32_t{log0.Frame(1).timeStamp}, 2000u);
}

TEST_F(RunFixture, RestoresTheHostModeUnlessTheProfileSaysNo) {
  for (const char* restore : {"Yes", "No"}) {
    SCOPED_TRACE(restore);
    h.Settings().SetValue("Restore Brantel Mute/Echo Modes After Test", restore);
    const std::size_t before = h.ModeMessages().size();
    auto t = h.MakeTest(1);
    t->Append<ESetToolMode>(kToolModeTools);
    t->Start();
    ASSERT_TRUE(RunToEnd(*t, 200)) << h.Text();
    const auto all = h.ModeMessages();
    const std::vector<std::vector<std::uint8_t>> modes(all.begin() + static_cast<long>(before),
                                                       all.end());
    ASSERT_GE(modes.size(), 2u);
    EXPECT_EQ(modes[1], (std::vector<std::uint8_t>{0xE2, 7, 0, 0, 0, 3, 0}));  // Tools
    const bool restored = modes.back() == std::vector<std::uint8_t>{0xE2, 7, 0, 0, 0, 0, 0};
    EXPECT_EQ(restored, std::string(restore) == "Yes");
    EXPECT_EQ(t->RestoreModes(), std::string(restore) == "Yes");
    h.Run(5);  // let the host's report of the restored mode arrive
  }
}

TEST_F(RunFixture, VerboseRunShowsElementsTraceAndStatusBoxes) {
  h.verbose = true;
  auto t = h.MakeTest(1);
  t->Append<ETimeLimitMinimum>(600);
  t->Start();
  ASSERT_TRUE(RunToEnd(*t, 2000));
  const auto lines = h.Lines();
  // Element 0 runs inside Start, before the banner of the start event.
  const std::vector<std::string> banner(lines.begin(), lines.begin() + 8);
  EXPECT_EQ(banner, (std::vector<std::string>{
                        "ETextLogStartWithClear executed.", std::string(80, '='),
                        "Starting Test : A10  10-2025   Static Addressing Bootup",
                        "Test Elements: ", " 0 ETextLogStartWithClear        ",
                        " 1 EGetToolMode                  BlocksHolds",
                        " 2 ETimeLimitMinimum             Holds", std::string(80, '=')}));
  EXPECT_EQ(Count("ETimeLimitMinimum complete."), 1u);
  EXPECT_EQ(Count("Restoring Brantel mode to Normal"), 1u);
  const auto& s = h.status.statuses;
  EXPECT_EQ(s.front(), "ETextLogStartWithClear");
  EXPECT_NE(std::find(s.begin(), s.end(), "Idling [2 : 3]"), s.end());
  EXPECT_EQ(s.back(), "Done");
  ASSERT_FALSE(h.status.strips.empty());
  EXPECT_TRUE(h.status.strips.back().starts_with("{\\rtf1\\ansi\\deff0 {\\colortbl;"));
  EXPECT_TRUE(h.status.strips.back().ends_with("{\\cf0 . }{\\cf0 . }{\\cf2 > }}"));
  ASSERT_FALSE(h.status.rates.empty());
  EXPECT_TRUE(h.status.rates.back().ends_with(" ms/t"));
}

TEST_F(RunFixture, ARepeatedRunStartsFromScratch) {
  auto t = h.MakeTest(1);
  DataLog& log0 = t->AddDataLog(0);
  t->Append<EDataLogAction>(DataLog::Action::kRestart, &log0);
  auto& all = t->Append<EGroup>(EGroup::Mode::kAll, true, false);
  all.Add<Probe>("free", false, false);
  all.Add<ETimeLimitMinimum>(50);
  Failure& f = t->AddCriterion(0x101, "c");
  t->Start();
  h.Run(10);
  h.Frame(0x1FFFF, 0x80, {});
  t->MarkTime(0, -1);
  f.Fail("first run", &log0, 0);
  ASSERT_TRUE(RunToEnd(*t, 500));
  ASSERT_TRUE(all.Child(0).IsActive());

  t->Start();
  EXPECT_EQ(f.GetState(), Failure::State::kUndecided);
  EXPECT_EQ(log0.Size(), 0u);
  EXPECT_FALSE(all.Child(0).IsActive());
  EXPECT_EQ(t->TimeSince(0), -1);
  ASSERT_TRUE(RunToEnd(*t, 500));
}

// Notes, on each step the observer sees, whether the run was over and whether
// the slot still held the test, which tells the window a run is going.
class SlotWatcher final : public RunObserver {
 public:
  explicit SlotWatcher(framework::RunningTestSlot& slot) : slot_(slot) {}
  void OnStart(const Test& /*test*/) override {}
  void OnStep(const Test& test) override {
    if (test.Running()) return;
    ++finishedSteps;
    if (!slot_.Occupied()) ++stepsAfterLeaving;
  }
  int finishedSteps = 0;
  int stepsAfterLeaving = 0;

 private:
  framework::RunningTestSlot& slot_;
};

TEST_F(RunFixture, TheSlotHoldsAFinishedRunUntilTheObserverHasSeenItsLastStep) {
  SlotWatcher watcher(h.app.RunningTest());
  TestContext context = h.Context();
  context.runObserver = &watcher;
  auto t = h.MakeTest(context, 1);
  t->Append<ETimeLimitMinimum>(30);
  for (const bool abort : {false, true}) {
    SCOPED_TRACE(abort ? "aborted" : "complete");
    watcher.finishedSteps = watcher.stepsAfterLeaving = 0;
    t->Start();
    h.Run(10);
    if (abort) t->PostEvent(kEvAbort);
    ASSERT_TRUE(RunToEnd(*t, 500));
    EXPECT_EQ(t->Aborted(), abort);
    EXPECT_EQ(watcher.finishedSteps, 1);
    // The window may start the next run once the slot is empty: not before the
    // finishing step's observer is done with the journal, logs and criteria.
    EXPECT_EQ(watcher.stepsAfterLeaving, 0);
    EXPECT_EQ(h.app.RunningTest().Get(), nullptr);
  }
}

TEST_F(RunFixture, SkippedRecordAndDefaultLogName) {
  auto t = h.MakeTest(10);
  t->WriteSkipped("DUT has no dynamic addressing.");
  EXPECT_TRUE(MatchesGolden(h.Text(), "skipped_record.txt"));
  EXPECT_EQ(t->DefaultLogName(), "Default Product_A100_2601221405");
}

TEST_F(RunFixture, FactoryCreatesRegisteredCodesOnly) {
  TestFactory factory;
  EXPECT_TRUE(factory.Register("A10", MakeRegistered<IndexOneTest>));
  EXPECT_FALSE(factory.Register("", MakeRegistered<IndexOneTest>));
  EXPECT_FALSE(factory.Register("A20", nullptr));
  auto t = factory.Create("A10  ", h.Context());
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(h.app.Link().Parsers().Count(), 4u);  // master, PRODUCT_ID, activity, test
  EXPECT_EQ(factory.Create("RAC", h.Context()), nullptr);
  EXPECT_EQ(factory.Create("A20", h.Context()), nullptr);
  EXPECT_EQ(factory.Create("", h.Context()), nullptr);
}

}  // namespace
}  // namespace vlt::engine
