// SIGINT, SIGTERM and SIGHUP for the commands that talk to a host. The first
// signal is a request: a running test aborts as the Abort command does (its
// report says which signal, and its log is still saved), a monitor stops. A
// second signal ends the program at once with exit status 2; what was finished
// is already on disk. SIGPIPE is ignored: a closed standard output loses the
// printing, never a run.
#pragma once

#include <string>

namespace vlt::cli {

void InstallInterruptHandlers();
// A first signal has come.
bool Interrupted();
// The line a test aborted by that signal writes, naming it.
std::string InterruptLine();
// Forgets a signal (tests that run several commands in one process).
void ClearInterrupt();

}  // namespace vlt::cli
