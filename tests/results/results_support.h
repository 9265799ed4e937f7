// Finished test runs on virtual time for the result files' tests: A-10 against
// the simulated static DUT (correct, or with faults) and A-50 against the
// dynamic one, each kept with its bench so that its data log can still be read.
#pragma once

#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/test.h"
#include "host/devices/dut_faults.h"
#include "support/compliance_bench.h"

namespace vlt::results::testing {

struct FinishedRun {
  std::unique_ptr<vlt::testing::ComplianceBench> bench;
  std::unique_ptr<engine::Test> test;
};

// A bench with the static DUT at 253 (with the faults) and the profile that matches it.
std::unique_ptr<vlt::testing::ComplianceBench> A10Bench(host::DutFaults faults);

// The test of that code on the bench, `observer` seeing its steps.
std::unique_ptr<engine::Test> MakeObserved(vlt::testing::ComplianceBench& bench, const char* code,
                                           engine::RunObserver* observer);

// Runs the test to its end; `observer` sees every step when given.
FinishedRun RunA10(host::DutFaults faults, engine::RunObserver* observer = nullptr);
FinishedRun RunA50(host::DutFaults faults);

// The local time the runs end at in the golden files.
std::tm EndOfRun();

// tests/results, where the golden files are.
std::filesystem::path ResultsDir();

}  // namespace vlt::results::testing
