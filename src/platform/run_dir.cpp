#include "platform/run_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vlt::platform {

std::string RunDirPath() {
  if (const char* dir = std::getenv("VLT_RUN_DIR"); dir != nullptr && *dir != '\0') return dir;
  if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg != nullptr && *xdg != '\0') {
    return std::string(xdg) + "/vlt";
  }
  return "/tmp/vlt-" + std::to_string(::getuid());
}

std::optional<std::string> CheckPrivateDir(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    return "cannot use run folder " + path + ": " + std::strerror(errno);
  }
  if (!S_ISDIR(st.st_mode)) return "run folder " + path + " is not a folder";
  if (st.st_uid != ::getuid()) {
    return "run folder " + path + " belongs to another user; set VLT_RUN_DIR to a folder of yours";
  }
  if ((st.st_mode & 077) != 0) {
    return "run folder " + path + " is open to other users; make it private (chmod 700 " + path +
           ")";
  }
  return std::nullopt;
}

namespace {

std::optional<std::string> MakePrivateDir(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    return "cannot create run folder " + path + ": " + std::strerror(errno);
  }
  return CheckPrivateDir(path);
}

}  // namespace

RunDirResult PrepareRunDir() {
  RunDirResult result;
  const std::string path = RunDirPath();
  if (auto error = MakePrivateDir(path)) {
    result.error = *error;
    return result;
  }
  if (auto error = MakePrivateDir(path + "/RVC")) {
    result.error = *error;
    return result;
  }
  result.path = path;
  return result;
}

std::string HostMailslotPath(const std::string& runDir) {
  return runDir + "/RVC/Corvane";
}
std::string HostControlPath(const std::string& runDir) {
  return runDir + "/RVC/Corvane.ctl";
}
std::string ToolMailslotPath(const std::string& runDir, const std::string& name) {
  return runDir + "/RVC/" + name;
}

}  // namespace vlt::platform
