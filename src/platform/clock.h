// Time for everything above the platform: a monotonic microsecond line and the
// millisecond field of the UTC wall clock. Programs use SteadyClock; tests use
// ManualClock and move time themselves, so nothing waits on real time.
#pragma once

#include <atomic>
#include <cstdint>

namespace vlt::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic time in microseconds; only differences mean anything.
  virtual std::int64_t NowMicros() const = 0;
  // Milliseconds within the current UTC second (0 to 999).
  virtual int UtcMillisecondField() const = 0;
  // Seconds since 1970 (UTC), for dates written into reports and file headers.
  virtual std::int64_t UtcSeconds() const = 0;

  std::int64_t NowMillis() const { return NowMicros() / 1000; }
};

class SteadyClock final : public Clock {
 public:
  std::int64_t NowMicros() const override;
  int UtcMillisecondField() const override;
  std::int64_t UtcSeconds() const override;
};

// Virtual time: starts at an arbitrary non-zero point and moves only when told.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(std::int64_t startMicros = 1'000'000'000) : now_(startMicros) {}

  std::int64_t NowMicros() const override { return now_.load(std::memory_order_acquire); }
  int UtcMillisecondField() const override { return utcMillis_.load(); }
  std::int64_t UtcSeconds() const override { return utcBase_.load() + NowMicros() / 1'000'000; }

  void AdvanceMicros(std::int64_t micros) { now_.fetch_add(micros, std::memory_order_acq_rel); }
  void AdvanceMillis(std::int64_t millis) { AdvanceMicros(millis * 1000); }
  void SetUtcMillisecondField(int millis) { utcMillis_.store(millis); }
  void SetUtcBase(std::int64_t seconds) { utcBase_.store(seconds); }

 private:
  std::atomic<std::int64_t> now_;
  std::atomic<int> utcMillis_{42};
  std::atomic<std::int64_t> utcBase_{1'767'225'600};  // 2026-01-01
};

}  // namespace vlt::platform
