// Everything a test reaches outside itself, handed in instead of process-wide
// pointers: the application core, the application's settings, the operator's
// keyboard and decision window, the verbose flag, the status boxes, the
// starting profile, the local time for report dates and the dictionary hooks.
#pragma once

#include <atomic>
#include <ctime>
#include <functional>
#include <string>

#include "engine/dictionary_hooks.h"
#include "engine/operator_cues.h"
#include "framework/tool_app.h"
#include "platform/prompter.h"

namespace vlt::data {
class DataContext;
}
namespace vlt::settings {
class SettingManager;
}

namespace vlt::engine {

// The main window's test status box, tick-rate box and element strip; the
// default shows nothing.
class StatusDisplay {
 public:
  virtual ~StatusDisplay() = default;
  virtual void SetTestStatus(const std::string& /*text*/) {}
  virtual void SetTickRate(const std::string& /*text*/) {}
  virtual void SetElementStrip(const std::string& /*richText*/) {}
};

class Test;

// Sees each run: its start on the window thread, before the tick thread may step
// it, then the test after each step, on the tick thread. The one place where the
// window may take copies of a run while it goes on.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void OnStart(const Test& test) = 0;
  virtual void OnStep(const Test& test) = 0;
};

// The local date and time now (report dates, default log names).
using LocalTimeFn = std::function<std::tm()>;
std::tm SystemLocalTime();

struct TestContext {
  framework::BRToolApp& app;
  settings::SettingManager& appSettings;
  data::DataContext& dataContext;  // for the test's own settings store
  const platform::KeyState& keys;
  platform::Prompter& prompter;
  std::atomic<bool>& verbose;
  StatusDisplay* status = nullptr;  // none: no boxes to show
  // The profile file loaded or saved last; empty when none.
  std::function<std::string()> startingProfile{};
  LocalTimeFn localTime = SystemLocalTime;
  SignalValueFn signalValue{};         // none: every signal reads "N/A"
  FrameDecodeFn decodeFrame{};         // none: data log dumps show no decoded lines
  RunObserver* runObserver = nullptr;  // none: nobody watches runs as they go
  // An operator that acts by itself (the command line's); none: the person
  // reads the memo lines in the log pane.
  OperatorCues* operatorCues = nullptr;
};

}  // namespace vlt::engine
