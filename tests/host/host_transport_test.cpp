// Multi-packet messages through the host, on virtual time: what tools receive
// from a device's BAM or RTS/CTS, and how a tool's long transmission reaches a
// simulated receiver.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "framework/host_protocol.h"
#include "host/core/host_control.h"
#include "host/core/host_server.h"
#include "host/transport/j1939_transport.h"

namespace vlt::host {
namespace {

namespace fw = vlt::framework;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kDut = 0x80;
constexpr std::uint32_t kProductId = 0xFEEB;
constexpr std::uint32_t kProprietaryA = 0xEF00;

class InboxPort final : public ToolPort {
 public:
  explicit InboxPort(std::shared_ptr<std::vector<Bytes>> inbox) : inbox_(std::move(inbox)) {}
  SendResult TrySend(std::span<const std::uint8_t> message) override {
    inbox_->emplace_back(message.begin(), message.end());
    return SendResult::kSent;
  }

 private:
  std::shared_ptr<std::vector<Bytes>> inbox_;
};

// A node at 80h with its own J1939 transport: it answers RTS/CTS addressed to it,
// or stays silent to let the host's timers run out.
class TransportNode final : public SimDevice {
 public:
  explicit TransportNode(bool answers)
      : answers_(answers),
        assembler_(kDut,
                   {[this](const TransportMessage& m) { received.push_back(m); },
                    [this](const BusFrame& f) { outbox_.push_back(f); },
                    {}},
                   counters_) {}
  void SetPower(bool, std::int64_t) override {}
  bool Powered() const override { return true; }
  void OnBusFrame(const BusFrame& frame, std::int64_t nowMicros) override {
    heard.push_back(frame);
    if (answers_) {
      assembler_.OnFrame(frame, nowMicros);
      if (!outbox_.empty()) due_ = nowMicros;
    }
  }
  void Poll(std::int64_t, std::vector<BusFrame>& out) override {
    out.insert(out.end(), outbox_.begin(), outbox_.end());
    outbox_.clear();
    due_.reset();
  }
  std::optional<std::int64_t> NextDeadlineMicros() const override { return due_; }
  std::string Describe() const override { return "transport node"; }

  std::vector<BusFrame> heard;
  std::vector<TransportMessage> received;

 private:
  bool answers_;
  TransportCounters counters_;
  TransportAssembler assembler_;
  std::vector<BusFrame> outbox_;
  std::optional<std::int64_t> due_;
};

Bytes Message(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i + 1);
  return bytes;
}

BusFrame Frame(std::uint32_t pgn, std::uint8_t destination, std::uint8_t source, Bytes data) {
  return *MakeBusFrame(kTpPriority, pgn | destination, source, data);
}

std::vector<BusFrame> BamFrames(std::uint8_t source, const Bytes& message, std::uint32_t pgn) {
  const auto packets = static_cast<std::uint8_t>((message.size() + 6) / 7);
  std::vector<BusFrame> frames = {
      Frame(kPgnTpCm, kGlobalAddress, source,
            {kTpBam, static_cast<std::uint8_t>(message.size()), 0, packets, 0xFF,
             static_cast<std::uint8_t>(pgn), static_cast<std::uint8_t>(pgn >> 8), 0})};
  for (std::uint8_t s = 1; s <= packets; ++s) {
    Bytes data(8, 0xFF);
    data[0] = s;
    for (std::size_t i = 0; i < 7 && (s - 1) * 7u + i < message.size(); ++i) {
      data[1 + i] = message[(s - 1) * 7u + i];
    }
    frames.push_back(Frame(kPgnTpDt, kGlobalAddress, source, data));
  }
  return frames;
}

class HostTransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = std::make_unique<HostServer>(clock_, HostConfig{}, [this](const std::string& n) {
      auto& inbox = inboxes_[n];
      inbox = std::make_shared<std::vector<Bytes>>();
      return std::make_unique<InboxPort>(inbox);
    });
    for (const char* tool : {"MORVEL001", "MORVEL002"}) {
      server_->HandleToolMessage(tool, fw::RegistrationMessage(tool));
      Take(tool);
    }
  }
  void Attach(bool answers) {
    auto node = std::make_unique<TransportNode>(answers);
    node_ = node.get();
    server_->Bus().Attach(std::move(node));
  }
  std::vector<Bytes> Take(const std::string& tool) { return std::exchange(*inboxes_.at(tool), {}); }
  // The long messages a tool received, as 00h messages with more than 8 bytes.
  std::vector<Bytes> Whole(const std::vector<Bytes>& messages) {
    std::vector<Bytes> whole;
    std::copy_if(messages.begin(), messages.end(), std::back_inserter(whole),
                 [](const Bytes& m) { return m.size() > fw::kFrameHeaderBytes + 8; });
    return whole;
  }
  void Transmit(const char* tool, std::uint32_t dgn, const Bytes& data) {
    server_->HandleToolMessage(tool, fw::TransmitMessage(kToolAddress, dgn, 6, data));
  }
  // Runs the host at each deadline, as its loop does, until nothing is due.
  void RunMs(std::int64_t ms) {
    const std::int64_t end = clock_.NowMicros() + ms * 1000;
    while (auto next = server_->NextDeadlineMicros()) {
      if (*next > end) break;
      if (*next > clock_.NowMicros()) clock_.AdvanceMicros(*next - clock_.NowMicros());
      server_->RunDue();
    }
    clock_.AdvanceMicros(end - clock_.NowMicros());
  }
  std::string Stats() { return ControlReply(*server_, "stats"); }

  platform::ManualClock clock_;
  std::map<std::string, std::shared_ptr<std::vector<Bytes>>> inboxes_;
  std::unique_ptr<HostServer> server_;
  TransportNode* node_ = nullptr;
};

