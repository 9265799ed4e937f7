// The first simulated device under test: a node with a fixed source address.
// It claims its address after booting, keeps quiet for the contention time, then
// sends a tank status every half second and answers requests for its claim.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/sim_bus.h"

namespace vlt::host {

// The eight NAME bytes of an ADDRESS_CLAIM, byte 0 first on the wire.
using DeviceName = std::array<std::uint8_t, 8>;

inline constexpr std::uint16_t kMaxManufacturerCode = 0x7FF;
inline constexpr std::uint16_t kDefaultManufacturerCode = 0x123;
// Identity A5A5h, manufacturer 123h, function 80h; arbitrary-address-capable clear.
inline constexpr DeviceName kDefaultDutName{0xA5, 0xA5, 0x60, 0x24, 0x00, 0x80, 0x00, 0x00};
inline constexpr std::uint8_t kDefaultDutAddress = 253;
inline constexpr std::uint8_t kMaxStaticAddress = 253;  // FEh and FFh are not node addresses

inline constexpr std::int64_t kDutBootDelayMs = 100;
// A claimer must leave the bus to its claim for 250 ms; a margin on top.
inline constexpr std::int64_t kDutFirstStatusAfterClaimMs = 300;
inline constexpr std::int64_t kDutStatusPeriodMs = 500;
inline constexpr std::int64_t kDutClaimAnswerDelayMs = 5;

inline constexpr std::uint32_t kDgnTankStatus = 0x1FFB7;
inline constexpr std::uint8_t kDutStatusPriority = 6;
inline constexpr std::uint8_t kClaimPriority = 6;

// The 11-bit manufacturer code: data[2] bits 5-7 low, data[3] high.
std::uint16_t ManufacturerCode(const DeviceName& name);
void SetManufacturerCode(DeviceName& name, std::uint16_t code);
// 16 hexadecimal digits, byte 0 first; blanks between digits are allowed.
std::optional<DeviceName> ParseDeviceName(std::string_view text);
std::string DeviceNameText(const DeviceName& name);  // 16 digits, upper case

struct StaticDutConfig {
  std::uint8_t address = kDefaultDutAddress;
  DeviceName name = kDefaultDutName;
  bool poweredAtStart = true;
};

class StaticDut final : public SimDevice {
 public:
  enum class State {
    kOff,      // no power: sends nothing, hears nothing
    kBooting,  // powered, starting up; claims when the boot delay ends
    kClaimed,  // claim sent; holds its status traffic for the contention time
    kRunning,  // normal operation: periodic status, answers requests and contests
  };

  StaticDut(StaticDutConfig config, std::int64_t nowMicros);

  void SetPower(bool on, std::int64_t nowMicros) override;
  bool Powered() const override { return state_ != State::kOff; }
  void OnBusFrame(const BusFrame& frame, std::int64_t nowMicros) override;
  void Poll(std::int64_t nowMicros, std::vector<BusFrame>& out) override;
  std::optional<std::int64_t> NextDeadlineMicros() const override;
  std::string Describe() const override;

  State CurrentState() const { return state_; }
  std::int64_t StateSinceMicros() const { return stateSinceMicros_; }
  BusFrame ClaimFrame() const;
  BusFrame StatusFrame() const;

 private:
  void MoveTo(State next, std::int64_t nowMicros);
  void SendDueClaim(std::int64_t nowMicros, std::vector<BusFrame>& out);

  StaticDutConfig config_;
  State state_ = State::kOff;
  std::int64_t stateSinceMicros_ = 0;
  std::int64_t nextStatusMicros_ = 0;
  std::optional<std::int64_t> claimDueMicros_;  // answer to a request or a contest
};

}  // namespace vlt::host
