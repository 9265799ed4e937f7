#include "host/buses/candump_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vlt::host {
namespace {

using Kind = CandumpLine::Kind;

TEST(CandumpLine, ReadsEveryFormCandumpWritesAndPeopleType) {
  const CandumpLine full = ParseCandumpLine("(1700000000.123456) can0 18EEFF80#0102030405060708");
  ASSERT_EQ(full.kind, Kind::kFrame) << full.error;
  EXPECT_EQ(BusFrameOf(full).id, 0x18EEFF80u);
  EXPECT_EQ(full.length, 8);
  EXPECT_EQ(full.data[7], 0x08);
  EXPECT_EQ(full.stampMicros, 1'700'000'000'123'456);

  struct Case {
    const char* line;
    std::int64_t stamp;  // -1: none
    std::uint8_t length;
  };
  const std::vector<Case> cases = {
      {"1700000000.123456 vcan12 18EEFF80#0102030405060708", 1'700'000'000'123'456, 8},
      {"  (12.5)\tslcan0  18eeff80#aBcD\r", 12'500'000, 2},
      {"(0.000001) x 18EEFF80#", 1, 0},
      {"can0 18EEFF80#01", -1, 1},
      {"18EEFF80#01", -1, 1},
      {"(3) can0 18EEFF80#01", 3'000'000, 1},
  };
  for (const Case& c : cases) {
    const CandumpLine line = ParseCandumpLine(c.line);
    ASSERT_EQ(line.kind, Kind::kFrame) << c.line << ": " << line.error;
    EXPECT_EQ(line.identifier, 0x18EEFF80u) << c.line;
    EXPECT_EQ(line.length, c.length) << c.line;
    EXPECT_EQ(line.stampMicros.value_or(-1), c.stamp) << c.line;
  }
}

TEST(CandumpLine, FramesThatAreNotTheHostsAreToldApartFromBadText) {
  const std::vector<std::pair<const char*, Kind>> cases = {
      {"", Kind::kBlank},
      {" \t\r", Kind::kBlank},
      {"(1.0) can0 123#0102", Kind::kShortId},
      {"(1.0) can0 18EEFF80#R", Kind::kRemote},
      {"(1.0) can0 123#R8", Kind::kRemote},
      {"(1.0) can0 18EEFF80##1"
       "0011223344556677889900",
       Kind::kFd},
      {"(1.0) can0 18EEFF80#010", Kind::kMalformed},                 // odd digits
      {"(1.0) can0 18EEFF80#010203040506070809", Kind::kMalformed},  // nine bytes
      {"(1.0) can0 18EEFF80#01G2", Kind::kMalformed},
      {"(1.0) can0 8EEFF80#01", Kind::kMalformed},     // seven digits
      {"(1.0) can0 3FFFFFFF#01", Kind::kMalformed},    // beyond 29 bits
      {"(1.0) can0 18EEFF80 01", Kind::kMalformed},    // no '#'
      {"(1.0) can0 18EEFF80#01 T", Kind::kMalformed},  // text behind the frame
      {"(x.1) can0 18EEFF80#01", Kind::kMalformed},
      {"() can0 18EEFF80#01", Kind::kMalformed},
      {"(1.) can0 18EEFF80#01", Kind::kMalformed},
      {"(1.0) can0", Kind::kMalformed},
      {"(99999999999999999999.0) can0 18EEFF80#01", Kind::kMalformed},
  };
  for (const auto& [text, kind] : cases) {
    const CandumpLine line = ParseCandumpLine(text);
    EXPECT_EQ(line.kind, kind) << "'" << text << "' " << line.error;
    // Every line that is no frame says what it is.
    EXPECT_EQ(line.error.empty(), kind == Kind::kBlank) << text;
  }
}

TEST(CandumpLine, WrittenLinesReadBackAsTheSameFrame) {
  BusFrame frame = *MakeBusFrame(6, 0x1FFB7, 0x42, std::vector<std::uint8_t>{0, 0xAB, 0xFF});
  const std::string text = FormatCandumpLine(frame, 1'700'000'000'000'042);
  EXPECT_EQ(text, "(1700000000.000042) can0 19FFB742#00ABFF");
  const CandumpLine back = ParseCandumpLine(text);
  EXPECT_EQ(BusFrameOf(back), frame);
  EXPECT_EQ(back.stampMicros, 1'700'000'000'000'042);
}

TEST(CandumpLine, SplitterDropsOverlongLinesWholeAcrossChunks) {
  CandumpLineSplitter splitter;
  std::vector<std::string> lines;
  int tooLong = 0;
  auto feed = [&](std::string_view bytes) {
    splitter.Feed(
        bytes, [&](std::string_view line) { lines.emplace_back(line); }, [&] { ++tooLong; });
  };
  feed("first\nsec");
  feed("ond\n");
  const std::string huge(kMaxCandumpLineBytes + 1, 'x');
  feed(huge.substr(0, 100));
  feed(huge.substr(100));
  feed("still the long line\nthird");
  splitter.Finish([&](std::string_view line) { lines.emplace_back(line); });
  EXPECT_EQ(lines, (std::vector<std::string>{"first", "second", "third"}));
  EXPECT_EQ(tooLong, 1);

  CandumpCounts counts;
  counts.Count(Kind::kShortId);
  counts.tooLong = 2;
  EXPECT_EQ(counts.Text("pipe_"),
            "pipe_frames=0 pipe_11bit=1 pipe_remote=0 pipe_fd=0 pipe_malformed=0 pipe_too_long=2");
}

}  // namespace
}  // namespace vlt::host
