#include "data/datum_list.h"

#include <gtest/gtest.h>

#include "support/virtual_time.h"

#include <sstream>

#include "data/datum_string.h"
#include "data/datum_values.h"
#include "data_test_support.h"
#include "values/value_maker_shared.h"

namespace vlt::data {
namespace {

const values::SharedValueMakers& Makers() {
  return values::SharedValueMakers::Instance();
}

std::tm FixedTime() {
  return vlt::testing::LocalTime(2026, 1, 1, 4, 9, 5, 3);
}

// A settable byte, as the settings list holds them.
std::unique_ptr<DatumByte> SettableByte(DataContext& context, std::string title,
                                        std::uint8_t stage = 0) {
  auto item = std::make_unique<DatumByte>(context, std::move(title), 0);
  item->SetValueMaker(Makers().DecByte(0xFF));
  item->OwnSetter(std::make_unique<SetByte>());
  item->SetStage(stage);
  item->SetValueFromText("1");
  return item;
}

std::unique_ptr<DatumString36Char> SettableText(DataContext& context, std::string title) {
  auto item = std::make_unique<DatumString36Char>(context, std::move(title));
  item->SetValueMaker(&Makers().string36Char);
  item->OwnSetter(std::make_unique<SetString36Char>());
  item->SetValueFromText("start");
  return item;
}

struct ListFixture : ::testing::Test {
  platform::MemoryLogPane pane;
  framework::LogOutput log;
  DataContext context{log};
  DatumBoxUserSettings list{context};

  void SetUp() override { log.Attach(&pane); }
  void TearDown() override { log.Detach(); }

  bool Load(const std::string& text, const std::string& name = "profile.zcf") {
    return list.StartCloningFrom(std::make_unique<std::istringstream>(text), name, true);
  }
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) ticker.Tick();
  }
  std::string Saved() {
    std::ostringstream out;
    list.SaveItems(out);
    return out.str();
  }

  DatumListTicker ticker{list};
};

TEST_F(ListFixture, SingleColumnRowPadsTitleAndRightAlignsValue) {
  auto company = SettableText(context, "Company");
  company->SetValueFromText("Default Company");
  list.AddRow(company.get());
  list.SetTrailingBlanks(5);
  EXPECT_EQ(list.RowText(0), "  Company" + std::string(17, ' ') + " Default Company     ");
}

TEST_F(ListFixture, HeaderIsWrittenWithFixedDateAndCheckedOnReading) {
  std::ostringstream out;
  WriteCloneHeader(out, FixedTime());
  EXPECT_EQ(out.str(),
            ":Program MORVEL\r\n:Version 1.0.0\r\n"
            ":Created Thursday, January 01, 2026  at 09:05:03\r\n");

  std::istringstream own(out.str());
  const CloneHeaderCheck check = CheckCloneHeader(own, log);
  EXPECT_TRUE(check.programLine);
  EXPECT_FALSE(check.versionDiffers);
  EXPECT_EQ(pane.Text(),
            "The clone file was made by this program.\r\n"
            "The clone file was made by this version of the program.\r\n"
            ":Created Thursday, January 01, 2026  at 09:05:03\r\n\r\n");

  pane.Clear();
  std::istringstream newer(":Program MORVEL\n:Version 2.0.0\n");
  EXPECT_TRUE(CheckCloneHeader(newer, log).versionDiffers);
  EXPECT_EQ(pane.Text(),
            "The clone file was made by this program.\r\n"
            "WARNING: The clone file was made by a different version of this program.\r\n"
            "From File: :Version 2.0.0\r\n"
            "This Program: :Version 1.0.0\r\n"
            "There may be settings missed as a result.\r\n\r\n");

  pane.Clear();
  std::istringstream foreign(":Program OTHER\r\n:Version 1.0.0\r\n");
  EXPECT_TRUE(CheckCloneHeader(foreign, log).foreignProgram);
  EXPECT_EQ(pane.Text(), "Error:  The clone file was not made by this program.\r\n\r\n");
}

