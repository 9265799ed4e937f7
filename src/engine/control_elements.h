// Control and log elements: time limits, the operator's key press, memo lines,
// clearing the log pane and data-log controls. None touches the bus.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/data_log.h"
#include "engine/element.h"
#include "engine/operator_cues.h"
#include "engine/test_events.h"

namespace vlt::settings {
class SettingManager;
}

namespace vlt::engine {

// What a time limit waits for, in the operator's words: the report of an abort
// reads "No <awaited> heard within <limit> ms of <since>.".
struct LimitWords {
  std::string awaited;  // "ADDRESS_CLAIM"
  std::string since;    // "Power Up DUT"
};

// Counts 5 ms events; past `limit` posts `event` (the abort) and ends. An abort
// says what was missed: the limit's own words, else the wait of the element
// that still holds the run.
class ETimeLimitAbort : public Element {
 public:
  ETimeLimitAbort(Test* test, std::uint32_t limitMs, std::uint32_t event = kEvAbort,
                  LimitWords words = {})
      : Element(test, false, false), limit_(limitMs), event_(event), words_(std::move(words)) {}
  std::string GetName() const override { return "ETimeLimitAbort"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  std::optional<std::uint32_t> LimitLeftMs() const override;
  std::uint32_t Elapsed() const { return elapsed_; }
  // "No ADDRESS_CLAIM heard within 5000 ms of Power Up DUT."; empty without words.
  std::string MissedLine() const;

 private:
  std::uint32_t limit_;
  std::uint32_t elapsed_ = 0;
  std::uint32_t event_;
  LimitWords words_;
};

// Holds its list open until more than `limit` ms of 5 ms events have passed.
class ETimeLimitMinimum : public Element {
 public:
  ETimeLimitMinimum(Test* test, std::uint32_t limitMs)
      : Element(test, true, false), limit_(limitMs) {}
  std::string GetName() const override { return "ETimeLimitMinimum"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  std::string WaitingFor() const override;
  std::uint32_t Elapsed() const { return elapsed_; }

 private:
  std::uint32_t limit_;
  std::uint32_t elapsed_ = 0;
};

// Shows the prompt and waits until `key` is down at an event (sampled, not queued).
class EWaitForUserKeypress : public Element {
 public:
  EWaitForUserKeypress(Test* test, std::string prompt, std::uint8_t key)
      : Element(test, true, true), prompt_(std::move(prompt)), key_(key) {}
  std::string GetName() const override { return "EWaitForUserKeypress"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  std::string WaitingFor() const override;

 private:
  std::string prompt_;
  std::uint8_t key_;
};

// Writes its memo line. With a cue it also tells the front end; a cue that
// waits (CueWaits) keeps the list waiting (blocking and holding, though its
// flags say neither) until the operator is done.
class ETextLogMemo : public Element {
 public:
  ETextLogMemo(Test* test, std::string memo, OperatorCue cue = OperatorCue::kNone)
      : Element(test, false, false), memo_(std::move(memo)), cue_(cue) {}
  std::string GetName() const override { return "ETextLogMemo"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  bool IsHolding() const override { return waiting_; }
  bool IsBlocking() const override { return waiting_; }
  void Reset() override;
  std::string WaitingFor() const override;
  OperatorCue Cue() const { return cue_; }
  const std::string& Memo() const { return memo_; }

 protected:
  // The operator has done what the cue asked (at once when nothing waits).
  virtual void OnDone() {}

 private:
  void Done();
  std::string memo_;
  OperatorCue cue_;
  bool waiting_ = false;  // for the operator to finish what the cue asked
};

// A memo line that asks the operator to see to something the test then checks
// itself (the DUT running, alone on the bus): the front ends show it as a prompt
// (a cue of kNone) until the DUT is heard; nothing waits for it.
class EOperatorNotice : public ETextLogMemo {
 public:
  EOperatorNotice(Test* test, std::string memo) : ETextLogMemo(test, std::move(memo)) {}
  std::string GetName() const override { return "EOperatorNotice"; }
  void Start() override;
};

// The memo line of an action on the DUT ("cause a fault"); empty for other cues.
std::string_view ActionMemo(OperatorCue cue);

// Asks the operator for an action on the DUT (its memo line and cue), waits
// until it is done and marks that moment as time mark `mark`: the host's
// confirmation for an operator that acts by itself, the press of OK or Enter
// for a person (who acts before confirming, so frames since the prompt count).
class EOperatorAction : public ETextLogMemo {
 public:
  EOperatorAction(Test* test, OperatorCue cue, std::uint16_t mark)
      : ETextLogMemo(test, std::string(ActionMemo(cue)), cue), mark_(mark) {}
  std::string GetName() const override { return "EOperatorAction"; }
  void Start() override;
  // The moment of the prompt, and of the action, on the common time base.
  std::uint32_t PromptMs() const { return promptMs_; }
  std::uint32_t DoneMs() const { return doneMs_; }
  // Whether a person did it: the moment is their confirmation.
  bool ByPerson() const { return byPerson_; }

 protected:
  void OnDone() override;

 private:
  std::uint16_t mark_;
  std::uint32_t promptMs_ = 0;
  std::uint32_t doneMs_ = 0;
  bool byPerson_ = true;
};

// Does one thing of the test's own at its start, such as choosing what later
// elements need, and ends.
class ECall : public Element {
 public:
  ECall(Test* test, std::function<void()> call)
      : Element(test, false, false), call_(std::move(call)) {}
  std::string GetName() const override { return "ECall"; }
  void Start() override {
    if (call_) call_();
  }

 private:
  std::function<void()> call_;
};
// Whether a test's start empties the log pane: unless "Clear Text Log at Start"
// is "No" (a missing setting reads "N/A", which clears as well). A window asks
// with `dontMark`, a run without.
bool ClearsLogAtStart(settings::SettingManager& settings, bool dontMark);

// Empties the log pane unless "Clear Text Log at Start" is "No".
class ETextLogStartWithClear : public Element {
 public:
  explicit ETextLogStartWithClear(Test* test) : Element(test, false, false) {}
  std::string GetName() const override { return "ETextLogStartWithClear"; }
  void Start() override;
};

// Applies one data-log control (DataLog::Action numbers; others do nothing).
class EDataLogAction : public Element {
 public:
  EDataLogAction(Test* test, std::uint32_t action, DataLog* log)
      : Element(test, false, false), action_(action), log_(log) {}
  EDataLogAction(Test* test, DataLog::Action action, DataLog* log)
      : EDataLogAction(test, static_cast<std::uint32_t>(action), log) {}
  std::string GetName() const override { return "EDataLogAction"; }
  void Start() override;

 private:
  std::uint32_t action_;
  DataLog* log_;  // the test's, not owned
};

}  // namespace vlt::engine
