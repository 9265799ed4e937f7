#include "host/core/host_server.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "framework/host_protocol.h"
#include "host/core/host_control.h"
#include "host/devices/static_dut.h"

namespace vlt::host {
namespace {

namespace fw = vlt::framework;
using Bytes = std::vector<std::uint8_t>;

struct PortState {
  std::vector<Bytes> received;
  bool refusing = false;
  bool gone = false;
  int room = -1;  // messages it takes before refusing, as a socket queue does; -1: no limit
};

class FakePort final : public ToolPort {
 public:
  explicit FakePort(std::shared_ptr<PortState> state) : state_(std::move(state)) {}
  SendResult TrySend(std::span<const std::uint8_t> message) override {
    if (state_->gone) return SendResult::kGone;
    if (state_->refusing || state_->room == 0) return SendResult::kBusy;
    if (state_->room > 0) --state_->room;
    state_->received.emplace_back(message.begin(), message.end());
    return SendResult::kSent;
  }
  int WaitFd() const override { return 42; }

 private:
  std::shared_ptr<PortState> state_;
};

class RecordingDevice final : public SimDevice {
 public:
  void SetPower(bool, std::int64_t) override {}
  bool Powered() const override { return true; }
  void OnBusFrame(const BusFrame& frame, std::int64_t) override { heard.push_back(frame); }
  void Poll(std::int64_t, std::vector<BusFrame>&) override {}
  std::optional<std::int64_t> NextDeadlineMicros() const override { return std::nullopt; }
  std::string Describe() const override { return "recorder"; }
  std::vector<BusFrame> heard;
};

const Bytes kData{1, 2, 3, 4, 5, 6, 7, 8};

class HostServerTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(HostConfig{}); }

  void Start(HostConfig config) {
    ports_.clear();
    server_ = std::make_unique<HostServer>(clock_, std::move(config), [this](const std::string& n) {
      std::unique_ptr<ToolPort> port;
      if (n.starts_with("MORVEL")) {
        auto& state = ports_[n];  // a slot used again keeps its record
        if (!state) state = std::make_shared<PortState>();
        port = std::make_unique<FakePort>(state);
      }
      return port;
    });
    auto device = std::make_unique<RecordingDevice>();
    device_ = device.get();
    server_->Bus().Attach(std::move(device));
  }

  void Send(const std::string& tool, const Bytes& bytes) {
    server_->HandleToolMessage("/run/RVC/" + tool, bytes);
  }
  void Register(const std::string& tool) { Send(tool, fw::RegistrationMessage(tool)); }
  PortState& Port(const std::string& tool) { return *ports_.at(tool); }
  std::vector<Bytes> Take(const std::string& tool) {
    return std::exchange(Port(tool).received, {});
  }
  BusFrame Frame(std::uint32_t dgn, std::uint8_t sa, std::uint8_t tag) {
    Bytes data = kData;
    data[0] = tag;
    return *MakeBusFrame(6, dgn, sa, data);
  }

  platform::ManualClock clock_;
  std::map<std::string, std::shared_ptr<PortState>> ports_;
  std::unique_ptr<HostServer> server_;
  RecordingDevice* device_ = nullptr;
};

TEST_F(HostServerTest, RegistrationsGetIncreasingIdsAndARepeatReplacesTheOldEntry) {
  Register("MORVEL001");
  Register("MORVEL002");
  EXPECT_EQ(Take("MORVEL001"), std::vector<Bytes>{fw::AcknowledgeMessage(1)});
  EXPECT_EQ(Take("MORVEL002"), std::vector<Bytes>{fw::AcknowledgeMessage(2)});

  Register("MORVEL001");  // the tool restarted in its old slot
  EXPECT_EQ(Take("MORVEL001"), std::vector<Bytes>{fw::AcknowledgeMessage(3)});
  EXPECT_EQ(server_->ToolCount(), 2u);
  server_->InjectBusFrame(Frame(0x1FFB7, 0x40, 9));
  EXPECT_EQ(Take("MORVEL001").size(), 1u);  // one copy, not one per registration

  Register("OTHER");  // the factory cannot open this slot
  EXPECT_EQ(server_->Counters().unreachableTools, 1u);
  EXPECT_EQ(server_->ToolCount(), 2u);
}

