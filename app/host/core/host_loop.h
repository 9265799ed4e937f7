// vlt-host over real sockets: the server socket that tools write to, one
// connected socket per tool for the host's messages, the control socket, and the
// single-threaded poll loop that drives the HostServer core.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include <poll.h>

#include "host/buses/external_bus.h"
#include "host/core/host_control.h"
#include "host/core/host_server.h"
#include "platform/clock.h"
#include "platform/datagram_socket.h"
#include "platform/instance_lock.h"

namespace vlt::host {

// How long tools get to take the goodbye at shutdown.
inline constexpr std::int64_t kGoodbyeLimitMs = 500;

class HostLoop {
 public:
  // Prepares the run folder (from the environment), takes the host's instance
  // lock and binds the sockets. On failure: null, and `error` says what a person
  // should know ("another vlt-host is running on <dir>", a folder problem, ...).
  static std::unique_ptr<HostLoop> Start(const platform::Clock& clock, HostConfig config,
                                         std::string& error);
  ~HostLoop();
  HostLoop(const HostLoop&) = delete;
  HostLoop& operator=(const HostLoop&) = delete;

  const std::string& RunDir() const { return runDir_; }
  // Set the DUT up before Run; afterwards only the loop's thread touches it.
  HostServer& Server() { return *server_; }

  // Puts the tools' frames on `bus` and its frames to the tools; its device, if
  // any, becomes the DUT. Before Run.
  void AttachBus(std::unique_ptr<ExternalBus> bus);
  ExternalBus* Bus() const { return bus_.get(); }

  // Serves until RequestStop or the loss of the bus, then says goodbye to every
  // tool and ends the bus; false when the bus was lost.
  bool Run();
  // Safe from a signal handler and from any thread.
  void RequestStop();

 private:
  HostLoop(const platform::Clock& clock, std::string runDir);
  void ReceiveFromTools();
  void SayGoodbye();
  void EndBus();

  const platform::Clock& clock_;
  std::string runDir_;
  // Declared first so that it is released last, after the sockets are unlinked.
  platform::InstanceLock lock_;
  platform::DatagramSocket socket_;
  ControlServer control_;
  std::unique_ptr<HostServer> server_;
  std::unique_ptr<ExternalBus> bus_;
  bool busHeardOfTools_ = false;
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
  std::atomic<bool> stop_{false};
  std::vector<std::uint8_t> receiveBuffer_;
  std::vector<pollfd> pollFds_;
  std::vector<int> toolFds_;
};

}  // namespace vlt::host
