// The target and global DGN tables: an address and the seven DGNs whose low byte
// is that address. Destination-specific packet plans point into them.
#pragma once

#include <array>
#include <cstdint>

namespace vlt::framework {

#pragma pack(push, 1)
struct DgnTable {
  std::uint8_t address;
  std::uint32_t dgns[7];

  static DgnTable For(std::uint8_t address) {
    static constexpr std::array<std::uint32_t, 7> kBases = {0xEF00,  0x17F00, 0x17E00, 0x17D00,
                                                            0x17C00, 0x17B00, 0xEA00};
    DgnTable table{};
    table.address = address;
    for (std::size_t i = 0; i < kBases.size(); ++i) table.dgns[i] = kBases[i] | address;
    return table;
  }
};
#pragma pack(pop)
static_assert(sizeof(DgnTable) == 29);

}  // namespace vlt::framework
