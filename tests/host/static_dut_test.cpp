#include "host/static_dut.h"

#include <gtest/gtest.h>

#include "framework/host_protocol.h"
#include "host/in_process_host.h"

namespace vlt::host {
namespace {

namespace fw = vlt::framework;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kDut = 253;
constexpr DeviceName kName{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x08};

struct SeenFrame {
  std::uint32_t dgn;
  std::uint8_t sourceAddress;
  std::uint32_t hostMicros;
  std::uint8_t priority;
  Bytes data;
};

HostConfig Stamped() {
  HostConfig config;
  config.stampedFrames = true;
  return config;
}

// A tool on the in-process host that sees frames with the host's time stamps.
class StaticDutTest : public ::testing::Test {
 protected:
  StaticDutTest() : host_(clock_, Stamped()) {
    host_.SetDut(std::make_unique<StaticDut>(
        StaticDutConfig{.address = kDut, .name = kName, .poweredAtStart = false},
        clock_.NowMicros()));
    tool_ = host_.ConnectTool();
    std::string name = "MORVEL042";
    EXPECT_EQ(tool_->OpenHost(), 0);
    EXPECT_EQ(tool_->CreateToolSlot(name), 0);
    tool_->Write(fw::RegistrationMessage(name));
    Frames();  // the acknowledgement
  }

  std::vector<SeenFrame> Frames() {
    std::vector<SeenFrame> frames;
    std::uint8_t buffer[fw::kReadBufferBytes];
    while (tool_->NextMessageSize()) {
      const auto n = tool_->Read(buffer);
      const fw::HostMessage m = fw::ParseHostMessage(std::span<const std::uint8_t>(buffer, *n));
      if (m.kind != fw::HostMessage::Kind::kFrame) continue;
      frames.push_back({m.frame.dgn, m.frame.sourceAddress, m.frame.hostMicros, m.frame.priority,
                        Bytes(m.frame.data.begin(), m.frame.data.end())});
    }
    return frames;
  }

