#include "dictionary/frame_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace vlt::dictionary {
namespace {

using framework::FrameRecord;

FrameRecord Frame(std::uint32_t timeStamp, std::uint32_t dgn, std::uint8_t sourceAddress,
                  std::uint8_t priority, std::uint8_t reservedBit, std::size_t length) {
  FrameRecord r;
  std::memset(&r, 0, sizeof(r));
  r.timeStamp = timeStamp;
  r.dgn = dgn;
  r.sourceAddress = sourceAddress;
  r.priority = priority;
  r.reservedBit = reservedBit;
  r.length = static_cast<std::uint16_t>(length);
  for (std::size_t i = 0; i < framework::kMaxFrameDataBytes; ++i) {
    r.data[i] = static_cast<std::uint8_t>(i + 1);
  }
  return r;
}

TEST(FrameText, FramesByteExact) {
  struct Case {
    const char* what;
    FrameRecord record;
    bool withIdentifier;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"identifier with DGN bit 16", Frame(1234, 0x1FEEB, 0x80, 6, 0, 3), true,
       "      1.234  19FEEB80  TIRE_TEMPERATURE_CONFIG_CMD         1FEEB:80  01 02 03"},
      {"the claim to all, as the bus carried it", Frame(0, 0x0EE00, 0x42, 6, 0, 8), true,
       "      0.000  18EEFF42  ADDRESS_CLAIMED                     0EE00:42 "
       " 01 02 03 04 05 06 07 08"},
      {"a claim to node 00h", Frame(0, 0x0EEFF, 0x42, 6, 0, 1), true,
       "      0.000  18EE0042  ADDR_CLAIMED_(invalid) [00]         0EEFF:42  01"},
      {"priority 7 and reserved bit", Frame(1, 0x1FFFF, 0xFE, 7, 1, 1), true,
       "      0.001  1FFFFFFE  DATE_TIME_STS                       1FFFF:FE  01"},
      {"destination name padded", Frame(999, 0x16207, 0x01, 3, 0, 0), true,
       "      0.999  D620701  DC_COMPNT_DRVR_STNGS_CMD_2 [07]     16207:01 "},
      {"no identifier", Frame(4294967295u, 0x1FEEB, 0x80, 6, 0, 2), false,
       "4294967.295  1FEEB:80  01 02"},
      {"exactly 26 bytes", Frame(0, 0x12345, 0x00, 6, 0, 26), false,
       "      0.000  12345:00  01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15 16"
       " 17 18 19 1A"},
      {"30 bytes", Frame(0, 0x12345, 0x00, 6, 0, 30), false,
       "      0.000  12345:00  01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15 16"
       " 17 18 19 1A..."},
      {"corrupt length", Frame(0, 0x12345, 0x00, 6, 0, 0xFFFF), false,
       "      0.000  12345:00  01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15 16"
       " 17 18 19 1A..."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DescribeFrame(c.record, c.withIdentifier), c.expected) << c.what;
  }
}

TEST(FrameText, LongNameIsNotCut) {
  const std::string name(40, 'N');
  EXPECT_EQ(DescribeFrame(Frame(0, 0x1FEEB, 0x80, 6, 0, 0), true, name),
            "      0.000  19FEEB80  " + name + "1FEEB:80 ");
  EXPECT_EQ(DescribeFrame(Frame(0, 0x1FEEB, 0x80, 6, 0, 0), true, std::string(36, 'N')),
            "      0.000  19FEEB80  " + std::string(36, 'N') + "1FEEB:80 ");
}

TEST(FrameText, TextLines) {
  FrameRecord line = FrameRecord::FromText("Power Up DUT \xB0", 5000);
  EXPECT_EQ(DescribeFrame(line, true), "      5.000  Power Up DUT \xB0");

  // A corrupt length stops at the end of the data array, not in the fields after it.
  FrameRecord corrupt = Frame(0, 0, 0, 'P', 'R', 0xFFFF);
  corrupt.textFlag = 1;
  std::memset(corrupt.data, 'x', sizeof(corrupt.data));
  EXPECT_EQ(DescribeFrame(corrupt, false),
            "      0.000  " + std::string(framework::kMaxFrameDataBytes, 'x'));
}

}  // namespace
}  // namespace vlt::dictionary
