// A-40 Dynamic Boot against simulated dynamic DUTs, correct and faulty.
#include <gtest/gtest.h>

#include "compliance/dynamic_start_support.h"

namespace vlt::compliance {
namespace {

using namespace scenario;
using host::DutFault;
using host::DutFaults;

constexpr const char* kSa = "Request does not use SA FEh";
constexpr const char* kRange = "Request target is outside the device's dynamic range.";
constexpr const char* kFirst = "Another message precedes the request.";
constexpr const char* kPayload = "The request payload is not 8 bytes.";
constexpr const char* kDgn = "The requested DGN is not EE00h.";
constexpr const char* kGlobal = "A global request for ADDRESS_CLAIM is transmitted.";
constexpr const char* kMultiple = "The device attempts to claim multiple addresses.";

struct Expect {
  const char* tag;
  const char* text;
};

struct FaultCase {
  const char* name;
  DutFaults faults;
  std::vector<Expect> expected;
};

class A40Faults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(A40Faults, ReportsEachCriterionAsTheDutBehaves) {
  auto bench = DynamicBench(DynamicDutWith(GetParam().faults));
  const std::string report = RunToEnd(*bench, "A40");
  for (const Expect& e : GetParam().expected) {
    EXPECT_EQ(CriterionTag(report, e.text), e.tag) << e.text << "\n" << report;
  }
}

INSTANTIATE_TEST_SUITE_P(
    DynamicDut, A40Faults,
    ::testing::Values(
        FaultCase{"correct",
                  {},
                  {{"PASS", kSa},
                   {"PASS", kRange},
                   {"PASS", kFirst},
                   {"PASS", kPayload},
                   {"PASS", kDgn},
                   {"PASS", kGlobal},
                   {"PASS", kMultiple}}},
        FaultCase{"talks_first", {DutFault::kTalksFirst}, {{"DNP ", kFirst}, {"PASS", kSa}}},
        FaultCase{"request_from_target", {DutFault::kRequestFromTarget}, {{"DNP ", kSa}}},
        FaultCase{"out_of_range", {DutFault::kOutOfRange}, {{"DNP ", kRange}, {"PASS", kSa}}},
        FaultCase{"short_request", {DutFault::kShortRequest}, {{"DNP ", kPayload}}},
        FaultCase{"request_eeff", {DutFault::kRequestEeff}, {{"DNP ", kDgn}, {"DNP ", kFirst}}},
        FaultCase{"global_request",
                  {DutFault::kGlobalRequest},
                  {{"DNP ", kGlobal}, {"DNP ", kRange}, {"PASS", kSa}}},
        FaultCase{"two_addresses", {DutFault::kTwoAddresses}, {{"DNP ", kMultiple}}},
        // Without a request only the first frame and the count are judged.
        FaultCase{"no_request",
                  {DutFault::kNoRequest},
                  {{"DNP ", kFirst},
                   {"____", kSa},
                   {"____", kRange},
                   {"____", kPayload},
                   {"____", kDgn},
                   {"____", kGlobal},
                   {"PASS", kMultiple}}}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST(A40, ReportShowsTheDecidingFrameAndTheDecodedRequests) {
  auto bench = DynamicBench(DynamicDutWith({DutFault::kTalksFirst}));
  const std::string report = RunToEnd(*bench, "A40");
  EXPECT_NE(report.find("Start with an empty network, DUT powered off or disconnected.\r\n"),
            std::string::npos);
  EXPECT_NE(report.find("\r\nPower Up DUT\r\n"), std::string::npos);
  // The status frame that came first is the evidence of 0x403.
  const std::size_t line = report.find(std::string("DNP  : ") + kFirst);
  ASSERT_NE(line, std::string::npos) << report;
  const std::size_t evidence = report.find("\r\n    ", line);
  ASSERT_NE(evidence, std::string::npos);
  EXPECT_NE(report.substr(evidence, 80).find("1FFFF"), std::string::npos) << report;
  EXPECT_NE(report.find("Log size : "), std::string::npos);
}

TEST(A40, ChassisAcceptsTheRangeOfControlsAndDisplays) {
  for (const char* setting : {"Chassis", "Controls and Displays"}) {
    auto bench = DynamicBench(DynamicDutWith({}, 2));
    ASSERT_TRUE(bench->Settings().SetValue("DSA Category", setting));
    const std::string report = RunToEnd(*bench, "A40");
    EXPECT_EQ(CriterionTag(report, kRange), "PASS") << setting << "\n" << report;
  }
  // The same DUT against another category's range.
  auto bench = DynamicBench(DynamicDutWith({}, 2));
  ASSERT_TRUE(bench->Settings().SetValue("DSA Category", "Sensors"));
  EXPECT_EQ(CriterionTag(RunToEnd(*bench, "A40"), kRange), "DNP ");
}

TEST(A40, RepeatedRequestsForOneTargetAndOtherRequestsAreNoFault) {
  auto bench = DynamicBench(std::make_unique<ScriptedDut>(std::vector<ScriptedDut::Step>{
      {100, RequestFrame(0xFE, kFirstMultifunction)},
      {200, RequestFrame(0xFE, kFirstMultifunction)},
      {300, RequestFrame(0xFE, kFirstMultifunction, 0xFEEB)},  // PRODUCT_ID
      {400, DutClaim(kFirstMultifunction)},
  }));
  const std::string report = RunToEnd(*bench, "A40");
  EXPECT_EQ(CriterionTag(report, kMultiple), "PASS") << report;
  EXPECT_EQ(CriterionTag(report, kDgn), "PASS") << report;
}

TEST(A40, ALaterBadRequestStillFails) {
  auto bench = DynamicBench(std::make_unique<ScriptedDut>(std::vector<ScriptedDut::Step>{
      {100, RequestFrame(0xFE, kFirstMultifunction)},
      {200, RequestFrame(0x70, kFirstMultifunction, 0xEE00, 3)},
  }));
  const std::string report = RunToEnd(*bench, "A40");
  EXPECT_EQ(CriterionTag(report, kFirst), "PASS");
  EXPECT_EQ(CriterionTag(report, kSa), "DNP ") << report;
  EXPECT_EQ(CriterionTag(report, kPayload), "DNP ");
  EXPECT_EQ(CriterionTag(report, kMultiple), "PASS");
}

TEST(A40, ACategoryThatIsNoneAbortsTheTest) {
  // read the category through the same check.
  for (const std::string code : {"A40", "A50", "A70"}) {
    auto bench = DynamicBench(DynamicDutWith({}));
    // Index 9 is no category; the list shows it as text no category has.
    const std::uint8_t noCategory = 9;
    bench->Settings().Find("DSA Category")->Item().SetRawValue({&noCategory, 1});
    ASSERT_EQ(bench->Settings().GetValue("DSA Category", true), "Invalid");
    const std::string report = RunToEnd(*bench, code);
    EXPECT_NE(report.find("\r\nDSA Category is not set.  Aborting test.\r\nTest " + code +
                          " aborted.\r\n"),
              std::string::npos)
        << report;
    // Aborted: nothing is settled at the end.
    EXPECT_EQ(CriterionTag(report, kMultiple), "____") << report;
  }
}

}  // namespace
}  // namespace vlt::compliance