TEST_F(ListFixture, SaveWritesEachTitleOnceAndWarnsOnConflicts) {
  DatumListHeading all(context, "All Settings"), test(context, "A-10");
  auto shared = SettableByte(context, "DSA");
  auto twinA = SettableByte(context, "Twin");
  auto twinB = SettableByte(context, "Twin");
  twinB->SetValueFromText("2");
  auto compared = SettableByte(context, "Checked");
  compared->SetCompareOnly(true);
  DatumHeading closed(context, "Closed");  // a plain heading admits no child
  auto hidden = SettableByte(context, "Hidden");
  closed.AddChildAlways(hidden.get());
  all.AddChildAlways(shared.get());
  test.AddChildAlways(shared.get());
  all.AddChildAlways(twinA.get());
  test.AddChildAlways(twinB.get());
  list.AddRow(&all);
  list.AddRow(&test);
  list.AddRow(compared.get());
  list.AddRow(&closed);

  EXPECT_EQ(Saved(), ":SET DSA=1\r\n:SET Twin=1\r\n:COMPARE Checked=1\r\n");
  EXPECT_EQ(pane.Text(), "WARNING  Conflict in values for Twin\r\n");
}

TEST_F(ListFixture, SaveNotesItemsWithoutValueAndKeepsRecordsOnOneLine) {
  auto text = SettableText(context, "Company");
  text->SetValueFromText("two\nlines\r");
  auto unset = SettableByte(context, "Unset");
  unset->Invalidate();
  list.AddRow(text.get());
  list.AddRow(unset.get());
  EXPECT_EQ(Saved(), ":SET Company=two lines\r\r\n:SET Unset=N/D\r\n");
  EXPECT_EQ(pane.Text(), "Note: Company = two\nlines\r\r\nNote: Unset = N/D\r\n");
}

TEST_F(ListFixture, LoadAppliesOneValuePerTickAndClosesAtTheFirstQuietUpdate) {
  auto a = SettableByte(context, "A");
  auto b = SettableByte(context, "B");
  list.AddRow(a.get());
  list.AddRow(b.get());
  ASSERT_TRUE(Load(":Program MORVEL\n:SET A=7\n:SET B=8"));  // LF only, no final line end
  EXPECT_EQ(list.Stage(), 0);
  EXPECT_TRUE(context.ProfileModified());
  EXPECT_EQ(a->PendingText(), "7");
  EXPECT_EQ(a->ValueText(), "1");  // applied by the timer, not by the load

  Ticks(10);  // the first update collects both
  EXPECT_EQ(list.ChangeList().size(), 2u);
  Ticks(1);
  EXPECT_EQ(a->ValueText(), "7");
  EXPECT_EQ(b->ValueText(), "1");
  Ticks(1);
  EXPECT_EQ(b->ValueText(), "8");
  EXPECT_TRUE(list.HasCloneInput());
  Ticks(8);  // the update that finds nothing unconfirmed ends the load
  EXPECT_FALSE(list.IsCloning());
  EXPECT_FALSE(list.HasCloneInput());
  EXPECT_TRUE(list.LoadReport().finished);
  EXPECT_EQ(list.LoadReport().applied, 2u);
}

TEST_F(ListFixture, HigherStagesLoadFirstAndLowerOnesOnlyOnceConfirmed) {
  auto low = SettableByte(context, "Low", 0);
  auto high = SettableByte(context, "High", 2);
  list.AddRow(low.get());
  list.AddRow(high.get());
  ASSERT_TRUE(Load(":SET Low=5\r\n:SET High=6\r\n"));
  EXPECT_EQ(list.Stage(), 2);
  EXPECT_EQ(high->PendingText(), "6");
  EXPECT_FALSE(low->IsUnconfirmed());

  Ticks(11);  // update collects High, the next tick applies it
  EXPECT_EQ(high->ValueText(), "6");
  EXPECT_FALSE(low->IsUnconfirmed());
  Ticks(9);  // quiet update: stage 1, which nobody holds
  EXPECT_EQ(list.Stage(), 1);
  Ticks(10);  // quiet again: stage 0
  EXPECT_EQ(list.Stage(), 0);
  EXPECT_TRUE(low->IsUnconfirmed());
  ASSERT_TRUE(RunListUntilSettled(list, 100));
  EXPECT_EQ(low->ValueText(), "5");
  EXPECT_FALSE(list.IsCloning());
}

