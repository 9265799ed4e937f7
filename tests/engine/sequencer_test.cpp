#include <gtest/gtest.h>

#include "engine/element_list.h"
#include "engine/group.h"
#include "engine/test_events.h"
#include "probe_element.h"

namespace vlt::engine {
namespace {

using testing::Probe;

struct ListFixture : ::testing::Test {
  ElementList list;
  std::vector<Probe*> probes;

  Probe& Add(bool holds, bool blocks, int life) {
    auto p =
        std::make_unique<Probe>(nullptr, "P" + std::to_string(probes.size()), holds, blocks, life);
    probes.push_back(p.get());
    list.Append(std::move(p));
    return *probes.back();
  }
  void Begin() {
    list.Rewind();
    list.At(0).Start();
  }
  // Steps until the list finishes; the number of steps, or -1 past `limit`.
  int StepsToFinish(int limit = 100) {
    for (int i = 1; i <= limit; ++i) {
      if (list.Step(kEvTick5, false).finished) return i;
    }
    return -1;
  }
};

TEST_F(ListFixture, StartsOneElementPerEventAndFinishesOnceAllArePassedOver) {
  struct Case {
    const char* what;
    std::vector<std::tuple<bool, bool, int>> elements;  // holds, blocks, life
    int steps;
  } cases[] = {
      {"three instant elements", {{false, false, 0}, {false, false, 0}, {false, false, 0}}, 3},
      // A blocker holds back the next element until it ends.
      {"blocker of 4 events", {{false, false, 0}, {true, true, 4}, {false, false, 0}}, 6},
      // A holder that does not block lets the list go idle, then ends it.
      {"holder of 10 events", {{true, false, 10}, {false, false, 0}, {false, false, 0}}, 10},
      // A running element that neither holds nor blocks does not keep the list open.
      {"endless free runner", {{false, false, -1}, {false, false, 0}}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    list = ElementList();
    probes.clear();
    for (const auto& [holds, blocks, life] : c.elements) Add(holds, blocks, life);
    Begin();
    EXPECT_EQ(StepsToFinish(), c.steps);
    for (Probe* p : probes) EXPECT_EQ(p->starts, 1);
  }
}

TEST_F(ListFixture, ReportsTheStartedElementAndTheMomentItGoesIdle) {
  Add(false, false, 0);
  Add(true, false, 3);
  Begin();
  auto r = list.Step(kEvTick5, false);
  EXPECT_EQ(r.started, probes[1]);
  EXPECT_FALSE(r.becameIdle);
  r = list.Step(kEvTick5, false);
  EXPECT_EQ(r.started, nullptr);
  EXPECT_TRUE(r.becameIdle);
  EXPECT_TRUE(list.Idle());
  EXPECT_FALSE(r.finished);
  EXPECT_EQ(list.FirstHolding(), 1u);
}

TEST_F(ListFixture, AnElementEndingInItsOwnEventIsPassedOverByTheNextStep) {
  Add(true, true, 1);
  Add(true, true, -1);
  Begin();
  list.Step(kEvTick5, false);  // P0 ends inside its event
  EXPECT_EQ(list.FirstActive(), 0u);
  EXPECT_EQ(list.Current(), 1u);  // but no longer blocks, so P1 starts
  list.Step(kEvTick5, false);
  EXPECT_EQ(list.FirstActive(), 1u);
  EXPECT_EQ(probes[1]->events.size(), 1u);
}

TEST_F(ListFixture, AnAbortingStepDeliversTheEventButStartsNothing) {
  Add(false, false, -1);
  Add(false, false, 0);
  Begin();
  const auto r = list.Step(kEvAbort, true);
  EXPECT_TRUE(r.finished);
  EXPECT_EQ(r.started, nullptr);
  EXPECT_EQ(probes[1]->starts, 0);
  EXPECT_EQ(probes[0]->events, std::vector<std::uint32_t>{kEvAbort});
}

struct GroupFixture : ::testing::Test {
  // Steps the group like a list would: while active, one event each.
  static int StepsWhileActive(EGroup& g, int limit = 100) {
    for (int i = 1; i <= limit; ++i) {
      g.OnEvent(kEvTick5);
      if (!g.IsActive()) return i;
    }
    return -1;
  }
};

TEST_F(GroupFixture, SequenceModeEndsTheEventAfterItsLastBlockingChildEnds) {
  EGroup g(nullptr, EGroup::Mode::kSequence, true, true);
  auto& limit = g.Add<Probe>("limit", false, false, -1);  // like a time limit
  auto& watch = g.Add<Probe>("watch", true, true, -1);
  g.Start();
  for (int i = 0; i < 5; ++i) g.OnEvent(kEvTick5);
  EXPECT_TRUE(g.IsBlocking());
  watch.End();
  g.OnEvent(kEvTick5);
  EXPECT_FALSE(g.IsActive());
  EXPECT_TRUE(limit.IsActive());  // still set, but the group delivers nothing more
  EXPECT_EQ(limit.events.size(), 6u);
}

TEST_F(GroupFixture, AllModeEndsOnlyOnceEveryChildStartedAndNoneHolds) {
  EGroup g(nullptr, EGroup::Mode::kAll, true, false);
  g.Add<Probe>("free", false, false, -1);
  g.Add<Probe>("minimum", true, false, 6);
  g.Add<Probe>("late", false, false, 0);
  g.Start();
  // Event 1 starts "minimum", event 2 "late"; "minimum" ends at event 7.
  EXPECT_EQ(StepsWhileActive(g), 7);
  EXPECT_TRUE(g.Idle());
}

TEST_F(GroupFixture, EmptyGroupIsCompleteAtOnceAndGroupAbortEndsIt) {
  EGroup empty(nullptr, EGroup::Mode::kAll, true, true);
  empty.Start();
  EXPECT_FALSE(empty.IsActive());

  EGroup g(nullptr, EGroup::Mode::kAll, true, true);
  auto& child = g.Add<Probe>("child", true, true, -1);
  g.Start();
  g.OnEvent(kEvGroupAbort);
  EXPECT_FALSE(g.IsActive());
  EXPECT_TRUE(child.events.empty());
}

TEST_F(GroupFixture, NestedGroupsRunToAnyDepth) {
  EGroup outer(nullptr, EGroup::Mode::kSequence, true, true);
  auto& inner = outer.Add<EGroup>(EGroup::Mode::kSequence, true, true);
  auto& leaf = inner.Add<Probe>("leaf", true, true, 3);
  auto& after = outer.Add<Probe>("after", true, true, 0);
  outer.Start();
  EXPECT_TRUE(leaf.IsActive());
  EXPECT_EQ(StepsWhileActive(outer), 4);
  EXPECT_EQ(after.starts, 1);
}

TEST_F(GroupFixture, ResetLeavesNoChildActiveForTheNextRun) {
  EGroup g(nullptr, EGroup::Mode::kAll, true, false);
  auto& a = g.Add<Probe>("a", false, false, -1);
  auto& b = g.Add<Probe>("b", false, false, -1);
  g.Start();
  g.OnEvent(kEvTick5);
  ASSERT_TRUE(b.IsActive());
  g.Reset();
  EXPECT_FALSE(a.IsActive());
  EXPECT_FALSE(b.IsActive());
  // Started again, the second child gets nothing before the group starts it.
  g.Start();
  const std::size_t before = b.events.size();
  g.OnEvent(kEvTick5);
  EXPECT_EQ(b.events.size(), before);
}

}  // namespace
}  // namespace vlt::engine
