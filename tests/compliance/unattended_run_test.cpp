// What an unattended run relies on, against the in-process host on virtual
// time: a DUT that talks in the millisecond it gets power is heard in full, the
// auto operator keeps a NAME only when one was read, a question left open does
// not make the host look dead, and a host that dies mid-test aborts the run and
// is registered with again when it comes back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "compliance/claim_scenario_support.h"
#include "compliance/compliance_tests.h"
#include "compliance/test_a_read_address.h"
#include "engine/failure.h"
#include "host/devices/dynamic_dut.h"
#include "host/devices/static_dut.h"

namespace vlt::compliance {
namespace {

using host::DutFault;
using namespace scenario;

constexpr std::uint8_t kDsa = 253;

std::unique_ptr<host::SimDevice> TalksAtPowerOn(host::DutKind kind, host::DutFaults faults = {}) {
  host::DutCommon common;
  common.faults = faults;
  common.timing.bootDelayMs = 0;  // its first frame in the millisecond of power-on
  if (kind == host::DutKind::kStatic) {
    host::StaticDutConfig config;
    config.address = kDsa;
    config.common = common;
    return std::make_unique<host::StaticDut>(config, 0);
  }
  host::DynamicDutConfig config;
  config.common = common;
  return std::make_unique<host::DynamicDut>(config, 0);
}

std::vector<std::uint16_t> DidNotPass(const engine::Test& test) {
  std::vector<std::uint16_t> ids;
  for (const auto& [id, criterion] : test.Criteria()) {
    if (criterion->GetState() == engine::Failure::State::kDidNotPass) ids.push_back(id);
  }
  return ids;
}

TEST(UnattendedRun, ADutThatTalksTheMomentItIsPoweredIsSeenFromItsFirstFrame) {
  struct Case {
    const char* code;
    host::DutKind kind;
    host::DutFaults faults;
    std::vector<std::uint16_t> dnp;
  } cases[] = {
      {"A10", host::DutKind::kStatic, {}, {}},
      // Its status frame goes out before its claim in the same millisecond.
      {"A10", host::DutKind::kStatic, {DutFault::kTalksFirst}, {0x104}},
      {"A40", host::DutKind::kDynamic, {}, {}},
      {"A40", host::DutKind::kDynamic, {DutFault::kTalksFirst}, {0x403}},
      {"A50", host::DutKind::kDynamic, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + (c.faults.None() ? " correct" : " " + c.faults.Names()));
    testing::ComplianceBench bench(TalksAtPowerOn(c.kind, c.faults));
    UseProfile(bench, c.kind == host::DutKind::kStatic ? kStaticName : kDynamicName);
    bench.Settings().SetValue("DSA For Address Claiming", std::to_string(kDsa));
    auto test = bench.Make(c.code);
    ASSERT_TRUE(bench.Run(*test, 60'000));
    EXPECT_FALSE(test->Aborted()) << bench.Text();
    EXPECT_EQ(DidNotPass(*test), c.dnp) << bench.Text();
  }
}

TEST(UnattendedRun, ReadAddressClaimKeepsTheNameOfADutThatClaimsAtPowerOn) {
  testing::ComplianceBench bench(TalksAtPowerOn(host::DutKind::kStatic));
  auto test = bench.Make("RAC", bench.op);
  ASSERT_TRUE(bench.Run(*test, 10'000));
  EXPECT_EQ(bench.Settings().GetValue(kFullClaimSetting, true), kStaticName);
  EXPECT_TRUE(bench.dataContext->ProfileModified());
}

TEST(UnattendedRun, AnAbortedReadAddressClaimStoresNothing) {
  testing::ComplianceBench bench(nullptr);  // nothing answers
  bench.Settings().SetValue(kFullClaimSetting, kStaticName);
  bench.dataContext->SetProfileModified(false);
  auto test = bench.Make("RAC", bench.op);
  EXPECT_FALSE(bench.Run(*test, 3'000));
  EXPECT_EQ(test->WaitingFor(), "No ADDRESS_CLAIM heard: is the DUT powered and on the bus?");
  test->PostAbort("The test ran longer than --timeout 3 s.", true);
  ASSERT_TRUE(Finish(bench, *test));
  EXPECT_TRUE(Contains(bench.Text(), "No ADDRESS_CLAIM heard: is the DUT powered and on the bus?"));
  EXPECT_FALSE(Contains(bench.Text(), "Saving ADDRESS_CLAIM packet"));
  EXPECT_EQ(bench.Settings().GetValue(kFullClaimSetting, true), kStaticName);
  EXPECT_FALSE(bench.dataContext->ProfileModified());
}

// On an empty bus every test waits for something, and the --timeout's abort
// says what in the operator's words (A-10 before its own limit runs out).
TEST(UnattendedRun, OnAnEmptyBusEveryTestSaysWhatItWaitedForInWords) {
  for (const std::string& code : RunnableCodes()) {
    testing::ComplianceBench bench(nullptr);
    auto test = bench.Make(code);
    if (bench.Run(*test, 3'000)) continue;  // it needs nothing from the bus
    test->PostAbort("The test ran longer than --timeout 3 s.", true);
    ASSERT_TRUE(Finish(bench, *test));
    EXPECT_FALSE(Contains(bench.Text(), "Waiting in ")) << bench.Text();
  }
}

// Answers Yes after the window's timer has run for `millis` of virtual time, as
// when the operator takes a while: the tick thread reads nothing meanwhile.
class SlowAnswers final : public platform::Prompter {
 public:
  SlowAnswers(testing::ComplianceBench& bench, int millis) : bench_(bench), millis_(millis) {}
  void MessageBox(const std::string&, const std::string&) override {}
  bool AskDecision(const std::string&, const std::string&) override {
    for (int waited = 0; waited < millis_; waited += 50) {
      bench_.clock.AdvanceMillis(50);
      bench_.watchdog->OnTimer();
    }
    ++asked;
    return true;
  }
  int asked = 0;

 private:
  testing::ComplianceBench& bench_;
  int millis_;
};

TEST(UnattendedRun, AQuestionOpenForTenSecondsDoesNotMakeTheHostLookDead) {
  testing::ComplianceBench bench(TalksAtPowerOn(host::DutKind::kStatic));
  bench.StartWindowTimer();
  SlowAnswers slow(bench, 10'000);
  auto test = bench.Make("RAC", slow);
  ASSERT_TRUE(bench.Run(*test, 10'000));
  EXPECT_EQ(slow.asked, 1);
  bench.Step(1'000);
  EXPECT_FALSE(Contains(bench.Text(), "BRANTEL may have crashed!")) << bench.Text();
  EXPECT_FALSE(bench.app->Link().Down());
  EXPECT_EQ(bench.watchdog->GetStatus(), framework::HostWatchdog::Status::kConnected);
}

TEST(UnattendedRun, AHostThatDiesAbortsTheRunAndOneThatComesBackIsRegisteredWith) {
  testing::ComplianceBench bench(TalksAtPowerOn(host::DutKind::kStatic));
  UseProfile(bench, kStaticName);
  bench.StartWindowTimer();
  auto first = bench.Make("A10");
  first->Start();
  ASSERT_TRUE(StepUntil(
      bench, [&] { return Contains(bench.Text(), "Address Claim Received."); }, 10'000));
  bench.host.Crash();
  ASSERT_TRUE(Finish(bench, *first, 20'000));
  EXPECT_TRUE(first->Aborted());
  EXPECT_TRUE(first->LinkLost());
  const std::string text = bench.Text();
  EXPECT_TRUE(Contains(text, "BRANTEL may have crashed!\r\n"));
  EXPECT_TRUE(Contains(text, "The link to the host is lost: no message from the host at "));
  EXPECT_TRUE(Contains(text, "Test A10 aborted.\r\n"));
  EXPECT_TRUE(Contains(text, "    ABORTED!!!\r\n"));
  EXPECT_EQ(bench.watchdog->GetStatus(), framework::HostWatchdog::Status::kLost);

  bench.host.SetRunning(true);  // a new host on the same run folder
  bench.Step(1'500);
  EXPECT_EQ(bench.watchdog->GetStatus(), framework::HostWatchdog::Status::kConnected);
  EXPECT_TRUE(Contains(bench.Text(), "Registered again with the host at "));
  first.reset();
  auto second = bench.Make("A10");
  ASSERT_TRUE(bench.Run(*second, 30'000));
  EXPECT_FALSE(second->Aborted()) << bench.Text();
  EXPECT_TRUE(DidNotPass(*second).empty());
}

}  // namespace
}  // namespace vlt::compliance
