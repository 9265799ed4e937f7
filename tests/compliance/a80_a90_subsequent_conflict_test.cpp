// against the simulated dynamic DUT with each fault, and against
// a DUT played by hand for the timing edges.
#include <gtest/gtest.h>

#include "claim_scenario_support.h"
#include "compliance/a80_a90_subsequent_conflict.h"
#include "framework/host_protocol.h"

namespace vlt::compliance {
namespace {

using host::DutFault;
using namespace scenario;

constexpr std::uint8_t kSensors = 3;  // A0h-AFh
constexpr const char* kOtherName = "A4 A5 60 24 00 80 00 80";

struct DutCase {
  const char* title;
  const char* code;
  host::DutFaults faults;
  const char* criterion;
  const char* expectedStart;  // the criterion's line begins with this
  const char* note;           // and its lines hold this
};

class SubsequentConflictDuts : public ::testing::TestWithParam<DutCase> {};

TEST_P(SubsequentConflictDuts, ReportTheCriterion) {
  const DutCase& c = GetParam();
  testing::ComplianceBench bench(DynamicDut(kSensors, c.faults));
  UseProfile(bench, kDynamicName);
  bench.Settings().SetValue("DSA Category", "Sensors");
  auto test = bench.Make(c.code);
  ASSERT_TRUE(test);
  ASSERT_TRUE(bench.Run(*test, 30'000));
  EXPECT_FALSE(test->Aborted());
  const std::string line = CriterionLine(bench.Text(), c.criterion);
  EXPECT_EQ(line.rfind(c.expectedStart, 0), 0u) << line << "\n" << bench.Text();
  EXPECT_TRUE(Contains(line, c.note)) << line;
}

constexpr const char* k801 = "DUT changed address.";
constexpr const char* k802 =
    "More than 250ms elapsed between contesting and responding ADDRESS_CLAIMs.";
constexpr const char* k803 = "Other message broadcast before responding ADDRESS_CLAIMs.";
constexpr const char* k804 = "ADDRESS_CLAIM does not match previous claims.";

INSTANTIATE_TEST_SUITE_P(
    A80, SubsequentConflictDuts,
    ::testing::Values(
        DutCase{"kept", "A80", {}, k801, "PASS : ", "Address remained 160 throughout test."},
        DutCase{"quick", "A80", {}, k802, "PASS : ", "Elapsed time = "},
        DutCase{"quiet", "A80", {}, k803, "PASS : ", ""},
        DutCase{"same_name", "A80", {}, k804, "PASS : ", ""},
        DutCase{"yields",
                "A80",
                {DutFault::kYieldsAlways},
                k801,
                "DNP  : ",
                "Address changed.  Initial=160  Final=161"},
        DutCase{"yields_no_defence", "A80", {DutFault::kYieldsAlways}, k802, "DNP  : ", ""},
        DutCase{"slow", "A80", {DutFault::kSlowAnswer}, k802, "DNP  : ", "Elapsed time = 29"},
        DutCase{"talks", "A80", {DutFault::kTalksBeforeDefence}, k803, "DNP  : ", ""},
        DutCase{"other_name",
                "A80",
                {DutFault::kDifferentReclaim},
                k804,
                "DNP  : ",
                "Expected = A5 A5 60 24 00 80 00 80 , Actual = A4 A5 60 24 00 80 00 80"}),
    [](const ::testing::TestParamInfo<DutCase>& info) { return std::string(info.param.title); });

constexpr const char* k401 = "Request does not use SA FEh";
constexpr const char* k402 = "Request target is outside the device's dynamic range.";
constexpr const char* k403 = "Another message precedes the request.";
constexpr const char* k404 = "The request payload is not 8 bytes.";
constexpr const char* k405 = "The requested DGN is not EE00h.";
constexpr const char* k406 = "A global request for ADDRESS_CLAIM is transmitted.";
constexpr const char* k407 = "The device attempts to claim multiple addresses.";
constexpr const char* k808 = "ADDRESS_CLAIM does not match previous claims.";
constexpr const char* k901 = "DUT does not change address.";
constexpr const char* k902 = "Other message broadcast before Requesting new ADDRESS_CLAIM.";
constexpr const char* k903 =
    "Less than 250ms elapsed between Requesting ADDRESS_CLAIM and transmitting ADDRESS_CLAIM.";
constexpr const char* k904 =
    "Less than 250ms elapsed between transmitting ADDRESS_CLAIM and operational DGNs.";
constexpr const char* k905 = "ADDRESS_CLAIM does not match address requested.";
constexpr const char* k906 = "ADDRESS_CLAIM does not match address used in operation.";
constexpr const char* k907 = "DUT claims multiple addresses.";

INSTANTIATE_TEST_SUITE_P(
    A90, SubsequentConflictDuts,
    ::testing::Values(
        DutCase{"null_source", "A90", {}, k401, "PASS : ", ""},
        DutCase{"in_range", "A90", {}, k402, "PASS : ", ""},
        DutCase{"request_first", "A90", {}, k403, "PASS : ", ""},
        DutCase{"eight_bytes", "A90", {}, k404, "PASS : ", ""},
        DutCase{"ee00", "A90", {}, k405, "PASS : ", ""},
        DutCase{"not_global", "A90", {}, k406, "PASS : ", ""},
        DutCase{"one_target", "A90", {}, k407, "PASS : ", ""},
        DutCase{"same_name", "A90", {}, k808, "PASS : ", ""},
        DutCase{"moved", "A90", {}, k901, "PASS : ", "Address changed.  Initial=160  Final=161"},
        DutCase{"quiet_wait", "A90", {}, k902, "PASS : ", ""},
        DutCase{"waited", "A90", {}, k903, "PASS : ", "Delay = 260 ms"},
        DutCase{"quiet_after", "A90", {}, k904, "PASS : ", ""},
        DutCase{"as_requested", "A90", {}, k905, "PASS : ", ""},
        DutCase{"as_used", "A90", {}, k906, "PASS : ", ""},
        DutCase{"one_claim", "A90", {}, k907, "PASS : ", ""},
        DutCase{"from_target", "A90", {DutFault::kRequestFromTarget}, k401, "DNP  : ", ""},
        DutCase{"out_of_range", "A90", {DutFault::kOutOfRange}, k402, "DNP  : ", ""},
        DutCase{"talks_first", "A90", {DutFault::kTalksBeforeDefence}, k403, "DNP  : ", ""},
        DutCase{"no_request", "A90", {DutFault::kNoRequest}, k403, "DNP  : ", ""},
        DutCase{"short", "A90", {DutFault::kShortRequest}, k404, "DNP  : ", ""},
        DutCase{"eeff", "A90", {DutFault::kRequestEeff}, k405, "DNP  : ", ""},
        DutCase{"global", "A90", {DutFault::kGlobalRequest}, k406, "DNP  : ", ""},
        DutCase{
            "two_targets", "A90", {DutFault::kTwoAddresses}, k407, "DNP  : ", "See log to verify."},
        DutCase{"other_name",
                "A90",
                {DutFault::kDifferentReclaim},
                k808,
                "DNP  : ",
                "Expected = A5 A5 60 24 00 80 00 80 , Actual = A4 A5 60 24 00 80 00 80"},
        DutCase{"stays",
                "A90",
                {DutFault::kIgnoresHigherClaim},
                k901,
                "DNP  : ",
                "Address remained 160 throughout test."},
        DutCase{"talks_in_wait", "A90", {DutFault::kTalksInWait}, k902, "DNP  : ", ""},
        DutCase{"hasty", "A90", {DutFault::kShortWait}, k903, "DNP  : ", "Delay = 100 ms"},
        DutCase{"talks_at_once", "A90", {DutFault::kShortQuiet}, k904, "DNP  : ", ""},
        DutCase{"unrequested",
                "A90",
                {DutFault::kClaimsUnrequested},
                k905,
                "DNP  : ",
                "Requested: 162  Claimed: 163"},
        DutCase{"stale",
                "A90",
                {DutFault::kStaleStatusAddress},
                k906,
                "DNP  : ",
                "Claimed: 161  Used: 160"},
        DutCase{"two_claims",
                "A90",
                {DutFault::kTwoAddresses},
                k907,
                "DNP  : ",
                "DUT already claimed SA 161."}),
    [](const ::testing::TestParamInfo<DutCase>& info) { return std::string(info.param.title); });

TEST(A90, TheReportListsItsCriteriaInIdOrder) {
  testing::ComplianceBench bench(DynamicDut(kSensors));
  UseProfile(bench, kDynamicName);
  bench.Settings().SetValue("DSA Category", "Sensors");
  auto test = bench.Make("A90");
  ASSERT_TRUE(bench.Run(*test, 30'000));
  const std::string text = bench.Text();
  std::size_t at = 0;
  for (const char* c :
       {k401, k402, k403, k404, k405, k406, k407, k808, k901, k902, k903, k904, k905, k906, k907}) {
    const std::size_t next = text.find(c, at);
    ASSERT_NE(next, std::string::npos) << c;
    at = next;
  }
  EXPECT_TRUE(Contains(text, "Contesting ADDRESS_CLAIM transmitted.\r\n"));
}

TEST(A90, AnUnknownCategoryAbortsTheTest) {
  testing::ComplianceBench bench(DynamicDut(kSensors));
  UseProfile(bench, kDynamicName);
  SpoilCategory(bench);
  auto test = bench.Make("A90");
  ASSERT_TRUE(bench.Run(*test, 30'000));
  EXPECT_TRUE(Contains(bench.Text(), "DSA Category is not set.  Aborting test.\r\n"));
  EXPECT_TRUE(test->Aborted());
}

// Runs the test against the dynamic DUT with the host's echo switched off once
// the DUT is found, so that the tool never sees its own contesting claim.
std::string RunWithoutEcho(const char* code) {
  testing::ComplianceBench bench(DynamicDut(kSensors));
  UseProfile(bench, kDynamicName);
  bench.Settings().SetValue("DSA Category", "Sensors");
  bench.verbose = true;
  auto test = bench.Make(code);
  test->Start();
  EXPECT_TRUE(StepUntil(
      bench, [&] { return Contains(bench.Text(), "DUT found at"); }, 20'000));
  bench.app->Link().Write(framework::SetModeMessage(bench.app->Link().ToolId(), 3, 0));
  EXPECT_TRUE(Finish(bench, *test));
  EXPECT_FALSE(test->Aborted());
  return bench.Text();
}

TEST(A80, ADefenceWithoutTheContestSeenFailsOnTheMissingMark) {
  const std::string text = RunWithoutEcho("A80");
  EXPECT_TRUE(Contains(text, "EWatchForContestingClaims processing.   Address=160\r\n")) << text;
  EXPECT_TRUE(Contains(CriterionLine(text, k802),
                       "DNP  : " + std::string(k802) + "\n           Elapsed time = 4294967295 ms"))
      << text;
}

TEST(A90, ARequestBeforeTheContestIsSeenMakesTheTestInvalidButItGoesOn) {
  const std::string text = RunWithoutEcho("A90");
  EXPECT_TRUE(Contains(text, "Acceptable address range 160-175\r\n")) << text;
  EXPECT_TRUE(Contains(text, "EWatchForContestingClaims processing.   Mindelay=240 ms\r\n"));
  EXPECT_TRUE(Contains(text,
                       "The device has transmitted the DGN Request for ADDRESS_CLAIM before the "
                       "tool has contested the address.\r\nThe test is invalid.\r\n"));
  EXPECT_EQ(CriterionLine(text, k901).rfind("PASS : ", 0), 0u);
}

// --- the DUT played by hand, at A0h, moving to A1h ---

struct Played {
  std::string text;
  bool aborted = false;
};

// the DUT defends `delayMs` after the tool's claim.
Played DefendAfter(int toleranceMs, int delayMs) {
  testing::ComplianceBench bench(nullptr);
  UseProfile(bench, kDynamicName, toleranceMs);
  auto test = bench.Make("A80");
  test->Start();
  HandDut dut(bench, *test);
  EXPECT_TRUE(dut.BeFoundAt(0xA0));
  EXPECT_TRUE(dut.WaitUntilAfterMark(Test_A80::kContestMark, delayMs));
  dut.Claim(0xA0, kDynamicName);
  bench.Step(400);
  dut.Status(0xA0);
  EXPECT_TRUE(Finish(bench, *test));
  return {bench.Text(), test->Aborted()};
}

struct EdgeCase {
  int tolerance;
  int delay;
  const char* expected;
};

class A80Edges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(A80Edges, TheDefenceIsJudgedAgainst250PlusTheTolerance) {
  const EdgeCase& c = GetParam();
  const Played run = DefendAfter(c.tolerance, c.delay);
  EXPECT_EQ(CriterionLine(run.text, k802),
            std::string(c.expected) + k802 +
                "\n           Elapsed time = " + std::to_string(c.delay) + " ms")
      << run.text;
  EXPECT_EQ(CriterionLine(run.text, k801).rfind("PASS : ", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, A80Edges,
                         ::testing::Values(EdgeCase{0, 250, "PASS : "}, EdgeCase{0, 251, "DNP  : "},
                                           EdgeCase{20, 180, "PASS : "},
                                           EdgeCase{20, 270, "PASS : "},
                                           EdgeCase{20, 271, "DNP  : "},
                                           EdgeCase{253, 503, "PASS : "},
                                           EdgeCase{253, 504, "DNP  : "}));

// the DUT asks for A1h at once, claims it `claimMs` after the request and
// talks there `talkMs` after the claim.
Played MoveWith(int toleranceMs, int claimMs, int talkMs) {
  testing::ComplianceBench bench(nullptr);
  UseProfile(bench, kDynamicName, toleranceMs);
  bench.Settings().SetValue("DSA Category", "Sensors");
  auto test = bench.Make("A90");
  test->Start();
  HandDut dut(bench, *test);
  EXPECT_TRUE(dut.BeFoundAt(0xA0));
  EXPECT_TRUE(dut.WaitUntilAfterMark(Test_A90::kContestMark, 5));
  dut.Request(0xFE, 0xA1);
  EXPECT_TRUE(dut.WaitUntilAfterMark(Test_A90::kRequestMark, claimMs));
  dut.Claim(0xA1, kDynamicName);
  EXPECT_TRUE(dut.WaitUntilAfterMark(Test_A90::kClaimMark, talkMs));
  dut.Status(0xA1);
  EXPECT_TRUE(Finish(bench, *test));
  return {bench.Text(), test->Aborted()};
}

class A90ClaimEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(A90ClaimEdges, TheClaimWaitsAtLeast250LessTheTolerance) {
  const EdgeCase& c = GetParam();
  const Played run = MoveWith(c.tolerance, c.delay, 300);
  EXPECT_EQ(
      CriterionLine(run.text, k903),
      std::string(c.expected) + k903 + "\n           Delay = " + std::to_string(c.delay) + " ms")
      << run.text;
  EXPECT_EQ(CriterionLine(run.text, k901).rfind("PASS : ", 0), 0u);
  EXPECT_EQ(CriterionLine(run.text, k904).rfind("PASS : ", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, A90ClaimEdges,
                         ::testing::Values(EdgeCase{0, 250, "PASS : "}, EdgeCase{0, 249, "DNP  : "},
                                           EdgeCase{20, 230, "PASS : "},
                                           EdgeCase{20, 229, "DNP  : "},
                                           // No minimum is left, not a minimum of 4 billion ms.
                                           EdgeCase{253, 100, "PASS : "},
                                           EdgeCase{253, 1, "PASS : "}));

class A90QuietEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(A90QuietEdges, OperationWaitsAtLeast250LessTheToleranceAfterTheClaim) {
  const EdgeCase& c = GetParam();
  const Played run = MoveWith(c.tolerance, 300, c.delay);
  EXPECT_EQ(CriterionLine(run.text, k904).rfind(c.expected, 0), 0u) << run.text;
}

INSTANTIATE_TEST_SUITE_P(Table, A90QuietEdges,
                         ::testing::Values(EdgeCase{0, 250, "PASS : "}, EdgeCase{0, 249, "DNP  : "},
                                           EdgeCase{20, 230, "PASS : "},
                                           EdgeCase{20, 229, "DNP  : "},
                                           EdgeCase{253, 1, "PASS : "}));

TEST(A90, RepeatsOfTheSameRequestAndClaimAreNoSecondAddress) {
  testing::ComplianceBench bench(nullptr);
  UseProfile(bench, kDynamicName);
  bench.Settings().SetValue("DSA Category", "Sensors");
  auto test = bench.Make("A90");
  test->Start();
  HandDut dut(bench, *test);
  ASSERT_TRUE(dut.BeFoundAt(0xA0));
  ASSERT_TRUE(dut.WaitUntilAfterMark(Test_A90::kContestMark, 5));
  dut.Request(0xFE, 0xA1);
  bench.Step(2);
  dut.Request(0xFE, 0xA1);  // asking again for the same address is no second target
  bench.Step(300);
  dut.Claim(0xA1, kDynamicName);
  bench.Step(2);
  dut.Claim(0xA1, kDynamicName);
  bench.Step(300);
  dut.Status(0xA1);
  ASSERT_TRUE(Finish(bench, *test));
  EXPECT_EQ(CriterionLine(bench.Text(), k407).rfind("PASS : ", 0), 0u) << bench.Text();
  EXPECT_EQ(CriterionLine(bench.Text(), k907).rfind("PASS : ", 0), 0u);
}

}  // namespace
}  // namespace vlt::compliance
