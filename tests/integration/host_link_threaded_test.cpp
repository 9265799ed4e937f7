// The tester's link and a real vlt-host over real sockets in a private run folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "framework/tool_app.h"
#include "host/core/host_control.h"
#include "platform/mailslots.h"
#include "platform/run_dir.h"
#include "support/frame_collector.h"
#include "support/host_process.h"
#include "support/virtual_time.h"

namespace vlt {
namespace {

using namespace std::chrono_literals;

using testing::FrameCollector;
using testing::SeenFrame;

bool IsClaimFrom(const SeenFrame& f, std::uint8_t address) {
  return (f.dgn & 0x1FF00) == 0xEE00 && f.source == address && f.data.size() == 8;
}

TEST(HostLink, RegistersSeesTheDutRequestsItsClaimAndClosesWithTheHandshake) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start(
      {"--dut", "static:128", "--dut-off", "--dut-status-dgn", "1FFB7", "--dut-instance", "0"}));

  platform::SteadyClock clock;
  platform::UnixMailslots mailslots(host.RunDir());
  testing::RecordingPrompter prompter;
  framework::ThreadTickDriver driver(mailslots);
  framework::ValmoraApp app(clock, mailslots, prompter, driver);
  app.InitInstance({});
  ASSERT_TRUE(prompter.boxes.empty());
  for (int i = 0; i < 500 && app.Link().GetState() != framework::BRLink::State::kConnected; ++i) {
    std::this_thread::sleep_for(10ms);
  }
  ASSERT_EQ(app.Link().GetState(), framework::BRLink::State::kConnected);
  EXPECT_NE(app.Link().ToolId(), 0u);

  framework::Registered<FrameCollector> frames(app.Link().Parsers());
  app.Link().EnableFrames(true);
  ASSERT_EQ(host::SendControlCommand(host.RunDir(), "dut power on"), "ok on static 128");

  // Power-on: the claim, then the periodic status frames.
  const int claim = frames.WaitFor(0, [](const SeenFrame& f) { return IsClaimFrom(f, 128); });
  ASSERT_GE(claim, 0);
  const int status = frames.WaitFor(static_cast<std::size_t>(claim), [](const SeenFrame& f) {
    return f.dgn == 0x1FFB7 && f.source == 128;
  });
  EXPECT_GT(status, claim);

  // A request for ADDRESS_CLAIM to the DUT is answered with its claim.
  const std::size_t before = frames.Count();
  const std::vector<std::uint8_t> request{0x00, 0xEE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  ASSERT_TRUE(app.Link().Transmit(framework::kNullAddress, 0xEA00 | 128, request));
  EXPECT_GE(frames.WaitFor(before, [](const SeenFrame& f) { return IsClaimFrom(f, 128); }), 0);

  // The host answers the removal, so the close does not wait out its countdown.
  app.Link().EnableFrames(false);
  const auto start = std::chrono::steady_clock::now();
  app.ShutDown();
  EXPECT_EQ(app.Link().GetState(), framework::BRLink::State::kClosed);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

TEST(HostLink, ATesterWithoutAHostGetsTheStartupBox) {
  testing::HostProcess host;  // a run folder, but no host in it
  platform::SteadyClock clock;
  platform::UnixMailslots mailslots(host.RunDir());
  testing::RecordingPrompter prompter;
  framework::BRLink::State state;
  {
    framework::LogOutput log;
    framework::BRLink link(mailslots, clock, prompter, log);
    link.Open();
    state = link.GetState();
  }
  EXPECT_EQ(state, framework::BRLink::State::kFailed);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].second, "This program must be run through Brantel.  Code    2");
}

TEST(RunFolder, OneOpenToOthersOrOwnedByAnotherUserIsRefused) {
  testing::HostProcess folder;
  ASSERT_EQ(::chmod(folder.RunDir().c_str(), 0777), 0);
  auto open = platform::PrepareRunDir();
  EXPECT_FALSE(open.ok());
  EXPECT_NE(open.error.find("open to other users"), std::string::npos) << open.error;

  ASSERT_EQ(::chmod(folder.RunDir().c_str(), 0700), 0);
  EXPECT_TRUE(platform::PrepareRunDir().ok());
  if (::geteuid() == 0) {  // only root can hand a folder to someone else
    ASSERT_EQ(::chown(folder.RunDir().c_str(), 65534, 65534), 0);
    auto foreign = platform::PrepareRunDir();
    EXPECT_FALSE(foreign.ok());
    EXPECT_NE(foreign.error.find("belongs to another user"), std::string::npos) << foreign.error;
    ASSERT_EQ(::chown(folder.RunDir().c_str(), 0, 0), 0);
  }
}

}  // namespace
}  // namespace vlt
