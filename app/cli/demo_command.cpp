#include "cli/demo_command.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "cli/arguments.h"
#include "cli/interrupts.h"
#include "cli/path_arguments.h"
#include "cli/result_files.h"
#include "cli/run_command.h"
#include "cli/terminal.h"
#include "cli/test_session.h"
#include "compliance/compliance_tests.h"
#include "host/core/host_loop.h"
#include "host/devices/dynamic_dut.h"
#include "host/devices/static_dut.h"
#include "platform/text_encoding.h"

namespace vlt::cli {

namespace {

// Every demo test ends well inside this against the correct simulated DUTs.
constexpr std::chrono::seconds kDemoTestTimeout{120};

constexpr const char* kUsage =
    "usage: vlt demo [--out DIR] [--junit FILE] [--json FILE] [--timeline]\n"
    "  Starts a private simulated host in this process and runs Read ADDRESS_CLAIM and every\n"
    "  address-claiming test that applies, first against a static-address DUT, then against\n"
    "  a dynamic (arbitrary-address-capable) one, then every network and diagnostics test\n"
    "  against each of them, with the auto operator. Saves every log in DIR (default\n"
    "  ./vlt-demo-logs) and ends with a summary of the criteria.\n"
    "  --junit, --json and --timeline write result files as for vlt run.\n"
    "  Ctrl-C (SIGINT), SIGTERM or SIGHUP aborts the running test, saves its log and\n"
    "  runs no further test (exit status 2); a second one ends at once.\n";

struct DemoPhase {
  const char* title;
  const char* folder;  // the phase's logs, apart: both phases' logs share names
  std::function<std::unique_ptr<host::SimDevice>(std::int64_t nowMicros)> makeDut;
  std::vector<std::string> codes;
  std::vector<std::pair<std::string, std::string>> settings;  // what the profile says of the DUT
};

// The DUT of the ND phases: its identifying status is TANK_STATUS of instance 1,
// which the profile names, so that a request for an instance has one to name.
host::DutCommon NetworkDutCommon() {
  host::DutCommon common;
  common.statusDgn = 0x1FFB7;
  common.instance = 1;
  return common;
}

// The DSA is the one its DM_RV reports.
std::vector<std::pair<std::string, std::string>> NetworkProfile(const char* dsa) {
  return {{"Identifying DGN", "1FFB7"},
          {"Identifying Instance", "1"},
          {"Supported DGN 1", "1FFB7"},
          {"Supported DGN 2", "0"},
          {"Supported DGN 3", "0"},
          {"DSA For Address Claiming", dsa},
          // Two DM_RV heartbeats and more: enough to show the traffic tests on real time.
          {"Traffic Sample Seconds", "12"}};
}

// The ND tests, in menu order.
std::vector<std::string> NetworkCodes() {
  std::vector<std::string> codes;
  for (const std::string& code : compliance::RunnableCodes()) {
    if (code.starts_with("ND")) codes.push_back(code);
  }
  return codes;
}

std::vector<DemoPhase> Phases() {
  // The simulated NAME A5 A5 60 24 ... carries manufacturer code 291.
  return {
      {"static-address DUT at 253",
       "static",
       [](std::int64_t now) {
         host::StaticDutConfig config;
         config.address = 253;
         return std::make_unique<host::StaticDut>(config, now);
       },
       {"RAC", "A10", "A20", "A30", "A110"},
       {{"DSA For Address Claiming", "253"}, {"Manufacturer ID", "291"}}},
      {"dynamic DUT, category Multifunction",
       "dynamic",
       [](std::int64_t now) {
         host::DynamicDutConfig config;
         return std::make_unique<host::DynamicDut>(config, now);
       },
       {"RAC", "A40", "A50", "A60", "A70", "A80", "A90", "A100", "A110"},
       {{"Manufacturer ID", "291"}, {"DSA Category", "Multifunction"}}},
      {"static-address DUT at 253, network and diagnostics", "static-nd",
       [](std::int64_t now) {
         host::StaticDutConfig config;
         config.address = 253;
         config.common = NetworkDutCommon();
         return std::make_unique<host::StaticDut>(config, now);
       },
       NetworkCodes(), NetworkProfile("253")},
      {"dynamic DUT, network and diagnostics", "dynamic-nd",
       [](std::int64_t now) {
         host::DynamicDutConfig config;
         config.common = NetworkDutCommon();
         return std::make_unique<host::DynamicDut>(config, now);
       },
       NetworkCodes(), NetworkProfile("112")},
  };
}

bool Runnable(const std::string& code) {
  const auto codes = compliance::RunnableCodes();
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

int RunDemo(const std::vector<std::string>& args) {
  std::string outDir = "vlt-demo-logs";
  ResultFileOptions resultOptions;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const ResultOption read = ReadResultOption(args, i, resultOptions);
    if (read == ResultOption::kMissingValue) {
      return UsageError(args[i] + " needs a file name", kUsage);
    } else if (read == ResultOption::kTaken) {
      continue;
    } else if (args[i] == "--out" && i + 1 < args.size()) {
      outDir = args[++i];
    } else if (args[i] == "--help" || args[i] == "-h") {
      std::fputs(kUsage, stdout);
      return kExitOk;
    } else {
      return UsageError("unknown argument '" + args[i] + "'", kUsage);
    }
  }
  if (const auto why = PrepareFolder(outDir)) {
    return UsageError("--out: cannot use folder '" + outDir + "': " + *why, kUsage);
  }
  std::error_code ec;

  // A run folder of the demo's own, so it never meets another host or tester.
  char pattern[] = "/tmp/vlt-demo.XXXXXX";
  if (::mkdtemp(pattern) == nullptr) {
    std::fprintf(stderr, "vlt: cannot make a run folder in /tmp\n");
    return kExitNoHost;
  }
  const std::string runDir = pattern;
  ::setenv("VLT_RUN_DIR", runDir.c_str(), 1);
  InstallInterruptHandlers();

  std::vector<std::pair<std::string, TestOutcome>> outcomes;
  ResultFiles resultFiles(resultOptions);
  int status = kExitOk;
  for (const DemoPhase& phase : Phases()) {
    if (Interrupted()) break;
    const std::string phaseDir = outDir + "/" + phase.folder;
    std::filesystem::create_directories(phaseDir, ec);
    std::printf("\n######## %s ########\n", phase.title);
    std::fflush(stdout);
    platform::SteadyClock clock;
    std::string error;
    auto loop = host::HostLoop::Start(clock, host::HostConfig{}, error);
    if (!loop) {
      std::fprintf(stderr, "vlt: the demo's host did not start: %s\n", error.c_str());
      status = kExitNoHost;
      break;
    }
    loop->Server().SetDut(phase.makeDut(clock.NowMicros()));
    std::thread hostThread([&loop] { loop->Run(); });
    {
      TestSession session(loop->RunDir(), false, false);
      session.SetTimeout(kDemoTestTimeout);
      session.onFinished = [&resultFiles](const engine::Test& test, const std::string& logPath,
                                          bool saved) {
        resultFiles.OnRunFinished(test, logPath, saved);
      };
      for (const auto& [name, value] : phase.settings)
        session.Settings().Store().SetValue(name, value);
      status = session.Connect();
      if (status == kExitOk) {
        for (const std::string& code : phase.codes) {
          if (Interrupted()) break;
          if (!Runnable(code)) continue;
          outcomes.emplace_back(phase.title, session.Run(code, phaseDir));
        }
      }
      session.Close();
    }
    loop->RequestStop();
    hostThread.join();
    if (status != kExitOk) break;
  }
  std::filesystem::remove_all(runDir, ec);
  resultFiles.Finish();

  std::printf("\n################################ Demo summary ################################\n");
  bool anyFailed = false;
  bool anyAborted = false;
  bool anyNotSaved = false;
  for (const auto& [phase, outcome] : outcomes) {
    std::printf("%s, %s%s\n", outcome.code.c_str(), phase.c_str(),
                outcome.aborted ? "  ABORTED" : "");
    for (const auto& line : outcome.criteria) {
      std::printf("    %s\n", platform::Cp1252ToUtf8(line).c_str());
    }
    anyFailed = anyFailed || outcome.failed;
    anyAborted = anyAborted || outcome.aborted;
    anyNotSaved = anyNotSaved || outcome.notSaved;
  }
  std::printf("Logs saved in %s\n", outDir.c_str());
  if (status != kExitOk) return status;
  if (anyNotSaved || resultFiles.AnyNotWritten()) return kExitCannotSave;
  if (anyAborted || Interrupted()) return kExitTestAborted;
  return anyFailed ? kExitSomeCriterionFailed : kExitOk;
}

}  // namespace vlt::cli
