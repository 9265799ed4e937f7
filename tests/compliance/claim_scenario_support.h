// Helpers the scenario tests of the running-device claim tests share: DUTs of
// both models with faults, the profile that matches them, stepping a test on
// virtual time, and reading criterion lines out of the report.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "host/devices/dut_faults.h"
#include "host/devices/dynamic_dut.h"
#include "host/devices/static_dut.h"
#include "support/compliance_bench.h"

namespace vlt::compliance::scenario {

inline constexpr const char* kStaticName = "A5 A5 60 24 00 80 00 00";
inline constexpr const char* kDynamicName = "A5 A5 60 24 00 80 00 80";  // arbitrary-address capable

std::unique_ptr<host::SimDevice> StaticDut(std::uint8_t address, host::DutFaults faults = {});
std::unique_ptr<host::SimDevice> DynamicDut(std::uint8_t category, host::DutFaults faults = {},
                                            std::optional<std::uint8_t> dsa = std::nullopt);

// The profile of a DUT of that NAME: claim value, manufacturer, tolerance.
void UseProfile(testing::ComplianceBench& bench, const std::string& name, int toleranceMs = 10);

// "DSA Category" holding a byte that is no category, as a damaged profile could.
void SpoilCategory(testing::ComplianceBench& bench);

// Starts the test and steps until `done` is true or `limitMs` ran out.
template <typename Done>
bool StepUntil(testing::ComplianceBench& bench, Done done, int limitMs) {
  for (int i = 0; i < limitMs; ++i) {
    if (done()) return true;
    bench.Step(1);
  }
  return done();
}
// Steps a started test until it has finished; false when `limitMs` ran out.
bool Finish(testing::ComplianceBench& bench, engine::Test& test, int limitMs = 120'000);

bool Contains(const std::string& text, const std::string& piece);
// The report's line of a criterion, "PASS : text..." and the like, with its note
// line after a "\n" when the note is printed apart; "" when missing.
std::string CriterionLine(const std::string& report, const std::string& criterionText);

}  // namespace vlt::compliance::scenario

namespace vlt::compliance::scenario {

// Plays the DUT by hand on an empty bench: frames injected at exact virtual times.
class HandDut {
 public:
  HandDut(testing::ComplianceBench& bench, engine::Test& test) : bench_(bench), test_(test) {}

  void Claim(std::uint8_t from, const std::string& name);
  void Status(std::uint8_t from);
  void Request(std::uint8_t from, std::uint8_t target, std::uint8_t length = 8);
  // Sends status frames from `address` until the test has found the device.
  bool BeFoundAt(std::uint8_t address);
  // Steps until the frame injected next is stamped `ms` after time mark `mark`.
  bool WaitUntilAfterMark(std::uint16_t mark, int ms);

 private:
  testing::ComplianceBench& bench_;
  engine::Test& test_;
};

}  // namespace vlt::compliance::scenario
