// Frames as can-utils `candump -L` lines on the host's streams (frame pipes,
// recordings, replays): the tester's own line reader (framework/candump_line.h)
// turned into bus frames, the counts of what came in, and a splitter that cuts a
// byte stream into lines of bounded length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/candump_line.h"
#include "host/buses/bus_frame.h"

namespace vlt::host {

// Longer lines are no candump frame line (a CAN FD line with 64 data bytes and a
// long interface name stays below it).
inline constexpr std::size_t kMaxCandumpLineBytes = 256;

using framework::CandumpLine;
using framework::ParseCandumpLine;

// The frame of a kFrame line.
BusFrame BusFrameOf(const CandumpLine& line);

// "(1700000000.123456) can0 18EEFF80#0102030405060708" (no line end).
std::string FormatCandumpLine(const BusFrame& frame, std::int64_t stampMicros,
                              std::string_view interfaceName = "can0");

// What came in as lines, counted by kind, for the control socket's "stats".
struct CandumpCounts {
  std::uint64_t frames = 0;
  std::uint64_t shortIds = 0;
  std::uint64_t remote = 0;
  std::uint64_t fd = 0;
  std::uint64_t malformed = 0;
  std::uint64_t tooLong = 0;

  void Count(CandumpLine::Kind kind);
  // e.g. "pipe_frames=3 pipe_11bit=0 ..." with `prefix` "pipe_".
  std::string Text(std::string_view prefix) const;
};

// Cuts a byte stream into lines; a line longer than kMaxCandumpLineBytes is
// dropped whole (up to its line end) and reported once.
class CandumpLineSplitter {
 public:
  // Calls onLine(std::string_view) per complete line and onTooLong() per dropped one.
  template <typename OnLine, typename OnTooLong>
  void Feed(std::string_view bytes, OnLine&& onLine, OnTooLong&& onTooLong) {
    while (!bytes.empty()) {
      const std::size_t end = bytes.find('\n');
      const std::string_view part = bytes.substr(0, end);
      if (!skipping_) {
        if (pending_.size() + part.size() > kMaxCandumpLineBytes) {
          skipping_ = true;
          pending_.clear();
          onTooLong();
        } else {
          pending_.append(part);
        }
      }
      if (end == std::string_view::npos) return;
      if (!skipping_) onLine(std::string_view(pending_));
      pending_.clear();
      skipping_ = false;
      bytes.remove_prefix(end + 1);
    }
  }
  // The last line when the stream ends without a line end.
  template <typename OnLine>
  void Finish(OnLine&& onLine) {
    if (!skipping_ && !pending_.empty()) onLine(std::string_view(pending_));
    pending_.clear();
    skipping_ = false;
  }

 private:
  std::string pending_;
  bool skipping_ = false;
};

}  // namespace vlt::host
