// The DC dimmer load of the simulated DUTs, met as the bus meets it: commands
// from any node and priority, empty ones, refused ones, other instances,
// requests for its status, its wall switch and its own rhythm.
#include "host/devices/dimmer_load.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/devices/dynamic_dut.h"
#include "host/devices/static_dut.h"

namespace vlt::host {
namespace {

using Lines = std::vector<std::string>;

constexpr std::uint8_t kDut = 0xFD;
constexpr std::uint8_t kTester = 0xF9;
constexpr std::int64_t kSettledMs = 1250;  // claimed, status running

// A DUT driven by hand on its own clock; it writes what it sends about its load.
class LoadBench {
 public:
  explicit LoadBench(DutKind kind) {
    if (kind == DutKind::kStatic) {
      dut_ = std::make_unique<StaticDut>(StaticDutConfig{.address = kDut, .common = {}}, 0);
    } else {
      dut_ = std::make_unique<DynamicDut>(DynamicDutConfig{}, 0);
    }
  }

  void RunFor(std::int64_t ms) {
    const std::int64_t until = now_ + MsToMicros(ms);
    for (auto due = dut_->NextDeadlineMicros(); due && *due <= until;
         due = dut_->NextDeadlineMicros()) {
      now_ = std::max(now_, *due);
      std::vector<BusFrame> out;
      dut_->Poll(now_, out);
      for (const BusFrame& frame : out) Note(frame);
    }
    now_ = until;
  }
  void Hear(std::uint8_t source, std::uint8_t priority, std::uint32_t dgn,
            std::vector<std::uint8_t> data) {
    dut_->OnBusFrame(*MakeBusFrame(priority, dgn, source, data), now_);
  }
  void Switch() { dut_->Act(DeviceAction::kSwitch, now_); }
  // From now on, times count from here.
  Lines Take() {
    Lines lines = std::move(lines_);
    lines_.clear();
    origin_ = now_;
    return lines;
  }
  std::uint8_t Address() const { return address_; }

 private:
  void Note(const BusFrame& frame) {
    if (frame.Pgn() == kPgnAddressClaim) address_ = frame.SourceAddress();
    if (frame.Dgn() != kDgnDimmerStatus && frame.Pgn() != 0xE800) return;
    char line[64];
    int n = std::snprintf(
        line, sizeof(line), "%d %05X:%02X p%u ", static_cast<int>((now_ - origin_) / kMicrosPerMs),
        static_cast<unsigned>(frame.Dgn()), frame.SourceAddress(), frame.Priority());
    for (std::size_t i = 0; i < frame.length; ++i) {
      n += std::snprintf(line + n, sizeof(line) - n, "%02X", frame.data[i]);
    }
    lines_.push_back(line);
  }

