// A-110 against simulated DUTs, and against claims injected at exact virtual
// times for the timing edges.
#include <gtest/gtest.h>

#include "claim_scenario_support.h"
#include "compliance/a110_request_response.h"
#include "framework/host_protocol.h"

namespace vlt::compliance {
namespace {

using host::DutFault;
using namespace scenario;

constexpr const char* kContents = "Contents of ADDRESS_CLAIM message doesn't match.";
constexpr const char* kSource = "Source Address is incorrect.";
constexpr const char* kTime = "More than 250ms elapsed before request and response.";

struct DutCase {
  const char* title;
  bool dynamic;
  host::DutFaults faults;
  const char* criterion;
  const char* expectedStart;  // the line begins with this
  const char* note;           // and the criterion's lines hold this
};

class A110Duts : public ::testing::TestWithParam<DutCase> {};

TEST_P(A110Duts, ReportsTheCriterion) {
  const DutCase& c = GetParam();
  testing::ComplianceBench bench(c.dynamic ? DynamicDut(3, c.faults) : StaticDut(0x80, c.faults));
  UseProfile(bench, c.dynamic ? kDynamicName : kStaticName);
  auto test = bench.Make("A110");
  ASSERT_TRUE(test);
  ASSERT_TRUE(bench.Run(*test, 30'000));
  const std::string line = CriterionLine(bench.Text(), c.criterion);
  EXPECT_EQ(line.rfind(c.expectedStart, 0), 0u) << line << "\n" << bench.Text();
  EXPECT_TRUE(Contains(line, c.note)) << line;
}

INSTANTIATE_TEST_SUITE_P(
    Table, A110Duts,
    ::testing::Values(
        DutCase{"static_contents", false, {}, kContents, "PASS : ", ""},
        DutCase{"static_source", false, {}, kSource, "PASS : ", ""},
        DutCase{"static_time", false, {}, kTime, "PASS : ", "Delay = "},
        DutCase{"dynamic_time", true, {}, kTime, "PASS : ", "Delay = "},
        DutCase{"slow_answer", false, {DutFault::kSlowAnswer}, kTime, "DNP  : ", "Delay = 29"},
        DutCase{"different_reclaim",
                false,
                {DutFault::kDifferentReclaim},
                kContents,
                "DNP  : ",
                "Expected = A5 A5 60 24 00 80 00 00 , Actual = A4 A5 60 24 00 80 00 00"},
        DutCase{"other_address",
                true,
                {DutFault::kAnswerFromOtherAddress},
                kSource,
                "DNP  : ",
                "New address = 159"},
        // Without an answer the time limit aborts the run: nothing is settled at the end.
        DutCase{"ignores_requests",
                false,
                {DutFault::kIgnoresRequests},
                kTime,
                "____ : ",
                "User must inspect log."}),
    [](const ::testing::TestParamInfo<DutCase>& info) { return std::string(info.param.title); });

TEST(A110, AWrongAnswerKeepsTheWatchWaitingUntilTheLimitAborts) {
  testing::ComplianceBench bench(StaticDut(0x80, {DutFault::kDifferentReclaim}));
  UseProfile(bench, kStaticName);
  auto test = bench.Make("A110");
  ASSERT_TRUE(bench.Run(*test, 30'000));
  const std::string text = bench.Text();
  EXPECT_TRUE(Contains(text, "Request sent by tool.\r\n"));
  EXPECT_TRUE(Contains(text, "Test A110 aborted.\r\n"));
  EXPECT_TRUE(test->Aborted());
  EXPECT_EQ(CriterionLine(text, kTime).rfind("____ : ", 0), 0u);
}

TEST(A110, TheReportDecodesRequestsAndClaims) {
  testing::ComplianceBench bench(StaticDut(0x80));
  UseProfile(bench, kStaticName);
  auto test = bench.Make("A110");
  ASSERT_TRUE(bench.Run(*test, 30'000));
  const std::string text = bench.Text();
  EXPECT_TRUE(Contains(text, "DUT found at source address=128")) << text;
  EXPECT_TRUE(
      Contains(text, "____ : Logs have been examined for other possible failure modes.\r\n" +
                         std::string(80, '-') + "\r\n" + std::string(80, '-') + "\r\nLog size : "))
      << text;
  EXPECT_FALSE(test->Aborted());
}

// Runs A-110 against a DUT that never answers and injects the claim `delayMs`
// after the tool's request as the tester stamps it.
std::string AnswerAt(int toleranceMs, std::uint32_t delayMs, std::uint8_t from = 0x80,
                     const std::string& name = kStaticName) {
  testing::ComplianceBench bench(StaticDut(0x80, {DutFault::kIgnoresRequests}));
  UseProfile(bench, kStaticName, toleranceMs);
  auto test = bench.Make("A110");
  test->Start();
  HandDut dut(bench, *test);
  EXPECT_TRUE(dut.WaitUntilAfterMark(Test_A110::kRequestMark, static_cast<int>(delayMs)));
  dut.Claim(from, name);
  EXPECT_TRUE(Finish(bench, *test, 20'000));
  return bench.Text();
}

struct EdgeCase {
  int tolerance;
  std::uint32_t delay;
  const char* expected;
};

class A110Edges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(A110Edges, TheAnswerIsJudgedAgainst250PlusTheTolerance) {
  const EdgeCase& c = GetParam();
  const std::string text = AnswerAt(c.tolerance, c.delay);
  const std::string line = CriterionLine(text, kTime);
  EXPECT_EQ(line, std::string(c.expected) + kTime +
                      std::string(60 - std::string(kTime).size(), ' ') +
                      "Delay = " + std::to_string(c.delay))
      << text;
}

INSTANTIATE_TEST_SUITE_P(Table, A110Edges,
                         ::testing::Values(EdgeCase{0, 250, "PASS : "}, EdgeCase{0, 251, "DNP  : "},
                                           EdgeCase{20, 180, "PASS : "},
                                           EdgeCase{20, 270, "PASS : "},
                                           EdgeCase{20, 271, "DNP  : "},
                                           EdgeCase{253, 503, "PASS : "},
                                           EdgeCase{253, 504, "DNP  : "}));

TEST(A110, AClaimFromAnotherAddressFailsTheSourceButTheWatchKeepsWaiting) {
  const std::string text = AnswerAt(10, 100, 0x81);
  EXPECT_EQ(CriterionLine(text, kSource).rfind("DNP  : ", 0), 0u) << text;
  EXPECT_TRUE(Contains(CriterionLine(text, kSource), "New address = 129"));
  EXPECT_TRUE(Contains(text, "Test A110 aborted.\r\n"));
}

TEST(A110, AClaimOfAnotherNameFromAnotherAddressIsIgnored) {
  const std::string text = AnswerAt(10, 100, 0x81, "01 02 03 04 05 06 07 08");
  EXPECT_EQ(CriterionLine(text, kSource).rfind("____ : ", 0), 0u) << text;
  EXPECT_EQ(CriterionLine(text, kContents).rfind("____ : ", 0), 0u) << text;
}

TEST(A110, AnAnswerWithoutTheRequestSeenMakesTheTestInvalid) {
  testing::ComplianceBench bench(StaticDut(0x80));
  UseProfile(bench, kStaticName);
  auto test = bench.Make("A110");
  test->Start();
  ASSERT_TRUE(StepUntil(
      bench, [&] { return Contains(bench.Text(), "DUT found at"); }, 20'000));
  // Echo off behind the test's back: the request goes out but never comes back.
  bench.app->Link().Write(framework::SetModeMessage(bench.app->Link().ToolId(), 3, 0));
  ASSERT_TRUE(Finish(bench, *test, 20'000));
  const std::string text = bench.Text();
  EXPECT_FALSE(Contains(text, "Request sent by tool."));
  EXPECT_TRUE(Contains(text, "Unexpected ADDRESS_CLAIM received.  Test is invalid.  Aborting.\r\n"))
      << text;
  EXPECT_TRUE(test->Aborted());
}

TEST(A110, TheGroupLastsAtLeastOneSecondAfterAQuickAnswer) {
  testing::ComplianceBench bench(StaticDut(0x80));
  UseProfile(bench, kStaticName);
  auto test = bench.Make("A110");
  test->Start();
  ASSERT_TRUE(StepUntil(
      bench, [&] { return test->TimeSince(Test_A110::kAnswerMark) >= 0; }, 20'000));
  const std::int32_t requestAge = test->TimeSince(Test_A110::kRequestMark);
  ASSERT_TRUE(Finish(bench, *test, 20'000));
  EXPECT_GE(test->TimeSince(Test_A110::kRequestMark) - requestAge, 990);
  EXPECT_FALSE(test->Aborted());
}

}  // namespace
}  // namespace vlt::compliance