TEST_F(HostServerTest, TransmitReachesTheBusAndOtherToolsButNotTheSender) {
  Register("MORVEL001");
  Register("MORVEL002");
  Take("MORVEL001");
  Take("MORVEL002");

  Send("MORVEL001", fw::TransmitMessage(0xF9, 0xEAFD, 6, kData));

  ASSERT_EQ(device_->heard.size(), 1u);
  EXPECT_EQ(device_->heard[0].id, 0x18EAFDF9u);
  EXPECT_EQ(Bytes(device_->heard[0].Data().begin(), device_->heard[0].Data().end()), kData);
  EXPECT_EQ(Take("MORVEL002"), std::vector<Bytes>{fw::FrameMessageBytes(0xEAFD, 0xF9, kData)});
  EXPECT_TRUE(Take("MORVEL001").empty());

  // Priority 3, DGN above 17 bits: only the low 17 bits reach the identifier.
  Send("MORVEL002", fw::TransmitMessage(0x80, 0x3FFB7, 3, Bytes{1, 2}));
  ASSERT_EQ(device_->heard.size(), 2u);
  EXPECT_EQ(device_->heard[1].id, (3u << 26) | (0x1FFB7u << 8) | 0x80u);
  EXPECT_EQ(Take("MORVEL001"),
            std::vector<Bytes>{fw::FrameMessageBytes(0x1FFB7, 0x80, Bytes{1, 2})});
}

TEST_F(HostServerTest, EchoModeReturnsOwnFramesAndTheModeOutlivesTheTool) {
  Register("MORVEL001");
  Take("MORVEL001");
  Send("MORVEL001", fw::SetModeMessage(1, 3, 1));
  EXPECT_EQ(Take("MORVEL001"), std::vector<Bytes>{fw::ModeReportMessage(3, 1)});

  Send("MORVEL001", fw::TransmitMessage(0xF9, 0xEAFD, 6, kData));
  EXPECT_EQ(Take("MORVEL001"), std::vector<Bytes>{fw::FrameMessageBytes(0xEAFD, 0xF9, kData)});

  Send("MORVEL001", fw::RemovalMessage(1));
  Register("MORVEL002");
  Take("MORVEL002");
  Send("MORVEL002", fw::SetModeMessage(2, 0xFF, 0xFF));
  EXPECT_EQ(Take("MORVEL002"), std::vector<Bytes>{fw::ModeReportMessage(3, 1)});

  Send("MORVEL002", fw::SetModeMessage(2, 3, 0));  // echo off again
  Take("MORVEL002");
  Send("MORVEL002", fw::TransmitMessage(0xF9, 0xEAFD, 6, kData));
  EXPECT_TRUE(Take("MORVEL002").empty());
}

// The echo returns a frame the tester sends for another node's address once, as
// the bus carried it: never a copy the bus did not carry.
TEST_F(HostServerTest, EchoOfAFrameSentFromAnotherAddressComesBackOnceAsOnTheBus) {
  Register("MORVEL001");
  Register("MORVEL002");
  Send("MORVEL001", fw::SetModeMessage(1, 3, 1));
  Take("MORVEL001");
  Take("MORVEL002");

  Send("MORVEL001", fw::TransmitMessage(0x80, 0xEE00, 6, kData));
  EXPECT_EQ(Take("MORVEL001"), std::vector<Bytes>{fw::FrameMessageBytes(0xEE00, 0x80, kData)});
  EXPECT_EQ(Take("MORVEL002"), std::vector<Bytes>{fw::FrameMessageBytes(0xEE00, 0x80, kData)});
  ASSERT_EQ(device_->heard.size(), 1u);  // one frame on the bus
  EXPECT_EQ(device_->heard[0].id, 0x18EEFF80u);

  Send("MORVEL002", fw::TransmitMessage(0xFE, 0xEA80, 6, kData));  // a request from FEh
  EXPECT_EQ(Take("MORVEL002"), std::vector<Bytes>{fw::FrameMessageBytes(0xEA80, 0xFE, kData)});
  Send("MORVEL002", fw::TransmitMessage(0xF9, 0xEA80, 6, kData));  // its own address
  EXPECT_EQ(Take("MORVEL002").size(), 1u);
  EXPECT_EQ(server_->Counters().ownEchoes, 3u);

  Send("MORVEL001", fw::SetModeMessage(1, 3, 0));
  Take("MORVEL001");
  Send("MORVEL001", fw::TransmitMessage(0x80, 0xEE00, 6, kData));
  EXPECT_TRUE(Take("MORVEL001").empty());
}

