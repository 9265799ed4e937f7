#include "engine/test.h"

#include <algorithm>
#include <cstdio>

#include "engine/control_elements.h"
#include "engine/operator_prompts.h"
#include "engine/test_events.h"
#include "engine/tool_elements.h"

namespace vlt::engine {
namespace {

constexpr const char* kStripHeader =
    "\\rtf1\\ansi\\deff0 {\\colortbl;\\red10\\green10\\blue10;\\red0\\green192\\blue0;"
    "\\red0\\green0\\blue192;\\red192\\green0\\blue0;}";

std::string IndexPrefix(std::size_t i) {
  char text[16];
  std::snprintf(text, sizeof(text), "%2d ", static_cast<int>(i));
  return text;
}

// Whether the timer event of one kind is due; if so, moves its schedule on. Each
// event is due a fixed period after the previous due time, so the events keep
// their nominal rate however late the loop steps; a loop late by more than a
// whole period restarts the schedule from now rather than catching up in a burst.
bool TimerDue(std::uint32_t now, std::uint32_t& last, std::uint32_t periodMs) {
  const std::uint32_t due = last + periodMs;
  if (!(now > due)) return false;
  last = now - due > periodMs ? now : due;
  return true;
}

}  // namespace

std::tm SystemLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

Test::Test(const TestContext& context, std::uint16_t catalogueIndex, TestIdentity identity)
    : settings::SettingManager(context.dataContext),
      context_(context),
      index_(catalogueIndex),
      identity_(std::move(identity)) {
  context_.app.TimeBase().Reset();
  const std::uint32_t now = NowMs();
  last5_ = last25_ = last100_ = last250_ = last1000_ = last5000_ = now;
  Append<ETextLogStartWithClear>();
  Append<EGetToolMode>(&savedMode_);
}

Test::~Test() {
  // The owner clears the slot first; this only guards against a forgotten test.
  context_.app.RunningTest().Clear(this);
}

void Test::OnFrame(const framework::FrameMessage& message) {
  for (auto& [id, log] : dataLogs_) log->OnMessage(message);
}

DataLog& Test::AddDataLog(std::uint16_t id) {
  auto& slot = dataLogs_[id];
  if (!slot) slot = std::make_unique<DataLog>(context_.app.TimeBase());
  return *slot;
}

DataLog* Test::DataLogAt(std::uint16_t id) {
  const auto it = dataLogs_.find(id);
  return it == dataLogs_.end() ? nullptr : it->second.get();
}

const DataLog* Test::DataLogAt(std::uint16_t id) const {
  const auto it = dataLogs_.find(id);
  return it == dataLogs_.end() ? nullptr : it->second.get();
}

void Test::DumpDataLog(std::uint16_t id, const data::Specifier* decoder) const {
  const auto it = dataLogs_.find(id);
  if (it != dataLogs_.end()) it->second->Dump(context_.app.Log(), decoder, context_.decodeFrame);
}

Failure& Test::AddCriterion(std::uint16_t id, std::string text) {
  auto& slot = criteria_[id];
  slot = std::make_unique<Failure>(std::move(text));
  return *slot;
}

Failure* Test::Criterion(std::uint16_t id) {
  const auto it = criteria_.find(id);
  return it == criteria_.end() ? nullptr : it->second.get();
}

void Test::PassCriterion(std::uint16_t id, std::string note, const DataLog* log, int index) {
  if (Failure* f = Criterion(id)) f->Pass(std::move(note), log, index);
}

void Test::FailCriterion(std::uint16_t id, std::string note, const DataLog* log, int index) {
  if (Failure* f = Criterion(id)) f->Fail(std::move(note), log, index);
}

void Test::PassIfUndecided(std::uint16_t id, std::string note) {
  if (Failure* f = Criterion(id)) f->PassIfUndecided(std::move(note));
}

void Test::PassCriterionAdding(std::uint16_t id, std::string note, const DataLog* log, int index) {
  if (Failure* f = Criterion(id)) f->PassAdding(std::move(note), log, index);
}

void Test::FailCriterionAdding(std::uint16_t id, std::string note, const DataLog* log, int index) {
  if (Failure* f = Criterion(id)) f->FailAdding(std::move(note), log, index);
}

void Test::QuestionCriterion(std::uint16_t id, std::string note, const DataLog* log, int index) {
  if (Failure* f = Criterion(id)) f->Question(std::move(note), log, index);
}

void Test::MarkTime(std::uint16_t id, std::int64_t ms) {
  timeMarks_[id] = ms == -1 ? NowMs() : static_cast<std::uint32_t>(ms);
}

std::int32_t Test::TimeSince(std::uint16_t id) const {
  const auto it = timeMarks_.find(id);
  if (it == timeMarks_.end()) return -1;
  return static_cast<std::int32_t>(NowMs() - it->second);
}

std::uint32_t Test::TimeBetween(std::uint16_t id1, std::uint16_t id2) const {
  const auto a = timeMarks_.find(id1);
  const auto b = timeMarks_.find(id2);
  if (a == timeMarks_.end() || b == timeMarks_.end()) return kNoTimeBetween;
  return a->second > b->second ? a->second - b->second : b->second - a->second;
}

void Test::Write(std::string_view line) const {
  context_.app.Log().AppendLogLine(line);
  if (draining_) lastDrainLine_ = line;
}

void Test::Note(RunNote::Kind kind, std::uint32_t lengthMs, std::string text) {
  journal_.Add(RunNote{kind, NowMs(), lengthMs, std::move(text)});
}

void Test::NoteAt(RunNote::Kind kind, std::uint32_t atMs, std::uint32_t lengthMs) {
  journal_.Add(RunNote{kind, atMs, lengthMs, {}});
}

void Test::Trace(std::string_view line) const {
  if (Verbose()) Write(line);
}

void Test::WriteLines(const std::vector<std::string>& lines) const {
  for (const std::string& line : lines) Write(line);
}

std::string Test::SignalValue(const framework::FrameRecord& frame, const std::string& name) const {
  if (!context_.signalValue) return "N/A";
  return context_.signalValue(frame, name);
}

void Test::SendToolMode(std::uint32_t toolMode) const {
  const framework::HostModeBytes bytes = framework::HostModeFromToolMode(toolMode);
  framework::BRLink& link = context_.app.Link();
  link.Write(framework::SetModeMessage(link.ToolId(), bytes.hostMode, bytes.echoFlag));
}

void Test::PostEvent(std::uint32_t code) {
  std::lock_guard lock(eventLock_);
  events_.push_back(code);
}

void Test::PostAbort(std::string reason, bool sayWhatItWaitsFor) {
  std::lock_guard lock(eventLock_);
  // The first reason stands: a timeout and a lost link at once are one abort.
  if (abortReason_.empty() && !abortSaysWait_) {
    abortReason_ = std::move(reason);
    abortSaysWait_ = sayWhatItWaitsFor;
  }
  events_.push_back(kEvAbort);
}

void Test::AbortByOperator() {
  PostAbort(std::string(kOperatorAbortLine), true);
}

void Test::CueOperator(OperatorCue cue, std::string_view memo) {
  if (context_.operatorCues == nullptr) return;
  if (cue == OperatorCue::kPowerOn) {
    pendingCue_ = cue;  // given after the sequencer step that settles the list
    pendingMemo_ = std::string(memo);
    return;
  }
  context_.operatorCues->Cue(cue, memo);
}

void Test::PromptForKey(std::string_view prompt) {
  if (context_.operatorCues != nullptr) context_.operatorCues->KeyPrompt(prompt);
}

bool Test::OperatorDone() const {
  return context_.operatorCues == nullptr || context_.operatorCues->CueDone();
}

std::optional<std::uint32_t> Test::OperatorDoneAtMs() const {
  if (context_.operatorCues == nullptr) return std::nullopt;
  const std::optional<std::int64_t> at = context_.operatorCues->CueDoneAtMicros();
  if (!at) return std::nullopt;
  const std::int64_t micros = *at - context_.app.TimeBase().ClockMicrosAt(0);
  return static_cast<std::uint32_t>(std::max<std::int64_t>(micros, 0) / 1000);
}

bool Test::PersonActs() const {
  return context_.operatorCues == nullptr || context_.operatorCues->PersonActs();
}

std::string Test::WaitingFor() const {
  return elements_.WaitingFor();
}

std::optional<std::uint32_t> Test::LimitLeftMs() const {
  if (!running_.load() || aborted_.load()) return std::nullopt;
  return elements_.LimitLeftMs();
}

std::size_t Test::QueuedEvents() const {
  std::lock_guard lock(eventLock_);
  return events_.size();
}

bool Test::NextEvent(std::uint32_t& code) {
  std::lock_guard lock(eventLock_);
  if (events_.empty()) return false;
  code = events_.front();
  events_.pop_front();
  return true;
}

void Test::Start() {
  context_.app.Log().SetReadOnly(true);
  restoreModes_ =
      context_.appSettings.GetValue("Restore Brantel Mute/Echo Modes After Test", true) != "No";
  if (elements_.Empty()) return;
  elements_.Rewind();
  for (auto& [id, criterion] : criteria_) criterion->Reset();
  for (auto& [id, log] : dataLogs_) log->Clear();
  // Marks of the last run would pass for this run's until overwritten.
  timeMarks_.clear();
  wakeAtMicros_.reset();
  journal_.Clear();
  runHeader_ = HeaderValues();
  reportWritten_ = false;
  PostEvent(kEvStart);
  MarkTime(kStartTimeMark);
  Note(RunNote::Kind::kStarted);
  paused_ = false;
  aborted_ = false;
  pendingCue_ = OperatorCue::kNone;
  linkAbortPosted_ = false;
  linkLost_ = false;
  finishHeld_ = false;
  {
    std::lock_guard lock(eventLock_);
    abortReason_.clear();
    abortSaysWait_ = false;
  }
  elements_.At(0).Start();
  context_.appSettings.ClearUsed();
  ClearUsed();
  if (Verbose()) ShowTestStatus(elements_.At(0).GetName());
  if (context_.runObserver != nullptr) context_.runObserver->OnStart(*this);
  // Last, so the tick thread never steps a half-started run.
  running_.store(true);
  framework::RunningTestSlot& slot = context_.app.RunningTest();
  if (slot.Get() == nullptr) slot.Set(this);
}

void Test::WakeAt(std::int64_t micros) {
  if (!wakeAtMicros_ || micros < *wakeAtMicros_) wakeAtMicros_ = micros;
}

std::optional<std::int64_t> Test::WakeAtMicros() const {
  if (!wakeAtMicros_ || !running_.load()) return std::nullopt;
  return context_.app.TimeBase().ClockMicrosAt(*wakeAtMicros_);
}

void Test::Tick() {
  if (wakeAtMicros_ && *wakeAtMicros_ <= NowMicros()) wakeAtMicros_.reset();
  if (!running_.load()) return;
  CheckLink();
  draining_ = true;
  lastDrainLine_.clear();
  if (finishHeld_) {
    ContinueHeldFinish();
  } else {
    const std::uint32_t now = NowMs();
    ++ticksThisSecond_;
    // Like the timer events, nothing moves while the run is paused.
    if (!paused_) elements_.LoopStep();
    PostDueTimerEvents(now);
    std::uint32_t code = 0;
    // Codes posted while an event is handled are handled in the same drain.
    while (running_.load() && NextEvent(code)) HandleEvent(code);
  }
  draining_ = false;
  if (context_.runObserver != nullptr) context_.runObserver->OnStep(*this);
  // Last of all: once the slot is empty the window may start the next run, whose
  // resets must not meet this step's reads.
  if (leaveSlot_) {
    leaveSlot_ = false;
    context_.app.RunningTest().Clear(this);
  }
}

void Test::CheckLink() {
  const framework::BRLink& link = context_.app.Link();
  if (linkAbortPosted_ || !link.Down()) return;
  linkAbortPosted_ = true;
  linkLost_ = true;
  PostAbort(link.DownReason());
}

void Test::HoldFinishForHost() {
  framework::BRLink& link = context_.app.Link();
  {
    // As at the finish itself: what was queued behind the end belongs to the run.
    std::lock_guard lock(eventLock_);
    events_.clear();
  }
  finishHeld_ = true;
  heardAtHoldCount_ = link.ReceivedCount();
  // Answered at once by a host that is there, whatever the bus does.
  link.Write(framework::ProbeMessage(link.ToolId()));
}

void Test::ContinueHeldFinish() {
  std::uint32_t code = 0;
  while (NextEvent(code)) {
    if (code == kEvAbort) {
      finishHeld_ = false;
      HandleEvent(kEvAbort);
      return;
    }
  }
  if (context_.app.Link().ReceivedCount() == heardAtHoldCount_) return;
  finishHeld_ = false;
  FinishRun();
}

std::optional<std::string> Test::WriteAbortReason() {
  std::string reason;
  bool sayWait = false;
  {
    std::lock_guard lock(eventLock_);
    reason.swap(abortReason_);
    sayWait = abortSaysWait_;
    abortSaysWait_ = false;
  }
  if (!reason.empty()) Write(reason);
  if (sayWait) {
    const std::string waiting = WaitingFor();
    if (!waiting.empty()) {
      Write(waiting);
      reason += (reason.empty() ? "" : " ") + waiting;
    }
  }
  if (reason.empty()) return std::nullopt;
  return reason;
}

void Test::PostDueTimerEvents(std::uint32_t now) {
  if (!TimerDue(now, last5_, kTick5Ms)) return;
  PostEvent(kEvTick5);
  if (!TimerDue(now, last25_, kTick25Ms)) return;
  PostEvent(kEvTick25);
  if (TimerDue(now, last100_, kTick100Ms)) PostEvent(kEvTick100);
  // The 250 ms event follows the 25 ms one directly, not the 100 ms one.
  if (!TimerDue(now, last250_, kTick250Ms)) return;
  PostEvent(kEvTick250);
  if (!TimerDue(now, last1000_, kTick1000Ms)) return;
  PostEvent(kEvTick1000);
  msPerTick_ = 1000.0F / static_cast<float>(ticksThisSecond_);
  ticksThisSecond_ = 0;
  if (TimerDue(now, last5000_, kTick5000Ms)) PostEvent(kEvTick5000);
}

void Test::HandleEvent(std::uint32_t code) {
  bool finished = false;
  switch (code) {
    case kEvStart:
      OnStart();
      break;
    case kEvPause:
      for (auto& [id, log] : dataLogs_) log->Pause();
      paused_ = true;
      Write("Pausing test.");
      break;
    case kEvResume:
      for (auto& [id, log] : dataLogs_) log->Resume();
      paused_ = false;
      Write("Resuming test.");
      break;
    case kEvAbort:
      // The reason, when the abort brought one, else the line that led to it.
      Note(RunNote::Kind::kAborted, 0, WriteAbortReason().value_or(lastDrainLine_));
      Write("Test " + identity_.code + " aborted.");
      running_.store(false);
      aborted_ = true;
      finished = true;
      break;
    case kEvCompleteCurrent:
      if (!elements_.Idle()) elements_.At(elements_.Current()).Complete();
      break;
    case kEvTick250:
      if (Verbose()) ShowStatusBoxes();
      break;
    default:
      break;
  }
  if (paused_ && IsTimerEvent(code)) return;
  const ElementList::StepResult step = elements_.Step(code, finished);
  if (Verbose()) {
    if (step.started != nullptr) ShowTestStatus(step.started->GetName());
    if (step.becameIdle) ShowTestStatus("");
  }
  if (step.finished) {
    if (aborted_) {
      FinishRun();
    } else {
      HoldFinishForHost();
    }
    return;
  }
  if (pendingCue_ != OperatorCue::kNone && elements_.Settled()) {
    context_.operatorCues->Cue(pendingCue_, pendingMemo_);
    pendingCue_ = OperatorCue::kNone;
  }
}

void Test::FinishRun() {
  running_.store(false);
  pendingCue_ = OperatorCue::kNone;
  {
    // Events queued behind the one that ended the run belong to it: an abort
    // posted in the same event would otherwise run the finish a second time.
    std::lock_guard lock(eventLock_);
    events_.clear();
  }
  for (auto& [id, log] : dataLogs_) log->Stop();
  Note(RunNote::Kind::kFinished);
  Write("Test " + identity_.code + " complete.");
  Finish();
  if (Verbose()) ShowTestStatus("Done");
  if (restoreModes_) {
    SendToolMode(savedMode_);
    Trace("Restoring Brantel mode to " + ToolModeName(savedMode_));
  }
  context_.app.Log().SetReadOnly(false);
  // While the slot holds the test, no other test can be started over the finish
  // (the abort question may wait for the operator); the step empties it at its end.
  leaveSlot_ = true;
}

void Test::ShowTestStatus(const std::string& text) const {
  if (context_.status != nullptr) context_.status->SetTestStatus(text);
}

void Test::ShowStatusBoxes() {
  if (context_.status == nullptr) return;
  const int holding = static_cast<int>(elements_.FirstHolding());
  const int current = static_cast<int>(elements_.Current());
  const int count = static_cast<int>(elements_.Size());
  char text[64];
  if (!running_.load()) {
    std::snprintf(text, sizeof(text), "Not Running");
  } else if (paused_) {
    std::snprintf(text, sizeof(text), "Paused [%d %d : %d]", holding, current, count);
  } else if (elements_.Idle()) {
    std::snprintf(text, sizeof(text), "Idling [%d : %d]", holding, count);
  } else {
    std::snprintf(text, sizeof(text), "Running  [%d %d : %d]", holding, current, count);
  }
  context_.status->SetTestStatus(text);
  std::snprintf(text, sizeof(text), "%.2f ms/t", static_cast<double>(msPerTick_));
  context_.status->SetTickRate(text);
  context_.status->SetElementStrip(BuildStrip());
}

std::string Test::BuildStrip() const {
  std::string strip = "{";
  strip += kStripHeader;
  for (std::size_t i = 0; i < elements_.Size(); ++i) strip += elements_.At(i).GetMarker();
  return strip + "}";
}

void Test::DumpStatus() {
  std::vector<std::string> lines;
  lines.push_back(Rule('='));
  lines.push_back("Test Elements: ");
  for (std::size_t i = 0; i < elements_.Size(); ++i) {
    elements_.At(i).DescribeStatus(IndexPrefix(i), lines);
  }
  lines.push_back(Rule('='));
  WriteLines(lines);
}

void Test::OnStart() {
  std::vector<std::string> lines;
  lines.push_back(Rule('='));
  lines.push_back(StartingTestLine(identity_));
  if (Verbose()) {
    lines.push_back("Test Elements: ");
    for (std::size_t i = 0; i < elements_.Size(); ++i) {
      elements_.At(i).Describe(IndexPrefix(i), lines);
    }
    lines.push_back(Rule('='));
  }
  WriteLines(lines);
}

void Test::Finish() {
  if (aborted_ &&
      !context_.prompter.AskDecision("\r\nTest ABORTED!", std::string(kLogAbortedQuestion))) {
    Write("Test Aborted.  No Report.");
    return;
  }
  WriteReport();
}

ReportHeaderValues Test::HeaderValues() const {
  ReportHeaderValues v;
  v.when = context_.localTime ? context_.localTime() : SystemLocalTime();
  v.profile = context_.startingProfile ? context_.startingProfile() : std::string();
  // The report's own reads are not settings the test used.
  v.company = context_.appSettings.GetValue("Company", true);
  v.productName = context_.appSettings.GetValue("Product Name", true);
  v.productVersion = context_.appSettings.GetValue("Product Version", true);
  v.testedBy = context_.appSettings.GetValue("Tested By", true);
  return v;
}

void Test::WriteReport() {
  Write(Rule('='));
  Write(kDisclaimer);
  Write(Rule('='));
  Write(TestLine(identity_, aborted_ ? kAbortedMark : std::string_view()));
  runHeader_ = HeaderValues();
  reportWritten_ = true;
  WriteLines(HeaderValueLines(identity_, runHeader_));
  Write(Label("Testing Notes"));
  WriteUsedSettings();
  Write(Rule('-'));
  const std::uint32_t now = NowMs();
  for (const auto& [id, criterion] : criteria_) WriteLines(criterion->Print(now));
  Write(kOtherFailureModesLine);
  Write(Rule('-'));
}

void Test::WriteSkipped(const std::string& reason) {
  for (int i = 0; i < 3; ++i) Write(Rule('='));
  Write(TestLine(identity_, kSkippedMark));
  WriteLines(HeaderValueLines(identity_, HeaderValues()));
  Write(Label("Testing Notes"));
  Write(Label("Reason Skipped") + reason);
  Write(Rule('-'));
  Write(Rule('-'));
}

void Test::WriteUsedSettings() const {
  for (const settings::SettingData* setting : context_.appSettings.Settings()) {
    if (setting->Used()) Write(setting->LogLineText());
  }
}

std::string Test::DefaultLogName() const {
  const std::tm when = context_.localTime ? context_.localTime() : SystemLocalTime();
  return context_.appSettings.GetValue("Product Name", true) + "_" + identity_.code + "_" +
         LogNameTime(when);
}

}  // namespace vlt::engine
