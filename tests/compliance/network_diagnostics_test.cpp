// The DM_RV and GENERAL_RESET tests where the fault table cannot look: how a
// DM_RV's fields read, the verdicts left to the operator (a person's timing, a
// clearing later than the conformance test's 250 ms, a DUT without
// GENERAL_RESET, a DSA other than the profile's) and a fault only two faults
// together show.
#include <gtest/gtest.h>

#include <optional>

#include "compliance/claim_scenario_support.h"
#include "compliance/compliance_tests.h"
#include "compliance/nd50_nd70_dm_rv.h"
#include "compliance/network_scenario_support.h"

namespace vlt::compliance {
namespace {

using host::DutFault;
using host::DutKind;
using scenario::Contains;

TEST(NetworkDiagnostics, DmRvFieldsReadMostSignificantSpnByteFirst) {
  struct Case {
    std::array<std::uint8_t, 8> data;
    std::size_t length;
    std::uint32_t spn;
    std::uint8_t fmi, yellow, red, count;
    bool fault;
  } cases[] = {
      {{0x05, 0xFD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 8, 0x7FFFF, 31, 0, 0, 0x7F, false},
      // SPN 6 is 00 00 C0: the top 3 bits of byte 4, not J1939's low byte first.
      {{0x15, 0xFD, 0x00, 0x00, 0xC0, 0x81, 0xFF, 0xFF}, 8, 6, 0, 1, 0, 1, true},
      {{0x45, 0x80, 0x12, 0x34, 0xB6, 0x85, 0xFF, 0xFF},
       8,
       (0x12 << 11) | (0x34 << 3) | 5,
       22,
       0,
       1,
       5,
       true},
      // Missing bytes read as not available.
      {{0x05, 0x80, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00}, 4, 0x7FFFF, 31, 0, 0, 0x7F, false},
  };
  for (const Case& c : cases) {
    const DmRvContent read = ReadDmRv(c.data.data(), c.length);
    EXPECT_EQ(read.spn, c.spn);
    EXPECT_EQ(read.fmi, c.fmi);
    EXPECT_EQ(read.yellow, c.yellow);
    EXPECT_EQ(read.red, c.red);
    EXPECT_EQ(read.count, c.count);
    EXPECT_EQ(read.Fault(), c.fault);
    EXPECT_EQ(read.LampOn(), c.yellow == 1 || c.red == 1);
  }
  EXPECT_EQ(SpnText(6), "6 (temperature)");
  EXPECT_EQ(SpnText(13), "13 (internal subnetwork)");
  EXPECT_EQ(SpnText(14), "14");
}

// A person at the bench: does what a cue asks at once and presses OK `lateMs`
// after, so the DUT's report comes before the confirmation.
class LatePerson final : public engine::OperatorCues {
 public:
  LatePerson(testing::ComplianceBench& bench, int lateMs) : bench_(bench), lateMs_(lateMs) {}
  void Cue(engine::OperatorCue cue, std::string_view /*memo*/) override {
    using engine::OperatorCue;
    const char* command = cue == OperatorCue::kNormalOperation ? "dut power on"
                          : cue == OperatorCue::kCauseFault    ? "dut fault on"
                          : cue == OperatorCue::kRemoveFault   ? "dut fault off"
                                                               : nullptr;
    if (command == nullptr) return;
    EXPECT_TRUE(bench_.host.Control(command).starts_with("ok")) << command;
    const bool action = cue != OperatorCue::kNormalOperation;
    doneAt_ = bench_.clock.NowMicros() + (action ? lateMs_ * 1000 : 0);
  }
  bool CueDone() const override { return bench_.clock.NowMicros() >= doneAt_; }
  std::optional<std::int64_t> CueDoneAtMicros() const override {
    if (!CueDone()) return std::nullopt;
    return doneAt_;
  }

 private:
  testing::ComplianceBench& bench_;
  int lateMs_;
  std::int64_t doneAt_ = 0;
};

TEST(NetworkDiagnostics, WhatTheTestsCannotJudgeIsLeftToTheOperatorWithWhatWasSeen) {
  struct Case {
    const char* test;
    host::DutFaults dut;
    int personLateMs;  // 0: the auto operator
    const char* dsaSetting;
    const char* criterion;
    const char* note;  // on its line or the next
    int dnps = 0;
  } cases[] = {
      {"ND60",
       {},
       600,
       "253",
       "____ : More than 250ms elapsed before fault and DM_RV.",
       "Delay = 0 after the operator's OK"},
      // The clearing came before the person's OK: it counts from the prompt.
      {"ND70", {}, 600, "253", "PASS : No DM_RV without the fault within 1000ms.", "Delay = 0"},
      {"ND70",
       {DutFault::kSlowClear},
       0,
       "253",
       "____ : No DM_RV without the fault within 1000ms.",
       "Delay = 600: later than the 250 ms of the conformance test"},
      {"ND120",
       {DutFault::kNoGeneralReset},
       0,
       "253",
       "____ : DUT rebooted after GENERAL_RESET clear faults.",
       "not supported: the DUT NAKed GENERAL_RESET, code 1 NAK"},
      {"ND50",
       {},
       0,
       "100",
       "____ : DM_RV byte 1 is not a DSA.",
       "DSA 253, \"DSA For Address Claiming\" 100: the standard says the lowest DSA of the "
       "device type"},
      // Without an ACK, only the latched fault gone tells that it acted.
      {"ND120",
       {DutFault::kLatchingFaults, DutFault::kResetAnyAddress, DutFault::kResetNoAck},
       0,
       "253",
       "DNP  : GENERAL_RESET to another node was acted on.",
       "its fault cleared",
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.criterion);
    testing::ComplianceBench bench(network_scenario::Dut(DutKind::kStatic, c.dut));
    network_scenario::UseProfile(bench, DutKind::kStatic);
    bench.Settings().SetValue("DSA For Address Claiming", c.dsaSetting);
    LatePerson person(bench, c.personLateMs);
    engine::TestContext context = bench.Context();
    if (c.personLateMs > 0) context.operatorCues = &person;
    auto test = MakeTest(c.test, context);
    ASSERT_TRUE(test);
    ASSERT_TRUE(bench.Run(*test));
    const std::string text = bench.Text();
    const std::size_t at = text.find(c.criterion);
    ASSERT_NE(at, std::string::npos) << text;
    const std::size_t note = text.find(c.note, at);
    EXPECT_TRUE(note != std::string::npos && note - at < 120) << text;
    // Nothing else fails (but the missing ACK where the DUT sends none).
    int dnp = 0;
    for (std::size_t p = text.find("DNP "); p != std::string::npos; p = text.find("DNP ", p + 1)) {
      ++dnp;
    }
    EXPECT_EQ(dnp, c.dnps) << text;
  }
}

}  // namespace
}  // namespace vlt::compliance
