// One running copy per run folder: an exclusive flock that the kernel drops when
// the process ends, however it ends.
#pragma once

#include <string>

namespace vlt::platform {

class InstanceLock {
 public:
  enum class Result { kAcquired, kHeldElsewhere, kError };

  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Tries to take the lock on the file without waiting.
  Result TryAcquire(const std::string& path);
  const std::string& Error() const { return error_; }

 private:
  int fd_ = -1;
  std::string error_;
};

// The lock file that makes the tester a single instance per run folder.
std::string TesterLockPath(const std::string& runDir);
// The lock file that makes the host a single instance per run folder.
std::string HostLockPath(const std::string& runDir);

}  // namespace vlt::platform
