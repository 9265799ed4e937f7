// A simulated device under test with dynamic addressing: arbitrary-address
// capable, it looks for its address inside the range of its DSA category. It asks
// for an address with a request for ADDRESS_CLAIM from the null address, waits the
// contention time for a rival's claim, and claims the address when no node with a
// higher-priority NAME holds it; losing an address it asks for the next one. When
// its range is taken it tries the spare addresses F0h-FDh (not F9h, the tester's),
// and only when those are taken too it sends cannot-claim from FEh. Two variants
// follow J1939 practice instead: requests-globally asks all nodes once and then
// claims from what it heard; tracks-names frees an address whose NAME moved on.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/devices/dut_common.h"
#include "host/devices/simulated_dut.h"

namespace vlt::host {

struct AddressRange {
  std::uint8_t low = 0;
  std::uint8_t high = 0;
  bool Contains(std::uint8_t address) const { return address >= low && address <= high; }
};

inline constexpr std::uint8_t kMaxDsaCategory = 8;
// The tester's default category, "Multifunction".
inline constexpr std::uint8_t kDefaultDsaCategory = 0;
// Dynamic range by DSA category; Chassis shares the range of Controls and Displays.
inline constexpr std::array<AddressRange, kMaxDsaCategory + 1> kDsaCategoryRanges{{
    {0x70, 0x7F},
    {0x80, 0x8F},
    {0x90, 0x9F},
    {0xA0, 0xAF},
    {0xB0, 0xBF},
    {0xC0, 0xCF},
    {0xD0, 0xDF},
    {0xE0, 0xEF},
    {0x90, 0x9F},
}};
inline constexpr std::array<std::string_view, kMaxDsaCategory + 1> kDsaCategoryNames{
    "Multifunction",
    "Power Components",
    "Controls and Displays",
    "Sensors",
    "Mechanical Components",
    "Comfort Systems",
    "Appliances and Bridges",
    "Entertainment Systems",
    "Chassis",
};
inline constexpr std::uint8_t kFirstSpareAddress = 0xF0;
inline constexpr std::uint8_t kLastSpareAddress = 0xFD;
inline constexpr std::uint8_t kOutOfRangeShift = 16;

struct DynamicDutConfig {
  std::uint8_t category = kDefaultDsaCategory;
  std::optional<std::uint8_t> dsa =
      std::nullopt;  // the first address it asks for; default the range's first
  DutCommon common;
};

class DynamicDut final : public SimulatedDut {
 public:
  enum class State {
    kOff,          // no power: sends nothing, hears nothing
    kBooting,      // powered, starting up; asks for its DSA when the boot delay ends
    kSeeking,      // has chosen a target; asks for it after the reaction time
    kWaiting,      // request sent; listens for rival claims of the target
    kClaimed,      // claim sent; holds its status traffic for the contention time
    kRunning,      // normal operation: periodic status, answers requests and contests
    kCannotClaim,  // no address left: cannot-claim sent, silent but for answers
  };

  DynamicDut(DynamicDutConfig config, std::int64_t nowMicros);

  void SetPower(bool on, std::int64_t nowMicros) override;
  bool Powered() const override { return state_ != State::kOff; }
  void OnBusFrame(const BusFrame& frame, std::int64_t nowMicros) override;
  std::string Describe() const override;

  State CurrentState() const { return state_; }
  // The address it holds, or is asking for; FEh once it cannot claim.
  std::uint8_t Address() const;
  // Its range, as its faults leave it.
  AddressRange Range() const { return range_; }

 private:
  void MoveTo(State next, std::int64_t nowMicros);
  std::optional<std::int64_t> StateDeadlineMicros() const override;
  std::optional<std::uint8_t> HeldAddress() const override;
  bool Operating() const override { return state_ == State::kRunning; }
  std::uint8_t DeviceDsa() const override { return dsa_; }
  void OnStateDeadline(std::int64_t nowMicros, std::vector<BusFrame>& out) override;
  std::optional<std::uint8_t> CandidateAfter(std::uint8_t address,
                                             std::optional<std::uint8_t> besides) const;
  std::uint8_t NextInRange(std::uint8_t address) const;
  void SeekAfter(std::uint8_t lost, std::int64_t nowMicros);
  void OnRequest(const BusFrame& request, std::int64_t nowMicros);
  void OnClaim(const BusFrame& claim, std::int64_t nowMicros);
  bool Yields(bool rivalOutranks) const;
  void SendRequests(std::vector<BusFrame>& out);
  void SendClaims(std::vector<BusFrame>& out, std::int64_t nowMicros);
  BusFrame RequestFrame(std::uint8_t target) const;
  std::uint8_t StatusAddress() const;

  AddressRange range_;
  std::uint8_t dsa_ = 0;
  State state_ = State::kOff;
  std::int64_t stateSinceMicros_ = 0;
  std::uint8_t target_ = 0;
  std::optional<std::uint8_t> secondTarget_;  // two-addresses
  std::uint8_t address_ = 0;                  // the one it holds, or last held
  std::optional<std::uint8_t> firstHeld_;     // since power-up
  std::bitset<256> taken_;                    // held by higher-priority NAMEs, as far as it heard
  std::array<std::optional<DeviceName>, 256> heardNames_;  // tracks-names: who holds what
  bool askedAll_ = false;                                  // requests-globally: since power-up
  bool waitStatusSent_ = false;
};

}  // namespace vlt::host
