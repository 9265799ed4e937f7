#include "framework/master_parser.h"

#include <algorithm>

namespace vlt::framework {

void BRMasterParser::OnTick40() {
  {
    std::lock_guard lock(periodicMutex_);
    for (PeriodicItem* item : periodicItems_) item->Periodic();
  }
  const std::uint32_t next = (ringIndex_.load() + 1) % kRingSlots;
  ring1_[next] = 0;
  ring2_[next] = 0;
  ringIndex_ = next;
}

void BRMasterParser::OnFrame(const FrameMessage& /*message*/) {
  ++frameCount_;
}

void BRMasterParser::AddPeriodicItem(PeriodicItem* item) {
  std::lock_guard lock(periodicMutex_);
  periodicItems_.push_back(item);
}

void BRMasterParser::RemovePeriodicItem(PeriodicItem* item) {
  std::lock_guard lock(periodicMutex_);
  std::erase(periodicItems_, item);
}

std::uint32_t BRMasterParser::SumWithoutCurrent(const Ring& ring) const {
  std::uint32_t sum = 0;
  for (const auto& slot : ring) sum += slot.load();
  return sum - ring[ringIndex_.load()].load();
}

}  // namespace vlt::framework
