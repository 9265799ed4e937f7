// RunTrace: what the timeline of a run is drawn from, copied out of the test:
// the frames of its first data log, its journal and its criteria. Taken whole
// from a finished test, or fed step by step from the tick thread while it runs,
// so that the window never reads the running test itself.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/failure.h"
#include "engine/frame_store.h"
#include "engine/report_layout.h"
#include "engine/run_journal.h"
#include "engine/test_context.h"

namespace vlt::engine {
class Test;
}

namespace vlt::results {

struct TraceCriterion {
  std::uint16_t id = 0;
  std::string text;
  engine::Failure::State state = engine::Failure::State::kUndecided;
  std::string note;
  int evidenceIndex = -1;  // a frame of the trace; -1 for none (or one of another log)

  bool operator==(const TraceCriterion&) const = default;
};

struct RunTrace {
  engine::TestIdentity identity;
  std::uint32_t startMs = 0;  // the run's start on the test's clock
  std::uint32_t nowMs = 0;    // the latest moment known; the end once finished
  bool finished = false;
  bool aborted = false;
  engine::FrameStore frames;
  std::vector<engine::RunNote> notes;
  std::vector<TraceCriterion> criteria;  // in id order
  // What the picture's title block names: the report's header (the run's start
  // until the report is written) and the log the run belongs to (Windows-1252;
  // empty while it is unknown).
  engine::ReportHeaderValues header;
  bool reportWritten = false;
  std::string logFile;
  // What is left of the abort limit the running test counts down; none when none runs.
  std::optional<std::uint32_t> limitLeftMs;
};

// From a test that is not being stepped (finished, or never started); `logFile`
// names the log it belongs to.
RunTrace CaptureRunTrace(const engine::Test& test, std::string logFile = {});

// Hands the window copies of the running test: the tick thread offers the test
// after each step, the window takes what is new into its own trace.
class TraceFeed final : public engine::RunObserver {
 public:
  // Window thread, while no test runs: the copy starts over with this run.
  void OnStart(const engine::Test& test) override;
  // Tick thread.
  void OnStep(const engine::Test& test) override;
  // Window thread: brings `trace` up to date; true when what the run recorded
  // changed (its frames, journal or criteria). The run's clock (`nowMs`) is
  // taken every time but alone is no change.
  bool Update(RunTrace& trace);

 private:
  struct Delta {
    bool changed = false;
    bool newRun = false;         // another test or another run: the trace starts over
    bool framesRestart = false;  // the data log was emptied
    engine::TestIdentity identity;
    std::uint32_t startMs = 0;
    bool finished = false;
    bool aborted = false;
    engine::FrameStore frames;  // new since the last update
    std::vector<engine::RunNote> notes;
    std::optional<std::vector<TraceCriterion>> criteria;  // all of them, when they changed
    std::optional<engine::ReportHeaderValues> header;     // when the run began or reported
    bool reported = false;
  };

  std::mutex mutex_;  // guards everything below
  Delta pending_;
  // How far the copies of the run have got.
  std::uint32_t generation_ = 0;
  std::size_t framesSeen_ = 0;
  std::size_t notesSeen_ = 0;
  std::vector<TraceCriterion> criteriaSeen_;
  bool finishedSeen_ = false;
  bool abortedSeen_ = false;
  bool reportSeen_ = false;
  std::uint32_t nowMs_ = 0;  // the run's latest moment
  std::optional<std::uint32_t> limitLeftMs_;
};

}  // namespace vlt::results
