#include "claim_scenario_support.h"

#include <algorithm>
#include <span>
#include <sstream>

#include "host/devices/dut_common.h"
#include "settings/setting_text.h"

namespace vlt::compliance::scenario {

std::unique_ptr<host::SimDevice> StaticDut(std::uint8_t address, host::DutFaults faults) {
  host::StaticDutConfig config;
  config.address = address;
  config.common.faults = faults;
  return std::make_unique<host::StaticDut>(config, 0);
}

std::unique_ptr<host::SimDevice> DynamicDut(std::uint8_t category, host::DutFaults faults,
                                            std::optional<std::uint8_t> dsa) {
  host::DynamicDutConfig config;
  config.category = category;
  config.dsa = dsa;
  config.common.faults = faults;
  return std::make_unique<host::DynamicDut>(config, 0);
}

void UseProfile(testing::ComplianceBench& bench, const std::string& name, int toleranceMs) {
  bench.Settings().SetValue("Full ADDRESS_CLAIM Value", name);
  bench.Settings().SetValue("Manufacturer ID", "291");
  bench.Settings().SetValue("250MS Timing Tolerance", std::to_string(toleranceMs));
}

void SpoilCategory(testing::ComplianceBench& bench) {
  constexpr std::size_t kDsaCategoryRow = 10;
  const std::uint8_t notACategory[1] = {9};
  bench.appSettings->Item(kDsaCategoryRow).SetRawValue(notACategory);
}

bool Finish(testing::ComplianceBench& bench, engine::Test& test, int limitMs) {
  return StepUntil(
      bench, [&] { return !test.Running() && bench.app->RunningTest().Get() == nullptr; }, limitMs);
}

bool Contains(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

std::string CriterionLine(const std::string& report, const std::string& criterionText) {
  std::istringstream lines(report);
  std::string line;
  const auto next = [&] {
    if (!std::getline(lines, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  };
  while (next()) {
    if (line.size() < 7 || line.compare(7, criterionText.size(), criterionText) != 0) continue;
    std::string block = line;
    // A long note goes on the next line, indented by eleven blanks.
    if (next() && line.rfind("           ", 0) == 0) block += "\n" + line;
    return block;
  }
  return {};
}

}  // namespace vlt::compliance::scenario

namespace vlt::compliance::scenario {

void HandDut::Claim(std::uint8_t from, const std::string& name) {
  settings::NameBytes parsed{};
  settings::TextToNameBytes(name, parsed);
  host::DeviceName bytes{};
  std::copy(parsed.begin(), parsed.end(), bytes.begin());
  bench_.host.InjectFrame(host::ClaimFrame(from, bytes));
}

void HandDut::Status(std::uint8_t from) {
  bench_.host.InjectFrame(host::StatusFrame(host::DutCommon{}, from));
}

void HandDut::Request(std::uint8_t from, std::uint8_t target, std::uint8_t length) {
  const std::uint8_t data[8] = {0x00, 0xEE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  bench_.host.InjectFrame(*host::MakeBusFrame(host::kRequestPriority, host::kPgnRequest | target,
                                              from, std::span<const std::uint8_t>(data, length)));
}

bool HandDut::BeFoundAt(std::uint8_t address) {
  for (int i = 0; i < 100; ++i) {
    Status(address);
    if (StepUntil(
            bench_, [&] { return Contains(bench_.Text(), "DUT found at"); }, 100)) {
      return true;
    }
  }
  return false;
}

bool HandDut::WaitUntilAfterMark(std::uint16_t mark, int ms) {
  if (!StepUntil(
          bench_, [&] { return test_.TimeSince(mark) >= 0; }, 20'000))
    return false;
  // The tool stamps an injected frame when it reads it, at the next step.
  return StepUntil(
      bench_, [&] { return test_.TimeSince(mark) + 1 >= ms; }, 20'000);
}

}  // namespace vlt::compliance::scenario
