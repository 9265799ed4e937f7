#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vlt::platform {

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

InstanceLock::Result InstanceLock::TryAcquire(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    error_ = "cannot open lock file " + path + ": " + std::strerror(errno);
    return Result::kError;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return Result::kHeldElsewhere;
    error_ = "cannot lock " + path + ": " + std::strerror(error);
    return Result::kError;
  }
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
  return Result::kAcquired;
}

std::string TesterLockPath(const std::string& runDir) {
  return runDir + "/tester.lock";
}
std::string HostLockPath(const std::string& runDir) {
  return runDir + "/RVC/Corvane.lock";
}

}  // namespace vlt::platform
