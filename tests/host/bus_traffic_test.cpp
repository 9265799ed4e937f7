// Background traffic on virtual time: its rate, what it keeps clear of, and the
// control commands that switch it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "host/core/host_options.h"
#include "host/core/in_process_host.h"
#include "host/devices/bus_traffic.h"
#include "platform/clock.h"

namespace vlt::host {
namespace {

// What the traffic sends from `fromMicros` until before `toMicros`.
std::vector<BusFrame> Sent(BusTraffic& traffic, std::int64_t fromMicros, std::int64_t toMicros) {
  std::vector<BusFrame> frames;
  for (auto due = traffic.NextDeadlineMicros(); due && *due < toMicros;
       due = traffic.NextDeadlineMicros()) {
    traffic.Poll(std::max(*due, fromMicros), frames);
  }
  return frames;
}

HostOptions Options(std::vector<std::string_view> args) {
  const ParsedHostOptions parsed = ParseHostOptions(args);
  EXPECT_EQ(parsed.error, "");
  return parsed.options;
}

TEST(BusTraffic, KeepsItsRateAndStaysClearOfTheDut) {
  struct Case {
    std::vector<std::string_view> args;
    std::set<std::uint8_t> forbiddenSources;
    std::uint32_t forbiddenDgn;
  };
  const Case cases[] = {
      {{"--traffic", "1800"}, {253, 252, kToolAddress, kNullAddress, kGlobalAddress}, 0x1FFFF},
      {{"--traffic", "1800", "--dut", "static:66", "--dut-status-dgn", "1FFB7"}, {66, 65}, 0x1FFB7},
      // Category 1's range, 80h-8Fh.
      {{"--traffic", "900", "--dut", "dynamic:1"}, {0x8C, 0x8D}, 0x1FFFF},
  };
  for (const Case& c : cases) {
    const HostOptions options = Options(c.args);
    auto device = MakeTraffic(options, 0);
    ASSERT_TRUE(device);
    auto& traffic = static_cast<BusTraffic&>(*device);
    const std::vector<BusFrame> frames = Sent(traffic, 0, 2'000'000);
    EXPECT_EQ(frames.size(), 2 * options.trafficRate) << c.args[1];
    std::set<std::uint8_t> sources;
    std::set<std::uint32_t> dgns;
    for (const BusFrame& frame : frames) {
      sources.insert(frame.SourceAddress());
      dgns.insert(frame.Dgn());
      EXPECT_EQ(c.forbiddenSources.count(frame.SourceAddress()), 0u) << frame.SourceAddress();
      EXPECT_NE(frame.Dgn(), c.forbiddenDgn);
      EXPECT_NE(frame.Pgn(), kPgnAddressClaim);
      EXPECT_EQ(frame.length, 8);
    }
    EXPECT_GE(sources.size(), 4u);
    EXPECT_GE(dgns.size(), 6u);
  }
  EXPECT_EQ(MakeTraffic(Options({}), 0), nullptr);
}

TEST(BusTraffic, AStalledHostGetsNoBurstAndOffMeansSilent) {
  auto device = MakeTraffic(Options({"--traffic", "1000"}), 0);
  auto& traffic = static_cast<BusTraffic&>(*device);
  std::vector<BusFrame> frames;
  traffic.Poll(5'000'000, frames);  // five seconds late
  EXPECT_LE(frames.size(), 2u);
  traffic.SetPower(false, 5'000'000);
  EXPECT_FALSE(traffic.NextDeadlineMicros());
  EXPECT_TRUE(Sent(traffic, 5'000'000, 6'000'000).empty());  // no deadline at all
  traffic.SetPower(true, 6'000'000);
  EXPECT_EQ(Sent(traffic, 6'000'000, 7'000'000).size(), 1000u);
}

TEST(BusTraffic, ControlCommandsSwitchItOnTheHost) {
  platform::ManualClock clock;
  InProcessHost host(clock);
  EXPECT_EQ(host.Control("traffic on"), "error no background traffic (start with --traffic RATE)");
  host.SetTraffic(MakeTraffic(Options({"--traffic", "1800"}), clock.NowMicros()));
  // Frames at 0 s and 1 s both count: 1801.
  host.AdvanceMillis(1000);
  EXPECT_EQ(host.Server().Counters().busFrames, 1801u);
  EXPECT_EQ(host.Control("traffic off"), "ok off traffic 1800/s");
  host.AdvanceMillis(1000);
  EXPECT_EQ(host.Server().Counters().busFrames, 1801u);
  EXPECT_EQ(host.Control(" traffic on"), "ok on traffic 1800/s");
  host.AdvanceMillis(500);
  EXPECT_EQ(host.Server().Counters().busFrames, 1801u + 901u);
  EXPECT_EQ(host.Control("dut status"), "error no simulated DUT");
}

}  // namespace
}  // namespace vlt::host
