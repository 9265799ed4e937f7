// vlt: the Valmora Tester without a window.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/decode_command.h"
#include "cli/demo_command.h"
#include "cli/monitor_command.h"
#include "cli/profile_command.h"
#include "cli/run_command.h"
#include "cli/summary_command.h"
#include "cli/terminal.h"
#include "compliance/test_table.h"
#include "framework/log_output.h"
#include "reports/test_catalogue.h"

namespace {

constexpr const char* kUsage =
    "usage: vlt COMMAND [ARGUMENTS]\n"
    "commands:\n"
    "  demo [--out DIR]        run the tests against simulated DUTs on a private host\n"
    "  run CODE... [OPTIONS]   run tests against the host and save their logs\n"
    "                          (vlt run --help for the options and the test codes)\n"
    "  list                    the tests vlt run knows: code and title\n"
    "  monitor [--seconds N]   print every bus frame the host delivers\n"
    "  version-report          print the program's and every test's version\n"
    "  decode                  decode frames read from standard input (candump -L\n"
    "                          lines or DGN SA bytes); needs no host\n"
    "  profile new|show|set    write, show or change a profile file (*.zcf)\n"
    "  summary DIR             summary report of the saved test logs in DIR\n"
    "  supersede DIR [--yes]   delete the logs in DIR that newer ones supersede\n"
    "  --version               the program's version\n"
    "Every command takes --help. The host (vlt-host) and the tester meet in\n"
    "$VLT_RUN_DIR (default $XDG_RUNTIME_DIR/vlt, else /tmp/vlt-<uid>).\n";

constexpr const char* kListUsage = "usage: vlt list\n  The tests vlt run knows, code and title.\n";

constexpr const char* kVersionReportUsage =
    "usage: vlt version-report\n"
    "  Prints the version report: the program's compile date and every test's code,\n"
    "  title, version and code revision.\n";

bool AsksForHelp(const std::vector<std::string>& args) {
  return args.size() == 1 && (args[0] == "--help" || args[0] == "-h");
}

}  // namespace

int main(int argc, char** argv) {
  // Past a file size limit a write then fails with EFBIG, which the save paths
  // report, instead of the signal ending the tester mid-run.
  std::signal(SIGXFSZ, SIG_IGN);
  if (argc < 2) return vlt::cli::UsageError("no command given", kUsage);
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "monitor") return vlt::cli::RunMonitor(args);
  if (command == "run") return vlt::cli::RunTests(args);
  if (command == "demo") return vlt::cli::RunDemo(args);
  if (command == "--version" || command == "version") {
    std::printf("%s\n", vlt::reports::ProgramVersionText("vlt").c_str());
    return vlt::cli::kExitOk;
  }
  if (command == "list") {
    if (AsksForHelp(args)) {
      std::fputs(kListUsage, stdout);
      return vlt::cli::kExitOk;
    }
    if (!args.empty()) return vlt::cli::UsageError("list takes no arguments", kListUsage);
    return vlt::cli::RunTests({"--list"});
  }
  if (command == "version-report") {
    if (AsksForHelp(args)) {
      std::fputs(kVersionReportUsage, stdout);
      return vlt::cli::kExitOk;
    }
    if (!args.empty()) {
      return vlt::cli::UsageError("version-report takes no arguments", kVersionReportUsage);
    }
    vlt::cli::TerminalLogPane pane;
    vlt::framework::LogOutput log;
    log.Attach(&pane);
    vlt::reports::WriteVersionReport(vlt::compliance::Catalogue(), log);
    log.Detach();
    return vlt::cli::kExitOk;
  }
  if (command == "decode") return vlt::cli::RunDecode(args);
  if (command == "profile") return vlt::cli::RunProfile(args, std::cout, std::cerr);
  if (command == "summary") return vlt::cli::RunSummary(args, std::cout, std::cerr);
  if (command == "supersede") return vlt::cli::RunSupersede(args, std::cout, std::cerr);
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return vlt::cli::kExitOk;
  }
  return vlt::cli::UsageError("unknown command '" + command + "'", kUsage);
}
