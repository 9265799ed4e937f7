#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "values/value_maker_shared.h"

namespace vlt::values {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct FormatCase {
  std::string_view maker;  // name in the shared set
  Bytes raw;
  std::string_view text;
};

const ValueMaker& Shared(std::string_view name) {
  const ValueMaker* maker = SharedValueMakers::Instance().Find(name);
  EXPECT_NE(maker, nullptr) << name;
  static const ValueMaker missing;
  return maker ? *maker : missing;
}

void ExpectFormats(const std::vector<FormatCase>& cases) {
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.maker << " " << testing::PrintToString(c.raw));
    EXPECT_EQ(Shared(c.maker).Format(c.raw), c.text);
  }
}

TEST(ValueMakerFormat, NotAvailableAndErrorCodesPerWidth) {
  ExpectFormats({
      {"ValueMakerDecByte 7", {7}, "N/D"},
      {"ValueMakerDecByte 7", {6}, "Err"},
      {"ValueMakerDecByte 7", {5}, "5"},
      {"ValueMakerDecByte 15", {15}, "N/D"},
      {"ValueMakerDecByte 15", {14}, "Err"},
      {"ValueMakerDecByte 15", {13}, "13"},
      {"ValueMakerDecByte 255", {255}, "N/D"},
      {"ValueMakerDecByte 255", {254}, "Err"},
      {"ValueMakerDecByte 255", {253}, "253"},
      {"ValueMakerDecByteUnfiltered", {255}, "255"},
      {"ValueMakerDecByteUnfiltered", {254}, "254"},
      {"ValueMakerDecWord", {0xFF, 0xFF}, "N/D"},
      {"ValueMakerDecWord", {0xFE, 0xFF}, "Err"},
      {"ValueMakerDecWord", {0xFF, 0xFE}, "65279"},
      {"ValueMakerDecWord", {0x34, 0x12}, "4660"},
      {"ValueMakerDec3Byte", {0xFF, 0xFF, 0xFF}, "N/D"},
      {"ValueMakerDec3Byte", {0xFE, 0xFF, 0xFF}, "Err"},
      {"ValueMakerDec3Byte", {0xFD, 0xFF, 0xFF}, "16777213"},
      {"ValueMakerDecUint", {0xFF, 0xFF, 0xFF, 0xFF}, "N/D"},
      {"ValueMakerDecUint", {0xFE, 0xFF, 0xFF, 0xFF}, "Err"},
      {"ValueMakerDecUint", {0xFD, 0xFF, 0xFF, 0xFF}, "4294967293"},
      {"ValueMakerDecUint", {0x00, 0x00, 0x00, 0x80}, "2147483648"},
      {"ValueMakerMfgId", {0xFF, 0x07}, "N/D"},
      {"ValueMakerMfgId", {0xFE, 0x07}, "Err"},
      {"ValueMakerMfgId", {0x00, 0x08}, "Err"},
      {"ValueMakerMfgId", {0xFF, 0xFF}, "Err"},
      {"ValueMakerMfgId", {0xFD, 0x07}, "2045"},
      {"ValueMakerHexByte", {0x0A}, "0A"},
      {"ValueMakerHexByte", {0xFE}, "Err"},
      {"ValueMakerHexByte", {0xFF}, "N/D"},
      {"ValueMakerHexWord", {0x0A, 0x00}, "000A"},
      {"ValueMakerHexWord", {0xFE, 0xFF}, "Err"},
      {"ValueMakerHex3Byte", {0xFF, 0xFF, 0x01}, "1FFFF"},
      {"ValueMakerHex3Byte", {0x0A, 0x00, 0x00}, "A"},
      {"ValueMakerHex3Byte", {0xFE, 0xFF, 0xFF}, "Err"},
      {"ValueMakerHexUint", {0x0A, 0x00, 0x00, 0x00}, "0000000A"},
      {"ValueMakerHexUint", {0xFF, 0xFF, 0xFF, 0xFF}, "N/D"},
      {"ValueMakerRawHex2Byte", {0x12, 0x34}, "12:34"},
      {"ValueMakerRawHex2Byte", {0xFF, 0xFF}, "FF:FF"},
      {"ValueMakerHex5Byte", {1, 2, 3, 4, 0xAB}, "01020304AB"},
      {"ValueMakerFullPacket", {1, 2, 3, 4, 5, 6, 7, 0xFF}, "01020304050607FF"},
  });
}

