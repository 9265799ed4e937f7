// Frames per second from a replayed recording through vlt-host to a tool's
// parsers, with zero loss. The recording spaces its frames 5 us apart (200,000
// frames/s), so the host and the tool, not the file, set the pace.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "framework/tool_app.h"
#include "host/core/host_control.h"
#include "platform/mailslots.h"
#include "support/host_process.h"
#include "support/virtual_time.h"

namespace {

using namespace std::chrono_literals;
using namespace vlt;

constexpr std::int64_t kSpacingMicros = 5;

class CountingParser : public framework::BRParser {
 public:
  void OnFrame(const framework::FrameMessage&) override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    if (frames.fetch_add(1) == 0) first.store(now);
    last.store(now);
  }
  std::atomic<std::int64_t> frames{0};
  std::atomic<std::int64_t> first{0};
  std::atomic<std::int64_t> last{0};
};

std::string WriteRecording(std::int64_t frameCount) {
  const std::string path = "/tmp/vlt-replay-bench-" + std::to_string(::getpid()) + ".log";
  std::ofstream out(path);
  char line[96];
  for (std::int64_t i = 0; i < frameCount; ++i) {
    const std::int64_t micros = 1'700'000'000'000'000 + i * kSpacingMicros;
    std::snprintf(line, sizeof(line), "(%lld.%06lld) can0 19FFB745#%016llX\n",
                  static_cast<long long>(micros / 1'000'000),
                  static_cast<long long>(micros % 1'000'000), static_cast<unsigned long long>(i));
    out << line;
  }
  return path;
}

void BM_ReplayToToolFramesPerSecond(benchmark::State& state) {
  const std::int64_t frameCount = state.range(0);
  const std::string recording = WriteRecording(frameCount);
  for (auto _ : state) {
    testing::HostProcess host;
    if (!host.Start({"--bus", "replay:" + recording})) {
      state.SkipWithError("vlt-host did not start");
      break;
    }
    platform::SteadyClock clock;
    platform::UnixMailslots mailslots(host.RunDir());
    testing::RecordingPrompter prompter;
    framework::ThreadTickDriver driver(mailslots);
    framework::ValmoraApp app(clock, mailslots, prompter, driver);
    app.InitInstance({});
    framework::Registered<CountingParser> counter(app.Link().Parsers());
    app.Link().EnableFrames(true);

    const auto limit = std::chrono::steady_clock::now() + 60s;
    std::int64_t seen = -1;
    // Done when every frame is in, or when nothing more came for a second.
    while (std::chrono::steady_clock::now() < limit) {
      std::this_thread::sleep_for(1000ms);
      const std::int64_t now = counter.frames.load();
      if (now == frameCount || (now > 0 && now == seen)) break;
      seen = now;
    }
    const std::int64_t received = counter.frames.load();
    const double seconds =
        std::chrono::duration<double>(
            std::chrono::steady_clock::duration(counter.last.load() - counter.first.load()))
            .count();
    state.SetIterationTime(seconds);
    state.counters["frames_per_s"] =
        seconds > 0 ? static_cast<double>(received - 1) / seconds : 0.0;
    state.counters["lost"] = static_cast<double>(frameCount - received);
    const std::string stats = host::SendControlCommand(host.RunDir(), "stats").value_or("");
    state.counters["host_dropped"] = stats.find(" dropped=0 ") == std::string::npos ? 1 : 0;
    app.ShutDown();
  }
  std::remove(recording.c_str());
}
BENCHMARK(BM_ReplayToToolFramesPerSecond)
    ->Arg(200'000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
