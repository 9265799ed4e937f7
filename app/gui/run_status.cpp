#include "gui/run_status.h"

#include <cstdio>

#include "engine/failure.h"
#include "engine/test.h"
#include "results/run_result.h"

namespace vlt::gui {

HostLinkState HostLinkStateOf(framework::HostWatchdog::Status status,
                              framework::BRLink::State state) {
  using Status = framework::HostWatchdog::Status;
  switch (status) {
    case Status::kConnected:
      return HostLinkState::kConnected;
    case Status::kConnecting:
      return HostLinkState::kConnecting;
    case Status::kReconnecting:
      return HostLinkState::kReconnecting;
    case Status::kLost:
      // A host that went silent or said goodbye was there, and is waited for;
      // none was ever reached at start-up.
      return state == framework::BRLink::State::kFailed ? HostLinkState::kNotConnected
                                                        : HostLinkState::kLost;
    case Status::kClosed:
      return HostLinkState::kNotConnected;
  }
  return HostLinkState::kNotConnected;
}

bool TestsMayRun(HostLinkState state) {
  return state == HostLinkState::kConnected;
}

RunOutcome OutcomeOf(const engine::Test& test) {
  RunOutcome outcome;
  outcome.criteria = static_cast<int>(test.Criteria().size());
  results::Tally tally;
  for (const auto& [id, criterion] : test.Criteria()) tally.Add(criterion->GetState());
  outcome.dnpCount = tally.failed;
  outcome.undecidedCount = tally.undecided;
  if (test.Aborted()) {
    outcome.verdict = RunVerdict::kAborted;
  } else if (test.Criteria().empty()) {
    outcome.verdict = RunVerdict::kComplete;
  } else if (outcome.dnpCount > 0) {
    outcome.verdict = RunVerdict::kDnp;
  } else if (outcome.undecidedCount > 0) {
    outcome.verdict = RunVerdict::kUndecided;
  } else {
    outcome.verdict = RunVerdict::kPass;
  }
  return outcome;
}

void OperatorPromptTracker::OnCue(engine::OperatorCue cue, std::string_view memo,
                                  std::uint32_t framesHeard) {
  switch (cue) {
    case engine::OperatorCue::kPowerOff:
      doneWhen_ = DoneWhen::kReplaced;
      break;
    case engine::OperatorCue::kNone:
    case engine::OperatorCue::kPowerOn:
    case engine::OperatorCue::kNormalOperation:
      doneWhen_ = DoneWhen::kBusHeard;
      break;
    case engine::OperatorCue::kCauseFault:
    case engine::OperatorCue::kRemoveFault:
    case engine::OperatorCue::kWorkControl:
      doneWhen_ = DoneWhen::kConfirmed;
      break;
  }
  prompt_ = std::string(memo);
  framesAtPrompt_ = framesHeard;
}

void OperatorPromptTracker::OnKeyPrompt(std::string_view prompt) {
  prompt_ = std::string(prompt);
  doneWhen_ = DoneWhen::kSpaceBar;
}

void OperatorPromptTracker::OnFramesHeard(std::uint32_t framesHeard) {
  if (doneWhen_ == DoneWhen::kBusHeard && framesHeard != framesAtPrompt_) Clear();
}

void OperatorPromptTracker::OnSpaceBar() {
  if (doneWhen_ == DoneWhen::kSpaceBar || doneWhen_ == DoneWhen::kConfirmed) Clear();
}

void OperatorPromptTracker::OnConfirmed() {
  if (doneWhen_ == DoneWhen::kConfirmed) Clear();
}

void OperatorPromptTracker::Clear() {
  prompt_.clear();
  doneWhen_ = DoneWhen::kReplaced;
}

std::string ElapsedText(std::int64_t millis) {
  const std::int64_t seconds = millis < 0 ? 0 : millis / 1000;
  char text[32];
  if (seconds >= 3600) {
    std::snprintf(text, sizeof(text), "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  } else {
    std::snprintf(text, sizeof(text), "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
  }
  return text;
}

}  // namespace vlt::gui
