#include "host/devices/dynamic_dut.h"

#include <gtest/gtest.h>

#include "host/dut_test_support.h"

namespace vlt::host {
namespace {

using testing::AddressSet;
using testing::DutBench;
using testing::Lines;
using testing::RivalNode;
using testing::WithManufacturer;

// The default NAME as a dynamic DUT claims it: arbitrary-address capable.
constexpr const char* kName = "A5A5602400800080";
DeviceName ClaimedName() {
  DeviceName name = kDefaultDutName;
  SetArbitraryAddressCapable(name, true);
  return name;
}
// The tester's competing claims take the DUT's claim and change its manufacturer.
const DeviceName kOutranking = WithManufacturer(ClaimedName(), 0);
const DeviceName kOutranked = WithManufacturer(ClaimedName(), kMaxManufacturerCode);
constexpr const char* kOutrankingText = "A5A5000000800080";
constexpr const char* kOutrankedText = "A5A5E0FF00800080";

std::unique_ptr<DynamicDut> Dut(DutFaults faults = {}) {
  return std::make_unique<DynamicDut>(
      DynamicDutConfig{.common = {.faults = faults, .poweredAtStart = false, .timing = {}}}, 0);
}

std::string Claim(int ms, int source, const char* name = kName) {
  char line[48];
  std::snprintf(line, sizeof(line), "%d 0EE00:%02X %s", ms, source, name);
  return line;
}

std::string Request(int ms, int target, int source = kNullAddress,
                    const char* data = "00EE00FFFFFFFFFF") {
  char line[48];
  std::snprintf(line, sizeof(line), "%d 0EA%02X:%02X %s", ms, target, source, data);
  return line;
}

// The addresses of the DUT's own claims, in order.
std::vector<int> ClaimedAddresses(const Lines& lines) {
  std::vector<int> addresses;
  for (const std::string& line : lines) {
    const auto colon = line.find(':');
    if (line.find(" 0EE00:") != std::string::npos && line.ends_with(kName)) {
      addresses.push_back(std::stoi(line.substr(colon + 1, 2), nullptr, 16));
    }
  }
  return addresses;
}

TEST(DynamicDut, AsksForItsDsaFromTheNullAddressAndClaimsItAfterTheContentionTime) {
  DutBench bench;
  bench.SetDut(Dut());
  EXPECT_EQ(bench.Status(), "ok off dynamic 112");
  bench.PowerOn();
  bench.Advance(1200);
  EXPECT_EQ(bench.Take(),
            (Lines{Request(100, 0x70), Claim(360, 0x70), "660 1FFFF:70", "1160 1FFFF:70"}));
  EXPECT_GE(kDutRequestWaitMs, kAddressContentionMs);
  EXPECT_EQ(bench.Status(), "ok on dynamic 112");
}

TEST(DynamicDut, AnswersRequestsForItsClaimOnlyOnceItHoldsAnAddress) {
  DutBench bench;
  bench.SetDut(Dut());
  bench.PowerOn();
  bench.Advance(200);  // waiting after its request
  bench.Request(0x70);
  bench.Request(kGlobalAddress);
  bench.Advance(200);
  EXPECT_EQ(bench.Take(), (Lines{Request(100, 0x70), Claim(360, 0x70)}));
  bench.MarkOrigin();
  bench.Request(0x70);
  bench.Request(0x71);
  bench.Request(kGlobalAddress);
  bench.Advance(50);
  // A device keeps 5 ms between its answers.
  EXPECT_EQ(bench.Take(), (Lines{Claim(5, 0x70), Claim(10, 0x70)}));
}

TEST(DynamicDut, WalksItsRangeThenTheSpareAddressesWhileEveryClaimIsContested) {
  struct Case {
    const char* what;
    std::bitset<256> contested;
    const char* faults;
    std::vector<int> claims;  // after its first address, 70h, is taken
    std::string status;
  };
  std::bitset<256> allButF8 = AddressSet(0, 253);
  allButF8.reset(0xF8);
  const std::vector<int> range{0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78,
                               0x79, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E, 0x7F};
  auto then = [&range](std::vector<int> more) {
    std::vector<int> all = range;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  const std::vector<Case> cases = {
      {"its range taken", AddressSet(0x70, 0x7F), "", then({0xF0}), "ok on dynamic 240"},
      {"all but F8h taken", allButF8, "",
       then({0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8}), "ok on dynamic 248"},
      {"everything taken", AddressSet(0, 253), "",
       then({0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE}),
       "ok on dynamic 254"},
      {"its range taken, range-only", AddressSet(0x70, 0x7F), "range-only", then({0xFE}),
       "ok on dynamic 254"},
  };
  for (const Case& c : cases) {
    DutFaults faults;
    if (*c.faults != '\0') faults.Add(*FaultByName(c.faults));
    DutBench bench;
    bench.SetDut(Dut(faults));
    bench.PowerOn();
    bench.Advance(1000);
    bench.Take();
    bench.Host().AddDevice(std::make_unique<RivalNode>(kOutranking, c.contested));
    bench.Claim(0x70, kOutranking);
    bench.Advance(20'000);
    const Lines seen = bench.Take();
    EXPECT_EQ(ClaimedAddresses(seen), c.claims) << c.what;
    EXPECT_EQ(bench.Status(), c.status) << c.what;
    if (c.status.ends_with(" 254")) {
      // Without an address it answers only a global request, with cannot-claim.
      bench.MarkOrigin();
      bench.Request(0x70);
      bench.Request(kGlobalAddress);
      bench.Advance(50);
      EXPECT_EQ(bench.Take(), Lines{Claim(5, kNullAddress)}) << c.what;
    }
  }
}

TEST(DynamicDut, TracksNamesTakesBackTheAddressItLostOnceItsTakerMovesOn) {
  // Running at 70h, with 71h-7Fh held by other higher-priority nodes. X takes 70h
  // and the DUT moves to the first spare address; then X takes that one too. Having
  // seen X leave 70h, a node that tracks NAMEs knows 70h is free again and goes
  // back; one that does not still counts it taken and walks on to F1h.
  for (const bool tracksNames : {true, false}) {
    DutFaults faults;
    if (tracksNames) faults.Add(DutFault::kTracksNames);
    DutBench bench;
    bench.SetDut(Dut(faults));
    bench.PowerOn();
    bench.Advance(1200);
    bench.Take();
    for (int a = 0x71; a <= 0x7F; ++a) {
      bench.Claim(static_cast<std::uint8_t>(a),
                  WithManufacturer(ClaimedName(), static_cast<std::uint16_t>(a - 0x70)));
    }
    bench.Claim(0x70, kOutranking);
    bench.Advance(1000);
    bench.Claim(0xF0, kOutranking);
    bench.Advance(1000);
    const std::vector<int> expected =
        tracksNames ? std::vector<int>{0xF0, 0x70} : std::vector<int>{0xF0, 0xF1};
    EXPECT_EQ(ClaimedAddresses(bench.Take()), expected) << "tracks-names " << tracksNames;
    EXPECT_EQ(bench.Status(), tracksNames ? "ok on dynamic 112" : "ok on dynamic 241");
  }
}

enum class Scene {
  kBoot,         // powered up at 0 on an empty bus
  kBootHigh,     // a node answers its first request after 200 ms: a higher-priority claim
  kBootLow,      // the same with a lower-priority claim
  kRequest,      // running at 70h; a request for its claim to 70h at 0
  kContestHigh,  // running at 70h; a higher-priority claim of 70h at 0
  kContestLow,   // the same with a lower-priority claim
};

struct FaultCase {
  const char* fault;  // empty: no fault
  Scene scene;
  Lines seen;
  int windowMs = 0;  // 0: 1000 for a boot, 350 after an event (before the next status)
};

// The correct device first, then each fault with the scene that shows it.
const std::vector<FaultCase> kCases = {
    {"", Scene::kBoot, {Request(100, 0x70), Claim(360, 0x70), "660 1FFFF:70"}},
    {"",
     Scene::kBootHigh,
     {Request(100, 0x70), Claim(300, 0x70, kOutrankingText), Request(305, 0x71), Claim(565, 0x71),
      "865 1FFFF:71"}},
    {"",
     Scene::kBootLow,
     {Request(100, 0x70), Claim(300, 0x70, kOutrankedText), Claim(360, 0x70), "660 1FFFF:70"}},
    {"", Scene::kRequest, {Claim(5, 0x70)}},
    {"",
     Scene::kContestHigh,
     {Claim(0, 0x70, kOutrankingText), Request(5, 0x71), Claim(265, 0x71)}},
    {"", Scene::kContestLow, {Claim(0, 0x70, kOutrankedText), Claim(5, 0x70)}},
    {"talks-first",
     Scene::kBoot,
     {"100 1FFFF:70", Request(105, 0x70), Claim(360, 0x70), "660 1FFFF:70"}},
    {"wrong-aac",
     Scene::kBoot,
     {Request(100, 0x70), Claim(360, 0x70, "A5A5602400800000"), "660 1FFFF:70"}},
    {"wrong-mfg",
     Scene::kBoot,
     {Request(100, 0x70), Claim(360, 0x70, "A5A5402400800080"), "660 1FFFF:70"}},
    {"two-addresses",
     Scene::kBoot,
     {Request(100, 0x70), Request(105, 0x71), Claim(360, 0x70), Claim(365, 0x71), "660 1FFFF:70"}},
    {"two-addresses",
     Scene::kContestHigh,
     {Claim(0, 0x70, kOutrankingText), Request(5, 0x71), Request(10, 0x72), Claim(265, 0x71),
      Claim(270, 0x72)}},
    {"short-quiet",
     Scene::kBoot,
     {Request(100, 0x70), Claim(360, 0x70), "460 1FFFF:70", "960 1FFFF:70"}},
    {"slow-answer", Scene::kRequest, {Claim(300, 0x70)}},
    {"slow-answer", Scene::kContestLow, {Claim(0, 0x70, kOutrankedText), Claim(300, 0x70)}},
    {"talks-before-defence",
     Scene::kContestLow,
     {Claim(0, 0x70, kOutrankedText), "5 1FFFF:70", Claim(10, 0x70)}},
    {"talks-before-defence",
     Scene::kContestHigh,
     {Claim(0, 0x70, kOutrankingText), "5 1FFFF:70", Request(10, 0x71), Claim(265, 0x71)}},
    {"different-reclaim", Scene::kRequest, {Claim(5, 0x70, "A4A5602400800080")}},
    {"ignores-requests", Scene::kRequest, {}},
    {"answer-from-other-address", Scene::kRequest, {Claim(5, 0x6F)}},
    {"no-request", Scene::kBoot, {Claim(100, 0x70), "400 1FFFF:70", "900 1FFFF:70"}},
    {"no-request",
     Scene::kContestHigh,
     {Claim(0, 0x70, kOutrankingText), Claim(5, 0x71), "305 1FFFF:71"}},
    {"request-from-target",
     Scene::kBoot,
     {Request(100, 0x70, 0x70), Claim(360, 0x70), "660 1FFFF:70"}},
    {"global-request",
     Scene::kBoot,
     {Request(100, kGlobalAddress), Claim(360, 0x70), "660 1FFFF:70"}},
    {"short-request",
     Scene::kBoot,
     {Request(100, 0x70, kNullAddress, "00EE00"), Claim(360, 0x70), "660 1FFFF:70"}},
    {"out-of-range", Scene::kBoot, {Request(100, 0x60), Claim(360, 0x60), "660 1FFFF:60"}},
    {"request-eeff",
     Scene::kBoot,
     {Request(100, 0x70, kNullAddress, "FFEE00FFFFFFFFFF"), Claim(360, 0x70), "660 1FFFF:70"}},
    {"short-wait",
     Scene::kBoot,
     {Request(100, 0x70), Claim(200, 0x70), "500 1FFFF:70", "1000 1FFFF:70"}},
    {"talks-in-wait",
     Scene::kBoot,
     {Request(100, 0x70), "200 1FFFF:70", Claim(360, 0x70), "660 1FFFF:70"}},
    {"claims-unrequested", Scene::kBoot, {Request(100, 0x70), Claim(360, 0x71), "660 1FFFF:71"}},
    {"ignores-higher-claim",
     Scene::kBootHigh,
     {Request(100, 0x70), Claim(300, 0x70, kOutrankingText), Claim(360, 0x70), "660 1FFFF:70"}},
    {"ignores-higher-claim",
     Scene::kContestHigh,
     {Claim(0, 0x70, kOutrankingText), Claim(5, 0x70)}},
    {"yields-always",
     Scene::kContestLow,
     {Claim(0, 0x70, kOutrankedText), Request(5, 0x71), Claim(265, 0x71)}},
    {"retries-same-target",
     Scene::kBootHigh,
     {Request(100, 0x70), Claim(300, 0x70, kOutrankingText), Request(305, 0x70), Claim(565, 0x70),
      "865 1FFFF:70"}},
    {"stale-status-address",
     Scene::kContestHigh,
     {Claim(0, 0x70, kOutrankingText), Request(5, 0x71), Claim(265, 0x71), "565 1FFFF:70"},
     700},
};

TEST(DynamicDut, EachFaultShowsInTheFramesOfItsScene) {
  for (const FaultCase& c : kCases) {
    DutFaults faults;
    if (*c.fault != '\0') {
      const auto fault = FaultByName(c.fault);
      ASSERT_TRUE(fault) << c.fault;
      faults.Add(*fault);
    }
    DutBench bench;
    bench.SetDut(Dut(faults));
    if (c.scene == Scene::kBootHigh || c.scene == Scene::kBootLow) {
      bench.Host().AddDevice(std::make_unique<RivalNode>(
          c.scene == Scene::kBootHigh ? kOutranking : kOutranked, std::bitset<256>(), 200));
    }
    bench.PowerOn();
    const bool boot =
        c.scene == Scene::kBoot || c.scene == Scene::kBootHigh || c.scene == Scene::kBootLow;
    if (!boot) {
      bench.Advance(1200);  // its status went out at 1160
      bench.Take();
      bench.MarkOrigin();
    }
    switch (c.scene) {
      case Scene::kBoot:
      case Scene::kBootHigh:
      case Scene::kBootLow:
        break;
      case Scene::kRequest:
        bench.Request(0x70);
        break;
      case Scene::kContestHigh:
        bench.Claim(0x70, kOutranking);
        break;
      case Scene::kContestLow:
        bench.Claim(0x70, kOutranked);
        break;
    }
    bench.Advance(c.windowMs != 0 ? c.windowMs : boot ? 1000 : 350);
    EXPECT_EQ(bench.Take(), c.seen)
        << "fault '" << c.fault << "', scene " << static_cast<int>(c.scene);
  }
}

}  // namespace
}  // namespace vlt::host
