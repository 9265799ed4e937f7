#include "framework/br_link.h"

#include <gtest/gtest.h>

#include "framework/frame_record.h"
#include "support/virtual_time.h"

namespace vlt::framework {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::RecordingPrompter;
using testing::ScriptedMailslots;

class FrameSink : public BRParser {
 public:
  void OnFrame(const FrameMessage& message) override {
    records.push_back(FrameRecord::FromFrame(message, 1234, 1000));
    own.push_back(message.ownTransmission);
  }
  std::vector<FrameRecord> records;
  std::vector<bool> own;
};

struct LinkFixture : ::testing::Test {
  platform::ManualClock clock;
  ScriptedMailslots mailslots;
  RecordingPrompter prompter;
  platform::MemoryLogPane pane;
  LogOutput log;
  BRLink link{mailslots, clock, prompter, log};
  Registered<FrameSink> sink{link.Parsers()};

  LinkFixture() { log.Attach(&pane); }
  ~LinkFixture() override { log.Detach(); }

  void Connect(std::uint32_t toolId = 0x11223344) {
    link.Open();
    mailslots.Queue(AcknowledgeMessage(toolId));
    link.ReceivePass();
  }
};

TEST_F(LinkFixture, RegistersWithItsSlotNameAndConnectsOnTheAcknowledgement) {
  clock.SetUtcMillisecondField(42);
  link.Open();
  EXPECT_EQ(link.ToolName(), "MORVEL042");
  ASSERT_EQ(mailslots.written.size(), 1u);
  EXPECT_EQ(mailslots.written[0], (Bytes{0xFF, 'M', 'O', 'R', 'V', 'E', 'L', '0', '4', '2', 0}));
  EXPECT_EQ(link.GetState(), BRLink::State::kRegistered);

  mailslots.Queue(AcknowledgeMessage(0x11223344));
  link.ReceivePass();
  EXPECT_EQ(link.GetState(), BRLink::State::kConnected);
  EXPECT_EQ(link.ToolId(), 0x11223344u);
}

TEST_F(LinkFixture, StartupControlItemGoesOutInThePassThatReadsTheAcknowledgement) {
  link.Open();
  link.QueueControl({0xFF, 0xFFFFFFFF, 0});
  link.ReceivePass();  // not connected yet: nothing is sent
  EXPECT_TRUE(mailslots.WrittenOfType(kMsgControlByte).empty());
  mailslots.Queue(AcknowledgeMessage(0x0A0B0C0D));
  link.ReceivePass();
  EXPECT_EQ(mailslots.WrittenOfType(kMsgControlByte),
            (std::vector<Bytes>{{0x80, 0x0D, 0x0C, 0x0B, 0x0A, 0xFF}}));
}

TEST_F(LinkFixture, SecondAcknowledgementReplacesTheToolIdInLaterControlMessages) {
  Connect(1);
  mailslots.Queue(AcknowledgeMessage(2));
  link.ReceivePass();
  link.QueueControl({0x00, 0xCAFEBABE, 2});
  link.ReceivePass();
  EXPECT_EQ(mailslots.WrittenOfType(kMsgControlWord),
            (std::vector<Bytes>{{0x82, 2, 0, 0, 0, 0xBE, 0xBA, 0xFE, 0xCA}}));
}

TEST_F(LinkFixture, SendPassTakesTheMostRecentItemFirstAndOnePerPass) {
  Connect(1);
  link.QueueControl({0x01, 0, 0});
  link.QueueControl({0x02, 0, 5});
  link.ReceivePass();
  link.ReceivePass();
  const auto& w = mailslots.written;
  ASSERT_GE(w.size(), 2u);
  EXPECT_EQ(w[w.size() - 2], (Bytes{0x86, 1, 0, 0, 0, 0x02}));
  EXPECT_EQ(w[w.size() - 1], (Bytes{0x80, 1, 0, 0, 0, 0x01}));
}

TEST_F(LinkFixture, FramesBeforeFramesAreEnabledAreCountedButReachNoParser) {
  Connect();
  const Bytes data{1, 2, 3, 4, 5, 6, 7, 8};
  mailslots.Queue(FrameMessageBytes(0xFEEB, 0x80, data));
  link.ReceivePass();
  EXPECT_TRUE(sink.records.empty());
  EXPECT_EQ(link.ReceivedCount(), 2u);
  EXPECT_EQ(link.Counters().framesDropped, 1u);

  link.EnableFrames(true);
  mailslots.Queue(FrameMessageBytes(0xFEEB, 0x80, data));
  link.ReceivePass();
  ASSERT_EQ(sink.records.size(), 1u);
  const FrameRecord& r = sink.records[0];
  EXPECT_EQ(std::uint16_t{r.length}, 8);
  EXPECT_EQ(r.priority, 6);
  EXPECT_EQ(std::uint32_t{r.dgn}, 0xFEEBu);
  EXPECT_EQ(r.sourceAddress, 0x80);
  EXPECT_EQ(std::uint32_t{r.timeStamp}, 1234u);
  EXPECT_EQ(std::uint32_t{r.relativeTime}, 234u);
  EXPECT_EQ(r.data[7], 8);
}

TEST_F(LinkFixture, StampedFrameCarriesTheHostTimeInMilliseconds) {
  Connect();
  link.EnableFrames(true);
  const Bytes data{0xAA, 0xBB};
  mailslots.Queue(StampedFrameMessageBytes(0x1FFFF, 0x42, 2'500'000, 3, 1, data));
  link.ReceivePass();
  ASSERT_EQ(sink.records.size(), 1u);
  EXPECT_EQ(std::uint32_t{sink.records[0].timeStamp}, 2500u);
  EXPECT_EQ(sink.records[0].messageType, 0x03);
  EXPECT_EQ(sink.records[0].priority, 3);
  EXPECT_EQ(sink.records[0].reservedBit, 1);
  EXPECT_EQ(std::uint16_t{sink.records[0].length}, 2);
}

TEST_F(LinkFixture, BadHostMessagesAreCountedAndNeverDispatched) {
  Connect(5);
  link.EnableFrames(true);
  Bytes lengthPastMessage = FrameMessageBytes(0xFEEB, 0x80, Bytes{1, 2, 3});
  lengthPastMessage[6] = 9;  // states 9 data bytes, carries 3
  Bytes stampedTooShort = {0x03, 0xEB, 0xFE, 0x00, 0x00, 0x80};
  struct Case {
    const char* what;
    Bytes message;
  } cases[] = {
      {"empty message", {}},
      {"acknowledgement without its id", {0xFF, 0x01}},
      {"frame header cut short", {0x00, 0xEB, 0xFE}},
      {"frame length past the message", lengthPastMessage},
      {"stamped frame cut short", stampedTooShort},
      {"mode report cut short", {0xE3, 0x01}},
  };
  for (const auto& c : cases) mailslots.Queue(c.message);
  mailslots.Queue({0x77, 1, 2, 3});  // unknown type
  link.ReceivePass();
  EXPECT_TRUE(sink.records.empty());
  EXPECT_EQ(link.Counters().malformed, std::size(cases));
  EXPECT_EQ(link.Counters().unknownType, 1u);
  EXPECT_EQ(link.ToolId(), 5u);  // the short acknowledgement changed nothing
  EXPECT_EQ(link.GetState(), BRLink::State::kConnected);
}

TEST_F(LinkFixture, OnlyTheSeventeenBitsOfADgnReachTheParsers) {
  Connect();
  link.EnableFrames(true);
  mailslots.Queue(FrameMessageBytes(0x0800EAFF, 0x80, Bytes{0, 0xEE, 0}));
  mailslots.Queue(StampedFrameMessageBytes(0xFFFFFFFF, 0x80, 0, 6, 0, Bytes{1}));
  link.ReceivePass();
  ASSERT_EQ(sink.records.size(), 2u);
  EXPECT_EQ(std::uint32_t{sink.records[0].dgn}, 0xEAFFu);
  EXPECT_EQ(std::uint32_t{sink.records[1].dgn}, 0x1FFFFu);
  EXPECT_EQ(ParseToolMessage(TransmitMessage(0xF9, 0xFF01FEEB, 6, Bytes{1})).dgn, 0x1FEEBu);
}

TEST_F(LinkFixture, FrameLongerThanTheRecordIsCutToItsRoom) {
  Connect();
  link.EnableFrames(true);
  mailslots.Queue(FrameMessageBytes(0xFEEB, 0x80, Bytes(1790, 0x41)));
  link.ReceivePass();
  ASSERT_EQ(sink.records.size(), 1u);
  EXPECT_EQ(std::uint16_t{sink.records[0].length}, kMaxFrameDataBytes);
  EXPECT_EQ(link.Counters().framesCut, 1u);
}

TEST_F(LinkFixture, FailedReadIsLoggedAndNotTakenForAMessage) {
  Connect(9);
  mailslots.Queue(AcknowledgeMessage(1));
  mailslots.failNextRead = true;
  link.ReceivePass();
  EXPECT_EQ(pane.Text(), "Mailslot read failed.\r\n");
  EXPECT_EQ(link.ToolId(), 9u);
  EXPECT_EQ(link.Counters().readFailures, 1u);
}

TEST_F(LinkFixture, HostCloseEndsReadingAndWriting) {
  Connect();
  mailslots.Queue(CloseMessage());
  mailslots.Queue(AcknowledgeMessage(3));
  link.ReceivePass();
  EXPECT_EQ(link.GetState(), BRLink::State::kClosed);
  EXPECT_EQ(link.ToolId(), 0u);
  EXPECT_EQ(mailslots.incoming.size(), 1u);  // nothing more was read
  const std::size_t before = mailslots.written.size();
  EXPECT_FALSE(link.Transmit(0xF9, 0xEA00, Bytes{0, 0xEE, 0}));
  link.BeginClose();  // the removal still goes out
  EXPECT_EQ(mailslots.written.size(), before + 1);
  EXPECT_EQ(mailslots.written.back()[0], kMsgRemove);
}

TEST_F(LinkFixture, ModeReportIsStoredAndReadAsAToolMode) {
  Connect();
  EXPECT_EQ(link.CurrentToolMode(), 0xFFu);  // unknown until the host reports
  mailslots.Queue(ModeReportMessage(3, 1));
  link.ReceivePass();
  EXPECT_EQ(link.CurrentToolMode(), 6u);  // Echo|Tools

  // A set or a query makes the stored mode unknown until the host answers it,
  // so that nothing reads a mode the host may have left already.
  for (const std::uint8_t hostMode : {std::uint8_t{3}, kQueryModeByte}) {
    ASSERT_TRUE(link.Write(SetModeMessage(link.ToolId(), hostMode, hostMode == 3 ? 0 : 0xFF)));
    EXPECT_EQ(link.CurrentToolMode(), 0xFFu);
    mailslots.Queue(ModeReportMessage(3, 0));
    link.ReceivePass();
    EXPECT_EQ(link.CurrentToolMode(), 2u);  // Tools
  }
  // Other messages leave it alone.
  ASSERT_TRUE(link.Transmit(0xF9, 0xEA00, std::vector<std::uint8_t>{0, 0xEE, 0}));
  EXPECT_EQ(link.CurrentToolMode(), 2u);
}

// With the host's echo on, each transmission's echo is known for the tool's
// own, once, whether the host reports it under the address it went out from
// or under the tool's address; a device's frame of the same content is not.
TEST_F(LinkFixture, EchoesOfItsOwnTransmissionsAreMarkedOnceAsTheyWentOut) {
  Connect();
  link.EnableFrames(true);
  const Bytes claim{1, 2, 3, 4, 5, 6, 7, 8};
  const Bytes request{0x00, 0xEE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  link.Transmit(0x80, 0xEE00, claim);  // echo off: no echo awaited
  mailslots.Queue(FrameMessageBytes(0xEE00, 0x80, claim));
  link.ReceivePass();

  mailslots.Queue(ModeReportMessage(3, 1));
  link.ReceivePass();
  link.Transmit(0x80, 0xEE00, claim);
  link.Transmit(0xFE, 0xEA80, request);
  mailslots.Queue(FrameMessageBytes(0xEE00, 0x81, claim));    // another address: the device's
  mailslots.Queue(FrameMessageBytes(0xEE00, 0x80, claim));    // the echo
  mailslots.Queue(FrameMessageBytes(0xEE00, 0x80, claim));    // the device, same content
  mailslots.Queue(FrameMessageBytes(0xEA80, 0xF9, request));  // echo under the tool's address
  link.ReceivePass();
  ASSERT_EQ(sink.own, (std::vector<bool>{false, false, true, false, true}));
  EXPECT_EQ(sink.records[4].sourceAddress, 0xFE);  // as it went on the bus

  // An echo that never comes is not waited for past its time.
  link.Transmit(0x80, 0xEE00, claim);
  clock.AdvanceMicros(BRLink::kOwnEchoWaitMicros + 1);
  mailslots.Queue(FrameMessageBytes(0xEE00, 0x80, claim));
  link.ReceivePass();
  EXPECT_FALSE(sink.own.back());
}

TEST(HostModeMapping, BothDirectionsFollowTheTable) {
  struct Case {
    std::uint32_t toolMode;
    std::uint8_t hostMode, echo;
  } cases[] = {{0, 2, 0}, {1, 1, 0}, {2, 3, 0}, {3, 0, 0},
               {4, 2, 1}, {5, 1, 1}, {6, 3, 1}, {7, 0, 1}};
  for (const auto& c : cases) {
    const auto bytes = HostModeFromToolMode(c.toolMode);
    EXPECT_EQ(bytes.hostMode, c.hostMode) << c.toolMode;
    EXPECT_EQ(bytes.echoFlag, c.echo) << c.toolMode;
    EXPECT_EQ(ToolModeFromHostMode(c.hostMode, c.echo), c.toolMode);
  }
  EXPECT_EQ(HostModeFromToolMode(8).hostMode, 0xFF);
  EXPECT_EQ(ToolModeFromHostMode(4, 1), 0xFFu);  // an unknown mode stays unknown with echo
}

TEST(LinkOpen, MissingHostOrSlotShowsTheStartupBoxAndFails) {
  platform::ManualClock clock;
  RecordingPrompter prompter;
  LogOutput log;
  ScriptedMailslots noHost;
  noHost.hostError = 2;
  BRLink a(noHost, clock, prompter, log);
  a.Open();
  EXPECT_EQ(a.GetState(), BRLink::State::kFailed);

  ScriptedMailslots noSlot;
  noSlot.toolSlotError = 0x62;
  BRLink b(noSlot, clock, prompter, log);
  b.Open();
  EXPECT_EQ(b.GetState(), BRLink::State::kFailed);
  EXPECT_TRUE(noSlot.written.empty());

  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[0].first, "Module Initialization Error");
  EXPECT_EQ(prompter.boxes[0].second, "This program must be run through Brantel.  Code    2");
  EXPECT_EQ(prompter.boxes[1].second,
            "An error has occurred with the Brantel connection.  Code   62");
  // The reason says which slot failed: a host answered when the tester's own slot did not.
  EXPECT_TRUE(a.DownReason().starts_with("No host answers at ")) << a.DownReason();
  EXPECT_EQ(b.DownReason(),
            "The tester's own slot in " + noSlot.HostLocation() + " could not be made (code 98).");

  noHost.Queue(AcknowledgeMessage(1));
  a.ReceivePass();  // a failed link reads nothing
  EXPECT_EQ(a.ReceivedCount(), 0u);
}

}  // namespace
}  // namespace vlt::framework
