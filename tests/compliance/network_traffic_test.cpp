// The traffic tests as the DUT meets them on virtual time: what ND-90's report
// shows a lab, and the simulated DUTs' own frames held to the frame rules. Each
// criterion's fault is held by the fault table; these cases cover the rest.
#include <gtest/gtest.h>

#include <regex>

#include "compliance/claim_scenario_support.h"
#include "compliance/nd90_traffic_sample.h"
#include "compliance/network_scenario_support.h"
#include "host/devices/bus_traffic.h"
#include "host/devices/dut_common.h"

namespace vlt::compliance {
namespace {

using host::DutKind;
using scenario::Contains;

struct TrafficBench : testing::ComplianceBench {
  explicit TrafficBench(DutKind kind = DutKind::kStatic, host::DutFaults faults = {},
                        bool stamped = true)
      : ComplianceBench(network_scenario::Dut(kind, faults), Config(stamped)) {
    network_scenario::UseProfile(*this, kind);
  }
  static host::HostConfig Config(bool stamped) {
    host::HostConfig config;
    config.stampedFrames = stamped;
    return config;
  }
};

// The part of the report after "Log size": the frames it lists.
std::string Dump(const std::string& text) {
  const auto at = text.rfind("Log size : ");
  return at == std::string::npos ? std::string() : text.substr(at);
}

TEST(NetworkTraffic, Nd90TablesTheDutsDgnsAndListsOnlyItsFramesOnABusOfOthers) {
  TrafficBench bench;
  host::TrafficConfig others;
  others.framesPerSecond = 300;
  others.avoidAddresses = {network_scenario::kStaticAddress};
  others.avoidDgn = network_scenario::kStatusDgn;
  bench.host.SetTraffic(std::make_unique<host::BusTraffic>(others, 0));
  auto test = bench.Make("ND90");
  ASSERT_TRUE(bench.Run(*test)) << test->WaitingFor();
  const std::string text = bench.Text();
  for (const char* line : {
           "PASS : DUT frame is not 8 bytes long.",
           "PASS : DUT frame has identifier bit 25 set.",
           "PASS : DUT frame priority is above its DGN's default.",
           "PASS : DUT sends from an address it has not claimed.",
           "PASS : DUT sent an undocumented DGN.",
           "PASS : DUT frames less than 5ms apart.",
           "PASS : DUT frames less than 50ms apart, not a first answer.",
           "PASS : More than 5000ms + 20% without a frame from the DUT.",
           "PASS : Bits no signal uses are not sent as 1.",
           "PASS : Periodic DGN gaps stray over 20% from their median.",
           "DGN    Name                        Count  DLC Prio Gap min  median     max",
       }) {
    EXPECT_TRUE(Contains(text, line)) << line << "\n" << text;
  }
  EXPECT_TRUE(Contains(text, "1FFB7  TANK_STS                      ")) << text;
  const std::string dump = Dump(text);
  EXPECT_TRUE(Contains(dump, "frames of other nodes are not listed.")) << dump;
  EXPECT_FALSE(Contains(dump, "0 frames of other nodes")) << dump;
  // Every frame listed is the DUT's (FDh) or the tester's (F9h).
  const std::regex frameColumn("[0-9A-F]{5}:([0-9A-F]{2})");
  for (auto it = std::sregex_iterator(dump.begin(), dump.end(), frameColumn);
       it != std::sregex_iterator(); ++it) {
    const std::string source = (*it)[1];
    EXPECT_TRUE(source == "FD" || source == "F9") << it->str();
  }
}

TEST(NetworkTraffic, Nd90LeavesPriorityAndTheReservedBitToTheOperatorWithout03hMessages) {
  TrafficBench bench(DutKind::kDynamic, {}, false);
  auto test = bench.Make("ND90");
  ASSERT_TRUE(bench.Run(*test)) << test->WaitingFor();
  const std::string text = bench.Text();
  EXPECT_TRUE(Contains(text, "____ : DUT frame has identifier bit 25 set.")) << text;
  EXPECT_TRUE(Contains(text, "____ : DUT frame priority is above its DGN's default.")) << text;
  EXPECT_TRUE(Contains(text, "frames came as 00h messages, which carry neither")) << text;
  EXPECT_TRUE(Contains(text, "PASS : DUT frames less than 5ms apart.")) << text;
}

TEST(NetworkTraffic, Nd80SendsProprietaryFramesToFreeAddressesAndReadsTheStateAround) {
  TrafficBench bench(DutKind::kStatic, {}, false);
  auto test = bench.Make("ND80");
  ASSERT_TRUE(bench.Run(*test)) << test->WaitingFor();
  const std::string text = bench.Text();
  EXPECT_FALSE(Contains(text, "DNP ")) << text;
  EXPECT_TRUE(Contains(text, "Proprietary frames go to addresses no device holds: ")) << text;
  EXPECT_TRUE(Contains(text, "PASS : DUT reacted to proprietary frames to other nodes.")) << text;
  EXPECT_TRUE(Contains(text, "PASS : Proprietary frame sent in normal operation.")) << text;
  EXPECT_TRUE(Contains(text, "PASS : DUT state changed after proprietary frames.")) << text;
}

}  // namespace
}  // namespace vlt::compliance
