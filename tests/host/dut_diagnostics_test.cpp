// The simulated DUTs' health reports and GENERAL_RESET, on virtual time: the
// DM_RV heartbeat, a fault reported and repeated while its cause lasts and
// cleared when it goes, answers to requests, and the reset taken only at the
// DUT's own address.
#include <gtest/gtest.h>

#include "dut_test_support.h"
#include "host/devices/dut_diagnostics.h"
#include "host/devices/dynamic_dut.h"
#include "host/devices/static_dut.h"

namespace vlt::host {
namespace {

using testing::Bytes;
using testing::DutBench;
using testing::Lines;

constexpr std::uint8_t kTool = 0xF9;
const Bytes kRequestDmRv{0xCA, 0xFE, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const Bytes kClearFaults{0xF7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const Bytes kReboot{0xFD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

std::unique_ptr<SimDevice> Dut(DutKind kind) {
  DutCommon common;
  common.poweredAtStart = false;
  if (kind == DutKind::kStatic) {
    return std::make_unique<StaticDut>(StaticDutConfig{.address = 253, .common = common}, 0);
  }
  return std::make_unique<DynamicDut>(DynamicDutConfig{.common = common}, 0);
}

// What the DUT at `sa` sent besides its status: claims, DM_RV, ACKNOWLEDGMENT.
Lines Diagnostics(const Lines& lines, std::uint8_t sa) {
  char source[8];
  std::snprintf(source, sizeof(source), ":%02X", sa);
  Lines kept;
  for (const std::string& line : lines) {
    if (line.find(source) == std::string::npos) continue;
    if (line.find("1FECA") != std::string::npos || line.find(" 0E8") != std::string::npos ||
        line.find(" 0EE00") != std::string::npos) {
      kept.push_back(line);
    }
  }
  return kept;
}

TEST(DutDiagnostics, BothModelsReportHealthFaultsAndTakeAResetAtTheirAddressOnly) {
  for (const DutKind kind : {DutKind::kStatic, DutKind::kDynamic}) {
    SCOPED_TRACE(kind == DutKind::kStatic ? "static" : "dynamic");
    const std::uint8_t sa = kind == DutKind::kStatic ? 253 : 0x70;
    const std::string dm = "1FECA:" + std::string(kind == DutKind::kStatic ? "FD" : "70");
    const std::string dsa = kind == DutKind::kStatic ? "FD" : "70";
    DutBench bench;
    bench.diagnostics = true;
    bench.SetDut(Dut(kind));
    bench.PowerOn();
    bench.Advance(1500);
    const Lines start = Diagnostics(bench.Take(), sa);
    ASSERT_EQ(start.size(), 2u);  // the claim, then the first heartbeat after its quiet time
    const int claimMs = std::stoi(start[0]);
    const int heartbeatMs = std::stoi(start[1]);
    EXPECT_GE(heartbeatMs, claimMs + 250);
    EXPECT_EQ(start[1], std::to_string(heartbeatMs) + " " + dm + " 05" + dsa + "FFFFFFFFFFFF");

    bench.Advance(5000);
    EXPECT_EQ(Diagnostics(bench.Take(), sa), (Lines{std::to_string(heartbeatMs + 5000) + " " + dm +
                                                    " 05" + dsa + "FFFFFFFFFFFF"}));

    // The fault within 50 ms, every second while it lasts; its clearing within 50 ms.
    EXPECT_TRUE(bench.Host().Control("dut fault on").starts_with("ok on"));
    bench.Advance(2100);
    const std::string fault = " " + dm + " 15" + dsa + "0000C081FFFF";
    EXPECT_EQ(Diagnostics(bench.Take(), sa),
              (Lines{"6550" + fault, "7550" + fault, "8550" + fault}));
    EXPECT_TRUE(bench.Host().Control("dut fault off").starts_with("ok on"));
    bench.Advance(5100);
    EXPECT_EQ(Diagnostics(bench.Take(), sa), (Lines{"8650 " + dm + " 05" + dsa + "FFFFFFFFFFFF",
                                                    "13650 " + dm + " 05" + dsa + "FFFFFFFFFFFF"}));

    // Asked for DM_RV: to it or to all it answers, to another node it stays silent.
    bench.Transmit(kTool, kPgnRequest | sa, kRequestDmRv);
    bench.Advance(100);
    bench.Transmit(kTool, kPgnRequest | 0x44, kRequestDmRv);
    bench.Advance(100);
    const Lines all = bench.Take();
    EXPECT_EQ(Diagnostics(all, sa).size(), 1u);

    // GENERAL_RESET to another node: nothing; to it: an ACK, and a reboot when asked.
    bench.Transmit(kTool, 0x17F00 | 0x44, kClearFaults);
    bench.Advance(100);
    EXPECT_TRUE(Diagnostics(bench.Take(), sa).empty());
    bench.Transmit(kTool, 0x17F00 | sa, kClearFaults);
    bench.Advance(100);
    const Lines acked = Diagnostics(bench.Take(), sa);
    ASSERT_EQ(acked.size(), 1u);
    EXPECT_NE(acked[0].find(" 0E8F9:"), std::string::npos) << acked[0];
    EXPECT_TRUE(acked[0].ends_with(" 00FFFFFFF9007F01")) << acked[0];
    bench.Transmit(kTool, 0x17F00 | sa, kReboot);
    bench.Advance(1000);
    const Lines rebooted = Diagnostics(bench.Take(), sa);
    ASSERT_GE(rebooted.size(), 2u);
    EXPECT_NE(rebooted[0].find(" 0E8F9:"), std::string::npos) << rebooted[0];
    EXPECT_NE(rebooted[1].find(" 0EE00:"), std::string::npos) << rebooted[1];
  }
}

}  // namespace
}  // namespace vlt::host
