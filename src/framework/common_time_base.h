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
  std::uint32_t NowMs() const {
    return static_cast<std::uint32_t>((clock_.NowMicros() - originMicros_.load()) / 1000);
  }
  platform::Clock& Clock() const { return clock_; }

 private:
  platform::Clock& clock_;
  std::atomic<std::int64_t> originMicros_;
};

}  // namespace vlt::framework
