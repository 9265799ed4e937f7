// RunJournal: what a run told the operator and which time limits it applied,
// each stamped on the common time base. The report has no room for these times;
// the timeline of a run draws them beside the frames.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vlt::engine {

struct RunNote {
  enum class Kind : std::uint8_t {
    kStarted,        // the run's first moment
    kOperatorStep,   // a memo or prompt shown to the operator; text: the line shown
    kKeyPressed,     // the key a prompt waited for was down
    kTimeLimit,      // a limit of lengthMs began: past it the run (or a group) is aborted
    kMinimumTime,    // the list is held open for lengthMs
    kQuietBus,       // the bus was silent for lengthMs, from atMs
    kLimitExceeded,  // a time limit fired
    kAborted,        // text: the line the test wrote just before, empty for an outside abort
    kFinished,       // the run's last moment
  };

  Kind kind = Kind::kOperatorStep;
  std::uint32_t atMs = 0;
  std::uint32_t lengthMs = 0;
  std::string text;
};

// Written on the tick thread while the test runs (the run's first element on the
// window thread, before the tick thread may step it); read once the run is over
// or on the tick thread.
class RunJournal {
 public:
  // A new run: the notes of the last one go.
  void Clear() { notes_.clear(); }
  void Add(RunNote note) { notes_.push_back(std::move(note)); }
  const std::vector<RunNote>& Notes() const { return notes_; }

 private:
  std::vector<RunNote> notes_;
};

}  // namespace vlt::engine
