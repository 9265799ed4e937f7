// The tester's application core over a real vlt-host on the wall clock, for the
// benchmarks that measure timing as an operator would see it.
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "compliance/compliance_tests.h"
#include "data/data_context.h"
#include "dictionary/dictionary.h"
#include "engine/test.h"
#include "framework/tool_app.h"
#include "platform/clock.h"
#include "platform/log_pane.h"
#include "platform/mailslots.h"
#include "settings/default_settings.h"
#include "support/virtual_time.h"

namespace vlt::bench {

class NoKeys final : public platform::KeyState {
 public:
  bool IsKeyDown(std::uint8_t) const override { return false; }
};

// Connects to the host of the mailslots' run folder and waits (up to 5 s) for it.
class RealTimeTester {
 public:
  explicit RealTimeTester(platform::Mailslots& mailslots)
      : driver_(mailslots), app_(clock_, mailslots, prompter_, driver_) {
    app_.Log().Attach(&pane_);
    app_.InitInstance({});
    for (int i = 0; i < 500 && !Connected(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    app_.Link().EnableFrames(true);
    dataContext_ = std::make_unique<data::DataContext>(app_);
    settings_ = settings::CreateApplicationSettings(*dataContext_);
    dictionary_ = dictionary::StartMainDictionary(app_);
    context_ = std::make_unique<engine::TestContext>(
        engine::TestContext{app_, settings_->Store(), *dataContext_, keys_, prompter_, verbose_});
    compliance::AttachDictionary(*context_, *dictionary_);
  }
  ~RealTimeTester() {
    app_.Link().EnableFrames(false);
    settings_.reset();
    dictionary_.reset();
    app_.ShutDown();
    app_.Log().Detach();
  }
  RealTimeTester(const RealTimeTester&) = delete;
  RealTimeTester& operator=(const RealTimeTester&) = delete;

  bool Connected() { return app_.Link().GetState() == framework::BRLink::State::kConnected; }
  framework::ValmoraApp& App() { return app_; }
  settings::SettingManager& Settings() { return settings_->Store(); }
  const engine::TestContext& Context() const { return *context_; }

  // Starts the test and waits on the wall clock until it has left the running slot.
  void RunToEnd(engine::Test& test) {
    test.Start();
    while (test.Running() || app_.RunningTest().Get() != nullptr) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

 private:
  platform::SteadyClock clock_;
  testing::RecordingPrompter prompter_;
  framework::ThreadTickDriver driver_;
  framework::ValmoraApp app_;
  platform::MemoryLogPane pane_;
  std::unique_ptr<data::DataContext> dataContext_;
  std::unique_ptr<settings::ApplicationSettings> settings_;
  std::unique_ptr<dictionary::RegisteredMainDictionary> dictionary_;
  NoKeys keys_;
  std::atomic<bool> verbose_{false};
  std::unique_ptr<engine::TestContext> context_;
};

}  // namespace vlt::bench
