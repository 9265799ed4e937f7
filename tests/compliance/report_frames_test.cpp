// A saved report is evidence: every frame line of its dump must be a frame the
// bus carried, in the order it carried them, and the tester's own frames must be
// marked as such. Checked against the host's recording of the bus.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "claim_scenario_support.h"
#include "engine/data_log.h"
#include "engine/saved_log.h"
#include "framework/host_protocol.h"
#include "host/buses/bus_frame.h"
#include "host/buses/candump_line.h"

namespace vlt::compliance {
namespace {

using namespace scenario;

struct BusLine {
  std::uint32_t dgn = 0;  // as the tester names it (a claim to all is 0EE00h)
  std::uint8_t source = 0;
  std::string data;  // " 01 02 ..."
  bool operator==(const BusLine&) const = default;
};

std::string DataText(std::span<const std::uint8_t> data) {
  std::string text;
  char byte[4];
  for (const std::uint8_t b : data) {
    std::snprintf(byte, sizeof(byte), " %02X", static_cast<unsigned>(b));
    text += byte;
  }
  return text;
}

// The recording, read back from its candump lines.
std::vector<BusLine> Recorded(const std::vector<std::string>& lines) {
  std::vector<BusLine> frames;
  for (const std::string& line : lines) {
    const host::CandumpLine read = host::ParseCandumpLine(line);
    if (read.kind != host::CandumpLine::Kind::kFrame) continue;
    const host::BusFrame frame = host::BusFrameOf(read);
    frames.push_back({host::ToolDgnOf(frame), frame.SourceAddress(), DataText(frame.Data())});
  }
  return frames;
}

struct ReportFrames {
  std::vector<BusLine> frames;
  std::vector<bool> marked;
};

// The frame lines of the saved log's dump: time, identifier, name, DGN:SA, bytes.
ReportFrames FrameLinesOf(const std::string& savedLog) {
  static const std::regex kFrameLine(
      R"(^ *\d+\.\d{3}  [0-9A-F]{8}  .*([0-9A-F]{5}):([0-9A-F]{2}) ((?: [0-9A-F]{2})*)( +\(sent by tester\))?\r$)");
  ReportFrames report;
  std::istringstream in(savedLog);
  std::string line;
  bool inDump = false;
  while (std::getline(in, line)) {
    if (line.rfind("Log size : ", 0) == 0) inDump = true;
    std::smatch m;
    if (!inDump || !std::regex_match(line, m, kFrameLine)) continue;
    report.frames.push_back({static_cast<std::uint32_t>(std::stoul(m[1], nullptr, 16)),
                             static_cast<std::uint8_t>(std::stoul(m[2], nullptr, 16)),
                             " " + m[3].str().substr(1)});
    report.marked.push_back(m[4].matched);
  }
  return report;
}

struct Case {
  const char* code;
  bool dynamic;
  // Which recorded frames the tester sent, told by what only its frames carry.
  bool (*sentByTester)(const BusLine&);
};

bool RequestFromNull(const BusLine& f) {
  return f.source == framework::kNullAddress && (f.dgn & 0x1FF00) == 0xEA00;
}
// The tester's claims carry manufacturer code 0 or 7FFh; the DUT's code is 291.
bool ClaimOfOtherManufacturer(const BusLine& f) {
  return f.dgn == 0xEE00 && f.data.substr(6, 6) != " 60 24";
}

TEST(ReportFrames, EveryFrameLineIsAFrameTheBusCarriedAndTheTestersOwnAreMarked) {
  const Case cases[] = {
      {"A110", false, RequestFromNull},         {"A20", false, ClaimOfOtherManufacturer},
      {"A30", false, ClaimOfOtherManufacturer}, {"A50", true, ClaimOfOtherManufacturer},
      {"A100", true, ClaimOfOtherManufacturer},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    testing::ComplianceBench bench(c.dynamic ? DynamicDut(host::kDefaultDsaCategory)
                                             : StaticDut(253));
    UseProfile(bench, c.dynamic ? kDynamicName : kStaticName);
    bench.Settings().SetValue("DSA For Address Claiming", c.dynamic ? "112" : "253");
    std::vector<std::string> recording;
    bench.host.SetFrameTap([&](const host::BusFrame& frame, std::int64_t micros) {
      recording.push_back(host::FormatCandumpLine(frame, micros));
    });
    auto test = bench.Make(c.code);
    ASSERT_TRUE(bench.Run(*test, 120'000));
    ASSERT_FALSE(test->Aborted()) << bench.Text();

    const auto path = std::filesystem::temp_directory_path() /
                      ("vlt_report_frames_" + std::string(c.code) + ".txt");
    std::string error;
    ASSERT_TRUE(engine::SaveLog(path.string(), bench.Text(), &error)) << error;
    std::ifstream file(path, std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(file)), {});
    std::filesystem::remove(path);

    const ReportFrames report = FrameLinesOf(saved);
    const std::vector<BusLine> bus = Recorded(recording);
    ASSERT_FALSE(report.frames.empty()) << saved;
    // One to one: the dump is one unbroken stretch of the recording.
    auto at = std::search(bus.begin(), bus.end(), report.frames.begin(), report.frames.end());
    ASSERT_NE(at, bus.end()) << saved;
    std::size_t mine = 0;
    for (std::size_t i = 0; i < report.frames.size(); ++i) {
      EXPECT_EQ(report.marked[i], c.sentByTester(report.frames[i])) << "frame line " << i;
      if (report.marked[i]) ++mine;
    }
    EXPECT_GT(mine, 0u) << saved;
  }
}

}  // namespace
}  // namespace vlt::compliance
