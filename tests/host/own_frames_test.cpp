// A simulated DUT's own frames on the bus: asked again and again at every moment
// of its rhythm, it never sends two frames less than 5 ms apart, and less than
// 50 ms apart only the first frame after a request.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "dut_test_support.h"
#include "host/devices/static_dut.h"

namespace vlt::host {
namespace {

using testing::Bytes;
using testing::DutBench;
using testing::Lines;

constexpr std::uint8_t kDut = 0xFD;
constexpr std::uint8_t kTester = 0xF9;

struct BusLine {
  int ms;
  std::uint8_t source;
};

BusLine Read(const std::string& line) {
  BusLine parsed{};
  parsed.ms = std::atoi(line.c_str());
  const auto colon = line.find(':');
  parsed.source = static_cast<std::uint8_t>(std::strtoul(line.c_str() + colon + 1, nullptr, 16));
  return parsed;
}

TEST(OwnFrames, FramesKeep50MsApartButTheFirstAnswerWhichKeeps5) {
  DutBench bench;
  StaticDutConfig config;
  config.address = kDut;
  config.common.statusDgn = kDgnTankStatus;
  config.common.instance = 1;
  bench.SetDut(std::make_unique<StaticDut>(config, 0));
  bench.Echo(true);
  bench.PowerOn();
  bench.Advance(1000);
  bench.Take();
  // Requests for its status, for PRODUCT_ID (a BAM of five packets) and for a DGN
  // it lacks (a NAK), at every few milliseconds of its 500 ms period.
  const Bytes requests[] = {{0xB7, 0xFF, 0x01, 0x01, 0xFF, 0xFF, 0xFF, 0xFF},
                            {0xEB, 0xFE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                            {0x00, 0xFF, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
  Lines lines;
  for (int round = 0; round < 60; ++round) {
    bench.Transmit(kTester, kPgnRequest | kDut, requests[round % 3]);
    bench.Advance(round % 2 == 0 ? 3 + round * 7 % 40 : 397 + round);
    for (const std::string& line : bench.Take()) lines.push_back(line);
  }
  bench.Advance(1000);
  for (const std::string& line : bench.Take()) lines.push_back(line);

  int last = -1;
  bool asked = false;
  int closeAnswers = 0;
  for (const std::string& text : lines) {
    // The host hands the tools the whole PRODUCT_ID after its packets.
    if (text.find(" 0FEEB:") != std::string::npos) continue;
    const BusLine line = Read(text);
    if (line.source == kTester) {
      asked = true;
      continue;
    }
    ASSERT_EQ(line.source, kDut) << text;
    if (last >= 0) {
      const int gap = line.ms - last;
      EXPECT_GE(gap, 5) << text;
      if (gap < 50) {
        EXPECT_TRUE(asked) << text << ": " << gap << " ms after its frame before";
        ++closeAnswers;
      }
    }
    asked = false;
    last = line.ms;
  }
  EXPECT_GT(closeAnswers, 0) << "no answer came close to a frame before";
}

}  // namespace
}  // namespace vlt::host
