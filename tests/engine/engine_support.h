// A whole tester on virtual time for engine tests: the application core over
// scripted mailslots, a host stand-in that answers mode messages, the default
// application settings, a memory log pane, and the test context over them.
#pragma once

#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "data/data_context.h"
#include "engine/test.h"
#include "framework/tool_app.h"
#include "platform/log_pane.h"
#include "settings/default_settings.h"
#include "support/virtual_time.h"

#include <gtest/gtest.h>

namespace vlt::engine::testing {

class FakeKeys final : public platform::KeyState {
 public:
  std::set<std::uint8_t> down;
  bool IsKeyDown(std::uint8_t key) const override { return down.count(key) != 0; }
};

class RecordingStatus final : public StatusDisplay {
 public:
  std::vector<std::string> statuses, rates, strips;
  void SetTestStatus(const std::string& text) override { statuses.push_back(text); }
  void SetTickRate(const std::string& text) override { rates.push_back(text); }
  void SetElementStrip(const std::string& text) override { strips.push_back(text); }
};

// A Thursday, 22 January 2026, 14:05:09 local time.
std::tm FixedLocalTime();

class EngineHarness {
 public:
  static constexpr std::uint32_t kToolId = 7;

  EngineHarness();
  ~EngineHarness();

  TestContext Context();
  // The same context over another application settings store.
  TestContext ContextWith(settings::SettingManager& appStore);
  // A bare test (its two base elements) with catalogue index `index`, registered.
  std::unique_ptr<Test> MakeTest(std::uint16_t index = 1);
  std::unique_ptr<Test> MakeTest(const TestContext& context, std::uint16_t index = 1);

  // Virtual milliseconds through the tick loop (receive pass, test step, ...).
  void Run(int millis) { driver.StepMillis(millis); }
  // Runs until `done` or `limitMs` passed; false when the limit ran out.
  template <typename Done>
  bool RunUntil(Done done, int limitMs) {
    for (int i = 0; i < limitMs; ++i) {
      if (done()) return true;
      Run(1);
    }
    return done();
  }
  // A frame from the bus, delivered at the next step.
  void Frame(std::uint32_t dgn, std::uint8_t source, std::vector<std::uint8_t> data);
  // Every transmit message the tool wrote.
  std::vector<framework::ToolMessage> Transmits() const;
  std::vector<std::vector<std::uint8_t>> ModeMessages() const;
  std::string Text() const { return pane.Text(); }
  std::vector<std::string> Lines() const;
  settings::SettingManager& Settings() { return appSettings->Store(); }

  platform::ManualClock clock;
  vlt::testing::ScriptedMailslots mailslots;
  vlt::testing::RecordingPrompter prompter;
  vlt::testing::ManualTickDriver driver{clock};
  framework::ValmoraApp app{clock, mailslots, prompter, driver};
  platform::MemoryLogPane pane;
  data::DataContext dataContext{app.Log()};
  std::unique_ptr<settings::ApplicationSettings> appSettings;
  FakeKeys keys;
  std::atomic<bool> verbose{false};
  RecordingStatus status;
  SignalValueFn signalValue;
  FrameDecodeFn decodeFrame;
  // The host stand-in answers every mode message and probe with a report (false: silent).
  bool hostAnswersModes = true;
  std::uint8_t hostMode = 0;  // Normal
  std::uint8_t hostEcho = 0;

 private:
  void AnswerModeMessages();
  std::size_t seenWritten_ = 0;
};

// Compares with a golden file of tests/engine/golden; on a mismatch the
// failure shows both texts line by line with the first difference marked.
::testing::AssertionResult MatchesGolden(const std::string& actual, const std::string& file);

}  // namespace vlt::engine::testing
