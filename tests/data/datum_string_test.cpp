#include "data/datum_string.h"

#include <gtest/gtest.h>

#include "data_test_support.h"
#include "values/value_maker_shared.h"

namespace vlt::data {
namespace {

using testing::Bytes;
using testing::DataOf;

testing::Delivered Frame(const Bytes& data) {
  return testing::Frame(0x1FEF0, 0x42, data);
}

struct TextFixture : ::testing::Test {
  framework::LogOutput log;
  DataContext context{log};
  const framework::DgnTable global = framework::DgnTable::For(0xFF);

  std::unique_ptr<DatumString36Char> Item(int layout) {
    auto item = std::make_unique<DatumString36Char>(context, "Name", layout);
    item->SetValueMaker(&values::SharedValueMakers::Instance().string36Char);
    const std::uint8_t* instance = &instance_;
    item->OwnSetter(std::make_unique<SetString36Char>(
        std::make_unique<PacketPlan>(DgnRef(global, 0x1FEF1), PacketPlan::DataSlots{instance})));
    return item;
  }
  std::uint8_t instance_ = 0x01;
};

TEST_F(TextFixture, PacketsFillTheirPlaceAndSkipPadding) {
  auto item = Item(0);
  item->OnFrame(Frame({0x00, 0x66, 'A', 'B', 'C', 0xFF, 0xFF, 0xFF}).frame);
  EXPECT_EQ(item->ValueText(), "");  // characters 6 to 8 set, the start still empty
  const Bytes raw = item->RawValue();
  EXPECT_EQ(Bytes(raw.begin() + 6, raw.begin() + 9), (Bytes{'A', 'B', 'C'}));
  item->OnFrame(Frame({0x00, 0xC0, 'x', 'y', 'z', 'u', 'v', 'w'}).frame);
  EXPECT_EQ(item->ValueText(), "xyzuvwABC");
  // Padding in the middle: the next character takes its place.
  item->OnFrame(Frame({0x00, 0x40, 'Q', 0xFF, 'R', 0, 0, 0}).frame);
  EXPECT_EQ(item->ValueText(), "QRzuvwABC");
  EXPECT_EQ(item->ReceiveCount(), 3u);
}

TEST_F(TextFixture, PacketsThatDoNotFitAreIgnored) {
  auto item = Item(0);
  item->OnFrame(Frame({0x00, 0xE0, 'a', 'b', 'c', 'd', 'e', 'f'}).frame);  // 7 > 6 characters
  item->OnFrame(Frame({0x00, 0x3F, 'a', 'b', 'c', 'd', 'e', 'f'}).frame);  // 31 + 1 fits
  item->OnFrame(Frame({0x00, 0x5F, 'a', 'b', 'c', 'd', 'e', 'f'}).frame);  // 31 + 2 fits
  item->OnFrame(Frame({0x00, 0xDF, 'a', 'b', 'c', 'd', 'e', 'f'}).frame);  // 31 + 6 > 36
  item->OnFrame(Frame({0x00, 0x20, 'a'}).frame);                           // not eight bytes
  EXPECT_EQ(item->ReceiveCount(), 2u);
  EXPECT_EQ(item->RawValue()[36], 0);  // the terminator stays
}

TEST_F(TextFixture, LayoutOneReadsFiveCharactersFromByteThree) {
  auto item = Item(1);
  EXPECT_EQ(item->LocationIndex(), 2u);
  EXPECT_EQ(item->CharsPerPacket(), 5u);
  item->OnFrame(Frame({0x01, 0x00, 0xA0, 'H', 'e', 'l', 'l', 'o'}).frame);
  EXPECT_EQ(item->ValueText(), "Hello");
  item->OnFrame(Frame({0x01, 0x00, 0xC0, 'a', 'b', 'c', 'd', 'e'}).frame);  // 6 > 5
  EXPECT_EQ(item->ReceiveCount(), 1u);
}

TEST_F(TextFixture, TextIsSplitIntoCountedPackets) {
  auto item = Item(0);
  EXPECT_EQ(DataOf(item->BuildPackets("ABCDEFGH")),
            (std::vector<Bytes>{{0x01, 0xC0, 'A', 'B', 'C', 'D', 'E', 'F'},
                                {0x01, 0x46, 'G', 'H', 0, 0, 0, 0}}));
  // Ending on a packet boundary: an end marker with one zero character.
  EXPECT_EQ(DataOf(item->BuildPackets("ABCDEF")),
            (std::vector<Bytes>{{0x01, 0xC0, 'A', 'B', 'C', 'D', 'E', 'F'},
                                {0x01, 0x26, 0, 0, 0, 0, 0, 0}}));
  EXPECT_EQ(DataOf(item->BuildPackets("")),
            (std::vector<Bytes>{{0x01, 0x20, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}));
  // A full text needs no marker: its next offset, 36, is past 30.
  const auto full = DataOf(item->BuildPackets(std::string(36, 'x')));
  ASSERT_EQ(full.size(), 6u);
  EXPECT_EQ(full[5][1], 0xC0 | 30);
  EXPECT_EQ(DataOf(item->BuildPackets(std::string(30, 'x'))).back()[1], 0x20 | 30);
}

TEST_F(TextFixture, LayoutOneNeverSendsAnOffsetItsLocationByteCannotHold) {
  auto item = Item(1);
  const auto packets = DataOf(item->BuildPackets(std::string(36, 'y')));
  ASSERT_EQ(packets.size(), 7u);  // offsets 0 to 30; a 36th character would need offset 35
  EXPECT_EQ(packets.back()[2], 0xA0 | 30);
  EXPECT_EQ(packets.back()[0], 0x01);  // the instance byte of the plan
}

TEST_F(TextFixture, ReadOnlyTextSendsNothing) {
  DatumString36Char item(context, "ro");
  item.SendNow();  // no setter value, no application: nothing to do and nothing breaks
  EXPECT_FALSE(item.SetFromText("abc"));
}

using TextSendFixture = testing::ConnectedApp;

TEST_F(TextSendFixture, SendNowPacesThePacketsOnTheTickThread) {
  DatumString36Char item(*context, "Name");
  item.SetValueMaker(&values::SharedValueMakers::Instance().string36Char);
  item.OwnSetter(std::make_unique<SetString36Char>(std::make_unique<PacketPlan>(
      DgnRef(app.GlobalDgnTable(), 0x1FEF1), PacketPlan::DataSlots{})));
  ASSERT_TRUE(item.SetFromText("Pump controller"));
  item.SendNow();
  EXPECT_EQ(mailslots.written.size(), 1u);  // the caller does not wait for the rest
  driver.StepMillis(25);
  EXPECT_LE(mailslots.written.size(), 2u);
  driver.StepMillis(200);
  const auto data = DataOf(mailslots.WrittenOfType(framework::kMsgTransmit));
  ASSERT_EQ(data.size(), 3u);
  EXPECT_EQ(data[2], (Bytes{0xFF, 0x6C, 'l', 'e', 'r', 0, 0, 0}));

  // Fed back as the device's status, the text confirms the pending value.
  for (const auto& packet : data) {
    const Bytes bytes = framework::FrameMessageBytes(0x1FEF0, 1, packet);
    item.OnFrame(framework::ParseHostMessage(bytes).frame);
  }
  EXPECT_EQ(item.ValueText(), "Pump controller");
  EXPECT_FALSE(item.IsUnconfirmed());
}

}  // namespace
}  // namespace vlt::data
