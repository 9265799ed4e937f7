// One tester drives the bus of a run folder at a time: commands that transmit
// (run, demo) take the tester lock; commands that only listen or read files do not.
#pragma once

#include <string>

#include "platform/instance_lock.h"

namespace vlt::cli {

// Takes the tester lock of the run folder. Returns kExitOk, or prints why not on
// stderr and returns the exit code (kExitTesterRunning when another tester holds it).
int AcquireTesterLock(platform::InstanceLock& lock, const std::string& runDir);

}  // namespace vlt::cli
