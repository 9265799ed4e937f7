#include "cli/interrupts.h"

#include <unistd.h>

#include <csignal>

#include "cli/run_command.h"

namespace vlt::cli {

namespace {

volatile std::sig_atomic_t gSignals = 0;

extern "C" void OnInterrupt(int) {
  if (gSignals > 0) ::_exit(kExitTestAborted);
  gSignals = 1;
}

}  // namespace

void InstallInterruptHandlers() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // A question waiting at the terminal keeps waiting; the test sees the flag.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool Interrupted() {
  return gSignals != 0;
}

void ClearInterrupt() {
  gSignals = 0;
}

}  // namespace vlt::cli
