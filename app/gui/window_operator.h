// The person at the window, as the tests' operator cues reach them. The tick
// thread queues every prompt (a cue's memo line, a key prompt) and the window's
// timer takes them, so the status area shows what the test asks and nothing
// reads the log pane for it. An action on the DUT waits for OK (or the space
// bar); the moment of that press is what the test measures the DUT from.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/operator_cues.h"
#include "platform/clock.h"

namespace vlt::gui {

class WindowOperator final : public engine::OperatorCues {
 public:
  struct Prompt {
    engine::OperatorCue cue = engine::OperatorCue::kNone;
    std::string text;
    bool key = false;               // answered by the space bar
    std::uint32_t framesHeard = 0;  // the link's frame count when it was given
  };
  using FramesHeard = std::function<std::uint32_t()>;

  WindowOperator(const platform::Clock& clock, FramesHeard framesHeard)
      : clock_(clock), framesHeard_(std::move(framesHeard)) {}

  // Tick thread.
  void Cue(engine::OperatorCue cue, std::string_view memo) override;
  void KeyPrompt(std::string_view prompt) override;
  bool CueDone() const override { return !awaiting_.load(); }
  std::optional<std::int64_t> CueDoneAtMicros() const override;

  // Window thread: the prompts given since the last call, in order.
  std::vector<Prompt> TakePrompts();
  // The operator pressed OK: what the cue asked is done, now.
  void Confirm();
  // The run ended: nothing waits for the operator any more.
  void Reset() { awaiting_ = false; }
  bool Awaiting() const { return awaiting_.load(); }

 private:
  void Queue(Prompt prompt);

  const platform::Clock& clock_;
  FramesHeard framesHeard_;
  std::mutex mutex_;
  std::vector<Prompt> queue_;
  std::atomic<bool> awaiting_{false};
  std::atomic<std::int64_t> doneAtMicros_{-1};
};

}  // namespace vlt::gui
