// A-100 against the simulated dynamic DUT, in the normal and the extended form,
// and against claims played by hand.
#include <gtest/gtest.h>

#include "claim_scenario_support.h"
#include "compliance/a100_range_full.h"

namespace vlt::compliance {
namespace {

using host::DutFault;
using namespace scenario;

constexpr std::uint8_t kSensors = 3;  // A0h-AFh
constexpr const char* kFinal = "Final address not acceptable.";
constexpr const char* kValid = "Attempt to claim invalid address";

struct Outcome {
  std::string text;
  bool aborted = false;
};

Outcome RunAgainst(host::DutFaults faults, const char* category, bool extended = false,
                   const char* target = "248") {
  testing::ComplianceBench bench(DynamicDut(kSensors, faults));
  UseProfile(bench, kDynamicName);
  if (category != nullptr) {
    bench.Settings().SetValue("DSA Category", category);
  } else {
    SpoilCategory(bench);
  }
  bench.Settings().SetValue("Perform Extended Test A-100", extended ? "Yes" : "No");
  bench.Settings().SetValue("Extended Test Target Address", target);
  auto test = bench.Make("A100");
  EXPECT_TRUE(test);
  if (!test) return {};
  EXPECT_TRUE(bench.Run(*test, 120'000));
  return {bench.Text(), test->Aborted()};
}

TEST(A100, TheDutIsChasedThroughItsRangeAndSettlesOnASpareAddress) {
  const Outcome run = RunAgainst({}, "Sensors");
  EXPECT_FALSE(run.aborted);
  EXPECT_TRUE(Contains(run.text, "DUT claiming 161.  Contesting.\r\n")) << run.text;
  EXPECT_TRUE(Contains(run.text, "DUT claiming 175.  Contesting.\r\n"));
  EXPECT_TRUE(Contains(run.text, "DUT claiming 240\r\n"));
  EXPECT_EQ(CriterionLine(run.text, kFinal).rfind("PASS : ", 0), 0u) << run.text;
  EXPECT_TRUE(Contains(CriterionLine(run.text, kFinal), "Address = 240"));
  EXPECT_EQ(CriterionLine(run.text, kValid).rfind("PASS : ", 0), 0u);
}

// A J1939 node reads one NAME claiming a second address as that node moving on,
// so a contest with one NAME would free each address again and never end.
TEST(A100, ADutThatTracksNamesTheJ1939WaySettlesWithAVerdict) {
  const Outcome run = RunAgainst({DutFault::kTracksNames}, "Sensors");
  EXPECT_FALSE(run.aborted) << run.text;
  EXPECT_FALSE(Contains(run.text, "Time limit exceeded.")) << run.text;
  EXPECT_TRUE(Contains(CriterionLine(run.text, kFinal), "Address = 240")) << run.text;
  EXPECT_EQ(CriterionLine(run.text, kFinal).rfind("PASS : ", 0), 0u) << run.text;
  // Each contested address has a NAME of its own, its identity number the address.
  EXPECT_TRUE(Contains(run.text,
                       "18EEFFA1  ADDRESS_CLAIMED                     0EE00:A1  A1 00 "
                       "00 00 00 80 00 80  (sent by tester)"))
      << run.text;
}

TEST(A100, TheExtendedFormContestsEveryAddressButTheTarget) {
  const Outcome run = RunAgainst({}, "Sensors", true, "248");
  EXPECT_FALSE(run.aborted);
  EXPECT_TRUE(Contains(run.text, "DUT claiming 240.  Contesting.\r\n")) << run.text;
  EXPECT_TRUE(Contains(run.text, "DUT claiming 248\r\n"));
  EXPECT_TRUE(Contains(CriterionLine(run.text, kFinal), "Address = 248"));
  EXPECT_EQ(CriterionLine(run.text, kFinal).rfind("PASS : ", 0), 0u);
}

TEST(A100, ACannotClaimFailsBothCriteriaAndTheRunStillEnds) {
  const Outcome run = RunAgainst({DutFault::kRangeOnly}, "Sensors");
  EXPECT_FALSE(run.aborted);
  EXPECT_EQ(CriterionLine(run.text, kValid).rfind("DNP  : ", 0), 0u) << run.text;
  EXPECT_TRUE(Contains(CriterionLine(run.text, kValid), "Address = 254"));
  // The DUT has no address left to be found at.
  EXPECT_EQ(CriterionLine(run.text, kFinal).rfind("DNP  : ", 0), 0u);
  EXPECT_TRUE(Contains(CriterionLine(run.text, kFinal), "Final Address = 255"));
}

TEST(A100, ADutThatNeverGivesUpIsAbortedAfterAMinute) {
  const Outcome run = RunAgainst({DutFault::kIgnoresHigherClaim}, "Sensors");
  EXPECT_TRUE(run.aborted);
  EXPECT_TRUE(Contains(run.text, "Time limit exceeded.\r\n"));
  EXPECT_EQ(CriterionLine(run.text, kFinal).rfind("____ : ", 0), 0u) << run.text;
}

TEST(A100, ADutAlreadyOutsideTheContestedSetAbortsTheTest) {
  const Outcome run = RunAgainst({}, "Multifunction");
  EXPECT_TRUE(run.aborted);
  EXPECT_TRUE(Contains(run.text,
                       "The DUT is already using an address (160) outside the contested range.  "
                       "Aborting test.\r\n"));
}

TEST(A100, AnUnknownCategoryAbortsTheTest) {
  const Outcome run = RunAgainst({}, nullptr);
  EXPECT_TRUE(run.aborted);
  EXPECT_TRUE(Contains(run.text, "DSA Category is not set.  Aborting test.\r\n"));
}

// The DUT played by hand, found at A0h; the extended form with target 200.
struct Hand {
  testing::ComplianceBench bench{nullptr};
  std::unique_ptr<engine::Test> test;
  std::unique_ptr<HandDut> dut;

  explicit Hand(const std::string& name = kDynamicName) {
    UseProfile(bench, name);
    bench.Settings().SetValue("Perform Extended Test A-100", "Yes");
    bench.Settings().SetValue("Extended Test Target Address", "200");
    test = bench.Make("A100");
    test->Start();
    dut = std::make_unique<HandDut>(bench, *test);
    EXPECT_TRUE(dut->BeFoundAt(0xA0));
    bench.Step(20);
  }
  std::string Finish(std::uint8_t finalStatusFrom) {
    bench.Step(20);
    dut->Status(finalStatusFrom);
    EXPECT_TRUE(scenario::Finish(bench, *test));
    return bench.Text();
  }
};

TEST(A100, OnlyTheTargetAddressEndsTheExtendedContest) {
  Hand hand;
  hand.dut->Claim(201, kDynamicName);
  hand.bench.Step(20);
  hand.dut->Claim(200, kDynamicName);
  const std::string text = hand.Finish(200);
  EXPECT_TRUE(Contains(text, "DUT claiming 201.  Contesting.\r\nDUT claiming 200\r\n")) << text;
  EXPECT_TRUE(Contains(CriterionLine(text, kFinal), "Address = 200"));
  EXPECT_EQ(CriterionLine(text, kFinal).rfind("PASS : ", 0), 0u);
}

TEST(A100, AClaimOfAnotherNameIsNeverContested) {
  Hand hand;
  hand.dut->Claim(201, "A4 A5 60 24 00 80 00 80");
  hand.bench.Step(20);
  hand.dut->Claim(200, kDynamicName);
  const std::string text = hand.Finish(200);
  EXPECT_FALSE(Contains(text, "DUT claiming 201")) << text;
}

TEST(A100, AClaimOfTheToolsAddressIsInvalid) {
  Hand hand;
  hand.dut->Claim(0xF9, kDynamicName);
  const std::string text = hand.Finish(0xA0);
  EXPECT_EQ(CriterionLine(text, kValid).rfind("DNP  : ", 0), 0u) << text;
  EXPECT_TRUE(Contains(CriterionLine(text, kValid), "Address = 249"));
  EXPECT_TRUE(Contains(CriterionLine(text, kFinal), "Final Address = 160"));
}

TEST(A100, ANameWithManufacturerCodeZeroIsNotTakenForTheToolsOwnEcho) {
  Hand hand("A5 A5 00 00 00 80 00 80");
  hand.bench.Step(200);
  hand.dut->Claim(200, "A5 A5 00 00 00 80 00 80");
  const std::string text = hand.Finish(200);
  EXPECT_FALSE(Contains(text, "Contesting.")) << text;
  EXPECT_LT(hand.bench.host.Server().Counters().transmits, 10u);
}

}  // namespace
}  // namespace vlt::compliance
