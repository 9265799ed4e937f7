// The tool's two mailslots: the host's server slot, written to, and the tool's
// own slot, read from. An interface so that tests put an in-process host behind it.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/datagram_socket.h"

namespace vlt::platform {

class Mailslots {
 public:
  virtual ~Mailslots() = default;
  // Opens the host's server slot for writing: 0, or an error code for the start-up box.
  virtual int OpenHost() = 0;
  // Creates the tool's own slot. May change `name` when the slot is taken by a live
  // tool; 0, or an error code.
  virtual int CreateToolSlot(std::string& name) = 0;
  // Size of the next pending message; nullopt when none is pending or the query fails.
  virtual std::optional<std::size_t> NextMessageSize() = 0;
  // Reads the next message into the buffer; the bytes read, or nullopt when the read fails.
  virtual std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) = 0;
  // Writes one whole message to the host; false when it was not delivered.
  virtual bool Write(std::span<const std::uint8_t> message) = 0;
  // Waits at most `limit` for a message; the tick loop's pause.
  virtual void WaitForMessage(std::chrono::microseconds limit) = 0;
  // Where the host is looked for, for messages to the operator (the run folder).
  virtual std::string HostLocation() const { return "the host's mailslot"; }
};

// Mailslots over Unix datagram sockets in the run folder.
class UnixMailslots final : public Mailslots {
 public:
  explicit UnixMailslots(std::string runDir);

  int OpenHost() override;
  int CreateToolSlot(std::string& name) override;
  std::optional<std::size_t> NextMessageSize() override;
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override;
  bool Write(std::span<const std::uint8_t> message) override;
  void WaitForMessage(std::chrono::microseconds limit) override;
  std::string HostLocation() const override;

 private:
  std::string runDir_;
  std::string hostPath_;
  // Set again by the window thread when the link registers anew.
  std::atomic<bool> hostOpen_{false};
  DatagramSocket tool_;
  // The last wait found nothing: the next query may answer without asking the
  // kernel again, which halves the idle loop's system calls.
  bool waitFoundNothing_ = false;
};

}  // namespace vlt::platform
