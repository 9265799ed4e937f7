// A-70 Dynamic Starting No Conflict: the A-40 rules on an uncontested bus, and the
// DUT's ADDRESS_CLAIM no earlier than 250 ms (less the tolerance) after its first
// request for ADDRESS_CLAIM.
#pragma once

#include <cstdint>
#include <string>

#include "compliance/a40_dynamic_boot.h"
#include "engine/test.h"
#include "engine/watch.h"

namespace vlt::compliance {

// Times every ADDRESS_CLAIM from the first request that `boot` saw (time mark 0).
// It neither holds nor blocks and runs until the test ends.
class EWatchForAddressClaim_A70 : public engine::EWatch {
 public:
  EWatchForAddressClaim_A70(engine::Test* test, engine::DataLog* log,
                            const EWatchForInitialMessage_A40& boot);

  std::string GetName() const override { return "EWatchForAddressClaim"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
  std::int32_t MinDelay() const { return mindelay_; }

 private:
  std::int32_t mindelay_ = kContentionMs;
  const EWatchForInitialMessage_A40& boot_;
};

class Test_A70 : public engine::Test {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 7;

  explicit Test_A70(const engine::TestContext& context);

  void Finish() override;
  void WriteReport() override;
};

}  // namespace vlt::compliance
