// A whole A-110 run on a real tick thread while the window thread does what the
// main window does meanwhile: edits settings the test reads, reads the log pane
// and the settings list, takes the dictionary's value list, posts a pause and a
// resume. Virtual time moves in lockstep with the tick thread so the verdict is
// known; the ThreadSanitizer build runs this.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "cli/operator_policy.h"
#include "compliance/compliance_tests.h"
#include "data/data_context.h"
#include "dictionary/dictionary.h"
#include "engine/failure.h"
#include "engine/test_events.h"
#include "framework/tool_app.h"
#include "host/core/in_process_host.h"
#include "host/devices/static_dut.h"
#include "settings/default_settings.h"
#include "support/virtual_time.h"

namespace vlt::compliance {
namespace {

constexpr const char* kResponseTime = "More than 250ms elapsed before request and response.";

// Runs the loop on a TickThread and counts its steps, so the window thread can
// move virtual time on only after the loop has seen the last millisecond.
class LockstepDriver final : public framework::TickDriver {
 public:
  void Start(framework::TickLoop& loop) override {
    thread_ = std::make_unique<framework::TickThread>(loop, [this] { ++steps; });
    thread_->Start();
  }
  void Stop() override {
    if (thread_) thread_->Stop();
  }
  void Idle() override { std::this_thread::yield(); }
  void WaitForSteps(std::uint64_t count) {
    const std::uint64_t target = steps.load() + count;
    while (thread_ && thread_->Running() && steps.load() < target) std::this_thread::yield();
  }
  std::atomic<std::uint64_t> steps{0};

 private:
  std::unique_ptr<framework::TickThread> thread_;
};

class HostPower final : public cli::DutControl {
 public:
  explicit HostPower(host::InProcessHost& h) : host_(h) {}
  void Send(std::string command, Confirmed confirmed) override {
    const std::string reply = host_.Control(command);
    if (confirmed) confirmed(reply.starts_with("ok"));
  }

 private:
  host::InProcessHost& host_;
};

TEST(WindowThread, EditsReadsAndPausesWhileTheTickThreadRunsA110) {
  platform::ManualClock clock;
  host::InProcessHost host(clock);
  host::StaticDutConfig config;
  config.address = 0x80;
  host.SetDut(std::make_unique<host::StaticDut>(config, clock.NowMicros()));
  auto slots = host.ConnectTool();
  testing::RecordingPrompter prompter;
  LockstepDriver driver;
  framework::ValmoraApp app(clock, *slots, prompter, driver);
  platform::MemoryLogPane pane;
  app.Log().Attach(&pane);
  app.InitInstance({});
  auto dictionary = dictionary::StartMainDictionary(app);
  auto step = [&](int millis) {
    for (int i = 0; i < millis; ++i) {
      host.AdvanceMillis(1);
      driver.WaitForSteps(2);
    }
  };
  step(5);
  app.Link().EnableFrames(true);
  data::DataContext dataContext(app);
  auto appSettings = settings::CreateApplicationSettings(dataContext);
  settings::SettingManager& store = appSettings->Store();
  ASSERT_TRUE(store.SetValue("Full ADDRESS_CLAIM Value", "A5 A5 60 24 00 80 00 00"));
  HostPower power(host);
  cli::AutoOperator op(power, clock);
  std::atomic<bool> verbose{true};
  engine::TestContext context{app, store, dataContext, op, op, verbose};
  AttachDictionary(context, *dictionary);

  // The tick thread's parsers fill the value list that the window thread takes.
  dictionary->SetCollecting(true);
  std::size_t valuesTaken = 0;
  auto test = MakeTest("A110", context);
  ASSERT_TRUE(test);
  for (int run = 0; run < 2; ++run) {
    test->Start();
    std::size_t paneBytes = 0;
    for (int ms = 0; ms < 20'000 && (test->Running() || app.RunningTest().Get() != nullptr); ++ms) {
      // The window thread works while the tick thread steps the new millisecond;
      // only then are their accesses unordered, so that ThreadSanitizer sees them.
      host.AdvanceMillis(1);
      // Both values keep the answer's 5 ms inside the limit.
      EXPECT_TRUE(store.SetValue("250MS Timing Tolerance", ms % 2 == 0 ? "10" : "20"));
      if (ms % 7 == 0) {
        EXPECT_TRUE(store.SetValue("Product Name", "Widget " + std::to_string(ms)));
      }
      if (ms % 11 == 0) {
        paneBytes = std::max(paneBytes, pane.Text().size());
        for (const settings::SettingData* setting : store.Settings()) {
          EXPECT_FALSE(setting->LogLineText().empty());
        }
      }
      if (ms % 13 == 0) valuesTaken += dictionary->TakeValues().size();
      if (ms == 300) test->PostEvent(engine::kEvPause);
      if (ms == 340) test->PostEvent(engine::kEvResume);
      driver.WaitForSteps(2);
    }
    SCOPED_TRACE("run " + std::to_string(run + 1));
    EXPECT_GT(paneBytes, 0u);
    EXPECT_GT(valuesTaken, 0u);
    ASSERT_FALSE(test->Running());
    EXPECT_FALSE(test->Aborted()) << pane.Text();
    int timed = 0;
    for (const auto& [id, criterion] : test->Criteria()) {
      EXPECT_NE(criterion->GetState(), engine::Failure::State::kDidNotPass) << criterion->Text();
      if (criterion->Text() != kResponseTime) continue;
      ++timed;
      EXPECT_EQ(criterion->GetState(), engine::Failure::State::kPassed) << pane.Text();
    }
    EXPECT_EQ(timed, 1);
  }
  test.reset();
  appSettings.reset();
  dictionary.reset();
  app.ShutDown();
  app.Log().Detach();
}

}  // namespace
}  // namespace vlt::compliance
