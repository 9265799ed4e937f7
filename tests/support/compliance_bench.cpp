#include "support/compliance_bench.h"

#include "compliance/compliance_tests.h"

namespace vlt::testing {

ComplianceBench::ComplianceBench(std::unique_ptr<host::SimDevice> dut, host::HostConfig config)
    : host(clock, std::move(config)) {
  if (dut) host.SetDut(std::move(dut));
  slots = host.ConnectTool();
  pane = std::make_unique<platform::MemoryLogPane>();
  driver.beforeStep = [this] { host.CatchUp(); };
  app = std::make_unique<framework::ValmoraApp>(clock, *slots, prompter, driver);
  app->Log().Attach(pane.get());
  app->InitInstance({});
  dictionary = dictionary::StartMainDictionary(*app);
  driver.StepMillis(5);  // registration and its acknowledgement
  app->Link().EnableFrames(true);
  dataContext = std::make_unique<data::DataContext>(*app);
  appSettings = settings::CreateApplicationSettings(*dataContext);
}

ComplianceBench::~ComplianceBench() {
  watchdog.reset();
  appSettings.reset();
  dataContext.reset();
  dictionary.reset();
  app->ShutDown();
  app->Log().Detach();
}

engine::TestContext ComplianceBench::Context() {
  return Context(prompter);
}

engine::TestContext ComplianceBench::Context(platform::Prompter& answers) {
  engine::TestContext context{*app, appSettings->Store(), *dataContext, op, answers, verbose};
  compliance::AttachDictionary(context, *dictionary);
  context.localTime = [] { return LocalTime(2026, 1, 22, 4, 14, 5, 9); };
  context.operatorCues = &op;
  return context;
}

std::unique_ptr<engine::Test> ComplianceBench::Make(std::string_view code) {
  return compliance::MakeTest(code, Context());
}

std::unique_ptr<engine::Test> ComplianceBench::Make(std::string_view code,
                                                    platform::Prompter& answers) {
  return compliance::MakeTest(code, Context(answers));
}

bool ComplianceBench::Run(engine::Test& test, int limitMs) {
  test.Start();
  for (int i = 0; i < limitMs; ++i) {
    if (!test.Running() && app->RunningTest().Get() == nullptr) return true;
    Step(1);
  }
  return !test.Running();
}

void ComplianceBench::StartWindowTimer() {
  watchdog = std::make_unique<framework::HostWatchdog>(app->Link(), app->Log());
}

void ComplianceBench::Step(int millis) {
  constexpr int kWindowTimerMs = 50;
  for (int i = 0; i < millis; ++i) {
    driver.StepMillis(1);
    if (watchdog && ++sinceTimerMs_ == kWindowTimerMs) {
      sinceTimerMs_ = 0;
      watchdog->OnTimer();
    }
  }
}

}  // namespace vlt::testing
