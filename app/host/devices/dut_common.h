// What the simulated devices under test share: their timing, their identity and
// periodic traffic, the frames of address claiming, and a queue for the frames
// they owe the bus at a later moment.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/buses/bus_frame.h"
#include "host/devices/device_name.h"
#include "host/devices/dut_faults.h"

namespace vlt::host {

inline constexpr std::int64_t kMicrosPerMs = 1000;
constexpr std::int64_t MsToMicros(std::int64_t ms) {
  return ms * kMicrosPerMs;
}

inline constexpr std::int64_t kDutBootDelayMs = 100;
// J1939: a claim stands once 250 ms have passed without a rival.
inline constexpr std::int64_t kAddressContentionMs = 250;
// A dynamic device claims this long after its request: the contention time and
// a margin, so that a tester stamping frames on arrival never measures less.
inline constexpr std::int64_t kDutRequestWaitMs = kAddressContentionMs + 10;
// A claimer must leave the bus to its claim for 250 ms; a margin on top.
inline constexpr std::int64_t kDutFirstStatusAfterClaimMs = 300;
inline constexpr std::int64_t kDutStatusPeriodMs = 500;
// Answers to requests, defences, and the next request after a lost address.
inline constexpr std::int64_t kDutReactionMs = 5;

// What the faults change in the timing.
inline constexpr std::int64_t kLateClaimMs = 6000;
inline constexpr std::int64_t kSlowAnswerMs = 300;
inline constexpr std::int64_t kHastyMs = 100;  // short-wait, short-quiet, talks-in-wait
inline constexpr std::int64_t kSecondClaimAfterClaimMs = 310;

inline constexpr std::uint8_t kClaimPriority = 6;
inline constexpr std::uint8_t kRequestPriority = 6;
inline constexpr std::uint8_t kDutStatusPriority = 6;
inline constexpr std::uint32_t kDgnTankStatus = 0x1FFB7;
// The tester's defaults for the identifying DGN and instance, so that a default
// DUT is found by a default profile; instance FFh there means any instance.
inline constexpr std::uint32_t kDefaultStatusDgn = 0x1FFFF;
inline constexpr std::uint8_t kDefaultStatusInstance = 0xFF;
inline constexpr std::uint32_t kMinStatusDgn = 0x10000;  // the tester takes 10000h-1FFFFh
inline constexpr std::uint32_t kMaxStatusDgn = 0x1FFFF;

// How fast a correct DUT is; a soak varies these inside what the tests accept.
// Faults that change the timing take precedence.
struct DutTiming {
  std::int64_t bootDelayMs = kDutBootDelayMs;
  std::int64_t firstStatusAfterClaimMs = kDutFirstStatusAfterClaimMs;
  std::int64_t statusPeriodMs = kDutStatusPeriodMs;
  std::int64_t reactionMs = kDutReactionMs;
};

// The next periodic status after one was sent; after a stall the period starts
// afresh rather than sending a burst.
constexpr std::int64_t NextStatusMicros(std::int64_t scheduledMicros, std::int64_t nowMicros,
                                        std::int64_t periodMs = kDutStatusPeriodMs) {
  const std::int64_t next = scheduledMicros + MsToMicros(periodMs);
  return next <= nowMicros ? nowMicros + MsToMicros(periodMs) : next;
}

// What both models are configured with besides their addressing.
struct DutCommon {
  DeviceName name = kDefaultDutName;  // the model sets the arbitrary-address bit
  std::uint32_t statusDgn = kDefaultStatusDgn;
  std::uint8_t instance = kDefaultStatusInstance;
  DutFaults faults;
  bool poweredAtStart = true;
  DutTiming timing;
};

// The NAME a device of `kind` claims with: its own, with the arbitrary-address
// bit of its kind, changed as its faults say. `later` for every claim after the
// first one since power-up.
DeviceName ClaimName(const DutCommon& common, DutKind kind, bool later);

bool IsRequestForClaim(const BusFrame& frame);
// An ADDRESS_CLAIM with a whole NAME, to any destination.
bool IsClaim(const BusFrame& frame);
DeviceName NameOf(const BusFrame& claim);

BusFrame ClaimFrame(std::uint8_t sourceAddress, const DeviceName& name,
                    std::uint8_t destination = kGlobalAddress);
// Periodic operation: the identifying DGN with the instance in data byte 0.
BusFrame StatusFrame(const DutCommon& common, std::uint8_t sourceAddress);

// The address a fault puts in place of `address`: the one below it (1 for 0).
std::uint8_t NeighbourAddress(std::uint8_t address);

// Frames a device has promised for later (answers, defences), sent in the order
// of their due time, and in the order promised when due together.
class PendingFrames {
 public:
  void Add(std::int64_t dueMicros, const BusFrame& frame);
  void TakeDue(std::int64_t nowMicros, std::vector<BusFrame>& out);
  std::optional<std::int64_t> NextDueMicros() const;
  void Clear() { pending_.clear(); }
  bool Empty() const { return pending_.empty(); }

 private:
  struct Pending {
    std::int64_t dueMicros;
    BusFrame frame;
  };
  std::vector<Pending> pending_;  // by due time
};

// The earlier of two deadlines; either may be missing.
std::optional<std::int64_t> Earliest(std::optional<std::int64_t> a, std::optional<std::int64_t> b);

}  // namespace vlt::host