TEST_F(HostTransportTest, DeviceBamReachesToolsAsItsFramesAndThenWhole) {
  const Bytes message = Message(20);
  for (const BusFrame& frame : BamFrames(kDut, message, kProductId)) {
    clock_.AdvanceMicros(kBamPacketGapMs * 1000);
    server_->InjectBusFrame(frame);
  }
  const std::vector<Bytes> got = Take("MORVEL001");
  ASSERT_EQ(got.size(), 5u);  // TP.CM, three TP.DT, then the message
  EXPECT_EQ(got.back(), fw::FrameMessageBytes(kProductId, kDut, message));
  EXPECT_EQ(Take("MORVEL002"), got);
  EXPECT_NE(Stats().find(" tp_assembled=1 "), std::string::npos) << Stats();
}

TEST_F(HostTransportTest, BrokenBamNeverReachesToolsHalfAndTheReasonIsInTheStats) {
  std::vector<BusFrame> frames = BamFrames(kDut, Message(20), kProductId);
  frames.erase(frames.begin() + 2);  // packet 2 lost
  for (const BusFrame& frame : frames) server_->InjectBusFrame(frame);
  RunMs(kTpT1Ms);
  EXPECT_TRUE(Whole(Take("MORVEL001")).empty());
  EXPECT_NE(Stats().find(" tp_drop_lost=1 "), std::string::npos) << Stats();
  EXPECT_EQ(server_->Counters().transport.assembled, 0u);
}

TEST_F(HostTransportTest, RtsToTheToolAddressIsAnsweredByTheHost) {
  Attach(false);
  const Bytes message = Message(10);
  server_->InjectBusFrame(
      Frame(kPgnTpCm, kToolAddress, kDut, {kTpRts, 10, 0, 2, 0xFF, 0x00, 0xEF, 0x00}));
  ASSERT_EQ(node_->heard.size(), 2u);  // the RTS, then the host's CTS from F9h
  EXPECT_EQ(node_->heard[1],
            Frame(kPgnTpCm, kDut, kToolAddress, {kTpCts, 2, 1, 0xFF, 0xFF, 0x00, 0xEF, 0x00}));
  server_->InjectBusFrame(Frame(kPgnTpDt, kToolAddress, kDut, {1, 1, 2, 3, 4, 5, 6, 7}));
  server_->InjectBusFrame(
      Frame(kPgnTpDt, kToolAddress, kDut, {2, 8, 9, 10, 0xFF, 0xFF, 0xFF, 0xFF}));
  ASSERT_EQ(node_->heard.size(), 5u);
  EXPECT_EQ(node_->heard[4].data[0], kTpEndOfMessageAck);
  // Without echo the tools do not see the host's answers, only the device's frames.
  const std::vector<Bytes> got = Take("MORVEL001");
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got.back(), fw::FrameMessageBytes(kProprietaryA | kToolAddress, kDut, message));
}

TEST_F(HostTransportTest, ASilentOrAbsentTesterLeavesRtsToItsAddressUnanswered) {
  Attach(false);
  const BusFrame rts =
      Frame(kPgnTpCm, kToolAddress, kDut, {kTpRts, 10, 0, 2, 0xFF, 0x00, 0xEF, 0x00});
  server_->HandleToolMessage("MORVEL001", fw::SetModeMessage(1, 2, 0));  // Silent
  server_->InjectBusFrame(rts);
  EXPECT_EQ(node_->heard.size(), 1u);
  RunMs(kTpT3Ms);  // followed only: it times out unanswered
  EXPECT_EQ(server_->Counters().transport.Drops(TransportDrop::kTimeout), 1u);
  EXPECT_EQ(server_->Counters().transport.abortsSent, 0u);

  server_->HandleToolMessage("MORVEL001", fw::SetModeMessage(1, 3, 0));  // Tools
  server_->HandleToolMessage("MORVEL001", fw::RemovalMessage(1));
  server_->HandleToolMessage("MORVEL002", fw::RemovalMessage(2));
  server_->InjectBusFrame(rts);
  EXPECT_EQ(node_->heard.size(), 2u);
  server_->HandleToolMessage("MORVEL003", fw::RegistrationMessage("MORVEL003"));
  server_->InjectBusFrame(rts);  // a new RTS once the tester is back is answered
  ASSERT_EQ(node_->heard.size(), 4u);
  EXPECT_EQ(node_->heard[3].data[0], kTpCts);
}

