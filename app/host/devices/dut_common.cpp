#include "host/devices/dut_common.h"

#include <algorithm>

namespace vlt::host {

DeviceName ClaimName(const DutCommon& common, DutKind kind, bool later) {
  const DutFaults& faults = common.faults;
  DeviceName name = common.name;
  SetArbitraryAddressCapable(name, (kind == DutKind::kDynamic) != faults.Has(DutFault::kWrongAac));
  if (faults.Has(DutFault::kWrongMfg)) {
    SetManufacturerCode(name, ManufacturerCode(name) ^ 1);
  }
  if (later && faults.Has(DutFault::kDifferentReclaim)) name[0] ^= 1;
  return name;
}

bool IsRequestForClaim(const BusFrame& frame) {
  const auto data = frame.Data();
  return frame.Pgn() == kPgnRequest && data.size() >= 3 && data[0] == 0x00 && data[1] == 0xEE &&
         data[2] == 0x00;
}

bool IsClaim(const BusFrame& frame) {
  return frame.Pgn() == kPgnAddressClaim && frame.length == kMaxCanDataBytes;
}

DeviceName NameOf(const BusFrame& claim) {
  DeviceName name{};
  std::copy_n(claim.data.begin(), name.size(), name.begin());
  return name;
}

BusFrame ClaimFrame(std::uint8_t sourceAddress, const DeviceName& name, std::uint8_t destination) {
  return *MakeBusFrame(kClaimPriority, kPgnAddressClaim | destination, sourceAddress, name);
}

BusFrame StatusFrame(const DutCommon& common, std::uint8_t sourceAddress) {
  std::uint8_t data[8] = {common.instance, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  if (common.statusDgn == kDgnTankStatus) {
    data[1] = 50;  // half full, at resolution 100
    data[2] = 100;
  }
  return *MakeBusFrame(kDutStatusPriority, common.statusDgn, sourceAddress, data);
}

std::uint8_t NeighbourAddress(std::uint8_t address) {
  return address == 0 ? 1 : static_cast<std::uint8_t>(address - 1);
}

void PendingFrames::Add(std::int64_t dueMicros, const BusFrame& frame) {
  const auto after = std::upper_bound(
      pending_.begin(), pending_.end(), dueMicros,
      [](std::int64_t due, const Pending& pending) { return due < pending.dueMicros; });
  pending_.insert(after, Pending{dueMicros, frame});
}

void PendingFrames::TakeDue(std::int64_t nowMicros, std::vector<BusFrame>& out) {
  auto it = pending_.begin();
  for (; it != pending_.end() && it->dueMicros <= nowMicros; ++it) out.push_back(it->frame);
  pending_.erase(pending_.begin(), it);
}

std::optional<std::int64_t> PendingFrames::NextDueMicros() const {
  if (pending_.empty()) return std::nullopt;
  return pending_.front().dueMicros;
}

std::optional<std::int64_t> Earliest(std::optional<std::int64_t> a, std::optional<std::int64_t> b) {
  if (!a) return b;
  if (!b) return a;
  return std::min(*a, *b);
}

}  // namespace vlt::host
