#include "results/run_trace.h"

#include "engine/test.h"

namespace vlt::results {
namespace {

// The criterion's evidence frame when it is one of `log`'s, else -1.
int EvidenceIn(const engine::Failure& failure, const engine::DataLog* log) {
  const int index = failure.EvidenceIndex();
  const bool ours = log != nullptr && failure.EvidenceLog() == log && index >= 0 &&
                    static_cast<std::size_t>(index) < log->Size();
  return ours ? index : -1;
}

std::vector<TraceCriterion> CriteriaOf(const engine::Test& test, const engine::DataLog* log) {
  std::vector<TraceCriterion> criteria;
  criteria.reserve(test.Criteria().size());
  for (const auto& [id, failure] : test.Criteria()) {
    criteria.push_back(
        {id, failure->Text(), failure->GetState(), failure->Note(), EvidenceIn(*failure, log)});
  }
  return criteria;
}

// Whether `seen` still tells the test's criteria; a criterion's text never changes.
bool SameCriteria(const std::vector<TraceCriterion>& seen, const engine::Test& test,
                  const engine::DataLog* log) {
  if (seen.size() != test.Criteria().size()) return false;
  auto it = seen.begin();
  for (const auto& [id, failure] : test.Criteria()) {
    const TraceCriterion& c = *it++;
    if (c.id != id || c.state != failure->GetState() || c.note != failure->Note() ||
        c.evidenceIndex != EvidenceIn(*failure, log)) {
      return false;
    }
  }
  return true;
}

std::uint32_t StartOf(const std::vector<engine::RunNote>& notes) {
  for (const engine::RunNote& note : notes) {
    if (note.kind == engine::RunNote::Kind::kStarted) return note.atMs;
  }
  return 0;
}

bool Finished(const engine::Test& test) {
  const auto& notes = test.Journal().Notes();
  return !test.Running() && !notes.empty() && notes.back().kind == engine::RunNote::Kind::kFinished;
}

// The first data log, in id order: every test records into log 0.
const engine::DataLog* FirstLog(const engine::Test& test) {
  return test.DataLogAt(0);
}

}  // namespace

RunTrace CaptureRunTrace(const engine::Test& test, std::string logFile) {
  RunTrace trace;
  trace.identity = test.Identity();
  trace.header = test.RunHeader();
  trace.reportWritten = test.ReportWritten();
  trace.logFile = std::move(logFile);
  trace.notes = test.Journal().Notes();
  trace.startMs = StartOf(trace.notes);
  trace.finished = Finished(test);
  trace.aborted = test.Aborted();
  trace.nowMs = trace.finished ? trace.notes.back().atMs : test.NowMs();
  const engine::DataLog* log = FirstLog(test);
  for (std::size_t i = 0; log != nullptr && i < log->Size(); ++i) {
    trace.frames.Append(log->Frame(i), log->OwnTransmission(static_cast<int>(i)));
  }
  trace.criteria = CriteriaOf(test, log);
  return trace;
}

void TraceFeed::OnStart(const engine::Test& test) {
  const engine::DataLog* log = FirstLog(test);
  std::lock_guard lock(mutex_);
  pending_ = Delta{};
  pending_.changed = true;
  pending_.newRun = true;
  pending_.identity = test.Identity();
  pending_.header = test.RunHeader();
  generation_ = log != nullptr ? log->Generation() : 0;
  framesSeen_ = 0;
  notesSeen_ = 0;
  criteriaSeen_.clear();
  finishedSeen_ = false;
  abortedSeen_ = false;
  reportSeen_ = false;
  nowMs_ = 0;
  limitLeftMs_.reset();
}

void TraceFeed::OnStep(const engine::Test& test) {
  const engine::DataLog* log = FirstLog(test);
  const auto& notes = test.Journal().Notes();
  const bool finished = Finished(test);
  const bool aborted = test.Aborted();
  std::lock_guard lock(mutex_);
  // The run's clock moves every step; the picture changes only with what the run recorded.
  nowMs_ = finished ? notes.back().atMs : test.NowMs();
  limitLeftMs_ = test.LimitLeftMs();
  const bool reported = test.ReportWritten() && !reportSeen_;
  const bool logRestarted = log != nullptr && log->Generation() != generation_;
  const bool newFrames = log != nullptr && framesSeen_ < log->Size();
  const bool newNotes = notesSeen_ < notes.size();
  // Compared in place: a copy of every criterion each step would cost more than the step.
  const bool newCriteria = !SameCriteria(criteriaSeen_, test, log);
  if (!logRestarted && !newFrames && !newNotes && !newCriteria && !reported &&
      finished == finishedSeen_ && aborted == abortedSeen_) {
    return;
  }
  Delta& d = pending_;
  if (logRestarted) {
    generation_ = log->Generation();
    framesSeen_ = 0;
    d.framesRestart = true;
    d.frames.Clear();
  }
  for (; log != nullptr && framesSeen_ < log->Size(); ++framesSeen_) {
    d.frames.Append(log->Frame(framesSeen_), log->OwnTransmission(static_cast<int>(framesSeen_)));
  }
  for (; notesSeen_ < notes.size(); ++notesSeen_) d.notes.push_back(notes[notesSeen_]);
  if (newCriteria) {
    criteriaSeen_ = CriteriaOf(test, log);
    d.criteria = criteriaSeen_;
  }
  if (reported) {
    reportSeen_ = true;
    d.header = test.RunHeader();
    d.reported = true;
  }
  finishedSeen_ = finished;
  abortedSeen_ = aborted;
  d.startMs = StartOf(notes);
  d.finished = finished;
  d.aborted = aborted;
  d.changed = true;
}

bool TraceFeed::Update(RunTrace& trace) {
  Delta d;
  {
    std::lock_guard lock(mutex_);
    trace.nowMs = nowMs_;
    trace.limitLeftMs = limitLeftMs_;
    if (!pending_.changed) return false;
    d = std::move(pending_);
    pending_ = Delta{};
  }
  if (d.newRun) {
    RunTrace fresh;
    fresh.identity = d.identity;
    fresh.nowMs = trace.nowMs;
    fresh.limitLeftMs = trace.limitLeftMs;
    trace = std::move(fresh);
  }
  if (d.header) trace.header = std::move(*d.header);
  if (d.reported) trace.reportWritten = true;
  if (d.framesRestart) trace.frames.Clear();
  framework::FrameRecord frame;
  for (std::size_t i = 0; i < d.frames.Size(); ++i) {
    d.frames.Read(i, frame);
    trace.frames.Append(frame, d.frames.OwnTransmission(i));
  }
  trace.notes.insert(trace.notes.end(), d.notes.begin(), d.notes.end());
  if (d.criteria) trace.criteria = std::move(*d.criteria);
  trace.startMs = d.startMs;
  trace.finished = d.finished;
  trace.aborted = d.aborted;
  return true;
}

}  // namespace vlt::results
