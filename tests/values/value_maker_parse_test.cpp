#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "values/value_maker_shared.h"

namespace vlt::values {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kUntouched = 0xA5;

struct ParseCase {
  std::string_view maker;  // name in the shared set
  std::string_view text;
  std::optional<Bytes> raw;  // none: the text is refused
};

// Parses into a buffer one byte longer than the field, pre-set to a marker: a
// refusal must leave every byte as it was, an acceptance only the field's bytes.
void ExpectParse(const ValueMaker& maker, std::string_view text, const std::optional<Bytes>& raw) {
  Bytes buffer(maker.RawSize() + 1, kUntouched);
  const bool accepted = maker.Parse(text, buffer);
  EXPECT_EQ(accepted, raw.has_value());
  Bytes expected = raw.value_or(Bytes{});
  expected.resize(buffer.size(), kUntouched);
  EXPECT_EQ(buffer, expected);
}

void ExpectParses(const std::vector<ParseCase>& cases) {
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.maker << " [" << c.text << "]");
    const ValueMaker* maker = SharedValueMakers::Instance().Find(c.maker);
    ASSERT_NE(maker, nullptr);
    ExpectParse(*maker, c.text, c.raw);
  }
}

TEST(ValueMakerParse, ReservedTextsAreRefusedByEveryMakerButTheUnfilteredOnes) {
  for (const auto& [name, maker] : SharedValueMakers::Instance().All()) {
    if (name == "ValueMakerString36Char" || name == "ValueMakerDecByteUnfiltered") continue;
    for (std::string_view text : {"N/D", "Err", "Invalid"}) {
      SCOPED_TRACE(testing::Message() << name << " [" << text << "]");
      ExpectParse(*maker, text, std::nullopt);
    }
  }
  Bytes text = {'N', '/', 'D'};
  text.resize(37, 0);  // the field zero-filled and its terminating byte
  ExpectParses({{"ValueMakerString36Char", "N/D", text}});
}

TEST(ValueMakerParse, DecimalsFilterAndRangePerWidth) {
  const std::nullopt_t refused = std::nullopt;
  ExpectParses({
      {"ValueMakerDecByte 15", "13", Bytes{13}},
      {"ValueMakerDecByte 15", "14", refused},
      {"ValueMakerDecByte 255", "253", Bytes{253}},
      {"ValueMakerDecByte 255", "254", refused},
      {"ValueMakerDecByte 255", "  12 Vdc", Bytes{12}},
      {"ValueMakerDecByte 255", " 12.7 Vdc", Bytes{12}},
      {"ValueMakerDecByte 255", "-1", refused},
      {"ValueMakerDecByte 255", "abc", refused},
      {"ValueMakerDecByte 255", "", refused},
      {"ValueMakerDecByte 255", "99999999999999999999999999", refused},
      {"ValueMakerDecByteUnfiltered", "255", Bytes{255}},
      {"ValueMakerDecByteUnfiltered", " 7x", Bytes{7}},
      {"ValueMakerDecByteUnfiltered", "256", refused},
      {"ValueMakerDecByteUnfiltered", "x7", refused},
      {"ValueMakerDecByteUnfiltered", "N/D", Bytes{0}},  // reads as atoi does
      {"ValueMakerDecWord", "4660", Bytes{0x34, 0x12}},
      {"ValueMakerDecWord", "65533", Bytes{0xFD, 0xFF}},
      {"ValueMakerDecWord", "65534", refused},
      {"ValueMakerMfgId", "2045", Bytes{0xFD, 0x07}},
      {"ValueMakerMfgId", "2046", refused},
      {"ValueMakerDec3Byte", "16777213", Bytes{0xFD, 0xFF, 0xFF}},
      {"ValueMakerDec3Byte", "16777214", refused},
      {"ValueMakerDecUint", "4294967293", Bytes{0xFD, 0xFF, 0xFF, 0xFF}},
      {"ValueMakerDecUint", "4294967294", refused},
      {"ValueMakerDecUint", "-1", refused},
  });
}

