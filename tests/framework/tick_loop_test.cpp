#include "framework/tick_loop.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "support/virtual_time.h"

namespace vlt::framework {
namespace {

using testing::RecordingPrompter;
using testing::ScriptedMailslots;

// Records the tick count at which each periodic call arrives.
class ScheduleProbe : public BRParser {
 public:
  explicit ScheduleProbe(const BRLink& link) : link_(link) {}
  void OnTick() override { ticks.push_back(link_.TickCount()); }
  void OnTick10() override { ticks10.push_back(link_.TickCount()); }
  void OnTick40() override { ticks40.push_back(link_.TickCount()); }
  void OnTick200() override { ticks200.push_back(link_.TickCount()); }
  std::vector<std::uint32_t> ticks, ticks10, ticks40, ticks200;

 private:
  const BRLink& link_;
};

class CountingTest : public TestStepper {
 public:
  void Step() override { ++steps; }
  int steps = 0;
};

struct LoopFixture : ::testing::Test {
  platform::ManualClock clock;
  ScriptedMailslots mailslots;
  RecordingPrompter prompter;
  LogOutput log;
  BRLink link{mailslots, clock, prompter, log};
  RunningTestSlot running;
  std::atomic<std::uint32_t> slow{0};
  TickLoop loop{link, clock, running, slow};

  void StepMicros(std::int64_t micros) {
    clock.AdvanceMicros(micros);
    loop.Step();
  }
};

TEST_F(LoopFixture, OneCycleOf101PeriodsFollowsTheSchedule) {
  Registered<ScheduleProbe> probe(link.Parsers(), link);
  loop.Begin();
  for (int period = 0; period < 101; ++period) StepMicros(26'000);

  EXPECT_EQ(probe.ticks.size(), 101u);
  EXPECT_EQ(probe.ticks.front(), 1u);
  EXPECT_EQ(probe.ticks[99], 100u);
  EXPECT_EQ(probe.ticks[100], 0u);  // 101 values per cycle, not 100
  EXPECT_EQ(probe.ticks10, (std::vector<std::uint32_t>{2, 12, 22, 32, 42, 52, 62, 72, 82, 92}));
  EXPECT_EQ(probe.ticks40, (std::vector<std::uint32_t>{13, 53, 93}));
  EXPECT_EQ(probe.ticks200, (std::vector<std::uint32_t>{83}));
  EXPECT_EQ(slow.load(), 10u);  // one per OnTick10 period
}

TEST_F(LoopFixture, APeriodNeedsTwentySixWholeMilliseconds) {
  Registered<ScheduleProbe> probe(link.Parsers(), link);
  loop.Begin();
  StepMicros(25'900);
  EXPECT_TRUE(probe.ticks.empty());
  StepMicros(99);  // 25.999 ms: still 25 whole milliseconds
  EXPECT_TRUE(probe.ticks.empty());
  StepMicros(1);
  EXPECT_EQ(probe.ticks.size(), 1u);
  // The next period counts from where this one was noticed.
  StepMicros(25'000);
  EXPECT_EQ(probe.ticks.size(), 1u);
  StepMicros(1'000);
  EXPECT_EQ(probe.ticks.size(), 2u);
}

TEST_F(LoopFixture, AnOverrunDelaysButSkipsNoPeriod) {
  Registered<ScheduleProbe> probe(link.Parsers(), link);
  loop.Begin();
  StepMicros(500'000);  // a slow half second is one period, not nineteen
  EXPECT_EQ(probe.ticks.size(), 1u);
}

TEST_F(LoopFixture, RemovalCountdownClosesTheLinkInItsSixtiethPeriod) {
  link.Open();
  mailslots.Queue(AcknowledgeMessage(7));
  loop.Begin();
  loop.Step();
  ASSERT_EQ(link.GetState(), BRLink::State::kConnected);
  link.BeginClose();
  for (int period = 1; period < 60; ++period) StepMicros(26'000);
  EXPECT_EQ(link.GetState(), BRLink::State::kConnected);
  EXPECT_EQ(link.RemovalCountdown(), 1u);
  StepMicros(26'000);
  EXPECT_EQ(link.GetState(), BRLink::State::kClosed);
}

TEST_F(LoopFixture, TheRunningTestIsSteppedEveryLoopUntilCleared) {
  CountingTest test;
  running.Set(&test);
  loop.Begin();
  for (int i = 0; i < 5; ++i) StepMicros(1'000);
  running.Clear(&test);
  StepMicros(1'000);
  EXPECT_EQ(test.steps, 5);
}

TEST_F(LoopFixture, IdleLoopPausesUntilThePeriodButStepsFinelyForATestOrOnRequest) {
  loop.Begin();
  StepMicros(10'000);
  EXPECT_EQ(loop.PauseMicros(), 16'000);  // the rest of the 26 ms period
  CountingTest test;
  running.Set(&test);
  EXPECT_EQ(loop.PauseMicros(), 1'000);
  running.Clear(&test);
  loop.RequestFineSteps();
  EXPECT_EQ(loop.PauseMicros(), 1'000);
  loop.ReleaseFineSteps();
  StepMicros(15'900);
  EXPECT_EQ(loop.PauseMicros(), 1'000);  // never less than one step
}

// Parsers that come and go while the list is walked.
class SelfRemovingParser : public BRParser {
 public:
  explicit SelfRemovingParser(ParserRegistry& registry) : registry_(registry) {}
  void OnTick() override {
    ++calls;
    registry_.Remove(this);
  }
  int calls = 0;

 private:
  ParserRegistry& registry_;
};

TEST(ParserRegistry, ParserLeavingDuringAWalkIsNotCalledAgainAndOthersStillAre) {
  ParserRegistry registry;
  SelfRemovingParser leaving(registry);
  registry.Add(&leaving);
  int othersCalled = 0;
  struct Counter : BRParser {
    int* calls;
    void OnTick() override { ++*calls; }
  } other;
  other.calls = &othersCalled;
  registry.Add(&other);

  registry.ForEach([](BRParser& p) { p.OnTick(); });
  registry.ForEach([](BRParser& p) { p.OnTick(); });
  EXPECT_EQ(leaving.calls, 1);
  EXPECT_EQ(othersCalled, 2);
  EXPECT_EQ(registry.Count(), 1u);
  registry.Remove(&other);
}

TEST(ParserRegistry, RegisteredParsersJoinInCreationOrderAndLeaveOnDestruction) {
  ParserRegistry registry;
  std::vector<int> order;
  struct Tagged : BRParser {
    Tagged(std::vector<int>* o, int t) : order(o), tag(t) {}
    std::vector<int>* order;
    int tag;
    void OnTick() override { order->push_back(tag); }
  };
  {
    Registered<Tagged> first(registry, &order, 1);
    Registered<Tagged> second(registry, &order, 2);
    registry.ForEach([](BRParser& p) { p.OnTick(); });
  }
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(registry.Count(), 0u);
}

}  // namespace
}  // namespace vlt::framework
