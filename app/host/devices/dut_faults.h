// The named ways a simulated DUT can be built wrong: each fault makes the device
// break one rule of address claiming, so that the criterion judging that rule
// fails. Beside them the variants: correct J1939 behaviour that differs from the
// plain models. The tables are the one place that says what a fault or variant
// does and what it trips; vlt-host's help is generated from them, and a test runs
// every fault and variant through every test of its kind to hold them true.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
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
  kClaimTo00,
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
  // Requests, NAK and PRODUCT_ID.
  kNakGlobal,
  kNoNak,
  kNakToGlobal,
  kNakWrongDgn,
  kNakWrongCode,
  kNakOwnAddress,
  kNakSupported,
  kAnswersUnsupported,
  kAnswersOtherTarget,
  kLateAnswer,
  kShortAnswer,
  kIgnoresRvcRequest,
  kWrongInstance,
  kProductIdNoDelimiters,
  kProductIdControlChars,
  kProductIdFastBam,
  kProductIdSlowBam,
  kProductIdRtsCts,
  kProductIdUnrequested,
  kProductIdBadCount,
  kProductIdNoPadding,
  kProductIdBadSequence,
  // Traffic: the frames themselves.
  kPropBroadcast,
  kPropReacts,
  kPropActs,
  kProprietaryB,
  kShortDlc,
  kZeroFill,
  kHighPriority,
  kReservedBitSet,
  kBurst,
  kUndocumentedDgn,
  kSilent6s,
  kUnclaimedAddress,
  // Commands.
  kFiltersSa,
  kCommandAnswerLate,
  kIgnoresCommands,
  kEmptyCmdActs,
  kEmptyCmdSilent,
  kRefusesSilently,
  kNakCode0,
  kRefusedCmdActs,
  kWrongInstanceActs,
  kWrongInstanceNak,
  kNoLocalStatus,
  kLocalStatusLate,
  // DM_RV and GENERAL_RESET.
  kNoHeartbeat,
  kSlowHeartbeat,
  kDmRvShort,
  kHeartbeatLampOn,
  kDmRvZeroFill,
  kDmRvBadStatus,
  kDmRvNoDsa,
  kDmRvIgnoresRequest,
  kDmRvLateAnswer,
  kFaultNotReported,
  kFaultLate,
  kFaultNotRepeated,
  kFaultSlowRepeat,
  kDmRvMultipacket,
  kLampsOffWithFault,
  kFaultBadFmi,
  kFaultOtherDsa,
  kNoClearMsg,
  kClearMsgLate,
  kFaultAfterClear,
  kFastHeartbeatAfterClear,
  kResetAnyAddress,
  kResetNoAck,
  kResetIgnored,
  kResetAckToGlobal,
  kResetKeepsFaults,
  kResetReboots,
  // Variants (--dut-variant), not faults.
  kRequestsGlobally,
  kTracksNames,
  kLatchingFaults,
  kSlowClear,
  kNoGeneralReset,
};
inline constexpr std::size_t kDutFaultCount = 107;

inline constexpr std::uint8_t kForStatic = 1;
inline constexpr std::uint8_t kForDynamic = 2;

// Which tests a fault is held to: those of the rules it breaks.
enum class FaultGroup : std::uint8_t {
  kAddressing,   // the address-claiming tests
  kRequests,     // requests, NAK and PRODUCT_ID
  kTraffic,      // the frames a device sends in normal operation
  kDiagnostics,  // DM_RV and GENERAL_RESET
  kCommands,     // commands and the status that reports them
};

struct DutFaultInfo {
  DutFault fault;
  std::string_view name;  // as given to --dut-fault
  std::uint8_t kinds;     // kForStatic | kForDynamic
  std::string_view does;  // what the device does wrong
  bool variant = false;   // a correct J1939 behaviour, given to --dut-variant
  FaultGroup group = FaultGroup::kAddressing;
};

// In enum order: kDutFaults[i].fault == DutFault(i).
extern const std::array<DutFaultInfo, kDutFaultCount> kDutFaults;

inline constexpr std::size_t kMaxTrippedCriteria = 8;

// How a run against a faulty DUT ends.
enum class TripEnd : std::uint8_t {
  kFinishes,  // with its report
  kAborts,    // by one of the test's own limits (or its own abort)
  kWaits,     // never by itself: the operator, or `vlt run --timeout`, ends it
};

// A test that a fault makes fail: the criteria that end "DNP " (in id order; 0
// ends the list) and how the run ends.
struct FaultTrip {
  DutFault fault;
  std::string_view test;  // the code `vlt run` takes: "A10"
  std::array<std::uint16_t, kMaxTrippedCriteria> criteria;
  TripEnd end = TripEnd::kFinishes;
};

// Every test in which a fault shows. A fault run through any other test of its
// kind and group ends with no "DNP " line and is not aborted.
std::span<const FaultTrip> FaultTrips();
// The tests with criteria of a group that a DUT of each kind is put through, in
// menu order.
std::span<const std::string_view> TestsFor(DutKind kind, FaultGroup group);
inline constexpr FaultGroup kFaultGroups[] = {FaultGroup::kAddressing, FaultGroup::kRequests,
                                              FaultGroup::kTraffic, FaultGroup::kDiagnostics,
                                              FaultGroup::kCommands};

const DutFaultInfo& FaultInfo(DutFault fault);
// A fault by its --dut-fault name, or with `variant` a variant by its --dut-variant name.
std::optional<DutFault> FaultByName(std::string_view name, bool variant = false);
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

// The fault (or variant) list of vlt-host --help, one entry each.
std::string FaultHelpText(bool variants = false);

}  // namespace vlt::host