TEST(ValueMakerParse, HexadecimalsReadAsTypedUpToTheErrorCode) {
  const std::nullopt_t refused = std::nullopt;
  ExpectParses({
      {"ValueMakerHexByte", "FD", Bytes{0xFD}},
      {"ValueMakerHexByte", "fe", refused},
      {"ValueMakerHexByte", " 1a", Bytes{0x1A}},
      {"ValueMakerHexByte", "0x1A", Bytes{0x1A}},
      {"ValueMakerHexByte", "G", refused},
      {"ValueMakerHexByte", "-1", refused},
      {"ValueMakerHexWord", "FFFD", Bytes{0xFD, 0xFF}},
      {"ValueMakerHexWord", "FFFE", refused},
      {"ValueMakerHex3Byte", "1FFFF", Bytes{0xFF, 0xFF, 0x01}},
      {"ValueMakerHex3Byte", "FFFFFE", refused},
      {"ValueMakerHexUint", "1FEE5", Bytes{0xE5, 0xFE, 0x01, 0x00}},
      {"ValueMakerHexUint", "FFFFFFFD", Bytes{0xFD, 0xFF, 0xFF, 0xFF}},
      {"ValueMakerHexUint", "FFFFFFFE", refused},
      {"ValueMakerHexUint", "FFFFFFFFFFFFFFFFFFFFFFFF", refused},
      {"ValueMakerRawHex2Byte", "12:34", refused},
      {"ValueMakerFullPacket", "0102030405060708", refused},
  });
}

TEST(ValueMakerParse, TextsAddressesAndCategories) {
  const std::nullopt_t refused = std::nullopt;
  ExpectParses({
      {"ValueMakerASCII_Id", "ABCD", Bytes{'A', 'B', 'C'}},
      {"ValueMakerASCII_Id", "A\x01\xFF", Bytes{'A', '~', '~'}},
      {"ValueMakerASCII_Id", "AB", refused},
      {"ValueMakerDSA", "INV", Bytes{66}},
      {"ValueMakerDSA", "67", Bytes{67}},
      {"ValueMakerDSA", "INV [066]", Bytes{66}},
      {"ValueMakerDSA", "CON", Bytes{68}},  // the lowest DSA of a shared name
      {"ValueMakerDSA", "40", Bytes{240}},  // found inside the name "240"
      {"ValueMakerDSA", "XYZ", refused},
      {"ValueMakerDSA", "", refused},
      {"ValueMakerDSA", "254", refused},
      {"ValueMakerAbbrevDSA", "BRD", Bytes{253}},
      {"ValueMakerAbbrevDSA", "IN", refused},
      {"ValueMakerAbbrevDSA", "255", refused},
      {"ValueMakerSecurityCategory1", "CLK GEN", Bytes{0x28}},
      {"ValueMakerSecurityCategory1", "", Bytes{0x00}},
      {"ValueMakerSecurityCategory3", "UI3 SYN", Bytes{0x41}},
  });
  const ValueMakerString6Char six;
  ExpectParse(six, "ABCDEFGH", Bytes{'A', 'B', 'C', 'D', 'E', 'F', 0});
  ExpectParse(six, "AB", Bytes{'A', 'B', 0, 0, 0, 0, 0});
  ExpectParse(six, std::string_view("A\0B", 3), Bytes{'A', 0, 0, 0, 0, 0, 0});
  const ValueMakerIPUint ip;
  ExpectParse(ip, "192.168.1.10", Bytes{192, 168, 1, 10});
  for (std::string_view bad : {"1.2.3", "1.2.3.4.5", "1.2.300.4", "1..2.3", "a.b.c.d", ""}) {
    SCOPED_TRACE(bad);
    ExpectParse(ip, bad, std::nullopt);
  }
}

