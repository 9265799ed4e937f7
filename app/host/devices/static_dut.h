// A simulated device under test with a fixed source address. It claims its
// address after booting, keeps quiet for the contention time, then sends its
// status every half second and answers requests for its claim. It cannot move,
// so it answers every other node's claim of its address with its own claim,
// whichever NAME ranks higher: the conflict stays visible on the bus.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/devices/dut_common.h"
#include "host/devices/simulated_dut.h"

namespace vlt::host {

inline constexpr std::uint8_t kDefaultDutAddress = 253;  // the tester's default DSA
inline constexpr std::uint8_t kMaxStaticAddress = 253;   // FEh and FFh are not node addresses

struct StaticDutConfig {
  std::uint8_t address = kDefaultDutAddress;
  DutCommon common;
};

class StaticDut final : public SimulatedDut {
 public:
  enum class State {
    kOff,          // no power: sends nothing, hears nothing
    kBooting,      // powered, starting up; claims when the boot delay ends
    kClaimed,      // claim sent; holds its status traffic for the contention time
    kRunning,      // normal operation: periodic status, answers requests and contests
    kCannotClaim,  // gave its address up (a fault): silent but for cannot-claim answers
  };

  StaticDut(StaticDutConfig config, std::int64_t nowMicros);

  void SetPower(bool on, std::int64_t nowMicros) override;
  bool Powered() const override { return state_ != State::kOff; }
  void OnBusFrame(const BusFrame& frame, std::int64_t nowMicros) override;
  std::string Describe() const override;

  State CurrentState() const { return state_; }
  // The address it claims: its DSA unless a fault moves it.
  std::uint8_t Address() const;

 private:
  void MoveTo(State next, std::int64_t nowMicros);
  std::optional<std::int64_t> StateDeadlineMicros() const override;
  void OnStateDeadline(std::int64_t nowMicros, std::vector<BusFrame>& out) override;
  std::uint8_t ClaimDestination() const override;
  std::optional<std::uint8_t> HeldAddress() const override;
  bool Operating() const override { return state_ == State::kRunning; }
  std::uint8_t DeviceDsa() const override { return dsa_; }
  void OnClaimOfOwnAddress(const BusFrame& claim, std::int64_t nowMicros);

  std::uint8_t dsa_;
  State state_ = State::kOff;
  std::int64_t stateSinceMicros_ = 0;
};

}  // namespace vlt::host
