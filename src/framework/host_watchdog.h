// Keeps the tester's link to its host honest, on the window's 50 ms timer. It
// probes a silent host from 150 ms on, once a second; after 5 s without any
// message it says once that the host may have crashed and takes the link for
// down, so that a running test aborts (the test writes why). While the link is
// down it registers again every second, and says so when a host has taken the
// tool back. Silence is measured on the link's clock, not in timer ticks: a
// window thread slowed by a loaded machine still notices a dead host after 5 s.
//
// Silence counts only while the tick thread keeps reading: a tick thread that
// waits for the operator's answer reads nothing, and the host is not to blame.
// Nor is a host that said goodbye, or none reached at start: nothing is read then.
//
// What a window shows of the link, all on the window thread:
//   HostWatchdog::GetStatus()  connecting, connected, lost, reconnecting, closed
//   BRLink::HostLocation()     the run folder the host is looked for in
//   BRLink::DownReason()       why the link is down, a sentence for the operator
//   BRLink::Down()             true: tests cannot run (a running one aborts)
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/br_link.h"
#include "framework/log_output.h"

namespace vlt::framework {

class HostWatchdog {
 public:
  enum class Status : std::uint8_t {
    kConnecting,    // registered at start-up; the host has not acknowledged yet
    kConnected,     // the host acknowledged and answers
    kLost,          // no host answers at the run folder; registration is retried every second
    kReconnecting,  // registered again with a host that is there; its acknowledgement is awaited
    kClosed,        // the tool closed the link itself (shutdown)
  };

  static constexpr std::int64_t kSilenceLimitMicros = 5'000'000;
  static constexpr std::int64_t kFirstProbeMicros = 150'000;
  static constexpr std::int64_t kProbeEveryMicros = 1'000'000;
  // A window thread held up longer than this between two timer ticks did not
  // watch meanwhile: the host gets its probes before it is taken for dead.
  static constexpr std::int64_t kMaxCountedTickMicros = 250'000;
  static constexpr std::int32_t kRegisterEveryTicks = 20;  // 1 s, while the link is down

  HostWatchdog(BRLink& link, LogOutput& log) : link_(link), log_(log) {}

  // One 50 ms timer tick.
  void OnTimer();
  // Where the watchdog's own lines go (the host may have crashed, registered
  // again) instead of the log pane: a window keeps them out of a test's report.
  void SetNoteSink(std::function<void(const std::string&)> sink) { noteSink_ = std::move(sink); }

  Status GetStatus() const;
  // Microseconds without a message while the tick thread kept reading.
  std::int64_t SilentMicros() const { return silentMicros_; }

 private:
  void WatchSilence();
  void MendLink();
  void Say(const std::string& line);

  BRLink& link_;
  LogOutput& log_;
  std::function<void(const std::string&)> noteSink_;
  std::uint32_t lastCount_ = 0;
  std::uint32_t lastPolls_ = 0;
  std::int64_t lastTickMicros_ = -1;  // none yet
  std::int64_t silentMicros_ = 0;
  std::int64_t nextProbeMicros_ = kFirstProbeMicros;
  bool crashSaid_ = false;  // for this silence; a message ends it
  std::int32_t sinceRegister_ = 0;
  bool downSeen_ = false;  // the link is down since this watchdog last saw it up
  bool everConnected_ = false;
};

// The operator's word for a status: "connecting", "connected", ...
const char* StatusName(HostWatchdog::Status status);

}  // namespace vlt::framework
