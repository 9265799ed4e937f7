#include "host/devices/static_dut.h"

#include <gtest/gtest.h>

#include "host/dut_test_support.h"

namespace vlt::host {
namespace {

using testing::DutBench;
using testing::Lines;
using testing::WithManufacturer;

constexpr std::uint8_t kDut = 0xFD;
// How the tool sees the default NAME: static, so not arbitrary-address capable.
constexpr const char* kName = "A5A5602400800000";
const DeviceName kOutranking = WithManufacturer(kDefaultDutName, 0);
const DeviceName kOutranked = WithManufacturer(kDefaultDutName, kMaxManufacturerCode);

std::unique_ptr<StaticDut> Dut(DutFaults faults = {}) {
  return std::make_unique<StaticDut>(
      StaticDutConfig{.address = kDut,
                      .common = {.faults = faults, .poweredAtStart = false, .timing = {}}},
      0);
}

std::string ClaimLine(int ms, std::uint8_t source = kDut, const char* name = kName) {
  char line[48];
  std::snprintf(line, sizeof(line), "%d 0EE00:%02X %s", ms, source, name);
  return line;
}

TEST(StaticDut, ClaimsAfterBootThenSendsItsStatusAfterTheContentionTime) {
  DutBench bench;
  bench.SetDut(Dut());
  bench.Advance(1000);
  EXPECT_TRUE(bench.Take().empty());
  EXPECT_EQ(bench.Status(), "ok off static 253");

  bench.PowerOn();
  bench.Advance(2000);
  EXPECT_EQ(bench.Take(), (Lines{ClaimLine(100), "400 1FFFF:FD", "900 1FFFF:FD", "1400 1FFFF:FD",
                                 "1900 1FFFF:FD"}));
  EXPECT_GT(kDutFirstStatusAfterClaimMs, kAddressContentionMs);
  EXPECT_EQ(bench.Status(), "ok on static 253");
}

TEST(StaticDut, AnswersRequestsForItsClaimOnlyWhenTheyConcernIt) {
  DutBench bench;
  bench.SetDut(Dut());
  bench.PowerOn();
  bench.Advance(1000);
  bench.Take();
  struct Case {
    const char* what;
    std::uint8_t destination;
    testing::Bytes data;
    bool answered;
  };
  const std::vector<Case> cases = {
      {"request to its address", kDut, {0x00, 0xEE, 0x00}, true},
      {"global request", kGlobalAddress, testing::kRequestForClaim, true},
      {"request to another address", 0x80, {0x00, 0xEE, 0x00}, false},
      // Only a request for a claim may come from the null address.
      {"request for PRODUCT_ID from the null address", kDut, {0xEB, 0xFE, 0x00}, false},
      {"request too short to name a PGN", kDut, {0x00, 0xEE}, false},
  };
  for (const Case& c : cases) {
    bench.MarkOrigin();
    bench.Transmit(kNullAddress, kPgnRequest | c.destination, c.data);
    bench.Advance(50);
    EXPECT_EQ(bench.Take(), c.answered ? Lines{ClaimLine(5)} : Lines{}) << c.what;
  }
}

TEST(StaticDut, PoweredOffItNeitherSendsNorHearsAndForgetsWhatItWasAsked) {
  DutBench bench;
  bench.SetDut(Dut());
  bench.PowerOn();
  bench.Advance(1000);
  bench.Request(kDut);
  EXPECT_EQ(bench.Host().Control("dut power off"), "ok off static 253");
  bench.Request(kGlobalAddress);
  bench.Advance(5000);
  bench.Take();
  bench.PowerOn();  // the answer owed from before the power cut is not sent
  bench.Advance(400);
  EXPECT_EQ(bench.Take(), (Lines{ClaimLine(100), "400 1FFFF:FD"}));
}

// What the tester sees in its echo mode when it contests the DUT's address with a
// lower-priority NAME and then asks for its claim from the null address: its own
// frames once each, as the bus carried them, then the DUT's answers.
TEST(StaticDut, TheTesterSeesItsOwnFramesOnceAsTheBusCarriedThemBeforeTheDutsAnswers) {
  DutBench bench;
  bench.SetDut(Dut());
  bench.PowerOn();
  bench.Advance(1000);
  bench.Echo(true);
  bench.Take();
  bench.MarkOrigin();
  bench.Transmit(kDut, kPgnAddressClaim, testing::Bytes(kOutranked.begin(), kOutranked.end()));
  bench.Advance(100);
  EXPECT_EQ(bench.Take(), (Lines{ClaimLine(0, kDut, "A5A5E0FF00800000"), ClaimLine(5)}));
  bench.MarkOrigin();
  bench.Request(kDut);
  bench.Advance(100);
  EXPECT_EQ(bench.Take(), (Lines{"0 0EAFD:FE 00EE00FFFFFFFFFF", ClaimLine(5)}));
}

enum class Scene {
  kBoot,         // powered up at 0 on an empty bus
  kRequest,      // running; a request for its claim to its address at 0
  kContestHigh,  // running; a node with a higher-priority NAME claims its address at 0
  kContestLow,   // the same with a lower-priority NAME
};

struct FaultCase {
  const char* fault;  // empty: no fault
  Scene scene;
  Lines seen;
  int windowMs = 0;  // 0: 1000 for the boot, 350 after an event (before the next status)
};

// The correct device first, then each fault with the scene that shows it.
const std::vector<FaultCase> kCases = {
    {"", Scene::kBoot, {ClaimLine(100), "400 1FFFF:FD", "900 1FFFF:FD"}},
    {"", Scene::kRequest, {ClaimLine(5)}},
    {"", Scene::kContestHigh, {ClaimLine(0, kDut, "A5A5000000800000"), ClaimLine(5)}},
    {"", Scene::kContestLow, {ClaimLine(0, kDut, "A5A5E0FF00800000"), ClaimLine(5)}},
    {"late-claim", Scene::kBoot, {ClaimLine(6000), "6300 1FFFF:FD"}, 6500},
    {"talks-first", Scene::kBoot, {"100 1FFFF:FD", ClaimLine(105), "400 1FFFF:FD", "900 1FFFF:FD"}},
    {"claim-ee05", Scene::kBoot, {"100 0EE05:FD A5A5602400800000", "400 1FFFF:FD", "900 1FFFF:FD"}},
    {"claim-to-00",
     Scene::kBoot,
     {"100 0EEFF:FD A5A5602400800000", "400 1FFFF:FD", "900 1FFFF:FD"}},
    {"wrong-aac",
     Scene::kBoot,
     {ClaimLine(100, kDut, "A5A5602400800080"), "400 1FFFF:FD", "900 1FFFF:FD"}},
    {"wrong-mfg",
     Scene::kBoot,
     {ClaimLine(100, kDut, "A5A5402400800000"), "400 1FFFF:FD", "900 1FFFF:FD"}},
    {"wrong-dsa", Scene::kBoot, {ClaimLine(100, 0xFC), "400 1FFFF:FC", "900 1FFFF:FC"}},
    {"two-addresses",
     Scene::kBoot,
     {ClaimLine(100), "400 1FFFF:FD", ClaimLine(410, 0xFC), "900 1FFFF:FD"}},
    {"short-quiet", Scene::kBoot, {ClaimLine(100), "200 1FFFF:FD", "700 1FFFF:FD"}},
    {"slow-answer", Scene::kRequest, {ClaimLine(300)}},
    {"slow-answer", Scene::kContestLow, {ClaimLine(0, kDut, "A5A5E0FF00800000"), ClaimLine(300)}},
    {"talks-before-defence",
     Scene::kContestLow,
     {ClaimLine(0, kDut, "A5A5E0FF00800000"), "5 1FFFF:FD", ClaimLine(10)}},
    {"different-reclaim", Scene::kRequest, {ClaimLine(5, kDut, "A4A5602400800000")}},
    {"ignores-requests", Scene::kRequest, {}},
    {"answer-from-other-address", Scene::kRequest, {ClaimLine(5, 0xFC)}},
    {"j1939-yield",
     Scene::kContestHigh,
     {ClaimLine(0, kDut, "A5A5000000800000"), ClaimLine(5, kNullAddress)},
     1000},
    {"j1939-yield", Scene::kContestLow, {ClaimLine(0, kDut, "A5A5E0FF00800000"), ClaimLine(5)}},
};

TEST(StaticDut, EachFaultShowsInTheFramesOfItsScene) {
  for (const FaultCase& c : kCases) {
    DutFaults faults;
    if (*c.fault != '\0') {
      const auto fault = FaultByName(c.fault);
      ASSERT_TRUE(fault) << c.fault;
      faults.Add(*fault);
    }
    DutBench bench;
    bench.SetDut(Dut(faults));
    bench.PowerOn();
    if (c.scene != Scene::kBoot) {
      bench.Advance(1000);
      bench.Take();
      bench.MarkOrigin();
    }
    switch (c.scene) {
      case Scene::kBoot:
        break;
      case Scene::kRequest:
        bench.Request(kDut);
        break;
      case Scene::kContestHigh:
        bench.Claim(kDut, kOutranking);
        break;
      case Scene::kContestLow:
        bench.Claim(kDut, kOutranked);
        break;
    }
    bench.Advance(c.windowMs != 0 ? c.windowMs : c.scene == Scene::kBoot ? 1000 : 350);
    EXPECT_EQ(bench.Take(), c.seen)
        << "fault '" << c.fault << "', scene " << static_cast<int>(c.scene);
  }
}

}  // namespace
}  // namespace vlt::host
