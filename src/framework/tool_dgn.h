// How DGNs cross between the wire and the tools. J1939 devices send ADDRESS_CLAIMED
// to the global address (identifier 18EEFFxx) while the tester names the claim DGN
// 0EE00h, so the two meet here: a claim to FFh is 0EE00h for the tools, and a tool's
// 0EE00h goes out to FFh. A claim to one node keeps its address (0EExxh) and is
// judged as such; every other DGN crosses unchanged, a request to FFh included.
// The host applies the rule to the bus and `vlt decode` to recorded frames.
#pragma once

#include <cstdint>

#include "framework/host_protocol.h"

namespace vlt::framework {

inline constexpr std::uint32_t kAddressClaimDgn = 0xEE00;
// PDU1 formats (below F0h) carry a destination address in the DGN's low byte.
inline constexpr std::uint8_t kFirstBroadcastPduFormat = 0xF0;

// The DGN a tool sees for a frame with this 29-bit identifier.
constexpr std::uint32_t ToolDgnOfIdentifier(std::uint32_t identifier) {
  const std::uint32_t dgn = (identifier >> 8) & kDgnMask;
  const bool pdu1 = ((identifier >> 16) & 0xFFu) < kFirstBroadcastPduFormat;
  const std::uint32_t pgn = pdu1 ? dgn & 0x1FF00u : dgn;
  const std::uint32_t destination = pdu1 ? dgn & 0xFFu : kGlobalAddress;
  if (pgn == kAddressClaimDgn && destination == kGlobalAddress) return kAddressClaimDgn;
  return dgn;
}

// The DGN a tool's frame goes out with.
constexpr std::uint32_t WireDgnOf(std::uint32_t toolDgn) {
  return (toolDgn & kDgnMask) == kAddressClaimDgn ? kAddressClaimDgn | kGlobalAddress
                                                  : toolDgn & kDgnMask;
}

}  // namespace vlt::framework
