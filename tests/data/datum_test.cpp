#include "data/datum.h"

#include <gtest/gtest.h>

#include "data/datum_string.h"
#include "data/datum_values.h"
#include "data_test_support.h"
#include "values/value_maker_shared.h"

namespace vlt::data {
namespace {

using framework::DgnTable;
using testing::Bytes;
using testing::Frame;
using testing::StampedFrame;
using values::SharedValueMakers;

const SharedValueMakers& Makers() {
  return SharedValueMakers::Instance();
}

// Counts how often a display was rewritten, and with what.
struct CountingDisplay : framework::TextDisplay {
  int writes = 0;
  std::string text;
  void SetText(const std::string& t) override {
    ++writes;
    text = t;
  }
};

// Data items over a started application on virtual time, connected to its host.
struct DatumFixture : testing::ConnectedApp {
  const DgnTable global = DgnTable::For(0xFF);

  std::unique_ptr<Specifier> ByDgn(std::uint32_t dgn) {
    return std::make_unique<SpecByDGN>(&global, DgnRef(global, dgn));
  }
  // The master parser's ring counts of the step just finished.
  std::pair<std::uint32_t, std::uint32_t> Rings() {
    app.MasterParser().OnTick40();
    return {app.MasterParser().Ring1Sum(), app.MasterParser().Ring2Sum()};
  }
};

TEST_F(DatumFixture, ByteItemTakesItsByteAndSkipsShortAndUnavailableFrames) {
  DatumByte item(*context, "level", 2);
  item.SetValueMaker(Makers().DecByte(255));
  CountingDisplay display;
  item.AttachEdit(&display);
  EXPECT_EQ(item.ValueText(), "N/D");
  EXPECT_FALSE(item.HasValue());

  item.OnFrame(Frame(0x1FFFF, 1, {1, 2}).frame);
  item.OnFrame(Frame(0x1FFFF, 1, {1, 2, 0xFF}).frame);
  EXPECT_EQ(item.ReceiveCount(), 0u);

  item.OnFrame(Frame(0x1FFFF, 1, {1, 2, 5}).frame);
  item.OnFrame(Frame(0x1FFFF, 1, {9, 9, 5, 9}).frame);
  EXPECT_EQ(item.ReceiveCount(), 2u);
  EXPECT_EQ(display.writes, 1);
  EXPECT_EQ(display.text, "5");
  EXPECT_TRUE(item.TakeChanged());
  EXPECT_FALSE(item.TakeChanged());
  EXPECT_TRUE(item.HasValue());
  item.DetachEdit();
}

TEST_F(DatumFixture, OnlyFramesTheSpecifierTakes) {
  DatumByte item(*context, "x", 0);
  item.OwnSpecifier(ByDgn(0x1FFD7));
  item.OnFrame(Frame(0x1FFD6, 1, {4}).frame);
  EXPECT_EQ(item.ReceiveCount(), 0u);
  item.OnFrame(Frame(0x1FFD7, 1, {4}).frame);
  EXPECT_EQ(item.RawValue(), Bytes{4});
  EXPECT_EQ(item.MatchDgn(), 0x1FFD7u);
}

TEST_F(DatumFixture, BitItemTakesItsFieldAndStartsNotAvailable) {
  DatumBits item(*context, "flag", 6, 2, 2);
  item.SetValueMaker(Makers().Flag("Off", "On"));
  EXPECT_EQ(item.ValueText(), "N/D");
  item.OnFrame(Frame(0x1FFFF, 1, {0, 0, 0, 0, 0, 0, 0x0C, 0}).frame);
  EXPECT_EQ(item.ReceiveCount(), 0u);
  item.OnFrame(Frame(0x1FFFF, 1, {0, 0, 0, 0, 0, 0, 0x04, 0}).frame);
  EXPECT_EQ(item.RawValue(), Bytes{1});
  EXPECT_EQ(item.ValueText(), "On");
  EXPECT_TRUE(item.HasValue());
  item.OnFrame(Frame(0x1FFFF, 1, {0, 0, 0, 0, 0, 0, 0x08, 0}).frame);
  EXPECT_EQ(item.ValueText(), "Err");
  EXPECT_FALSE(item.HasValue());
}

TEST_F(DatumFixture, StampedFramesAreReadFromTheirOwnDataPosition) {
  DatumWord item(*context, "w", 1);
  item.OnFrame(StampedFrame(0x1FFFF, 1, {0x11, 0x34, 0x12}).frame);
  EXPECT_EQ(item.RawValue(), (Bytes{0x34, 0x12}));
  item.OnFrame(StampedFrame(0x1FFFF, 1, {0x11, 0xFF, 0xFF}).frame);
  EXPECT_EQ(item.ReceiveCount(), 1u);
}

TEST_F(DatumFixture, WideItemsAndWholePackets) {
  DatumUint uint(*context, "u", 4);
  uint.OnFrame(Frame(0x1FFFF, 1, {0, 0, 0, 0, 1, 2, 3}).frame);  // field past the data
  EXPECT_EQ(uint.ReceiveCount(), 0u);
  uint.OnFrame(Frame(0x1FFFF, 1, {0, 0, 0, 0, 1, 2, 3, 4}).frame);
  EXPECT_EQ(uint.RawValue(), (Bytes{1, 2, 3, 4}));

  Datum5Byte five(*context, "f", 3);
  five.OnFrame(Frame(0x1FFFF, 1, {0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}).frame);
  EXPECT_EQ(five.ReceiveCount(), 0u);

  DatumFullPacket packet(*context, "p");
  packet.OnFrame(Frame(0x1FFFF, 1, {1, 2, 3}).frame);
  EXPECT_EQ(packet.RawValue(), (Bytes{1, 2, 3, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  packet.OnFrame(Frame(0x1FFFF, 1, {}).frame);  // never skipped
  EXPECT_EQ(packet.ReceiveCount(), 2u);
}

TEST_F(DatumFixture, ManufacturerCodeFromTheNameFields) {
  DatumMfgId item(*context, "~~ManufacturerID");
  item.SetValueMaker(&Makers().mfgId);
  item.OnFrame(Frame(0xEEFF, 0x42, {0, 0, 0x20, 0x05, 0, 0, 0, 0}).frame);
  EXPECT_EQ(item.ValueText(), "41");
  item.OnFrame(Frame(0xEEFF, 0x42, {0, 0, 0xFF, 0xFF, 0, 0, 0, 0}).frame);  // 2047: skipped
  EXPECT_EQ(item.ReceiveCount(), 1u);
  item.OnFrame(Frame(0xEEFF, 0x42, {0, 0, 0x20}).frame);  // the high part is missing
  EXPECT_EQ(item.ReceiveCount(), 1u);
}

TEST_F(DatumFixture, TypedTextGoesIntoTheSetterOrReportsTheError) {
  DatumByte item(*context, "Speed", 0);
  item.SetValueMaker(Makers().DecByte(255));
  item.OwnSetter(std::make_unique<SetByte>());
  EXPECT_TRUE(item.IsSettable());
  EXPECT_FALSE(item.SetFromText("abc"));
  EXPECT_EQ(pane.Text(), "Error: [abc] is not a valid setting for Speed.\r\n");
  EXPECT_FALSE(context->ProfileModified());
  EXPECT_FALSE(item.GetSetter().IsPending());

  EXPECT_TRUE(item.SetFromText("12"));
  EXPECT_TRUE(item.GetSetter().IsPending());
  EXPECT_EQ(item.GetSetter().PendingValue()[0], 12);
  EXPECT_EQ(item.PendingText(), "12");
  EXPECT_TRUE(context->ProfileModified());
  EXPECT_TRUE(item.CheckText("200"));
  EXPECT_FALSE(item.CheckText("Err"));

  // Applied as the settings list does: the item takes its pending value, which confirms it.
  EXPECT_TRUE(item.IsUnconfirmed());
  EXPECT_TRUE(item.SetValueFromText(item.PendingText()));
  EXPECT_FALSE(item.IsUnconfirmed());
  EXPECT_EQ(item.ValueText(), "12");
  EXPECT_FALSE(item.ClearPending());
}

TEST_F(DatumFixture, ReadOnlyItemsRefuseTypedTextWithoutHarm) {
  DatumByte item(*context, "Status", 0);
  item.SetValueMaker(Makers().DecByte(255));
  EXPECT_FALSE(item.IsSettable());
  EXPECT_FALSE(item.SetFromText("12"));
  EXPECT_EQ(pane.Text(), "Error: [12] is not a valid setting for Status.\r\n");
  item.SendNow();
  EXPECT_TRUE(mailslots.written.empty());
  // The shared setter and specifier are not changed through one item.
  const std::uint8_t instance = 4;
  item.SetInstance(&instance, false);
  EXPECT_EQ(SharedReadOnlySetter().Plan().Slots().size(), 1u);
}

TEST_F(DatumFixture, NarrowMakerOnAWideItemKeepsTheUpperBytesZero) {
  DatumUint item(*context, "Identifying DGN", 0);
  item.SetValueMaker(&Makers().hex3Byte);
  item.OwnSetter(std::make_unique<SetUint>());
  EXPECT_TRUE(item.SetValueFromText("1FFFF"));
  EXPECT_EQ(item.RawValue(), (Bytes{0xFF, 0xFF, 0x01, 0x00}));
  EXPECT_EQ(item.ValueText(), "1FFFF");
  EXPECT_TRUE(item.SetFromText("1FEE5"));
  EXPECT_TRUE(item.SetValueFromText(item.PendingText()));
  EXPECT_FALSE(item.IsUnconfirmed());
}

TEST_F(DatumFixture, SendNowWritesTheCommandWhileConnected) {
  DatumByte item(*context, "Speed", 3);
  item.SetValueMaker(Makers().DecByte(255));
  item.OwnSetter(std::make_unique<SetByte>(
      std::make_unique<PacketPlan>(DgnRef(global, 0x1FFF6), PacketPlan::DataSlots{}), 3));
  app.SetToolSourceAddress(0x80);
  ASSERT_TRUE(item.SetFromText("7"));
  item.SendNow();
  ASSERT_EQ(mailslots.written.size(), 1u);
  EXPECT_EQ(mailslots.written[0], (Bytes{0x01, 0x80, 0xF6, 0xFF, 0x01, 0x00, 0x06, 0x08, 0x00, 0xFF,
                                         0xFF, 0xFF, 0x07, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(item.CommandDgn(), 0x1FFF6u);
}

TEST_F(DatumFixture, TitleFollowsTheInstanceOfTheSpecifier) {
  std::uint8_t instance = 2;
  DatumWord item(*context, "dcDC_Voltage [  1]", 2);
  item.OwnSpecifier(std::make_unique<SpecByInstance>(&global, DgnRef(global, 0x1FFFC),
                                                     SpecByInstance::InstanceSlots{&instance}));
  EXPECT_EQ(item.Title(), "dcDC_Voltage [  2]");
  instance = 1;
  EXPECT_EQ(item.Title(), "dcDC_Voltage [  1]");
  EXPECT_EQ(item.ShortTitle(), "dcDC_Voltage [  1]");
  item.SetShortTitle("Volts");
  EXPECT_EQ(item.ShortTitle(), "Volts");

  DatumWord plain(*context, "dcDC_Current", 4);
  plain.OwnSpecifier(std::make_unique<SpecByInstance>(&global, DgnRef(global, 0x1FFFC),
                                                      SpecByInstance::InstanceSlots{&instance}));
  EXPECT_EQ(plain.Title(), "dcDC_Current [  1]");
  EXPECT_EQ(plain.Title(), "dcDC_Current [  1]");

  // A title that already names the instance keeps its own spelling of it.
  DatumWord spelled(*context, "Tank[1]", 4);
  spelled.OwnSpecifier(std::make_unique<SpecByInstance>(&global, DgnRef(global, 0x1FFB7),
                                                        SpecByInstance::InstanceSlots{&instance}));
  EXPECT_EQ(spelled.Title(), "Tank[1]");
  instance = 12;
  EXPECT_EQ(spelled.Title(), "Tank [ 12]");
  instance = 1;

  DatumWord fixed(*context, "Fixed", 4);
  fixed.SetFixedTitle(true);
  fixed.OwnSpecifier(std::make_unique<SpecByInstance>(&global, DgnRef(global, 0x1FFFC),
                                                      SpecByInstance::InstanceSlots{&instance}));
  EXPECT_EQ(fixed.Title(), "Fixed");
  EXPECT_EQ(fixed.TitleAndValue(), "Fixed = ");  // the plain maker shows nothing
}

TEST_F(DatumFixture, TimeoutFallsBackToNotAvailable) {
  DatumByte item(*context, "t", 0);
  item.SetValueMaker(Makers().DecByte(255));
  item.SetTimeout(2);
  EXPECT_EQ(item.Timeout(), 8u);
  driver.StepMillis(1000);
  item.OnFrame(Frame(0x1FFFF, 1, {9}).frame);
  const std::uint32_t receivedAt = app.SlowCounter();
  driver.StepMillis(1500);
  EXPECT_EQ(item.ValueText(), "9");
  while (app.SlowCounter() <= receivedAt + 9) driver.StepMillis(100);
  driver.StepMillis(1200);  // the master's periodic call comes about every 0.9 s
  EXPECT_EQ(item.ValueText(), "N/D");
  // A new frame brings the value back and restarts the watch.
  item.OnFrame(Frame(0x1FFFF, 1, {9}).frame);
  EXPECT_EQ(item.ValueText(), "9");
}

TEST_F(DatumFixture, ReceptionsCountInTheMastersRings) {
  DatumByte readOnly(*context, "r", 0);
  DatumByte writable(*context, "w", 0);
  writable.OwnSetter(std::make_unique<SetByte>());
  DatumByte marked(*context, "m", 0);
  marked.SetMarked(1);
  Rings();
  readOnly.OnFrame(Frame(1, 1, {1}).frame);  // changed, read-only
  writable.OnFrame(Frame(1, 1, {1}).frame);  // changed, writable
  writable.OnFrame(Frame(1, 1, {1}).frame);  // unchanged
  marked.OnFrame(Frame(1, 1, {1}).frame);
  EXPECT_EQ(Rings(), std::make_pair(2u, 1u));

  // A read-only byte with children keyed to its values counts its changes in ring 2.
  DatumByte parent(*context, "p", 0);
  DatumHeading child(*context, "c");
  parent.AddChild(&child, 3);
  parent.OnFrame(Frame(1, 1, {3}).frame);
  EXPECT_EQ(Rings(), std::make_pair(2u, 2u));
}

TEST_F(DatumFixture, ChildrenFollowTheParentsValue) {
  DatumByte mode(*context, "mode", 0);
  DatumHeading always(*context, "always"), low(*context, "low"), high(*context, "high");
  DatumByte grandchild(*context, "gc", 1);
  mode.AddChildAlways(&always);
  mode.AddChildrenFor(&low, 0, 3);
  mode.AddChild(&high, 5);
  high.AddChild(&grandchild, Datum::kAnyKey);

  EXPECT_TRUE(mode.HasKeyedChildren());
  EXPECT_EQ(mode.Children(), (Datum::List{&always, &low, &high}));
  EXPECT_EQ(mode.ChildCount(), 3u);
  EXPECT_EQ(low.Parents(), (Datum::List{&mode}));  // once, though registered under three keys
  EXPECT_EQ(grandchild.Root(), &mode);

  mode.OnFrame(Frame(1, 1, {2}).frame);
  EXPECT_EQ(mode.ChildrenNow(), (Datum::List{&always, &low}));
  EXPECT_TRUE(low.ParentAllows());
  EXPECT_FALSE(high.ParentAllows());
  EXPECT_TRUE(always.ParentAllows());
  mode.OnFrame(Frame(1, 1, {5}).frame);
  EXPECT_EQ(mode.ChildrenNow(), (Datum::List{&always, &high}));
  EXPECT_FALSE(low.ParentAllows());
  // A heading allows no child, so what hangs below it is never written.
  EXPECT_FALSE(grandchild.ParentAllows());
  mode.OnFrame(Frame(1, 1, {7}).frame);
  EXPECT_TRUE(mode.HasChildrenNow());  // the child for every value
}

TEST_F(DatumFixture, ValueMakerWidthCheck) {
  DatumBits bits(*context, "Bits", 0, 0, 2);
  bits.SetValueMaker(Makers().Flag("No", "Yes"));
  EXPECT_TRUE(bits.CheckValueMaker());
  DatumByte byte(*context, "Byte", 0);
  byte.SetValueMaker(Makers().Flag("No", "Yes"));
  EXPECT_FALSE(byte.CheckValueMaker());
  EXPECT_EQ(pane.Text(), "Error: ValueMaker is not valid for Byte.\r\n");
  byte.SetValueMaker(Makers().DecByte(255));  // fits any width
  EXPECT_TRUE(byte.CheckValueMaker());
}

}  // namespace
}  // namespace vlt::data
