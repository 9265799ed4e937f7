#include "host/core/in_process_host.h"

#include <gtest/gtest.h>

#include "framework/host_protocol.h"
#include "host/devices/static_dut.h"
#include "host/transport/j1939_transport.h"

namespace vlt::host {
namespace {

namespace fw = vlt::framework;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kStatusDgn = 0x1FFB7;

TEST(InProcessHost, EndpointsBehaveLikeTheSocketMailslots) {
  platform::ManualClock clock;
  InProcessHost host(clock);
  auto first = host.ConnectTool();
  auto second = host.ConnectTool();

  host.SetRunning(false);
  EXPECT_NE(first->OpenHost(), 0);
  EXPECT_FALSE(first->Write(fw::ProbeMessage(0)));
  host.SetRunning(true);
  EXPECT_EQ(first->OpenHost(), 0);

  std::string firstName = "MORVEL042", secondName = "MORVEL042";
  EXPECT_EQ(first->CreateToolSlot(firstName), 0);
  EXPECT_EQ(second->CreateToolSlot(secondName), 0);
  EXPECT_EQ(secondName, "MORVEL043");  // same virtual millisecond, next free slot

  EXPECT_FALSE(first->NextMessageSize());
  EXPECT_TRUE(first->Write(fw::RegistrationMessage(firstName)));
  EXPECT_TRUE(second->Write(fw::RegistrationMessage(secondName)));
  ASSERT_EQ(second->NextMessageSize(), 5u);
  std::uint8_t buffer[16];
  ASSERT_EQ(second->Read(buffer), 5u);
  EXPECT_EQ(Bytes(buffer, buffer + 5), fw::AcknowledgeMessage(2));

  first.reset();  // a tool that ends without a word is forgotten
  host.InjectFrame(*MakeBusFrame(6, kStatusDgn, 1, Bytes{0}));
  EXPECT_EQ(host.Server().ToolCount(), 1u);
  host.Shutdown();
  second->Read(buffer);  // the frame
  ASSERT_EQ(second->Read(buffer), 1u);
  EXPECT_EQ(buffer[0], fw::kMsgClose);
}

// Every message waiting for the tool; `keep` holds the bytes they point into.
std::vector<fw::HostMessage> TakeAll(platform::Mailslots& tool, std::vector<Bytes>& keep) {
  std::vector<fw::HostMessage> messages;
  std::uint8_t buffer[fw::kReadBufferBytes];
  while (tool.NextMessageSize()) {
    const auto n = tool.Read(buffer);
    keep.emplace_back(buffer, buffer + *n);
  }
  for (const Bytes& bytes : keep) messages.push_back(fw::ParseHostMessage(bytes));
  return messages;
}

BusFrame TpFrame(std::uint32_t pgn, std::uint8_t source, const Bytes& data) {
  return *MakeBusFrame(kTpPriority, pgn | kGlobalAddress, source, data);
}

TEST(InProcessHost, AHostStartedAfterACrashBeginsAfreshWhileItsDutLivesOn) {
  platform::ManualClock clock;
  InProcessHost host(clock);
  host.SetDut(std::make_unique<StaticDut>(StaticDutConfig{}, clock.NowMicros()));
  int toolDataPackets = 0;
  host.SetFrameTap([&](const BusFrame& frame, std::int64_t) {
    if (frame.Pgn() == kPgnTpDt && frame.SourceAddress() == 0x10) ++toolDataPackets;
  });
  auto old = host.ConnectTool();
  std::string name = "MORVEL042";
  ASSERT_EQ(old->OpenHost(), 0);
  ASSERT_EQ(old->CreateToolSlot(name), 0);
  old->Write(fw::RegistrationMessage(name));
  old->Write(fw::SetModeMessage(1, 1, 1));
  // A long message of the tool's under way, and a node's broadcast announced.
  old->Write(fw::TransmitMessage(0x10, kStatusDgn, 6, Bytes(40, 0xA5)));
  host.AdvanceMillis(60);
  host.InjectFrame(TpFrame(kPgnTpCm, 0x80, {kTpBam, 9, 0, 2, 0xFF, 0xB7, 0xFF, 0x01}));
  EXPECT_EQ(host.Control("dut status"), "ok on static 253");
  EXPECT_EQ(host.Server().HostMode(), 1);
  EXPECT_EQ(host.Server().EchoFlag(), 1);
  const int packetsBefore = toolDataPackets;
  EXPECT_GT(packetsBefore, 0);
  EXPECT_LT(packetsBefore, 6);

  host.Crash();
  host.AdvanceMillis(300);                    // within the broadcast's time between packets
  EXPECT_EQ(toolDataPackets, packetsBefore);  // the killed host sends no more of it
  host.SetRunning(true);
  EXPECT_EQ(host.Server().HostMode(), kStartHostMode);
  EXPECT_EQ(host.Server().EchoFlag(), kStartEchoFlag);
  EXPECT_EQ(host.Control("dut status"), "ok on static 253");

  auto fresh = host.ConnectTool();
  name = "MORVEL050";
  ASSERT_EQ(fresh->OpenHost(), 0);
  ASSERT_EQ(fresh->CreateToolSlot(name), 0);
  fresh->Write(fw::RegistrationMessage(name));
  std::vector<Bytes> keep;
  const auto ack = TakeAll(*fresh, keep);
  ASSERT_EQ(ack.size(), 1u);
  fresh->Write(fw::SetModeMessage(ack[0].toolId, fw::kQueryModeByte, fw::kQueryModeByte));
  // The rest of the broadcast begun before the new host: packets, but no message.
  host.InjectFrame(TpFrame(kPgnTpDt, 0x80, {1, 1, 2, 3, 4, 5, 6, 7}));
  host.InjectFrame(TpFrame(kPgnTpDt, 0x80, {2, 8, 9, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  keep.clear();
  int reports = 0, packets = 0, messages = 0;
  for (const fw::HostMessage& m : TakeAll(*fresh, keep)) {
    if (m.kind == fw::HostMessage::Kind::kModeReport) {
      ++reports;
      EXPECT_EQ(m.hostMode, kStartHostMode);
      EXPECT_EQ(m.echoFlag, kStartEchoFlag);
    }
    if (m.kind != fw::HostMessage::Kind::kFrame || m.frame.sourceAddress != 0x80) continue;
    packets += m.frame.dgn == (kPgnTpDt | kGlobalAddress);
    messages += m.frame.dgn == kStatusDgn;
  }
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(packets, 2);
  EXPECT_EQ(messages, 0);
}

}  // namespace
}  // namespace vlt::host
