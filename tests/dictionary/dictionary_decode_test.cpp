// Real frames through the program's dictionary, network-management entries only
// (the catalogue grows separately), decoded exactly as the test logs show them.
#include "dictionary/dictionary.h"

#include <gtest/gtest.h>

#include "data/data_test_support.h"

namespace vlt::dictionary {
namespace {

using data::testing::Bytes;
using data::testing::Frame;

struct NetworkDictionary : ::testing::Test {
  const framework::DgnTable global = framework::DgnTable::For(0xFF);
  const MainDictionary dictionary{values::SharedValueMakers::Instance(), global, {}};

  std::string Decode(std::uint32_t dgn, std::uint8_t source, const Bytes& data) const {
    return dictionary.DecodeToText(Frame(dgn, source, data).frame);
  }
  std::string Value(std::string_view name, std::uint32_t dgn, const Bytes& data) const {
    return dictionary.ValueOf(name, Frame(dgn, 0x80, data).frame);
  }
};

TEST_F(NetworkDictionary, EveryNetworkRowIsBuilt) {
  EXPECT_TRUE(dictionary.RejectedRows().empty());
  EXPECT_EQ(dictionary.EntryCount(), NetworkManagementRows().size());
}

TEST(MainDictionaryCatalogue, EveryRowIsBuilt) {
  const framework::DgnTable global = framework::DgnTable::For(0xFF);
  const MainDictionary dictionary(values::SharedValueMakers::Instance(), global);
  EXPECT_EQ(dictionary.RejectedRows(), std::vector<std::string>{});
  EXPECT_TRUE(dictionary.Has("~~DGNRequest"));
}

TEST_F(NetworkDictionary, AddressClaimGivesNameCapabilityAndManufacturer) {
  struct Case {
    Bytes name;
    const char* text;
  } cases[] = {
      {{0x01, 0x02, 0x63, 0x24, 0x00, 0x8C, 0x00, 0xA0},  // code 123h, arbitrary capable
       "~~NAME=01026324008C00A0  ~~ArbAddrCapable=1  ~~ManufacturerID=291  "},
      {{0x10, 0x00, 0x00, 0x00, 0x00, 0x8C, 0x00, 0x20},  // code 0, fixed address
       "~~NAME=10000000008C0020  ~~ArbAddrCapable=0  ~~ManufacturerID=0  "},
      {{0x55, 0x44, 0xE3, 0xFF, 0x00, 0x8C, 0x00, 0xA0},  // code 7FFh: not available
       "~~NAME=5544E3FF008C00A0  ~~ArbAddrCapable=1  ~~ManufacturerID=N/D  "},
  };
  for (const Case& c : cases) EXPECT_EQ(Decode(0xEE00, 0x80, c.name), c.text);
  // The tests read single signals the same way.
  const Bytes claim = {0x01, 0x02, 0x63, 0x24, 0x00, 0x8C, 0x00, 0x20};
  EXPECT_EQ(Value("~~ManufacturerID", 0xEE00, claim), "291");
  EXPECT_EQ(Value("~~ArbAddrCapable", 0xEE00, claim), "0");
  // A claim sent to one node keeps its address and still decodes as a claim.
  EXPECT_EQ(Decode(0xEE05, 0x80, claim),
            "~~NAME=01026324008C0020  ~~ArbAddrCapable=0  ~~ManufacturerID=291  ");
}

TEST_F(NetworkDictionary, RequestsNameTheRequestedDgnAndTheirDestination) {
  // For ADDRESS_CLAIMED, globally from the null address.
  EXPECT_EQ(Decode(0xEAFF, 0xFE, {0x00, 0xEE, 0x00}), "~~DGNRequest [255]=EE00  ");
  // For a DGN of three significant bytes, to node 5.
  EXPECT_EQ(Decode(0xEA05, 0xF9, {0xF7, 0xFE, 0x01}), "~~DGNRequest [  5]=1FEF7  ");
  // For PRODUCT_ID, with the instance bytes RV-C adds.
  EXPECT_EQ(Decode(0xEA80, 0xF9, {0xEB, 0xFE, 0x00, 0x02, 0xFF}),
            "~~DGNRequest [128]=FEEB  ~~InstRequest [128]=2  ");
  EXPECT_EQ(Value("~~DGNRequest", 0xEA80, {0x00, 0xEE, 0x00}), "EE00");
  EXPECT_EQ(Value("~~InstRequest", 0xEA80, {0x00, 0xEE, 0x00}), "N/D");  // not in the frame
}

TEST_F(NetworkDictionary, DestinationSpecificDgnsUseTheirBlocksEntries) {
  EXPECT_EQ(Decode(0xE842, 0x80, {0x01, 0x03, 0xFF, 0xFF, 0xFF, 0xEB, 0xFE, 0x00}),
            "~~AckCode [ 66]=NAK  ~~AckInstance [ 66]=3  ~~AckDGN [ 66]=FEEB  ");
  EXPECT_EQ(Decode(0x17E42, 0x80, {1, 2, 3, 4, 5, 6, 7, 8}),
            "~~Terminal [ 66]=0102030405060708  ~~Download [ 66]=0102030405060708  ");
  EXPECT_EQ(Decode(0x1FECA, 0x42, {0x55, 0x42, 0x11, 0x22, 0x33, 0x05, 0xFF, 0xFF}),
            "~~OperatingStatus1=On  ~~OperatingStatus2=Active  ~~YellowLamp=On  ~~RedLamp=On  "
            "~~FullCode [ 66]=[ 34]  137:19  ~~OccurrenceCount=5  ");
  EXPECT_TRUE(dictionary.Knows(0xEC12));
  EXPECT_TRUE(dictionary.Knows(0xEE00));
  EXPECT_FALSE(dictionary.Knows(0x1FFFF));
}

TEST_F(NetworkDictionary, ShortFramesListOnlyWhatTheyCarry) {
  EXPECT_EQ(Decode(0xEAFF, 0xFE, {0x00, 0xEE}), std::string(kNoParsibleData));
  EXPECT_EQ(Value("~~DGNRequest", 0xEAFF, {0x00, 0xEE}), "N/D");
  EXPECT_EQ(Decode(0xEE00, 0x80, {0x01, 0x02, 0x63}), "~~NAME=010263FFFFFFFFFF  ");
  EXPECT_EQ(Decode(0xE800, 0x80, {}), std::string(kNoParsibleData));
}

TEST_F(NetworkDictionary, UnknownNamesAndDgnsGiveTheirFixedTexts) {
  EXPECT_EQ(Value("~~NoSuchSignal", 0xEE00, {0, 0, 0, 0, 0, 0, 0, 0}), "N/A");
  EXPECT_EQ(Value("~~ManufacturerI", 0xEE00, {0, 0, 0, 0, 0, 0, 0, 0}), "N/A");  // no prefixes
  EXPECT_EQ(Decode(0x12345, 0x80, {1}), "No Parsible Data");
  // Saved records decode as the frames they hold.
  const auto claim = Frame(0xEE00, 0x80, {0x01, 0x02, 0x63, 0x24, 0x00, 0x8C, 0x00, 0xA0});
  const auto record = framework::FrameRecord::FromFrame(claim.frame, 5, 0);
  EXPECT_EQ(dictionary.DecodeToText(record), dictionary.DecodeToText(claim.frame));
  EXPECT_EQ(dictionary.ValueOf("~~ManufacturerID", record), "291");
}

TEST(DictionaryLookup, OnlyDestinationSpecificDgnsFallBackToTheirBlock) {
  Dictionary dictionary(nullptr);
  dictionary.AddEntry(std::make_unique<DictByte>("dsMotionSafeCnxn", nullptr, 0x1FD00, 0,
                                                 values::SharedValueMakers::Instance().DecByte(255),
                                                 0));
  // 1FD04h is a broadcast DGN of its own, not a destination of 1FD00h.
  EXPECT_FALSE(dictionary.Knows(0x1FD04));
  EXPECT_EQ(dictionary.DecodeToText(Frame(0x1FD04, 1, {1}).frame), "No Parsible Data");
  EXPECT_EQ(dictionary.DecodeToText(Frame(0x1FD00, 1, {1}).frame), "dsMotionSafeCnxn=1  ");
}

}  // namespace
}  // namespace vlt::dictionary
