// What the catalogue says about the bits of a DGN, as the traffic test reads it.
#include <gtest/gtest.h>

#include <array>

#include "dictionary/dgn_layouts.h"
#include "dictionary/dict_rows.h"

namespace vlt::dictionary {
namespace {

using Bytes = std::array<std::uint8_t, 8>;

TEST(DgnLayouts, RowsAndListedFieldsMarkTheBitsADgnUses) {
  struct Case {
    std::uint32_t dgn;
    Bytes used;
    bool complete;
  };
  const Case cases[] = {
      {0x1FFB7, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}, true},  // TANK_STATUS
      // DC_DIMMER_STATUS_3: byte 6 bits 4-7 and byte 7 are reserved.
      {0x1FEDA, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0x00}, true},
      // DM_RV: byte 5 bit 7 is always 1, byte 7's high nibble reserved.
      {0x1FECA, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x0F}, true},
      // A request to any address: bytes 5-7 reserved.
      {0x0EA05, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00}, true},
      {0x0E8F9, {0xFF, 0xFF, 0x0F, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}, true},
      // DC_DIMMER_COMMAND_2 has rows for some fields only.
      {0x1FEDB, {0x00, 0x00, 0x00, 0xFF, 0xFF, 0x03, 0xFF, 0xFF}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dgn);
    const DgnLayout layout = LayoutOf(c.dgn);
    EXPECT_TRUE(layout.described);
    EXPECT_EQ(layout.used, c.used);
    EXPECT_EQ(layout.complete, c.complete);
  }
  EXPECT_FALSE(LayoutOf(0x1FF00).described);
}

TEST(DgnLayouts, EveryCompleteLayoutIsOneTheCatalogueHasRowsFor) {
  for (const CompleteLayout& complete : CompleteLayouts()) {
    bool rows = false;
    for (const auto table : {NetworkManagementRows(), SignalCatalogueRows()}) {
      for (const EntryRow& row : table) rows = rows || row.statusDgn == complete.dgn;
    }
    EXPECT_TRUE(rows) << std::hex << complete.dgn;
  }
}

TEST(DgnLayouts, PublishedAndCommandDgns) {
  EXPECT_TRUE(IsPublishedDgn(0x1FFB7));
  EXPECT_TRUE(IsPublishedDgn(0x0EAF9));   // a request, to any address
  EXPECT_TRUE(IsPublishedDgn(0x0EFFF));   // proprietary, though not to all
  EXPECT_FALSE(IsPublishedDgn(0x1FFF0));  // reserved
  EXPECT_FALSE(IsPublishedDgn(0x1FF00));
  EXPECT_TRUE(IsCommandDgn(0x1FEDB));
  EXPECT_FALSE(IsCommandDgn(0x1FEDA));
}

}  // namespace
}  // namespace vlt::dictionary
