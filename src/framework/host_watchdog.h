// Notices a silent host: probes it from 150 ms of silence on, once a second, and
// says once, after 5 s, that it may have crashed. Runs on the window's 50 ms timer.
#pragma once

#include <cstdint>

#include "framework/br_link.h"
#include "framework/log_output.h"

namespace vlt::framework {

class HostWatchdog {
 public:
  static constexpr std::int32_t kSilenceStart = 100;  // timer ticks: 5 s at 50 ms

  HostWatchdog(BRLink& link, LogOutput& log) : link_(link), log_(log) {}

  // One 50 ms timer tick.
  void OnTimer();

  std::int32_t Silence() const { return silence_; }

 private:
  BRLink& link_;
  LogOutput& log_;
  std::uint32_t lastCount_ = 0;
  std::int32_t silence_ = kSilenceStart;
};

}  // namespace vlt::framework
