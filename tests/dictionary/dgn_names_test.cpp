#include "dictionary/dgn_names.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace vlt::dictionary {
namespace {

TEST(DgnNames, LookupsAtTheEdgesOfTheTables) {
  struct Case {
    std::uint32_t dgn;
    const char* name;
  };
  const Case cases[] = {
      {0x1FFFF, "DATE_TIME_STS"},                // first exact entry
      {0x0EE00, "ADDRESS_CLAIMED"},              // last exact entry, beats the destination table
      {0x0EEFF, "ADDR_CLAIMED_(invalid) [00]"},  // the tools' name of a claim to 00h
      {0x0EEFE, "ADDR_CLAIMED_(invalid) [FE]"},
      {0x0EE05, "ADDR_CLAIMED_(invalid) [05]"},
      {0x0EF00, "PROPRIETARY [00]"},                 // first destination entry, low byte zero
      {0x16207, "DC_COMPNT_DRVR_STNGS_CMD_2 [07]"},  // last destination entry
      {0x17E42, "RVC_TERMINAL [42]"},
      {0x0EA05, "REQUEST [05]"},
      {0x0E8F9, "ACK_NAK [F9]"},
      {0x12345, "UNIDENTIFIED DGN"},
      {0x1FED7, "GENERIC_INDICATOR_STS"},  // listed out of order
      {0x1FED9, "GENERIC_INDICATOR_CMD"},
      {0x1FED8, "GENERIC_CONFIG_STS"},
      {0x1FD96, "GENERIC_VERSION_REQ"},
      {0x1FD97, "GENERIC_VERSION_STS"},
      {0x1FDAA, "UNIDENTIFIED DGN"},  // gap below AIR_COND_COMPNT_STS_2
      {0x1FF80, "GENERATOR_DEMAND_STS"},
      {0x1FF7F, "UNIDENTIFIED DGN"},  // gap above GENERATOR_DEMAND_CMD
      {0x1FEFF, "GENERATOR_DEMAND_CMD"},
      {0x1FEE7, "GEN_DEMAND_CONFIG_CMD_depr"},
      {0x0FEEB, "PRODUCT_ID"},
      {0x0FEEC, "UNIDENTIFIED DGN"},  // PDU2: no destination byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DgnName(c.dgn), c.name) << std::hex << c.dgn;
  }
}

TEST(DgnNames, TablesHaveTheirSizeAndUniqueKeys) {
  EXPECT_EQ(ExactDgnNames().size(), 346u);
  EXPECT_EQ(DestinationDgnNames().size(), 22u);
  std::set<std::uint32_t> keys;
  for (const DgnNameEntry& e : ExactDgnNames()) {
    EXPECT_TRUE(keys.insert(e.dgn).second) << std::hex << e.dgn;
  }
  EXPECT_EQ(ExactDgnNames().front().dgn, 0x1FFFFu);
  EXPECT_EQ(ExactDgnNames().back().dgn, 0x0EE00u);
}

// Every row must be reachable through the lookup, whatever its place in the list.
TEST(DgnNames, EveryRowIsFoundByItsKey) {
  for (const DgnNameEntry& e : ExactDgnNames()) {
    EXPECT_EQ(DgnName(e.dgn), e.name) << std::hex << e.dgn;
  }
  for (const DgnNameEntry& e : DestinationDgnNames()) {
    if (e.dgn == 0x0EE00) continue;  // the exact table owns it
    EXPECT_EQ(DgnName(e.dgn | 0x5A), std::string(e.name) + " [5A]") << std::hex << e.dgn;
  }
}

TEST(DgnNames, ReservedNamesCarryTheirOwnDgn) {
  for (const DgnNameEntry& e : ExactDgnNames()) {
    if (!e.name.starts_with("RESERVED_")) continue;
    char expected[32];
    std::snprintf(expected, sizeof(expected), "RESERVED_%05X", static_cast<unsigned>(e.dgn));
    EXPECT_EQ(e.name, expected);
  }
}

}  // namespace
}  // namespace vlt::dictionary
