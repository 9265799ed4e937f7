#include "cli/operator_policy.h"

#include <poll.h>
#include <unistd.h>

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

void AutoOperator::OnLogLine(std::string_view line) {
  if (line == kPowerOffPrompt) {
    power_.Switch(false);
  } else if (line == kPowerOnPrompt) {
    power_.Switch(true);
  } else if (line.starts_with(kSpacePromptStart)) {
    spaceUpAtMicros_ = clock_.NowMicros() + kKeyPressMicros;
  }
}

bool AutoOperator::IsKeyDown(std::uint8_t virtualKey) const {
  return virtualKey == platform::kSpaceBarKey && clock_.NowMicros() < spaceUpAtMicros_.load();
}

void AutoOperator::MessageBox(const std::string& /*caption*/, const std::string& text) {
  std::fprintf(stderr, "%s\n", platform::Cp1252ToUtf8(text).c_str());
}

bool AutoOperator::AskDecision(const std::string& statement, const std::string& question) {
  std::fprintf(stderr, "%s\n%s [operator: Yes]\n", platform::Cp1252ToUtf8(statement).c_str(),
               platform::Cp1252ToUtf8(question).c_str());
  return true;
}

TtyOperator::TtyOperator(const platform::Clock& clock) : clock_(clock) {
  // Enter stands for the space bar while a space prompt waits for it.
  reader_ = std::thread([this] {
    while (!stop_.load()) {
      if (!waitingForSpace_.load()) {
        ::usleep(20'000);
        continue;
      }
      pollfd in{STDIN_FILENO, POLLIN, 0};
      if (::poll(&in, 1, 50) <= 0) continue;
      std::lock_guard lock(inputMutex_);
      if (!waitingForSpace_.load()) continue;
      std::string ignored;
      if (!std::getline(std::cin, ignored)) {
        stop_ = true;
        break;
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

void TtyOperator::OnLogLine(std::string_view line) {
  if (line == kPowerOffPrompt || line == kPowerOnPrompt) {
    std::fprintf(stderr, "[operator] %s\n", std::string(line).c_str());
  } else if (line.starts_with(kSpacePromptStart)) {
    std::fprintf(stderr, "[operator] press Enter for <space>\n");
    waitingForSpace_ = true;
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
    if (answer == "n" || answer == "N" || answer == "no" || !std::cin) return false;
  }
}

}  // namespace vlt::cli
