#include "results/results_support.h"

#include <gtest/gtest.h>

#include "compliance/compliance_tests.h"
#include "compliance/static_dut_support.h"
#include "host/devices/dynamic_dut.h"
#include "support/virtual_time.h"

namespace vlt::results::testing {
namespace {

FinishedRun RunToEnd(std::unique_ptr<vlt::testing::ComplianceBench> bench, const char* code,
                     engine::RunObserver* observer) {
  FinishedRun run;
  run.test = MakeObserved(*bench, code, observer);
  EXPECT_TRUE(run.test);
  if (run.test) {
    EXPECT_TRUE(bench->Run(*run.test, 60'000));
  }
  run.bench = std::move(bench);
  return run;
}

}  // namespace

std::unique_ptr<engine::Test> MakeObserved(vlt::testing::ComplianceBench& bench, const char* code,
                                           engine::RunObserver* observer) {
  engine::TestContext context = bench.Context();
  context.runObserver = observer;
  return compliance::MakeTest(code, context);
}

std::unique_ptr<vlt::testing::ComplianceBench> A10Bench(host::DutFaults faults) {
  auto bench =
      std::make_unique<vlt::testing::ComplianceBench>(compliance::static_scenario::Dut(faults));
  compliance::static_scenario::MatchDutProfile(*bench);
  return bench;
}

FinishedRun RunA10(host::DutFaults faults, engine::RunObserver* observer) {
  return RunToEnd(A10Bench(faults), "A10", observer);
}

FinishedRun RunA50(host::DutFaults faults) {
  host::DynamicDutConfig config;
  config.common.faults = faults;
  auto bench = std::make_unique<vlt::testing::ComplianceBench>(
      std::make_unique<host::DynamicDut>(config, 0));
  bench->Settings().SetValue("Manufacturer ID", "291");
  bench->Settings().SetValue("DSA Category", "Multifunction");
  return RunToEnd(std::move(bench), "A50", nullptr);
}

std::tm EndOfRun() {
  return vlt::testing::LocalTime(2026, 1, 22, 4, 14, 5, 9);
}

std::filesystem::path ResultsDir() {
  return std::filesystem::path(VLT_TESTS_DIR) / "results";
}

}  // namespace vlt::results::testing
