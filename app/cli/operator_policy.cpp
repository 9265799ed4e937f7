#include "cli/operator_policy.h"

#include <poll.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <iostream>

#include "host/core/host_control.h"
#include "platform/text_encoding.h"

namespace vlt::cli {

HostDutControl::HostDutControl(std::string runDir)
    : runDir_(std::move(runDir)), worker_([this] { Run(); }) {}

HostDutControl::~HostDutControl() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void HostDutControl::Send(std::string command, Confirmed confirmed) {
  {
    std::lock_guard lock(mutex_);
    pending_.push_back({std::move(command), std::move(confirmed)});
  }
  changed_.notify_all();
}

void HostDutControl::Drain() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return pending_.empty() && !busy_; });
}

void HostDutControl::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stop_ || !pending_.empty(); });
    if (pending_.empty()) return;  // stopping, nothing left
    const Pending next = std::move(pending_.front());
    pending_.pop_front();
    busy_ = true;
    lock.unlock();
    const auto reply = host::SendControlCommand(runDir_, next.line);
    const bool ok = reply && reply->starts_with("ok");
    if (!ok) {
      std::fprintf(stderr, "vlt: operator: '%s' was not done: %s\n", next.line.c_str(),
                   reply ? reply->c_str() : "no vlt-host answers on the control socket");
    }
    if (next.confirmed) next.confirmed(ok);
    lock.lock();
    busy_ = false;
    changed_.notify_all();
  }
}

std::string_view ControlCommandOf(engine::OperatorCue cue) {
  switch (cue) {
    case engine::OperatorCue::kCauseFault:
      return "dut fault on";
    case engine::OperatorCue::kRemoveFault:
      return "dut fault off";
    case engine::OperatorCue::kWorkControl:
      return "dut switch";
    default:
      return {};
  }
}

bool StatementHoldsName(std::string_view statement) {
  const std::size_t open = statement.find("[ ");
  const std::size_t close = statement.rfind(" ]");
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
    return false;
  }
  const std::string_view name = statement.substr(open + 2, close - open - 2);
  constexpr std::size_t kNameChars = 23;  // "A5 A5 60 24 00 80 00 00"
  if (name.size() != kNameChars) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const bool blank = i % 3 == 2;
    if (blank ? name[i] != ' ' : !std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
  }
  return true;
}

void AutoOperator::KeyPrompt(std::string_view prompt) {
  if (prompt.starts_with(engine::kSpacePromptStart)) {
    spaceUpAtMicros_ = clock_.NowMicros() + kKeyPressMicros;
  }
}

void AutoOperator::Cue(engine::OperatorCue cue, std::string_view /*memo*/) {
  switch (cue) {
    case engine::OperatorCue::kPowerOff:
      control_.Switch(false);
      break;
    case engine::OperatorCue::kPowerOn:
      control_.Switch(true);
      break;
    case engine::OperatorCue::kNormalOperation:
      // Off or silent, it is switched on; on and talking, the switch changes
      // nothing. Either way its next frame shows it runs.
      heardAtCue_ = heard_ ? heard_() : 0;
      hearUntilMicros_ = heard_ ? clock_.NowMicros() + kFirstFrameWaitMicros : 0;
      control_.Switch(true);
      break;
    case engine::OperatorCue::kCauseFault:
    case engine::OperatorCue::kRemoveFault:
    case engine::OperatorCue::kWorkControl: {
      // Done when the host says so, refused or not: the test's own limits
      // then judge what the DUT did.
      auto action = std::make_shared<Action>();
      action->done = false;
      action_ = action;
      // The clock outlives the control's worker; this operator may not.
      const platform::Clock& clock = clock_;
      control_.Send(std::string(ControlCommandOf(cue)), [action, &clock](bool /*ok*/) {
        action->doneAtMicros = clock.NowMicros();
        action->done = true;
      });
      break;
    }
    case engine::OperatorCue::kNone:
      break;
  }
}

bool AutoOperator::CueDone() const {
  if (!action_->done.load()) return false;
  const std::int64_t until = hearUntilMicros_.load();
  if (until == 0) return true;
  if (heard_() == heardAtCue_.load() && clock_.NowMicros() < until) return false;
  hearUntilMicros_ = 0;
  return true;
}

std::optional<std::int64_t> AutoOperator::CueDoneAtMicros() const {
  const std::int64_t at = action_->done.load() ? action_->doneAtMicros.load() : -1;
  if (at < 0) return std::nullopt;
  return at;
}

bool AutoOperator::IsKeyDown(std::uint8_t virtualKey) const {
  return virtualKey == platform::kSpaceBarKey && clock_.NowMicros() < spaceUpAtMicros_.load();
}

void AutoOperator::MessageBox(const std::string& /*caption*/, const std::string& text) {
  std::fprintf(stderr, "%s\n", platform::Cp1252ToUtf8(text).c_str());
}

