// The summary report over logs that real runs wrote: A-10 and A-110 against a
// correct DUT and A-20 against a slow one, saved as "Save Log" saves them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "compliance/compliance_tests.h"
#include "compliance/static_dut_support.h"
#include "compliance/test_table.h"
#include "engine/saved_log.h"
#include "platform/log_pane.h"
#include "reports/summary_report.h"
#include "support/virtual_time.h"

namespace vlt::compliance {
namespace {

namespace fs = std::filesystem;
using namespace static_scenario;

const fs::path kHere = fs::path(VLT_TESTS_DIR) / "compliance";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs one test against a fresh bench and saves its log pane in `folder`.
void RunAndSave(const std::string& code, host::DutFaults faults, const fs::path& folder) {
  testing::ComplianceBench bench(Dut(faults));
  MatchDutProfile(bench);
  bench.Settings().SetValue("Product Name", "Widget");
  bench.Settings().SetValue("Product Version", "2.1");
  auto test = bench.Make(code);
  ASSERT_TRUE(test);
  ASSERT_TRUE(bench.Run(*test));
  std::ofstream out(folder / (test->DefaultLogName() + ".txt"), std::ios::binary);
  out << framework::SavedLogText(bench.Text());
}

TEST(SummaryOfRuns, LogsOfRealRunsSummariseByteExactly) {
  const fs::path folder =
      fs::path(::testing::TempDir()) / ("vlt_runs_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  RunAndSave("A10", {}, folder);
  RunAndSave("A110", {}, folder);
  RunAndSave("A20", {host::DutFault::kSlowAnswer}, folder);

  platform::MemoryLogPane pane;
  framework::LogOutput log;
  log.Attach(&pane);
  const reports::SummaryInputs inputs{
      {{"Widget", "2.1"}, compliance::SummaryCatalogue(), ProgramCriterionCounts()},
      vlt::testing::LocalTime(2026, 2, 3, 2, 14, 30, 0),
      "Jan 21 2026"};
  EXPECT_TRUE(reports::BuildSummaryReport(folder.string(), inputs, log));
  log.Detach();

  std::string golden = ReadFile(kHere / "summary_of_runs.golden");
  for (std::size_t at; (at = golden.find("@FOLDER@")) != std::string::npos;) {
    golden.replace(at, 8, folder.string());
  }
  if (pane.Text() != golden) {
    std::ofstream(folder.string() + ".actual", std::ios::binary) << pane.Text();
  }
  EXPECT_EQ(pane.Text(), golden) << "actual text saved as " << folder.string() << ".actual";
  fs::remove_all(folder);
}

}  // namespace
}  // namespace vlt::compliance
