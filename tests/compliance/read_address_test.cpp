// Read ADDRESS_CLAIM against the in-process host and a simulated DUT.
#include <gtest/gtest.h>

#include "compliance/test_a_read_address.h"
#include "host/devices/static_dut.h"
#include "support/compliance_bench.h"

namespace vlt::compliance {
namespace {

using testing::ComplianceBench;

std::unique_ptr<host::SimDevice> StaticDutAt(std::uint8_t address) {
  host::StaticDutConfig config;
  config.address = address;
  return std::make_unique<host::StaticDut>(config, 0);
}

bool Contains(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

TEST(ReadAddressClaim, CapturesTheFirstClaimAndStoresItOnYes) {
  ComplianceBench bench(StaticDutAt(0x80));
  auto test = bench.Make("RAC");
  ASSERT_TRUE(test);
  ASSERT_TRUE(bench.Run(*test));

  const std::string text = bench.Text();
  EXPECT_TRUE(Contains(text, "Start with an empty network, DUT powered off or disconnected.\r\n"));
  EXPECT_TRUE(Contains(text, "Power Up DUT\r\n"));
  // NAME A5 A5 60 24 ...: manufacturer code 24h << 3 | 60h >> 5 = 291, not arbitrary-address
  // capable
  EXPECT_TRUE(Contains(text, "Address Claim Received.   MfgID=291  ArbAddrCapFlag=0\r\n")) << text;
  EXPECT_TRUE(Contains(text, "  Packet: A5 A5 60 24 00 80 00 00\r\n")) << text;
  EXPECT_TRUE(Contains(text, "Test RAC complete.\r\n"));
  EXPECT_TRUE(Contains(text, "Saving ADDRESS_CLAIM packet as Full ADDRESS_CLAIM Value\r\n"));
  EXPECT_FALSE(Contains(text, "Testing Notes"));  // no report
  ASSERT_EQ(bench.prompter.decisions.size(), 1u);
  EXPECT_EQ(bench.prompter.decisions[0].first,
            "ADDRESS_CLAIM packet\r\n[ A5 A5 60 24 00 80 00 00 ]");
  EXPECT_EQ(bench.prompter.decisions[0].second, "Save for future tests?");
  EXPECT_EQ(bench.Settings().GetValue(kFullClaimSetting, true), "A5 A5 60 24 00 80 00 00");
  EXPECT_TRUE(bench.dataContext->ProfileModified());
}

TEST(ReadAddressClaim, ANoLeavesTheProfileAsItWas) {
  ComplianceBench bench(StaticDutAt(0x80));
  bench.prompter.answer = false;
  auto test = bench.Make("RAC");
  ASSERT_TRUE(bench.Run(*test));
  EXPECT_EQ(bench.Settings().GetValue(kFullClaimSetting, true), "00 00 00 00 00 00 00 00");
  EXPECT_FALSE(bench.dataContext->ProfileModified());
  EXPECT_FALSE(Contains(bench.Text(), "Saving ADDRESS_CLAIM packet"));
}

TEST(ReadAddressClaim, WithoutADutItWaitsUntilAborted) {
  ComplianceBench bench(nullptr);
  auto test = bench.Make("RAC");
  EXPECT_FALSE(bench.Run(*test, 5'000));
  test->PostEvent(0x02000004);
  bench.Step(20);
  EXPECT_FALSE(test->Running());
  EXPECT_TRUE(Contains(bench.Text(), "Test RAC aborted.\r\nTest RAC complete.\r\n"));
  // The question is still asked, with the store's not-found text.
  ASSERT_EQ(bench.prompter.decisions.size(), 1u);
  EXPECT_EQ(bench.prompter.decisions[0].first, "ADDRESS_CLAIM packet\r\n[ N/A ]");
}

// An operator may answer Yes to any question; the profile keeps only a NAME
// this run read.
TEST(ReadAddressClaim, AYesAfterARunThatHeardNoClaimLeavesTheProfileAsItWas) {
  ComplianceBench bench(nullptr);
  bench.Settings().SetValue(kFullClaimSetting, "A5 A5 60 24 00 80 00 00");
  bench.dataContext->SetProfileModified(false);
  auto test = bench.Make("RAC");
  EXPECT_FALSE(bench.Run(*test, 2'000));
  test->PostEvent(0x02000004);
  bench.Step(20);
  ASSERT_FALSE(test->Running());
  ASSERT_EQ(bench.prompter.decisions.size(), 1u);
  EXPECT_EQ(bench.prompter.decisions[0].first, "ADDRESS_CLAIM packet\r\n[ N/A ]");
  EXPECT_EQ(bench.Settings().GetValue(kFullClaimSetting, true), "A5 A5 60 24 00 80 00 00");
  EXPECT_FALSE(bench.dataContext->ProfileModified());
  EXPECT_FALSE(Contains(bench.Text(), "Saving ADDRESS_CLAIM packet"));
  EXPECT_TRUE(Contains(bench.Text(), "No ADDRESS_CLAIM was read: nothing saved.\r\n"));
}

TEST(ReadAddressClaim, AYesKeepsNoNameReadByAnEarlierRun) {
  ComplianceBench bench(StaticDutAt(0x80));
  bench.prompter.answer = false;
  auto test = bench.Make("RAC");
  ASSERT_TRUE(bench.Run(*test));
  ASSERT_TRUE(Contains(bench.Text(), "  Packet: A5 A5 60 24 00 80 00 00\r\n"));
  // The DUT is taken off the bus: the repeated run hears nothing.
  bench.host.SetDut(nullptr);
  bench.prompter.answer = true;
  EXPECT_FALSE(bench.Run(*test, 2'000));
  test->PostEvent(0x02000004);
  bench.Step(20);
  ASSERT_FALSE(test->Running());
  ASSERT_EQ(bench.prompter.decisions.size(), 2u);
  EXPECT_EQ(bench.Settings().GetValue(kFullClaimSetting, true), "00 00 00 00 00 00 00 00");
  EXPECT_FALSE(bench.dataContext->ProfileModified());
}

}  // namespace
}  // namespace vlt::compliance
