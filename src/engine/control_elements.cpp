#include "engine/control_elements.h"

#include <algorithm>

#include "engine/operator_prompts.h"
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
    if (event_ == kEvAbort && test_ != nullptr) {
      const std::string missed = MissedLine();
      test_->PostAbort(missed, missed.empty());
    } else {
      Post(event_);
    }
    active_ = false;
    if (test_ != nullptr) test_->Note(RunNote::Kind::kLimitExceeded);
    Write("Time limit exceeded.");
    Trace("ETimeLimitAbort triggered.");
  }
}

std::optional<std::uint32_t> ETimeLimitAbort::LimitLeftMs() const {
  if (!active_) return std::nullopt;
  return elapsed_ < limit_ ? limit_ - elapsed_ : 0;
}

std::string ETimeLimitAbort::MissedLine() const {
  if (words_.awaited.empty()) return {};
  return "No " + words_.awaited + " heard within " + std::to_string(limit_) + " ms of " +
         words_.since + ".";
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

std::string ETimeLimitMinimum::WaitingFor() const {
  return "The test's minimum run time of " + std::to_string(limit_) + " ms (" +
         std::to_string(elapsed_) + " ms passed).";
}

void EWaitForUserKeypress::Start() {
  active_ = true;
  Trace("EWaitForUserKeypress started.");
  if (prompt_.empty()) return;
  if (test_ != nullptr) test_->Note(RunNote::Kind::kOperatorStep, 0, prompt_);
  Write(prompt_);
  if (test_ != nullptr) test_->PromptForKey(prompt_);
}

void EWaitForUserKeypress::OnEvent(std::uint32_t /*code*/) {
  if (test_ == nullptr || !test_->Context().keys.IsKeyDown(key_)) return;
  active_ = false;
  test_->Note(RunNote::Kind::kKeyPressed);
  Trace("EWaitForUserKeypress complete.");
}

std::string EWaitForUserKeypress::WaitingFor() const {
  return prompt_.empty() ? "No key press." : "No key press for: " + prompt_;
}

void ETextLogMemo::Start() {
  active_ = true;
  const std::string rule(80, '!');
  Trace(rule);
  if (test_ != nullptr) test_->Note(RunNote::Kind::kOperatorStep, 0, memo_);
  Write(memo_);
  Trace(rule);
  if (test_ != nullptr && cue_ != OperatorCue::kNone) {
    test_->CueOperator(cue_, memo_);
    waiting_ = CueWaits(cue_) && !test_->OperatorDone();
  }
  if (waiting_) return;
  Done();
}

void ETextLogMemo::OnEvent(std::uint32_t /*code*/) {
  if (!waiting_ || test_ == nullptr || !test_->OperatorDone()) return;
  waiting_ = false;
  Done();
}

void ETextLogMemo::Done() {
  active_ = false;
  OnDone();
  Trace(GetName() + " executed.");
}

void EOperatorNotice::Start() {
  ETextLogMemo::Start();
  if (test_ != nullptr) test_->CueOperator(OperatorCue::kNone, Memo());
}

std::string_view ActionMemo(OperatorCue cue) {
  switch (cue) {
    case OperatorCue::kCauseFault:
      return kCauseFaultPrompt;
    case OperatorCue::kRemoveFault:
      return kRemoveFaultPrompt;
    case OperatorCue::kWorkControl:
      return kWorkControlPrompt;
    default:
      return {};
  }
}

void EOperatorAction::Start() {
  promptMs_ = test_ != nullptr ? test_->NowMs() : 0;
  ETextLogMemo::Start();
}

void EOperatorAction::OnDone() {
  if (test_ == nullptr) return;
  byPerson_ = test_->PersonActs();
  // Seen at this event at the latest; the front end may know the moment better.
  doneMs_ = test_->OperatorDoneAtMs().value_or(test_->NowMs());
  doneMs_ = std::clamp(doneMs_, promptMs_, test_->NowMs());
  test_->MarkTime(mark_, doneMs_);
  test_->NoteAt(RunNote::Kind::kKeyPressed, doneMs_, 0);
}

void ETextLogMemo::Reset() {
  Element::Reset();
  waiting_ = false;
}

std::string ETextLogMemo::WaitingFor() const {
  return waiting_ ? "The operator has not yet done what this asks: " + memo_ : std::string();
}

bool ClearsLogAtStart(settings::SettingManager& settings, bool dontMark) {
  return settings.GetValue("Clear Text Log at Start", dontMark) != "No";
}

void ETextLogStartWithClear::Start() {
  active_ = true;
  if (test_ != nullptr && ClearsLogAtStart(test_->AppSettings(), false)) {
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
