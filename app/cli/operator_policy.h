// The person at the bench, for the command line: what the tests ask of the
// operator (power the DUT, press the space bar, answer yes or no) is answered by a
// policy. `auto` does it itself on the simulated bus; `tty` asks at the terminal.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "engine/operator_prompts.h"
#include "platform/clock.h"
#include "platform/prompter.h"

namespace vlt::cli {

// Lines the tests write that ask the operator to act.
using engine::kPowerOffPrompt;
using engine::kPowerOnPrompt;
using engine::kSpacePromptStart;

// Switches the DUT's power; the host's control socket in the program.
class DutPower {
 public:
  virtual ~DutPower() = default;
  virtual void Switch(bool on) = 0;
};

// Sends "dut power on|off" to the host on a worker thread, in order, so the tick
// thread that wrote the prompt never waits for the socket.
class HostDutPower final : public DutPower {
 public:
  explicit HostDutPower(std::string runDir);
  ~HostDutPower() override;
  void Switch(bool on) override;
  // Waits until every queued command has been answered (or failed).
  void Drain();

 private:
  void Run();
  std::string runDir_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> pending_;
  bool busy_ = false;
  bool stop_ = false;
  std::thread worker_;
};

class OperatorPolicy : public platform::KeyState, public platform::Prompter {
 public:
  // Every line the log pane receives, on whichever thread wrote it.
  virtual void OnLogLine(std::string_view line) = 0;
};

// Powers the DUT off and on when told to, presses the space bar when asked, answers Yes.
class AutoOperator final : public OperatorPolicy {
 public:
  static constexpr std::int64_t kKeyPressMicros = 200'000;

  AutoOperator(DutPower& power, const platform::Clock& clock) : power_(power), clock_(clock) {}

  void OnLogLine(std::string_view line) override;
  bool IsKeyDown(std::uint8_t virtualKey) const override;
  void MessageBox(const std::string& caption, const std::string& text) override;
  bool AskDecision(const std::string& statement, const std::string& question) override;

 private:
  DutPower& power_;
  const platform::Clock& clock_;
  std::atomic<std::int64_t> spaceUpAtMicros_{0};
};

// Asks the person at the terminal: Enter stands for the space bar, y/n answers decisions.
class TtyOperator final : public OperatorPolicy {
 public:
  explicit TtyOperator(const platform::Clock& clock);
  ~TtyOperator() override;

  void OnLogLine(std::string_view line) override;
  bool IsKeyDown(std::uint8_t virtualKey) const override;
  void MessageBox(const std::string& caption, const std::string& text) override;
  bool AskDecision(const std::string& statement, const std::string& question) override;

 private:
  std::string ReadLine();
  const platform::Clock& clock_;
  std::atomic<bool> waitingForSpace_{false};
  std::atomic<std::int64_t> spaceUpAtMicros_{0};
  std::mutex inputMutex_;
  std::thread reader_;
  std::atomic<bool> stop_{false};
};

}  // namespace vlt::cli
