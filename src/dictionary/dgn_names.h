// The RV-C and J1939 names of DGNs, as every frame line and the signal
// catalogue print them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vlt::dictionary {

struct DgnNameEntry {
  std::uint32_t dgn;      // 17 bits used
  std::string_view name;  // Windows-1252, byte-exact
};

inline constexpr std::size_t kExactDgnNameCount = 346;
inline constexpr std::size_t kDestinationDgnNameCount = 22;
// PDU1 DGNs carry the destination address in their low byte.
inline constexpr std::uint32_t kDestinationDgnMask = 0x1FF00;
inline constexpr std::string_view kUnidentifiedDgnName = "UNIDENTIFIED DGN";

// Names keyed by the full DGN, in the order the tables list them.
std::span<const DgnNameEntry> ExactDgnNames();
// Names keyed by DGN & kDestinationDgnMask, in the order the tables list them.
std::span<const DgnNameEntry> DestinationDgnNames();

// The exact name; else the destination-specific name with " [hh]" for the low
// byte (REQUEST [05]); else "UNIDENTIFIED DGN". Safe from any thread.
std::string DgnName(std::uint32_t dgn);

}  // namespace vlt::dictionary
