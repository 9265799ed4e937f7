// The timeline of a run with 100,000 frames (a busy bus for 100 s: status frames
// of four nodes, a claim and a request now and then, the tester's own claims):
// the model, its layout and the SVG file with a tooltip per frame, and a click
// on its last frame finding the frame's line in the report's dump.
// The figure to hold: model + SVG in under 1 s.
#include <benchmark/benchmark.h>

#include <cstring>

#include "engine/data_log.h"
#include "results/timeline.h"
#include "results/timeline_scene.h"
#include "results/timeline_svg.h"

namespace {

using namespace vlt;
using Kind = engine::RunNote::Kind;

constexpr std::uint32_t kFrames = 100'000;
constexpr std::uint32_t kStartMs = 500;

results::RunTrace BusyRun() {
  results::RunTrace trace;
  trace.identity = {"A110", "Response to Request for ADDRESS_CLAIM", "10-2025", "11-21-2025"};
  trace.startMs = kStartMs;
  for (std::uint32_t i = 0; i < kFrames; ++i) {
    framework::FrameRecord frame;
    std::memset(&frame, 0, sizeof(frame));
    frame.timeStamp = kStartMs + i;  // one a millisecond
    frame.sourceAddress = static_cast<std::uint8_t>(0x80 + i % 4);
    frame.dgn = 0x1FFB7;
    frame.length = 8;
    frame.priority = 6;
    if (i % 997 == 0) {
      frame.dgn = 0xEE00;  // a claim
    } else if (i % 1009 == 0) {
      frame.dgn = 0xEA80;  // a request for ADDRESS_CLAIM
      frame.sourceAddress = 0xF9;
      frame.length = 3;
      frame.data[1] = 0xEE;
    }
    for (std::uint8_t b = 0; b < 8; ++b) frame.data[b] |= static_cast<std::uint8_t>(i >> b);
    trace.frames.Append(frame);
  }
  trace.nowMs = kStartMs + kFrames;
  trace.finished = true;
  trace.notes = {{Kind::kStarted, kStartMs, 0, ""},
                 {Kind::kOperatorStep, kStartMs + 10, 0, "Begin with DUT in normal operation."},
                 {Kind::kMinimumTime, kStartMs + 20, 10'000, ""},
                 {Kind::kTimeLimit, kStartMs + 20, 5000, ""},
                 {Kind::kFinished, kStartMs + kFrames, 0, ""}};
  for (std::uint16_t id = 0; id < 6; ++id) {
    trace.criteria.push_back(
        {static_cast<std::uint16_t>(0xB01 + id), "A criterion of the bench.",
         id == 2 ? engine::Failure::State::kDidNotPass : engine::Failure::State::kPassed, "",
         static_cast<int>(id * 997)});
  }
  return trace;
}

void BM_TimelineModelAndSvg(benchmark::State& state) {
  const results::RunTrace trace = BusyRun();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string svg = results::TimelineSvg(trace);
    bytes = svg.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.counters["frames"] = kFrames;
  state.counters["svg_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_TimelineModelAndSvg)->Unit(benchmark::kMillisecond);

// What the window redraws from: the model and its layout, without the file.
void BM_TimelineModelAndLayout(benchmark::State& state) {
  const results::RunTrace trace = BusyRun();
  for (auto _ : state) {
    const results::TimelineScene scene = results::LayoutTimeline(results::BuildTimeline(trace));
    benchmark::DoNotOptimize(scene.marks.data());
  }
}
BENCHMARK(BM_TimelineModelAndLayout)->Unit(benchmark::kMillisecond);

// A click on the run's last mark: the pane holds the report's dump of every frame.
void BM_TimelineClickFindsTheFramesLine(benchmark::State& state) {
  const results::RunTrace trace = BusyRun();
  std::string pane = "Log size : " + std::to_string(kFrames) + "\r\n";
  framework::FrameRecord frame;
  for (std::size_t i = 0; i < trace.frames.Size(); ++i) {
    trace.frames.Read(i, frame);
    pane += engine::DumpLine(frame, trace.frames.OwnTransmission(i)) + "\r\n";
  }
  for (auto _ : state) {
    const auto line = results::FrameLineInPane(pane, trace, kFrames - 1);
    benchmark::DoNotOptimize(line);
  }
}
BENCHMARK(BM_TimelineClickFindsTheFramesLine)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
