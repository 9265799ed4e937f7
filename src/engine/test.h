// Test: the base of every compliance test. It owns the element list, data logs,
// criteria and time marks, runs the sequencer on a queue of test events that
// the tick thread drains, writes the banner, end lines and report, and restores
// the host's mode after the run.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "engine/data_log.h"
#include "engine/element_list.h"
#include "engine/failure.h"
#include "engine/operator_cues.h"
#include "engine/report_layout.h"
#include "engine/run_journal.h"
#include "engine/test_context.h"
#include "framework/parser.h"
#include "framework/running_test.h"
#include "settings/setting_manager.h"

namespace vlt::engine {

inline constexpr std::uint16_t kStartTimeMark = 0xFFFF;
inline constexpr std::uint32_t kNoTimeBetween = 0xFFFFFFFF;
inline constexpr std::uint32_t kNormalToolMode = 3;
// The line an operator's Abort writes before "Test X aborted.".
inline constexpr std::string_view kOperatorAbortLine = "The operator aborted the test.";

// Create every test as framework::Registered<TestClass>(app.Link().Parsers(), context, ...)
// so that it is registered only once fully built; build the list, data logs and
// criteria in the constructor, since the tick thread hands a registered test
// frames. Whoever destroys a test must first take it out of the running-test slot.
class Test : public framework::BRParser,
             public framework::TestStepper,
             public settings::SettingManager {
 public:
  // Resets the common time base; the list begins with ETextLogStartWithClear
  // and EGetToolMode (storing into the saved mode). `identity` is the
  // catalogue's entry at `catalogueIndex`.
  Test(const TestContext& context, std::uint16_t catalogueIndex, TestIdentity identity);
  ~Test() override;
  Test(const Test&) = delete;
  Test& operator=(const Test&) = delete;

  // Every data log sees every frame message, in id order.
  void OnFrame(const framework::FrameMessage& message) override;
  void Step() override { Tick(); }
  std::optional<std::int64_t> WakeAtMicros() const override;

  virtual void WriteReport();
  // Diagnostic: every element's status line between rules.
  void DumpStatus() override;
  virtual std::string BuildStrip() const;
  // "Product Name" + "_" + code + "_" + local time "%y%m%d%H%M".
  virtual std::string DefaultLogName() const;
  virtual void WriteSkipped(const std::string& reason);
  // The start banner; tests call the base first.
  virtual void OnStart();
  // Asks whether to report an aborted run, then writes the report.
  virtual void Finish();

  // Called by the window thread while no test is current (the running-test slot
  // is empty; a finishing test stays in it until the step that finished it is done).
  void Start();
  // The tick thread's step: posts due timer events, then drains the queue.
  void Tick();
  // Any thread.
  void PostEvent(std::uint32_t code);
  // Any thread: aborts the run as the abort event does. The tick thread first
  // writes `reason` (when not empty) and, with `sayWhatItWaitsFor`, a line with
  // what the run was waiting for.
  void PostAbort(std::string reason, bool sayWhatItWaitsFor = false);
  // Any thread: the operator's Abort command; the report says so and what the
  // run was waiting for.
  void AbortByOperator();

  // --- building the list, logs and criteria (constructors of the tests) ---
  template <typename E, typename... Args>
  E& Append(Args&&... args) {
    auto element = std::make_unique<E>(this, std::forward<Args>(args)...);
    E& ref = *element;
    elements_.Append(std::move(element));
    return ref;
  }
  Element& Append(std::unique_ptr<Element> element) { return elements_.Append(std::move(element)); }
  DataLog& AddDataLog(std::uint16_t id);
  Failure& AddCriterion(std::uint16_t id, std::string text);

  // --- what elements and watches call ---
  // An id without a criterion does nothing.
  void PassCriterion(std::uint16_t id, std::string note, const DataLog* log = nullptr,
                     int index = -1);
  void FailCriterion(std::uint16_t id, std::string note, const DataLog* log = nullptr,
                     int index = -1);
  void PassIfUndecided(std::uint16_t id, std::string note);
  // Passes, or adds to the notes of an earlier pass of the criterion.
  void PassCriterionAdding(std::uint16_t id, std::string note, const DataLog* log = nullptr,
                           int index = -1);
  // Fails, or adds to the notes of an earlier failure of the criterion.
  void FailCriterionAdding(std::uint16_t id, std::string note, const DataLog* log = nullptr,
                           int index = -1);
  // Leaves the criterion for the operator to judge ("____"), with what was seen.
  void QuestionCriterion(std::uint16_t id, std::string note, const DataLog* log = nullptr,
                         int index = -1);
  Failure* Criterion(std::uint16_t id);
  // Every criterion in id order.
  const std::map<std::uint16_t, std::unique_ptr<Failure>>& Criteria() const { return criteria_; }
  DataLog* DataLogAt(std::uint16_t id);
  const DataLog* DataLogAt(std::uint16_t id) const;
  // Prints data log `id` into the log pane, decoding the frames `decoder` matches.
  void DumpDataLog(std::uint16_t id, const data::Specifier* decoder) const;

  // `ms` of -1 means now.
  void MarkTime(std::uint16_t id, std::int64_t ms = -1);
  // Now minus the mark; -1 when there is none.
  std::int32_t TimeSince(std::uint16_t id) const;
  // The absolute difference; FFFFFFFFh when either is missing.
  std::uint32_t TimeBetween(std::uint16_t id1, std::uint16_t id2) const;

  // A memo asks the operator for `cue`. A power-on cue goes out only once the
  // list is settled, so the test listens before the DUT can start; any other
  // cue goes out at once. Nothing happens without the front end's cues.
  void CueOperator(OperatorCue cue, std::string_view memo);
  // A prompt answered by a key the test reads from the key state.
  void PromptForKey(std::string_view prompt);
  // Whether the operator has done what the last cue asked (always without one).
  bool OperatorDone() const;
  // When the operator reported it done, on the common time base; none when the
  // front end does not say.
  std::optional<std::uint32_t> OperatorDoneAtMs() const;
  // Whether a person confirms the cues (also without any front end's cues).
  bool PersonActs() const;
  // What the run waits for now, in plain words (tick thread only).
  std::string WaitingFor() const;
  // What is left of the abort limit the run counts down now; none while none
  // runs (tick thread only).
  std::optional<std::uint32_t> LimitLeftMs() const;
  // The header values the run's report was written with; until it is written,
  // those of the run's start. Not while the tick thread may write the report.
  const ReportHeaderValues& RunHeader() const { return runHeader_; }
  bool ReportWritten() const { return reportWritten_; }

  void Write(std::string_view line) const;
  // Stamps a journal note now, or at `atMs`.
  void Note(RunNote::Kind kind, std::uint32_t lengthMs = 0, std::string text = {});
  void NoteAt(RunNote::Kind kind, std::uint32_t atMs, std::uint32_t lengthMs);
  const RunJournal& Journal() const { return journal_; }
  void Trace(std::string_view line) const;
  bool Verbose() const { return context_.verbose.load(); }
  std::uint32_t NowMs() const { return context_.app.TimeBase().NowMs(); }
  std::int64_t NowMicros() const { return context_.app.TimeBase().NowMicros(); }
  // Asks the tick loop to step at `micros` (common time base) rather than up to
  // a millisecond later; the earliest request stands until it has passed.
  void WakeAt(std::int64_t micros);
  const TestContext& Context() const { return context_; }
  framework::BRToolApp& App() const { return context_.app; }
  settings::SettingManager& AppSettings() const { return context_.appSettings; }
  // The dictionary's text of a signal of the frame; "N/A" without a dictionary.
  std::string SignalValue(const framework::FrameRecord& frame, const std::string& name) const;
  // Sends the host the mode message of a tool mode (FFh, FFh outside 0 to 7).
  void SendToolMode(std::uint32_t toolMode) const;

  // --- state ---
  const TestIdentity& Identity() const { return identity_; }
  const std::string& Code() const { return identity_.code; }
  std::uint16_t CatalogueIndex() const { return index_; }
  const ElementList& Elements() const { return elements_; }
  bool Running() const { return running_.load(); }
  bool Paused() const { return paused_.load(); }
  bool Aborted() const { return aborted_.load(); }
  // The run was aborted because the link to the host went down.
  bool LinkLost() const { return linkLost_.load(); }
  bool RestoreModes() const { return restoreModes_; }
  std::uint32_t SavedMode() const { return savedMode_; }
  float MsPerTick() const { return msPerTick_; }
  std::size_t QueuedEvents() const;

 protected:
  void HandleEvent(std::uint32_t code);
  // The header lines of the report and of the skipped-test record.
  ReportHeaderValues HeaderValues() const;
  void WriteLines(const std::vector<std::string>& lines) const;
  // The LogLine of every application setting read during this run, in name order.
  void WriteUsedSettings() const;

 private:
  void PostDueTimerEvents(std::uint32_t now);
  // A run the host may no longer hear is aborted; the reason names the host.
  void CheckLink();
  // A run that would end unaborted waits for a message from the host that
  // left it after this moment: no verdict stands on a dead link.
  void HoldFinishForHost();
  void ContinueHeldFinish();
  // Writes the reason an abort was posted with and the wait it asked for, if
  // any, and returns what was written as one line.
  std::optional<std::string> WriteAbortReason();
  void FinishRun();
  void ShowStatusBoxes();
  void ShowTestStatus(const std::string& text) const;
  bool NextEvent(std::uint32_t& code);

  TestContext context_;
  std::uint16_t index_;
  TestIdentity identity_;
  ElementList elements_;
  std::map<std::uint16_t, std::unique_ptr<DataLog>> dataLogs_;
  std::map<std::uint16_t, std::unique_ptr<Failure>> criteria_;
  std::map<std::uint16_t, std::uint32_t> timeMarks_;
  RunJournal journal_;
  ReportHeaderValues runHeader_;
  bool reportWritten_ = false;
  // Tick thread only: the last line written in the drain so far, which says why
  // an abort handled later in the same drain was posted.
  bool draining_ = false;
  mutable std::string lastDrainLine_;

  mutable std::mutex eventLock_;  // guards events_ and the abort reason; never held while an
                                  // event is handled
  std::deque<std::uint32_t> events_;
  std::string abortReason_;
  bool abortSaysWait_ = false;

  OperatorCue pendingCue_ = OperatorCue::kNone;  // a power-on cue waiting for the list to settle
  std::string pendingMemo_;
  bool linkAbortPosted_ = false;
  std::atomic<bool> linkLost_{false};
  bool finishHeld_ = false;             // the run is over, its finish waits for the host
  bool leaveSlot_ = false;              // the run is finished; the step ends by leaving the slot
  std::uint32_t heardAtHoldCount_ = 0;  // the link's message count when the finish was held

  std::atomic<bool> running_{false};  // between the start and the finish
  // Set on the tick thread; the window may read them.
  std::atomic<bool> paused_{false};
  std::atomic<bool> aborted_{false};
  // The due time of the last event of each kind, on the common time base.
  std::uint32_t last5_ = 0, last25_ = 0, last100_ = 0, last250_ = 0, last1000_ = 0, last5000_ = 0;
  std::optional<std::int64_t> wakeAtMicros_;  // common time base; tick thread only
  std::uint32_t ticksThisSecond_ = 0;
  float msPerTick_ = 1.0F;
  bool restoreModes_ = true;
  std::uint32_t savedMode_ = kNormalToolMode;
};

}  // namespace vlt::engine
