// Milliseconds since the most recent test was created: frame records, time marks
// and test timing all use it, so they compare with each other.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/clock.h"

namespace vlt::framework {

class CommonTimeBase {
 public:
  explicit CommonTimeBase(platform::Clock& clock)
      : clock_(clock), originMicros_(clock.NowMicros()) {}

  void Reset() { originMicros_.store(clock_.NowMicros()); }
  std::uint32_t NowMs() const { return static_cast<std::uint32_t>(NowMicros() / 1000); }
  // The same line in microseconds, for deadlines finer than a millisecond.
  std::int64_t NowMicros() const { return clock_.NowMicros() - originMicros_.load(); }
  // A moment of this line on the clock's own line.
  std::int64_t ClockMicrosAt(std::int64_t micros) const { return originMicros_.load() + micros; }
  platform::Clock& Clock() const { return clock_; }

 private:
  platform::Clock& clock_;
  std::atomic<std::int64_t> originMicros_;
};

}  // namespace vlt::framework
