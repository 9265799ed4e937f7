#include "cli/test_session.h"

#include <cstdio>
#include <thread>

#include "cli/run_command.h"
#include "cli/tester_lock.h"
#include "compliance/compliance_tests.h"
#include "engine/failure.h"
#include "engine/saved_log.h"
#include "engine/test_events.h"
#include "platform/registry_file.h"
#include "platform/text_encoding.h"

namespace vlt::cli {

namespace {
constexpr std::chrono::milliseconds kWindowTimer{50};

std::unique_ptr<OperatorPolicy> MakeOperator(bool tty, DutPower& power,
                                             const platform::Clock& clock) {
  if (tty) return std::make_unique<TtyOperator>(clock);
  return std::make_unique<AutoOperator>(power, clock);
}
}  // namespace

volatile std::sig_atomic_t TestSession::interrupted = 0;

TestSession::TestSession(std::string runDir, bool ttyOperator, bool verbose)
    : runDir_(std::move(runDir)),
      power_(runDir_),
      operator_(MakeOperator(ttyOperator, power_, clock_)),
      pane_(stdout, [this](std::string_view line) { operator_->OnLogLine(line); }),
      mailslots_(runDir_),
      driver_(mailslots_),
      app_(clock_, mailslots_, *operator_, driver_),
      dataContext_(app_.Log()),
      appSettings_(settings::CreateApplicationSettings(dataContext_)),
      verbose_(verbose) {}

TestSession::~TestSession() {
  Close();
}

int TestSession::Connect() {
  if (const int locked = AcquireTesterLock(lock_, runDir_); locked != kExitOk) return locked;
  app_.Log().Attach(&pane_);
  app_.InitInstance({});
  if (app_.Link().GetState() == framework::BRLink::State::kFailed) {
    app_.ShutDown();
    app_.Log().Detach();
    return kExitNoHost;
  }
  connected_ = true;
  dictionary_ = dictionary::StartMainDictionary(app_);
  app_.Link().EnableFrames(true);
  context_ = std::make_unique<engine::TestContext>(engine::TestContext{
      app_, appSettings_->Store(), dataContext_, *operator_, *operator_, verbose_});
  compliance::AttachDictionary(*context_, *dictionary_);
  watchdog_ = std::make_unique<framework::HostWatchdog>(app_.Link(), app_.Log());
  return kExitOk;
}

TestOutcome TestSession::Run(const std::string& code, const std::string& outDir) {
  TestOutcome outcome;
  outcome.code = code;
  auto test = compliance::MakeTest(code, *context_);
  const std::string logName = test->DefaultLogName();
  test->Start();
  bool abortPosted = false;
  while (test->Running() || app_.RunningTest().Get() != nullptr) {
    std::this_thread::sleep_for(kWindowTimer);
    watchdog_->OnTimer();
    if (interrupted && !abortPosted) {
      test->PostEvent(engine::kEvAbort);
      abortPosted = true;
    }
  }
  power_.Drain();  // the operator's last power switch is done before the next test
  outcome.aborted = test->Aborted();
  for (const auto& [id, criterion] : test->Criteria()) {
    if (criterion->GetState() == engine::Failure::State::kDidNotPass) outcome.failed = true;
    outcome.criteria.push_back(std::string(engine::StateTag(criterion->GetState())) + " : " +
                               criterion->Text());
    outcome.notes.push_back(criterion->Note());
  }
  const std::string path = outDir + "/" + platform::Cp1252ToUtf8(logName) + ".txt";
  std::string error;
  if (engine::SaveLog(path, app_.Log().Text(), &error)) {
    outcome.logPath = path;
    std::fprintf(stderr, "vlt: saved %s\n", path.c_str());
  } else {
    std::fprintf(stderr,
                 "vlt: the log of %s was not saved: %s; a log already there is unchanged. "
                 "Free some space or choose another folder with --out, then run the test again\n",
                 code.c_str(), error.c_str());
    outcome.notSaved = true;
  }
  if (onFinished) onFinished(*test, path, !outcome.notSaved);
  test.reset();
  return outcome;
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
