// Read ADDRESS_CLAIM: waits for the DUT to power up, shows its first
// ADDRESS_CLAIM and, if the operator agrees, keeps the NAME in the profile for
// the tests that compare or transmit a full claim. It reports no criteria.
#pragma once

#include "engine/test.h"
#include "engine/watch.h"

namespace vlt::compliance {

inline constexpr const char* kFullClaimSetting = "Full ADDRESS_CLAIM Value";

// Catches the first ADDRESS_CLAIM from any source address.
class EWatchForAddressClaim_ARA : public engine::EWatchForDGN {
 public:
  EWatchForAddressClaim_ARA(engine::Test* test, engine::DataLog* log) : EWatchForDGN(test, log) {}

  std::string GetName() const override { return "EWatchForAddressClaim"; }
  void Start() override;
  void Reset() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
  std::string WaitingFor() const override {
    return "No ADDRESS_CLAIM heard: is the DUT powered and on the bus?";
  }
  // This run caught a claim carrying a whole NAME.
  bool NameRead() const { return nameRead_; }

 private:
  bool nameRead_ = false;
};

class Test_A_ReadAddress : public engine::Test {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 0;

  explicit Test_A_ReadAddress(const engine::TestContext& context);

  void WriteReport() override {}
  void Finish() override;

 private:
  const EWatchForAddressClaim_ARA* watch_ = nullptr;
};

}  // namespace vlt::compliance
