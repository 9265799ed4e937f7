// A CAN adapter through a Qt SerialBus plugin (socketcan, virtualcan, peakcan, ...).
// QCanBusDevice needs a Qt event loop, so it lives on its own thread; what it
// hears crosses to the host's poll loop through a queue and an eventfd, and the
// tools' frames cross back the same way.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "host/buses/candump_line.h"
#include "host/buses/external_bus.h"

namespace vlt::host {

struct CanAdapterCounters {
  CandumpCounts in;          // frames heard, by kind (no line kinds: never malformed)
  std::uint64_t sent = 0;    // frames handed to the adapter
  std::uint64_t errors = 0;  // bus and adapter errors
};

class CanAdapterBus final : public ExternalBus {
 public:
  CanAdapterBus(std::string plugin, std::string interfaceName, BusReceiver receiver,
                std::function<void(const std::string&)> report);
  ~CanAdapterBus() override;
  CanAdapterBus(const CanAdapterBus&) = delete;
  CanAdapterBus& operator=(const CanAdapterBus&) = delete;

  // Starts the adapter's thread and connects; empty, or why it cannot be used.
  std::string Open();

  void Put(const BusFrame& frame) override;
  std::string StatsText() const override;
  void AppendPollFds(std::vector<pollfd>& fds) override;
  void Service(std::span<const pollfd> fds, std::int64_t nowMicros) override;
  bool Lost() const override { return lost_; }
  std::string Name() const override { return plugin_ + ":" + interface_; }

  const CanAdapterCounters& Counters() const { return counters_; }

  // What the adapter's thread hands over.
  struct Event {
    enum class Kind { kFrame, kShortId, kRemote, kFd, kError, kLost };
    Kind kind = Kind::kFrame;
    BusFrame frame;
    std::optional<std::int64_t> stampMicros;  // the adapter's
    std::string text;                         // kError, kLost
  };

 private:
  class Worker;
  void Take();

  std::string plugin_;
  std::string interface_;
  BusReceiver receiver_;
  std::function<void(const std::string&)> report_;
  std::unique_ptr<Worker> worker_;
  int wakeFd_ = -1;
  std::deque<Event> taken_;
  StampMapper stamps_;
  CanAdapterCounters counters_;
  bool lost_ = false;
};

}  // namespace vlt::host
