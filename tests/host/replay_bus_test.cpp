// Replays and recordings on virtual time.
#include "host/buses/replay_bus.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "host/buses/frame_recorder.h"

namespace vlt::host {
namespace {

struct Heard {
  std::uint32_t id;
  std::int64_t stamp;
  std::int64_t at;
};

class ReplayBusTest : public ::testing::Test {
 protected:
  ReplayBusTest()
      : bus_([this](const BusFrame& frame, std::optional<std::int64_t> stamp) {
          heard_.push_back({frame.id, stamp.value_or(-1), now_});
        }) {}

  // Moves time to `micros` the way the loop does: up to each deadline in turn.
  void RunTo(std::int64_t micros) {
    while (const auto next = bus_.NextDeadlineMicros()) {
      if (*next > micros) break;
      now_ = std::max(now_, *next);
      bus_.RunDue(now_);
    }
    now_ = micros;
  }

  ReplayBus bus_;
  std::vector<Heard> heard_;
  std::int64_t now_ = 0;
};

TEST_F(ReplayBusTest, PlaysWithTheRecordedSpacingFromTheFirstToolOnThenIdles) {
  bus_.LoadText(
      "(1700000000.500000) can0 18EEFF80#01\n"
      "(1700000000.500000) can0 18EEFF81#02\n"  // together with the first
      "(1700000000.750000) can0 123#01\n"       // 11-bit: skipped
      "nonsense\n"
      "(1700000001.000000) can0 18EEFF82#03\n"
      "(1700000000.900000) can0 18EEFF83#04\n"  // earlier: plays at once
      "18EEFF84#05\n"                           // no time: with the line before
      "(1700000003.500000) vcan0 18EEFF85#");   // no line end at the end
  EXPECT_EQ(bus_.FrameCount(), 6u);
  EXPECT_EQ(bus_.LineCounts().shortIds, 1u);
  EXPECT_EQ(bus_.LineCounts().malformed, 1u);

  RunTo(10'000'000);
  EXPECT_TRUE(heard_.empty()) << "played before any tool listened";
  bus_.OnFirstTool(now_);
  RunTo(10'999'999);
  EXPECT_TRUE(heard_.empty()) << "the tool had no time to switch its frames on";
  RunTo(11'499'999);
  ASSERT_EQ(heard_.size(), 2u);
  RunTo(14'000'000);
  const std::vector<std::int64_t> expected = {11'000'000, 11'000'000, 11'500'000,
                                              11'500'000, 11'500'000, 14'000'000};
  ASSERT_EQ(heard_.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(heard_[i].id, 0x18EEFF80u + i);
    EXPECT_EQ(heard_[i].stamp, expected[i]) << i;
    EXPECT_EQ(heard_[i].at, expected[i]) << i;
  }
  EXPECT_FALSE(bus_.NextDeadlineMicros());
  bus_.OnFirstTool(now_);  // a later tool does not start it again
  EXPECT_FALSE(bus_.NextDeadlineMicros());
}

TEST_F(ReplayBusTest, ARecordingPlaysBackAsRecorded) {
  const std::string path = ::testing::TempDir() + "/vlt-record-test.log";
  {
    FrameRecorder recorder;
    ASSERT_EQ(recorder.Open(path), "");
    const std::vector<std::uint8_t> data{1, 2, 3};
    recorder.Write(*MakeBusFrame(6, 0xEEFF, 0x80, data), 1'000'000);
    // An adapter's frame mapped a little past the host's clock, then the tester's
    // answer to it, stamped when the host sent it.
    recorder.Write(*MakeBusFrame(3, 0x1FFB7, 0x81, {}), 1'020'000);
    recorder.Write(*MakeBusFrame(6, 0xEEFF, 0xF9, data), 1'019'200);
    recorder.Flush();
  }
  std::ifstream file(path);
  std::vector<std::string> stamps;
  for (std::string line; std::getline(file, line);) stamps.push_back(line.substr(0, 19));
  EXPECT_EQ(stamps, (std::vector<std::string>{"(1.000000) can0 18E", "(1.020000) can0 0DF",
                                              "(1.020000) can0 18E"}));
  ASSERT_EQ(bus_.Load(path), "");
  std::filesystem::remove(path);
  ASSERT_EQ(bus_.FrameCount(), 3u);
  bus_.OnFirstTool(-kReplayLeadMicros);
  RunTo(20'000);
  ASSERT_EQ(heard_.size(), 3u);
  EXPECT_EQ(heard_[0].id, MakeIdentifier(6, 0xEEFF, 0x80));
  EXPECT_EQ(heard_[1].stamp, 20'000);
  EXPECT_EQ(heard_[2].id, MakeIdentifier(6, 0xEEFF, 0xF9));
  EXPECT_EQ(heard_[2].stamp, 20'000);

  ReplayBus missing([](const BusFrame&, std::optional<std::int64_t>) {});
  EXPECT_NE(missing.Load(path).find("cannot read the recording"), std::string::npos);
  FrameRecorder nowhere;
  EXPECT_NE(nowhere.Open("/nonexistent-dir/x.log").find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace vlt::host
