// The fault table of the simulated DUTs, held to the verdicts: every fault run
// through every test of its kind, on virtual time, fails exactly the criteria
// the table names and aborts exactly where it says; every other test ends
// without a "DNP " line. vlt-host's help is generated from the same table. The
// correct DUTs' runs also hold each test's reads of the DUT's NAME to what it
// says it needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "compliance/claim_scenario_support.h"
#include "compliance/network_scenario_support.h"
#include "engine/dut_name.h"
#include "engine/failure.h"
#include "engine/tool_elements.h"
#include "host/devices/dut_common.h"
#include "host/devices/dut_faults.h"

namespace vlt::compliance {
namespace {

using host::DutKind;
using namespace scenario;

constexpr std::uint8_t kStaticAddress = 253;  // the default profile's DSA
constexpr std::uint8_t kDynamicDsa = 0x70;    // the first address of the default category
constexpr int kRunLimitMs = 200'000;

struct Verdict {
  std::vector<std::uint16_t> dnp;  // in id order
  host::TripEnd end = host::TripEnd::kFinishes;
  bool operator==(const Verdict&) const = default;
};

std::string Text(const Verdict& v) {
  std::string text = "DNP {";
  char id[8];
  for (const std::uint16_t criterion : v.dnp) {
    std::snprintf(id, sizeof(id), " 0x%X", criterion);
    text += id;
  }
  return text + " }" +
         (v.end == host::TripEnd::kAborts  ? ", aborted"
          : v.end == host::TripEnd::kWaits ? ", runs until stopped"
                                           : "");
}

Verdict Expected(std::optional<host::DutFault> fault, std::string_view code) {
  Verdict v;
  if (!fault) return v;
  for (const host::FaultTrip& trip : host::FaultTrips()) {
    if (trip.fault != *fault || trip.test != code) continue;
    for (const std::uint16_t id : trip.criteria) {
      if (id != 0) v.dnp.push_back(id);
    }
    v.end = trip.end;
  }
  std::sort(v.dnp.begin(), v.dnp.end());
  return v;
}

// The NAME the DUT claims with first, as Read ADDRESS_CLAIM stores it in the
// profile: "A5 A5 60 24 00 80 00 00".
std::string FirstClaimText(DutKind kind, const host::DutFaults& faults) {
  host::DutCommon common;
  common.faults = faults;
  const host::DeviceName name = host::ClaimName(common, kind, false);
  std::string text;
  char pair[4];
  for (const std::uint8_t byte : name) {
    std::snprintf(pair, sizeof(pair), "%02X", byte);
    text += (text.empty() ? "" : " ") + std::string(pair);
  }
  return text;
}

// The profile a lab keeps for the DUT: its NAME read from it, the DSA and
// manufacturer code of its data sheet (the correct DUT's).
Verdict RunOnce(DutKind kind, std::optional<host::DutFault> fault, std::string_view code,
                host::FaultGroup group) {
  host::DutFaults faults;
  if (fault) faults.Add(*fault);
  const bool network = group != host::FaultGroup::kAddressing;
  // ND-90 judges priority and the reserved bit, which only 03h messages carry.
  host::HostConfig config;
  config.stampedFrames = code == "ND90";
  testing::ComplianceBench bench(network ? network_scenario::Dut(kind, faults)
                                 : kind == DutKind::kStatic
                                     ? StaticDut(kStaticAddress, faults)
                                     : DynamicDut(host::kDefaultDsaCategory, faults),
                                 std::move(config));
  if (network) network_scenario::UseProfile(bench, kind);
  UseProfile(bench, FirstClaimText(kind, faults));
  bench.Settings().SetValue(
      "DSA For Address Claiming",
      std::to_string(kind == DutKind::kStatic ? kStaticAddress : kDynamicDsa));
  auto test = bench.Make(code);
  EXPECT_TRUE(test) << code;
  if (!test) return {};
  Verdict v;
  if (!bench.Run(*test, kRunLimitMs)) {
    // What `vlt run --timeout` does to a run that waits for ever.
    v.end = host::TripEnd::kWaits;
    test->PostAbort("timeout", true);
    EXPECT_TRUE(scenario::Finish(bench, *test)) << code;
  } else if (test->Aborted()) {
    v.end = host::TripEnd::kAborts;
  }
  if (!fault) {
    // What the front ends warn about before a run is what a whole run reads.
    EXPECT_EQ(bench.Settings().Find(engine::kFullClaimSetting)->Used(), engine::NeedsDutName(*test))
        << code << " reads the DUT's NAME, or says it does, but not both";
  }
  for (const auto& [id, criterion] : test->Criteria()) {
    if (criterion->GetState() == engine::Failure::State::kDidNotPass) v.dnp.push_back(id);
  }
  return v;
}

// One row of the table per fault; "none" runs the correct DUTs.
class FaultTable : public ::testing::TestWithParam<std::optional<host::DutFault>> {};

TEST_P(FaultTable, EveryTestOfTheFaultsKindsEndsAsTheTableSays) {
  const std::optional<host::DutFault> fault = GetParam();
  for (const DutKind kind : {DutKind::kStatic, DutKind::kDynamic}) {
    if (fault && !host::FaultApplies(*fault, kind)) continue;
    for (const host::FaultGroup group : host::kFaultGroups) {
      // A fault is held to the tests of the rules it breaks; the correct DUTs to all.
      if (fault && host::FaultInfo(*fault).group != group) continue;
      for (const std::string_view code : host::TestsFor(kind, group)) {
        SCOPED_TRACE(std::string(kind == DutKind::kStatic ? "static " : "dynamic ") +
                     std::string(code));
        const Verdict expected = Expected(fault, code);
        const Verdict actual = RunOnce(kind, fault, code, group);
        EXPECT_EQ(actual, expected) << "table: " << Text(expected) << "; run: " << Text(actual);
      }
    }
  }
}

std::vector<std::optional<host::DutFault>> EveryFaultAndNone() {
  std::vector<std::optional<host::DutFault>> rows{std::nullopt};
  for (const host::DutFaultInfo& info : host::kDutFaults) rows.emplace_back(info.fault);
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultTable, ::testing::ValuesIn(EveryFaultAndNone()),
                         [](const ::testing::TestParamInfo<std::optional<host::DutFault>>& info) {
                           std::string name =
                               info.param ? std::string(host::FaultInfo(*info.param).name) : "none";
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST(FaultTable, EveryTripNamesATestOfTheFaultsKindAndEveryFaultShowsSomewhere) {
  for (const host::DutFaultInfo& info : host::kDutFaults) {
    bool shows = false;
    for (const host::FaultTrip& trip : host::FaultTrips()) {
      if (trip.fault != info.fault) continue;
      shows = true;
      bool ofItsKind = false;
      for (const DutKind kind : {DutKind::kStatic, DutKind::kDynamic}) {
        const auto tests = host::TestsFor(kind, info.group);
        ofItsKind = ofItsKind || (host::FaultApplies(info.fault, kind) &&
                                  std::find(tests.begin(), tests.end(), trip.test) != tests.end());
      }
      EXPECT_TRUE(ofItsKind) << info.name << " " << trip.test;
    }
    // A variant is correct behaviour and may trip nothing; a fault must show.
    EXPECT_TRUE(shows || info.variant)
        << info.name << " trips nothing: a fault no test sees is no fault";
  }
}

}  // namespace
}  // namespace vlt::compliance
