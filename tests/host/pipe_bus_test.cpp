// The frame pipe against real /bin/sh programs. The kill deadline runs on virtual
// time; the test waits only for the program's own output and end (ppoll on the
// bus's descriptors), never for time to pass.
#include "host/buses/pipe_bus.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace vlt::host {
namespace {

// How long a test waits for a program at most; a healthy run takes milliseconds.
constexpr auto kProgramLimit = std::chrono::seconds(10);

class PipeBusTest : public ::testing::Test {
 protected:
  void Make(const std::string& command) {
    bus_ = std::make_unique<PipeBus>(
        clock_, command,
        [this](const BusFrame& frame, std::optional<std::int64_t> stamp) {
          frames_.push_back(frame);
          stamps_.push_back(stamp);
        },
        [this](const std::string& line) { reports_.push_back(line); });
  }

  // Serves the bus until `done` holds; false when the program never got there.
  bool PumpUntil(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + kProgramLimit;
    while (!done()) {
      if (std::chrono::steady_clock::now() > limit) return false;
      std::vector<pollfd> fds;
      bus_->AppendPollFds(fds);
      const timespec wait{0, 50'000'000};
      ::ppoll(fds.data(), fds.size(), &wait, nullptr);
      bus_->Service(fds, clock_.NowMicros());
      bus_->RunDue(clock_.NowMicros());
    }
    return true;
  }

  bool Reaped(pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) < 0 && errno == ECHILD; }

  platform::ManualClock clock_;
  std::unique_ptr<PipeBus> bus_;
  std::vector<BusFrame> frames_;
  std::vector<std::optional<std::int64_t>> stamps_;
  std::vector<std::string> reports_;
};

