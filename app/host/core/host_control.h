// The host's control socket: one command per line, one reply line each, so that
// the tester (or a person with socat) can switch the simulated DUT's power.
//   dut power on | dut power off | dut status  ->  "ok on static 253"
//   stats                                      ->  "ok tools=1 received=..."
//   anything else                              ->  "error unknown command"
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <poll.h>

namespace vlt::host {

class HostServer;

inline constexpr std::size_t kMaxControlLineBytes = 1024;

// The reply to one command line (without its line end).
std::string ControlReply(HostServer& server, std::string_view line);

// Listening side, served from the host's poll loop.
class ControlServer {
 public:
  using Handler = std::function<std::string(std::string_view line)>;

  ControlServer() = default;
  ~ControlServer();
  ControlServer(const ControlServer&) = delete;
  ControlServer& operator=(const ControlServer&) = delete;

  // Binds the stream socket at `path`, replacing a stale one; empty or an error text.
  std::string Open(const std::string& path);
  // Adds the listening socket and every connection, in that order.
  void AppendPollFds(std::vector<pollfd>& fds) const;
  // Serves the entries that AppendPollFds added, after poll filled their revents.
  void Service(std::span<const pollfd> fds, const Handler& handler);

 private:
  struct Connection {
    int fd = -1;
    std::string in;
    std::string out;
    bool ending = false;  // the peer finished sending, or the line was too long
  };
  void Accept();
  void Serve(Connection& connection, short revents, const Handler& handler);

  int listenFd_ = -1;
  std::string path_;
  std::vector<Connection> connections_;
};

// Client side: sends one command to the vlt-host of `runDir` and returns its reply
// line; nullopt when no host answers within the limit.
std::optional<std::string> SendControlCommand(
    const std::string& runDir, std::string_view line,
    std::chrono::milliseconds limit = std::chrono::milliseconds(2000));

}  // namespace vlt::host
