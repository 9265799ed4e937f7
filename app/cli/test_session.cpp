#include "cli/test_session.h"

#include <cstdio>
#include <thread>

#include "cli/interrupts.h"
#include "cli/run_command.h"
#include "cli/tester_lock.h"
#include "compliance/compliance_tests.h"
#include "compliance/test_table.h"
#include "engine/dut_name.h"
#include "engine/failure.h"
#include "engine/saved_log.h"
#include "engine/test_events.h"
#include "platform/text_encoding.h"
#include "platform/write_failure.h"

namespace vlt::cli {

namespace {
constexpr std::chrono::milliseconds kWindowTimer{50};
constexpr std::chrono::milliseconds kRegisterPoll{10};

std::unique_ptr<OperatorPolicy> MakeOperator(bool tty, DutControl& power,
                                             const platform::Clock& clock, HeardFrames heard) {
  if (tty) return std::make_unique<TtyOperator>(clock);
  return std::make_unique<AutoOperator>(power, clock, std::move(heard));
}
}  // namespace

TestSession::TestSession(std::string runDir, bool ttyOperator, bool verbose)
    : runDir_(std::move(runDir)),
      power_(runDir_),
      operator_(MakeOperator(ttyOperator, power_, clock_,
                             [this] { return app_.MasterParser().FrameCount(); })),
      pane_(stdout),
      mailslots_(runDir_),
      driver_(mailslots_),
      app_(clock_, mailslots_, *operator_, driver_),
      dataContext_(app_.Log()),
      appSettings_(
          settings::CreateApplicationSettings(dataContext_, compliance::SettingsHeadings())),
      verbose_(verbose) {}

TestSession::~TestSession() {
  Close();
}

int TestSession::Connect() {
  if (const int locked = AcquireTesterLock(lock_, runDir_); locked != kExitOk) return locked;
  app_.Log().Attach(&pane_);
  app_.InitInstance({});
  framework::BRLink& link = app_.Link();
  const auto deadline = std::chrono::steady_clock::now() + kRegisterWait;
  while (link.GetState() == framework::BRLink::State::kRegistered &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kRegisterPoll);
  }
  if (link.GetState() != framework::BRLink::State::kConnected) {
    const std::string why =
        link.GetState() == framework::BRLink::State::kFailed
            ? link.DownReason()
            : "The host at " + link.HostLocation() + " did not answer the registration within " +
                  std::to_string(kRegisterWait.count()) + " s: is the vlt-host there stuck?";
    std::fprintf(stderr, "vlt: %s\n", platform::Cp1252ToUtf8(why).c_str());
    app_.ShutDown();
    app_.Log().Detach();
    return kExitNoHost;
  }
  connected_ = true;
  dictionary_ = dictionary::StartMainDictionary(app_);
  link.EnableFrames(true);
  context_ = std::make_unique<engine::TestContext>(engine::TestContext{
      app_, appSettings_->Store(), dataContext_, *operator_, *operator_, verbose_});
  context_->startingProfile = [this] { return profilePath_; };
  context_->operatorCues = operator_.get();
  compliance::AttachDictionary(*context_, *dictionary_);
  watchdog_ = std::make_unique<framework::HostWatchdog>(link, app_.Log());
  return kExitOk;
}

void TestSession::WindowTimer() {
  std::this_thread::sleep_for(kWindowTimer);
  watchdog_->OnTimer();
}

bool TestSession::WaitForLink(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (app_.Link().Down() && std::chrono::steady_clock::now() < deadline && !Interrupted()) {
    WindowTimer();
  }
  return !app_.Link().Down();
}

TestOutcome TestSession::Run(const std::string& code, const std::string& outDir) {
  TestOutcome outcome;
  outcome.code = code;
  auto test = compliance::MakeTest(code, *context_);
  const std::string logName = test->DefaultLogName();
  if (const std::string warning = engine::UnreadNameWarning(*test); !warning.empty()) {
    // Written before the start clears the pane: the saved report stays the test's own.
    std::fprintf(stderr, "vlt: %s\n", platform::Cp1252ToUtf8(warning).c_str());
    app_.Log().AppendLogLine(warning);
  }
  const auto started = std::chrono::steady_clock::now();
  test->Start();
  // Lock-free: the tick thread holds the slot while it waits for an answer.
  while (test->Running() || app_.RunningTest().Occupied()) {
    WindowTimer();
    if (Interrupted() && !outcome.interrupted) {
      test->PostAbort(InterruptLine(), true);  // as the Abort command does
      outcome.interrupted = true;
    }
    if (timeout_ != kNoTimeout && !outcome.timedOut &&
        std::chrono::steady_clock::now() - started >= timeout_) {
      test->PostAbort(
          "The test ran longer than --timeout " + std::to_string(timeout_.count()) + " s.", true);
      outcome.timedOut = true;
    }
  }
  power_.Drain();  // the operator's last action is done before the next test
  outcome.aborted = test->Aborted();
  outcome.linkLost = test->LinkLost();
  outcome.interrupted = outcome.interrupted && outcome.aborted;
  outcome.timedOut = outcome.timedOut && outcome.aborted;
  for (const auto& [id, criterion] : test->Criteria()) {
    if (criterion->GetState() == engine::Failure::State::kDidNotPass) outcome.failed = true;
    outcome.criteria.push_back(std::string(engine::StateTag(criterion->GetState())) + " : " +
                               criterion->Text());
    outcome.notes.push_back(criterion->Note());
  }
  std::string path;
  std::string error;
  int errorNumber = 0;
  if (engine::SaveNewLog(outDir, logName, app_.Log().Text(), &path, &error, &errorNumber)) {
    outcome.logPath = path;
    std::fprintf(stderr, "vlt: saved %s\n", path.c_str());
  } else {
    std::fprintf(stderr, "vlt: the log of %s was not saved: %s; no file was replaced. %s\n",
                 code.c_str(), error.c_str(), platform::WriteFailureAdvice(errorNumber).c_str());
    outcome.notSaved = true;
  }
  if (onFinished) {
    // Unsaved, the name the log was to have.
    const std::string named =
        outcome.notSaved
            ? outDir + "/" + platform::Cp1252ToUtf8(engine::LogFileName(logName)) + ".txt"
            : path;
    onFinished(*test, named, !outcome.notSaved);
  }
  test.reset();
  return outcome;
}

std::optional<std::string> TestSession::ManufacturerOf(const std::string& nameText) const {
  if (!context_) return std::nullopt;
  return engine::ManufacturerOfName(*context_, nameText);
}

void TestSession::Close() {
  if (!connected_) return;
  connected_ = false;
  app_.Link().EnableFrames(false);
  watchdog_.reset();
  context_.reset();
  dictionary_.reset();
  app_.ShutDown();
  app_.Log().Detach();
}

}  // namespace vlt::cli
