#include "results/run_trace.h"

#include "engine/test.h"

namespace vlt::results {
namespace {

std::vector<TraceCriterion> CriteriaOf(const engine::Test& test, const engine::DataLog* log) {
  std::vector<TraceCriterion> criteria;
  criteria.reserve(test.Criteria().size());
  for (const auto& [id, failure] : test.Criteria()) {
    const bool ours = log != nullptr && failure->EvidenceLog() == log &&
                      failure->EvidenceIndex() >= 0 &&
                      static_cast<std::size_t>(failure->EvidenceIndex()) < log->Size();
    criteria.push_back({id, failure->Text(), failure->GetState(), failure->Note(),
                        ours ? failure->EvidenceIndex() : -1});
  }
  return criteria;
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

RunTrace CaptureRunTrace(const engine::Test& test) {
  RunTrace trace;
  trace.identity = test.Identity();
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
  generation_ = log != nullptr ? log->Generation() : 0;
  framesSeen_ = 0;
  notesSeen_ = 0;
  criteriaSeen_.clear();
}

void TraceFeed::OnStep(const engine::Test& test) {
  const engine::RunJournal& journal = test.Journal();
  const engine::DataLog* log = FirstLog(test);
  std::lock_guard lock(mutex_);
  Delta& d = pending_;
  if (log != nullptr && log->Generation() != generation_) {
    generation_ = log->Generation();
    framesSeen_ = 0;
    d.framesRestart = true;
    d.frames.Clear();
  }
  for (; log != nullptr && framesSeen_ < log->Size(); ++framesSeen_) {
    d.frames.Append(log->Frame(framesSeen_), log->OwnTransmission(static_cast<int>(framesSeen_)));
  }
  const auto& notes = journal.Notes();
  for (; notesSeen_ < notes.size(); ++notesSeen_) d.notes.push_back(notes[notesSeen_]);
  std::vector<TraceCriterion> criteria = CriteriaOf(test, log);
  if (criteria != criteriaSeen_) {
    criteriaSeen_ = criteria;
    d.criteria = std::move(criteria);
  }
  d.startMs = StartOf(notes);
  d.finished = Finished(test);
  d.aborted = test.Aborted();
  d.nowMs = d.finished ? notes.back().atMs : test.NowMs();
  d.changed = true;
}

bool TraceFeed::Update(RunTrace& trace) {
  Delta d;
  {
    std::lock_guard lock(mutex_);
    if (!pending_.changed) return false;
    d = std::move(pending_);
    pending_ = Delta{};
  }
  if (d.newRun) {
    trace = RunTrace{};
    trace.identity = d.identity;
  }
  if (d.framesRestart) trace.frames.Clear();
  framework::FrameRecord frame;
  for (std::size_t i = 0; i < d.frames.Size(); ++i) {
    d.frames.Read(i, frame);
    trace.frames.Append(frame, d.frames.OwnTransmission(i));
  }
  trace.notes.insert(trace.notes.end(), d.notes.begin(), d.notes.end());
  if (d.criteria) trace.criteria = std::move(*d.criteria);
  trace.startMs = d.startMs;
  trace.nowMs = d.nowMs;
  trace.finished = d.finished;
  trace.aborted = d.aborted;
  return true;
}

}  // namespace vlt::results