  void Request(std::uint8_t destination,
               Bytes data = {0x00, 0xEE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) {
    tool_->Write(fw::TransmitMessage(kNullAddress, kPgnRequest | destination, 6, data));
  }

  platform::ManualClock clock_;
  InProcessHost host_;
  std::unique_ptr<platform::Mailslots> tool_;
};

TEST_F(StaticDutTest, ClaimsAfterBootAndStaysQuietForTheContentionTime) {
  host_.AdvanceMillis(1000);
  EXPECT_TRUE(Frames().empty());

  EXPECT_EQ(host_.Control("dut power on"), "ok on static 253");
  const std::uint32_t poweredAt = host_.Server().HostMicros();
  host_.AdvanceMillis(kDutBootDelayMs - 1);
  EXPECT_TRUE(Frames().empty());
  host_.AdvanceMillis(1);
  const auto claim = Frames();
  ASSERT_EQ(claim.size(), 1u);
  EXPECT_EQ(claim[0].dgn, kPgnAddressClaim);
  EXPECT_EQ(claim[0].sourceAddress, kDut);
  EXPECT_EQ(claim[0].priority, 6);
  EXPECT_EQ(claim[0].data, Bytes(kName.begin(), kName.end()));
  EXPECT_EQ(claim[0].hostMicros, poweredAt + kDutBootDelayMs * 1000);

  host_.AdvanceMillis(10'000);
  const auto later = Frames();
  ASSERT_EQ(later.size(), 20u);
  for (std::size_t i = 0; i < later.size(); ++i) {
    EXPECT_EQ(later[i].dgn, kDgnTankStatus);
    EXPECT_EQ(later[i].data[0], 0);  // instance
    EXPECT_EQ(later[i].hostMicros,
              claim[0].hostMicros + (kDutFirstStatusAfterClaimMs + kDutStatusPeriodMs * i) * 1000);
  }
  EXPECT_GE(kDutFirstStatusAfterClaimMs, 250);
}

TEST_F(StaticDutTest, AnswersRequestsForItsClaimOnlyWhenTheyConcernIt) {
  host_.Control("dut power on");
  host_.AdvanceMillis(1000);
  Frames();
  struct Case {
    const char* what;
    std::uint8_t destination;
    Bytes data;
    bool answered;
  };
  const std::vector<Case> cases = {
      {"request to its address", kDut, {0x00, 0xEE, 0x00}, true},
      {"global request", kGlobalAddress, {0x00, 0xEE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, true},
      {"request to another address", 0x80, {0x00, 0xEE, 0x00}, false},
      {"request for PRODUCT_ID", kDut, {0xEB, 0xFE, 0x00}, false},
      {"request too short to name a PGN", kDut, {0x00, 0xEE}, false},
  };
  for (const Case& c : cases) {
    Request(c.destination, c.data);
    host_.AdvanceMillis(100);
    std::vector<SeenFrame> claims;
    for (const SeenFrame& f : Frames()) {
      if (f.dgn == kPgnAddressClaim) claims.push_back(f);
    }
    ASSERT_EQ(claims.size(), c.answered ? 1u : 0u) << c.what;
    if (c.answered) {
      EXPECT_EQ(claims[0].sourceAddress, kDut);
      EXPECT_EQ(claims[0].data, Bytes(kName.begin(), kName.end()));
    }
  }
}

TEST_F(StaticDutTest, DefendsItsAddressAgainstAnotherNodesClaim) {
  host_.Control("dut power on");
  host_.AdvanceMillis(1000);
  Frames();
  const Bytes rival{0x11, 0x22, 0x33, 0xFF, 0x55, 0x66, 0x77, 0x08};
  host_.InjectFrame(*MakeBusFrame(6, kPgnAddressClaim | kGlobalAddress, kDut, rival));
  host_.InjectFrame(*MakeBusFrame(6, kPgnAddressClaim | kGlobalAddress, 0x80, rival));
  host_.AdvanceMillis(50);
  auto frames = Frames();
  ASSERT_EQ(frames.size(), 3u);  // the two injected claims and one defence
  EXPECT_EQ(frames[2].sourceAddress, kDut);
  EXPECT_EQ(frames[2].data, Bytes(kName.begin(), kName.end()));
}

TEST_F(StaticDutTest, PoweredOffItNeitherSendsNorHears) {
  host_.Control("dut power on");
  host_.AdvanceMillis(1000);
  EXPECT_EQ(host_.Control("dut power off"), "ok off static 253");
  Frames();
  Request(kGlobalAddress);
  host_.AdvanceMillis(5000);
  EXPECT_TRUE(Frames().empty());

  // The request heard while off is not answered after the next boot: one claim only.
  host_.Control("dut power on");
  host_.AdvanceMillis(kDutFirstStatusAfterClaimMs);
  const auto frames = Frames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].dgn, kPgnAddressClaim);
}

TEST(DeviceName, ManufacturerCodeSitsInBytesTwoAndThree) {
  DeviceName name = *ParseDeviceName("FFFF1FFF FFFFFF7F");
  EXPECT_EQ(name[2], 0x1F);
  SetManufacturerCode(name, 0x7FD);
  EXPECT_EQ(name[2], 0xBF);  // low bits 101 in bits 5-7, identity bits kept
  EXPECT_EQ(name[3], 0xFF);
  EXPECT_EQ(ManufacturerCode(name), 0x7FD);
  EXPECT_EQ(ManufacturerCode(kDefaultDutName), kDefaultManufacturerCode);
  EXPECT_EQ(kDefaultDutName[7] & 0x80, 0);  // not arbitrary-address capable
  EXPECT_EQ(DeviceNameText(name), "FFFFBFFFFFFFFF7F");
  EXPECT_FALSE(ParseDeviceName("FFFF1FFFFFFFFF7"));
  EXPECT_FALSE(ParseDeviceName("FFFF1FFFFFFFFF7F0"));
  EXPECT_FALSE(ParseDeviceName("0xFF1FFFFFFFFF7F"));
}

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
  host.InjectFrame(*MakeBusFrame(6, kDgnTankStatus, 1, Bytes{0}));
  EXPECT_EQ(host.Server().ToolCount(), 1u);
  host.Shutdown();
  second->Read(buffer);  // the frame
  ASSERT_EQ(second->Read(buffer), 1u);
  EXPECT_EQ(buffer[0], fw::kMsgClose);
}

}  // namespace
}  // namespace vlt::host
