#include "host/core/in_process_host.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

#include "host/core/host_control.h"

namespace vlt::host {

namespace {

constexpr int kSlotNumbers = 1000;

struct Inbox {
  std::deque<std::vector<std::uint8_t>> messages;
  bool open = true;
};

class InboxPort final : public ToolPort {
 public:
  explicit InboxPort(std::shared_ptr<Inbox> inbox) : inbox_(std::move(inbox)) {}
  SendResult TrySend(std::span<const std::uint8_t> message) override {
    if (!inbox_->open) return SendResult::kGone;
    inbox_->messages.emplace_back(message.begin(), message.end());
    return SendResult::kSent;
  }

 private:
  std::shared_ptr<Inbox> inbox_;
};

}  // namespace

struct InProcessHost::Shared {
  Shared(platform::ManualClock& clockIn, HostConfig config)
      : clock(clockIn), server(clockIn, std::move(config), [this](const std::string& slotName) {
          std::unique_ptr<ToolPort> port;
          if (auto it = slots.find(slotName); it != slots.end()) {
            port = std::make_unique<InboxPort>(it->second);
          }
          return port;
        }) {}

  void CatchUpLocked() {
    server.RunDue();
    server.Flush();
  }

  std::mutex mutex;
  platform::ManualClock& clock;
  std::map<std::string, std::shared_ptr<Inbox>> slots;  // the tools' slots by name
  HostServer server;
  bool running = true;
  int nextEndpoint = 1;
  bool alive = true;  // false once the InProcessHost is gone
};

class InProcessHost::Endpoint final : public platform::Mailslots {
 public:
  Endpoint(std::shared_ptr<Shared> shared, int number)
      : shared_(std::move(shared)),
        sender_("in-process/" + std::to_string(number)),
        inbox_(std::make_shared<Inbox>()) {}

  ~Endpoint() override {
    std::lock_guard lock(shared_->mutex);
    inbox_->open = false;
    if (!slotName_.empty()) shared_->slots.erase(slotName_);
  }

  int OpenHost() override {
    std::lock_guard lock(shared_->mutex);
    return Reachable() ? 0 : ENOENT;
  }

  int CreateToolSlot(std::string& name) override {
    std::lock_guard lock(shared_->mutex);
    if (!slotName_.empty()) return EINVAL;
    // Two tools started in the same virtual millisecond ask for the same name.
    const std::string prefix = name.size() > 3 ? name.substr(0, name.size() - 3) : name;
    const int number = std::atoi(name.c_str() + prefix.size());
    for (int attempt = 0; attempt < kSlotNumbers; ++attempt) {
      char digits[8];
      std::snprintf(digits, sizeof(digits), "%03d", (number + attempt) % kSlotNumbers);
      const std::string candidate = prefix + digits;
      if (shared_->slots.emplace(candidate, inbox_).second) {
        slotName_ = name = candidate;
        return 0;
      }
    }
    return EADDRINUSE;
  }

  std::optional<std::size_t> NextMessageSize() override {
    std::lock_guard lock(shared_->mutex);
    if (shared_->alive && shared_->running) shared_->CatchUpLocked();
    if (inbox_->messages.empty()) return std::nullopt;
    return inbox_->messages.front().size();
  }

  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override {
    std::lock_guard lock(shared_->mutex);
    if (inbox_->messages.empty()) return std::nullopt;
    const std::vector<std::uint8_t>& message = inbox_->messages.front();
    const std::size_t n = std::min(buffer.size(), message.size());
    std::memcpy(buffer.data(), message.data(), n);
    inbox_->messages.pop_front();
    return n;
  }

  bool Write(std::span<const std::uint8_t> message) override {
    std::lock_guard lock(shared_->mutex);
    if (!Reachable()) return false;
    shared_->server.HandleToolMessage(sender_, message);
    shared_->CatchUpLocked();
    return true;
  }

  // Virtual time moves only when the test says so; waiting would change nothing.
  void WaitForMessage(std::chrono::microseconds) override {}

 private:
  bool Reachable() const { return shared_->alive && shared_->running; }

  std::shared_ptr<Shared> shared_;
  std::string sender_;
  std::string slotName_;
  std::shared_ptr<Inbox> inbox_;
};

InProcessHost::InProcessHost(platform::ManualClock& clock, HostConfig config)
    : shared_(std::make_shared<Shared>(clock, std::move(config))) {}

InProcessHost::~InProcessHost() {
  std::lock_guard lock(shared_->mutex);
  shared_->alive = false;
}

std::unique_ptr<platform::Mailslots> InProcessHost::ConnectTool() {
  std::lock_guard lock(shared_->mutex);
  return std::make_unique<Endpoint>(shared_, shared_->nextEndpoint++);
}

void InProcessHost::Advance(std::int64_t micros) {
  std::lock_guard lock(shared_->mutex);
  platform::ManualClock& clock = shared_->clock;
  const std::int64_t target = clock.NowMicros() + micros;
  while (true) {
    const auto next = shared_->server.NextDeadlineMicros();
    if (!next || *next > target) break;
    const std::int64_t now = clock.NowMicros();
    if (*next > now) clock.AdvanceMicros(*next - now);
    shared_->server.RunDue();
    // A device that did not move its deadline on is left for the next call.
    if (const auto after = shared_->server.NextDeadlineMicros(); after && *after <= *next) break;
  }
  if (const std::int64_t now = clock.NowMicros(); target > now) clock.AdvanceMicros(target - now);
  shared_->CatchUpLocked();
}

void InProcessHost::CatchUp() {
  std::lock_guard lock(shared_->mutex);
  shared_->CatchUpLocked();
}

void InProcessHost::SetDut(std::unique_ptr<SimDevice> dut) {
  std::lock_guard lock(shared_->mutex);
  shared_->server.SetDut(std::move(dut));
}

void InProcessHost::SetTraffic(std::unique_ptr<SimDevice> traffic) {
  std::lock_guard lock(shared_->mutex);
  shared_->server.SetTraffic(std::move(traffic));
}

void InProcessHost::AddDevice(std::unique_ptr<SimDevice> device) {
  std::lock_guard lock(shared_->mutex);
  shared_->server.Bus().Attach(std::move(device));
}

std::string InProcessHost::Control(std::string_view line) {
  std::lock_guard lock(shared_->mutex);
  std::string reply = ControlReply(shared_->server, line);
  shared_->CatchUpLocked();
  return reply;
}

void InProcessHost::InjectFrame(const BusFrame& frame) {
  std::lock_guard lock(shared_->mutex);
  shared_->server.InjectBusFrame(frame);
  shared_->CatchUpLocked();
}

void InProcessHost::SetFrameTap(HostServer::FrameTap tap) {
  std::lock_guard lock(shared_->mutex);
  shared_->server.SetFrameTap(std::move(tap));
}

void InProcessHost::SetRunning(bool running) {
  std::lock_guard lock(shared_->mutex);
  if (running && !shared_->running) shared_->server.Restart();
  shared_->running = running;
}

void InProcessHost::Shutdown() {
  std::lock_guard lock(shared_->mutex);
  shared_->server.CloseAllTools();
  shared_->CatchUpLocked();
}

void InProcessHost::Crash() {
  std::lock_guard lock(shared_->mutex);
  shared_->running = false;
  shared_->server.Restart();  // nothing of the killed host acts on the bus any more
  for (auto& [name, inbox] : shared_->slots) inbox->messages.clear();
}

const HostServer& InProcessHost::Server() const {
  return shared_->server;
}

}  // namespace vlt::host