TEST_F(HostServerTest, QueriesAndProbesReportTheModeAndControlsAreOnlyCounted) {
  Register("MORVEL001");
  Register("MORVEL002");
  Take("MORVEL001");
  Take("MORVEL002");

  Send("MORVEL001", fw::SetModeMessage(1, 0xFF, 0xFF));
  Send("MORVEL001", fw::ProbeMessage(1));
  EXPECT_EQ(Take("MORVEL001"),
            (std::vector<Bytes>{fw::ModeReportMessage(3, 0), fw::ModeReportMessage(3, 0)}));

  Send("MORVEL001", fw::SetModeMessage(1, 2, 0));  // Silent
  Send("MORVEL002", fw::SetModeMessage(2, 0xFF, 0xFF));
  EXPECT_EQ(Take("MORVEL001"), std::vector<Bytes>{fw::ModeReportMessage(2, 0)});
  EXPECT_EQ(Take("MORVEL002"), std::vector<Bytes>{fw::ModeReportMessage(2, 0)});
  // FFh with another echo byte is a setting, not a query.
  Send("MORVEL002", fw::SetModeMessage(2, 0xFF, 0));
  EXPECT_EQ(Take("MORVEL002"), std::vector<Bytes>{fw::ModeReportMessage(0xFF, 0)});

  Send("MORVEL001", fw::ControlMessage(fw::kMsgControlByte, 1, 0xFF, 0));
  Send("MORVEL001", fw::ControlMessage(fw::kMsgControlWord, 1, 0, 0xFFFFFFFF));
  Send("MORVEL001", fw::ControlMessage(fw::kMsgControlOther, 1, 7, 0));
  EXPECT_TRUE(Take("MORVEL001").empty());
  const HostCounters& c = server_->Counters();
  EXPECT_EQ(c.controls, 3u);
  EXPECT_EQ(c.modeQueries, 2u);
  EXPECT_EQ(c.modeSets, 2u);
  EXPECT_EQ(c.probes, 1u);
}

TEST_F(HostServerTest, RemovalIsAnsweredAndTheToolForgotten) {
  Register("MORVEL001");
  Register("MORVEL002");
  Take("MORVEL001");
  Take("MORVEL002");

  Send("MORVEL001", fw::RemovalMessage(1));
  EXPECT_EQ(Take("MORVEL001"), std::vector<Bytes>{fw::CloseMessage()});
  EXPECT_EQ(server_->ToolCount(), 1u);

  server_->InjectBusFrame(Frame(0x1FFB7, 0x40, 1));
  Send("MORVEL001", fw::TransmitMessage(0xF9, 0xEAFD, 6, kData));
  EXPECT_TRUE(Take("MORVEL001").empty());
  EXPECT_EQ(Take("MORVEL002").size(), 1u);  // the injected frame only
  EXPECT_EQ(device_->heard.size(), 1u);
  EXPECT_EQ(server_->Counters().unregistered, 1u);
}