TEST_F(HostTransportTest, ToolsLongGlobalTransmitGoesOutAsBamAtTheGap) {
  Attach(true);
  const Bytes message = Message(1785);
  Transmit("MORVEL001", kProductId, message);
  EXPECT_EQ(node_->heard.size(), 1u);  // the BAM at once, the packets later
  RunMs(255 * kBamPacketGapMs);
  ASSERT_EQ(node_->heard.size(), 256u);
  ASSERT_EQ(node_->received.size(), 1u);
  EXPECT_EQ(node_->received[0].data, message);
  EXPECT_EQ(node_->received[0].sourceAddress, kToolAddress);
  // The other tool sees the frames and the message whole; the sender, out of echo, nothing.
  const std::vector<Bytes> other = Take("MORVEL002");
  EXPECT_EQ(other.size(), 257u);
  EXPECT_EQ(other.back(), fw::FrameMessageBytes(kProductId, kToolAddress, message));
  EXPECT_TRUE(Take("MORVEL001").empty());
  EXPECT_EQ(server_->Counters().longTransmits, 0u);
  EXPECT_EQ(server_->Counters().transport.sent, 1u);
}

TEST_F(HostTransportTest, ToolsTransmitToOneNodeGoesByRtsCtsAndEchoesWholeOnceAcknowledged) {
  Attach(true);
  server_->HandleToolMessage("MORVEL001", fw::SetModeMessage(1, 3, 1));  // echo on
  Take("MORVEL001");
  const Bytes message = Message(30);
  Transmit("MORVEL001", kProprietaryA | kDut, message);
  RunMs(10);
  ASSERT_EQ(node_->received.size(), 1u);
  EXPECT_EQ(node_->received[0].data, message);
  EXPECT_EQ(server_->Counters().transport.sent, 1u);
  const std::vector<Bytes> own = Take("MORVEL001");
  ASSERT_EQ(Whole(own).size(), 1u);
  EXPECT_EQ(own.back(), fw::FrameMessageBytes(kProprietaryA | kDut, kToolAddress, message));
}

TEST_F(HostTransportTest, TransmitToASilentNodeTimesOutWithAnAbortAndNothingWhole) {
  Attach(false);
  Transmit("MORVEL001", kProprietaryA | kDut, Message(30));
  RunMs(kTpT3Ms - 1);
  EXPECT_EQ(server_->Counters().transport.sendFailed, 0u);
  RunMs(1);
  ASSERT_EQ(node_->heard.size(), 2u);  // the RTS and the abort
  EXPECT_EQ(node_->heard[1].data[0], kTpAbort);
  EXPECT_EQ(node_->heard[1].data[1], kAbortTimeout);
  EXPECT_EQ(server_->Counters().transport.sendFailed, 1u);
  EXPECT_TRUE(Whole(Take("MORVEL002")).empty());
  EXPECT_FALSE(server_->NextDeadlineMicros().has_value());
}

class WireLog final : public BusWire {
 public:
  void Put(const BusFrame& frame) override { frames.push_back(frame); }
  std::vector<BusFrame> frames;
};

TEST_F(HostTransportTest, ExternalBusSessionIsAnsweredOnTheWireAndKeepsTheLastFramesStamp) {
  const std::int64_t start = clock_.NowMicros();
  HostConfig stamped;
  stamped.stampedFrames = true;
  server_ = std::make_unique<HostServer>(clock_, stamped, [this](const std::string& n) {
    auto& inbox = inboxes_[n];
    inbox = std::make_shared<std::vector<Bytes>>();
    return std::make_unique<InboxPort>(inbox);
  });
  server_->HandleToolMessage("MORVEL001", fw::RegistrationMessage("MORVEL001"));
  Take("MORVEL001");
  WireLog wire;
  server_->SetWire(&wire);
  clock_.AdvanceMicros(5'000'000);
  const std::int64_t stamp = clock_.NowMicros() - 2'000;  // the adapter saw it 2 ms ago
  server_->ReceiveBusFrame(
      Frame(kPgnTpCm, kToolAddress, kDut, {kTpRts, 9, 0, 2, 0xFF, 0x00, 0xEF, 0x00}), stamp);
  server_->ReceiveBusFrame(Frame(kPgnTpDt, kToolAddress, kDut, {1, 1, 2, 3, 4, 5, 6, 7}), stamp);
  server_->ReceiveBusFrame(
      Frame(kPgnTpDt, kToolAddress, kDut, {2, 8, 9, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), stamp);
  ASSERT_EQ(wire.frames.size(), 2u);  // CTS and EoMA go out to the outside bus, nothing else
  EXPECT_EQ(wire.frames[0].data[0], kTpCts);
  EXPECT_EQ(wire.frames[1].data[0], kTpEndOfMessageAck);
  const std::vector<Bytes> got = Take("MORVEL001");
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got.back(),
            fw::StampedFrameMessageBytes(kProprietaryA | kToolAddress, kDut,
                                         static_cast<std::uint32_t>(stamp - start), kTpPriority, 0,
                                         Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  server_->SetWire(nullptr);
}

}  // namespace
}  // namespace vlt::host
