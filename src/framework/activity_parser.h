// Bus activity per source address over a long window (about 6.5 s) and a short
// one (about 2.7 s), and the last PRODUCT_ID text each address sent.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>

#include "framework/parser.h"

namespace vlt::framework {

class ActivityParser : public BRParser {
 public:
  static constexpr int kSlots = 25;
  static constexpr std::uint32_t kProductIdDgn = 0xFEEB;
  static constexpr const char* kNoProduct = "------";

  ActivityParser();

  void OnFrame(const FrameMessage& message) override;
  void OnTick10() override;

  virtual bool IsActive(std::uint32_t address) const;
  virtual std::int32_t FramesPerSecond(std::uint32_t address) const;
  virtual std::string ProductText(std::uint32_t address) const;

 private:
  mutable std::mutex mutex_;  // the window thread reads what the tick thread writes
  std::array<std::string, 256> productText_;
  std::array<std::int32_t, 256> longCount_{};
  std::array<std::int32_t, 256> shortCount_{};
  int writeSlot_ = 0;
  int longExpiry_ = 1;
  int shortExpiry_ = 15;
  std::array<std::array<std::int32_t, kSlots>, 256> slots_{};
};

}  // namespace vlt::framework