TEST_F(HostServerTest, BadMessagesAreCountedAndIgnored) {
  Register("MORVEL001");
  Take("MORVEL001");
  const std::vector<Bytes> malformed = {
      {},                                       // empty datagram
      {0x01, 0xF9, 0x00},                       // transmit cut inside its header
      {0x01, 0xF9, 0, 0xEA, 0, 0, 6, 8, 0, 1},  // transmit stating 8 bytes, carrying 1
      {0xE2, 1, 0, 0},                          // set mode cut short
      {0xA2, 1},                                // probe cut short
      {0x82, 1, 0, 0, 0, 9},                    // word control without its word
      {0xFF, 'M', 'O'},                         // registration without its NUL
      {0xFF, 0},                                // registration with an empty name
  };
  for (const Bytes& bytes : malformed) Send("MORVEL001", bytes);
  Send("MORVEL001", fw::RegistrationMessage("../MORVEL001"));
  Send("MORVEL001", fw::RegistrationMessage(".."));
  Send("MORVEL001", Bytes{0x55, 1, 2, 3});
  Send("MORVEL009", fw::TransmitMessage(0xF9, 0xEAFD, 6, kData));  // never registered
  server_->HandleToolMessage("", fw::ProbeMessage(1));             // sender without address
  Send("MORVEL001", fw::TransmitMessage(0xF9, 0xEAFD, 6, Bytes(1786, 0)));  // beyond transport

  const HostCounters& c = server_->Counters();
  EXPECT_EQ(c.malformed, malformed.size() + 2);
  EXPECT_EQ(c.unknown, 1u);
  EXPECT_EQ(c.unregistered, 2u);
  EXPECT_EQ(c.longTransmits, 1u);
  EXPECT_EQ(c.registrations, 1u);
  EXPECT_TRUE(Take("MORVEL001").empty());
  EXPECT_TRUE(device_->heard.empty());
  EXPECT_EQ(server_->ToolCount(), 1u);
}

TEST_F(HostServerTest, StampedFramesCarryHostTimePriorityAndReservedBit) {
  HostConfig config;
  config.stampedFrames = true;
  Start(config);
  Register("MORVEL001");
  Take("MORVEL001");
  clock_.AdvanceMillis(2500);
  BusFrame frame = Frame(0x1FFB7, 0x42, 7);
  frame.id = (3u << 26) | (1u << 25) | (0x1FFB7u << 8) | 0x42u;
  server_->InjectBusFrame(frame);

  const auto received = Take("MORVEL001");
  ASSERT_EQ(received.size(), 1u);
  const fw::HostMessage parsed = fw::ParseHostMessage(received[0]);
  ASSERT_EQ(parsed.kind, fw::HostMessage::Kind::kFrame);
  EXPECT_EQ(parsed.frame.type, fw::kMsgStampedFrame);
  EXPECT_EQ(parsed.frame.dgn, 0x1FFB7u);
  EXPECT_EQ(parsed.frame.sourceAddress, 0x42);
  EXPECT_EQ(parsed.frame.hostMicros, 2'500'000u);
  EXPECT_EQ(parsed.frame.priority, 3);
  EXPECT_EQ(parsed.frame.reservedBit, 1);
  EXPECT_EQ(parsed.frame.data.size(), 8u);
}

TEST_F(HostServerTest, QueueKeepsOrderAndLosesNothingWhileTheToolRefuses) {
  Register("MORVEL001");
  Take("MORVEL001");
  PortState& port = Port("MORVEL001");
  constexpr int kFrames = 5000;
  auto inject = [&](int i) {
    server_->InjectBusFrame(
        Frame(0x1FFB7, static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8)));
  };
  port.room = 0;
  for (int i = 0; i < kFrames / 2; ++i) inject(i);
  server_->Flush();
  EXPECT_TRUE(port.received.empty());
  EXPECT_TRUE(server_->HasPendingOutput());
  std::vector<int> fds;
  server_->PendingOutputFds(fds);
  EXPECT_EQ(fds, std::vector<int>{42});

  // The tool reads a few now and then while frames keep coming.
  for (int i = kFrames / 2; i < kFrames; ++i) {
    if (i % 100 == 0) port.room = 10;
    inject(i);
    if (i % 100 == 50) server_->Flush();
  }
  Send("MORVEL001", fw::ProbeMessage(1));  // the answer queues behind the frames
  port.room = -1;
  server_->Flush();
  const auto received = Take("MORVEL001");
  ASSERT_EQ(received.size(), kFrames + 1u);
  for (int i = 0; i < kFrames; ++i) {
    const fw::HostMessage m = fw::ParseHostMessage(received[i]);
    ASSERT_EQ(m.frame.sourceAddress, static_cast<std::uint8_t>(i)) << i;
    ASSERT_EQ(m.frame.data[0], static_cast<std::uint8_t>(i >> 8)) << i;
  }
  EXPECT_EQ(received.back(), fw::ModeReportMessage(3, 0));
  EXPECT_FALSE(server_->HasPendingOutput());
  EXPECT_EQ(server_->Counters().messagesDropped, 0u);
}

