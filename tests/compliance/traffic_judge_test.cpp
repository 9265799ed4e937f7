// ND-90's judge fed made-up samples: each case a few frames on the bus and the
// rules they break; the correct sample breaks none.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "compliance/traffic_judge.h"

namespace vlt::compliance {
namespace {

constexpr std::uint8_t kDut = 0x80;
constexpr std::uint32_t kTank = 0x1FFB7;
constexpr std::uint32_t kDmRv = 0x1FECA;

struct F {
  std::uint32_t at;
  std::uint32_t dgn = kTank;
  std::uint8_t source = kDut;
  std::uint16_t length = 8;
  std::uint8_t priority = 6;
  std::uint8_t reserved = 0;
  std::uint8_t byte7 = 0xFF;
  bool stamped = true;
};

framework::FrameRecord Record(const F& f) {
  framework::FrameRecord r{};
  r.timeStamp = f.at;
  r.messageType = f.stamped ? framework::kMsgStampedFrame : framework::kMsgFrame;
  r.dgn = f.dgn;
  r.sourceAddress = f.source;
  r.length = f.length;
  for (auto& b : r.data) b = 0xFF;
  r.data[0] = 1;
  r.data[7] = f.byte7;
  r.priority = f.priority;
  r.reservedBit = f.reserved;
  return r;
}

// A DM_RV every 5 s and the tank every 500 ms from `from` to `to`.
std::vector<F> Heartbeat(std::uint32_t from, std::uint32_t to) {
  std::vector<F> frames;
  for (std::uint32_t at = from; at < to; at += 500) {
    frames.push_back({at});
    if (at % 5000 == 0) frames.push_back({at + 100, kDmRv});
  }
  return frames;
}

using R = TrafficRule;

struct Case {
  const char* what;
  std::vector<F> extra;  // on top of a correct 12 s heartbeat
  std::set<TrafficRule> broken;
  std::uint32_t endMs = 12000;
};

std::vector<F> Sorted(std::vector<F> frames) {
  std::stable_sort(frames.begin(), frames.end(),
                   [](const F& a, const F& b) { return a.at < b.at; });
  return frames;
}

TEST(TrafficJudge, EachSampleBreaksTheRulesOfItsFrames) {
  const std::vector<Case> cases = {
      {"correct", {}, {}},
      // An extra tank frame halves one of its gaps too.
      {"short frame", {{250, kTank, kDut, 6}}, {R::kLength, R::kStray}},
      {"high priority", {{250, kTank, kDut, 8, 3}}, {R::kPriority, R::kStray}},
      {"reserved bit", {{250, kTank, kDut, 8, 6, 1}}, {R::kReservedBit, R::kStray}},
      {"undocumented DGN", {{250, 0x1FF00}}, {R::kUndocumented}},
      {"reserved DGN", {{250, 0x1FFF0}}, {R::kUndocumented}},
      {"zero in a reserved byte", {{250, kTank, kDut, 8, 6, 0, 0x00}}, {R::kUnusedBits, R::kStray}},
      // DC_DIMMER_COMMAND_2 names its level by no row: the operator judges.
      {"zero where the catalogue is silent",
       {{250, 0x1FEDB, kDut, 8, 6, 0, 0x00}},
       {R::kPartlyDescribedBits}},
      {"two frames 2 ms apart", {{2}}, {R::kTooClose, R::kHasty, R::kStray}},
      {"20 ms after its frame", {{520}}, {R::kHasty, R::kStray}},
      {"first answer to a request 20 ms after its frame",
       {{510, 0xEA80, 0xF9}, {520}},
       {R::kStray}},
      {"a request to all is answered too", {{510, 0xEAFF, 0xF9}, {520}}, {R::kStray}},
      {"a request to another node is not", {{510, 0xEA81, 0xF9}, {520}}, {R::kHasty, R::kStray}},
      {"a command is answered", {{510, 0x1FEDB, 0x20}, {520}}, {R::kStray}},
      {"an answer comes within its window only",
       {{100, 0xEA80, 0xF9}, {520}},
       {R::kHasty, R::kStray}},
      {"other nodes' frames are theirs", {{2, kTank, 0x20, 6, 3, 1, 0}, {3, 0x1FF00, 0x21}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<F> frames = Heartbeat(0, 12000);
    frames.insert(frames.end(), c.extra.begin(), c.extra.end());
    TrafficRules rules;
    rules.dut = kDut;
    TrafficJudge judge(rules, 0);
    int index = 0;
    for (const F& f : Sorted(frames)) judge.OnFrame(Record(f), index++);
    judge.End(c.endMs);
    std::set<TrafficRule> broken;
    for (std::size_t r = 0; r < static_cast<std::size_t>(R::kCount); ++r) {
      if (judge.Finding(static_cast<R>(r)).count > 0) broken.insert(static_cast<R>(r));
    }
    EXPECT_EQ(broken, c.broken);
  }
}

TEST(TrafficJudge, SilenceAndDmRvAreMeasuredToTheSampleEnds) {
  TrafficRules rules;
  rules.dut = kDut;
  const auto run = [&](std::vector<F> frames, std::uint32_t begin, std::uint32_t end) {
    TrafficJudge judge(rules, begin);
    int index = 0;
    for (const F& f : frames) judge.OnFrame(Record(f), index++);
    judge.End(end);
    return std::pair(judge.Finding(R::kSilence).count, judge.Finding(R::kDmRv).count);
  };
  // A heartbeat from the start: nothing missing.
  EXPECT_EQ(run({{1000, kDmRv}, {6000, kDmRv}, {11000, kDmRv}}, 0, 12000), std::pair(0u, 0u));
  // Its first frame more than 6 s into the sample.
  EXPECT_EQ(run({{6500, kDmRv}, {11500, kDmRv}}, 0, 12000), std::pair(1u, 1u));
  // Silent at the end.
  EXPECT_EQ(run({{1000, kDmRv}, {6000, kDmRv}}, 0, 12500), std::pair(1u, 1u));
  // Status only: never silent, but no DM_RV.
  EXPECT_EQ(run(Heartbeat(0, 12000), 0, 12000), std::pair(0u, 0u));
  std::vector<F> tankOnly;
  for (std::uint32_t at = 0; at < 12000; at += 500) tankOnly.push_back({at});
  EXPECT_EQ(run(tankOnly, 0, 12000), std::pair(0u, 1u));
}

TEST(TrafficJudge, TheTableCountsEachDgnWithItsGapsAndPriorities) {
  TrafficRules rules;
  rules.dut = kDut;
  TrafficJudge judge(rules, 0);
  const std::vector<F> frames = {
      {0}, {400}, {1000, kTank, kDut, 6, 7}, {1100, kDmRv, kDut, 8, 6, 0, 0xFF, false}};
  int index = 0;
  for (const F& f : frames) judge.OnFrame(Record(f), index++);
  judge.End(2000);
  const auto rows = judge.Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].dgn, kDmRv);
  EXPECT_FALSE(rows[0].minPriority);  // a 00h message carries none
  EXPECT_EQ(judge.UnstampedFrames(), 1u);
  EXPECT_EQ(rows[1].dgn, kTank);
  EXPECT_EQ(rows[1].count, 3u);
  EXPECT_EQ(rows[1].minLength, 6);
  EXPECT_EQ(*rows[1].minPriority, 6);
  EXPECT_EQ(*rows[1].maxPriority, 7);
  EXPECT_EQ(*rows[1].minGapMs, 400u);
  EXPECT_EQ(*rows[1].medianGapMs, 600u);
  EXPECT_EQ(*rows[1].maxGapMs, 600u);
  EXPECT_EQ(TrafficDgnName(kTank), "TANK_STS");
}

}  // namespace
}  // namespace vlt::compliance
