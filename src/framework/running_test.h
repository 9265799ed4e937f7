// The running-test slot: the tick thread steps whatever test is in it. The window
// thread clears it before destroying a test, and the lock makes that wait for a
// step in progress.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>

namespace vlt::framework {

class TestStepper {
 public:
  virtual ~TestStepper() = default;
  virtual void Step() = 0;
  virtual void DumpStatus() {}
  // A moment (clock microseconds) at which the test wants its next step, when that
  // is sooner than the loop's usual pause.
  virtual std::optional<std::int64_t> WakeAtMicros() const { return std::nullopt; }
};

class RunningTestSlot {
 public:
  void Set(TestStepper* test) {
    std::lock_guard lock(mutex_);
    test_ = test;
    occupied_.store(test != nullptr);
    dumpRequested_.store(false);  // a request for the test before is not for this one
  }
  // Empties the slot if it still holds this test.
  void Clear(TestStepper* test) {
    std::lock_guard lock(mutex_);
    if (test_ == test) {
      test_ = nullptr;
      occupied_.store(false);
    }
  }
  TestStepper* Get() const {
    std::lock_guard lock(mutex_);
    return test_;
  }
  // Whether a test is in the slot, without the lock: the window asks this while
  // the tick thread may hold the lock waiting for the operator's answer.
  bool Occupied() const { return occupied_.load(); }
  // Asks the tick thread to dump the running test's status before its next
  // step: the window may not touch a test while it steps.
  void RequestDump() { dumpRequested_.store(true); }
  std::optional<std::int64_t> WakeAtMicros() const {
    std::lock_guard lock(mutex_);
    return test_ != nullptr ? test_->WakeAtMicros() : std::nullopt;
  }
  void StepIfAny() {
    std::lock_guard lock(mutex_);
    if (test_ == nullptr) return;
    if (dumpRequested_.exchange(false)) test_->DumpStatus();
    test_->Step();
  }

 private:
  mutable std::recursive_mutex mutex_;  // a test may leave the slot from inside its own step
  TestStepper* test_ = nullptr;
  std::atomic<bool> occupied_{false};
  std::atomic<bool> dumpRequested_{false};
};

}  // namespace vlt::framework