TEST_F(HostServerTest, FullQueueDropsTheNewestAndCountsThem) {
  HostConfig config;
  config.maxQueuedMessages = 10;
  Start(config);
  Register("MORVEL001");
  Take("MORVEL001");
  Port("MORVEL001").refusing = true;
  for (int i = 0; i < 15; ++i)
    server_->InjectBusFrame(Frame(0x1FFB7, static_cast<std::uint8_t>(i), 0));
  Port("MORVEL001").refusing = false;
  server_->Flush();
  const auto received = Take("MORVEL001");
  ASSERT_EQ(received.size(), 10u);
  EXPECT_EQ(fw::ParseHostMessage(received.back()).frame.sourceAddress, 9);
  EXPECT_EQ(server_->Counters().messagesDropped, 5u);
}

TEST_F(HostServerTest, ToolsWhoseSlotClosedAreForgottenAndShutdownSaysGoodbye) {
  Register("MORVEL001");
  Register("MORVEL002");
  Register("MORVEL003");
  Take("MORVEL001");
  Take("MORVEL002");
  Take("MORVEL003");
  Port("MORVEL001").gone = true;
  server_->InjectBusFrame(Frame(0x1FFB7, 1, 0));
  EXPECT_EQ(server_->Counters().lostTools, 1u);
  EXPECT_EQ(server_->ToolCount(), 2u);

  Take("MORVEL002");
  Port("MORVEL002").refusing = true;  // frames pending at shutdown are not worth waiting for
  server_->InjectBusFrame(Frame(0x1FFB7, 2, 0));
  Take("MORVEL003");
  server_->CloseAllTools();
  Port("MORVEL002").refusing = false;
  server_->Flush();
  EXPECT_EQ(Take("MORVEL002"), std::vector<Bytes>{fw::CloseMessage()});
  EXPECT_EQ(Take("MORVEL003"), std::vector<Bytes>{fw::CloseMessage()});
  EXPECT_EQ(server_->ToolCount(), 0u);
  EXPECT_FALSE(server_->HasPendingOutput());
}

TEST_F(HostServerTest, ControlCommandsSwitchTheDutAndReportCounters) {
  EXPECT_EQ(ControlReply(*server_, "dut status"), "error no simulated DUT");
  server_->SetDut(std::make_unique<StaticDut>(StaticDutConfig{}, clock_.NowMicros()));
  EXPECT_EQ(ControlReply(*server_, "dut status"), "ok on static 253");
  EXPECT_EQ(ControlReply(*server_, "dut power off"), "ok off static 253");
  EXPECT_FALSE(server_->Dut()->Powered());
  EXPECT_EQ(ControlReply(*server_, "  dut power on\r"), "ok on static 253");
  EXPECT_TRUE(server_->Dut()->Powered());
  EXPECT_EQ(ControlReply(*server_, "dut power"), "error unknown command");
  // A person's actions on the DUT: its fault condition and its own control.
  const auto& dut = static_cast<const StaticDut&>(*server_->Dut());
  EXPECT_EQ(ControlReply(*server_, "dut fault on"), "ok on static 253");
  EXPECT_TRUE(dut.FaultCondition());
  EXPECT_EQ(ControlReply(*server_, "dut switch"), "ok on static 253");
  EXPECT_EQ(ControlReply(*server_, "dut fault off"), "ok on static 253");
  EXPECT_FALSE(dut.FaultCondition());
  Register("MORVEL001");
  EXPECT_TRUE(ControlReply(*server_, "stats").starts_with("ok tools=1 received=1 registrations=1"));
}

}  // namespace
}  // namespace vlt::host

