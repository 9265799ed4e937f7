// The bench the ND tests run on in scenarios: a simulated DUT of either model
// whose identifying status is TANK_STATUS instance 1 every half second, and the
// profile that describes it.
#pragma once

#include <memory>

#include "host/buses/sim_bus.h"
#include "host/devices/dut_faults.h"
#include "support/compliance_bench.h"

namespace vlt::compliance::network_scenario {

inline constexpr std::uint8_t kStaticAddress = 253;
inline constexpr std::uint32_t kStatusDgn = 0x1FFB7;
inline constexpr std::uint8_t kStatusInstance = 1;

std::unique_ptr<host::SimDevice> Dut(host::DutKind kind, host::DutFaults faults = {});
// Identifying DGN and instance, the status DGN as the one "Supported DGN", the NAME.
void UseProfile(testing::ComplianceBench& bench, host::DutKind kind);

}  // namespace vlt::compliance::network_scenario
