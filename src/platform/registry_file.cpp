#include "platform/registry_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vlt::platform {

namespace {

std::string Key(const std::string& section, const std::string& name) {
  return section + "/" + name;
}

// Keys and values are single lines; a line end inside one would split the file.
bool IsSingleLine(const std::string& text) {
  return text.find_first_of("\r\n") == std::string::npos;
}

}  // namespace

std::string RegistryFile::DefaultPath(const std::string& application) {
  // Built by construction and append: GCC 12 at -O3 warns falsely (-Wrestrict) when a
  // string is assigned from a literal or joined with operator+ here.
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  std::string path = xdg != nullptr && *xdg != '\0'     ? std::string(xdg)
                     : home != nullptr && *home != '\0' ? std::string(home).append("/.config")
                                                        : std::string(".");
  return path.append("/Fenwright/").append(application).append(".conf");
}

RegistryFile::RegistryFile(std::string path) : path_(std::move(path)) {
  Load();
}

void RegistryFile::Load() {
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;  // not ours; ignored, kept out
    values_[line.substr(0, eq)] = line.substr(eq + 1);
  }
}

std::optional<std::string> RegistryFile::GetString(const std::string& section,
                                                   const std::string& name) const {
  const auto it = values_.find(Key(section, name));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

int RegistryFile::GetInt(const std::string& section, const std::string& name, int fallback) const {
  const auto text = GetString(section, name);
  if (!text) return fallback;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text->c_str(), &end, 10);
  if (errno != 0 || end == text->c_str() || *end != '\0' || value < INT32_MIN ||
      value > INT32_MAX) {
    return fallback;
  }
  return static_cast<int>(value);
}

bool RegistryFile::SetString(const std::string& section, const std::string& name,
                             const std::string& value) {
  const std::string key = Key(section, name);
  if (!IsSingleLine(key) || !IsSingleLine(value) || key.find('=') != std::string::npos) {
    error_ = "registry value for " + key + " must be a single line";
    return false;
  }
  values_[key] = value;
  return Save();
}

bool RegistryFile::SetInt(const std::string& section, const std::string& name, int value) {
  return SetString(section, name, std::to_string(value));
}

bool RegistryFile::Save() {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
  std::ostringstream out;
  for (const auto& [key, value] : values_) out << key << '=' << value << '\n';
  return WriteFileAtomically(path_, out.str(), &error_);
}

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// In the target's folder, so the rename stays on one file system; short, so a
// target name near the length limit still has room; unique within the process
// (several windows may save at once) and across processes (the pid). O_EXCL
// refuses any leftover of the same name.
std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return FolderOf(path) + "/.vlt-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) +
         ".tmp";
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {  // no room and no errno from the kernel: call it what it is
      errno = ENOSPC;
      return false;
    }
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

namespace {

// Replace: rename over the target. Otherwise a hard link, which fails on a
// target that exists, so no file is ever lost to a name taken meanwhile.
bool WriteThroughTemporary(const std::string& path, const std::string& bytes, bool replace,
                           std::string* error, bool* taken, int* errorNumber) {
  std::string temp;
  auto fail = [&](const char* what, int code) {
    if (error != nullptr) *error = std::string(what) + " " + path + ": " + std::strerror(code);
    if (errorNumber != nullptr) *errorNumber = code;
    if (!temp.empty()) ::unlink(temp.c_str());
    return false;
  };
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temp = TemporaryName(path);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    const int code = errno;
    temp.clear();  // nothing of ours to remove
    return fail("cannot write", code);
  }
  // A replaced file keeps its permissions: a profile made private stays private.
  struct stat old {};
  if (replace && ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ::fchmod(fd, old.st_mode & 07777);
  }
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
    const int code = errno;
    ::close(fd);
    return fail("cannot write", code);
  }
  if (::close(fd) != 0) return fail("cannot write", errno);
  if (replace) {
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail("cannot replace", errno);
  } else {
    if (::link(temp.c_str(), path.c_str()) == 0) {
      ::unlink(temp.c_str());
    } else if (errno == EPERM || errno == EOPNOTSUPP || errno == ENOSYS) {
      // A file system without hard links (FAT on a stick): look, then rename.
      struct stat there {};
      if (::lstat(path.c_str(), &there) == 0) {
        if (taken != nullptr) *taken = true;
        return fail("cannot write", EEXIST);
      }
      if (::rename(temp.c_str(), path.c_str()) != 0) return fail("cannot write", errno);
    } else {
      const int code = errno;
      if (taken != nullptr) *taken = code == EEXIST;
      return fail("cannot write", code);
    }
  }
  // The rename itself reaches the disk only with its folder.
  const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error,
                         int* errorNumber) {
  return WriteThroughTemporary(path, bytes, true, error, nullptr, errorNumber);
}

bool CreateFileAtomically(const std::string& path, const std::string& bytes, std::string* error,
                          bool* taken, int* errorNumber) {
  if (taken != nullptr) *taken = false;
  return WriteThroughTemporary(path, bytes, false, error, taken, errorNumber);
}

}  // namespace vlt::platform
