#include "platform/datagram_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vlt::platform {

bool FillUnixAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof(address));
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

DatagramSocket::DatagramSocket() : fd_(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}

DatagramSocket::~DatagramSocket() {
  Close();
}

DatagramSocket::DatagramSocket(DatagramSocket&& other) noexcept
    : fd_(other.fd_), boundPath_(std::move(other.boundPath_)) {
  other.fd_ = -1;
  other.boundPath_.clear();
}

DatagramSocket& DatagramSocket::operator=(DatagramSocket&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    boundPath_ = std::move(other.boundPath_);
    other.fd_ = -1;
    other.boundPath_.clear();
  }
  return *this;
}

void DatagramSocket::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!boundPath_.empty()) ::unlink(boundPath_.c_str());
  boundPath_.clear();
}

int DatagramSocket::Bind(const std::string& path) {
  if (!Valid()) return EBADF;
  sockaddr_un address;
  if (!FillUnixAddress(path, address)) return ENAMETOOLONG;
  if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) return errno;
  boundPath_ = path;
  return 0;
}

int DatagramSocket::Connect(const std::string& path) {
  if (!Valid()) return EBADF;
  sockaddr_un address;
  if (!FillUnixAddress(path, address)) return ENAMETOOLONG;
  if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
    return errno;
  }
  return 0;
}

void DatagramSocket::SetSendTimeout(std::chrono::milliseconds limit) {
  timeval tv{};
  tv.tv_sec = static_cast<time_t>(limit.count() / 1000);
  tv.tv_usec = static_cast<suseconds_t>((limit.count() % 1000) * 1000);
  ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof(tv));
}

std::optional<std::size_t> DatagramSocket::PendingSize() const {
  if (!Valid()) return std::nullopt;
  // MSG_TRUNC makes the kernel report the datagram's full length.
  const ssize_t n = ::recv(fd_, nullptr, 0, MSG_PEEK | MSG_TRUNC | MSG_DONTWAIT);
  if (n < 0) return std::nullopt;
  return static_cast<std::size_t>(n);
}

std::optional<std::size_t> DatagramSocket::Receive(std::span<std::uint8_t> buffer,
                                                   std::string* from) {
  if (!Valid()) return std::nullopt;
  sockaddr_un address{};
  socklen_t length = sizeof(address);
  const ssize_t n = ::recvfrom(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT,
                               reinterpret_cast<sockaddr*>(&address), &length);
  if (n < 0) return std::nullopt;
  if (from != nullptr) {
    from->clear();
    const auto pathBytes = static_cast<std::size_t>(length) - offsetof(sockaddr_un, sun_path);
    if (length > offsetof(sockaddr_un, sun_path) && address.sun_path[0] != '\0') {
      from->assign(address.sun_path, ::strnlen(address.sun_path, pathBytes));
    }
  }
  return static_cast<std::size_t>(n);
}

int DatagramSocket::SendTo(const std::string& path, std::span<const std::uint8_t> message) {
  if (!Valid()) return EBADF;
  sockaddr_un address;
  if (!FillUnixAddress(path, address)) return ENAMETOOLONG;
  const ssize_t n = ::sendto(fd_, message.data(), message.size(), MSG_NOSIGNAL,
                             reinterpret_cast<const sockaddr*>(&address), sizeof(address));
  return n < 0 ? errno : 0;
}

int DatagramSocket::Send(std::span<const std::uint8_t> message) {
  if (!Valid()) return EBADF;
  const ssize_t n = ::send(fd_, message.data(), message.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  return n < 0 ? errno : 0;
}

bool DatagramSocket::WaitReadable(std::chrono::microseconds limit) const {
  if (!Valid()) return false;
  pollfd p{fd_, POLLIN, 0};
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(limit.count() / 1'000'000);
  ts.tv_nsec = static_cast<long>((limit.count() % 1'000'000) * 1000);
  return ::ppoll(&p, 1, &ts, nullptr) > 0;
}

bool DatagramPathIsLive(const std::string& path) {
  DatagramSocket probe;
  return probe.Valid() && probe.Connect(path) == 0;
}

}  // namespace vlt::platform
