#include "host/core/host_control.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host/core/host_server.h"
#include "platform/datagram_socket.h"
#include "platform/run_dir.h"

namespace vlt::host {

namespace {

constexpr std::size_t kMaxConnections = 16;
constexpr std::size_t kReadChunkBytes = 4096;

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string DutStatus(const DevicePower& dut) {
  return std::string("ok ") + (dut.Powered() ? "on " : "off ") + dut.Describe();
}

}  // namespace

std::string ControlReply(HostServer& server, std::string_view line) {
  const std::string_view command = Trim(line);
  if (command == "stats") {
    std::string text = "ok " + CountersText(server.Counters(), server.ToolCount());
    if (server.Wire() != nullptr) {
      if (const std::string bus = server.Wire()->StatsText(); !bus.empty()) text += " " + bus;
    }
    return text;
  }
  if (command == "traffic on" || command == "traffic off") {
    SimDevice* traffic = server.Traffic();
    if (traffic == nullptr) return "error no background traffic (start with --traffic RATE)";
    traffic->SetPower(command == "traffic on", server.NowMicros());
    return std::string("ok ") + (traffic->Powered() ? "on " : "off ") + traffic->Describe();
  }
  if (command == "dut power on" || command == "dut power off" || command == "dut status") {
    DevicePower* dut = server.Dut();
    if (dut == nullptr) return "error no simulated DUT";
    if (command == "dut power on") dut->SetPower(true, server.NowMicros());
    if (command == "dut power off") dut->SetPower(false, server.NowMicros());
    return DutStatus(*dut);
  }
  if (const std::optional<DeviceAction> action = ActionOfCommand(command)) {
    DevicePower* dut = server.Dut();
    if (dut == nullptr) return "error no simulated DUT";
    if (!dut->Act(*action, server.NowMicros()))
      return "error the DUT was not told: " + dut->Describe() + (dut->Powered() ? "" : " is off");
    return DutStatus(*dut);
  }
  return "error unknown command";
}

ControlServer::~ControlServer() {
  for (const Connection& connection : connections_) ::close(connection.fd);
  if (listenFd_ >= 0) {
    ::close(listenFd_);
    ::unlink(path_.c_str());
  }
}

std::string ControlServer::Open(const std::string& path) {
  sockaddr_un address;
  if (!platform::FillUnixAddress(path, address)) return "control socket path too long: " + path;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return std::string("cannot create the control socket: ") + std::strerror(errno);
  ::unlink(path.c_str());  // the caller holds the instance lock: whatever is there is stale
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
      ::listen(fd, static_cast<int>(kMaxConnections)) != 0) {
    const int error = errno;
    ::close(fd);
    return "cannot bind the control socket " + path + ": " + std::strerror(error);
  }
  listenFd_ = fd;
  path_ = path;
  return {};
}

void ControlServer::AppendPollFds(std::vector<pollfd>& fds) const {
  fds.push_back({listenFd_, POLLIN, 0});
  for (const Connection& connection : connections_) {
    const short events = static_cast<short>((connection.ending ? 0 : POLLIN) |
                                            (connection.out.empty() ? 0 : POLLOUT));
    fds.push_back({connection.fd, events, 0});
  }
}

void ControlServer::Service(std::span<const pollfd> fds, const Handler& handler) {
  if (fds.empty()) return;
  // Connections accepted now are appended after those that poll looked at.
  const std::size_t polled = std::min(connections_.size(), fds.size() - 1);
  for (std::size_t i = 0; i < polled; ++i) Serve(connections_[i], fds[i + 1].revents, handler);
  if ((fds[0].revents & POLLIN) != 0) Accept();
  std::erase_if(connections_, [](const Connection& connection) {
    if (connection.fd >= 0 && !(connection.ending && connection.out.empty())) return false;
    if (connection.fd >= 0) ::close(connection.fd);
    return true;
  });
}

void ControlServer::Accept() {
  while (true) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    if (connections_.size() >= kMaxConnections) {
      ::close(fd);
      continue;
    }
    connections_.push_back(Connection{fd, {}, {}, false});
  }
}

void ControlServer::Serve(Connection& connection, short revents, const Handler& handler) {
  if ((revents & (POLLIN | POLLHUP | POLLERR)) != 0 && !connection.ending) {
    char chunk[kReadChunkBytes];
    const ssize_t n = ::recv(connection.fd, chunk, sizeof(chunk), MSG_DONTWAIT);
    if (n > 0) {
      connection.in.append(chunk, static_cast<std::size_t>(n));
    } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
      connection.ending = true;
    }
    std::size_t lineEnd;
    while ((lineEnd = connection.in.find('\n')) != std::string::npos) {
      connection.out += handler(std::string_view(connection.in).substr(0, lineEnd));
      connection.out += '\n';
      connection.in.erase(0, lineEnd + 1);
    }
    if (connection.in.size() > kMaxControlLineBytes) {
      connection.out += "error line too long\n";
      connection.in.clear();
      connection.ending = true;
    }
  }
  while (!connection.out.empty()) {
    const ssize_t n = ::send(connection.fd, connection.out.data(), connection.out.size(),
                             MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n <= 0) {
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
      ::close(connection.fd);  // the peer is gone; nothing more to tell it
      connection.fd = -1;
      return;
    }
    connection.out.erase(0, static_cast<std::size_t>(n));
  }
}

std::optional<std::string> SendControlCommand(const std::string& runDir, std::string_view line,
                                              std::chrono::milliseconds limit) {
  if (line.find('\n') != std::string_view::npos) return std::nullopt;
  sockaddr_un address;
  if (!platform::FillUnixAddress(platform::HostControlPath(runDir), address)) return std::nullopt;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return std::nullopt;
  timeval tv{};
  tv.tv_sec = static_cast<time_t>(limit.count() / 1000);
  tv.tv_usec = static_cast<suseconds_t>((limit.count() % 1000) * 1000);
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof(tv));
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof(tv));
  std::optional<std::string> reply;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
    std::string request(line);
    request += '\n';
    std::size_t sent = 0;
    while (sent < request.size()) {
      const ssize_t n = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    std::string in;
    while (sent == request.size() && in.find('\n') == std::string::npos &&
           in.size() <= kMaxControlLineBytes) {
      char chunk[256];
      const ssize_t n = ::recv(fd, chunk, sizeof(chunk), 0);
      if (n <= 0) break;
      in.append(chunk, static_cast<std::size_t>(n));
    }
    if (const auto end = in.find('\n'); end != std::string::npos) {
      reply = in.substr(0, end);
      if (!reply->empty() && reply->back() == '\r') reply->pop_back();
    }
  }
  ::close(fd);
  return reply;
}

}  // namespace vlt::host
