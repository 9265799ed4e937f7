// Where the run stands, as the status area shows it: the host link, the test
// that runs or ran last and how it ended, and the operator prompt a test waits
// on. Plain values, decided on the window thread from what the core exposes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/operator_cues.h"
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

// The prompt the operator must act on, and when it counts as done. It hears of
// every prompt from the test's operator cues, never from the log pane's lines.
class OperatorPromptTracker {
 public:
  // A cue with its memo line; `framesHeard` is the link's frame count when it was given.
  void OnCue(engine::OperatorCue cue, std::string_view memo, std::uint32_t framesHeard);
  // A prompt the test answers from the space bar.
  void OnKeyPrompt(std::string_view prompt);
  // The link's frame count on a timer tick: a DUT that talks has been powered.
  void OnFramesHeard(std::uint32_t framesHeard);
  void OnSpaceBar();
  // OK pressed on a prompt that waits for it.
  void OnConfirmed();
  void OnRunEnded() { Clear(); }

  // Empty when nothing is asked of the operator.
  const std::string& Prompt() const { return prompt_; }
  // Whether the prompt waits for the operator's OK (an action on the DUT).
  bool AwaitsConfirmation() const { return doneWhen_ == DoneWhen::kConfirmed; }

 private:
  enum class DoneWhen {
    kReplaced,   // stays until the next prompt or the end of the run
    kBusHeard,   // until the DUT talks on the bus
    kSpaceBar,   // until the space bar is pressed in the window
    kConfirmed,  // until OK (or the space bar) says the operator has done it
  };
  void Clear();

  std::string prompt_;
  DoneWhen doneWhen_ = DoneWhen::kReplaced;
  std::uint32_t framesAtPrompt_ = 0;
};

// "m:ss" (or "h:mm:ss") of elapsed milliseconds.
std::string ElapsedText(std::int64_t millis);

}  // namespace vlt::gui
