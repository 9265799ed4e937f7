// A reference to a DGN. A destination-specific DGN (REQUEST, PROPRIETARY,
// GENERAL_RESET, TERMINAL, DOWNLOAD, INSTANCE_ASSIGNMENT, INSTANCE_STATUS) refers
// to its slot of a DGN table, so that it follows the table's address; any other
// DGN is held by value.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/dgn_table.h"

namespace vlt::data {

// The seven destination-specific DGNs, in the order of the table's slots.
inline constexpr std::array<std::uint32_t, 7> kTableSlotDgns = {0xEF00,  0x17F00, 0x17E00, 0x17D00,
                                                                0x17C00, 0x17B00, 0xEA00};
inline constexpr std::uint32_t kDgnBlockMask = 0x1FF00;

// The fixed cells of the tool's own default address F9h, and how the
// description texts write them.
inline constexpr std::array<std::uint32_t, 3> kToolCellDgns = {0x17BF9, 0x17EF9, 0x0EFF9};
inline constexpr std::array<const char*, 3> kToolCellTexts = {"17B$$", "17E$$", "0EF$$"};
inline constexpr std::array<const char*, 7> kTargetSlotTexts = {"0EF##", "17F##", "17E##", "17D##",
                                                                "17C##", "17B##", "0EA##"};

// The slot of a destination-specific DGN (compared as DGN AND 1FF00h), or -1.
int TableSlotOf(std::uint32_t dgn);

// The DGN in one slot of a table. The table is packed, so it is read bytewise.
std::uint32_t ReadTableSlot(const framework::DgnTable& table, int slot);

class DgnRef {
 public:
  // No DGN.
  DgnRef() = default;
  // 0EFF9h refers to the tool's fixed cell; a destination-specific DGN to its
  // slot of `table`; anything else is held by value.
  DgnRef(const framework::DgnTable& table, std::uint32_t dgn);
  // A DGN held by value, whatever it is.
  static DgnRef OfValue(std::uint32_t dgn);

  bool IsNone() const { return kind_ == Kind::kNone; }
  std::uint32_t Value() const;
  // Points at the same slot of `table` when the current DGN is destination-specific.
  void Retarget(const framework::DgnTable& table);
  // "00000" for none; "0EA##" and the like when it points into `targetTable`;
  // "0EF$$" and the like for the tool's cells; otherwise "%05X".
  std::string Text(const framework::DgnTable* targetTable) const;

  const framework::DgnTable* Table() const { return kind_ == Kind::kTableSlot ? table_ : nullptr; }

 private:
  enum class Kind : std::uint8_t {
    kNone,       // no DGN
    kTableSlot,  // a slot of a DGN table
    kToolCell,   // one of the tool's fixed cells
    kValue,      // held by value
  };
  Kind kind_ = Kind::kNone;
  const framework::DgnTable* table_ = nullptr;
  int index_ = 0;  // table slot or tool cell
  std::uint32_t value_ = 0;
};

// "##" for the target table's address byte, "00" for none, else "%02X" of the byte.
std::string AddressText(const std::uint8_t* address, const framework::DgnTable* targetTable);

}  // namespace vlt::data
