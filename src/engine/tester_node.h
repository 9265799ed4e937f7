// The tester as a node of the bus while it asks and commands: J1939-81 lets only
// a node that has claimed its address send anything but a request for
// ADDRESS_CLAIM, and some stacks ignore (or never NAK) a requester nobody claimed.
// So before its first request the tester claims F9h with a NAME that loses to
// any real device, answers requests for that claim and keeps the address as
// J1939-81 says: a lower-priority rival is answered with the claim again; a
// higher-priority one takes the address, and the test cannot go on.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/watch.h"

namespace vlt::engine {

// Not arbitrary-address capable, industry group 0, vehicle system 127 (instance
// 15), function 129 (off-board diagnostic-service tool), every instance field
// and the identity number all ones, manufacturer code 2047: the highest NAME a
// non-arbitrary-address-capable node can have, so any device outranks it.
inline constexpr std::array<std::uint8_t, 8> kTesterName = {0xFF, 0xFF, 0xFF, 0xFF,
                                                            0xFF, 0x81, 0xFE, 0x0F};
// A claim stands once this long has passed without a rival.
inline constexpr std::uint32_t kClaimContentionMs = 250;

// Holds and blocks the list for the contention time after its claim; watches
// every frame for the rest of the run.
class EClaimTesterAddress : public EWatch {
 public:
  EClaimTesterAddress(Test* test, DataLog* log) : EWatch(test, log) {}
  std::string GetName() const override { return "EClaimTesterAddress"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  void OnMatch(DataLog& log, int index, const framework::FrameRecord& frame) override;
  std::string WaitingFor() const override;

  bool Lost() const { return lost_; }
  std::uint32_t ClaimsSent() const { return claimsSent_; }

 private:
  void SendClaim();
  void OnRivalClaim(DataLog& log, int index, const framework::FrameRecord& frame);

  std::uint32_t claimedAtMs_ = 0;
  std::uint32_t claimsSent_ = 0;
  bool lost_ = false;
};

}  // namespace vlt::engine
