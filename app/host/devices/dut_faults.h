// The named ways a simulated DUT can be built wrong: each fault makes the device
// break one rule of address claiming, so that the criterion judging that rule
// fails. The table is the one place that says what a fault does and what it trips;
// vlt-host's help is generated from it.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace vlt::host {

enum class DutKind : std::uint8_t {
  kStatic,   // one fixed address
  kDynamic,  // arbitrary-address capable, inside the range of its DSA category
};

enum class DutFault : std::uint8_t {
  kLateClaim,
  kTalksFirst,
  kClaimEe05,
  kWrongAac,
  kWrongMfg,
  kWrongDsa,
  kTwoAddresses,
  kShortQuiet,
  kSlowAnswer,
  kTalksBeforeDefence,
  kDifferentReclaim,
  kIgnoresRequests,
  kAnswerFromOtherAddress,
  kJ1939Yield,
  kNoRequest,
  kRequestFromTarget,
  kGlobalRequest,
  kShortRequest,
  kOutOfRange,
  kRequestEeff,
  kShortWait,
  kTalksInWait,
  kClaimsUnrequested,
  kIgnoresHigherClaim,
  kYieldsAlways,
  kRetriesSameTarget,
  kStaleStatusAddress,
  kRangeOnly,
};
inline constexpr std::size_t kDutFaultCount = 28;

inline constexpr std::uint8_t kForStatic = 1;
inline constexpr std::uint8_t kForDynamic = 2;

struct DutFaultInfo {
  DutFault fault;
  std::string_view name;   // as given to --dut-fault
  std::uint8_t kinds;      // kForStatic | kForDynamic
  std::string_view does;   // what the device does wrong
  std::string_view trips;  // the criteria that fail (test: criterion id)
};

// In enum order: kDutFaults[i].fault == DutFault(i).
extern const std::array<DutFaultInfo, kDutFaultCount> kDutFaults;

const DutFaultInfo& FaultInfo(DutFault fault);
std::optional<DutFault> FaultByName(std::string_view name);
bool FaultApplies(DutFault fault, DutKind kind);

class DutFaults {
 public:
  DutFaults() = default;
  DutFaults(std::initializer_list<DutFault> faults) {
    for (const DutFault fault : faults) Add(fault);
  }
  void Add(DutFault fault) { bits_.set(static_cast<std::size_t>(fault)); }
  bool Has(DutFault fault) const { return bits_.test(static_cast<std::size_t>(fault)); }
  bool None() const { return bits_.none(); }
  // "late-claim,talks-first" in table order; empty without faults.
  std::string Names() const;
  bool operator==(const DutFaults&) const = default;

 private:
  std::bitset<kDutFaultCount> bits_;
};

// The fault list of vlt-host --help, one entry per fault.
std::string FaultHelpText();

}  // namespace vlt::host