bool AutoOperator::AskDecision(const std::string& statement, const std::string& question) {
  // Without a claim read, the statement holds the not-found text: never a NAME to keep.
  const bool yes = question != kSaveClaimQuestion || StatementHoldsName(statement);
  std::fprintf(stderr, "%s\n%s [operator: %s]\n", platform::Cp1252ToUtf8(statement).c_str(),
               platform::Cp1252ToUtf8(question).c_str(), yes ? "Yes" : "No");
  return yes;
}

TtyOperator::TtyOperator(const platform::Clock& clock) : clock_(clock) {
  // Enter stands for the space bar while a space prompt waits for it, and for
  // "done" while a prompt waits for the DUT to run.
  reader_ = std::thread([this] {
    while (!stop_.load()) {
      if (!waitingForSpace_.load() && !waitingForDone_.load()) {
        ::usleep(20'000);
        continue;
      }
      pollfd in{STDIN_FILENO, POLLIN, 0};
      if (::poll(&in, 1, 50) <= 0) continue;
      std::lock_guard lock(inputMutex_);
      if (!waitingForSpace_.load() && !waitingForDone_.load()) continue;
      std::string ignored;
      if (!std::getline(std::cin, ignored)) {
        // No more input: nobody will press anything; the test's limits decide.
        waitingForDone_ = false;
        stop_ = true;
        break;
      }
      if (waitingForDone_.load()) {
        doneAtMicros_ = clock_.NowMicros();
        waitingForDone_ = false;
        continue;
      }
      waitingForSpace_ = false;
      spaceUpAtMicros_ = clock_.NowMicros() + AutoOperator::kKeyPressMicros;
    }
  });
}

TtyOperator::~TtyOperator() {
  stop_ = true;
  reader_.join();
}

void TtyOperator::KeyPrompt(std::string_view prompt) {
  if (prompt.starts_with(engine::kSpacePromptStart)) {
    std::fprintf(stderr, "[operator] press Enter for <space>\n");
    waitingForSpace_ = true;
  }
}

void TtyOperator::Cue(engine::OperatorCue cue, std::string_view memo) {
  const auto askDone = [this] {
    doneAtMicros_ = -1;
    waitingForDone_ = !stop_.load();
  };
  switch (cue) {
    case engine::OperatorCue::kPowerOff:
      std::fprintf(stderr,
                   "[operator] power the DUT off or disconnect it: the network must be "
                   "empty\n");
      break;
    case engine::OperatorCue::kPowerOn:
      std::fprintf(stderr, "[operator] power the DUT up now: the test is listening\n");
      break;
    case engine::OperatorCue::kNormalOperation:
      std::fprintf(stderr,
                   "[operator] put the DUT in normal operation (powered, sending), then "
                   "press Enter\n");
      askDone();
      break;
    case engine::OperatorCue::kCauseFault:
    case engine::OperatorCue::kRemoveFault:
    case engine::OperatorCue::kWorkControl:
      // The test times the DUT from the Enter: press it as you act.
      std::fprintf(stderr, "[operator] %s, and press Enter as you do it\n",
                   platform::Cp1252ToUtf8(memo).c_str());
      askDone();
      break;
    case engine::OperatorCue::kNone:
      break;
  }
}

std::optional<std::int64_t> TtyOperator::CueDoneAtMicros() const {
  const std::int64_t at = waitingForDone_.load() ? -1 : doneAtMicros_.load();
  if (at < 0) return std::nullopt;
  return at;
}

bool TtyOperator::IsKeyDown(std::uint8_t virtualKey) const {
  return virtualKey == platform::kSpaceBarKey && clock_.NowMicros() < spaceUpAtMicros_.load();
}

void TtyOperator::MessageBox(const std::string& /*caption*/, const std::string& text) {
  std::fprintf(stderr, "%s\n", platform::Cp1252ToUtf8(text).c_str());
}

std::string TtyOperator::ReadLine() {
  std::lock_guard lock(inputMutex_);
  std::string answer;
  if (!std::getline(std::cin, answer)) return "";
  return answer;
}

bool TtyOperator::AskDecision(const std::string& statement, const std::string& question) {
  for (;;) {
    std::fprintf(stderr, "%s\n%s [y/n] ", platform::Cp1252ToUtf8(statement).c_str(),
                 platform::Cp1252ToUtf8(question).c_str());
    const std::string answer = ReadLine();
    if (answer == "y" || answer == "Y" || answer == "yes") return true;
    if (!std::cin) {
      // Nobody answers (a closed terminal after SIGHUP, input at its end): an
      // aborted run still keeps its report, nothing else is stored.
      const bool yes = question == engine::kLogAbortedQuestion;
      std::fprintf(stderr, "[operator: %s, no input]\n", yes ? "Yes" : "No");
      return yes;
    }
    if (answer == "n" || answer == "N" || answer == "no") return false;
  }
}

}  // namespace vlt::cli
