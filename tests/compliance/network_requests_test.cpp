// The ND tests of requests as the DUT meets them on virtual time: the tester a
// node of its own before it asks, requests placed clear of the DUT's periodic
// frames, and the reports a lab reads. Each criterion's fault is held by the
// fault table; these cases cover what the table cannot see.
#include <gtest/gtest.h>

#include "compliance/claim_scenario_support.h"
#include "compliance/instances_request.h"
#include "compliance/nd30_random_target.h"
#include "compliance/nd40_product_id.h"
#include "compliance/network_scenario_support.h"
#include "engine/device_rhythm.h"
#include "engine/network_messages.h"
#include "engine/tester_node.h"
#include "host/devices/dut_common.h"

namespace vlt::compliance {
namespace {

using host::DutKind;
using scenario::Contains;

// The static DUT of the ND scenarios, with the profile that describes it.
struct NetworkBench : testing::ComplianceBench {
  NetworkBench() : ComplianceBench(network_scenario::Dut(DutKind::kStatic)) {
    network_scenario::UseProfile(*this, DutKind::kStatic);
  }
};

TEST(NetworkRequests, TheTesterClaimsItsAddressFirstAndAsksWithinTheWindowAfterAPeriodicFrame) {
  NetworkBench bench;
  std::vector<std::pair<std::int64_t, host::BusFrame>> wire;
  bench.host.SetFrameTap([&](const host::BusFrame& f, std::int64_t at) {
    wire.push_back({at, f});
  });
  auto test = bench.Make("ND20");
  ASSERT_TRUE(bench.Run(*test));
  const std::string text = bench.Text();
  EXPECT_TRUE(Contains(text, "PASS : No NAK for an unsupported DGN.")) << text;
  EXPECT_FALSE(Contains(text, "DNP ")) << text;

  // The tester's claim of F9h comes before its first request, and every request
  // for the DUT's status DGN leaves just after one of its periodic frames.
  int claimAt = -1;
  std::int64_t lastStatus = -1;
  for (std::size_t i = 0; i < wire.size(); ++i) {
    const host::BusFrame& f = wire[i].second;
    if (f.SourceAddress() == engine::kTesterAddress && f.Pgn() == host::kPgnAddressClaim) {
      claimAt = static_cast<int>(i);
      EXPECT_TRUE(std::equal(f.data.begin(), f.data.end(), engine::kTesterName.begin()));
    }
    if (f.Dgn() == network_scenario::kStatusDgn) lastStatus = wire[i].first;
    if (f.Pgn() == host::kPgnRequest && f.SourceAddress() == engine::kTesterAddress) {
      EXPECT_GE(claimAt, 0) << "a request before the tester's claim";
      if (f.data[0] == 0xB7) {
        EXPECT_LT(wire[i].first - lastStatus, 20'000) << "not right after a periodic frame";
      }
    }
  }
}

TEST(NetworkRequests, TheTesterDefendsF9AgainstALowerNameAndGivesItUpToAHigherOne) {
  struct Case {
    const char* rivalName;
    bool keepsAddress;
  } cases[] = {
      {"FF FF FF FF FF 81 FE 8F", true},   // arbitrary-address capable: ranks below the tester
      {"A5 A5 60 24 00 80 00 00", false},  // the DUT's own NAME: ranks above
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rivalName);
    NetworkBench bench;
    auto test = bench.Make("ND10");
    test->Start();
    ASSERT_TRUE(scenario::StepUntil(
        bench, [&] { return Contains(bench.Text(), "Tester claiming address 249"); }, 10'000));
    int claims = 0;
    bench.host.SetFrameTap([&](const host::BusFrame& f, std::int64_t) {
      claims += f.Pgn() == host::kPgnAddressClaim && f.SourceAddress() == engine::kTesterAddress;
    });
    scenario::HandDut(bench, *test).Claim(engine::kTesterAddress, c.rivalName);
    bench.Step(100);
    if (c.keepsAddress) {
      EXPECT_EQ(claims, 2) << "the rival's claim and the tester's answer";
      EXPECT_TRUE(test->Running());
    } else {
      EXPECT_TRUE(scenario::Finish(bench, *test));
      EXPECT_TRUE(test->Aborted());
      EXPECT_TRUE(Contains(bench.Text(),
                           "Address 249 taken from the tester by the DUT with NAME "
                           "A5 A5 60 24 00 80 00 00"))
          << bench.Text();
    }
  }
}

TEST(NetworkRequests, ARhythmTellsPeriodicFramesFromUnscheduledOnes) {
  engine::DeviceRhythm rhythm;
  for (std::uint32_t at : {0u, 500u, 1000u, 1500u}) rhythm.Heard(0x1FFB7, 1, at, true);
  EXPECT_EQ(rhythm.PeriodMs({0x1FFB7, 1}), 500u);
  EXPECT_EQ(rhythm.NextDueMs(0x1FFB7), 1900u);  // 80 % of the period after the last
  EXPECT_TRUE(rhythm.Heard(0x1FFB7, 1, 1510, false)) << "an answer 10 ms after a periodic frame";
  EXPECT_FALSE(rhythm.Heard(0x1FFB7, 1, 2000, false)) << "the period's own frame";
  EXPECT_EQ(rhythm.LastMs({0x1FFB7, 1}), 2000u) << "only the period moves the rhythm on";
  EXPECT_TRUE(rhythm.Heard(0x1FEDA, 1, 2100, false)) << "a DGN never heard before";
}

TEST(NetworkRequests, RandomTargetsAreAddressesNobodyWasHeardAt) {
  NetworkBench bench;
  // A second node at 0x40 is on the bus the whole time.
  auto test = bench.Make("ND30");
  test->Start();
  for (int i = 0; i < 20'000 && test->Running(); i += 100) {
    bench.host.InjectFrame(host::StatusFrame(host::DutCommon{}, 0x40));
    bench.Step(100);
  }
  ASSERT_TRUE(scenario::Finish(bench, *test));
  const auto& targets = static_cast<const Test_ND30&>(*test).Targets();
  for (const std::uint8_t target : targets) {
    EXPECT_NE(target, 0x40);
    EXPECT_NE(target, network_scenario::kStaticAddress);
    EXPECT_NE(target, engine::kTesterAddress);
    EXPECT_LT(target, 0xFE);
  }
  EXPECT_TRUE(Contains(bench.Text(), "PASS : Response to a request addressed to another node."));
}

TEST(NetworkRequests, InstancesWithoutAnInstanceToAskForLeaveEveryCriterionToTheOperator) {
  NetworkBench bench;
  bench.Settings().SetValue("Identifying Instance", "255");
  auto test = bench.Make("NDINST");
  ASSERT_TRUE(bench.Run(*test));
  const std::string text = bench.Text();
  EXPECT_FALSE(Contains(text, "PASS : ")) << text;
  EXPECT_FALSE(Contains(text, "DNP ")) << text;
  EXPECT_TRUE(Contains(text, "Identifying Instance names no instance (255)")) << text;
}

TEST(NetworkRequests, ProductIdFieldsAndTheReportLinesThatShowThem) {
  struct Case {
    const char* text;
    const char* make;
    const char* model;
    const char* serial;
    std::size_t delimiters;
  } cases[] = {
      {"ACME*QX-125*A4323443*", "ACME", "QX-125", "A4323443", 3},
      {"INTERMEGACORP*FLUXMASTER 2000**", "INTERMEGACORP", "FLUXMASTER 2000", "", 3},
      {"***", "", "", "", 3},
      {"Maker*Model*1*2*", "Maker", "Model", "1", 4},
      {"no delimiters", "no delimiters", "", "", 0},
  };
  for (const Case& c : cases) {
    const ProductIdFields f = SplitProductId(c.text);
    EXPECT_EQ(f.make, c.make) << c.text;
    EXPECT_EQ(f.model, c.model) << c.text;
    EXPECT_EQ(f.serial, c.serial) << c.text;
    EXPECT_EQ(f.delimiters, c.delimiters) << c.text;
  }
  NetworkBench bench;
  auto test = bench.Make("ND40");
  ASSERT_TRUE(bench.Run(*test));
  EXPECT_TRUE(Contains(bench.Text(),
                       "\r\nMake                 : Valmora Labs\r\n"
                       "Model                : VLT-SIM-S\r\n"
                       "Serial Number        : 42405\r\n"))
      << bench.Text();
}

TEST(NetworkRequests, AcknowledgmentsReadWithTheirMeaning) {
  framework::FrameRecord frame{};
  frame.dgn = engine::kAcknowledgmentDgn | 0xF9;
  frame.length = 8;
  const std::uint8_t nak[8] = {0x05, 0xFF, 0xFF, 0xFF, 0xF9, 0xDB, 0xFE, 0x01};
  std::copy(std::begin(nak), std::end(nak), frame.data);
  const auto ack = engine::ReadAcknowledgment(frame);
  ASSERT_TRUE(ack);
  EXPECT_EQ(ack->code, 5);
  EXPECT_EQ(ack->address, 0xF9);
  EXPECT_EQ(ack->dgn, 0x1FEDBu);
  EXPECT_EQ(ack->destination, 0xF9);
  EXPECT_EQ(engine::AcknowledgmentCodeText(5), "5 a parameter out of range");
  EXPECT_EQ(engine::AcknowledgmentCodeText(200), "200 command-specific");
  frame.length = 7;
  EXPECT_FALSE(engine::ReadAcknowledgment(frame)) << "shorter than an RV-C frame";
}

}  // namespace
}  // namespace vlt::compliance
