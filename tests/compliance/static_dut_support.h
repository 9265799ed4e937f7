// What the static-address scenario tests share: the DUT at 253 with the default
// simulated NAME, the profile that matches it, and reading report lines.
#pragma once

#include <memory>
#include <string>

#include "host/devices/static_dut.h"
#include "support/compliance_bench.h"

namespace vlt::compliance::static_scenario {

inline constexpr std::uint8_t kDsa = 253;
inline constexpr const char* kDutName = "A5 A5 60 24 00 80 00 00";  // manufacturer code 291

inline bool Has(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

// The criterion's report line begins with its state tag and text.
inline std::string Line(const char* tag, const char* criterion) {
  return std::string("\r\n") + tag + " : " + criterion;
}

inline void MatchDutProfile(testing::ComplianceBench& bench) {
  bench.Settings().SetValue("DSA For Address Claiming", std::to_string(kDsa));
  bench.Settings().SetValue("Manufacturer ID", "291");
  bench.Settings().SetValue("Full ADDRESS_CLAIM Value", kDutName);
}

inline std::unique_ptr<host::SimDevice> Dut(host::DutFaults faults) {
  host::StaticDutConfig config;
  config.address = kDsa;
  config.common.faults = faults;
  return std::make_unique<host::StaticDut>(config, 0);
}

}  // namespace vlt::compliance::static_scenario