// Bytes a short span lacks read as FFh, the pattern a field starts with.
TEST(ValueMakerFormat, ShortSpansNeverReadPastTheirEnd) {
  ExpectFormats({
      {"ValueMakerHexUint", {}, "N/D"},
      {"ValueMakerDecWord", {0x05}, "65285"},
      {"ValueMakerFullPacket", {1, 2, 3}, "010203FFFFFFFFFF"},
      {"ValueMakerTimeOfDay", {7}, "Err"},
      {"ValueMakerString36Char", {'A', 'B'}, "AB"},
      {"ValueMakerFlexFlag No/Yes", {}, "N/D"},
  });
}

TEST(ValueMakerFormat, TextsAddressesAndCategories) {
  ExpectFormats({
      {"ValueMakerString36Char", {'A', 'B', 'C', 0, 'X'}, "ABC"},
      {"ValueMakerASCII_Id", {'A', 'B', 'C'}, "ABC"},
      {"ValueMakerASCII_Id", {'A', 0x1F, 0x80}, "A~~"},
      {"ValueMakerASCII_Id", {0xFF, 0xFF, 0xFF}, "N/D"},
      {"ValueMakerASCII_Id", {0xFE, 0xFF, 0xFF}, "Err"},
      {"ValueMakerDSA", {66}, "INV [066]"},
      {"ValueMakerDSA", {5}, "  5 [005]"},
      {"ValueMakerDSA", {103}, "AC  [103]"},
      {"ValueMakerDSA", {200}, "200 [200]"},
      {"ValueMakerDSA", {255}, "255 [255]"},
      {"ValueMakerAbbrevDSA", {64}, "GEN"},
      {"ValueMakerAbbrevDSA", {150}, "VST"},
      {"ValueMakerAbbrevDSA", {253}, "BRD"},
      {"ValueMakerSecurityCategory1", {0x41}, "APP L&A"},
      {"ValueMakerSecurityCategory1", {0x00}, ""},
      {"ValueMakerSecurityCategory1", {0x81}, "N/D"},
      {"ValueMakerSecurityCategory4", {0x7F}, "UI4 UI5 UI6 UI7 UI8 UI9 UI0"},
  });
  const ValueMakerMAC mac;
  EXPECT_EQ(mac.Format(Bytes{0, 1, 2, 0xAB, 0xCD, 0xEF}), "00:01:02:AB:CD:EF");
  EXPECT_EQ(mac.Format(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "N/D");
  EXPECT_EQ(mac.Format(Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "Err");
  const ValueMakerIPUint ip;
  EXPECT_EQ(ip.Format(Bytes{192, 168, 1, 10}), "192.168.001.010");
  EXPECT_EQ(ip.Format(Bytes{0xFF, 0xFF, 0xFF, 0xFF}), "N/D");
  const ValueMakerString6Char six;
  EXPECT_EQ(six.Format(Bytes{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}), "ABCDEF");
}

TEST(ValueMakerFormat, PercentagesTimesAndDates) {
  ExpectFormats({
      {"ValueMakerRVCPct", {200}, "100.0 %"},
      {"ValueMakerRVCPct", {1}, "  0.5 %"},
      {"ValueMakerRVCPct", {254}, "Err"},
      {"ValueMakerRVCPct", {255}, "N/D"},
      {"ValueMakerSecsPlusByte", {0}, "  0 sec"},
      {"ValueMakerSecsPlusByte", {240}, "240 sec"},
      {"ValueMakerSecsPlusByte", {241}, "  5 min"},
      {"ValueMakerSecsPlusByte", {253}, " 17 min"},
      {"ValueMakerSecsPlusByte", {254}, "Err"},
      {"ValueMakerSecsPlusByte", {255}, "N/D"},
      {"ValueMakerTimeOfDay", {7, 5}, " 7:05"},
      {"ValueMakerTimeOfDay", {24, 0}, "Err"},
      {"ValueMakerTimeOfDay", {23, 60}, "Err"},
      {"ValueMakerTimeOfDay", {0xFF, 0x00}, "Err"},
      {"ValueMakerTimeOfDay", {0xFF, 0xFF}, "N/D"},
      {"ValueMakerTankLevel", {3, 16}, "  3/ 16"},
      {"ValueMakerTankLevel", {0xFF, 0xFF}, "N/D"},
      {"ValueMakerTankLevel", {5, 0xFF}, "Err"},
      {"ValueMakerTankLevel", {254, 16}, "Err"},
      {"ValueMakerTimeYMD", {24, 3, 9}, " 3/ 9/24"},
      {"ValueMakerTimeYMD", {0xFF, 0xFF, 0xFF}, "N/D"},
      {"ValueMakerTimeYMD", {0xFE, 0xFF, 0xFF}, "Err"},
      {"ValueMakerTimeHMS", {1, 2, 3}, " 1:02:03"},
      {"ValueMakerTimeHMS", {0xFF, 0xFF, 0xFF}, "N/D"},
      {"ValueMakerGenRunTime", {125, 0, 0, 0}, "2:05"},
      {"ValueMakerGenRunTime", {0xFE, 0xFF, 0xFF, 0xFF}, "Err"},
      {"ValueMakerDiagFullCode", {0x00, 0x12, 0x34}, "[---]  145:20"},
      {"ValueMakerDiagFullCode", {0x05, 0x12, 0x34}, "[ 18]   41:20"},
      {"ValueMakerDiagFullCode", {0xFF, 0xFF, 0xFF}, "No Code"},
  });
  const ValueMakerSignedTenthPctByte tenth;
  EXPECT_EQ(tenth.Format(Bytes{155}), "+5.5%");
  EXPECT_EQ(tenth.Format(Bytes{100}), "+0.0%");
  EXPECT_EQ(tenth.Format(Bytes{0}), "-10.0%");
  EXPECT_EQ(tenth.Format(Bytes{255}), "N/D");
}

TEST(ValueMakerFormat, ScaledQuantitiesAtTheirLimits) {
  ExpectFormats({
      {"ValueMakerFlexWord %0.2f Vdc", {0x00, 0x00}, "0.00 Vdc"},
      {"ValueMakerFlexWord %0.2f Vdc", {0xFD, 0xFF}, "3276.65 Vdc"},
      {"ValueMakerFlexWord %0.2f Vdc", {0xFE, 0xFF}, "Err"},
      {"ValueMakerFlexWord %0.2f Vdc", {0xFF, 0xFF}, "N/D"},
      {"ValueMakerFlexWord %0.1f Adc", {0x00, 0x00}, "-1600.0 Adc"},
      {"ValueMakerFlexWord %0.1f Adc", {0x00, 0x7D}, "0.0 Adc"},
      // 2000000000 steps of 1 mA is zero amperes exactly.
      {"ValueMakerFlexUint %0.3f A", {0x00, 0x94, 0x35, 0x77}, "0.000 A"},
      {"ValueMakerFlexUint %0.3f A", {0xFD, 0xFF, 0xFF, 0xFF}, "2294967.293 A"},
      {"ValueMakerFlexUint %0.3f A", {0xFE, 0xFF, 0xFF, 0xFF}, "Err"},
      {"ValueMakerFlexByte %0.1f \xB0"
       "F",
       {0},
       "-40.0 \xB0"
       "F"},
      {"ValueMakerFlexByte %0.1f \xB0"
       "F",
       {253},
       "415.4 \xB0"
       "F"},
      {"ValueMakerFlexByte %0.1f \xB0"
       "F",
       {254},
       "Err"},
      {"ValueMakerFlexWord %0.1f \xB0"
       "F",
       {0x00, 0x00},
       "-459.4 \xB0"
       "F"},
      {"ValueMakerFlexByte %3.0f PSI", {5}, "  5 PSI"},
      {"ValueMakerFlexWord %3.0f\xB0", {0x00, 0xB4}, "360\xB0"},
      {"ValueMakerFlexWord %6.1f mBar", {0x0A, 0x00}, "   1.0 mBar"},
  });
  const ValueMakerFlexByte nibble("%0.0f", 1, 0, 4);
  EXPECT_EQ(nibble.Format(Bytes{15}), "N/D");
  EXPECT_EQ(nibble.Format(Bytes{14}), "Err");
  EXPECT_EQ(nibble.Format(Bytes{13}), "13");
}

// A format that asks for other arguments than one double must not read them.
TEST(ValueMakerFormat, ScaledFormatKeepsOneFloatingConversion) {
  const struct {
    std::string_view format;
    std::string_view text;
  } cases[] = {
      {"%d %s %n %0.1f %%", "%d %s %n 5.0 %"},
      {"%0.1Lf A", "5.0 A"},
      {"%0.1f then %f", "5.0 then %f"},
      {"no number", "no number"},
      {"%", "%"},
      {"%999f", "%999f"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(ValueMakerFlexByte(std::string(c.format), 1, 0).Format(Bytes{5}), c.text);
  }
}

TEST(ValueMakerFormat, ChoiceListsShowReservedCodesBeforeTheList) {
  ExpectFormats({
      {"ValueMakerTurnSignalStatus", {3}, "Hazard"},
      {"ValueMakerTurnSignalStatus", {15}, "N/D"},
      {"ValueMakerTurnSignalStatus", {14}, "Err"},
      {"ValueMakerTurnSignalStatus", {7}, "Invalid"},
      {"ValueMakerTurnSignalStatus", {0x13}, "Invalid"},
      {"ValueMakerDayOfWeek", {0}, "Invalid"},
      {"ValueMakerDayOfWeek", {1}, "Sunday"},
      {"ValueMakerACPhase", {2}, "180\xF8 Phase"},
      {"ValueMakerFlexFlag No/Yes", {0}, "No"},
      {"ValueMakerFlexFlag No/Yes", {1}, "Yes"},
      {"ValueMakerFlexFlag No/Yes", {2}, "Err"},
      {"ValueMakerFlexFlag No/Yes", {3}, "N/D"},
      {"ValueMakerAGSCritType", {3}, "Ambient Temp"},
      {"ValueMakerAGSCritType", {130}, "Prop Type 130"},
      {"ValueMakerAGSCritType", {20}, "Unknwn Type 20"},
      {"ValueMakerAGSCritType", {254}, "Err"},
      {"ValueMakerAGSCritType", {255}, "N/D"},
  });
  const ValueMakerSelection listed(4, {{0, "Off"}, {1, "On"}, {5, "Forced On"}, {14, "Shadowed"}});
  EXPECT_EQ(listed.Format(Bytes{14}), "Err");
  const ValueMakerAddressClaim models({{0x1234, "Model A"}, {0xFFFE, "Shadowed"}});
  EXPECT_EQ(models.Format(Bytes{0x34, 0x12}), "Model A");
  EXPECT_EQ(models.Format(Bytes{0xFE, 0xFF}), "Err");
  EXPECT_EQ(models.Format(Bytes{0xFF, 0xFF}), "N/D");
  EXPECT_EQ(models.Format(Bytes{0x00, 0x00}), "Invalid");
}

TEST(ValueMakerDescribe, LinesPerClass) {
  const struct {
    std::string_view maker;
    std::string_view lines;
  } cases[] = {
      {"ValueMaker", "VMType|None\n"},
      {"ValueMakerDecByte 15", "VMType|VMDecimal\nVMSize|1\n"},
      {"ValueMakerDecByteUnfiltered", "VMType|VMDecimal\nVMSize|1\n"},
      {"ValueMakerMfgId", "VMType|VMDecimal\nVMSize|2\n"},
      {"ValueMakerASCII_Id", "VMType|VMDecimal\nVMSize|3\n"},
      {"ValueMakerDecUint", "VMType|VMDecimal\nVMSize|4\n"},
      {"ValueMakerHexWord", "VMType|VMHex\nVMSize|2\nVMHexFormat|Literal\n"},
      {"ValueMakerRawHex2Byte", "VMType|VMHex\nVMSize|2\nVMHexFormat|RawSpaced\n"},
      {"ValueMakerHex5Byte", "VMType|VMHex\nVMSize|5\nVMHexFormat|RawPacked\n"},
      {"ValueMakerFullPacket", "VMType|None\n"},
      {"ValueMakerDSA", "VMType|None\n"},
      {"ValueMakerSecsPlusByte", "VMType|None\n"},
      {"ValueMakerString36Char", "VMType|VMString\n"},
      {"ValueMakerTimeOfDay", "VMType|TimeOfDay\n"},
      {"ValueMakerTimeYMD", "VMType|None\n"},
      {"ValueMakerRVCPct", "VMType|VMFlex\nVMFScale|0.5\nVMFOffset|0.0\nVMSize|1\n"},
      {"ValueMakerFlexByte %0.1f \xB0"
       "F",
       "VMType|VMFlex\nVMFScale|1.80000\nVMFOffset|-40\nVMSize|1\n"},
      {"ValueMakerFlexWord %0.1f \xB0"
       "F",
       "VMType|VMFlex\nVMFScale|0.05625\nVMFOffset|-459.40\nVMSize|2\n"},
      {"ValueMakerFlexUint %0.3f A",
       "VMType|VMFlex\nVMFScale|0.00100\nVMFOffset|-2000000\nVMSize|4\n"},
      {"ValueMakerFlexFlag No/Yes", "VMType|VMSelection\nVMCount|2\nSel|0=No\nSel|1=Yes\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.maker);
    std::ostringstream out;
    Shared(c.maker).Describe(out);
    EXPECT_EQ(out.str(), c.lines);
  }
  std::ostringstream words;
  ValueMakerAddressClaim({{1, "Model A"}}).Describe(words);
  EXPECT_EQ(words.str(), "VMType|VMSelection\nVMCount|0\n");
}

TEST(ValueMakerTraits, ChoiceListsWidthsAndTwoBitStatus) {
  const ValueMakerFlexByte nibble("%0.0f", 1, 0, 4);
  const ValueMakerAddressClaim models;
  const struct {
    const ValueMaker& maker;
    unsigned bits;
    bool choiceList;
    bool twoBit;
  } cases[] = {
      {Shared("ValueMakerFlexFlag Off/On"), 2, true, true},
      {Shared("ValueMakerTurnSignalStatus"), 4, true, false},
      {Shared("ValueMakerSubnetID"), 3, true, false},
      {Shared("ValueMakerGenStatus"), 8, true, false},
      {Shared("ValueMakerDecWord"), 0, false, false},
      {Shared("ValueMakerDecByte 15"), 0, false, false},
      {Shared("ValueMakerFlexWord %0.2f Vdc"), 16, false, false},
      {Shared("ValueMakerFlexUint %0.0f AHr"), 32, false, false},
      {Shared("ValueMakerFlexByte %0.0f sec"), 8, false, false},
      {nibble, 4, false, false},
      {models, 16, true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.maker.RequiredBits(), c.bits);
    EXPECT_EQ(c.maker.IsChoiceList(), c.choiceList);
    EXPECT_EQ(c.maker.IsTwoBitStatus(), c.twoBit);
  }
  EXPECT_EQ(Shared("ValueMaker").NullText(), "null");
}

}  // namespace
}  // namespace vlt::values
