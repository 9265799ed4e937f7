// Dynamic Startup Conflict against simulated dynamic DUTs: the tool
// contests the DUT's first target with a higher or lower NAME.
#include <gtest/gtest.h>

#include "compliance/dynamic_start_support.h"

namespace vlt::compliance {
namespace {

using namespace scenario;
using host::DutFault;
using host::DutFaults;
using Steps = std::vector<ScriptedDut::Step>;

constexpr const char* kNewTarget = "Did not target new address.";
constexpr const char* kClaimedDespite = "Claimed address despite higher priority claim.";
constexpr const char* kSa = "Request does not use SA FEh";
constexpr const char* kRange = "Request target is outside the device's dynamic range.";
constexpr const char* kPremature = "Device begins transmit operations prematurely.";
constexpr const char* kPayload = "The request payload is not 8 bytes.";
constexpr const char* kDgn = "The requested DGN is not EE00h.";
constexpr const char* kGlobal = "A global request for ADDRESS_CLAIM is transmitted.";
constexpr const char* kMultiple = "The device attempts to claim multiple addresses.";

constexpr const char* kAac = "Arbitrary Address Capable bit not 1.";
constexpr const char* kPrecedes = "Other message precedes ADDRESS_CLAIM.";
constexpr const char* kRequestedDgn = "Requested DGN not EE00h.";
constexpr const char* kTargeted = "Address claimed does not match targeted address.";
constexpr const char* kMfg = "Manufacturer ID does not match manufacturer.";
constexpr const char* kNoClaim = "No ADDRESS_CLAIM message broadcast.";
constexpr const char* kClaimToOperation = "Less than 250ms elapsed between claim and operation.";
constexpr const char* kRequestToClaim = "Less than 250ms elapsed between request and claim.";
constexpr const char* kNoRequest = "No request for ADDRESS_CLAIM transmitted";

struct Expect {
  const char* tag;
  const char* text;
};

struct FaultCase {
  const char* code;
  const char* name;
  DutFaults faults;
  std::vector<Expect> expected;
};

class ConflictFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ConflictFaults, ReportsEachCriterionAsTheDutBehaves) {
  auto bench = DynamicBench(DynamicDutWith(GetParam().faults));
  const std::string report = RunToEnd(*bench, GetParam().code);
  for (const Expect& e : GetParam().expected) {
    EXPECT_EQ(CriterionTag(report, e.text), e.tag) << e.text << "\n" << report;
  }
}

INSTANTIATE_TEST_SUITE_P(
    DynamicDut, ConflictFaults,
    ::testing::Values(
        FaultCase{"A50",
                  "A50_correct",
                  {},
                  {{"PASS", kNewTarget},
                   {"PASS", kClaimedDespite},
                   {"PASS", kSa},
                   {"PASS", kRange},
                   {"PASS", kPremature},
                   {"PASS", kPayload},
                   {"PASS", kDgn},
                   {"PASS", kGlobal},
                   {"PASS", kMultiple}}},
        FaultCase{"A50",
                  "A50_ignores_higher_claim",
                  {DutFault::kIgnoresHigherClaim},
                  {{"DNP ", kClaimedDespite}, {"DNP ", kNewTarget}}},
        FaultCase{"A50",
                  "A50_retries_same_target",
                  {DutFault::kRetriesSameTarget},
                  {{"DNP ", kNewTarget}, {"DNP ", kClaimedDespite}}},
        FaultCase{
            "A50", "A50_request_from_target", {DutFault::kRequestFromTarget}, {{"DNP ", kSa}}},
        FaultCase{"A50", "A50_out_of_range", {DutFault::kOutOfRange}, {{"DNP ", kRange}}},
        FaultCase{"A50", "A50_talks_first", {DutFault::kTalksFirst}, {{"DNP ", kPremature}}},
        FaultCase{"A50", "A50_talks_in_wait", {DutFault::kTalksInWait}, {{"DNP ", kPremature}}},
        FaultCase{"A50", "A50_short_request", {DutFault::kShortRequest}, {{"DNP ", kPayload}}},
        FaultCase{"A50", "A50_request_eeff", {DutFault::kRequestEeff}, {{"DNP ", kDgn}}},
        FaultCase{"A50", "A50_global_request", {DutFault::kGlobalRequest}, {{"DNP ", kGlobal}}},
        FaultCase{"A60",
                  "A60_correct",
                  {},
                  {{"PASS", kAac},
                   {"PASS", kPrecedes},
                   {"PASS", kRequestedDgn},
                   {"PASS", kTargeted},
                   {"PASS", kMfg},
                   {"PASS", kNoClaim},
                   {"PASS", kClaimToOperation},
                   {"PASS", kRequestToClaim},
                   {"PASS", kNoRequest}}},
        FaultCase{"A60", "A60_wrong_aac", {DutFault::kWrongAac}, {{"DNP ", kAac}}},
        FaultCase{"A60", "A60_talks_first", {DutFault::kTalksFirst}, {{"DNP ", kPrecedes}}},
        FaultCase{"A60", "A60_talks_in_wait", {DutFault::kTalksInWait}, {{"DNP ", kPrecedes}}},
        FaultCase{"A60", "A60_request_eeff", {DutFault::kRequestEeff}, {{"DNP ", kRequestedDgn}}},
        FaultCase{
            "A60", "A60_claims_unrequested", {DutFault::kClaimsUnrequested}, {{"DNP ", kTargeted}}},
        FaultCase{"A60", "A60_wrong_mfg", {DutFault::kWrongMfg}, {{"DNP ", kMfg}}},
        FaultCase{"A60", "A60_short_quiet", {DutFault::kShortQuiet}, {{"DNP ", kClaimToOperation}}},
        FaultCase{"A60", "A60_short_wait", {DutFault::kShortWait}, {{"DNP ", kRequestToClaim}}},
        FaultCase{"A60",
                  "A60_no_request",
                  {DutFault::kNoRequest},
                  {{"DNP ", kNoRequest}, {"____", kRequestToClaim}}}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

std::string RunScripted(const char* code, Steps steps, const char* tolerance = nullptr) {
  auto bench = DynamicBench(std::make_unique<ScriptedDut>(std::move(steps)));
  if (tolerance != nullptr) {
    EXPECT_TRUE(bench->Settings().SetValue("250MS Timing Tolerance", tolerance)) << tolerance;
  }
  return RunToEnd(*bench, code);
}

TEST(A50, MovingOnToASecondTargetPassesAndAThirdIsTooMany) {
  const std::string report = RunScripted("A50", {{100, RequestFrame(0xFE, 0x70)},
                                                 {500, RequestFrame(0xFE, 0x71)},
                                                 {900, RequestFrame(0xFE, 0x72)}});
  EXPECT_EQ(CriterionTag(report, kNewTarget), "PASS") << report;
  EXPECT_NE(CriterionLine(report, kMultiple).find("See log to verify."), std::string::npos)
      << report;
  EXPECT_EQ(CriterionTag(report, kMultiple), "DNP ");
}

TEST(A50, RequestingTheSameTargetAgainFails) {
  const std::string report =
      RunScripted("A50", {{100, RequestFrame(0xFE, 0x70)}, {500, RequestFrame(0xFE, 0x70)}});
  EXPECT_EQ(CriterionTag(report, kNewTarget), "DNP ") << report;
  EXPECT_EQ(CriterionTag(report, kClaimedDespite), "PASS");
}

TEST(A50, OnlyTheDutsClaimCountsNotTheToolsEcho) {
  // The DUT never moves on and never claims: the tool's echoed claim alone must
  // not fail 0x502 or 0x505.
  const std::string report = RunScripted("A50", {{100, RequestFrame(0xFE, 0x70)}});
  EXPECT_NE(report.find("Transmitting ADDRESS_CLAIMED."), std::string::npos) << report;
  EXPECT_EQ(CriterionTag(report, kClaimedDespite), "PASS") << report;
  EXPECT_EQ(CriterionTag(report, kPremature), "PASS");
  EXPECT_EQ(CriterionTag(report, kNewTarget), "DNP ");
}

TEST(A50, ARepeatedRunJudgesAsTheFirst) {
  auto bench = DynamicBench(DynamicDutWith({}));
  auto test = bench->Make("A50");
  ASSERT_TRUE(bench->Run(*test, 60'000));
  ASSERT_TRUE(bench->Run(*test, 60'000));
  const std::string all = bench->Text();
  const std::string second = all.substr(all.rfind("Power Up DUT"));
  EXPECT_EQ(CriterionTag(second, kNewTarget), "PASS") << second;
  EXPECT_EQ(CriterionTag(second, kMultiple), "PASS") << second;
}

TEST(A60, ClaimFromTheNullAddressPassesTheTargetCheckAndNoClaimFails) {
  std::string report = RunScripted(
      "A60", {{100, RequestFrame(0xFE, 0x70)}, {400, DutClaim(0xFE)}, {800, DutStatus(0x70)}});
  EXPECT_EQ(CriterionTag(report, kTargeted), "PASS") << report;

  report = RunScripted("A60", {{100, RequestFrame(0xFE, 0x70)}});
  EXPECT_EQ(CriterionTag(report, kNoClaim), "DNP ") << report;
  EXPECT_EQ(CriterionTag(report, kNoRequest), "____");
  EXPECT_EQ(CriterionTag(report, kPrecedes), "PASS");
}

TEST(A60, TargetNoteNamesBothAddresses) {
  const std::string report =
      RunScripted("A60", {{100, RequestFrame(0xFE, 0x70)}, {400, DutClaim(0x71)}});
  EXPECT_EQ(CriterionLine(report, kTargeted).substr(0, 7), "DNP  : ");
  EXPECT_NE(CriterionLine(report, kTargeted).find("Targeted: 70  Claimed: 71"), std::string::npos)
      << report;
}

struct TimingCase {
  const char* tolerance;
  int delayMs;
  const char* tag;
};

// Request to claim, from the latest request: below 250 ms less the tolerance fails.
TEST(A60, RequestToClaimAtTheEdges) {
  for (const TimingCase& c : {TimingCase{"0", 249, "DNP "}, TimingCase{"0", 250, "PASS"},
                              TimingCase{"0", 251, "PASS"}, TimingCase{"20", 229, "DNP "},
                              TimingCase{"20", 230, "PASS"}, TimingCase{"253", 0, "PASS"}}) {
    const std::string report = RunScripted("A60",
                                           {{100, RequestFrame(0xFE, 0x70)},
                                            {100 + c.delayMs, DutClaim(0x70)},
                                            {100 + c.delayMs + 300, DutStatus(0x70)}},
                                           c.tolerance);
    EXPECT_EQ(CriterionTag(report, kRequestToClaim), c.tag)
        << "tolerance " << c.tolerance << " delay " << c.delayMs << "\n"
        << report;
    EXPECT_EQ(CriterionTag(report, kClaimToOperation), "PASS");
  }
}

TEST(A60, ClaimToOperationAtTheEdges) {
  for (const TimingCase& c :
       {TimingCase{"0", 249, "DNP "}, TimingCase{"0", 250, "PASS"}, TimingCase{"20", 229, "DNP "},
        TimingCase{"20", 231, "PASS"}, TimingCase{"253", 1, "PASS"}}) {
    const std::string report = RunScripted("A60",
                                           {{100, RequestFrame(0xFE, 0x70)},
                                            {400, DutClaim(0x70)},
                                            {400 + c.delayMs, DutStatus(0x70)}},
                                           c.tolerance);
    EXPECT_EQ(CriterionTag(report, kClaimToOperation), c.tag)
        << "tolerance " << c.tolerance << " delay " << c.delayMs << "\n"
        << report;
  }
}

TEST(A60, DelayCountsFromTheLatestRequest) {
  const std::string report = RunScripted(
      "A60",
      {{100, RequestFrame(0xFE, 0x70)}, {300, RequestFrame(0xFE, 0x70)}, {400, DutClaim(0x70)}});
  EXPECT_EQ(CriterionTag(report, kRequestToClaim), "DNP ") << report;
}

// A DUT that asks all nodes at once, as J1939 nodes do, is contested at the
// address it is expected to take, never from FFh, which no node can hold: in
// A-50 it gives that address up, in A-60 it keeps it.
TEST(A50A60, ARequestToAllIsAnsweredForTheDsa) {
  struct Case {
    const char* code;
    const char* claimedLine;  // the DUT's claim in the dump, from where it settled
    std::vector<Expect> expected;
  };
  const Case cases[] = {
      // RV-C asks for a request to each target before a claim.
      {"A50",
       "18EEFF71",
       {{"DNP ", kGlobal},
        {"DNP ", kClaimedDespite},
        {"DNP ", kNewTarget},
        {"PASS", kPayload},
        {"PASS", kSa}}},
      {"A60", "18EEFF70", {{"PASS", kTargeted}, {"PASS", kRequestToClaim}, {"PASS", kMfg}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    auto bench = DynamicBench(DynamicDutWith({DutFault::kRequestsGlobally}));
    bench->Settings().SetValue("DSA For Address Claiming", "112");
    const std::string report = RunToEnd(*bench, c.code);
    EXPECT_TRUE(Contains(report,
                         "Request for ADDRESS_CLAIM to all: contesting address 112 "
                         "(DSA For Address Claiming).\r\n"))
        << report;
    EXPECT_TRUE(Contains(report, "18EAFFFE")) << report;
    // The tester's claim for the DSA, marked as its own, and none from FFh.
    EXPECT_TRUE(Contains(report, "18EEFF70")) << report;
    EXPECT_FALSE(Contains(report, "18EEFFFF")) << report;
    EXPECT_TRUE(Contains(report, c.claimedLine)) << report;
    for (const Expect& e : c.expected) {
      EXPECT_EQ(CriterionTag(report, e.text), e.tag) << e.text << "\n" << report;
    }
  }
  auto bench = DynamicBench(DynamicDutWith({DutFault::kRequestsGlobally}));
  bench->Settings().SetValue("DSA For Address Claiming", "112");
  const std::string report = RunToEnd(*bench, "A60");
  EXPECT_TRUE(Contains(report, "Targeted: 70  Claimed: 70")) << report;
}

}  // namespace
}  // namespace vlt::compliance