  std::unique_ptr<SimulatedDut> dut_;
  std::int64_t now_ = 0;
  std::int64_t origin_ = 0;
  std::uint8_t address_ = kDut;
  Lines lines_;
};

// Status layout: instance, group, level, lock/overcurrent/override/enable, delay,
// last command, interlock and load status, FFh.
constexpr const char* kOnStatus = "1FEDA:%02X p6 01FFC803FF00F7FF";
constexpr const char* kOffStatus = "1FEDA:%02X p6 01FF0003FF03F3FF";
constexpr const char* kIdleStatus = "1FEDA:%02X p6 01FF0003FFFFF3FF";  // off, never commanded

std::string At(int ms, const char* form, std::uint8_t address) {
  char text[64];
  std::snprintf(text, sizeof(text), form, address);
  return std::to_string(ms) + " " + text;
}

TEST(DimmerLoad, ObeysEveryNodeRefusesWhatItCannotDoAndReportsEveryChange) {
  const std::vector<std::uint8_t> on = {0x01, 0xFF, 0xC8, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
  const std::vector<std::uint8_t> off = {0x01, 0xFF, 0x00, 0x03, 0xFF, 0xFF, 0xFF, 0xFF};
  const std::vector<std::uint8_t> empty = {0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  const std::vector<std::uint8_t> tooBright = {0x01, 0xFF, 0xDC, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
  struct Step {
    std::uint8_t source;
    std::uint8_t priority;
    std::uint32_t dgn;  // 0: its wall switch
    std::vector<std::uint8_t> data;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;  // 100 ms apart
    std::vector<std::pair<int, const char*>> seen;
  } cases[] = {
      {"on, then off from another node at priority 7",
       {{kTester, 6, kDgnDimmerCommand, on}, {0x80, 7, kDgnDimmerCommand, off}},
       {{5, kOnStatus}, {105, kOffStatus}}},
      {"toggle from off comes on at full level",
       {{0x81, 3, kDgnDimmerCommand, {0x01, 0xFF, 0xFF, 0x05, 0xFF, 0xFF, 0xFF, 0xFF}}},
       {{5, "1FEDA:%02X p6 01FFC803FF05F7FF"}}},
      {"an empty command changes nothing and is answered",
       {{kTester, 6, kDgnDimmerCommand, on}, {kTester, 6, kDgnDimmerCommand, empty}},
       {{5, kOnStatus}, {105, kOnStatus}}},
      {"a level out of range gets NAK 5, to the commander, about the command DGN",
       {{kTester, 6, kDgnDimmerCommand, tooBright}},
       {{5, "0E8F9:%02X p6 05FFFFFFF9DBFE01"}}},
      {"another instance, a short frame and the null address are ignored",
       {{kTester, 6, kDgnDimmerCommand, {0x02, 0xFF, 0xC8, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}},
        {kTester, 6, kDgnDimmerCommand, {0x01, 0xFF, 0xC8, 0x00}},
        {kNullAddress, 6, kDgnDimmerCommand, on}},
       {}},
      {"a request for its status, targeted or global",
       {{kTester, 6, kPgnRequest | kDut, {0xDA, 0xFE, 0x01, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}},
        {kTester,
         6,
         kPgnRequest | kGlobalAddress,
         {0xDA, 0xFE, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {kTester, 6, kPgnRequest | kDut, {0xDA, 0xFE, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF}}},
       {{5, kIdleStatus}, {105, kIdleStatus}, {205, "0E8F9:%02X p6 01FFFFFFF9DAFE01"}}},
      {"its wall switch, on then off, reported at once",
       {{0, 0, 0, {}}, {0, 0, 0, {}}},
       {{5, "1FEDA:%02X p6 01FFC803FFFFF7FF"}, {105, kIdleStatus}}},
  };
  for (const DutKind kind : {DutKind::kStatic, DutKind::kDynamic}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(kind == DutKind::kStatic ? "static: " : "dynamic: ") + c.what);
      LoadBench bench(kind);
      bench.RunFor(kSettledMs);
      bench.Take();
      for (Step step : c.steps) {
        if (step.dgn == 0) {
          bench.Switch();
        } else {
          if (step.dgn == (kPgnRequest | kDut)) step.dgn = kPgnRequest | bench.Address();
          bench.Hear(step.source, step.priority, step.dgn, step.data);
        }
        bench.RunFor(100);
      }
      Lines expected;
      for (const auto& [ms, form] : c.seen) expected.push_back(At(ms, form, bench.Address()));
      EXPECT_EQ(bench.Take(), expected);
    }
  }
}

TEST(DimmerLoad, ReportsEveryFiveSecondsOnceTheDeviceWorksBetweenItsOtherStatusFrames) {
  LoadBench bench(DutKind::kStatic);
  bench.RunFor(11000);
  // Claimed at 100, its status from 400 every 500 ms: the load's first report a
  // period and a quarter second later.
  EXPECT_EQ(bench.Take(), (Lines{At(5650, kIdleStatus, kDut), At(10650, kIdleStatus, kDut)}));
}

}  // namespace
}  // namespace vlt::host