TEST(ValueMakerParse, PercentagesTimesAndDates) {
  const std::nullopt_t refused = std::nullopt;
  ExpectParses({
      {"ValueMakerRVCPct", "50", Bytes{100}},
      {"ValueMakerRVCPct", "50 %", Bytes{100}},
      {"ValueMakerRVCPct", "126.5", Bytes{253}},
      {"ValueMakerRVCPct", "127", refused},
      {"ValueMakerRVCPct", "-1", refused},
      {"ValueMakerSecsPlusByte", "5 min", Bytes{241}},
      {"ValueMakerSecsPlusByte", "17 min", Bytes{253}},
      {"ValueMakerSecsPlusByte", "18 min", refused},
      {"ValueMakerSecsPlusByte", "4 min", refused},
      {"ValueMakerSecsPlusByte", "240", Bytes{240}},
      {"ValueMakerSecsPlusByte", "241", refused},
      {"ValueMakerSecsPlusByte", "min 5", Bytes{5}},
      {"ValueMakerTimeOfDay", "7:05", Bytes{7, 5}},
      {"ValueMakerTimeOfDay", "07:05 pm", Bytes{7, 5}},
      {"ValueMakerTimeOfDay", "23:59", Bytes{23, 59}},
      {"ValueMakerTimeOfDay", "123:4", refused},
      {"ValueMakerTimeOfDay", "24:00", refused},
      {"ValueMakerTimeOfDay", "7:5", refused},
      {"ValueMakerTimeOfDay", "12::5", refused},
      {"ValueMakerTimeYMD", "3/9/24", Bytes{24, 3, 9}},
      {"ValueMakerTimeYMD", " 3/ 9/24", Bytes{24, 3, 9}},
      {"ValueMakerTimeYMD", "12/31/24", Bytes{24, 12, 31}},
      {"ValueMakerTimeYMD", "13/1/24", refused},
      {"ValueMakerTimeYMD", "0/9/24", refused},
      {"ValueMakerTimeYMD", "3/9/2024", refused},
      {"ValueMakerTimeYMD", "1/1//24", refused},
  });
  const ValueMakerSignedTenthPctByte tenth;
  ExpectParse(tenth, "-10", Bytes{0});
  ExpectParse(tenth, "+5.5", Bytes{155});
  ExpectParse(tenth, "5.59", Bytes{155});  // tenths are cut, not rounded
  ExpectParse(tenth, "10", Bytes{200});
  for (std::string_view bad : {"10.5", "-10.1", "-20", "1e300", "five"}) {
    SCOPED_TRACE(bad);
    ExpectParse(tenth, bad, std::nullopt);
  }
}

TEST(ValueMakerParse, ScaledQuantitiesRoundToTheNearestStepAndNeverWrap) {
  const std::nullopt_t refused = std::nullopt;
  ExpectParses({
      {"ValueMakerFlexWord %0.2f Vdc", "12.6", Bytes{0xFC, 0x00}},
      {"ValueMakerFlexWord %0.2f Vdc", "12 Vdc", Bytes{0xF0, 0x00}},
      {"ValueMakerFlexWord %0.2f Vdc", "3276.65", Bytes{0xFD, 0xFF}},
      {"ValueMakerFlexWord %0.2f Vdc", "3276.7", refused},
      {"ValueMakerFlexWord %0.2f Vdc", "-1", refused},
      {"ValueMakerFlexWord %0.2f Vdc", "Vdc", refused},
      {"ValueMakerFlexWord %0.2f Vdc", "1e999", refused},
      {"ValueMakerFlexWord %0.2f Vdc", "nan", refused},
      {"ValueMakerFlexWord %0.2f Vdc", "inf", refused},
      {"ValueMakerFlexWord %0.1f Adc", "-1600", Bytes{0x00, 0x00}},
      {"ValueMakerFlexWord %0.1f Adc", "0", Bytes{0x00, 0x7D}},
      {"ValueMakerFlexWord %0.1f Adc", "-1601", refused},
      {"ValueMakerFlexByte %0.1f \xB0"
       "F",
       "-40", Bytes{0}},
      {"ValueMakerFlexByte %0.1f \xB0"
       "F",
       "415.4", Bytes{253}},
      {"ValueMakerFlexByte %0.1f \xB0"
       "F",
       "417", refused},
      {"ValueMakerFlexByte %0.1f \xB0"
       "F",
       "-41", refused},
      {"ValueMakerFlexByte %0.0f sec", "253", Bytes{253}},
      {"ValueMakerFlexByte %0.0f sec", "254", refused},
      {"ValueMakerFlexByte %0.0f sec", "300", refused},
      {"ValueMakerFlexUint %0.3f A", "0", Bytes{0x00, 0x94, 0x35, 0x77}},
      {"ValueMakerFlexUint %0.3f A", "-2000000", Bytes{0, 0, 0, 0}},
      {"ValueMakerFlexUint %0.3f A", "2294967.293", Bytes{0xFD, 0xFF, 0xFF, 0xFF}},
      {"ValueMakerFlexUint %0.3f A", "2294967.294", refused},
  });
  const ValueMakerFlexByte nibble("%0.0f", 1, 0, 4);
  ExpectParse(nibble, "13", Bytes{13});
  ExpectParse(nibble, "14", std::nullopt);
  ExpectParse(ValueMakerFlexByte("%0.0f", 0, 0), "0", std::nullopt);  // no step to count
}

