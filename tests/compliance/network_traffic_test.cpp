// The traffic tests as the DUT meets them on virtual time: what ND-90's report
// shows a lab, and the simulated DUTs' own frames held to the frame rules. Each
// criterion's fault is held by the fault table; these cases cover the rest.
#include <gtest/gtest.h>

#include "compliance/claim_scenario_support.h"
#include "compliance/nd90_traffic_sample.h"
#include "compliance/network_scenario_support.h"
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

TEST(NetworkTraffic, TheReportEndsWithTheDutsDgnsAndItsFramesOnly) {
  TrafficBench bench;
  auto test = bench.Make("ND90");
  ASSERT_TRUE(bench.Run(*test)) << bench.Text() << test->WaitingFor();
  const std::string text = bench.Text();
  EXPECT_FALSE(Contains(text, "DNP ")) << text;
}

TEST(NetworkTraffic, Nd80Sample) {
  TrafficBench bench(DutKind::kStatic, {}, false);
  auto test = bench.Make("ND80");
  ASSERT_TRUE(bench.Run(*test)) << bench.Text() << test->WaitingFor();
  const std::string text = bench.Text();
  EXPECT_FALSE(Contains(text, "DNP ")) << text;
  std::printf("%s", text.c_str());
}

}  // namespace
}  // namespace vlt::compliance
