// vlt-host on external buses, as a tester uses it: real processes, real sockets.
#include <gtest/gtest.h>
#include <linux/can.h>
#include <net/if.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <thread>

#include "framework/tool_app.h"
#include "host/core/host_control.h"
#include "platform/mailslots.h"
#include "support/frame_collector.h"
#include "support/host_process.h"
#include "support/virtual_time.h"

extern char** environ;

namespace vlt {
namespace {

using namespace std::chrono_literals;

using testing::FrameCollector;
using testing::SeenFrame;

// A tester connected to the host of `host`'s run folder, frames on.
class Tester {
 public:
  explicit Tester(const testing::HostProcess& host)
      : mailslots_(host.RunDir()),
        driver_(mailslots_),
        app_(clock_, mailslots_, prompter_, driver_) {
    app_.InitInstance({});
    for (int i = 0; i < 500 && !Connected(); ++i) std::this_thread::sleep_for(10ms);
    if (Connected()) {
      frames_.emplace(app_.Link().Parsers());
      app_.Link().EnableFrames(true);
    }
  }
  ~Tester() {
    if (Connected()) app_.Link().EnableFrames(false);
    frames_.reset();
    app_.ShutDown();
  }
  bool Connected() { return app_.Link().GetState() == framework::BRLink::State::kConnected; }
  FrameCollector& Frames() { return *frames_; }
  bool RequestClaimFrom(std::uint8_t address) {
    const std::vector<std::uint8_t> request{0x00, 0xEE, 0x00};
    return app_.Link().Transmit(framework::kNullAddress, 0xEA00u | address, request);
  }

 private:
  platform::SteadyClock clock_;
  platform::UnixMailslots mailslots_;
  testing::RecordingPrompter prompter_;
  framework::ThreadTickDriver driver_;
  framework::ValmoraApp app_;
  std::optional<framework::Registered<FrameCollector>> frames_;
};

bool IsClaimFrom(const SeenFrame& f, std::uint8_t address) {
  return (f.dgn & 0x1FF00) == 0xEE00 && f.source == address && f.data.size() == 8;
}

std::string Stats(const testing::HostProcess& host) {
  return host::SendControlCommand(host.RunDir(), "stats").value_or("");
}

// A device in one line of sed: answers a request for ADDRESS_CLAIM to 80h with its claim.
const std::string kSedDevice = "pipe:exec sed -un 's/.*EA80FE#00EE00$/18EEFF80#0102030405060708/p'";

TEST(ExternalBus, APipeDeviceAnswersTheToolAndItsPowerIsItsProcess) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--bus", kSedDevice}));
  Tester tester(host);
  ASSERT_TRUE(tester.Connected());

  ASSERT_TRUE(tester.RequestClaimFrom(0x80));
  EXPECT_GE(tester.Frames().WaitFor(0, [](const SeenFrame& f) { return IsClaimFrom(f, 0x80); }), 0);

  const std::string status = "ok on pipe " + kSedDevice.substr(5);
  EXPECT_EQ(host::SendControlCommand(host.RunDir(), "dut status"), status);
  EXPECT_EQ(host::SendControlCommand(host.RunDir(), "dut power off"),
            "ok off pipe " + kSedDevice.substr(5));
  const std::size_t before = tester.Frames().Count();
  EXPECT_EQ(host::SendControlCommand(host.RunDir(), "dut power on"), status);
  // The new process starts once the old one is gone.
  for (int i = 0; i < 500 && Stats(host).find(" pipe_starts=2 ") == std::string::npos; ++i) {
    std::this_thread::sleep_for(10ms);
  }
  ASSERT_TRUE(tester.RequestClaimFrom(0x80));
  EXPECT_GE(
      tester.Frames().WaitFor(before, [](const SeenFrame& f) { return IsClaimFrom(f, 0x80); }), 0);
  const std::string stats = Stats(host);
  EXPECT_NE(stats.find(" pipe_frames=2 "), std::string::npos) << stats;
  EXPECT_NE(stats.find(" pipe_starts=2 pipe_exits=0"), std::string::npos) << stats;
}

TEST(ExternalBus, ARecordingOfTheBusPlaysBackToALaterTool) {
  const std::string record = ::testing::TempDir() + "/vlt-external-bus-record.log";
  {
    testing::HostProcess host;
    ASSERT_TRUE(host.Start({"--bus", kSedDevice, "--record", record}));
    Tester tester(host);
    ASSERT_TRUE(tester.Connected());
    ASSERT_TRUE(tester.RequestClaimFrom(0x80));
    ASSERT_GE(tester.Frames().WaitFor(0, [](const SeenFrame& f) { return IsClaimFrom(f, 0x80); }),
              0);
  }
  std::ifstream file(record);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].starts_with("(")) << lines[0];
  EXPECT_TRUE(lines[0].ends_with(") can0 18EA80FE#00EE00")) << lines[0];
  EXPECT_TRUE(lines[1].ends_with(") can0 18EEFF80#0102030405060708")) << lines[1];

  testing::HostProcess replay;
  ASSERT_TRUE(replay.Start({"--bus", "replay:" + record}));
  Tester tester(replay);
  ASSERT_TRUE(tester.Connected());
  EXPECT_GE(tester.Frames().WaitFor(0, [](const SeenFrame& f) { return IsClaimFrom(f, 0x80); }), 0);
  EXPECT_NE(Stats(replay).find(" replay_frames=2 "), std::string::npos) << Stats(replay);
  std::remove(record.c_str());
}

