// Frames per second from vlt-host through the socket, the receive pass and the
// parsers, with zero loss; and the idle CPU of the tick thread.
#include <benchmark/benchmark.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "framework/host_protocol.h"
#include "framework/tool_app.h"
#include "platform/datagram_socket.h"
#include "platform/mailslots.h"
#include "platform/run_dir.h"
#include "support/host_process.h"
#include "support/virtual_time.h"

namespace {

using namespace std::chrono_literals;
using namespace vlt;

class CountingParser : public framework::BRParser {
 public:
  void OnFrame(const framework::FrameMessage&) override { ++frames; }
  std::atomic<std::int64_t> frames{0};
};

// A second tool that only transmits: the host hands its frames to the tester.
class SendingTool {
 public:
  explicit SendingTool(const std::string& runDir) : host_(platform::HostMailslotPath(runDir)) {
    socket_.Bind(platform::ToolMailslotPath(runDir, "BENCH000"));
    socket_.SetSendTimeout(0ms);  // wait for room: the host drains as fast as it can
    const auto registration = framework::RegistrationMessage("BENCH000");
    socket_.SendTo(host_, registration);
  }
  void Send(std::span<const std::uint8_t> message) { socket_.SendTo(host_, message); }

 private:
  platform::DatagramSocket socket_;
  std::string host_;
};

struct Bench {
  testing::HostProcess host;
  platform::SteadyClock clock;
  std::unique_ptr<platform::UnixMailslots> mailslots;
  testing::RecordingPrompter prompter;
  std::unique_ptr<framework::ThreadTickDriver> driver;
  std::unique_ptr<framework::ValmoraApp> app;

  bool Start() {
    if (!host.Start({"--dut", "none"})) return false;
    mailslots = std::make_unique<platform::UnixMailslots>(host.RunDir());
    driver = std::make_unique<framework::ThreadTickDriver>(*mailslots);
    app = std::make_unique<framework::ValmoraApp>(clock, *mailslots, prompter, *driver);
    app->InitInstance({});
    for (int i = 0; i < 500; ++i) {
      if (app->Link().GetState() == framework::BRLink::State::kConnected) break;
      std::this_thread::sleep_for(10ms);
    }
    app->Link().EnableFrames(true);
    return app->Link().GetState() == framework::BRLink::State::kConnected;
  }
  ~Bench() {
    if (app) app->ShutDown();
  }
};

void BM_HostToParsersFramesPerSecond(benchmark::State& state) {
  const std::int64_t frameCount = state.range(0);
  Bench bench;
  if (!bench.Start()) {
    state.SkipWithError("vlt-host did not start");
    return;
  }
  framework::Registered<CountingParser> counter(bench.app->Link().Parsers());
  SendingTool sender(bench.host.RunDir());
  std::this_thread::sleep_for(100ms);  // the sender's registration settles
  const std::vector<std::uint8_t> data{1, 2, 3, 4, 5, 6, 7, 8};
  const auto frame = framework::TransmitMessage(0x45, 0x1FFB7, 6, data);

  for (auto _ : state) {
    counter.frames = 0;
    const auto start = std::chrono::steady_clock::now();
    for (std::int64_t i = 0; i < frameCount; ++i) sender.Send(frame);
    while (counter.frames.load() < frameCount && std::chrono::steady_clock::now() - start < 60s) {
      std::this_thread::sleep_for(1ms);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(seconds);
    state.counters["frames_per_s"] = static_cast<double>(counter.frames.load()) / seconds;
    state.counters["lost"] = static_cast<double>(frameCount - counter.frames.load());
  }
}
BENCHMARK(BM_HostToParsersFramesPerSecond)
    ->Arg(200'000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

double ProcessCpuSeconds() {
  timespec ts{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void BM_IdleTickThreadCpu(benchmark::State& state) {
  Bench bench;
  if (!bench.Start()) {
    state.SkipWithError("vlt-host did not start");
    return;
  }
  const auto window = std::chrono::seconds(state.range(0));
  for (auto _ : state) {
    const double cpuBefore = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(window);  // the window thread idles; only the tick thread runs
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(wall);
    state.counters["cpu_percent_of_core"] = 100.0 * (ProcessCpuSeconds() - cpuBefore) / wall;
  }
}
BENCHMARK(BM_IdleTickThreadCpu)->Arg(10)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
