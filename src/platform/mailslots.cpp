#include "platform/mailslots.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <thread>

#include "platform/run_dir.h"
#include "platform/text_encoding.h"

namespace vlt::platform {

namespace {
// A host that is busy draining other tools gets this long before a write is lost.
constexpr std::chrono::milliseconds kWriteLimit{20};
constexpr int kSlotNumbers = 1000;
}  // namespace

UnixMailslots::UnixMailslots(std::string runDir)
    : runDir_(std::move(runDir)), hostPath_(HostMailslotPath(runDir_)) {}

int UnixMailslots::OpenHost() {
  DatagramSocket probe;
  if (!probe.Valid()) return errno;
  if (const int error = probe.Connect(hostPath_); error != 0) return error;
  hostOpen_ = true;
  return 0;
}

int UnixMailslots::CreateToolSlot(std::string& name) {
  if (!tool_.Valid()) return EMFILE;
  // Names carry three digits of the clock; two tools started in the same
  // millisecond, or a slot left behind by a crashed tool, must not stop a start.
  const std::string prefix = name.size() > 3 ? name.substr(0, name.size() - 3) : name;
  int number = std::atoi(name.c_str() + prefix.size());
  int error = 0;
  for (int attempt = 0; attempt < kSlotNumbers; ++attempt) {
    char digits[8];
    std::snprintf(digits, sizeof(digits), "%03d", (number + attempt) % kSlotNumbers);
    const std::string candidate = prefix + digits;
    const std::string path = ToolMailslotPath(runDir_, candidate);
    error = tool_.Bind(path);
    if (error == EADDRINUSE && !DatagramPathIsLive(path)) {
      ::unlink(path.c_str());
      error = tool_.Bind(path);
    }
    if (error == 0) {
      name = candidate;
      tool_.SetSendTimeout(kWriteLimit);
      return 0;
    }
    if (error != EADDRINUSE) return error;
  }
  return error;
}

std::optional<std::size_t> UnixMailslots::NextMessageSize() {
  return tool_.PendingSize();
}

std::optional<std::size_t> UnixMailslots::Read(std::span<std::uint8_t> buffer) {
  return tool_.Receive(buffer);
}

bool UnixMailslots::Write(std::span<const std::uint8_t> message) {
  if (!hostOpen_) return false;
  // Sent from the tool's own socket so the host knows which tool a transmit came from.
  return tool_.SendTo(hostPath_, message) == 0;
}

std::string UnixMailslots::HostLocation() const {
  return Utf8ToCp1252(runDir_);  // a line of the log pane
}

void UnixMailslots::WaitForMessage(std::chrono::microseconds limit) {
  if (tool_.Valid()) {
    waitFoundNothing_ = !tool_.WaitReadable(limit);
  } else {
    std::this_thread::sleep_for(limit);
  }
}

}  // namespace vlt::platform
