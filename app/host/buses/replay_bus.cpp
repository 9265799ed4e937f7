#include "host/buses/replay_bus.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace vlt::host {

namespace {
// Frames played per RunDue, so that a burst does not keep the tools waiting.
constexpr std::size_t kPlayBatch = 512;
}  // namespace

std::string ReplayBus::Load(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "cannot read the recording " + path + ": " + std::strerror(errno);
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) return "cannot read the recording " + path;
  LoadText(text.str());
  return {};
}

void ReplayBus::LoadText(std::string_view text) {
  std::optional<std::int64_t> first;
  std::int64_t last = 0;
  auto take = [&](std::string_view text) {
    const CandumpLine line = ParseCandumpLine(text);
    counts_.Count(line.kind);
    if (line.kind != CandumpLine::Kind::kFrame) return;
    // A line without time, or one earlier than the line before, plays at once.
    if (line.stampMicros) {
      if (!first) first = *line.stampMicros;
      last = std::max(last, *line.stampMicros - *first);
    }
    frames_.push_back({BusFrameOf(line), last});
  };
  CandumpLineSplitter splitter;
  splitter.Feed(text, take, [this] { ++counts_.tooLong; });
  splitter.Finish(take);
}

void ReplayBus::OnFirstTool(std::int64_t nowMicros) {
  if (!startMicros_) startMicros_ = nowMicros + kReplayLeadMicros;
}

std::optional<std::int64_t> ReplayBus::NextDeadlineMicros() const {
  if (!startMicros_ || next_ >= frames_.size()) return std::nullopt;
  return *startMicros_ + frames_[next_].offsetMicros;
}

void ReplayBus::RunDue(std::int64_t nowMicros) {
  if (!startMicros_) return;
  for (std::size_t played = 0; played < kPlayBatch && next_ < frames_.size(); ++played) {
    const std::int64_t due = *startMicros_ + frames_[next_].offsetMicros;
    if (due > nowMicros) return;
    const BusFrame frame = frames_[next_].frame;
    ++next_;
    receiver_(frame, due);
  }
}

void ReplayBus::Put(const BusFrame& /*frame*/) {
  ++unsent_;
}

std::string ReplayBus::StatsText() const {
  return counts_.Text("replay_") + " replay_played=" + std::to_string(next_) +
         " replay_unsent=" + std::to_string(unsent_);
}

}  // namespace vlt::host
