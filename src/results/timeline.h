// Timeline: one test run as a picture's content, in milliseconds from the run's
// start. One lane per source address (the tester's own frames in a lane of
// their own), a mark per frame by kind, the 250 ms windows and time limits the
// run applied as bands, each decided criterion pinned at its evidence frame,
// and the operator's steps on the time axis.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/run_trace.h"

namespace vlt::results {

// J1939 address claiming: a claim may be contested for this long, and a
// request for ADDRESS_CLAIM is answered within it.
inline constexpr std::uint32_t kAddressContentionMs = 250;

enum class FrameKind : std::uint8_t {
  kClaim,        // ADDRESS_CLAIMED from an address
  kCannotClaim,  // ADDRESS_CLAIMED from the null address FEh
  kRequest,      // a request (EA00h block)
  kOperating,    // any other DGN
};

struct TimelineLane {
  std::uint8_t address = 0;  // the tester's: the one its frames came from
  bool tester = false;
  bool addressesDiffer = false;  // the tester's frames came from more than one address
};

struct TimelineMark {
  std::uint32_t atMs = 0;
  std::uint32_t frame = 0;  // index in the trace's frames
  std::uint32_t dgn = 0;
  std::uint16_t lane = 0;
  FrameKind kind = FrameKind::kOperating;
};

enum class BandKind : std::uint8_t {
  kContention,   // after a claim, in its lane
  kResponse,     // after a request (for a claim or any DGN), in its lane
  kTimeLimit,    // past it the run (or a group) is aborted
  kMinimumTime,  // the run is held open this long
  kQuietBus,     // the bus was silent
};

struct TimelineBand {
  BandKind kind = BandKind::kTimeLimit;
  std::uint32_t fromMs = 0;
  std::uint32_t toMs = 0;  // cut at the run's end
  std::uint32_t lengthMs = 0;
  int lane = -1;  // -1: the whole run, not one lane
};

struct TimelinePin {
  std::size_t criterion = 0;  // index in the timeline's criteria
  std::uint32_t atMs = 0;
  std::uint32_t frame = 0;
  std::uint16_t lane = 0;
  bool passed = false;
};

enum class StepKind : std::uint8_t {
  kOperator,       // a memo or prompt shown to the operator
  kKeyPressed,     // the key a prompt waited for
  kLimitExceeded,  // a time limit fired
  kAborted,
};

struct TimelineStep {
  StepKind kind = StepKind::kOperator;
  std::uint32_t atMs = 0;
  std::string text;
};

struct Timeline {
  engine::TestIdentity identity;
  engine::ReportHeaderValues header;
  bool reportWritten = false;
  std::string logFile;        // Windows-1252; empty: not saved yet
  std::uint32_t startMs = 0;  // the run's start on the time base its log lines are stamped on
  std::uint32_t lengthMs = 0;
  bool finished = false;
  bool aborted = false;
  std::vector<TimelineLane> lanes;  // the tester's first, then by address
  std::vector<TimelineMark> marks;  // in frame order
  std::vector<TimelineBand> bands;
  std::vector<TimelinePin> pins;  // decided criteria with an evidence frame, in id order
  std::vector<TimelineStep> steps;
  std::vector<TraceCriterion> criteria;  // all, in id order
};

Timeline BuildTimeline(const RunTrace& trace);

// The line of the log pane's text (counted from 0) that prints frame `frame` of
// the trace: its line in the report's dump of the data log. None while no
// report shows it.
std::optional<std::size_t> FrameLineInPane(std::string_view paneText, const RunTrace& trace,
                                           std::uint32_t frame);

FrameKind KindOf(const framework::FrameRecord& frame);

}  // namespace vlt::results
