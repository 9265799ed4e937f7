#include "results/timeline.h"

#include <algorithm>
#include <array>

#include "engine/data_log.h"
#include "framework/host_protocol.h"
#include "results/run_result.h"

namespace vlt::results {
namespace {

// A lane per source address and one for the tester's own frames.
constexpr std::size_t kTesterLaneKey = 256;
constexpr std::size_t kLaneKeys = 257;

std::size_t LaneKey(const RunTrace& trace, std::size_t index, const framework::FrameRecord& frame) {
  // The data log marks the host's echo of each of the tester's own transmissions.
  return trace.frames.OwnTransmission(index) ? kTesterLaneKey : frame.sourceAddress;
}

std::optional<BandKind> BandOf(engine::RunNote::Kind kind) {
  switch (kind) {
    case engine::RunNote::Kind::kTimeLimit:
      return BandKind::kTimeLimit;
    case engine::RunNote::Kind::kMinimumTime:
      return BandKind::kMinimumTime;
    case engine::RunNote::Kind::kQuietBus:
      return BandKind::kQuietBus;
    default:
      return std::nullopt;
  }
}

std::optional<StepKind> StepOf(engine::RunNote::Kind kind) {
  switch (kind) {
    case engine::RunNote::Kind::kOperatorStep:
      return StepKind::kOperator;
    case engine::RunNote::Kind::kKeyPressed:
      return StepKind::kKeyPressed;
    case engine::RunNote::Kind::kLimitExceeded:
      return StepKind::kLimitExceeded;
    case engine::RunNote::Kind::kAborted:
      return StepKind::kAborted;
    default:
      return std::nullopt;
  }
}

}  // namespace

FrameKind KindOf(const framework::FrameRecord& frame) {
  if (IsAddressClaim(frame.dgn)) {
    return frame.sourceAddress == framework::kNullAddress ? FrameKind::kCannotClaim
                                                          : FrameKind::kClaim;
  }
  return IsRequest(frame.dgn) ? FrameKind::kRequest : FrameKind::kOperating;
}

Timeline BuildTimeline(const RunTrace& trace) {
  Timeline t;
  t.identity = trace.identity;
  t.header = trace.header;
  t.reportWritten = trace.reportWritten;
  t.logFile = trace.logFile;
  t.startMs = trace.startMs;
  t.finished = trace.finished;
  t.aborted = trace.aborted;
  t.criteria = trace.criteria;
  // Stamps before the start (a frame of the last moment of the run before) sit at 0.
  const auto since = [&trace](std::uint32_t atMs) {
    const auto d = static_cast<std::int32_t>(atMs - trace.startMs);
    return d > 0 ? static_cast<std::uint32_t>(d) : 0U;
  };
  t.lengthMs = since(trace.nowMs);

  // One pass over the frames: marks and their bands take the lane's key, and
  // become lane numbers once every lane present is known.
  const std::size_t count = trace.frames.Size();
  framework::FrameRecord frame;
  std::array<bool, kLaneKeys> present{};
  t.marks.reserve(count);
  std::vector<int> markOfFrame(count, -1);
  // The tester sends from its own address, the DUT's, or the null address.
  std::optional<std::uint8_t> testerAddress;
  bool testerAddressesDiffer = false;
  for (std::size_t i = 0; i < count; ++i) {
    trace.frames.Read(i, frame);
    if (frame.textFlag != 0) continue;
    const std::size_t key = LaneKey(trace, i, frame);
    present[key] = true;
    if (key == kTesterLaneKey) {
      if (testerAddress && *testerAddress != frame.sourceAddress) testerAddressesDiffer = true;
      testerAddress = frame.sourceAddress;
    }
    TimelineMark mark;
    mark.atMs = since(frame.timeStamp);
    mark.frame = static_cast<std::uint32_t>(i);
    mark.dgn = frame.dgn;
    mark.lane = static_cast<std::uint16_t>(key);
    mark.kind = KindOf(frame);
    t.lengthMs = std::max(t.lengthMs, mark.atMs);
    markOfFrame[i] = static_cast<int>(t.marks.size());
    // Every claim has its contention time and every request (for a claim or any
    // other DGN) the time its answer is due in.
    if (mark.kind == FrameKind::kClaim || mark.kind == FrameKind::kRequest) {
      const BandKind kind =
          mark.kind == FrameKind::kClaim ? BandKind::kContention : BandKind::kResponse;
      t.bands.push_back({kind, mark.atMs, mark.atMs + kAddressContentionMs, kAddressContentionMs,
                         static_cast<int>(key)});
    }
    t.marks.push_back(mark);
  }
  std::array<std::uint16_t, kLaneKeys> laneOf{};
  if (present[kTesterLaneKey]) {
    laneOf[kTesterLaneKey] = 0;
    t.lanes.push_back({*testerAddress, true, testerAddressesDiffer});
  }
  for (std::size_t key = 0; key < kTesterLaneKey; ++key) {
    if (!present[key]) continue;
    laneOf[key] = static_cast<std::uint16_t>(t.lanes.size());
    t.lanes.push_back({static_cast<std::uint8_t>(key), false});
  }
  for (TimelineMark& mark : t.marks) mark.lane = laneOf[mark.lane];
  for (TimelineBand& band : t.bands) band.lane = laneOf[static_cast<std::size_t>(band.lane)];

  for (const engine::RunNote& note : trace.notes) {
    const std::uint32_t at = since(note.atMs);
    t.lengthMs = std::max(t.lengthMs, at);
    if (const auto band = BandOf(note.kind)) {
      t.bands.push_back({*band, at, at + note.lengthMs, note.lengthMs, -1});
    } else if (const auto step = StepOf(note.kind)) {
      t.steps.push_back({*step, at, note.text});
    }
  }
  // A limit that reaches past the end was not waited out; draw what ran.
  for (TimelineBand& band : t.bands) band.toMs = std::min(band.toMs, t.lengthMs);

  for (std::size_t c = 0; c < t.criteria.size(); ++c) {
    const TraceCriterion& criterion = t.criteria[c];
    if (criterion.state == engine::Failure::State::kUndecided || criterion.evidenceIndex < 0 ||
        static_cast<std::size_t>(criterion.evidenceIndex) >= count) {
      continue;
    }
    const int m = markOfFrame[static_cast<std::size_t>(criterion.evidenceIndex)];
    if (m < 0) continue;
    const TimelineMark& mark = t.marks[static_cast<std::size_t>(m)];
    t.pins.push_back(
        {c, mark.atMs, mark.frame, mark.lane, criterion.state == engine::Failure::State::kPassed});
  }
  return t;
}

std::optional<std::size_t> FrameLineInPane(std::string_view paneText, const RunTrace& trace,
                                           std::uint32_t frame) {
  if (frame >= trace.frames.Size()) return std::nullopt;
  framework::FrameRecord record;
  trace.frames.Read(frame, record);
  const std::uint32_t stamp = record.timeStamp;
  const std::string text = engine::DumpLine(record, trace.frames.OwnTransmission(frame));
  // Frames of the same text and time are told apart by their order. The line
  // begins with the stamp: only frames of the same stamp need formatting.
  std::size_t occurrence = 0;
  for (std::uint32_t i = 0; i < frame; ++i) {
    trace.frames.Read(i, record);
    if (record.timeStamp != stamp) continue;
    if (engine::DumpLine(record, trace.frames.OwnTransmission(i)) == text) ++occurrence;
  }
  std::vector<std::string_view> lines;
  for (std::size_t at = 0; at <= paneText.size();) {
    std::size_t end = paneText.find('\n', at);
    if (end == std::string_view::npos) end = paneText.size();
    std::string_view line = paneText.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    at = end + 1;
  }
  // The dump of this run is the last one in the pane.
  std::size_t from = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].starts_with("Log size : ")) from = i + 1;
  }
  if (from == 0) return std::nullopt;
  for (std::size_t i = from; i < lines.size(); ++i) {
    if (lines[i] == text && occurrence-- == 0) return i;
  }
  return std::nullopt;
}

}  // namespace vlt::results
