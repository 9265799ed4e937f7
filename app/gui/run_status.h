// Where the run stands, as the status area shows it: the host link, the test
// that runs or ran last and how it ended, and the operator prompt a test waits
// on. Plain values, decided on the window thread from what the core exposes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/br_link.h"
#include "framework/host_watchdog.h"

namespace vlt::engine {
class Test;
}

namespace vlt::gui {

// The host link as the operator sees it.
enum class HostLinkState {
  kConnected,     // registered with the host: tests may run
  kConnecting,    // registration sent, no answer yet
  kNotConnected,  // no host was reached since the window opened
  kLost,          // the host went silent or said goodbye; it is looked for every second
  kReconnecting,  // registering again after the host came back
};

// The link as the host watchdog sees it (a link it took down, the registration
// it sends again) and the core link's own state. New states map here, one case each.
HostLinkState HostLinkStateOf(framework::HostWatchdog::Status status,
                              framework::BRLink::State state);
bool TestsMayRun(HostLinkState state);

// How the last run stands or ended.
enum class RunVerdict {
  kNone,       // no test started since the window opened
  kRunning,    // the test steps
  kAborting,   // aborted, finishing (it may wait for the operator's answer)
  kPass,       // every criterion passed
  kDnp,        // at least one criterion did not pass
  kUndecided,  // no criterion failed, some are left for the operator to judge
  kAborted,    // ended by Abort or its own time limit
  kComplete,   // ended; the test judges no criteria (reads and surveys)
  kSkipped,    // a skipped-test record was written
};

struct RunOutcome {
  RunVerdict verdict = RunVerdict::kNone;
  int criteria = 0;
  int dnpCount = 0;
  int undecidedCount = 0;
};

// How a test that is no longer running ended: its abort flag and criteria.
RunOutcome OutcomeOf(const engine::Test& test);

// The prompt the operator must act on, and when it counts as done.
class OperatorPromptTracker {
 public:
  // A line the log pane received; `framesHeard` is the link's frame count now.
  void OnLine(std::string_view line, std::uint32_t framesHeard);
  // The link's frame count on a timer tick: a DUT that talks has been powered.
  void OnFramesHeard(std::uint32_t framesHeard);
  void OnSpaceBar();
  void OnRunEnded() { Clear(); }

  // Empty when nothing is asked of the operator.
  const std::string& Prompt() const { return prompt_; }

 private:
  enum class DoneWhen {
    kReplaced,  // stays until the next prompt or the end of the run
    kBusHeard,  // until the DUT talks on the bus
    kSpaceBar,  // until the space bar is pressed in the window
  };
  void Clear();

  std::string prompt_;
  DoneWhen doneWhen_ = DoneWhen::kReplaced;
  std::uint32_t framesAtPrompt_ = 0;
};

// "m:ss" (or "h:mm:ss") of elapsed milliseconds.
std::string ElapsedText(std::int64_t millis);

}  // namespace vlt::gui
