// A whole bench on virtual time for compliance scenarios: the in-process host
// with a simulated DUT, the tester's application core connected to it, the
// default application settings, the auto operator (it powers the DUT when the
// test cues it and presses space as the tests ask) and a memory log pane.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "cli/operator_policy.h"
#include "data/data_context.h"
#include "dictionary/dictionary.h"
#include "engine/test.h"
#include "framework/host_watchdog.h"
#include "framework/tool_app.h"
#include "host/core/in_process_host.h"
#include "platform/log_pane.h"
#include "settings/default_settings.h"
#include "support/virtual_time.h"

namespace vlt::testing {

class ComplianceBench {
 public:
  // The DUT on the bus; null for an empty bus. `config`: how the host delivers frames.
  explicit ComplianceBench(std::unique_ptr<host::SimDevice> dut, host::HostConfig config = {});
  ~ComplianceBench();

  // Questions of the tests go to `answers` (default: the recording prompter).
  engine::TestContext Context();
  engine::TestContext Context(platform::Prompter& answers);
  // The runnable test of that code, registered; null for an unknown code.
  std::unique_ptr<engine::Test> Make(std::string_view code);
  std::unique_ptr<engine::Test> Make(std::string_view code, platform::Prompter& answers);
  // Starts the test and steps virtual time until it has finished; false when
  // `limitMs` ran out first.
  bool Run(engine::Test& test, int limitMs = 120'000);
  // Virtual milliseconds; with `windowTimer`, the host watchdog runs every 50 ms
  // as the window's timer would.
  void Step(int millis);
  // Starts the host watchdog on the window's timer.
  void StartWindowTimer();
  std::string Text() const { return pane->Text(); }
  settings::SettingManager& Settings() { return appSettings->Store(); }

  platform::ManualClock clock;
  host::InProcessHost host;
  RecordingPrompter prompter;
  ManualTickDriver driver{clock};
  std::atomic<bool> verbose{false};

 private:
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

 public:
  HostPower power{host};
  cli::AutoOperator op{power, clock, [this] { return app->MasterParser().FrameCount(); }};
  std::unique_ptr<platform::Mailslots> slots;
  std::unique_ptr<platform::MemoryLogPane> pane;
  std::unique_ptr<framework::ValmoraApp> app;
  std::unique_ptr<data::DataContext> dataContext;
  std::unique_ptr<settings::ApplicationSettings> appSettings;
  std::unique_ptr<dictionary::RegisteredMainDictionary> dictionary;
  std::unique_ptr<framework::HostWatchdog> watchdog;  // only after StartWindowTimer

 private:
  int sinceTimerMs_ = 0;
};

}  // namespace vlt::testing
