// The result model of finished runs and its two writers: golden
// JUnit and JSON files for a PASS, a DNP and an aborted run, the JUnit counts
// against the report's own tally, evidence, abort reason and the DUT's claim.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "engine/test_events.h"
#include "reports/summary_report.h"
#include "results/junit_writer.h"
#include "results/results_support.h"
#include "results/run_json.h"
#include "results/run_result.h"
#include "support/golden_file.h"

namespace vlt::results {
namespace {

using host::DutFault;
using testing::FinishedRun;
using State = engine::Failure::State;

constexpr std::uint16_t kA10Manufacturer = 0x107;

RunResult ResultOf(const FinishedRun& run, const std::string& logName) {
  return BuildRunResult(*run.test, testing::EndOfRun(), logName.empty() ? "" : "logs/" + logName);
}

const CriterionResult& Criterion(const RunResult& result, std::uint16_t id) {
  for (const CriterionResult& c : result.criteria) {
    if (c.id == id) return c;
  }
  ADD_FAILURE() << "no criterion " << id;
  return result.criteria.front();
}

// The number in `attribute="N"` of the first element that begins with `element`.
int AttributeOf(const std::string& xml, const std::string& element, const std::string& attribute) {
  const std::size_t at = xml.find(element);
  const std::size_t name = xml.find(" " + attribute + "=\"", at);
  if (at == std::string::npos || name == std::string::npos) return -1;
  return std::stoi(xml.substr(name + attribute.size() + 3));
}

TEST(RunResultFiles, PassDnpAndAbortedRunsAsGoldenJUnitAndJson) {
  const FinishedRun pass = testing::RunA10({});
  const FinishedRun dnp = testing::RunA10({DutFault::kWrongMfg});
  const FinishedRun aborted = testing::RunA10({DutFault::kClaimEe05});
  const std::vector<RunResult> runs = {
      ResultOf(pass, "Default Product_A10_2601221405.txt"),
      ResultOf(dnp, "Default Product_A10_2601221406.txt"),
      // An aborted run whose log could not be saved: no path.
      ResultOf(aborted, ""),
  };
  EXPECT_TRUE(vlt::testing::MatchesGoldenFile(WriteJUnit(runs),
                                              testing::ResultsDir() / "three_runs.junit.xml"));
  EXPECT_TRUE(vlt::testing::MatchesGoldenFile(WriteResultsJson(runs),
                                              testing::ResultsDir() / "three_runs.json"));
}

TEST(RunResultFiles, JUnitCountsAreTheTallyTheSummaryReadsFromTheReport) {
  for (const auto faults : {host::DutFaults{}, host::DutFaults{DutFault::kWrongMfg},
                            host::DutFaults{DutFault::kShortQuiet, DutFault::kWrongAac},
                            host::DutFaults{DutFault::kClaimEe05}}) {
    const FinishedRun run = testing::RunA10(faults);
    const RunResult result = ResultOf(run, "x.txt");
    // The report in the log pane, read back as the summary report reads a saved log.
    std::istringstream pane(run.bench->Text());
    const reports::LogSummary report = reports::LogSummary::Parse("x.txt", pane, {});
    const auto count = [&report](const char* tag) {
      const auto it = report.tally.find(tag);
      return it == report.tally.end() ? 0 : it->second;
    };
    const std::string junit = WriteJUnit(std::vector<RunResult>{result});
    SCOPED_TRACE(junit);
    EXPECT_EQ(AttributeOf(junit, "<testsuite ", "failures"), count("DNP"));
    EXPECT_EQ(AttributeOf(junit, "<testsuite ", "skipped"), count("____"));
    EXPECT_EQ(AttributeOf(junit, "<testsuite ", "errors"), result.aborted ? 1 : 0);
    EXPECT_EQ(AttributeOf(junit, "<testsuite ", "tests"),
              count("PASS") + count("DNP") + count("____") + (result.aborted ? 1 : 0));
    const Tally tally = result.ReportTally();
    EXPECT_EQ(tally.passed, count("PASS"));
    EXPECT_EQ(tally.failed, count("DNP"));
    EXPECT_EQ(tally.undecided, count("____"));
  }
}

TEST(RunResult, EvidenceFrameTimesAndTheDutsClaim) {
  const FinishedRun run = testing::RunA10({DutFault::kWrongMfg});
  const RunResult result = ResultOf(run, "log.txt");
  const CriterionResult& mfg = Criterion(result, kA10Manufacturer);
  EXPECT_EQ(mfg.state, State::kDidNotPass);
  EXPECT_EQ(mfg.note, "Claiming Manufacturer ID 290");
  ASSERT_TRUE(mfg.evidence);
  EXPECT_EQ(mfg.evidence->identifier, "18EEFFFD");
  EXPECT_EQ(mfg.evidence->dgn, 0xEE00U);
  EXPECT_EQ(mfg.evidence->source, 253);
  // The evidence line is the one the report prints under the criterion.
  ASSERT_EQ(mfg.reportLines.size(), 2U);
  EXPECT_EQ(mfg.reportLines[1], "    " + mfg.evidence->line);
  ASSERT_TRUE(result.dut);
  EXPECT_EQ(result.dut->address, 253);
  EXPECT_TRUE(std::equal(result.dut->name.begin(), result.dut->name.end(),
                         mfg.evidence->data.begin(), mfg.evidence->data.end()));
  EXPECT_EQ(result.toolAddress, 0xF9);
  // The run ends at the given time and began its length earlier, to the second.
  EXPECT_GT(result.durationMs, 10'000U);
  EXPECT_EQ(result.endedAt.tm_sec, testing::EndOfRun().tm_sec);
  const int seconds = (result.endedAt.tm_min - result.startedAt.tm_min) * 60 +
                      result.endedAt.tm_sec - result.startedAt.tm_sec;
  EXPECT_EQ(seconds, static_cast<int>((result.durationMs + 999) / 1000));
  // Only what the test read: the report's own header reads are not used settings.
  std::vector<std::string> used;
  for (const SettingUsed& s : result.settings) used.push_back(s.name);
  EXPECT_EQ(used, (std::vector<std::string>{"250MS Timing Tolerance", "DSA For Address Claiming",
                                            "Manufacturer ID"}));
}

// The reason is the report's own words before "Test A10 aborted.", in both files.
TEST(RunResult, AbortedRunsCarryWhyTheyWereAbortedAsTheReportSaysIt) {
  const FinishedRun run = testing::RunA10({DutFault::kClaimEe05});
  const RunResult result = ResultOf(run, "");
  EXPECT_TRUE(result.aborted);
  EXPECT_EQ(result.abortLine, "Test A10 aborted.");
  EXPECT_EQ(result.abortReason, "No ADDRESS_CLAIM heard within 5000 ms of Power Up DUT.");
  EXPECT_EQ(Criterion(result, 0x101).state, State::kUndecided);
  const std::string junit = WriteJUnit(std::vector<RunResult>{result});
  EXPECT_NE(junit.find("<testcase classname=\"A10\" name=\"Test A10 aborted.\">\n"
                       "      <error message=\"" +
                       result.abortReason + "\" type=\"aborted\">"),
            std::string::npos)
      << junit;

  // The operator's Abort says so, and what the run was waiting for.
  vlt::testing::ComplianceBench bench(nullptr);
  auto test = bench.Make("A10");
  test->Start();
  bench.Step(300);
  test->AbortByOperator();
  bench.Step(50);
  ASSERT_FALSE(test->Running());
  const RunResult outside = BuildRunResult(*test, testing::EndOfRun(), "");
  EXPECT_TRUE(outside.aborted);
  EXPECT_EQ(outside.abortReason,
            std::string(engine::kOperatorAbortLine) + " " + test->WaitingFor());
  EXPECT_NE(WriteJUnit(std::vector<RunResult>{outside})
                .find("<error message=\"" + outside.abortReason + "\" type=\"aborted\">"),
            std::string::npos);
}

TEST(RunResult, TheDutIsNotTheTesterWhoseEchoedClaimShowsUnderTheDutsAddress) {
  // A-50 contests the DUT's first target with a claim of the tester's own, which
  // comes back under that address, marked as the tester's.
  const FinishedRun run = testing::RunA50({});
  const RunResult result = ResultOf(run, "");
  ASSERT_TRUE(result.dut);
  EXPECT_EQ(HexBytes(result.dut->name), "A5 A5 60 24 00 80 00 80");
  EXPECT_NE(result.dut->address, 0x70);  // it moved on from the contested address
  EXPECT_GE(result.dut->address, 0x71);
  EXPECT_LE(result.dut->address, 0x7F);
}

}  // namespace
}  // namespace vlt::results
