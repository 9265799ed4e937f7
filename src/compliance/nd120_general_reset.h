// ND-120 General Reset - Clear Faults: after a fault came and its cause went, a
// GENERAL_RESET "clear faults" to an address no device holds leaves the DUT as
// it was; one to the DUT is ACKed to the tester within 250 ms, clears a fault
// it still reported, and reboots nothing. GENERAL_RESET is optional: a NAK says
// the DUT lacks it.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>

#include "compliance/nd50_nd70_dm_rv.h"

namespace vlt::compliance {

class Test_ND120 : public DmRvTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 34;
  static constexpr std::uint16_t kOtherNode = 0x2201;
  static constexpr std::uint16_t kNoAck = 0x2202;
  static constexpr std::uint16_t kAckContent = 0x2203;
  static constexpr std::uint16_t kFaultKept = 0x2204;
  static constexpr std::uint16_t kRebooted = 0x2205;
  static constexpr std::uint32_t kGeneralResetDgn = 0x17F00;
  static constexpr std::uint32_t kFaultWatchMs = 2500;
  // Long enough after the cause went for a latched fault's repeat past 2000 ms.
  static constexpr std::uint32_t kLatchWatchMs = 3500;
  // After the reset to another node, long enough for a fault's repeat.
  static constexpr std::uint32_t kOtherNodeWatchMs = 1500;
  static constexpr std::uint32_t kClearMs = 1000;
  static constexpr std::uint32_t kResetWatchMs = 3000;

  explicit Test_ND120(const engine::TestContext& context);
  void Finish() override;

 private:
  std::optional<engine::RequestPlan> Reset(bool toDut) const;
  void ChooseOtherNode();
  void JudgeOtherNode(std::uint32_t fromMs, std::uint32_t toMs);
  // True when the ACK holds; false for a NAK: the DUT lacks GENERAL_RESET.
  bool JudgeAck();
  void JudgeAfterReset(std::uint32_t sentMs);

  std::bitset<256> inUse_;
  std::uint8_t otherNode_ = 0xFF;
  engine::EOperatorAction* remove_ = nullptr;
  std::optional<engine::RequestOutcome> toOther_;
  std::optional<engine::RequestOutcome> toDut_;
};

}  // namespace vlt::compliance
