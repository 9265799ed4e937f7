#include "host/devices/bus_traffic.h"

#include <algorithm>
#include <array>

namespace vlt::host {

namespace {

inline constexpr std::uint8_t kTrafficPriority = 6;
// Status DGNs of the usual house systems: tanks, batteries, lights, climate,
// generator, inverter, charger, water heater.
constexpr std::array<std::uint32_t, 8> kStatusDgns{0x1FFB7, 0x1FFFD, 0x1FEDA, 0x1FFE2,
                                                   0x1FFDC, 0x1FFD7, 0x1FFCA, 0x1FFF7};
constexpr std::array<std::uint8_t, 12> kSourceAddresses{0x42, 0x43, 0x44, 0x45, 0x46, 0x47,
                                                        0x60, 0x61, 0x8C, 0x8D, 0xA0, 0xA1};
// More than this behind (a stalled host) and the schedule starts afresh rather
// than sending a burst no bus could carry.
constexpr std::int64_t kMaxBacklogMicros = 100'000;

}  // namespace

BusTraffic::BusTraffic(const TrafficConfig& config, std::int64_t nowMicros)
    : rate_(std::clamp<std::uint32_t>(config.framesPerSecond, 1, kMaxTrafficFramesPerSecond)) {
  for (const std::uint8_t address : kSourceAddresses) {
    if (std::find(config.avoidAddresses.begin(), config.avoidAddresses.end(), address) ==
        config.avoidAddresses.end()) {
      sources_.push_back(address);
    }
  }
  for (const std::uint32_t dgn : kStatusDgns) {
    if (dgn != config.avoidDgn) dgns_.push_back(dgn);
  }
  if (config.onAtStart) SetPower(true, nowMicros);
}

void BusTraffic::SetPower(bool on, std::int64_t nowMicros) {
  if (on && !on_) {
    startMicros_ = nowMicros;
    sent_ = 0;
  }
  on_ = on && !sources_.empty();
}

std::int64_t BusTraffic::DueMicros(std::uint64_t frameNumber) const {
  return startMicros_ + static_cast<std::int64_t>(frameNumber * 1'000'000 / rate_);
}

void BusTraffic::Poll(std::int64_t nowMicros, std::vector<BusFrame>& out) {
  if (!on_) return;
  if (nowMicros - DueMicros(sent_) > kMaxBacklogMicros) {
    startMicros_ = nowMicros;
    sent_ = 0;
  }
  while (DueMicros(sent_) <= nowMicros) {
    const std::uint8_t source = sources_[sent_ % sources_.size()];
    const std::uint32_t dgn = dgns_[(sent_ / sources_.size()) % dgns_.size()];
    // Instance, a changing level, then "not available" bytes.
    const std::uint8_t data[8] = {
        static_cast<std::uint8_t>(sent_ % 4), counter_++, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    out.push_back(*MakeBusFrame(kTrafficPriority, dgn, source, data));
    ++sent_;
  }
}

std::optional<std::int64_t> BusTraffic::NextDeadlineMicros() const {
  if (!on_) return std::nullopt;
  return DueMicros(sent_);
}

std::string BusTraffic::Describe() const {
  return "traffic " + std::to_string(rate_) + "/s";
}

}  // namespace vlt::host
