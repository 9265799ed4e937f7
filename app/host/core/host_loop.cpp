#include "host/core/host_loop.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/run_dir.h"

namespace vlt::host {

namespace {

// A 01h message carries at most 65535 data bytes behind its 9-byte header.
constexpr std::size_t kReceiveBufferBytes = 9 + 65535;
// Datagrams taken per loop turn before queued output gets its turn again.
constexpr int kReceiveBatch = 256;

// Sends to one tool from a socket connected to its slot, so that poll can say
// when the tool's queue has room again.
class SocketToolPort final : public ToolPort {
 public:
  int Connect(const std::string& path) {
    if (!socket_.Valid()) return EMFILE;
    return socket_.Connect(path);
  }
  SendResult TrySend(std::span<const std::uint8_t> message) override {
    switch (socket_.Send(message)) {
      case 0:
        return SendResult::kSent;
      case EAGAIN:
#if EWOULDBLOCK != EAGAIN
      case EWOULDBLOCK:
#endif
      case ENOBUFS:
      case EINTR:
        return SendResult::kBusy;
      default:
        return SendResult::kGone;
    }
  }
  int WaitFd() const override {
    return socket_.Fd();
  }

 private:
  platform::DatagramSocket socket_;
};

timespec MicrosToTimespec(std::int64_t micros) {
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(micros / 1'000'000);
  ts.tv_nsec = static_cast<long>((micros % 1'000'000) * 1000);
  return ts;
}

}  // namespace

HostLoop::HostLoop(const platform::Clock& clock, std::string runDir)
    : clock_(clock), runDir_(std::move(runDir)), receiveBuffer_(kReceiveBufferBytes) {}

HostLoop::~HostLoop() {
  server_.reset();  // its tool sockets go before the lock
  bus_.reset();
  if (wakeRead_ >= 0) ::close(wakeRead_);
  if (wakeWrite_ >= 0) ::close(wakeWrite_);
}

std::unique_ptr<HostLoop> HostLoop::Start(const platform::Clock& clock, HostConfig config,
                                          std::string& error) {
  const platform::RunDirResult dir = platform::PrepareRunDir();
  if (!dir.ok()) {
    error = dir.error;
    return nullptr;
  }
  std::unique_ptr<HostLoop> loop(new HostLoop(clock, dir.path));
  switch (loop->lock_.TryAcquire(platform::HostLockPath(dir.path))) {
    case platform::InstanceLock::Result::kAcquired:
      break;
    case platform::InstanceLock::Result::kHeldElsewhere:
      error = "another vlt-host is running on " + dir.path;
      return nullptr;
    case platform::InstanceLock::Result::kError:
      error = loop->lock_.Error();
      return nullptr;
  }
  // With the lock held, a socket at our path is the leftover of a crashed host.
  const std::string hostPath = platform::HostMailslotPath(dir.path);
  ::unlink(hostPath.c_str());
  if (!loop->socket_.Valid()) {
    error = std::string("cannot create the host socket: ") + std::strerror(errno);
    return nullptr;
  }
  if (const int bindError = loop->socket_.Bind(hostPath); bindError != 0) {
    error = "cannot bind the host socket " + hostPath + ": " + std::strerror(bindError);
    return nullptr;
  }
  if (std::string controlError = loop->control_.Open(platform::HostControlPath(dir.path));
      !controlError.empty()) {
    error = controlError;
    return nullptr;
  }
  int wake[2];
  if (::pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0) {
    error = std::string("cannot create the wake pipe: ") + std::strerror(errno);
    return nullptr;
  }
  loop->wakeRead_ = wake[0];
  loop->wakeWrite_ = wake[1];
  const std::string runDir = dir.path;
  loop->server_ =
      std::make_unique<HostServer>(clock, std::move(config), [runDir](const std::string& slotName) {
        auto port = std::make_unique<SocketToolPort>();
        std::unique_ptr<ToolPort> result;
        if (port->Connect(platform::ToolMailslotPath(runDir, slotName)) == 0) {
          result = std::move(port);
        }
        return result;
      });
  return loop;
}

void HostLoop::RequestStop() {
  stop_.store(true);
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(wakeWrite_, &byte, 1);
}

void HostLoop::ReceiveFromTools() {
  std::string from;
  for (int i = 0; i < kReceiveBatch; ++i) {
    const auto n = socket_.Receive(receiveBuffer_, &from);
    if (!n) return;
    server_->HandleToolMessage(from, std::span<const std::uint8_t>(receiveBuffer_.data(), *n));
  }
}

void HostLoop::AttachBus(std::unique_ptr<ExternalBus> bus) {
  bus_ = std::move(bus);
  server_->SetWire(bus_.get());
  if (bus_ && bus_->Device() != nullptr) server_->SetExternalDut(bus_->Device());
}

bool HostLoop::Run() {
  const ControlServer::Handler handler = [this](std::string_view line) {
    return ControlReply(*server_, line);
  };
  bool busLost = false;
  while (!stop_.load()) {
    server_->RunDue();
    if (bus_) {
      if (!busHeardOfTools_ && server_->Counters().registrations > 0) {
        busHeardOfTools_ = true;
        bus_->OnFirstTool(clock_.NowMicros());
      }
      bus_->RunDue(clock_.NowMicros());
      if (bus_->Lost()) {
        busLost = true;
        break;
      }
    }
    server_->Flush();

    pollFds_.clear();
    pollFds_.push_back({wakeRead_, POLLIN, 0});
    pollFds_.push_back({socket_.Fd(), POLLIN, 0});
    const std::size_t controlFirst = pollFds_.size();
    control_.AppendPollFds(pollFds_);
    const std::size_t controlCount = pollFds_.size() - controlFirst;
    toolFds_.clear();
    server_->PendingOutputFds(toolFds_);
    for (const int fd : toolFds_) pollFds_.push_back({fd, POLLOUT, 0});
    const std::size_t busFirst = pollFds_.size();
    if (bus_) bus_->AppendPollFds(pollFds_);
    const std::size_t busCount = pollFds_.size() - busFirst;

    timespec wait{};
    const timespec* timeout = nullptr;  // no deadline: wait for a socket
    std::optional<std::int64_t> next = server_->NextDeadlineMicros();
    if (bus_) {
      if (const auto busNext = bus_->NextDeadlineMicros(); busNext && (!next || *busNext < *next)) {
        next = busNext;
      }
    }
    if (next) {
      wait = MicrosToTimespec(std::max<std::int64_t>(0, *next - clock_.NowMicros()));
      timeout = &wait;
    }
    if (::ppoll(pollFds_.data(), pollFds_.size(), timeout, nullptr) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (pollFds_[0].revents != 0) {
      char drain[64];
      while (::read(wakeRead_, drain, sizeof(drain)) > 0) {
      }
    }
    if ((pollFds_[1].revents & POLLIN) != 0) ReceiveFromTools();
    control_.Service(std::span<const pollfd>(pollFds_).subspan(controlFirst, controlCount),
                     handler);
    if (bus_) {
      bus_->Service(std::span<const pollfd>(pollFds_).subspan(busFirst, busCount),
                    clock_.NowMicros());
    }
  }
  SayGoodbye();
  EndBus();
  return !busLost;
}

void HostLoop::EndBus() {
  if (!bus_) return;
  server_->SetWire(nullptr);
  server_->SetExternalDut(nullptr);
  // A program gets its grace after SIGTERM; the bus's destructor kills what is left.
  const std::int64_t limit = clock_.NowMicros() + kGoodbyeLimitMs * 1000 + 1'500'000;
  while (!bus_->Shutdown(clock_.NowMicros()) && clock_.NowMicros() < limit) {
    pollFds_.clear();
    bus_->AppendPollFds(pollFds_);
    std::int64_t waitMicros = limit - clock_.NowMicros();
    if (const auto next = bus_->NextDeadlineMicros()) {
      waitMicros = std::min(waitMicros, *next - clock_.NowMicros());
    }
    const timespec wait = MicrosToTimespec(std::max<std::int64_t>(0, waitMicros));
    if (::ppoll(pollFds_.data(), pollFds_.size(), &wait, nullptr) < 0 && errno != EINTR) break;
    bus_->Service(pollFds_, clock_.NowMicros());
    bus_->RunDue(clock_.NowMicros());
  }
}

void HostLoop::SayGoodbye() {
  server_->CloseAllTools();
  server_->Flush();
  const std::int64_t deadline = clock_.NowMicros() + kGoodbyeLimitMs * 1000;
  while (server_->HasPendingOutput()) {
    const std::int64_t left = deadline - clock_.NowMicros();
    if (left <= 0) break;
    pollFds_.clear();
    toolFds_.clear();
    server_->PendingOutputFds(toolFds_);
    for (const int fd : toolFds_) pollFds_.push_back({fd, POLLOUT, 0});
    const timespec wait = MicrosToTimespec(left);
    if (::ppoll(pollFds_.data(), pollFds_.size(), &wait, nullptr) < 0 && errno != EINTR) break;
    server_->Flush();
  }
}

}  // namespace vlt::host
