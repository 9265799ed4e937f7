// The person at the bench, for the command line: what the tests ask of the
// operator (power the DUT, act on it, press the space bar, answer yes or no) is
// answered by a policy. `auto` does it itself through the host's control socket;
// `tty` asks at the terminal.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "engine/operator_cues.h"
#include "engine/operator_prompts.h"
#include "platform/clock.h"
#include "platform/prompter.h"

namespace vlt::cli {

// The decision after Read ADDRESS_CLAIM, whose statement holds the NAME read.
inline constexpr std::string_view kSaveClaimQuestion = "Save for future tests?";

// Whether a decision's statement ("...[ 00 EE 00 01 02 03 04 05 ]") holds a whole
// NAME: eight hexadecimal pairs between "[ " and " ]".
bool StatementHoldsName(std::string_view statement);

// The host command that does what a cue asks ("dut fault on"); empty for cues
// that are not an action on the DUT.
std::string_view ControlCommandOf(engine::OperatorCue cue);

// Acts on the DUT through the host's control socket: its power, and what a
// person would do to it ("dut fault on", "dut switch").
class DutControl {
 public:
  // Runs once the host has answered (ok or not), on whichever thread heard it.
  using Confirmed = std::function<void(bool ok)>;
  virtual ~DutControl() = default;
  void Switch(bool on) { Send(on ? "dut power on" : "dut power off", {}); }
  virtual void Send(std::string command, Confirmed confirmed) = 0;
};

// Sends the commands to the host on a worker thread, in order, so the tick
// thread that gave the cue never waits for the socket.
class HostDutControl final : public DutControl {
 public:
  explicit HostDutControl(std::string runDir);
  ~HostDutControl() override;
  void Send(std::string command, Confirmed confirmed) override;
  // Waits until every queued command has been answered (or failed).
  void Drain();

 private:
  struct Pending {
    std::string line;
    Confirmed confirmed;
  };
  void Run();
  std::string runDir_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Pending> pending_;
  bool busy_ = false;
  bool stop_ = false;
  std::thread worker_;
};

class OperatorPolicy : public platform::KeyState,
                       public platform::Prompter,
                       public engine::OperatorCues {};

// Frames the tester has heard so far (the master parser's count).
using HeardFrames = std::function<std::uint32_t()>;

// Powers the DUT off and on and acts on it when cued, presses the space bar
// when asked, and answers Yes, except that a NAME is saved only when one was read.
class AutoOperator final : public OperatorPolicy {
 public:
  static constexpr std::int64_t kKeyPressMicros = 200'000;
  // How long "normal operation" waits for a frame after switching the DUT on;
  // past it the test goes on and its own limits judge the DUT.
  static constexpr std::int64_t kFirstFrameWaitMicros = 10'000'000;

  AutoOperator(DutControl& control, const platform::Clock& clock, HeardFrames heard = {})
      : control_(control), clock_(clock), heard_(std::move(heard)) {}

  bool IsKeyDown(std::uint8_t virtualKey) const override;
  void MessageBox(const std::string& caption, const std::string& text) override;
  bool AskDecision(const std::string& statement, const std::string& question) override;
  void Cue(engine::OperatorCue cue, std::string_view memo) override;
  void KeyPrompt(std::string_view prompt) override;
  bool CueDone() const override;
  std::optional<std::int64_t> CueDoneAtMicros() const override;
  bool PersonActs() const override { return false; }

 private:
  DutControl& control_;
  const platform::Clock& clock_;
  HeardFrames heard_;
  std::atomic<std::int64_t> spaceUpAtMicros_{0};
  // A normal-operation cue waits for a frame heard after it, until this time (0: not waiting).
  mutable std::atomic<std::int64_t> hearUntilMicros_{0};
  std::atomic<std::uint32_t> heardAtCue_{0};
  // An action on the DUT waits for the host's answer; shared with the callback,
  // which may outlive a cue that came after it.
  struct Action {
    std::atomic<bool> done{true};
    std::atomic<std::int64_t> doneAtMicros{-1};
  };
  std::shared_ptr<Action> action_ = std::make_shared<Action>();
};

// Asks the person at the terminal: Enter stands for the space bar and for "done"
// after a prompt to put the DUT in normal operation or to act on it; y/n
// answers decisions.
class TtyOperator final : public OperatorPolicy {
 public:
  explicit TtyOperator(const platform::Clock& clock);
  ~TtyOperator() override;

  bool IsKeyDown(std::uint8_t virtualKey) const override;
  void MessageBox(const std::string& caption, const std::string& text) override;
  bool AskDecision(const std::string& statement, const std::string& question) override;
  void Cue(engine::OperatorCue cue, std::string_view memo) override;
  void KeyPrompt(std::string_view prompt) override;
  bool CueDone() const override { return !waitingForDone_.load(); }
  std::optional<std::int64_t> CueDoneAtMicros() const override;

 private:
  std::string ReadLine();
  const platform::Clock& clock_;
  std::atomic<bool> waitingForSpace_{false};
  std::atomic<bool> waitingForDone_{false};
  std::atomic<std::int64_t> spaceUpAtMicros_{0};
  std::atomic<std::int64_t> doneAtMicros_{-1};  // the Enter that said the last cue was done
  std::mutex inputMutex_;
  std::thread reader_;
  std::atomic<bool> stop_{false};
};

}  // namespace vlt::cli
