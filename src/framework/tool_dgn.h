// How DGNs cross between the wire and the tools. J1939 devices send ADDRESS_CLAIMED
// to the global address (identifier 18EEFFxx) while the tester names the claim DGN
// 0EE00h. The two meet here, one to one: the claim blocks' DGNs for FFh and 00h
// trade places, so a claim to all is 0EE00h for the tools and a claim really sent
// to node 00h is 0EEFFh, judged as a claim to one node. Every other DGN crosses
// unchanged, a request to FFh included. The host applies the rule to the bus,
// `vlt decode` to recorded frames, and frame lines turn it back to print the
// identifier the bus carried.
#pragma once

#include <cstdint>

#include "framework/host_protocol.h"

namespace vlt::framework {

inline constexpr std::uint32_t kAddressClaimDgn = 0xEE00;
// PDU1 formats (below F0h) carry a destination address in the DGN's low byte.
inline constexpr std::uint8_t kFirstBroadcastPduFormat = 0xF0;

namespace tool_dgn_detail {
inline constexpr std::uint32_t kClaimToAll = kAddressClaimDgn | kGlobalAddress;
inline constexpr std::uint32_t kClaimToNodeZero = kAddressClaimDgn;

// The swap is its own inverse, so the tool-to-wire direction is the same call.
constexpr std::uint32_t SwapClaimDestinations(std::uint32_t dgn) {
  dgn &= kDgnMask;
  if (dgn == kClaimToAll) return kClaimToNodeZero;
  if (dgn == kClaimToNodeZero) return kClaimToAll;
  return dgn;
}
}  // namespace tool_dgn_detail

// The DGN a tool sees for a frame with this 29-bit identifier.
constexpr std::uint32_t ToolDgnOfIdentifier(std::uint32_t identifier) {
  return tool_dgn_detail::SwapClaimDestinations(identifier >> 8);
}

// The DGN a tool's frame goes out with, and the one a frame line prints.
constexpr std::uint32_t WireDgnOf(std::uint32_t toolDgn) {
  return tool_dgn_detail::SwapClaimDestinations(toolDgn);
}

}  // namespace vlt::framework
