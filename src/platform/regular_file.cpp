#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vlt::platform {

namespace {

FileKind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::kRegular;
  if (S_ISDIR(mode)) return FileKind::kFolder;
  if (S_ISFIFO(mode)) return FileKind::kFifo;
  if (S_ISSOCK(mode)) return FileKind::kSocket;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return FileKind::kDevice;
  return FileKind::kOther;
}

}  // namespace

FileKind KindOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return FileKind::kMissing;
  return KindOfMode(st.st_mode);
}

std::string KindText(FileKind kind) {
  switch (kind) {
    case FileKind::kRegular:
      return {};
    case FileKind::kMissing:
      return "no file (gone, or a link to nothing)";
    case FileKind::kFolder:
      return "a folder";
    case FileKind::kFifo:
      return "a FIFO";
    case FileKind::kSocket:
      return "a socket";
    case FileKind::kDevice:
      return "a device";
    case FileKind::kOther:
      break;
  }
  return "not a regular file";
}

RegularFileReader::RegularFileReader(const std::string& path) {
  kind_ = KindOf(path);
  if (kind_ != FileKind::kRegular) {
    error_ = "it is " + KindText(kind_);
    return;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error_ = std::string("it cannot be opened (") + std::strerror(errno) + ")";
    return;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    kind_ = ::fstat(fd, &st) == 0 ? KindOfMode(st.st_mode) : FileKind::kOther;
    error_ = "it is " + KindText(kind_);
    ::close(fd);
    return;
  }
  fd_ = fd;
  size_ = static_cast<std::uint64_t>(st.st_size);
  buffer_.fd = fd;
}

RegularFileReader::~RegularFileReader() {
  if (fd_ >= 0) ::close(fd_);
}

RegularFileReader::Buffer::int_type RegularFileReader::Buffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (fd < 0 || failed) return traits_type::eof();
  for (;;) {
    const ssize_t got = ::read(fd, bytes, sizeof(bytes));
    if (got > 0) {
      setg(bytes, bytes, bytes + got);
      return traits_type::to_int_type(*gptr());
    }
    if (got == 0) return traits_type::eof();
    if (errno == EINTR) continue;
    failed = true;
    error = std::strerror(errno);
    return traits_type::eof();
  }
}

}  // namespace vlt::platform
