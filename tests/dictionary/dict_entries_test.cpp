// Entries read their field from frames whose data ends exactly where the frame
// does (the message buffer ends there too), so a read past the data trips the
// address sanitizer.
#include "dictionary/dict_entries.h"

#include <gtest/gtest.h>

#include <functional>

#include "data/data_test_support.h"
#include "data/datum_values.h"
#include "values/value_maker_shared.h"

namespace vlt::dictionary {
namespace {

using data::testing::Bytes;
using data::testing::Frame;

const values::SharedValueMakers& Makers() {
  return values::SharedValueMakers::Instance();
}

const framework::DgnTable kGlobal = framework::DgnTable::For(0xFF);

struct FieldCase {
  const char* what;
  std::function<std::unique_ptr<DictEntry>()> entry;
  Bytes data;
  ValueList listed;   // CollectValues
  std::string value;  // FormatValue
};

TEST(DictEntries, ListTheirFieldUnlessNotAvailableOrBeyondTheFrame) {
  const values::ValueMaker* dec = Makers().DecByte(255);
  auto byte1 = [&] { return std::make_unique<DictByte>("b", &kGlobal, 0x1FFFF, 0, dec, 1); };
  auto occurrences = [&] {
    return std::make_unique<DictBits>("n", &kGlobal, 0x1FECA, 0, dec, 5, 0, 7);
  };
  auto flag = [&] {
    return std::make_unique<DictFlag>("f", &kGlobal, 0x1FECA, 0, Makers().Flag("Off", "On"), 6, 2);
  };
  auto arbitrary = [&] {
    return std::make_unique<DictRawBits>("a", &kGlobal, 0xEE00, 0, dec, 7, 7, 1);
  };
  auto word = [&] {
    return std::make_unique<DictWord>("w", &kGlobal, 0x1FFFF, 0, &Makers().decWord, 2);
  };
  auto dgn = [&] {
    return std::make_unique<Dict3Byte>("d", &kGlobal, 0xE800, 0, &Makers().hex3Byte, 5);
  };
  auto uint = [&] {
    return std::make_unique<DictUint>("u", &kGlobal, 0x1FFFF, 0, &Makers().decUint, 4);
  };
  auto five = [&] {
    return std::make_unique<Dict5Byte>("v", &kGlobal, 0x1FFFF, 0, &Makers().hex5Byte, 3);
  };

  const FieldCase cases[] = {
      {"byte", byte1, {0, 3}, {{"b", "3"}}, "3"},
      {"byte FFh", byte1, {0, 0xFF}, {}, "N/D"},
      {"byte beyond", byte1, {0}, {}, "N/D"},
      {"7 bits", occurrences, {0, 0, 0, 0, 0, 0x85}, {{"n", "5"}}, "5"},
      {"7 bits all ones", occurrences, {0, 0, 0, 0, 0, 0x7F}, {}, "127"},  // maker code 255
      {"flag 3", flag, {0, 0, 0, 0, 0, 0, 0x0C}, {}, "N/D"},
      {"flag 1", flag, {0, 0, 0, 0, 0, 0, 0x04}, {{"f", "On"}}, "On"},
      {"flag beyond", flag, {0, 0, 0, 0, 0, 0}, {}, "N/D"},
      {"raw bit set", arbitrary, {0, 0, 0, 0, 0, 0, 0, 0x80}, {{"a", "1"}}, "1"},
      {"raw bit clear", arbitrary, {0, 0, 0, 0, 0, 0, 0, 0x7F}, {{"a", "0"}}, "0"},
      {"word", word, {9, 9, 0x34, 0x12}, {{"w", "4660"}}, "4660"},
      {"word FFFFh", word, {9, 9, 0xFF, 0xFF}, {}, "N/D"},
      {"word half there", word, {9, 9, 0x34}, {}, "N/D"},
      {"3 bytes", dgn, {0, 0, 0, 0, 0, 0x00, 0xEE, 0x00}, {{"d", "EE00"}}, "EE00"},
      {"3 bytes all FFh", dgn, {0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF}, {}, "N/D"},
      {"3 bytes cut", dgn, {0, 0, 0, 0, 0, 0xEB, 0xFE}, {}, "N/D"},
      {"uint", uint, {0, 0, 0, 0, 1, 0, 0, 0}, {{"u", "1"}}, "1"},
      {"5 bytes all FFh", five, {0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, {}, "FFFFFFFFFF"},
      {"5 bytes", five, {0, 0, 0, 1, 2, 3, 4, 5}, {{"v", "0102030405"}}, "0102030405"},
  };
  for (const FieldCase& c : cases) {
    const auto entry = c.entry();
    const auto frame = Frame(entry->StatusDgn(), 0x42, c.data);
    ValueList listed;
    entry->CollectValues(listed, frame.frame);
    EXPECT_EQ(listed, c.listed) << c.what;
    EXPECT_EQ(entry->FormatValue(frame.frame), c.value) << c.what;
  }
}

TEST(DictEntries, ManufacturerCodeIsListedWhateverItsValueWhileTheFrameHoldsIt) {
  const DictMfgId entry("~~ManufacturerID", &kGlobal, 0xEE00, 0, &Makers().mfgId, 2, 5, 3, 3, 0, 8);
  struct Case {
    Bytes data;
    ValueList listed;
    std::string value;
  } cases[] = {
      {{0, 0, 0x20, 0x05}, {{"~~ManufacturerID", "41"}}, "41"},
      {{0, 0, 0xFF, 0xFF}, {{"~~ManufacturerID", "N/D"}}, "N/D"},  // 7FFh
      {{0, 0, 0x1F, 0x00}, {{"~~ManufacturerID", "0"}}, "0"},
      {{0, 0, 0x20}, {}, "N/D"},  // the high part is missing
  };
  for (const Case& c : cases) {
    const auto frame = Frame(0xEE00, 0x80, c.data);
    ValueList listed;
    entry.CollectValues(listed, frame.frame);
    EXPECT_EQ(listed, c.listed);
    EXPECT_EQ(entry.FormatValue(frame.frame), c.value);
  }
}

TEST(DictEntries, FullPacketShowsWhatTheFrameHasAndNoMore) {
  const DictFullPacket entry("~~Proprietary", &kGlobal, 0xEF00, 0, &Makers().fullPacket, L25);
  const auto longer = Frame(0xEF42, 0x80, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  const auto shorter = Frame(0xEF42, 0x80, {1, 2, 3});
  ValueList listed;
  entry.CollectValues(listed, longer.frame);
  entry.CollectValues(listed, shorter.frame);
  EXPECT_EQ(listed, (ValueList{{"~~Proprietary [ 66]", "0102030405060708"},
                               {"~~Proprietary [ 66]", "010203FFFFFFFFFF"}}));
}

TEST(DictEntries, ProductIdListsUpToFourStarEndedFields) {
  const DictProductID entry("id", &kGlobal, 0xFEEB, 0, &Makers().plain);
  auto listed = [&](std::string_view text) {
    const auto frame = Frame(0xFEEB, 0x80, Bytes(text.begin(), text.end()));
    ValueList values;
    entry.CollectValues(values, frame.frame);
    return values;
  };
  EXPECT_EQ(
      listed("Valmora*VT-1*0042*"),
      (ValueList{{"idManufacturer", "Valmora"}, {"idModel", "VT-1"}, {"idSerialNumber", "0042"}}));
  EXPECT_EQ(listed("A*B*C*D*E*F"), (ValueList{{"idManufacturer", "A"},
                                              {"idModel", "B"},
                                              {"idSerialNumber", "C"},
                                              {"idAuxSerNumber", "D"}}));
  EXPECT_EQ(listed("no star"), ValueList{});
}

TEST(DictEntries, AutoStartSettingsListOnlyFramesAboutTheirCriterion) {
  const values::ValueMaker* dec = Makers().DecByte(255);
  // AGS_CRITERION_STS names the criterion in data[1], every other DGN in data[0].
  const DictByte_AGSCritSetting status("gcVdcAGS_Trigger", &kGlobal, 0x1FEFE, 0, 0, dec, 3);
  const DictWord_AGSCritSetting timer("gcSoCAGS_Timer", &kGlobal, 0x1FED2, 0, 1, &Makers().decWord,
                                      2);
  ValueList listed;
  status.CollectValues(listed, Frame(0x1FEFE, 1, {7, 0, 0, 12}).frame);
  status.CollectValues(listed, Frame(0x1FEFE, 1, {0, 1, 0, 13}).frame);
  timer.CollectValues(listed, Frame(0x1FED2, 1, {1, 0, 5, 0}).frame);
  timer.CollectValues(listed, Frame(0x1FED2, 1, {0, 0, 6, 0}).frame);
  EXPECT_EQ(listed, (ValueList{{"gcVdcAGS_Trigger", "12"}, {"gcSoCAGS_Timer", "5"}}));
}

struct DatumFixture : data::testing::ConnectedApp {};

TEST_F(DatumFixture, DataItemsMatchTheirEntrysFieldDgnAndCommand) {
  const DictFlag settable("whOpMode", &kGlobal, 0x1FFF7, 0x1FFF6, Makers().Flag("Off", "On"), 1, 2,
                          L1);
  auto item = settable.MakeDatum(*context, {3});
  EXPECT_STREQ(item->TypeName(), "DatumBits");
  EXPECT_EQ(item->MatchDgn(), 0x1FFF7u);
  EXPECT_EQ(item->GetSpecifier().Instance(), 3);  // an instance label selects instance 3
  EXPECT_EQ(item->CommandDgn(), 0x1FFF6u);
  EXPECT_TRUE(item->IsSettable());
  item->OnFrame(Frame(0x1FFF7, 9, {4, 0x04}).frame);  // another instance
  item->OnFrame(Frame(0x1FFF7, 9, {3, 0x04}).frame);
  EXPECT_EQ(item->ValueText(), "On");
  EXPECT_EQ(item->ReceiveCount(), 1u);

  DictWord readOnly("x", &kGlobal, 0x1FFFF, 0, &Makers().decWord, 2);
  readOnly.SetIdentifier(0x64EA, "");
  auto word = readOnly.MakeDatum(*context, {3});  // no instance label: every instance
  EXPECT_EQ(word->GetSpecifier().Instance(), 0xFF);
  EXPECT_FALSE(word->IsSettable());
  EXPECT_EQ(word->Identifier(), 0x64EA);

  // A request's DGN follows the table it came from.
  const framework::DgnTable target = framework::DgnTable::For(0x42);
  const Dict3Byte request("~~DGNRequest", &target, 0xEA00, 0, &Makers().hex3Byte, 0, L25);
  EXPECT_EQ(request.MakeDatum(*context, {})->MatchDgn(), 0xEA42u);
}

TEST_F(DatumFixture, MakeDatumForTakesTheItemsInstancesAndChildWord) {
  const DictByte entry("tkTank_Level", &kGlobal, 0x1FFB7, 0, Makers().DecByte(255), 1, L1);
  auto parent = entry.MakeDatum(*context, {2});
  parent->SetChildWord(17);
  auto item = entry.MakeDatumFor(*context, {parent.get()});
  EXPECT_EQ(item->GetSpecifier().Instance(), 2);
  EXPECT_EQ(item->ChildWord(), 17);
  EXPECT_EQ(entry.DictEntry::MakeDatum(*context, {})->Title(), "tkTank_Level");
}

}  // namespace
}  // namespace vlt::dictionary
