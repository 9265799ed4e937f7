// A test run on the real tick thread while the window thread starts, aborts and
// repeats it; the ThreadSanitizer build runs this.
#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "compliance/test_table.h"
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

// The application core on a real tick thread over the flooding host.
struct FloodedTester {
  platform::SteadyClock clock;  // the timer events that move a list need time to pass
  BusyHostMailslots mailslots;
  vlt::testing::RecordingPrompter prompter;
  framework::ThreadTickDriver driver{mailslots};
  framework::ValmoraApp app{clock, mailslots, prompter, driver};
  platform::MemoryLogPane pane;
  data::DataContext dataContext{app.Log()};
  std::unique_ptr<settings::ApplicationSettings> appSettings;
  testing::FakeKeys keys;
  std::atomic<bool> verbose{false};

  FloodedTester() {
    app.Log().Attach(&pane);
    app.InitInstance({});
    app.Link().EnableFrames(true);
    appSettings = settings::CreateApplicationSettings(dataContext);
  }
  ~FloodedTester() {
    app.ShutDown();
    app.Log().Detach();
  }
  TestContext Context(RunObserver* observer = nullptr) {
    return TestContext{.app = app,
                       .appSettings = appSettings->Store(),
                       .dataContext = dataContext,
                       .keys = keys,
                       .prompter = prompter,
                       .verbose = verbose,
                       .runObserver = observer};
  }
};

// Builds its log and list in the constructor, before it is registered, as
// every test must: the tick thread hands it frames from then on.
class RecordingTest : public Test {
 public:
  explicit RecordingTest(const TestContext& context) : Test(context, 1, compliance::IdentityOf(1)) {
    DataLog& log0 = AddDataLog(0);
    Append<EDataLogAction>(DataLog::Action::kRestart, &log0);
    Append<ETimeLimitMinimum>(60'000);
  }
};

TEST(TestRunThreaded, WindowThreadStartsAbortsAndRepeatsWhileFramesFlood) {
  FloodedTester tester;
  tester.verbose = true;
  framework::ValmoraApp& app = tester.app;
  const TestContext context = tester.Context();
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
  EXPECT_EQ(tester.prompter.decisions.size(), 3u);
}

// Reads on the tick thread, after each step, what the window's live views copy:
// the journal, the data logs and the criteria. A run seen over must still be
// whole: its journal from the start note to the finish note.
class CopyingObserver final : public RunObserver {
 public:
  void OnStart(const Test& /*test*/) override {}
  void OnStep(const Test& test) override {
    // A slow copy of the finished run: a window that starts the next run
    // meanwhile would be seen, even without ThreadSanitizer.
    if (!test.Running()) {
      for (int i = 0; i < 2000; ++i) std::this_thread::yield();
    }
    const std::vector<RunNote>& notes = test.Journal().Notes();
    for (const RunNote& note : notes) copied += note.text.size();
    copied += test.DataLogAt(0)->Size();
    for (const auto& [id, criterion] : test.Criteria()) copied += criterion->Note().size();
    if (test.Running()) return;
    ++finishedSteps;
    if (notes.empty() || notes.front().kind != RunNote::Kind::kStarted ||
        notes.back().kind != RunNote::Kind::kFinished) {
      ++brokenJournals;
    }
  }
  std::size_t copied = 0;
  std::atomic<int> finishedSteps{0};
  std::atomic<int> brokenJournals{0};
};

class ShortRecordingTest : public Test {
 public:
  explicit ShortRecordingTest(const TestContext& context)
      : Test(context, 1, compliance::IdentityOf(1)) {
    DataLog& log0 = AddDataLog(0);
    Append<EDataLogAction>(DataLog::Action::kRestart, &log0);
    AddCriterion(0x101, "Recorded");
  }
};

// Repeat Last Test: the window starts the run again the moment the slot is empty.
TEST(TestRunThreaded, ARunRepeatedTheMomentTheSlotEmptiesMeetsNoStepOfTheLastRun) {
  CopyingObserver observer;
  FloodedTester tester;
  framework::ValmoraApp& app = tester.app;
  const TestContext context = tester.Context(&observer);
  constexpr int kRuns = 20;
  {
    auto test =
        std::make_unique<framework::Registered<ShortRecordingTest>>(app.Link().Parsers(), context);
    for (int run = 0; run < kRuns; ++run) {
      test->Start();
      while (app.RunningTest().Occupied()) std::this_thread::yield();
    }
    EXPECT_FALSE(test->Running());
    EXPECT_FALSE(test->Aborted());
    app.RunningTest().Clear(test.get());
  }
  EXPECT_EQ(observer.finishedSteps.load(), kRuns);
  EXPECT_EQ(observer.brokenJournals.load(), 0);
}

}  // namespace
}  // namespace vlt::engine
