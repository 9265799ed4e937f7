#include "cli/interrupts.h"

#include <unistd.h>

#include <csignal>

#include "cli/run_command.h"

namespace vlt::cli {

namespace {

// The number of the first signal; 0 before one came.
volatile std::sig_atomic_t gSignal = 0;

extern "C" void OnInterrupt(int signal) {
  if (gSignal != 0) ::_exit(kExitTestAborted);
  gSignal = signal;
}

}  // namespace

void InstallInterruptHandlers() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // A question waiting at the terminal keeps waiting; the test sees the flag.
  action.sa_flags = SA_RESTART;
  // SIGHUP: the terminal or SSH session that started the run was closed.
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  // `vlt run ... | head`: the pipe's reader going away must not cost the logs.
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, nullptr);
}

bool Interrupted() {
  return gSignal != 0;
}

std::string InterruptLine() {
  switch (gSignal) {
    case SIGINT:
      return "The tester received SIGINT (Ctrl-C).";
    case SIGTERM:
      return "The tester received SIGTERM.";
    case SIGHUP:
      return "The tester received SIGHUP: its terminal or session was closed.";
    default:
      return "The tester received signal " + std::to_string(gSignal) + ".";
  }
}

void ClearInterrupt() {
  gSignal = 0;
}

}  // namespace vlt::cli
