#include <gtest/gtest.h>
#include <iostream>
#include "compliance/network_scenario_support.h"
namespace vlt::compliance {
TEST(NdProbe, Print) {
  const char* codes = std::getenv("PROBE_CODES");
  const char* fault = std::getenv("PROBE_FAULT");
  std::string list = codes ? codes : "ND30 NDINST ND40";
  std::istringstream in(list);
  std::string code;
  while (in >> code) {
    host::DutFaults faults;
    if (fault) faults.Add(*host::FaultByName(fault));
    testing::ComplianceBench bench(network_scenario::Dut(host::DutKind::kStatic, faults));
    network_scenario::UseProfile(bench, host::DutKind::kStatic);
    auto test = bench.Make(code);
    ASSERT_TRUE(test);
    EXPECT_TRUE(bench.Run(*test, 120000));
    std::cout << bench.Text() << std::endl;
  }
}
}
