// SIGINT and SIGTERM for the commands that talk to a host. The first signal is
// a request: a running test aborts as the Abort command does (its report and log
// are still saved), a monitor stops. A second signal ends the program at once
// with exit status 2; what was finished is already on disk.
#pragma once

namespace vlt::cli {

void InstallInterruptHandlers();
// A first signal has come.
bool Interrupted();
// Forgets a signal (tests that run several commands in one process).
void ClearInterrupt();

}  // namespace vlt::cli
