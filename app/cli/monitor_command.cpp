#include "cli/monitor_command.h"

#include <cstdio>
#include <thread>

#include "cli/arguments.h"
#include "cli/interrupts.h"
#include "cli/terminal.h"
#include "dictionary/dictionary.h"
#include "dictionary/frame_text.h"
#include "framework/frame_record.h"
#include "framework/host_watchdog.h"
#include "framework/tool_app.h"
#include "platform/mailslots.h"
#include "platform/run_dir.h"
#include "platform/text_encoding.h"

namespace vlt::cli {

namespace {

constexpr std::chrono::milliseconds kWindowTimer{50};

// Prints each frame as it arrives, on the tick thread.
class FramePrinter : public framework::BRParser {
 public:
  FramePrinter(TerminalLogPane& pane, framework::CommonTimeBase& timeBase)
      : pane_(pane), timeBase_(timeBase) {}
  void OnFrame(const framework::FrameMessage& message) override {
    const auto record = framework::FrameRecord::FromFrame(message, timeBase_.NowMs(), 0);
    pane_.Print(dictionary::DescribeFrame(record, true));
  }

 private:
  TerminalLogPane& pane_;
  framework::CommonTimeBase& timeBase_;
};

constexpr const char* kUsage =
    "usage: vlt monitor [--seconds N]\n"
    "  Registers with the host of $VLT_RUN_DIR and prints every bus frame until\n"
    "  N seconds have passed (default: until Ctrl-C, SIGTERM or SIGHUP, or until\n"
    "  the reader of its output goes away, exit status 0; a second signal ends it\n"
    "  at once). A host that stops is waited for: the monitor\n"
    "  registers again when a vlt-host runs on the folder again.\n";

}  // namespace

int RunMonitor(const std::vector<std::string>& args) {
  long seconds = -1;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--seconds" && i + 1 < args.size()) {
      const auto value = ParseWholeNumber(args[++i], 0, 86'400 * 365);
      if (!value) return UsageError("--seconds takes a whole number of seconds", kUsage);
      seconds = *value;
    } else if (args[i] == "--help" || args[i] == "-h") {
      std::fputs(kUsage, stdout);
      return kExitOk;
    } else {
      return UsageError("unknown argument '" + args[i] + "'", kUsage);
    }
  }

  const platform::RunDirResult runDir = platform::PrepareRunDir();
  if (!runDir.ok()) {
    std::fprintf(stderr, "vlt: %s\n", runDir.error.c_str());
    return kExitNoHost;
  }

  platform::SteadyClock clock;
  platform::UnixMailslots mailslots(runDir.path);
  TerminalPrompter prompter;
  TerminalLogPane pane;
  framework::ThreadTickDriver driver(mailslots);
  framework::ValmoraApp app(clock, mailslots, prompter, driver);
  app.Log().Attach(&pane);
  InstallInterruptHandlers();
  app.InitInstance({});
  if (app.Link().GetState() == framework::BRLink::State::kFailed) {
    std::fprintf(stderr, "vlt: %s\n", platform::Cp1252ToUtf8(app.Link().DownReason()).c_str());
    app.ShutDown();
    app.Log().Detach();
    return kExitNoHost;
  }

  // The tester's start-up order: the dictionary joins the parsers after the core's.
  const auto dictionary = dictionary::StartMainDictionary(app);
  framework::Registered<FramePrinter> printer(app.Link().Parsers(), pane, app.TimeBase());
  app.Link().EnableFrames(true);

  framework::HostWatchdog watchdog(app.Link(), app.Log());
  const std::int64_t endMicros =
      seconds < 0 ? INT64_MAX : clock.NowMicros() + static_cast<std::int64_t>(seconds) * 1'000'000;
  // A host that goes away is waited for: the watchdog registers again when one is back.
  bool down = false;
  // Nobody reads a closed pipe (`vlt monitor | head`): the monitor ends as its reader did.
  while (!Interrupted() && !pane.OutputClosed() && clock.NowMicros() < endMicros) {
    std::this_thread::sleep_for(kWindowTimer);
    watchdog.OnTimer();
    if (app.Link().Down() != down) {
      down = !down;
      if (down) {
        std::fprintf(stderr, "vlt: %s Waiting for a vlt-host to come back.\n",
                     platform::Cp1252ToUtf8(app.Link().DownReason()).c_str());
      }
    }
  }
  app.Link().EnableFrames(false);
  app.ShutDown();
  app.Log().Detach();
  return kExitOk;
}

}  // namespace vlt::cli
