#include "engine/control_elements.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine_support.h"

namespace vlt::engine {
namespace {

using testing::EngineHarness;

struct ControlFixture : ::testing::Test {
  EngineHarness h;
  std::unique_ptr<engine::Test> t = h.MakeTest();

  std::size_t Count(const std::string& line) {
    const auto lines = h.Lines();
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
  }
};

TEST_F(ControlFixture, TimeLimitsFireOnTheFirst5msEventPastTheirLimit) {
  struct Case {
    std::uint32_t limit;
    int firingEvent;
  } cases[] = {{0, 1}, {5, 2}, {5000, 1001}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.limit);
    auto& abort = t->Append<ETimeLimitAbort>(c.limit);
    auto& minimum = t->Append<ETimeLimitMinimum>(c.limit);
    abort.Start();
    minimum.Start();
    const std::size_t queued = t->QueuedEvents();
    int firedAt = 0;
    for (int i = 1; i <= 2000 && firedAt == 0; ++i) {
      // Only 5 ms events count; the others come between them.
      for (std::uint32_t other : {kEvTick25, kEvTick100, kEvStart}) {
        abort.OnEvent(other);
        minimum.OnEvent(other);
      }
      abort.OnEvent(kEvTick5);
      minimum.OnEvent(kEvTick5);
      if (!abort.IsActive()) firedAt = i;
    }
    EXPECT_EQ(firedAt, c.firingEvent);
    EXPECT_FALSE(minimum.IsActive());
    EXPECT_EQ(t->QueuedEvents(), queued + 1);  // the abort
  }
  EXPECT_EQ(Count("Time limit exceeded."), 3u);
}

TEST_F(ControlFixture, KeypressIsSampledAtEachEventAndAnEmptyPromptWritesNothing) {
  auto& silent = t->Append<EWaitForUserKeypress>("", platform::kSpaceBarKey);
  auto& prompted = t->Append<EWaitForUserKeypress>(
      "Press <space> to transmit competing "
      "ADDRESS_CLAIM message.",
      platform::kSpaceBarKey);
  h.pane.Clear();
  silent.Start();
  EXPECT_EQ(h.Text(), "");
  prompted.Start();
  EXPECT_EQ(h.Lines(), std::vector<std::string>{"Press <space> to transmit competing "
                                                "ADDRESS_CLAIM message."});
  silent.OnEvent(kEvTick5);
  EXPECT_TRUE(silent.IsBlocking());
  h.keys.down.insert(platform::kSpaceBarKey);
  silent.OnEvent(0x12345678);  // any event samples the key
  EXPECT_FALSE(silent.IsActive());
  // Held down already when it starts: done at the first event.
  prompted.OnEvent(kEvTick25);
  EXPECT_FALSE(prompted.IsActive());
}

TEST_F(ControlFixture, ClearTextLogAtStartKeepsTheTextOnlyForNo) {
  struct Case {
    const char* value;  // null: the setting is missing
    bool kept;
  } cases[] = {{"No", true}, {"Yes", false}, {"no", false}, {nullptr, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value == nullptr ? "missing" : c.value);
    settings::SettingManager store(h.dataContext);
    if (c.value != nullptr) store.SetValue("Clear Text Log at Start", c.value);
    auto test = h.MakeTest(h.ContextWith(store));
    h.pane.Clear();
    h.pane.AppendLine("earlier");
    test->Append<ETextLogStartWithClear>().Start();
    EXPECT_EQ(h.Text() == "earlier\r\n", c.kept);
  }
}

TEST_F(ControlFixture, MemoIsFramedByRulesOnlyInVerboseMode) {
  auto& memo = t->Append<ETextLogMemo>("Power Up DUT");
  const std::string rule(80, '!');
  h.pane.Clear();
  memo.Start();
  EXPECT_EQ(h.Lines(), std::vector<std::string>{"Power Up DUT"});
  EXPECT_FALSE(memo.IsActive());
  h.pane.Clear();
  h.verbose = true;
  memo.Start();
  EXPECT_EQ(h.Lines(),
            (std::vector<std::string>{rule, "Power Up DUT", rule, "ETextLogMemo executed."}));
}

TEST_F(ControlFixture, DataLogActionAppliesItsControlAndEndsAtOnce) {
  DataLog& log0 = t->AddDataLog(0);
  auto& restart = t->Append<EDataLogAction>(DataLog::Action::kRestart, &log0);
  auto& stop = t->Append<EDataLogAction>(DataLog::Action::kStop, &log0);
  auto& resume = t->Append<EDataLogAction>(DataLog::Action::kResume, &log0);
  restart.Start();
  EXPECT_TRUE(log0.Recording());
  EXPECT_FALSE(restart.IsActive());
  h.clock.AdvanceMillis(700);
  const std::uint32_t origin = log0.StartTime();
  stop.Start();
  EXPECT_FALSE(log0.Recording());
  // Resuming a stopped (not paused) log records again from the same origin.
  resume.Start();
  EXPECT_TRUE(log0.Recording());
  EXPECT_EQ(log0.StartTime(), origin);
}

}  // namespace
}  // namespace vlt::engine