// The test device program on a CAN bus, ended (SIGTERM) with the test.
class CanDevice {
 public:
  CanDevice(const std::string& plugin, const std::string& interfaceName, std::uint8_t address) {
    const std::string program = testing::HostProcess::BuiltProgram("tests/vlt_can_test_device");
    std::vector<std::string> args{program, plugin, interfaceName, std::to_string(address)};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (::posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
      pid_ = -1;
    }
  }
  ~CanDevice() { Stop(); }
  void Stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  bool Started() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
};

bool HasCanSockets() {
  const int fd = ::socket(PF_CAN, SOCK_RAW, CAN_RAW);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

// A device on the same CAN bus as the host: the tool hears its claim at power-up,
// asks for it again, and hears the answer.
void ToolAndDeviceMeetOn(const std::string& plugin, const std::string& interfaceName) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--bus", plugin + ":" + interfaceName}));
  Tester tester(host);
  ASSERT_TRUE(tester.Connected());
  CanDevice device(plugin, interfaceName, 0x80);
  ASSERT_TRUE(device.Started());
  const int first = tester.Frames().WaitFor(
      0, [](const SeenFrame& f) { return IsClaimFrom(f, 0x80); }, 10s);
  ASSERT_GE(first, 0) << Stats(host);
  ASSERT_TRUE(tester.RequestClaimFrom(0x80));
  EXPECT_GE(tester.Frames().WaitFor(static_cast<std::size_t>(first) + 1,
                                    [](const SeenFrame& f) { return IsClaimFrom(f, 0x80); }),
            0)
      << Stats(host);
  EXPECT_NE(Stats(host).find(" can_sent=1 "), std::string::npos) << Stats(host);
}

TEST(ExternalBus, ToolAndDeviceMeetOnAVirtualCanBus) {
  // A port of its own, so that parallel runs do not share one virtual bus.
  const std::string bus = "tcp://127.0.0.1:" + std::to_string(30000 + ::getpid() % 20000) + "/can0";
  ToolAndDeviceMeetOn("virtualcan", bus);
}

bool Listening(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool up = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  ::close(fd);
  return up;
}

TEST(ExternalBus, LosingTheAdapterEndsTheHostWithAGoodbyeAndAFailure) {
  // The device serves the virtual bus, so that the bus goes with it.
  const int port = 30000 + (::getpid() + 1) % 20000;
  const std::string bus = "tcp://127.0.0.1:" + std::to_string(port) + "/can0";
  CanDevice device("virtualcan", bus, 0x81);
  ASSERT_TRUE(device.Started());
  for (int i = 0; i < 500 && !Listening(port); ++i) std::this_thread::sleep_for(10ms);
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--bus", "virtualcan:" + bus}));
  Tester tester(host);
  ASSERT_TRUE(tester.Connected());

  device.Stop();
  EXPECT_EQ(host.WaitForExit(5000), 1);
  for (int i = 0; i < 500 && tester.Connected(); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_FALSE(tester.Connected()) << "no goodbye from the host";
}

TEST(ExternalBus, ToolAndDeviceMeetOnSocketCan) {
  if (!HasCanSockets()) GTEST_SKIP() << "no AF_CAN sockets on this machine";
  if (::if_nametoindex("vcan0") == 0) GTEST_SKIP() << "no vcan0 (see README: Testing on vcan)";
  ToolAndDeviceMeetOn("socketcan", "vcan0");
}

TEST(ExternalBus, AnAdapterThatCannotBeOpenedEndsTheHostWithAReason) {
  testing::HostProcess host;
  const std::string err = host.RunDir() + "/stderr";
  EXPECT_EQ(host.RunProgram("app/host/vlt-host", {"--bus", "nosuchplugin:can0"}, "/dev/null", err),
            1);
  std::ifstream file(err);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("nosuchplugin"), std::string::npos) << text;
}

}  // namespace
}  // namespace vlt