TEST_F(ListFixture, BadLinesAreReportedAndTheRestLoads) {
  DatumListHeading all(context, "All Settings");
  auto dsa = SettableByte(context, "DSA For Address Claiming");
  auto other = SettableByte(context, "Other");
  auto readOnly = std::make_unique<DatumByte>(context, "Read Only", 0);
  auto degrees = SettableText(context, "Degrees");
  list.AddRow(dsa.get());
  list.AddRow(&all);
  all.AddChildAlways(dsa.get());  // shown twice: one value, one message
  all.AddChildAlways(other.get());
  all.AddChildAlways(readOnly.get());
  all.AddChildAlways(degrees.get());
  const std::string file =
      "garbage \x01\x02\xFF\r\n"
      ":SET Company\r\n"
      ":SET DSA For Address Claiming=abc\r\n"
      ":SET Other=N/D\r\n"
      ":SET Unknown Title=3\r\n"
      ":SET Read Only=4\r\n"
      ":SKIP Other=9\r\n"
      ":COMPARE Other=9\r\n"
      ":SET Degrees=10 \xC2\xB0"
      "C\r\n"
      ":SET " +
      std::string(10 * 1024 * 1024, 'x') +
      "\r\n"
      ":SET Other=12\r\n";
  ASSERT_TRUE(Load(file));
  EXPECT_EQ(pane.Text(),
            "\r\n"  // the header check found no header
            "Invalid Setting: Company\r\n"
            "Unrecognized Value in Setting: DSA For Address Claiming=abc\r\n"
            "Error: [abc] is not a valid setting for DSA For Address Claiming.\r\n"
            "Invalid Setting: " +
                std::string(60, 'x') + "...\r\n");
  const CloneLoadReport& report = list.LoadReport();
  EXPECT_FALSE(report.header.programLine);
  EXPECT_EQ(report.invalidLines, std::vector<std::string>{"Company"});
  EXPECT_EQ(report.rejectedValues, std::vector<std::string>{"DSA For Address Claiming=abc"});
  EXPECT_EQ(report.unknownTitles, (std::vector<std::string>{"Unknown Title", "Read Only"}));
  EXPECT_EQ(report.overlongLines, 1u);
  EXPECT_EQ(report.applied, 2u);
  ASSERT_TRUE(RunListUntilSettled(list, 100));
  EXPECT_EQ(dsa->ValueText(), "1");
  EXPECT_EQ(other->ValueText(), "12");
  EXPECT_EQ(degrees->ValueText(),
            "10 \xB0"
            "C");
}

TEST_F(ListFixture, OnlyCloneFileNamesLoadAndUnreadableFilesChangeNothing) {
  auto a = SettableByte(context, "A");
  list.AddRow(a.get());
  ASSERT_TRUE(Load(":SET A=9\r\n", "profile.txt"));
  EXPECT_FALSE(a->IsUnconfirmed());
  EXPECT_FALSE(list.LoadReport().cloneFileName);
  ASSERT_TRUE(RunListUntilSettled(list, 100));

  EXPECT_FALSE(list.StartCloning("/nonexistent/profile.zcf", true));
  EXPECT_FALSE(list.StartCloning("/dev/zero", true));  // never read for ever
  EXPECT_FALSE(list.StartCloning(::testing::TempDir(), true));
  EXPECT_FALSE(list.IsCloning());
  EXPECT_EQ(a->ValueText(), "1");
}

