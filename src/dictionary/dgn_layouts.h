// Which bits of a DGN's eight data bytes carry a signal, as the signal catalogue
// and the network-management rows describe it, and whether that description is
// complete. Bits no signal uses must be sent as 1s; that can only be held
// against a DGN whose every field is known, so a DGN counts as completely
// described only when it is listed in kCompleteLayouts (dgn_layouts.cpp): its
// rows, together with the fields listed there that no row decodes (instance,
// group, DSA), name every field of the DGN's table, checked by hand. Any other
// DGN with rows is partly described.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace vlt::dictionary {

struct DgnLayout {
  std::array<std::uint8_t, 8> used{};  // per data byte, the bits a field covers
  bool described = false;              // some row or listed field names a bit of it
  bool complete = false;               // every field is named: the rest must be 1s
};

// The layout of a DGN as the tools see it; a destination-specific DGN is looked up
// without its destination byte. Built once, safe from any thread.
DgnLayout LayoutOf(std::uint32_t dgn);

// A completely described DGN and the bits of its fields that no catalogue row
// decodes.
struct CompleteLayout {
  std::uint32_t dgn;
  std::array<std::uint8_t, 8> alsoUsed;
};
std::span<const CompleteLayout> CompleteLayouts();

// Whether the standard publishes the DGN: the names table has it (the RV-C DGNs
// and J1939's own: requests, acknowledgements, transport, address claiming,
// proprietary A), and it is no reserved one.
bool IsPublishedDgn(std::uint32_t dgn);

// Whether some catalogue row is set through the DGN: a command a device answers.
bool IsCommandDgn(std::uint32_t dgn);

}  // namespace vlt::dictionary
