#include "data/setter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vlt::data {
namespace {

using framework::DgnTable;

std::unique_ptr<PacketPlan> PlanFor(std::uint32_t dgn, PacketPlan::DataSlots slots = {}) {
  static const DgnTable global = DgnTable::For(0xFF);
  return std::make_unique<PacketPlan>(DgnRef(global, dgn), std::move(slots));
}

std::string Described(const Setter& setter) {
  std::ostringstream out;
  setter.Describe(out, nullptr);
  return out.str();
}

TEST(Setter, ByteCommandFrame) {
  SetByte setter(PlanFor(0x1FFF6), 3);
  setter.PendingValue()[0] = 7;
  EXPECT_EQ(setter.BuildMessage(0xF9),
            (std::vector<std::uint8_t>{0x01, 0xF9, 0xF6, 0xFF, 0x01, 0x00, 0x06, 0x08, 0x00, 0xFF,
                                       0xFF, 0xFF, 0x07, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(Setter, BitsReplaceOnlyTheirFieldOverThePlansInstanceByte) {
  const std::uint8_t instance = 0x05;
  SetBits setter(PlanFor(0x1FFF6, {&instance}), 0, 2, 2);
  setter.PendingValue()[0] = 1;
  EXPECT_EQ(setter.BuildMessage(0xF9)[kTransmitDataAt], 0x05);  // (05h AND F3h) OR 04h
  setter.PendingValue()[0] = 2;
  EXPECT_EQ(setter.BuildMessage(0xF9)[kTransmitDataAt], 0x09);
  // A value wider than the field does not spill into the neighbouring bits.
  setter.PendingValue()[0] = 0xFF;
  EXPECT_EQ(setter.BuildMessage(0xF9)[kTransmitDataAt], 0x0D);
}

TEST(Setter, WideValuesAreLittleEndianAndNeverPastTheFrame) {
  SetUint uint(PlanFor(0x1FFF6), 4);
  const std::uint8_t value[] = {0x78, 0x56, 0x34, 0x12};
  std::copy(std::begin(value), std::end(value), uint.PendingValue().begin());
  const auto message = uint.BuildMessage(0x80);
  EXPECT_EQ(std::vector<std::uint8_t>(message.begin() + 13, message.end()),
            (std::vector<std::uint8_t>{0x78, 0x56, 0x34, 0x12}));

  Set6Byte tooFar(PlanFor(0x1FFF6), 5);  // six bytes from byte 5 do not fit in eight
  tooFar.PendingValue()[0] = 1;
  const auto unchanged = tooFar.BuildMessage(0x80);
  EXPECT_EQ(std::vector<std::uint8_t>(unchanged.begin() + 9, unchanged.end()),
            std::vector<std::uint8_t>(8, 0xFF));

  SetByte longer(PlanFor(0x1FFF6), 9);
  longer.SetLength(12);
  longer.PendingValue()[0] = 0x33;
  const auto twelve = longer.BuildMessage(0x80);
  ASSERT_EQ(twelve.size(), 21u);
  EXPECT_EQ(twelve[7], 12);
  EXPECT_EQ(twelve[18], 0x33);
}

TEST(Setter, DefaultPlanHasNoDgnAndOneNullSlot) {
  Setter& shared = SharedReadOnlySetter();
  EXPECT_FALSE(shared.IsSettable());
  EXPECT_TRUE(shared.PendingValue().empty());
  EXPECT_FALSE(shared.Plan().HasDgn());
  EXPECT_EQ(shared.Plan().Slots().size(), 1u);
  const auto message = shared.BuildMessage(0xF9);
  EXPECT_EQ(message.size(), 17u);
  EXPECT_EQ(message[6], 6);
  EXPECT_EQ(message[9], 0xFF);
  EXPECT_FALSE(shared.Confirm(std::vector<std::uint8_t>{1}));
}

TEST(Setter, PendingAndToleranceCycle) {
  SetByte setter;
  EXPECT_FALSE(setter.SetPending(false));
  setter.PendingValue()[0] = 100;
  setter.SetTolerance(2);
  setter.SetPending(true);
  EXPECT_TRUE(setter.Confirm(std::vector<std::uint8_t>{103}));
  EXPECT_TRUE(setter.Confirm(std::vector<std::uint8_t>{97}));
  EXPECT_TRUE(setter.IsPending());
  EXPECT_FALSE(setter.Confirm(std::vector<std::uint8_t>{102}));
  EXPECT_FALSE(setter.IsPending());
  EXPECT_FALSE(setter.Confirm(std::vector<std::uint8_t>{50}));  // nothing pending any more

  setter.SetPending(true);
  EXPECT_TRUE(setter.SetPending(false));
  EXPECT_FALSE(setter.SetPending(false));
}

TEST(Setter, WordToleranceAndExactWiderValues) {
  SetWord word;
  word.PendingValue()[0] = 0x00;
  word.PendingValue()[1] = 0x01;  // 256
  word.SetTolerance(300);
  word.SetPending(true);
  EXPECT_FALSE(word.Confirm(std::vector<std::uint8_t>{0x2C, 0x02}));  // 556

  SetUint uint;
  uint.SetTolerance(5);  // ignored: four-byte values confirm only when equal
  uint.PendingValue()[0] = 10;
  uint.SetPending(true);
  EXPECT_TRUE(uint.Confirm(std::vector<std::uint8_t>{11, 0, 0, 0}));
  EXPECT_FALSE(uint.Confirm(std::vector<std::uint8_t>{10, 0, 0, 0}));

  // A five-byte item with a six-byte setter compares the five bytes it has.
  Set6Byte six;
  six.PendingValue()[4] = 9;
  six.SetPending(true);
  EXPECT_FALSE(six.Confirm(std::vector<std::uint8_t>{0, 0, 0, 0, 9}));
}

TEST(Setter, TextConfirmsOnTheCharactersUpToTheEnd) {
  SetString36Char text;
  const std::string abc = "ABC";
  std::copy(abc.begin(), abc.end(), text.PendingValue().begin());
  text.SetPending(true);
  std::vector<std::uint8_t> received(37, 0);
  received[0] = 'A';
  EXPECT_TRUE(text.Confirm(received));
  received[1] = 'B';
  received[2] = 'C';
  received[10] = 'x';  // after the end of the text
  EXPECT_FALSE(text.Confirm(received));
  // The text is sent by its data item, never by the setter.
  const auto message = text.BuildMessage(0xF9);
  EXPECT_EQ(std::vector<std::uint8_t>(message.begin() + 9, message.end()),
            std::vector<std::uint8_t>(8, 0xFF));
}

TEST(Setter, DescriptionAndDumpLines) {
  const std::uint8_t instance = 3;
  SetFlag flag(PlanFor(0x1FEDB, {&instance}), 1, 4);
  EXPECT_EQ(Described(flag),
            "SetType|SetBits\nSetPrep|1FEDB:03:FF:FF:FF:FF:FF:FF:FF\nSetLocation|1,4,2\n");
  std::ostringstream dump;
  SetWord(PlanFor(0x1FFF6), 2).Dump(dump);
  EXPECT_EQ(dump.str(), "  SetWord idx=2  Plan: DGN: 1FFF6 \n\r");
}

}  // namespace
}  // namespace vlt::data