TEST_F(ListFixture, ASecondLoadAbandonsTheFirstAndItsPendingValues) {
  auto a = SettableByte(context, "A");
  auto b = SettableByte(context, "B");
  list.AddRow(a.get());
  list.AddRow(b.get());
  ASSERT_TRUE(Load(":SET A=5\r\n:SET B=6\r\n"));
  pane.Clear();
  ASSERT_TRUE(Load(":SET B=7\r\n"));
  EXPECT_EQ(pane.Text(),
            "WARNING  Abandoning Cloning\r\nAbandoning setting of A\r\n"
            "Abandoning setting of B\r\n\r\n");
  ASSERT_TRUE(RunListUntilSettled(list, 100));
  EXPECT_EQ(a->ValueText(), "1");
  EXPECT_EQ(b->ValueText(), "7");
}

// A device list acts on one unconfirmed item per call, in turn, wrapping around.
struct RecordingList : DatumBoxMultiColumn {
  using DatumBoxMultiColumn::DatumBoxMultiColumn;
  std::vector<std::string> acted;
  void ActOnChange(Datum& item) override { acted.push_back(item.Title()); }
};

TEST_F(ListFixture, DeviceListActsOnOneChangePerCallInTurn) {
  RecordingList devices(context);
  auto a = SettableByte(context, "A");
  auto b = SettableByte(context, "B");
  auto c = SettableByte(context, "C");
  for (Datum* item : {a.get(), b.get(), c.get()}) devices.AddRow(item);
  devices.ProcessNextChange();  // nothing collected yet
  a->SetFromText("4");
  c->SetFromText("5");
  devices.Update();
  ASSERT_EQ(devices.ChangeList().size(), 2u);
  devices.ProcessNextChange();
  devices.ProcessNextChange();
  c->SetValueFromText("5");  // the device confirmed C
  devices.ProcessNextChange();
  devices.ProcessNextChange();
  EXPECT_EQ(devices.acted, (std::vector<std::string>{"A", "C", "A"}));
}

TEST_F(ListFixture, RowsAreRewrittenOnlyWhenTheirTextChanged) {
  auto a = SettableByte(context, "A");
  list.AddRow(a.get());
  std::vector<std::size_t> rewritten;
  list.SetRowObserver([&](std::size_t row) { rewritten.push_back(row); });
  list.Update();
  EXPECT_TRUE(rewritten.empty());
  a->SetValueFromText("3");
  list.Update();
  list.Update();
  EXPECT_EQ(rewritten.size(), 1u);
  list.EditRow(0, std::nullopt);  // abandoned edit: the row is redrawn all the same
  list.Update();
  EXPECT_EQ(rewritten.size(), 2u);
  list.EditRow(0, std::string("9"));
  EXPECT_EQ(a->PendingText(), "9");
}

struct ConnectedListFixture : testing::ConnectedApp {};

TEST_F(ConnectedListFixture, ResetRequestGoesOnlyToATargetedTable) {
  DatumBoxUserSettings list(*context);
  auto a = SettableByte(*context, "A");
  list.AddRow(a.get());
  list.StartCloningFrom(std::make_unique<std::istringstream>(":SET A=2\r\n"), "p.zcf", false);
  ASSERT_TRUE(RunListUntilSettled(list, 100));
  EXPECT_TRUE(mailslots.WrittenOfType(framework::kMsgTransmit).empty());  // global table

  const framework::DgnTable target = framework::DgnTable::For(0x42);
  list.SetDgnTable(&target);
  list.StartCloningFrom(std::make_unique<std::istringstream>(":SET A=3\r\n"), "p.zcf", false);
  ASSERT_TRUE(RunListUntilSettled(list, 100));
  const auto sent = mailslots.WrittenOfType(framework::kMsgTransmit);
  ASSERT_EQ(sent.size(), 1u);  // when the last stage is done
  const auto parsed = framework::ParseToolMessage(sent[0]);
  EXPECT_EQ(parsed.dgn, 0x17F42u);
  EXPECT_EQ(testing::Bytes(parsed.data.begin(), parsed.data.end()),
            (testing::Bytes{0xFD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

}  // namespace
}  // namespace vlt::data
