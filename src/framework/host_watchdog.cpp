#include "framework/host_watchdog.h"

namespace vlt::framework {

void HostWatchdog::OnTimer() {
  const std::uint32_t count = link_.ReceivedCount();
  if (count != lastCount_) {
    silence_ = kSilenceStart;
  } else if (silence_ > -1) {  // below zero it stays put: the warning is said once
    --silence_;
    if (silence_ == 0) log_.AppendLogLine("BRANTEL may have crashed!");
    if (silence_ % 20 == 17 && link_.GetState() == BRLink::State::kConnected) {
      link_.Write(ProbeMessage(link_.ToolId()));
    }
  }
  lastCount_ = count;
}

}  // namespace vlt::framework
