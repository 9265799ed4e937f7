// How the dictionary is built and changed, its data items, its value list and
// its place among the application's parsers.
#include <gtest/gtest.h>

#include "data/data_test_support.h"
#include "dictionary/dictionary.h"

namespace vlt::dictionary {
namespace {

using data::testing::Bytes;
using data::testing::Frame;

const values::SharedValueMakers& Makers() {
  return values::SharedValueMakers::Instance();
}

const framework::DgnTable kGlobal = framework::DgnTable::For(0xFF);

std::unique_ptr<DictByte> ByteEntry(std::string name, std::uint32_t dgn, std::uint8_t at,
                                    std::uint32_t command = 0) {
  return std::make_unique<DictByte>(std::move(name), &kGlobal, dgn, command, Makers().DecByte(255),
                                    at);
}

TEST(DictionaryBuilding, ALaterNameWinsTheIndexAndBothStayListed) {
  Dictionary dictionary(&kGlobal);
  dictionary.AddEntry(ByteEntry("twice", 0x1FFFF, 0));
  dictionary.AddEntry(ByteEntry("twice", 0x1FFFF, 1));
  const auto frame = Frame(0x1FFFF, 1, {10, 20});
  EXPECT_EQ(dictionary.DecodeToText(frame.frame), "twice=10  twice=20  ");
  EXPECT_EQ(dictionary.ValueOf("twice", frame.frame), "20");
}

TEST(DictionaryBuilding, SettableSignalsAreAlsoListedUnderTheirCommand) {
  Dictionary dictionary(&kGlobal);
  dictionary.AddEntry(ByteEntry("whOpMode", 0x1FFF7, 1, 0x1FFF6));  // switch off: once
  dictionary.SetRegisterCommands(true);
  dictionary.AddEntry(ByteEntry("whSetPoint", 0x1FFF7, 2, 0x1FFF6));
  dictionary.AddEntry(ByteEntry("~~x", 0xEA00, 0, 0x1FFF6));  // below 10000h: not mapped
  EXPECT_EQ(dictionary.NamesUnder(0x1FFF6), (std::vector<std::string>{"WHSetPoint", "~~x"}));
  const auto command = Frame(0x1FFF6, 1, {1, 2, 3});
  EXPECT_EQ(dictionary.DecodeToText(command.frame), "No Parsible Data");
  EXPECT_EQ(dictionary.ValueOf("WHSetPoint", command.frame), "Err");
  EXPECT_EQ(dictionary.CommandMap(), (std::map<std::uint32_t, std::uint32_t>{{0x1FFF6, 0x1FFF7}}));
}

TEST(DictionaryBuilding, ForgetDgnDropsItsEntriesAndTheirNames) {
  Dictionary dictionary(&kGlobal);
  dictionary.AddEntry(ByteEntry("a", 0x1FFFF, 0, 0x1FFFE));
  dictionary.AddEntry(ByteEntry("b", 0x1FFFD, 0));
  ASSERT_FALSE(dictionary.CommandMap().empty());
  dictionary.ForgetDgn(0x1FFFF);
  EXPECT_FALSE(dictionary.Has("a"));
  EXPECT_FALSE(dictionary.Knows(0x1FFFF));
  EXPECT_EQ(dictionary.ValueOf("a", Frame(0x1FFFF, 1, {1}).frame), "N/A");
  EXPECT_TRUE(dictionary.CommandMap().empty());  // rebuilt without the forgotten entry
  EXPECT_EQ(dictionary.DecodeToText(Frame(0x1FFFD, 1, {4}).frame), "b=4  ");
}

TEST(DictionaryBuilding, MergeTakesTheOtherDictionarysEntriesOntoItsTarget) {
  const framework::DgnTable target = framework::DgnTable::For(0x42);
  Dictionary main(&target);
  main.AddEntry(ByteEntry("a", 0x1FFFF, 0));
  Dictionary other(nullptr);
  other.AddRow(
      {EntryKind::k3Byte, "~~DGNRequest", 0xEA00, 0, Shared("ValueMakerHex3Byte"), {0}, L25},
      Makers());
  other.AddEntry(ByteEntry("b", 0x1FFFF, 1));
  main.Merge(other);
  EXPECT_EQ(other.EntryCount(), 0u);
  EXPECT_EQ(main.NamesUnder(0x1FFFF), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(main.ValueOf("~~DGNRequest", Frame(0xEA42, 1, {0xEB, 0xFE, 0}).frame), "FEEB");
}

TEST(DictionaryBuilding, RowsThatCannotStandAreRefusedWithTheirReason) {
  Dictionary dictionary(&kGlobal);
  const EntryRow rows[] = {
      {EntryKind::kByte, "good", 0x1FFFF, 0, DecByte(255), {7}},
      {EntryKind::kByte, "maker", 0x1FFFF, 0, Shared("ValueMakerNoSuch"), {0}},
      {EntryKind::kWord, "word", 0x1FFFF, 0, Shared("ValueMakerDecWord"), {7}},
      {EntryKind::kBits, "bits", 0x1FFFF, 0, DecByte(7), {0, 6, 3}},
      {EntryKind::kByte, "status", 0, 0, DecByte(255), {0}},
      {EntryKind::kByte, "command", 0x1FFFF, 0xEA00, DecByte(255), {0}},
      {EntryKind::kMfgId, "code", 0xEE00, 0, Shared("ValueMakerMfgId"), {2, 5, 3}, L0, {8, 0, 8}},
      {EntryKind::kByte, "", 0x1FFFF, 0, DecByte(255), {0}},
  };
  EXPECT_EQ(dictionary.AddRows(rows, Makers()), 1u);
  const auto rejected = dictionary.RejectedRows();
  ASSERT_EQ(rejected.size(), 7u);
  EXPECT_EQ(rejected[0], "maker: no value maker \"ValueMakerNoSuch\"");
  EXPECT_EQ(rejected[1], "word: position reaches beyond the eight data bytes");
}

TEST(DictionaryBuilding, RowsShareMakersAndCarryTheirIdentifier) {
  static constexpr values::EnumerationChoice kModes[] = {{0, "Off"}, {1, "Heat"}};
  Dictionary dictionary(&kGlobal);
  const EntryRow rows[] = {
      {EntryKind::kFlag, "a", 0x1FFFF, 0, Flag("Standby", "Active"), {0, 0}},
      {EntryKind::kFlag, "b", 0x1FFFF, 0, Flag("Standby", "Active"), {0, 2}},
      {EntryKind::kBits, "c", 0x1FFFF, 0, Choices(4, kModes), {1, 0, 4}},
      {EntryKind::kWord, "d", 0x1FFFF, 0, FlexWord("%0.2f Vdc", 0.05, 0), {2}},
      EntryRow{EntryKind::kByteAGSCrit, "e", 0x1FEFE, 0, DecByte(255), {3}}.Criterion(2),
      EntryRow{EntryKind::kByte, "f", 0x1FFD9, 0, DecByte(255), {0}}.Identifier(0x64EA),
  };
  ASSERT_EQ(dictionary.AddRows(rows, Makers()), std::size(rows));
  const auto frame = Frame(0x1FFFF, 1, {0x01, 0x01, 0x64, 0x00});
  EXPECT_EQ(dictionary.DecodeToText(frame.frame), "a=Active  b=Standby  c=Heat  d=5.00 Vdc  ");
  EXPECT_EQ(dictionary.ValueOf("e", Frame(0x1FEFE, 1, {0, 2, 0, 9}).frame), "9");
  EXPECT_EQ(dictionary.DecodeToText(Frame(0x1FEFE, 1, {0, 3, 0, 9}).frame), "No Parsible Data");
  framework::LogOutput log;
  data::DataContext context(log);
  EXPECT_EQ(dictionary.MakeDatumByName(context, "f", {})->Identifier(), 0x64EA);
}

struct DictionaryInApp : data::testing::ConnectedApp {};

TEST_F(DictionaryInApp, DataItemsByNameAndTheirIdentifiers) {
  const MainDictionary dictionary(Makers(), app.GlobalDgnTable(), std::span<const EntryRow>{});
  auto missing = dictionary.MakeDatumByName(*context, "~~Nothing", {});
  EXPECT_EQ(missing->Title(), "NF:~~Nothing");
  auto request = dictionary.MakeDatumByName(*context, "~~DGNRequest", {});
  EXPECT_STREQ(request->TypeName(), "Datum3Byte");
  EXPECT_EQ(request->MatchDgn(), 0xEAFFu);
  // Profiles write names with "_" for blanks; the item's identifier text is that name.
  auto claim = dictionary.MakeDatumByNameFor(*context, "~~ManufacturerID", {});
  EXPECT_EQ(claim->IdentifierText(), "~~ManufacturerID");
  EXPECT_EQ(dictionary.MakeDatumByNameFor(*context, "no such", {})->Title(), "NF:no_such");
}

TEST_F(DictionaryInApp, StartsAfterTheCoreParsersAndCollectsOnlyWhenAsked) {
  const std::size_t before = app.Link().Parsers().Count();
  const auto dictionary = StartMainDictionary(app);
  EXPECT_EQ(app.Link().Parsers().Count(), before + 1);
  app.Link().EnableFrames(true);

  const Bytes claim = {0x01, 0x02, 0x63, 0x24, 0x00, 0x8C, 0x00, 0xA0};
  mailslots.Queue(framework::FrameMessageBytes(0xEE00, 0x80, claim));
  driver.StepMillis(1);
  EXPECT_TRUE(dictionary->TakeValues().empty());  // collecting is off from the start

  dictionary->SetCollecting(true);
  mailslots.Queue(framework::FrameMessageBytes(0xEE00, 0x80, claim));
  mailslots.Queue(framework::StampedFrameMessageBytes(0xEAFF, 0xFE, 9, 6, 0, Bytes{0, 0xEE, 0}));
  driver.StepMillis(1);
  EXPECT_EQ(dictionary->TakeValues(), (ValueList{{"~~NAME", "01026324008C00A0"},
                                                 {"~~ArbAddrCapable", "1"},
                                                 {"~~ManufacturerID", "291"},
                                                 {"~~DGNRequest [255]", "EE00"}}));
  EXPECT_TRUE(dictionary->TakeValues().empty());
}

TEST(DictionaryValueList, TakesFramesFromTheTargetOnlyAndStaysBounded) {
  const framework::DgnTable target = framework::DgnTable::For(0x42);
  MainDictionary dictionary(Makers(), target, {});
  dictionary.SetCollecting(true);
  const auto request = Frame(0xEAFF, 0x42, {0, 0xEE, 0});
  dictionary.OnFrame(Frame(0xEAFF, 0x43, {0, 0xEE, 0}).frame);
  dictionary.OnFrame(request.frame);
  EXPECT_EQ(dictionary.TakeValues().size(), 1u);

  // A list above the limit starts anew before the next frame's pairs.
  for (std::size_t i = 0; i <= Dictionary::kValueListLimit + 1; ++i)
    dictionary.OnFrame(request.frame);
  EXPECT_EQ(dictionary.TakeValues().size(), 1u);
}

}  // namespace
}  // namespace vlt::dictionary
