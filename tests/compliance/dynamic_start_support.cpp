#include "compliance/dynamic_start_support.h"

#include <gtest/gtest.h>

#include "host/devices/device_name.h"
#include "host/devices/dut_common.h"

namespace vlt::compliance::scenario {

namespace {
constexpr std::uint8_t kPriority = 6;
constexpr int kRunLimitMs = 60'000;
}  // namespace

std::unique_ptr<host::SimDevice> DynamicDutWith(host::DutFaults faults, std::uint8_t category) {
  host::DynamicDutConfig config;
  config.category = category;
  config.common.faults = faults;
  return std::make_unique<host::DynamicDut>(config, 0);
}

void ScriptedDut::SetPower(bool on, std::int64_t nowMicros) {
  if (on && !powered_) {
    poweredAtMicros_ = nowMicros;
    next_ = 0;
  }
  powered_ = on;
}

void ScriptedDut::Poll(std::int64_t nowMicros, std::vector<host::BusFrame>& out) {
  while (powered_ && next_ < steps_.size() &&
         poweredAtMicros_ + host::MsToMicros(steps_[next_].atMs) <= nowMicros) {
    out.push_back(steps_[next_++].frame);
  }
}

std::optional<std::int64_t> ScriptedDut::NextDeadlineMicros() const {
  if (!powered_ || next_ >= steps_.size()) return std::nullopt;
  return poweredAtMicros_ + host::MsToMicros(steps_[next_].atMs);
}

host::BusFrame RequestFrame(std::uint8_t source, std::uint8_t target, std::uint32_t requested,
                            std::uint8_t length) {
  const std::uint8_t data[8] = {static_cast<std::uint8_t>(requested),
                                static_cast<std::uint8_t>(requested >> 8),
                                static_cast<std::uint8_t>(requested >> 16),
                                0xFF,
                                0xFF,
                                0xFF,
                                0xFF,
                                0xFF};
  return *host::MakeBusFrame(kPriority, host::kPgnRequest | target, source,
                             std::span<const std::uint8_t>(data, length));
}

host::BusFrame DutClaim(std::uint8_t address) {
  return host::ClaimFrame(address,
                          host::ClaimName(host::DutCommon{}, host::DutKind::kDynamic, false));
}

host::BusFrame DutStatus(std::uint8_t address) {
  return host::StatusFrame(host::DutCommon{}, address);
}

std::unique_ptr<testing::ComplianceBench> DynamicBench(std::unique_ptr<host::SimDevice> dut) {
  auto bench = std::make_unique<testing::ComplianceBench>(std::move(dut));
  bench->Settings().SetValue("Full ADDRESS_CLAIM Value", kDynamicDutNameText);
  bench->Settings().SetValue("Manufacturer ID", kDutManufacturerText);
  return bench;
}

std::string RunToEnd(testing::ComplianceBench& bench, const std::string& code) {
  auto test = bench.Make(code);
  EXPECT_TRUE(test) << code;
  if (!test) return {};
  EXPECT_TRUE(bench.Run(*test, kRunLimitMs)) << code << " did not end";
  return bench.Text();
}

std::string CriterionTag(const std::string& report, const std::string& text) {
  const std::string line = CriterionLine(report, text);
  return line.substr(0, std::min<std::size_t>(4, line.size()));
}

}  // namespace vlt::compliance::scenario
