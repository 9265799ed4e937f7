#include "gui/run_status.h"

#include <cstdio>

#include "engine/failure.h"
#include "engine/operator_prompts.h"
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

void OperatorPromptTracker::OnLine(std::string_view line, std::uint32_t framesHeard) {
  DoneWhen doneWhen = DoneWhen::kReplaced;
  if (line == engine::kPowerOnPrompt || line == engine::kNormalOperationPrompt ||
      line == engine::kDutAloneOnBusPrompt) {
    doneWhen = DoneWhen::kBusHeard;
  } else if (line.starts_with(engine::kSpacePromptStart)) {
    doneWhen = DoneWhen::kSpaceBar;
  } else if (line != engine::kPowerOffPrompt) {
    return;
  }
  prompt_ = std::string(line);
  doneWhen_ = doneWhen;
  framesAtPrompt_ = framesHeard;
}

void OperatorPromptTracker::OnFramesHeard(std::uint32_t framesHeard) {
  if (doneWhen_ == DoneWhen::kBusHeard && framesHeard != framesAtPrompt_) Clear();
}

void OperatorPromptTracker::OnSpaceBar() {
  if (doneWhen_ == DoneWhen::kSpaceBar) Clear();
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
