// vlt: the Valmora Tester without a window.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/decode_command.h"
#include "cli/monitor_command.h"
#include "cli/terminal.h"

namespace {

constexpr const char* kUsage =
    "usage: vlt COMMAND [ARGUMENTS]\n"
    "commands:\n"
    "  monitor [--seconds N]   print every bus frame the host delivers\n"
    "  decode                  decode frames read from standard input (candump -L\n"
    "                          lines or DGN SA bytes); needs no host\n"
    "The host (vlt-host) and the tester meet in $VLT_RUN_DIR\n"
    "(default $XDG_RUNTIME_DIR/vlt, else /tmp/vlt-<uid>).\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return vlt::cli::UsageError("no command given", kUsage);
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "monitor") return vlt::cli::RunMonitor(args);
  if (command == "decode") return vlt::cli::RunDecode(args);
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return vlt::cli::kExitOk;
  }
  return vlt::cli::UsageError("unknown command '" + command + "'", kUsage);
}
