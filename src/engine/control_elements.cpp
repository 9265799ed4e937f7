#include "engine/control_elements.h"

#include "engine/test.h"

namespace vlt::engine {

void ETimeLimitAbort::Start() {
  active_ = true;
  elapsed_ = 0;
  if (test_ != nullptr) test_->Note(RunNote::Kind::kTimeLimit, limit_);
  Trace("ETimeLimitAbort started.");
}

void ETimeLimitAbort::OnEvent(std::uint32_t code) {
  if (code != kEvTick5) return;
  elapsed_ += kTick5Ms;
  if (elapsed_ > limit_) {
    Post(event_);
    active_ = false;
    if (test_ != nullptr) test_->Note(RunNote::Kind::kLimitExceeded);
    Write("Time limit exceeded.");
    Trace("ETimeLimitAbort triggered.");
  }
}

void ETimeLimitMinimum::Start() {
  active_ = true;
  elapsed_ = 0;
  if (test_ != nullptr) test_->Note(RunNote::Kind::kMinimumTime, limit_);
  Trace("ETimeLimitMinimum started.");
}

void ETimeLimitMinimum::OnEvent(std::uint32_t code) {
  if (code != kEvTick5) return;
  elapsed_ += kTick5Ms;
  if (elapsed_ > limit_) {
    active_ = false;
    Trace("ETimeLimitMinimum complete.");
  }
}

void EWaitForUserKeypress::Start() {
  active_ = true;
  Trace("EWaitForUserKeypress started.");
  if (prompt_.empty()) return;
  if (test_ != nullptr) test_->Note(RunNote::Kind::kOperatorStep, 0, prompt_);
  Write(prompt_);
}

void EWaitForUserKeypress::OnEvent(std::uint32_t /*code*/) {
  if (test_ == nullptr || !test_->Context().keys.IsKeyDown(key_)) return;
  active_ = false;
  test_->Note(RunNote::Kind::kKeyPressed);
  Trace("EWaitForUserKeypress complete.");
}

void ETextLogMemo::Start() {
  active_ = true;
  const std::string rule(80, '!');
  Trace(rule);
  if (test_ != nullptr) test_->Note(RunNote::Kind::kOperatorStep, 0, memo_);
  Write(memo_);
  Trace(rule);
  active_ = false;
  Trace("ETextLogMemo executed.");
}

void ETextLogStartWithClear::Start() {
  active_ = true;
  // A missing setting reads "N/A", which clears as well.
  if (test_ != nullptr && test_->AppSettings().GetValue("Clear Text Log at Start", false) != "No") {
    test_->App().Log().ClearLogPane();
  }
  active_ = false;
  Trace("ETextLogStartWithClear executed.");
}

void EDataLogAction::Start() {
  active_ = true;
  if (log_ != nullptr) log_->Apply(action_);
  active_ = false;
  Trace("EDataLogAction executed.");
}

}  // namespace vlt::engine
