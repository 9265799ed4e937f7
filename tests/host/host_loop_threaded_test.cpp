// vlt-host's loop over real sockets in a private run folder.
#include "host/core/host_loop.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "framework/host_protocol.h"
#include "host/core/host_control.h"
#include "host/devices/static_dut.h"
#include "platform/datagram_socket.h"
#include "platform/run_dir.h"

namespace vlt::host {
namespace {

namespace fw = vlt::framework;
using namespace std::chrono_literals;

// Runs the loop on its own thread; stops and joins it however the test ends.
class LoopThread {
 public:
  explicit LoopThread(HostLoop& loop) : loop_(loop), thread_([&loop] { loop.Run(); }) {}
  ~LoopThread() { Stop(); }
  void Stop() {
    if (!thread_.joinable()) return;
    loop_.RequestStop();
    thread_.join();
  }

 private:
  HostLoop& loop_;
  std::thread thread_;
};

class HostLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/vlt-host-test-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    ::chmod(folder, 0700);
    runDir_ = folder;
    if (const char* old = std::getenv("VLT_RUN_DIR")) oldRunDir_ = old;
    ::setenv("VLT_RUN_DIR", folder, 1);
  }
  void TearDown() override {
    if (oldRunDir_) {
      ::setenv("VLT_RUN_DIR", oldRunDir_->c_str(), 1);
    } else {
      ::unsetenv("VLT_RUN_DIR");
    }
    std::filesystem::remove_all(runDir_);
  }

  // A tool socket bound in the run folder.
  platform::DatagramSocket Tool(const std::string& name) {
    platform::DatagramSocket socket;
    EXPECT_EQ(socket.Bind(platform::ToolMailslotPath(runDir_, name)), 0);
    return socket;
  }
  void SendToHost(platform::DatagramSocket& tool, const std::vector<std::uint8_t>& message) {
    ASSERT_EQ(tool.SendTo(platform::HostMailslotPath(runDir_), message), 0);
  }
  // The next message, waiting at most two seconds for it.
  std::vector<std::uint8_t> Next(platform::DatagramSocket& tool) {
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    std::vector<std::uint8_t> buffer(fw::kReadBufferBytes);
    while (std::chrono::steady_clock::now() < deadline) {
      if (const auto n = tool.Receive(buffer)) {
        buffer.resize(*n);
        return buffer;
      }
      tool.WaitReadable(10ms);
    }
    return {};
  }

  std::string runDir_;
  std::optional<std::string> oldRunDir_;
  platform::SteadyClock clock_;
};

TEST_F(HostLoopTest, ServesAToolAndTheControlSocketThenSaysGoodbye) {
  std::string error;
  auto loop = HostLoop::Start(clock_, HostConfig{}, error);
  ASSERT_NE(loop, nullptr) << error;
  loop->Server().SetDut(std::make_unique<StaticDut>(StaticDutConfig{}, clock_.NowMicros()));
  LoopThread thread(*loop);

  auto tool = Tool("MORVEL007");
  SendToHost(tool, fw::RegistrationMessage("MORVEL007"));
  EXPECT_EQ(Next(tool), fw::AcknowledgeMessage(1));
  const fw::HostMessage claim = fw::ParseHostMessage(Next(tool));
  EXPECT_EQ(claim.kind, fw::HostMessage::Kind::kFrame);
  EXPECT_EQ(claim.frame.dgn, 0xEE00u);
  EXPECT_EQ(claim.frame.sourceAddress, kDefaultDutAddress);

  EXPECT_EQ(SendControlCommand(runDir_, "dut status"), "ok on static 253");
  EXPECT_EQ(SendControlCommand(runDir_, "dut power off"), "ok off static 253");
  EXPECT_EQ(SendControlCommand(runDir_, "nonsense"), "error unknown command");

  thread.Stop();
  // Status frames may precede the goodbye; the goodbye comes last.
  std::vector<std::uint8_t> last;
  for (auto m = Next(tool); !m.empty(); m = Next(tool)) {
    last = m;
    if (m == fw::CloseMessage()) break;
  }
  EXPECT_EQ(last, fw::CloseMessage());
  loop.reset();
  EXPECT_FALSE(std::filesystem::exists(platform::HostMailslotPath(runDir_)));
  EXPECT_FALSE(std::filesystem::exists(platform::HostControlPath(runDir_)));
  EXPECT_FALSE(SendControlCommand(runDir_, "dut status", 200ms).has_value());
}

TEST_F(HostLoopTest, ToolThatReadsLateStillGetsEveryFrameInOrder) {
  std::string error;
  auto loop = HostLoop::Start(clock_, HostConfig{}, error);
  ASSERT_NE(loop, nullptr) << error;
  LoopThread thread(*loop);

  auto sender = Tool("MORVEL001");
  auto reader = Tool("MORVEL002");
  SendToHost(sender, fw::RegistrationMessage("MORVEL001"));
  SendToHost(reader, fw::RegistrationMessage("MORVEL002"));
  EXPECT_EQ(Next(sender), fw::AcknowledgeMessage(1));
  EXPECT_EQ(Next(reader), fw::AcknowledgeMessage(2));

  // Far more than the kernel queues for one socket; the host must hold the rest.
  constexpr int kFrames = 2000;
  for (int i = 0; i < kFrames; ++i) {
    const std::uint8_t data[2] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8)};
    SendToHost(sender, fw::TransmitMessage(0xF9, 0x1FFB7, 6, data));
  }
  for (int i = 0; i < kFrames; ++i) {
    const auto message = Next(reader);
    const fw::HostMessage m = fw::ParseHostMessage(message);
    ASSERT_EQ(m.kind, fw::HostMessage::Kind::kFrame) << i;
    ASSERT_EQ(m.frame.data[0] | (m.frame.data[1] << 8), i);
  }
}

TEST_F(HostLoopTest, SecondHostOnTheSameRunFolderRefusesToStart) {
  std::string error;
  auto first = HostLoop::Start(clock_, HostConfig{}, error);
  ASSERT_NE(first, nullptr) << error;
  auto second = HostLoop::Start(clock_, HostConfig{}, error);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(error, "another vlt-host is running on " + runDir_);
  // The refused host must not have taken the running one's socket away.
  EXPECT_TRUE(platform::DatagramPathIsLive(platform::HostMailslotPath(runDir_)));
}

TEST_F(HostLoopTest, SocketLeftByACrashedHostIsTakenOver) {
  ASSERT_TRUE(platform::PrepareRunDir().ok());
  // Bound and closed without unlinking, as a killed host leaves it.
  const std::string path = platform::HostMailslotPath(runDir_);
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof(address.sun_path) - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  ::close(fd);
  ASSERT_TRUE(std::filesystem::exists(path));

  std::string error;
  auto loop = HostLoop::Start(clock_, HostConfig{}, error);
  ASSERT_NE(loop, nullptr) << error;
  EXPECT_TRUE(platform::DatagramPathIsLive(path));
}

}  // namespace
}  // namespace vlt::host
