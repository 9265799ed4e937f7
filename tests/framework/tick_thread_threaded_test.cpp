// The tick thread against the window thread on real threads; the ThreadSanitizer
// build runs these.
#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

#include "framework/host_protocol.h"
#include "framework/tool_app.h"
#include "support/virtual_time.h"

namespace vlt::framework {
namespace {

// A host that acknowledges at once and then floods frames; safe from both threads.
class FloodingMailslots final : public platform::Mailslots {
 public:
  int OpenHost() override { return 0; }
  int CreateToolSlot(std::string&) override { return 0; }
  std::optional<std::size_t> NextMessageSize() override {
    std::lock_guard lock(mutex_);
    if (!acknowledged_ || framesLeft_ > 0) return acknowledged_ ? frame_.size() : 5u;
    return std::nullopt;
  }
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override {
    std::lock_guard lock(mutex_);
    const std::vector<std::uint8_t> message = acknowledged_ ? frame_ : AcknowledgeMessage(3);
    if (acknowledged_) {
      if (framesLeft_ == 0) return std::nullopt;
      --framesLeft_;
    }
    acknowledged_ = true;
    std::copy(message.begin(), message.end(), buffer.begin());
    return message.size();
  }
  bool Write(std::span<const std::uint8_t> message) override {
    std::lock_guard lock(mutex_);
    if (!message.empty() && message[0] == kMsgRemove) closeRequested_ = true;
    return true;
  }
  void WaitForMessage(std::chrono::microseconds) override { std::this_thread::yield(); }
  void AddFrames(int n) {
    std::lock_guard lock(mutex_);
    framesLeft_ += n;
  }

 private:
  std::mutex mutex_;
  bool acknowledged_ = false;
  bool closeRequested_ = false;
  int framesLeft_ = 0;
  std::vector<std::uint8_t> frame_ =
      FrameMessageBytes(0x1FFB7, 0x45, std::vector<std::uint8_t>(8, 1));
};

class CountingParser : public BRParser {
 public:
  void OnFrame(const FrameMessage&) override { ++frames; }
  void OnTick() override { ++ticks; }
  std::atomic<int> frames{0};
  std::atomic<int> ticks{0};
};

class SteppedTest : public TestStepper {
 public:
  void Step() override { ++steps; }
  std::atomic<int> steps{0};
};

TEST(TickThread, ParsersTestsAndLogWritesComeAndGoWhileTheLoopRuns) {
  platform::SteadyClock clock;
  FloodingMailslots mailslots;
  testing::RecordingPrompter prompter;
  ThreadTickDriver driver(mailslots);
  ValmoraApp app(clock, mailslots, prompter, driver);
  platform::MemoryLogPane pane;
  app.Log().Attach(&pane);
  app.InitInstance({});
  app.Link().EnableFrames(true);

  std::atomic<bool> done{false};
  std::thread writer([&] {
    while (!done) {
      app.Log().AppendLogLine("from another thread");
      app.Log().ClearLogPane();
    }
  });
  while (app.Link().GetState() != BRLink::State::kConnected) std::this_thread::yield();
  for (int round = 0; round < 200; ++round) {
    Registered<CountingParser> parser(app.Link().Parsers());
    mailslots.AddFrames(20);
    SteppedTest test;
    app.RunningTest().Set(&test);
    while (parser.frames.load() == 0) std::this_thread::yield();
    app.RunningTest().Clear(&test);
    app.Log().AppendLogLine("from the window thread");
    EXPECT_GT(parser.frames.load(), 0);
  }
  done = true;
  writer.join();
  app.Link().EnableFrames(false);
  app.ShutDown();
  app.Log().Detach();
  EXPECT_EQ(app.Link().GetState(), BRLink::State::kClosed);
}

}  // namespace
}  // namespace vlt::framework