TEST(ValueMakerParse, ChoiceListsNeedTheExactTextOfAChoosableKey) {
  const std::nullopt_t refused = std::nullopt;
  ExpectParses({
      {"ValueMakerTurnSignalStatus", "Hazard", Bytes{3}},
      {"ValueMakerTurnSignalStatus", "hazard", refused},
      {"ValueMakerTurnSignalStatus", "Hazard ", refused},
      {"ValueMakerFlexFlag No/Yes", "Yes", Bytes{1}},
      {"ValueMakerACPhase", "180\xF8 Phase", Bytes{2}},
      {"ValueMakerAGSCritType", "DC SoC", refused},
  });
  const ValueMakerSelection listed(
      4, {{0, "Off"}, {1, "On"}, {5, "Forced On"}, {7, "Twice"}, {9, "Twice"}, {14, "Shadowed"}});
  ExpectParse(listed, "On", Bytes{1});
  ExpectParse(listed, "on", std::nullopt);
  ExpectParse(listed, "Twice", Bytes{7});
  ExpectParse(listed, "Shadowed", std::nullopt);
  const ValueMakerAddressClaim models({{0x1234, "Model A"}, {0xFFFE, "Shadowed"}});
  ExpectParse(models, "Model A", Bytes{0x34, 0x12});
  ExpectParse(models, "Shadowed", std::nullopt);
}

TEST(ValueMakerParse, ShortDestinationIsRefusedUntouched) {
  for (const auto& [name, maker] : SharedValueMakers::Instance().All()) {
    if (maker->RawSize() == 0) continue;
    SCOPED_TRACE(name);
    Bytes shortBuffer(maker->RawSize() - 1, kUntouched);
    EXPECT_FALSE(maker->Parse("1", shortBuffer));
    EXPECT_EQ(shortBuffer, Bytes(maker->RawSize() - 1, kUntouched));
  }
}

// What a maker shows, typed back, must read as a value that shows the same.
TEST(ValueMakerParse, FormattedTextsReadBackToTheSameText) {
  const SharedValueMakers& shared = SharedValueMakers::Instance();
  const ValueMaker* mustReadBack[] = {shared.DecByte(255),
                                      &shared.decWord,
                                      &shared.dec3Byte,
                                      &shared.decUint,
                                      &shared.mfgId,
                                      &shared.hexByte,
                                      &shared.hexWord,
                                      &shared.hex3Byte,
                                      &shared.hexUint,
                                      &shared.rvcPct,
                                      &shared.secsPlusByte,
                                      &shared.timeOfDay,
                                      &shared.asciiId,
                                      &shared.securityCategory2,
                                      shared.Enumeration("ValueMakerLevelingOpModeCmd"),
                                      shared.FlexWord("%0.2f Vdc"),
                                      shared.FlexByte("%0.1f \xB0"
                                                      "C")};
  for (const ValueMaker* maker : mustReadBack) ASSERT_NE(maker, nullptr);
  for (const auto& [name, maker] : shared.All()) {
    SCOPED_TRACE(name);
    const bool mustRead = std::find(std::begin(mustReadBack), std::end(mustReadBack), maker) !=
                          std::end(mustReadBack);
    const std::size_t size = std::max<std::size_t>(maker->RawSize() + 1, 8);
    const std::uint32_t last = maker->RawSize() <= 1 ? 0xFF : 0xFFFF;
    for (std::uint32_t step = 0; step <= last; step += last == 0xFF ? 1 : 251) {
      Bytes raw(size, 0);
      raw[0] = static_cast<std::uint8_t>(step);
      raw[1] = static_cast<std::uint8_t>(step >> 8);
      raw[2] = static_cast<std::uint8_t>(step * 7);
      raw[3] = 0x12;
      const std::string text = maker->Format(raw);
      if (text == "N/D" || text == "Err" || text == "Invalid") continue;
      Bytes back(size, 0);
      const bool read = maker->Parse(text, back);
      if (mustRead) {
        EXPECT_TRUE(read) << text;
      }
      if (read) {
        EXPECT_EQ(maker->Format(back), text);
      }
    }
  }
  const ValueMakerSignedTenthPctByte tenth;
  for (int raw = 0; raw <= 200; ++raw) {
    const Bytes value = {static_cast<std::uint8_t>(raw)};
    Bytes back = {0};
    ASSERT_TRUE(tenth.Parse(tenth.Format(value), back)) << raw;
    EXPECT_EQ(back, value);
  }
}

}  // namespace
}  // namespace vlt::values
