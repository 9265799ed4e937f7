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

#include "engine/operator_cues.h"
#include "engine/operator_prompts.h"
#include "platform/clock.h"
#include "platform/prompter.h"

namespace vlt::cli {

// The line that asks for a key press; the other prompts reach the operator as cues.
using engine::kSpacePromptStart;
// The decision after Read ADDRESS_CLAIM, whose statement holds the NAME read.
inline constexpr std::string_view kSaveClaimQuestion = "Save for future tests?";

// Whether a decision's statement ("...[ 00 EE 00 01 02 03 04 05 ]") holds a whole
// NAME: eight hexadecimal pairs between "[ " and " ]".
bool StatementHoldsName(std::string_view statement);

// Switches the DUT's power; the host's control socket in the program.
class DutPower {
 public:
  virtual ~DutPower() = default;
  virtual void Switch(bool on) = 0;
};

// Sends "dut power on|off" to the host on a worker thread, in order, so the tick
// thread that gave the cue never waits for the socket.
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

class OperatorPolicy : public platform::KeyState,
                       public platform::Prompter,
                       public engine::OperatorCues {
 public:
  // Every line the log pane receives, on whichever thread wrote it.
  virtual void OnLogLine(std::string_view line) = 0;
};

// Frames the tester has heard so far (the master parser's count).
using HeardFrames = std::function<std::uint32_t()>;

// Powers the DUT off and on when cued, presses the space bar when asked, and
// answers Yes, except that a NAME is saved only when one was read.
class AutoOperator final : public OperatorPolicy {
 public:
  static constexpr std::int64_t kKeyPressMicros = 200'000;
  // How long "normal operation" waits for a frame after switching the DUT on;
  // past it the test goes on and its own limits judge the DUT.
  static constexpr std::int64_t kFirstFrameWaitMicros = 10'000'000;

  AutoOperator(DutPower& power, const platform::Clock& clock, HeardFrames heard = {})
      : power_(power), clock_(clock), heard_(std::move(heard)) {}

  void OnLogLine(std::string_view line) override;
  bool IsKeyDown(std::uint8_t virtualKey) const override;
  void MessageBox(const std::string& caption, const std::string& text) override;
  bool AskDecision(const std::string& statement, const std::string& question) override;
  void Cue(engine::OperatorCue cue) override;
  bool CueDone() const override;

 private:
  DutPower& power_;
  const platform::Clock& clock_;
  HeardFrames heard_;
  std::atomic<std::int64_t> spaceUpAtMicros_{0};
  // A normal-operation cue waits for a frame heard after it, until this time (0: not waiting).
  mutable std::atomic<std::int64_t> hearUntilMicros_{0};
  std::atomic<std::uint32_t> heardAtCue_{0};
};

// Asks the person at the terminal: Enter stands for the space bar and for "done"
// after a prompt to put the DUT in normal operation; y/n answers decisions.
class TtyOperator final : public OperatorPolicy {
 public:
  explicit TtyOperator(const platform::Clock& clock);
  ~TtyOperator() override;

  void OnLogLine(std::string_view line) override;
  bool IsKeyDown(std::uint8_t virtualKey) const override;
  void MessageBox(const std::string& caption, const std::string& text) override;
  bool AskDecision(const std::string& statement, const std::string& question) override;
  void Cue(engine::OperatorCue cue) override;
  bool CueDone() const override { return !waitingForDone_.load(); }

 private:
  std::string ReadLine();
  const platform::Clock& clock_;
  std::atomic<bool> waitingForSpace_{false};
  std::atomic<bool> waitingForDone_{false};
  std::atomic<std::int64_t> spaceUpAtMicros_{0};
  std::mutex inputMutex_;
  std::thread reader_;
  std::atomic<bool> stop_{false};
};

}  // namespace vlt::cli
