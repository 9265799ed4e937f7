// Dynamic Startup Conflict: the tool answers the DUT's request for
// ADDRESS_CLAIM, 200 ms later, with a claim of the requested address carrying the
// DUT's NAME with the manufacturer forced to 0 (A-50: the tool wins, the DUT must
// move on) or to 7FFh (A-60: the DUT wins and must claim the address, keeping the
// contention times).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "compliance/a40_dynamic_boot.h"
#include "engine/test.h"
#include "engine/watch.h"

namespace vlt::compliance {

inline constexpr const char* kTargetAddressSetting = "Target Address";

class EWatchForClaimingMessages_A50 : public engine::EWatch {
 public:
  EWatchForClaimingMessages_A50(engine::Test* test, engine::DataLog* log) : EWatch(test, log) {}

  std::string GetName() const override { return "EWatchForClaimingMessages"; }
  std::string WaitingFor() const override { return kNoBootFrameWait; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;

 private:
  void JudgeRequest(engine::DataLog& log, int index, const framework::FrameRecord& frame);

  AddressFlags requestedTargets_{};
  AddressFlags allowedTargets_{};
  std::uint32_t requestedCount_ = 0;
};

class EWatchForClaimingMessages_A60 : public engine::EWatch {
 public:
  EWatchForClaimingMessages_A60(engine::Test* test, engine::DataLog* log) : EWatch(test, log) {}

  std::string GetName() const override { return "EWatchForClaimingMessages"; }
  std::string WaitingFor() const override { return kNoBootFrameWait; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
  std::int32_t MinDelay() const { return mindelay_; }

 private:
  void JudgeClaim(engine::DataLog& log, int index, const framework::FrameRecord& frame,
                  const std::string& manufacturer);

  std::int32_t mindelay_ = kContentionMs;
  // Stamps of time marks 0 and 1, which the marks do not hand back.
  std::optional<std::uint32_t> requestStamp_;
  std::optional<std::uint32_t> claimStamp_;
};

class Test_A50 : public engine::Test {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 5;

  explicit Test_A50(const engine::TestContext& context);

  void Finish() override;
  void WriteReport() override;
};

class Test_A60 : public engine::Test {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 6;

  explicit Test_A60(const engine::TestContext& context);

  void Finish() override;
  void WriteReport() override;
};

}  // namespace vlt::compliance
