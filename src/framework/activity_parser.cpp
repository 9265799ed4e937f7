#include "framework/activity_parser.h"

namespace vlt::framework {

ActivityParser::ActivityParser() {
  productText_.fill(kNoProduct);
}

void ActivityParser::OnFrame(const FrameMessage& message) {
  if (message.type != kMsgFrame) return;
  std::lock_guard lock(mutex_);
  const std::uint8_t address = message.sourceAddress;
  if (message.dgn == kProductIdDgn) {
    productText_[address].assign(message.data.begin(), message.data.end());
  }
  const std::size_t length = message.data.size();
  // A long message counts as the frames that carried it.
  slots_[address][writeSlot_] += length > 8 ? static_cast<std::int32_t>(length / 7 + 1) : 1;
}

void ActivityParser::OnTick10() {
  std::lock_guard lock(mutex_);
  for (std::size_t a = 0; a < 256; ++a) {
    auto& slot = slots_[a];
    const std::int32_t before = longCount_[a];
    longCount_[a] += slot[writeSlot_] - slot[longExpiry_];
    if (before > 0 && longCount_[a] == 0) productText_[a] = kNoProduct;
    shortCount_[a] += slot[writeSlot_] - slot[shortExpiry_];
    if (longCount_[a] < 0 || shortCount_[a] < 0) {
      slot.fill(0);
      longCount_[a] = 0;
      shortCount_[a] = 0;
      productText_[a] = kNoProduct;
    }
  }
  writeSlot_ = (writeSlot_ + 1) % kSlots;
  longExpiry_ = (longExpiry_ + 1) % kSlots;
  shortExpiry_ = (shortExpiry_ + 1) % kSlots;
  for (auto& slot : slots_) slot[writeSlot_] = 0;
}

bool ActivityParser::IsActive(std::uint32_t address) const {
  std::lock_guard lock(mutex_);
  return longCount_[address & 0xFF] > 0;
}

std::int32_t ActivityParser::FramesPerSecond(std::uint32_t address) const {
  std::lock_guard lock(mutex_);
  return (shortCount_[address & 0xFF] * 4 + 5) / 10;
}

std::string ActivityParser::ProductText(std::uint32_t address) const {
  std::lock_guard lock(mutex_);
  return productText_[address & 0xFF];
}

}  // namespace vlt::framework
