// The feed between the tick thread and the window: one thread steps an A-10 run
// (the test, its data log and the feed's OnStep), another takes copies as the
// window's timer does, with no lock but the feed's own.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "results/results_support.h"
#include "results/run_trace.h"

namespace vlt::results {
namespace {

TEST(TraceFeedThreads, TheWindowTakesCopiesWhileTheTickThreadSteps) {
  TraceFeed feed;
  auto bench = testing::A10Bench({});
  auto test = testing::MakeObserved(*bench, "A10", &feed);
  test->Start();
  std::atomic<bool> done{false};
  std::thread tick([&] {
    for (int ms = 0; ms < 60'000 && (test->Running() || bench->app->RunningTest().Get()); ++ms) {
      bench->Step(1);
    }
    done = true;
  });
  RunTrace window;
  int updates = 0;
  while (!done) {
    if (feed.Update(window)) ++updates;
    std::this_thread::yield();
  }
  tick.join();
  feed.Update(window);
  EXPECT_GT(updates, 0);
  EXPECT_TRUE(window.finished);
  const RunTrace whole = CaptureRunTrace(*test);
  EXPECT_EQ(window.frames.Size(), whole.frames.Size());
  EXPECT_EQ(window.notes.size(), whole.notes.size());
  EXPECT_EQ(window.criteria, whole.criteria);
}

}  // namespace
}  // namespace vlt::results
