// ND-90's judging of a traffic sample: 100,000 frames of a full bus (other nodes'
// status frames, the DUT's status, dimmer status and DM_RV among them, a request
// now and then) fed to the judge, the sample ended and its table made.
// Target: under 100 ms for the 100,000 frames in a release build.
#include <benchmark/benchmark.h>

#include <vector>

#include "compliance/traffic_judge.h"
#include "framework/frame_record.h"

namespace {

using namespace vlt;

constexpr std::size_t kFrames = 100'000;
constexpr std::uint8_t kDut = 0x80;
// 1800 frames a second: a frame every 0.56 ms; stamps in whole milliseconds.
constexpr double kMsPerFrame = 1000.0 / 1800.0;

framework::FrameRecord Frame(std::uint32_t atMs, std::uint32_t dgn, std::uint8_t source,
                             std::uint8_t byte0) {
  framework::FrameRecord frame{};
  frame.timeStamp = atMs;
  frame.messageType = framework::kMsgStampedFrame;
  frame.dgn = dgn;
  frame.sourceAddress = source;
  frame.length = 8;
  for (auto& b : frame.data) b = 0xFF;
  frame.data[0] = byte0;
  frame.priority = 6;
  return frame;
}

// The bus the DUT shares: its TANK_STATUS every 500 ms, DC_DIMMER_STATUS_3 and
// DM_RV every 5000 ms, a request to it every 10 s; eight other DGNs from 40 nodes.
std::vector<framework::FrameRecord> Bus() {
  constexpr std::uint32_t kOtherDgns[] = {0x1FFFD, 0x1FEDA, 0x1FFE2, 0x1FFDC,
                                          0x1FFD7, 0x1FFCA, 0x1FFF7, 0x1FFB7};
  std::vector<framework::FrameRecord> frames;
  frames.reserve(kFrames);
  std::uint32_t lastMs = 0;
  for (std::size_t i = 0; frames.size() < kFrames; ++i) {
    const auto at = static_cast<std::uint32_t>(static_cast<double>(i) * kMsPerFrame);
    if (at / 500 != lastMs / 500) frames.push_back(Frame(at, 0x1FFB7, kDut, 1));
    if (at / 5000 != lastMs / 5000) {
      frames.push_back(Frame(at + 60, 0x1FEDA, kDut, 1));
      frames.push_back(Frame(at + 120, 0x1FECA, kDut, 0x05));
    }
    if (at / 10000 != lastMs / 10000) frames.push_back(Frame(at + 200, 0xEA00 | kDut, 0xF9, 0xB7));
    lastMs = at;
    frames.push_back(Frame(at, kOtherDgns[i % 8], static_cast<std::uint8_t>(0x10 + i % 40), 2));
  }
  frames.resize(kFrames);
  return frames;
}

void BM_JudgeTrafficSample(benchmark::State& state) {
  const std::vector<framework::FrameRecord> frames = Bus();
  compliance::TrafficRules rules;
  rules.dut = kDut;
  std::size_t rows = 0;
  for (auto _ : state) {
    compliance::TrafficJudge judge(rules, 0);
    for (std::size_t i = 0; i < frames.size(); ++i) judge.OnFrame(frames[i], static_cast<int>(i));
    judge.End(frames.back().timeStamp);
    rows += judge.Rows().size();
    benchmark::DoNotOptimize(rows);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kFrames));
}
BENCHMARK(BM_JudgeTrafficSample)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
