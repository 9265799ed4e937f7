#include <gtest/gtest.h>

#include <set>
#include <string>

#include "values/enumeration.h"
#include "values/value_maker_shared.h"

namespace vlt::values {
namespace {

// A listed key that equals the field's error or not-available code would never
// be shown or parsed, and a repeated text would make parsing pick the wrong key.
TEST(EnumerationTables, EveryListIsChoosableAndUnambiguous) {
  std::set<std::string_view> names;
  for (const EnumerationTable& table : EnumerationTables()) {
    SCOPED_TRACE(table.name);
    EXPECT_TRUE(names.insert(table.name).second) << "name used twice";
    EXPECT_EQ(table.name.substr(0, 10), "ValueMaker");
    ASSERT_GE(table.bits, 2u);
    ASSERT_LE(table.bits, 8u);
    const unsigned errorCode = (1u << table.bits) - 2;
    ASSERT_FALSE(table.choices.empty());
    std::set<std::string_view> texts;
    int previous = -1;
    for (const EnumerationChoice& choice : table.choices) {
      EXPECT_GT(choice.key, previous) << "keys ascend";
      EXPECT_LT(choice.key, errorCode) << choice.text;
      EXPECT_FALSE(choice.text.empty());
      EXPECT_NE(choice.text, "N/D");
      EXPECT_NE(choice.text, "Err");
      EXPECT_NE(choice.text, "Invalid");
      EXPECT_TRUE(texts.insert(choice.text).second) << choice.text;
      previous = choice.key;
    }
  }
  EXPECT_EQ(names.size(), 93u);
}

TEST(EnumerationTables, ServedByNameWithTheirBitCountAndList) {
  const struct {
    std::string_view name;
    unsigned bits;
    std::size_t count;
    std::uint8_t lastKey;
    std::string_view lastText;
  } cases[] = {
      {"ValueMakerTurnSignalStatus", 4, 4, 3, "Hazard"},
      {"ValueMakerLevelingOpModeCmd", 8, 33, 99, "Ack/Clear Err"},
      {"ValueMakerWirelessConnectionType", 6, 9, 61, "Unspec.Wired"},
      {"ValueMakerSubnetID", 3, 6, 5, "Subnet 5"},
      {"ValueMakerMotorCommand", 8, 8, 133, "Toggle Forward"},
      {"ValueMakerChargeAlgorithm", 8, 7, 250, "Custom #1"},
      {"ValueMakerBatteryType", 4, 6, 13, "Vendor [13]"},
      {"ValueMakerForceCharge", 4, 3, 2, "Force to Float"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const EnumerationTable* table = FindEnumerationTable(c.name);
    ASSERT_NE(table, nullptr);
    const ValueMakerEnumeration maker(*table);
    EXPECT_EQ(maker.Name(), c.name);
    EXPECT_EQ(maker.RequiredBits(), c.bits);
    ChoiceMap choices = {{200, "stale"}};
    EXPECT_TRUE(maker.GetChoices(choices));
    ASSERT_EQ(choices.size(), c.count);
    EXPECT_EQ(choices.rbegin()->first, c.lastKey);
    EXPECT_EQ(choices.rbegin()->second, c.lastText);
  }
  EXPECT_EQ(FindEnumerationTable("ValueMakerNoSuchList"), nullptr);
}

TEST(SharedValueMakers, BuiltOnceWithEveryMakerReachableByName) {
  const SharedValueMakers& shared = SharedValueMakers::Instance();
  EXPECT_EQ(&shared, &SharedValueMakers::Instance());

  std::set<std::string> names;
  std::set<const ValueMaker*> makers;
  for (const auto& [name, maker] : shared.All()) {
    EXPECT_TRUE(names.insert(name).second) << name;
    EXPECT_TRUE(makers.insert(maker).second) << name;
    EXPECT_EQ(shared.Find(name), maker) << name;
  }
  // 30 fixed makers, 5 decimal bytes, 93 enumerations, 53 flags, 37 scaled.
  EXPECT_EQ(shared.All().size(), 30u + 5 + 93 + 53 + 37);

  for (const EnumerationTable& table : EnumerationTables()) {
    const ValueMakerSelection* maker = shared.Enumeration(table.name);
    ASSERT_NE(maker, nullptr) << table.name;
    EXPECT_EQ(maker->Choices().size(), table.choices.size()) << table.name;
  }
  EXPECT_EQ(shared.Enumeration("ValueMakerAGSCritType"), &shared.agsCritType);
  EXPECT_EQ(shared.Find("ValueMakerDecByte"), shared.DecByte(255));
  EXPECT_EQ(shared.DecByte(16), nullptr);
  EXPECT_EQ(shared.Find("ValueMakerNoSuchMaker"), nullptr);
}

TEST(SharedValueMakers, FlagsAndScaledMakersByTheirTexts) {
  const SharedValueMakers& shared = SharedValueMakers::Instance();
  const ValueMakerFlexFlag* noYes = shared.Flag("No", "Yes");
  ASSERT_NE(noYes, nullptr);
  EXPECT_EQ(noYes->Format(std::vector<std::uint8_t>{1}), "Yes");
  EXPECT_NE(shared.Flag("Enabled", "Disabled"), shared.Flag("Disabled", "Enabled"));
  EXPECT_EQ(shared.Flag("Standby", "Active"), nullptr);

  const ValueMakerFlexByte* byteF = shared.FlexByte(
      "%0.1f \xB0"
      "F");
  const ValueMakerFlexWord* wordF = shared.FlexWord(
      "%0.1f \xB0"
      "F");
  ASSERT_NE(byteF, nullptr);
  ASSERT_NE(wordF, nullptr);
  EXPECT_DOUBLE_EQ(byteF->Scale(), 1.8);
  EXPECT_DOUBLE_EQ(wordF->Offset(), -459.4);
  EXPECT_NE(shared.FlexUint("%0.0f AHr"), nullptr);
  EXPECT_EQ(shared.FlexUint("%0.2f Vdc"), nullptr);

  ChoiceMap choices;
  EXPECT_TRUE(shared.flexSelection.GetChoices(choices));
  EXPECT_TRUE(choices.empty());
}

TEST(ValueMakerFlexSelection, GrowsOneChoiceAtATime) {
  ValueMakerFlexSelection list;
  list.AddChoice("First", 4);
  list.AddChoice("Second", 4);
  list.AddChoice("Other", 9);
  ChoiceMap choices;
  ASSERT_TRUE(list.GetChoices(choices));
  EXPECT_EQ(choices, (ChoiceMap{{4, "Second"}, {9, "Other"}}));
}

TEST(ValueMaker, PlainMakerShowsNothingAndOffersNoChoices) {
  const ValueMaker& plain = SharedValueMakers::Instance().plain;
  std::uint8_t raw[1] = {7};
  EXPECT_EQ(plain.Format(raw), "");
  EXPECT_FALSE(plain.Parse("7", raw));
  ChoiceMap choices = {{1, "kept"}};
  EXPECT_FALSE(plain.GetChoices(choices));
  EXPECT_EQ(choices.size(), 1u);
  EXPECT_FALSE(SharedValueMakers::Instance().hexByte.GetChoices(choices));

  WordChoiceMap words;
  EXPECT_TRUE(ValueMakerAddressClaim({{0x1234, "Model A"}}).GetWordChoices(words));
  EXPECT_EQ(words, (WordChoiceMap{{0x1234, "Model A"}}));
}

TEST(ValueMakerDSARange, NamesTheNineCategoriesByIndex) {
  const ValueMakerDSARange ranges;
  std::uint8_t raw[1] = {0xA5};
  ASSERT_TRUE(ranges.Parse("Multifunction", raw));
  EXPECT_EQ(raw[0], 0);
  ASSERT_TRUE(ranges.Parse("Chassis", raw));
  EXPECT_EQ(raw[0], 8);
  raw[0] = 9;
  EXPECT_EQ(ranges.Format(raw), "Invalid");
}

}  // namespace
}  // namespace vlt::values