namespace vlt::host {
namespace {

TEST(DgnOnTheWire, GlobalClaimsAreTheClaimDgnOneToOneAndEverythingElseCrossesUnchanged) {
  struct Case {
    std::uint32_t identifier;
    std::uint32_t toolDgn;
  } wireToTool[] = {
      {0x18EEFF80, 0x0EE00},  // J1939 claim to global
      {0x18EE0080, 0x0EEFF},  // claim to node 00h: never taken for the claim to all
      {0x18EEF980, 0x0EEF9},  // claim sent to one node: judged as such
      {0x18EAFF80, 0x0EAFF},  // request to global keeps its target
      {0x18EA0080, 0x0EA00}, {0x18EA8000, 0x0EA80},
      {0x19FFB780, 0x1FFB7}, {0x1DEEFF80, 0x1EEFF},  // data page 1: no claim
      {0x1DEE0080, 0x1EE00},
  };
  for (const auto& c : wireToTool) {
    BusFrame frame;
    frame.id = c.identifier;
    EXPECT_EQ(ToolDgnOf(frame), c.toolDgn) << std::hex << c.identifier;
    // One to one: the tool's DGN goes out, and prints, as the identifier it came with.
    EXPECT_EQ(WireDgnOf(c.toolDgn), frame.Dgn()) << std::hex << c.identifier;
  }
  EXPECT_EQ(WireDgnOf(0x3FFB7), 0x1FFB7u);
}

namespace external {

class FakeWire final : public BusWire {
 public:
  void Put(const BusFrame& frame) override { put.push_back(frame); }
  std::string StatsText() const override { return "wire_put=" + std::to_string(put.size()); }
  std::vector<BusFrame> put;
};

TEST_F(HostServerTest, ExternalBusFramesKeepTheirStampAndToolFramesLeaveThroughTheWire) {
  HostConfig config;
  config.stampedFrames = true;
  Start(config);
  FakeWire wire;
  server_->SetWire(&wire);
  Register("MORVEL001");
  Register("MORVEL002");
  Take("MORVEL001");
  Take("MORVEL002");
  clock_.AdvanceMillis(3000);

  // Seen by the adapter 1.2 s after the host started, taken by the loop later.
  server_->ReceiveBusFrame(Frame(0x1FFB7, 0x42, 1), clock_.NowMicros() - 1'800'000);
  const fw::HostMessage heard = fw::ParseHostMessage(Take("MORVEL001").at(0));
  EXPECT_EQ(heard.frame.hostMicros, 1'200'000u);
  EXPECT_EQ(Take("MORVEL002").size(), 1u);
  EXPECT_TRUE(wire.put.empty());  // what came from the wire does not go back onto it
  EXPECT_EQ(device_->heard.size(), 1u);

  Send("MORVEL001", fw::TransmitMessage(0x80, 0xEE00, 3, kData));
  ASSERT_EQ(wire.put.size(), 1u);
  EXPECT_EQ(wire.put[0].Priority(), 3);
  EXPECT_EQ(wire.put[0].SourceAddress(), 0x80);
  EXPECT_EQ(wire.put[0].Pgn(), 0xEE00u);
  // Echo rule unchanged: the other tool hears it stamped now, the sender does not.
  EXPECT_EQ(fw::ParseHostMessage(Take("MORVEL002").at(0)).frame.hostMicros, 3'000'000u);
  Take("MORVEL001");
  EXPECT_TRUE(ControlReply(*server_, "stats").ends_with(" wire_put=1"));
  server_->SetWire(nullptr);
}

}  // namespace external

}  // namespace
}  // namespace vlt::host
