// Test doubles for running the framework on virtual time: a scripted pair of
// mailslots and a tick driver that steps the loop one millisecond at a time.
#pragma once

#include <ctime>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/tick_loop.h"
#include "framework/tool_app.h"
#include "platform/clock.h"
#include "platform/log_pane.h"
#include "platform/mailslots.h"
#include "platform/prompter.h"

namespace vlt::testing {

// A fixed local date and time for golden texts (month 1 to 12, weekday 0 = Sunday).
inline std::tm LocalTime(int year, int month, int day, int weekday, int hour, int minute,
                         int second) {
  std::tm when{};
  when.tm_year = year - 1900;
  when.tm_mon = month - 1;
  when.tm_mday = day;
  when.tm_wday = weekday;
  when.tm_hour = hour;
  when.tm_min = minute;
  when.tm_sec = second;
  return when;
}

// Mailslots whose incoming messages the test queues and whose writes it reads back.
class ScriptedMailslots final : public platform::Mailslots {
 public:
  int hostError = 0;      // error code of OpenHost
  int toolSlotError = 0;  // error code of CreateToolSlot
  bool failNextRead = false;
  std::deque<std::vector<std::uint8_t>> incoming;
  std::vector<std::vector<std::uint8_t>> written;

  void Queue(std::vector<std::uint8_t> message) { incoming.push_back(std::move(message)); }

  int OpenHost() override { return hostError; }
  int CreateToolSlot(std::string& /*name*/) override { return toolSlotError; }
  std::optional<std::size_t> NextMessageSize() override;
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override;
  bool Write(std::span<const std::uint8_t> message) override;
  void WaitForMessage(std::chrono::microseconds /*limit*/) override {}

  // Written messages whose first byte is `type`.
  std::vector<std::vector<std::uint8_t>> WrittenOfType(std::uint8_t type) const;
};

// A prompter that records message boxes.
class RecordingPrompter final : public platform::Prompter {
 public:
  std::vector<std::pair<std::string, std::string>> boxes;
  std::vector<std::pair<std::string, std::string>> decisions;
  bool answer = true;  // what every decision is answered
  // Runs while a decision stands open: an operator who takes their time.
  std::function<void()> whileAsked;

  void MessageBox(const std::string& caption, const std::string& text) override {
    boxes.emplace_back(caption, text);
  }
  bool AskDecision(const std::string& statement, const std::string& question) override {
    decisions.emplace_back(statement, question);
    if (whileAsked) whileAsked();
    return answer;
  }
};

// Steps the tick loop by hand; every step is `loopMillis` (1 unless a test makes
// the loop slower) of virtual time.
class ManualTickDriver final : public framework::TickDriver {
 public:
  explicit ManualTickDriver(platform::ManualClock& clock) : clock_(clock) {}

  // Runs before each loop step, after time moved (an in-process host polls here).
  std::function<void()> beforeStep;
  int loopMillis = 1;

  void Start(framework::TickLoop& loop) override {
    loop_ = &loop;
    loop.Begin();
  }
  void Stop() override { loop_ = nullptr; }
  void Idle() override { StepMillis(1); }

  // One loop step `micros` after the last, for timing finer than a millisecond.
  void StepMicros(std::int64_t micros) {
    clock_.AdvanceMicros(micros);
    if (beforeStep) beforeStep();
    if (loop_ != nullptr) loop_->Step();
  }

  void StepMillis(int millis) {
    for (int i = 0; i < millis; i += loopMillis) {
      clock_.AdvanceMillis(loopMillis);
      if (beforeStep) beforeStep();
      if (loop_ != nullptr) loop_->Step();
    }
  }

 private:
  platform::ManualClock& clock_;
  framework::TickLoop* loop_ = nullptr;
};

}  // namespace vlt::testing
