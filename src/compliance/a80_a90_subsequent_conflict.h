// Dynamic Subsequent Conflict: the tool takes the running DUT's
// address and claims it with a lower-priority NAME (A-80: the DUT must defend)
// or a higher-priority NAME (A-90: the DUT must move inside its range, asking
// first and keeping the contention times).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/test.h"
#include "engine/watch.h"

namespace vlt::compliance {

// Judges the DUT's defence of its address against the tool's claim.
class EWatchForClaims_A80 : public engine::EWatch {
 public:
  EWatchForClaims_A80(engine::Test* test, engine::DataLog* log, const std::uint8_t* initialAddress);

  std::string GetName() const override { return "EWatchForClaims"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
  bool ReadsDutName() const override { return true; }

 private:
  const std::uint8_t* initialAddress_;
  std::uint8_t watchedAddress_ = 0;
  bool deviceClaimSeen_ = false;
  bool contestSeen_ = false;
  std::int32_t maxDelay_ = 0;  // ms
  std::string expectedName_;
};

// Judges how the DUT gives its address up and claims a new one.
class EWatchForClaims_A90 : public engine::EWatch {
 public:
  EWatchForClaims_A90(engine::Test* test, engine::DataLog* log, std::uint8_t* claimedAddress);

  std::string GetName() const override { return "EWatchForClaims"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
  bool ReadsDutName() const override { return true; }

 private:
  void OnClaim(engine::DataLog& log, int index, const framework::FrameRecord& frame);
  void OnRequest(engine::DataLog& log, int index, const framework::FrameRecord& frame);
  void OnOtherFrame(engine::DataLog& log, int index);

  bool deviceClaimSeen_ = false;
  bool contestSeen_ = false;
  bool requestSeen_ = false;
  std::int32_t minDelay_ = 0;  // ms
  std::uint8_t requestedTarget_ = 0xFF;
  std::uint8_t* claimedAddress_;
  std::array<bool, 256> allowedTargets_{};
  std::string expectedName_;
};

// What share: the element list around the watch, and the report.
class SubsequentConflictTest : public engine::Test {
 public:
  static constexpr std::uint16_t kContestMark = 0;
  static constexpr std::uint8_t kNotFound = 0xFF;

  void WriteReport() override;

  std::uint8_t InitialAddress() const { return initialAddress_; }
  std::uint8_t FinalAddress() const { return finalAddress_; }

 protected:
  SubsequentConflictTest(const engine::TestContext& context, std::uint16_t catalogueIndex);
  // Appends the list; `watch` is appended after the tool has taken the DUT's address.
  void BuildList(const std::string& memo, std::unique_ptr<engine::EWatch> watch,
                 std::uint32_t nameKind);

  std::uint8_t initialAddress_ = kNotFound;
  std::uint8_t finalAddress_ = kNotFound;
};

class Test_A80 : public SubsequentConflictTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 8;
  static constexpr std::uint16_t kAddressKept = 0x801;
  static constexpr std::uint16_t kDefenceTime = 0x802;
  static constexpr std::uint16_t kNothingBeforeDefence = 0x803;
  static constexpr std::uint16_t kClaimMatches = 0x804;
  static constexpr std::uint16_t kDefenceMark = 1;

  explicit Test_A80(const engine::TestContext& context);

  void Finish() override;
};

class Test_A90 : public SubsequentConflictTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 9;
  static constexpr std::uint16_t kRequestFromNull = 0x401;
  static constexpr std::uint16_t kTargetInRange = 0x402;
  static constexpr std::uint16_t kNothingBeforeRequest = 0x403;
  static constexpr std::uint16_t kRequestLength = 0x404;
  static constexpr std::uint16_t kRequestedDgn = 0x405;
  static constexpr std::uint16_t kNoGlobalRequest = 0x406;
  static constexpr std::uint16_t kOneTarget = 0x407;
  static constexpr std::uint16_t kClaimMatches = 0x808;
  static constexpr std::uint16_t kAddressChanged = 0x901;
  static constexpr std::uint16_t kNothingBeforeClaim = 0x902;
  static constexpr std::uint16_t kClaimWait = 0x903;
  static constexpr std::uint16_t kQuietAfterClaim = 0x904;
  static constexpr std::uint16_t kClaimedRequested = 0x905;
  static constexpr std::uint16_t kClaimedUsed = 0x906;
  static constexpr std::uint16_t kOneClaim = 0x907;
  static constexpr std::uint16_t kRequestMark = 1;
  static constexpr std::uint16_t kClaimMark = 2;

  explicit Test_A90(const engine::TestContext& context);

  void Finish() override;

  std::uint8_t ClaimedAddress() const { return claimedAddress_; }

 private:
  std::uint8_t claimedAddress_ = kNotFound;
};

}  // namespace vlt::compliance
