#include "host/buses/frame_recorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/buses/candump_line.h"

namespace vlt::host {

namespace {
constexpr std::size_t kBufferBytes = 256 * 1024;
}  // namespace

FrameRecorder::~FrameRecorder() {
  if (file_ != nullptr) std::fclose(file_);
}

std::string FrameRecorder::Open(const std::string& path) {
  file_ = std::fopen(path.c_str(), "we");
  if (file_ == nullptr) return "cannot write the record file " + path + ": " + std::strerror(errno);
  std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
  path_ = path;
  return {};
}

void FrameRecorder::Write(const BusFrame& frame, std::int64_t micros) {
  if (file_ == nullptr) return;
  lastMicros_ = std::max(lastMicros_, micros);
  std::string line = FormatCandumpLine(frame, lastMicros_);
  line += '\n';
  if (!error_.empty() || std::fwrite(line.data(), 1, line.size(), file_) != line.size()) {
    if (error_.empty()) error_ = "writing " + path_ + " failed: " + std::strerror(errno);
    ++lost_;
  }
}

void FrameRecorder::Flush() {
  if (file_ == nullptr || !error_.empty()) return;
  if (std::fflush(file_) != 0) error_ = "writing " + path_ + " failed: " + std::strerror(errno);
}

}  // namespace vlt::host
