// What the dynamic start-up scenarios share: a bench set up for a dynamic DUT, a
// DUT that plays a fixed script of frames, and reading criterion lines back from
// the report.
#pragma once

#include "compliance/claim_scenario_support.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/devices/dut_faults.h"
#include "host/devices/dynamic_dut.h"
#include "support/compliance_bench.h"

namespace vlt::compliance::scenario {

// The default simulated NAME as a dynamic DUT claims with it (arbitrary-address capable).
inline constexpr const char* kDynamicDutNameText = "A5 A5 60 24 00 80 00 80";
inline constexpr const char* kDutManufacturerText = "291";
inline constexpr std::uint8_t kFirstMultifunction = 0x70;

std::unique_ptr<host::SimDevice> DynamicDutWith(host::DutFaults faults,
                                                std::uint8_t category = host::kDefaultDsaCategory);

// Sends its frames at fixed times after power-up and hears nothing.
class ScriptedDut final : public host::SimDevice {
 public:
  struct Step {
    std::int64_t atMs;  // after power-up
    host::BusFrame frame;
  };
  explicit ScriptedDut(std::vector<Step> steps) : steps_(std::move(steps)) {}

  void SetPower(bool on, std::int64_t nowMicros) override;
  bool Powered() const override { return powered_; }
  void OnBusFrame(const host::BusFrame& /*frame*/, std::int64_t /*nowMicros*/) override {}
  void Poll(std::int64_t nowMicros, std::vector<host::BusFrame>& out) override;
  std::optional<std::int64_t> NextDeadlineMicros() const override;
  std::string Describe() const override { return "scripted"; }

 private:
  std::vector<Step> steps_;  // by time
  std::size_t next_ = 0;
  bool powered_ = false;
  std::int64_t poweredAtMicros_ = 0;
};

// A request for ADDRESS_CLAIM (or for `requested`) with `length` data bytes.
host::BusFrame RequestFrame(std::uint8_t source, std::uint8_t target,
                            std::uint32_t requested = 0xEE00, std::uint8_t length = 8);
// The dynamic DUT's claim of `address`.
host::BusFrame DutClaim(std::uint8_t address);
// A status frame of the DUT, its normal operation.
host::BusFrame DutStatus(std::uint8_t address);

// A bench with the profile of the default dynamic DUT.
std::unique_ptr<testing::ComplianceBench> DynamicBench(std::unique_ptr<host::SimDevice> dut);

// Runs the test to its end and returns the log pane's text.
std::string RunToEnd(testing::ComplianceBench& bench, const std::string& code);

// "PASS", "DNP " or "____"; empty without such a line.
std::string CriterionTag(const std::string& report, const std::string& text);

}  // namespace vlt::compliance::scenario
