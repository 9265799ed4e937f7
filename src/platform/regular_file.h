// Reading a file that came from outside only when it is a regular file: a FIFO,
// a socket or a device is never opened, so a reader can never wait on one.
#pragma once

#include <cstdint>
#include <istream>
#include <streambuf>
#include <string>

namespace vlt::platform {

// What stands at a path, as far as reading it goes.
enum class FileKind { kRegular, kMissing, kFolder, kFifo, kSocket, kDevice, kOther };

// Follows symbolic links; a link to nothing is kMissing.
FileKind KindOf(const std::string& path);
// "a FIFO", "a socket", ... for a message; empty for a regular file.
std::string KindText(FileKind kind);

class RegularFileReader {
 public:
  // Looks at the path first and opens only a regular file; the file is opened
  // without waiting and checked again once open, so one swapped in between
  // for a FIFO is not read either.
  explicit RegularFileReader(const std::string& path);
  ~RegularFileReader();
  RegularFileReader(const RegularFileReader&) = delete;
  RegularFileReader& operator=(const RegularFileReader&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  FileKind Kind() const { return kind_; }
  // Why the file is not open, in words; empty when it is.
  const std::string& Error() const { return error_; }
  std::uint64_t Size() const { return size_; }
  // The file's bytes; empty when it is not open.
  std::istream& Stream() { return stream_; }
  // A read failed after the file was opened (the stream then ends early).
  bool ReadFailed() const { return buffer_.failed; }
  const std::string& ReadError() const { return buffer_.error; }

 private:
  struct Buffer final : std::streambuf {
    int fd = -1;
    bool failed = false;
    std::string error;
    char bytes[8192];
    int_type underflow() override;
  };

  int fd_ = -1;
  FileKind kind_ = FileKind::kMissing;
  std::string error_;
  std::uint64_t size_ = 0;
  Buffer buffer_;
  std::istream stream_{&buffer_};
};

}  // namespace vlt::platform
