// Feeds any bytes, as a frame pipe or a recording would, through vlt-host's line
// splitter and candump line parser. Besides the sanitizers, it checks what a read
// line promises: no line beyond the length limit gets through, a frame has at most
// eight data bytes and a 29-bit identifier, and a frame written back as a line
// reads back as the same frame.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/buses/candump_line.h"

namespace {

using namespace vlt::host;

void CheckLine(std::string_view text) {
  if (text.size() > kMaxCandumpLineBytes) std::abort();
  const CandumpLine line = ParseCandumpLine(text);
  const bool named =
      line.kind != CandumpLine::Kind::kFrame && line.kind != CandumpLine::Kind::kBlank;
  if (named == line.error.empty()) std::abort();
  if (line.kind != CandumpLine::Kind::kFrame) return;
  if (line.length > kMaxCanDataBytes || line.identifier > 0x1FFFFFFF) std::abort();
  if (line.stampMicros && *line.stampMicros < 0) std::abort();
  const std::int64_t stamp = line.stampMicros.value_or(0);
  const BusFrame frame = BusFrameOf(line);
  const CandumpLine back = ParseCandumpLine(FormatCandumpLine(frame, stamp));
  if (back.kind != CandumpLine::Kind::kFrame || !(BusFrameOf(back) == frame) ||
      back.stampMicros != stamp) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Split at an input-chosen point too, as reads from a pipe come in pieces.
  const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
  CandumpLineSplitter splitter;
  CandumpCounts counts;
  auto onLine = [&](std::string_view line) {
    counts.Count(ParseCandumpLine(line).kind);
    CheckLine(line);
  };
  auto onTooLong = [&] { ++counts.tooLong; };
  splitter.Feed(bytes.substr(0, cut), onLine, onTooLong);
  splitter.Feed(bytes.substr(cut), onLine, onTooLong);
  splitter.Finish(onLine);
  (void)counts.Text("fuzz_");
  return 0;
}
