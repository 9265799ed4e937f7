// One tester connected to the host of a run folder, running tests one after the
// other and saving each log: what `vlt run` and `vlt demo` share.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/operator_policy.h"
#include "cli/terminal.h"
#include "data/data_context.h"
#include "dictionary/dictionary.h"
#include "engine/test.h"
#include "framework/host_watchdog.h"
#include "framework/tool_app.h"
#include "platform/clock.h"
#include "platform/instance_lock.h"
#include "platform/mailslots.h"
#include "settings/default_settings.h"

namespace vlt::cli {

struct TestOutcome {
  std::string code;
  bool aborted = false;
  bool failed = false;                // some criterion ended "DNP "
  bool notSaved = false;              // the log could not be written
  bool linkLost = false;              // aborted: the link to the host went down
  bool timedOut = false;              // aborted: the run took longer than the session allows
  bool interrupted = false;           // aborted by a signal
  std::vector<std::string> criteria;  // "PASS", "DNP " or "____" + " : " + text, in id order
  std::vector<std::string> notes;     // each criterion's note, in the same order
  std::string logPath;                // empty when not saved
};

class TestSession {
 public:
  // No bound on a test's run time.
  static constexpr std::chrono::seconds kNoTimeout{0};
  // How long Connect waits for the host to acknowledge the registration.
  static constexpr std::chrono::seconds kRegisterWait{3};

  TestSession(std::string runDir, bool ttyOperator, bool verbose);
  ~TestSession();
  TestSession(const TestSession&) = delete;
  TestSession& operator=(const TestSession&) = delete;

  settings::ApplicationSettings& Settings() { return *appSettings_; }
  data::DataContext& Data() { return dataContext_; }
  const platform::Clock& Clock() const { return clock_; }
  const framework::BRLink& Link() { return app_.Link(); }

  // Each test is aborted once it has run this long, saying what it waited for.
  void SetTimeout(std::chrono::seconds timeout) { timeout_ = timeout; }
  // The profile the report's "Test Profile" line names (Windows-1252).
  void SetProfilePath(std::string path) { profilePath_ = std::move(path); }

  // Takes the tester lock, registers with the host, waits for its answer and
  // starts the dictionary: kExitOk, or the exit status that says why not.
  int Connect();
  // Runs one test to its end (a signal or the timeout aborts it) and saves its
  // log in `outDir` under a name no other file has.
  TestOutcome Run(const std::string& code, const std::string& outDir);
  // Keeps the link watched until it is up again or `limit` has passed; true when up.
  bool WaitForLink(std::chrono::milliseconds limit);
  // The manufacturer code a NAME text carries, as the tests read it; none
  // without a whole NAME.
  std::optional<std::string> ManufacturerOf(const std::string& nameText) const;
  // The removal handshake; the session can not run tests afterwards.
  void Close();

  // Sees each finished test before it goes, once its log was saved (or not) at `logPath`.
  std::function<void(const engine::Test&, const std::string& logPath, bool saved)> onFinished;

 private:
  // The window's 50 ms timer: the host watchdog.
  void WindowTimer();

  std::string runDir_;
  platform::SteadyClock clock_;
  HostDutControl power_;
  std::unique_ptr<OperatorPolicy> operator_;
  TerminalLogPane pane_;
  platform::UnixMailslots mailslots_;
  framework::ThreadTickDriver driver_;
  framework::ValmoraApp app_;
  data::DataContext dataContext_;
  std::unique_ptr<settings::ApplicationSettings> appSettings_;
  platform::InstanceLock lock_;
  std::unique_ptr<dictionary::RegisteredMainDictionary> dictionary_;
  std::atomic<bool> verbose_;
  std::unique_ptr<engine::TestContext> context_;
  std::unique_ptr<framework::HostWatchdog> watchdog_;
  std::chrono::seconds timeout_ = kNoTimeout;
  std::string profilePath_;
  bool connected_ = false;
};

}  // namespace vlt::cli
