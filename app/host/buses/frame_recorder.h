// --record FILE: every bus frame as a candump -L line, host time as the stamp, so
// that --bus replay:FILE (or any can-utils tool) plays the bus back. Lines keep
// the order the host handled the frames in, and their stamps never go back: a
// frame from an adapter carries the adapter's spacing mapped onto host time, which
// may lie a little after the moment the host took it, while the host's own frames
// are stamped when sent, so an answer is never stamped before what it answers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "host/buses/bus_frame.h"

namespace vlt::host {

class FrameRecorder {
 public:
  FrameRecorder() = default;
  ~FrameRecorder();
  FrameRecorder(const FrameRecorder&) = delete;
  FrameRecorder& operator=(const FrameRecorder&) = delete;

  // Creates or empties the file; empty, or what went wrong.
  std::string Open(const std::string& path);
  void Write(const BusFrame& frame, std::int64_t micros);
  // Hands what is buffered to the file, so that a killed host loses little.
  void Flush();
  // Lines lost to a write error; the first error is reported through `error`.
  std::uint64_t Lost() const { return lost_; }
  const std::string& Error() const { return error_; }

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
  std::uint64_t lost_ = 0;
  std::int64_t lastMicros_ = 0;
  std::string error_;
};

}  // namespace vlt::host