TEST_F(PipeBusTest, FramesGoBothWaysAndOddLinesAreCountedByReason) {
  // Prints its own lines, then echoes what the host writes.
  Make(
      "printf '(100.000000) can0 18EEFF80#0102\\n(100.250000) can0 18EEFF81#03\\n"
      "(100.3) can0 123#01\\n(100.3) can0 18EEFF80#R\\n(100.3) can0 18EEFF80##100\\n"
      "garbage\\n%0300d\\n'; exec cat");
  clock_.AdvanceMillis(5000);
  bus_->SetPower(true, clock_.NowMicros());
  ASSERT_TRUE(bus_->Powered());
  ASSERT_TRUE(PumpUntil([&] { return bus_->Counters().in.tooLong == 1; }));
  ASSERT_EQ(frames_.size(), 2u);
  EXPECT_EQ(frames_[0].id, 0x18EEFF80u);
  EXPECT_EQ(frames_[1].Data().size(), 1u);
  // The program's spacing of frames survives, mapped onto the host clock.
  ASSERT_TRUE(stamps_[0] && stamps_[1]);
  EXPECT_EQ(*stamps_[1] - *stamps_[0], 250'000);
  EXPECT_EQ(*stamps_[0], clock_.NowMicros());
  EXPECT_EQ(bus_->StatsText(),
            "pipe_frames=2 pipe_11bit=1 pipe_remote=1 pipe_fd=1 pipe_malformed=1 "
            "pipe_too_long=1 pipe_sent=0 pipe_dropped=0 pipe_starts=1 pipe_exits=0");
  ASSERT_FALSE(reports_.empty());
  EXPECT_NE(reports_[0].find("skipped"), std::string::npos);

  const BusFrame out = *MakeBusFrame(6, 0xEAFF, 0xF9, std::vector<std::uint8_t>{0, 0xEE, 0});
  bus_->Put(out);
  ASSERT_TRUE(PumpUntil([&] { return frames_.size() == 3; }));
  EXPECT_EQ(frames_[2], out);
  EXPECT_EQ(bus_->Counters().sent, 1u);
}

TEST_F(PipeBusTest, OperatorActionsReachTheProgramAsCommentLines) {
  // Answers each comment line with a frame whose data byte says which it was.
  Make(
      "while read -r line; do case \"$line\" in "
      "'# dut fault on') echo 18FECA80#01;; '# dut fault off') echo 18FECA80#02;; "
      "'# dut switch') echo 18FECA80#03;; esac; done");
  EXPECT_FALSE(bus_->Act(DeviceAction::kFaultOn, clock_.NowMicros()));  // not running yet
  bus_->SetPower(true, clock_.NowMicros());
  for (const DeviceAction action :
       {DeviceAction::kFaultOn, DeviceAction::kSwitch, DeviceAction::kFaultOff}) {
    EXPECT_TRUE(bus_->Act(action, clock_.NowMicros()));
  }
  ASSERT_TRUE(PumpUntil([&] { return frames_.size() == 3; }));
  std::vector<std::uint8_t> said;
  for (const BusFrame& frame : frames_) said.push_back(frame.Data()[0]);
  EXPECT_EQ(said, (std::vector<std::uint8_t>{1, 3, 2}));
  EXPECT_EQ(bus_->Counters().sent, 0u);  // comment lines are no frames
}

TEST_F(PipeBusTest, PowerOffTermsThenKillsAtTheDeadlineAndPowerOnStartsAgain) {
  // Ignores SIGTERM once it has said so with a frame.
  Make("trap '' TERM; echo 18EEFF80#01; while :; do read x || sleep 1; done");
  bus_->SetPower(true, clock_.NowMicros());
  ASSERT_TRUE(PumpUntil([&] { return frames_.size() == 1; }));
  const pid_t first = bus_->Pid();

  bus_->SetPower(false, clock_.NowMicros());
  EXPECT_FALSE(bus_->Powered());
  bus_->Put(frames_[0]);  // a powered-off device hears nothing
  EXPECT_EQ(bus_->Counters().dropped, 1u);
  ASSERT_TRUE(bus_->NextDeadlineMicros());
  EXPECT_EQ(*bus_->NextDeadlineMicros(), clock_.NowMicros() + kPipeKillGraceMicros);
  bus_->RunDue(clock_.NowMicros());
  EXPECT_EQ(::kill(first, 0), 0) << "killed before its grace ran out";

  // Powered on while still stopping: it starts once the old one is gone.
  bus_->SetPower(true, clock_.NowMicros());
  EXPECT_TRUE(bus_->Powered());
  clock_.AdvanceMicros(kPipeKillGraceMicros);
  ASSERT_TRUE(PumpUntil([&] { return frames_.size() == 2; }));
  EXPECT_TRUE(Reaped(first));
  EXPECT_NE(bus_->Pid(), first);
  EXPECT_EQ(bus_->Counters().starts, 2u);
  EXPECT_EQ(bus_->Counters().exits, 0u);
  EXPECT_TRUE(reports_.empty());
}

TEST_F(PipeBusTest, AProgramThatEndsByItselfIsReportedCountedAndReaped) {
  Make("echo 18EEFF80#01; exit 3");
  bus_->SetPower(true, clock_.NowMicros());
  const pid_t pid = bus_->Pid();
  ASSERT_TRUE(PumpUntil([&] { return !bus_->Powered(); }));
  EXPECT_EQ(frames_.size(), 1u);
  EXPECT_EQ(bus_->Counters().exits, 1u);
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_NE(reports_[0].find("ended by itself (exit status 3)"), std::string::npos);
  EXPECT_TRUE(Reaped(pid));
  EXPECT_FALSE(bus_->NextDeadlineMicros());

  bus_->SetPower(true, clock_.NowMicros());  // "dut power on" brings it back
  EXPECT_TRUE(bus_->Powered());
  ASSERT_TRUE(PumpUntil([&] { return frames_.size() == 2; }));

  // An ordinary power off is no death by itself.
  Make("exec cat");
  bus_->SetPower(true, clock_.NowMicros());
  const pid_t cat = bus_->Pid();
  EXPECT_TRUE(bus_->Shutdown(clock_.NowMicros()) == false);
  ASSERT_TRUE(PumpUntil([&] { return bus_->Shutdown(clock_.NowMicros()); }));
  EXPECT_TRUE(Reaped(cat));
  EXPECT_EQ(bus_->Counters().exits, 0u);
}

}  // namespace
}  // namespace vlt::host
