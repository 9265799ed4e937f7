// Memory and time a data log spends per recorded frame: a full 250 kbit/s bus
// for ten minutes is about a million 8-byte frames. The memory figure is the
// allocator's own (mallinfo2), so every chunk, index and slack byte counts.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <array>
#include <cstdint>
#include <memory>

#include "engine/data_log.h"
#include "framework/common_time_base.h"
#include "framework/host_protocol.h"
#include "platform/clock.h"

namespace {

using namespace vlt;

std::size_t HeapBytesInUse() {
  const struct mallinfo2 info = ::mallinfo2();
  return info.uordblks + info.hblkhd;  // small blocks in the arenas plus mmapped ones
}

void BM_DataLogRecordsEightByteFrames(benchmark::State& state) {
  const auto frameCount = static_cast<std::size_t>(state.range(0));
  platform::ManualClock clock;
  framework::CommonTimeBase time(clock);
  std::array<std::uint8_t, 8> data{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
  framework::FrameMessage message;
  message.dgn = 0x1FFB7;
  message.data = data;
  double bytesPerFrame = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::size_t before = HeapBytesInUse();
    auto log = std::make_unique<engine::DataLog>(time);
    log->Restart();
    state.ResumeTiming();
    for (std::size_t i = 0; i < frameCount; ++i) {
      data[0] = static_cast<std::uint8_t>(i);
      message.sourceAddress = static_cast<std::uint8_t>(i);
      log->OnMessage(message);
      if (i % 4 == 0) clock.AdvanceMillis(1);  // a full bus: about 4 frames a millisecond
    }
    state.PauseTiming();
    benchmark::DoNotOptimize(log->Size());
    bytesPerFrame =
        static_cast<double>(HeapBytesInUse() - before) / static_cast<double>(frameCount);
    log.reset();
    state.ResumeTiming();
  }
  state.counters["bytes_per_frame"] = bytesPerFrame;
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(frameCount) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DataLogRecordsEightByteFrames)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
