#include "framework/host_watchdog.h"

#include <algorithm>

namespace vlt::framework {

void HostWatchdog::OnTimer() {
  if (link_.Closing()) return;
  WatchSilence();
  MendLink();
}

void HostWatchdog::WatchSilence() {
  const std::uint32_t count = link_.ReceivedCount();
  const std::uint32_t polls = link_.PollCount();
  const std::int64_t now = link_.TimeSource().NowMicros();
  const std::int64_t sinceTick =
      lastTickMicros_ < 0 ? 0 : std::min(now - lastTickMicros_, kMaxCountedTickMicros);
  if (count != lastCount_) {
    silentMicros_ = 0;
    nextProbeMicros_ = kFirstProbeMicros;
    crashSaid_ = false;
  } else if (polls != lastPolls_ && !crashSaid_) {
    silentMicros_ += sinceTick;
    if (silentMicros_ >= kSilenceLimitMicros) {
      crashSaid_ = true;
      Say("BRANTEL may have crashed!");
      if (!link_.Down()) {
        link_.MarkDown("The link to the host is lost: no message from the host at " +
                       link_.HostLocation() + " for 5 s.");
      }
    } else if (silentMicros_ >= nextProbeMicros_) {
      nextProbeMicros_ += kProbeEveryMicros;
      if (link_.GetState() == BRLink::State::kConnected) link_.Write(ProbeMessage(link_.ToolId()));
    }
  }
  lastCount_ = count;
  lastPolls_ = polls;
  lastTickMicros_ = now;
}

void HostWatchdog::MendLink() {
  if (link_.Down()) {
    // The reason is the running test's to write, in its report; the window
    // shows it from DownReason().
    if (!downSeen_) {
      downSeen_ = true;
      sinceRegister_ = 0;
    }
    if (++sinceRegister_ >= kRegisterEveryTicks) {
      sinceRegister_ = 0;
      link_.Reregister();
    }
    return;
  }
  if (link_.GetState() != BRLink::State::kConnected) return;
  if (downSeen_) {
    Say(std::string(everConnected_ ? "Registered again" : "Registered") + " with the host at " +
        link_.HostLocation() + ".");
    downSeen_ = false;
  }
  everConnected_ = true;
}

void HostWatchdog::Say(const std::string& line) {
  if (noteSink_) {
    noteSink_(line);
  } else {
    log_.AppendLogLine(line);
  }
}

HostWatchdog::Status HostWatchdog::GetStatus() const {
  if (link_.Closing()) return Status::kClosed;
  const BRLink::State state = link_.GetState();
  if (link_.Down())
    return state == BRLink::State::kRegistered ? Status::kReconnecting : Status::kLost;
  return state == BRLink::State::kConnected ? Status::kConnected : Status::kConnecting;
}

const char* StatusName(HostWatchdog::Status status) {
  switch (status) {
    case HostWatchdog::Status::kConnecting:
      return "connecting";
    case HostWatchdog::Status::kConnected:
      return "connected";
    case HostWatchdog::Status::kLost:
      return "lost";
    case HostWatchdog::Status::kReconnecting:
      return "reconnecting";
    case HostWatchdog::Status::kClosed:
      return "closed";
  }
  return "unknown";
}

}  // namespace vlt::framework
