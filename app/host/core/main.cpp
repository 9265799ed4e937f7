// vlt-host: the host stand-in. Parses the command line, starts the host loop on
// the run folder and serves until SIGINT or SIGTERM.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "host/buses/frame_recorder.h"
#include "host/core/bus_factory.h"
#include "host/core/host_control.h"
#include "host/core/host_loop.h"
#include "host/core/host_options.h"
#include "platform/clock.h"
#include "platform/run_dir.h"
#include "reports/test_catalogue.h"

namespace {

vlt::host::HostLoop* gLoop = nullptr;
constexpr std::int64_t kRecordFlushMicros = 200'000;

extern "C" void OnStopSignal(int) {
  if (gLoop != nullptr) gLoop->RequestStop();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vlt::host;
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const ParsedHostOptions parsed = ParseHostOptions(args);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "vlt-host: %s\nTry 'vlt-host --help' for the options.\n",
                 parsed.error.c_str());
    return kExitUsage;
  }
  const HostOptions& options = parsed.options;
  if (options.help) {
    std::fputs(HostHelpText().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("%s\n", vlt::reports::ProgramVersionText("vlt-host").c_str());
    return 0;
  }

  if (!options.control.empty()) {
    // Client mode: one command to the host that already runs on this run folder.
    const auto reply = SendControlCommand(vlt::platform::RunDirPath(), options.control);
    if (!reply) {
      std::fprintf(stderr, "vlt-host: no vlt-host answers on %s\n",
                   vlt::platform::RunDirPath().c_str());
      return kExitNoHost;
    }
    std::printf("%s\n", reply->c_str());
    return reply->starts_with("ok") ? 0 : 1;
  }

  vlt::platform::SteadyClock clock;
  HostConfig config;
  config.stampedFrames = options.stamped;
  if (options.verbose) {
    config.log = [](const std::string& line) {
      std::fprintf(stderr, "vlt-host: %s\n", line.c_str());
    };
  }
  std::string error;
  auto loop = HostLoop::Start(clock, std::move(config), error);
  if (!loop) {
    std::fprintf(stderr, "vlt-host: %s\n", error.c_str());
    return 1;
  }
  loop->Server().SetDut(MakeDut(options, clock.NowMicros()));
  FrameRecorder recorder;
  if (!options.record.empty()) {
    if (error = recorder.Open(options.record); !error.empty()) {
      std::fprintf(stderr, "vlt-host: %s\n", error.c_str());
      return 1;
    }
    // Host time on the wall clock's scale, as candump writes it.
    const std::int64_t wallMicros = std::chrono::duration_cast<std::chrono::microseconds>(
                                        std::chrono::system_clock::now().time_since_epoch())
                                        .count();
    const std::int64_t toWall = wallMicros - clock.NowMicros();
    loop->Server().SetFrameTap([&recorder, toWall, lastFlush = std::int64_t{0}, told = false](
                                   const BusFrame& frame, std::int64_t micros) mutable {
      recorder.Write(frame, micros + toWall);
      // A host that is killed loses at most a fraction of a second of the record.
      if (micros - lastFlush > kRecordFlushMicros) {
        recorder.Flush();
        lastFlush = micros;
      }
      if (!told && !recorder.Error().empty()) {
        told = true;
        std::fprintf(stderr, "vlt-host: %s; frames are no longer recorded\n",
                     recorder.Error().c_str());
      }
    });
  }
  if (options.bus.kind != BusChoice::Kind::kSim) {
    HostServer& server = loop->Server();
    auto bus = MakeExternalBus(
        options.bus, clock,
        [&server](const BusFrame& frame, std::optional<std::int64_t> stamp) {
          server.ReceiveBusFrame(frame, stamp);
        },
        [](const std::string& line) { std::fprintf(stderr, "vlt-host: %s\n", line.c_str()); },
        error);
    if (!bus) {
      std::fprintf(stderr, "vlt-host: %s\n", error.c_str());
      return 1;
    }
    loop->AttachBus(std::move(bus));
  }
  loop->Server().SetTraffic(MakeTraffic(options, clock.NowMicros()));

  gLoop = loop.get();
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  const std::string dut =
      options.bus.kind == BusChoice::Kind::kSim
          ? DutSummary(options)
          : (loop->Bus()->Device() != nullptr ? "the bus program" : "on the bus");
  const std::string traffic =
      options.trafficRate > 0 ? ", traffic " + std::to_string(options.trafficRate) + "/s" : "";
  std::fprintf(stderr, "vlt-host: run folder %s, bus %s, DUT %s%s, frames as %s\n",
               loop->RunDir().c_str(), BusSummary(options.bus).c_str(), dut.c_str(),
               traffic.c_str(), options.stamped ? "03h (stamped)" : "00h");
  const bool busKept = loop->Run();
  gLoop = nullptr;
  recorder.Flush();
  if (!busKept) {
    std::fprintf(stderr, "vlt-host: the bus is lost; ended\n");
    return 1;
  }
  return 0;
}
