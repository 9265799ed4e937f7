// A Unix-domain datagram socket: one datagram is one message, delivered whole,
// which is what a mailslot gives on the other platform.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include <sys/un.h>

namespace vlt::platform {

class DatagramSocket {
 public:
  DatagramSocket();  // creates the socket; check Valid()
  ~DatagramSocket();
  DatagramSocket(DatagramSocket&& other) noexcept;
  DatagramSocket& operator=(DatagramSocket&& other) noexcept;
  DatagramSocket(const DatagramSocket&) = delete;
  DatagramSocket& operator=(const DatagramSocket&) = delete;

  bool Valid() const { return fd_ >= 0; }
  int Fd() const { return fd_; }

  // 0 or an errno value. Bind unlinks the path again when the socket closes.
  int Bind(const std::string& path);
  int Connect(const std::string& path);

  // Sends never block longer than this; 0 makes them non-blocking.
  void SetSendTimeout(std::chrono::milliseconds limit);

  // Size of the next pending datagram without taking it; nullopt when none is pending.
  std::optional<std::size_t> PendingSize() const;

  // Takes the next datagram; its bytes beyond the buffer are dropped. Returns the
  // number of bytes stored, or nullopt (errno kept) when none could be read.
  // `from` receives the sender's path when it has one.
  std::optional<std::size_t> Receive(std::span<std::uint8_t> buffer, std::string* from = nullptr);

  // 0 or an errno value (EAGAIN when the peer's queue is full and sends do not wait).
  int SendTo(const std::string& path, std::span<const std::uint8_t> message);
  int Send(std::span<const std::uint8_t> message);  // to the connected peer

  // Waits until a datagram is pending or the limit passes.
  bool WaitReadable(std::chrono::microseconds limit) const;

 private:
  void Close();
  int fd_ = -1;
  std::string boundPath_;
};

// Fills a Unix socket address; false when the path is empty or too long for one.
bool FillUnixAddress(const std::string& path, sockaddr_un& address);

// True when something is bound at the path and accepts datagrams.
bool DatagramPathIsLive(const std::string& path);

}  // namespace vlt::platform
