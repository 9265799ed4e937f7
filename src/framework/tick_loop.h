// The tick thread's loop: after each pause, the receive and send passes, one step
// of the running test and, when at least 26 whole milliseconds have passed since
// the period began, one period of parser calls on a 101-period schedule.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "framework/br_link.h"
#include "framework/running_test.h"
#include "platform/clock.h"

namespace vlt::framework {

class TickLoop {
 public:
  static constexpr std::int64_t kMinPeriodMs = 26;

  TickLoop(BRLink& link, platform::Clock& clock, RunningTestSlot& runningTest,
           std::atomic<std::uint32_t>& slowCounter);

  // The period start is now.
  void Begin();
  // Everything of one loop after the pause.
  void Step();
  // One period of parser calls (what Step runs once 26 ms have passed).
  void RunPeriod();

  // How long the thread may pause before the next Step: 1 ms while a test runs or
  // someone asked for fine steps (less when the test wants its step sooner),
  // otherwise until the next period is due. A host message ends any pause at
  // once, so frames are never held back.
  std::int64_t PauseMicros() const;
  // Fine 1 ms steps for as long as the returned count is held above zero.
  void RequestFineSteps() { ++fineStepRequests_; }
  void ReleaseFineSteps() { --fineStepRequests_; }

 private:
  BRLink& link_;
  platform::Clock& clock_;
  RunningTestSlot& runningTest_;
  std::atomic<std::uint32_t>& slowCounter_;
  std::atomic<std::int64_t> periodStartMicros_{0};
  std::atomic<int> fineStepRequests_{0};
};

// Runs a TickLoop on its own thread, pausing about 1 ms per loop.
class TickThread {
 public:
  using Pause = std::function<void()>;
  TickThread(TickLoop& loop, Pause pause);
  ~TickThread();
  TickThread(const TickThread&) = delete;
  TickThread& operator=(const TickThread&) = delete;

  void Start();
  // Clears the run flag and waits until the thread has left its loop.
  void Stop();
  bool Running() const { return thread_.joinable(); }

 private:
  TickLoop& loop_;
  Pause pause_;
  std::atomic<bool> run_{false};
  std::thread thread_;
};

}  // namespace vlt::framework
