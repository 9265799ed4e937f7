// One classic CAN frame with a 29-bit identifier, as the simulated bus carries it,
// and the J1939 fields the host and the devices read out of the identifier.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "framework/tool_dgn.h"

namespace vlt::host {

inline constexpr std::size_t kMaxCanDataBytes = 8;
using framework::kDgnMask;
using framework::kFirstBroadcastPduFormat;
using framework::kGlobalAddress;
using framework::kNullAddress;
using framework::kToolAddress;

inline constexpr std::uint32_t kPgnRequest = 0xEA00;
inline constexpr std::uint32_t kPgnAddressClaim = 0xEE00;

struct BusFrame {
  std::uint32_t id = 0;  // priority << 26 | reserved << 25 | DGN << 8 | source address
  std::uint8_t length = 0;
  std::array<std::uint8_t, kMaxCanDataBytes> data{};

  std::uint32_t Dgn() const { return (id >> 8) & kDgnMask; }
  std::uint8_t SourceAddress() const { return static_cast<std::uint8_t>(id); }
  std::uint8_t Priority() const { return static_cast<std::uint8_t>((id >> 26) & 7); }
  std::uint8_t ReservedBit() const { return static_cast<std::uint8_t>((id >> 25) & 1); }
  std::uint8_t PduFormat() const { return static_cast<std::uint8_t>(id >> 16); }
  // The DGN without a PDU1 destination byte; PDU2 DGNs come back whole.
  std::uint32_t Pgn() const {
    return PduFormat() < kFirstBroadcastPduFormat ? Dgn() & 0x1FF00 : Dgn();
  }
  std::uint8_t DestinationAddress() const {
    return PduFormat() < kFirstBroadcastPduFormat ? static_cast<std::uint8_t>(id >> 8)
                                                  : kGlobalAddress;
  }
  std::span<const std::uint8_t> Data() const { return {data.data(), length}; }

  bool operator==(const BusFrame&) const = default;
};

// The wire-to-tool DGN rule is shared with the tester's own readers of recorded
// frames (framework/tool_dgn.h).
inline std::uint32_t ToolDgnOf(const BusFrame& frame) {
  return framework::ToolDgnOfIdentifier(frame.id);
}
inline std::uint32_t WireDgnOf(std::uint32_t toolDgn) {
  return framework::WireDgnOf(toolDgn);
}

inline std::uint32_t MakeIdentifier(std::uint8_t priority, std::uint32_t dgn,
                                    std::uint8_t sourceAddress) {
  return (static_cast<std::uint32_t>(priority & 7) << 26) | ((dgn & kDgnMask) << 8) | sourceAddress;
}

// Nullopt when the data do not fit one frame.
inline std::optional<BusFrame> MakeBusFrame(std::uint8_t priority, std::uint32_t dgn,
                                            std::uint8_t sourceAddress,
                                            std::span<const std::uint8_t> data) {
  if (data.size() > kMaxCanDataBytes) return std::nullopt;
  BusFrame frame;
  frame.id = MakeIdentifier(priority, dgn, sourceAddress);
  frame.length = static_cast<std::uint8_t>(data.size());
  for (std::size_t i = 0; i < data.size(); ++i) frame.data[i] = data[i];
  return frame;
}

}  // namespace vlt::host
