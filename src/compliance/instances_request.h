// Request for DGN - Instances: "Identifying DGN" is asked for "Identifying
// Instance" (byte 3 of the request), to the DUT and to all: the DUT answers for
// that instance. Asked for "Unused Instance", an instance it lacks, it NAKs or
// keeps silent when asked directly (the standard does not settle which) and keeps
// silent when asked globally.
#pragma once

#include <cstdint>

#include "compliance/network_test.h"

namespace vlt::compliance {

class Test_Instances : public NetworkTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 25;
  static constexpr std::uint16_t kNoTargetedAnswer = 0x1901;
  static constexpr std::uint16_t kNoGlobalAnswer = 0x1902;
  static constexpr std::uint16_t kLate = 0x1903;
  static constexpr std::uint16_t kOtherInstances = 0x1904;
  static constexpr std::uint16_t kUnusedTargeted = 0x1905;
  static constexpr std::uint16_t kUnusedGlobal = 0x1906;

  explicit Test_Instances(const engine::TestContext& context);
  void Finish() override;

 private:
  // Reads the DGN and both instances; false (with a line saying why) when they
  // cannot make the requests.
  bool ReadSettings();
  std::optional<engine::RequestPlan> PlanFor(bool used, bool targeted) const;
  void JudgeUsed(const engine::RequestOutcome& outcome, engine::DataLog& log, std::uint16_t none);
  void JudgeUnusedTargeted(const engine::RequestOutcome& outcome, engine::DataLog& log);
  void JudgeUnusedGlobal(const engine::RequestOutcome& outcome, engine::DataLog& log);

  std::uint32_t dgn_ = 0;
  std::uint8_t instance_ = 0;
  std::uint8_t unused_ = 0;
  bool usable_ = false;
  std::string unusable_;  // why not
};

}  // namespace vlt::compliance
