// vlt-host: the host stand-in. Parses the command line, starts the host loop on
// the run folder and serves until SIGINT or SIGTERM.
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_control.h"
#include "host/host_loop.h"
#include "host/host_options.h"
#include "platform/clock.h"
#include "platform/run_dir.h"

namespace {

vlt::host::HostLoop* gLoop = nullptr;

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
  loop->Server().SetTraffic(MakeTraffic(options, clock.NowMicros()));

  gLoop = loop.get();
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  const std::string traffic =
      options.trafficRate > 0 ? ", traffic " + std::to_string(options.trafficRate) + "/s" : "";
  std::fprintf(stderr, "vlt-host: run folder %s, bus sim, DUT %s%s, frames as %s\n",
               loop->RunDir().c_str(), DutSummary(options).c_str(), traffic.c_str(),
               options.stamped ? "03h (stamped)" : "00h");
  loop->Run();
  gLoop = nullptr;
  return 0;
}
