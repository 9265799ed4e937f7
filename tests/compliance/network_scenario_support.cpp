#include "network_scenario_support.h"

#include "compliance/claim_scenario_support.h"
#include "host/devices/dynamic_dut.h"
#include "host/devices/static_dut.h"

namespace vlt::compliance::network_scenario {

std::unique_ptr<host::SimDevice> Dut(host::DutKind kind, host::DutFaults faults) {
  host::DutCommon common;
  common.statusDgn = kStatusDgn;
  common.instance = kStatusInstance;
  common.faults = faults;
  if (kind == host::DutKind::kStatic) {
    host::StaticDutConfig config;
    config.address = kStaticAddress;
    config.common = common;
    return std::make_unique<host::StaticDut>(config, 0);
  }
  host::DynamicDutConfig config;
  config.common = common;
  return std::make_unique<host::DynamicDut>(config, 0);
}

void UseProfile(testing::ComplianceBench& bench, host::DutKind kind) {
  scenario::UseProfile(
      bench, kind == host::DutKind::kStatic ? scenario::kStaticName : scenario::kDynamicName);
  settings::SettingManager& s = bench.Settings();
  s.SetValue("Identifying DGN", "1FFB7");
  s.SetValue("Identifying Instance", std::to_string(kStatusInstance));
  s.SetValue("Supported DGN 1", "1FFB7");
  s.SetValue("Supported DGN 2", "0");
  s.SetValue("Supported DGN 3", "0");
  // Long enough to hold a silence of 6 s begun 10 s after power-up.
  s.SetValue("Traffic Sample Seconds", "20");
}

}  // namespace vlt::compliance::network_scenario
