#include "host/core/in_process_host.h"

#include <gtest/gtest.h>

#include "framework/host_protocol.h"

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

}  // namespace
}  // namespace vlt::host
