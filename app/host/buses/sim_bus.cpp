#include "host/buses/sim_bus.h"

#include <algorithm>

namespace vlt::host {

namespace {
// A device whose deadline does not move on must not hang the host.
constexpr int kMaxRoundsPerRun = 16;
}  // namespace

SimDevice& SimBus::Attach(std::unique_ptr<SimDevice> device) {
  devices_.push_back(std::move(device));
  return *devices_.back();
}

void SimBus::TransmitFromHost(const BusFrame& frame, std::int64_t nowMicros) {
  for (auto& device : devices_) device->OnBusFrame(frame, nowMicros);
}

void SimBus::RunDue(std::int64_t nowMicros) {
  for (int round = 0; round < kMaxRoundsPerRun; ++round) {
    bool anyDue = false;
    for (auto& sender : devices_) {
      const auto due = sender->NextDeadlineMicros();
      if (!due || *due > nowMicros) continue;
      anyDue = true;
      sent_.clear();
      sender->Poll(nowMicros, sent_);
      for (const BusFrame& frame : sent_) {
        ++deviceFrames_;
        for (auto& other : devices_) {
          if (other != sender) other->OnBusFrame(frame, nowMicros);
        }
        if (host_) host_(frame);
      }
    }
    if (!anyDue) return;
  }
}

std::optional<std::int64_t> SimBus::NextDeadlineMicros() const {
  std::optional<std::int64_t> next;
  for (const auto& device : devices_) {
    const auto due = device->NextDeadlineMicros();
    if (due && (!next || *due < *next)) next = due;
  }
  return next;
}

}  // namespace vlt::host
