#include "gui/window_operator.h"

namespace vlt::gui {

void WindowOperator::Queue(Prompt prompt) {
  prompt.framesHeard = framesHeard_ ? framesHeard_() : 0;
  std::lock_guard lock(mutex_);
  queue_.push_back(std::move(prompt));
}

void WindowOperator::Cue(engine::OperatorCue cue, std::string_view memo) {
  // Power and normal operation are seen on the bus; only actions are confirmed.
  const bool confirmed = engine::CueWaits(cue) && cue != engine::OperatorCue::kNormalOperation;
  if (confirmed) doneAtMicros_ = -1;
  awaiting_ = confirmed;
  Queue({cue, std::string(memo), false});
}

void WindowOperator::KeyPrompt(std::string_view prompt) {
  Queue({engine::OperatorCue::kNone, std::string(prompt), true});
}

std::optional<std::int64_t> WindowOperator::CueDoneAtMicros() const {
  const std::int64_t at = awaiting_.load() ? -1 : doneAtMicros_.load();
  if (at < 0) return std::nullopt;
  return at;
}

std::vector<WindowOperator::Prompt> WindowOperator::TakePrompts() {
  std::lock_guard lock(mutex_);
  std::vector<Prompt> taken;
  taken.swap(queue_);
  return taken;
}

void WindowOperator::Confirm() {
  if (!awaiting_.load()) return;
  doneAtMicros_ = clock_.NowMicros();
  awaiting_ = false;
}

}  // namespace vlt::gui
