#include "cli/operator_policy.h"

#include <poll.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <iostream>

#include "host/core/host_control.h"
#include "platform/text_encoding.h"

namespace vlt::cli {

HostDutPower::HostDutPower(std::string runDir)
    : runDir_(std::move(runDir)), worker_([this] { Run(); }) {}

HostDutPower::~HostDutPower() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void HostDutPower::Switch(bool on) {
  {
    std::lock_guard lock(mutex_);
    pending_.push_back(on ? "dut power on" : "dut power off");
  }
  changed_.notify_all();
}

void HostDutPower::Drain() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return pending_.empty() && !busy_; });
}

void HostDutPower::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stop_ || !pending_.empty(); });
    if (pending_.empty()) return;  // stopping, nothing left
    const std::string line = pending_.front();
    pending_.pop_front();
    busy_ = true;
    lock.unlock();
    const auto reply = host::SendControlCommand(runDir_, line);
    if (!reply || !reply->starts_with("ok")) {
      std::fprintf(stderr, "vlt: operator: '%s' was not done: %s\n", line.c_str(),
                   reply ? reply->c_str() : "no vlt-host answers on the control socket");
    }
    lock.lock();
    busy_ = false;
    changed_.notify_all();
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

void AutoOperator::OnLogLine(std::string_view line) {
  if (line.starts_with(kSpacePromptStart)) {
    spaceUpAtMicros_ = clock_.NowMicros() + kKeyPressMicros;
  }
}

void AutoOperator::Cue(engine::OperatorCue cue) {
  switch (cue) {
    case engine::OperatorCue::kPowerOff:
      power_.Switch(false);
      break;
    case engine::OperatorCue::kPowerOn:
      power_.Switch(true);
      break;
    case engine::OperatorCue::kNormalOperation:
      // Off or silent, it is switched on; on and talking, the switch changes
      // nothing. Either way its next frame shows it runs.
      heardAtCue_ = heard_ ? heard_() : 0;
      hearUntilMicros_ = heard_ ? clock_.NowMicros() + kFirstFrameWaitMicros : 0;
      power_.Switch(true);
      break;
    case engine::OperatorCue::kNone:
      break;
  }
}

bool AutoOperator::CueDone() const {
  const std::int64_t until = hearUntilMicros_.load();
  if (until == 0) return true;
  if (heard_() == heardAtCue_.load() && clock_.NowMicros() < until) return false;
  hearUntilMicros_ = 0;
  return true;
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
      if (waitingForDone_.exchange(false)) continue;
      waitingForSpace_ = false;
      spaceUpAtMicros_ = clock_.NowMicros() + AutoOperator::kKeyPressMicros;
    }
  });
}

TtyOperator::~TtyOperator() {
  stop_ = true;
  reader_.join();
}

void TtyOperator::OnLogLine(std::string_view line) {
  if (line.starts_with(kSpacePromptStart)) {
    std::fprintf(stderr, "[operator] press Enter for <space>\n");
    waitingForSpace_ = true;
  }
}

void TtyOperator::Cue(engine::OperatorCue cue) {
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
      waitingForDone_ = !stop_.load();
      break;
    case engine::OperatorCue::kNone:
      break;
  }
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
