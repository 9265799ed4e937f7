#include "cli/tester_lock.h"

#include <cstdio>

#include "cli/terminal.h"

namespace vlt::cli {

int AcquireTesterLock(platform::InstanceLock& lock, const std::string& runDir) {
  switch (lock.TryAcquire(platform::TesterLockPath(runDir))) {
    case platform::InstanceLock::Result::kAcquired:
      return kExitOk;
    case platform::InstanceLock::Result::kHeldElsewhere:
      std::fprintf(stderr,
                   "vlt: another tester is running on %s; wait for it to finish or use another "
                   "VLT_RUN_DIR\n",
                   runDir.c_str());
      return kExitTesterRunning;
    case platform::InstanceLock::Result::kError:
      break;
  }
  std::fprintf(stderr, "vlt: %s\n", lock.Error().c_str());
  return kExitNoHost;
}

}  // namespace vlt::cli
