// A test run on the real tick thread while the window thread starts, aborts and
// repeats it; the ThreadSanitizer build runs this.
#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "data/data_context.h"
#include "engine/control_elements.h"
#include "engine/test.h"
#include "engine_support.h"
#include "settings/default_settings.h"

namespace vlt::engine {
namespace {

// A host that acknowledges, answers mode messages and removal, and floods frames.
class BusyHostMailslots final : public platform::Mailslots {
 public:
  int OpenHost() override { return 0; }
  int CreateToolSlot(std::string&) override { return 0; }
  std::optional<std::size_t> NextMessageSize() override {
    std::lock_guard lock(mutex_);
    return Next().size();
  }
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override {
    std::lock_guard lock(mutex_);
    const std::vector<std::uint8_t> message = Next();
    if (!pending_.empty()) pending_.pop_front();
    acknowledged_ = true;
    std::copy(message.begin(), message.end(), buffer.begin());
    return message.size();
  }
  bool Write(std::span<const std::uint8_t> message) override {
    std::lock_guard lock(mutex_);
    if (!message.empty() && message[0] == framework::kMsgSetMode) {
      pending_.push_back(framework::ModeReportMessage(0, 0));
    }
    if (!message.empty() && message[0] == framework::kMsgRemove) {
      pending_.push_back(framework::CloseMessage());
    }
    return true;
  }
  void WaitForMessage(std::chrono::microseconds) override { std::this_thread::yield(); }

 private:
  std::vector<std::uint8_t> Next() const {
    if (!acknowledged_) return framework::AcknowledgeMessage(3);
    if (!pending_.empty()) return pending_.front();
    return frame_;
  }
  std::mutex mutex_;
  bool acknowledged_ = false;
  std::deque<std::vector<std::uint8_t>> pending_;
  std::vector<std::uint8_t> frame_ =
      framework::FrameMessageBytes(0x1FFB7, 0x45, std::vector<std::uint8_t>(8, 1));
};

// Builds its log and list in the constructor, before it is registered, as
// every test must: the tick thread hands it frames from then on.
class RecordingTest : public Test {
 public:
  explicit RecordingTest(const TestContext& context) : Test(context, 1) {
    DataLog& log0 = AddDataLog(0);
    Append<EDataLogAction>(DataLog::Action::kRestart, &log0);
    Append<ETimeLimitMinimum>(60'000);
  }
};

TEST(TestRunThreaded, WindowThreadStartsAbortsAndRepeatsWhileFramesFlood) {
  platform::SteadyClock clock;
  BusyHostMailslots mailslots;
  vlt::testing::RecordingPrompter prompter;
  framework::ThreadTickDriver driver(mailslots);
  framework::ValmoraApp app(clock, mailslots, prompter, driver);
  platform::MemoryLogPane pane;
  app.Log().Attach(&pane);
  app.InitInstance({});
  app.Link().EnableFrames(true);
  data::DataContext dataContext(app.Log());
  auto appSettings = settings::CreateApplicationSettings(dataContext);
  testing::FakeKeys keys;
  std::atomic<bool> verbose{true};
  TestContext context{.app = app,
                      .appSettings = appSettings->Store(),
                      .dataContext = dataContext,
                      .keys = keys,
                      .prompter = prompter,
                      .verbose = verbose};
  {
    auto test =
        std::make_unique<framework::Registered<RecordingTest>>(app.Link().Parsers(), context);
    for (int run = 0; run < 3; ++run) {
      const std::uint32_t frames = app.MasterParser().FrameCount();
      test->Start();
      // Let the run record a good number of frames before the operator aborts.
      while (app.MasterParser().FrameCount() - frames < 200) std::this_thread::yield();
      test->PostEvent(kEvAbort);  // the Abort command
      while (test->Running() || app.RunningTest().Get() != nullptr) std::this_thread::yield();
      EXPECT_TRUE(test->Aborted());
    }
    app.RunningTest().Clear(test.get());
  }
  app.ShutDown();
  app.Log().Detach();
  EXPECT_EQ(prompter.decisions.size(), 3u);
}

}  // namespace
}  // namespace vlt::engine
