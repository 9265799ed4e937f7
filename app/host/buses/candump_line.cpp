#include "host/buses/candump_line.h"

namespace vlt::host {

BusFrame BusFrameOf(const CandumpLine& line) {
  BusFrame frame;
  frame.id = line.identifier;
  frame.length = line.length;
  frame.data = line.data;
  return frame;
}

std::string FormatCandumpLine(const BusFrame& frame, std::int64_t stampMicros,
                              std::string_view interfaceName) {
  return framework::FormatCandumpLine(frame.id, frame.Data(), stampMicros, interfaceName);
}

void CandumpCounts::Count(CandumpLine::Kind kind) {
  switch (kind) {
    case CandumpLine::Kind::kFrame:
      ++frames;
      break;
    case CandumpLine::Kind::kBlank:
      break;
    case CandumpLine::Kind::kShortId:
      ++shortIds;
      break;
    case CandumpLine::Kind::kRemote:
      ++remote;
      break;
    case CandumpLine::Kind::kFd:
      ++fd;
      break;
    case CandumpLine::Kind::kMalformed:
      ++malformed;
      break;
  }
}

std::string CandumpCounts::Text(std::string_view prefix) const {
  std::string text;
  auto add = [&](const char* name, std::uint64_t value) {
    if (!text.empty()) text += ' ';
    text.append(prefix);
    text += name;
    text += '=';
    text += std::to_string(value);
  };
  add("frames", frames);
  add("11bit", shortIds);
  add("remote", remote);
  add("fd", fd);
  add("malformed", malformed);
  add("too_long", tooLong);
  return text;
}

}  // namespace vlt::host
