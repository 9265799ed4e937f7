#include "engine/control_elements.h"

#include <gtest/gtest.h>

#include "engine_support.h"

namespace vlt::engine {
namespace {

TEST(ControlElements, TimeLimitsFireOnTheFirst5msEventPastTheirLimit) {
  testing::EngineHarness h;
  auto t = h.MakeTest();
  struct Case {
    std::uint32_t limit;
    int firingEvent;
  } cases[] = {{0, 1}, {5, 2}, {5000, 1001}};
  for (const auto& c : cases) {
    auto& abort = t->Append<ETimeLimitAbort>(c.limit);
    auto& minimum = t->Append<ETimeLimitMinimum>(c.limit);
    abort.Start();
    minimum.Start();
    const std::size_t queued = t->QueuedEvents();
    int firedAt = 0;
    for (int i = 1; i <= 2000 && firedAt == 0; ++i) {
      for (std::uint32_t code : {kEvTick25, kEvTick100, kEvTick5}) {  // only 5 ms events count
        abort.OnEvent(code);
        minimum.OnEvent(code);
      }
      if (!abort.IsActive()) firedAt = i;
    }
    EXPECT_EQ(firedAt, c.firingEvent) << c.limit;
    EXPECT_FALSE(minimum.IsActive());
    EXPECT_EQ(t->QueuedEvents(), queued + 1);  // the abort
    EXPECT_EQ(h.Lines().back(), "Time limit exceeded.");
  }
}

TEST(ControlElements, ClearTextLogAtStartKeepsTheTextOnlyForNo) {
  testing::EngineHarness h;
  struct Case {
    const char* value;  // null: the setting is missing
    bool kept;
  } cases[] = {{"No", true}, {"Yes", false}, {"no", false}, {nullptr, false}};
  for (const auto& c : cases) {
    settings::SettingManager store(h.dataContext);
    if (c.value != nullptr) store.SetValue("Clear Text Log at Start", c.value);
    auto t = h.MakeTest(h.ContextWith(store));
    h.pane.Clear();
    h.pane.AppendLine("earlier");
    t->Append<ETextLogStartWithClear>().Start();
    EXPECT_EQ(h.Text() == "earlier\r\n", c.kept) << (c.value ? c.value : "missing");
  }
}

}  // namespace
}  // namespace vlt::engine
