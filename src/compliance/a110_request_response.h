// A-110 Response to Request for ADDRESS_CLAIM: the tool, from the null address,
// asks the running DUT for its claim; the DUT must answer from its own address,
// with its saved NAME, within the contention time plus the tolerance.
#pragma once

#include <cstdint>
#include <string>

#include "engine/test.h"
#include "engine/watch.h"

namespace vlt::compliance {

// Sees the tool's request on the bus and judges the DUT's answer to it.
class EWatchForClaims_A110 : public engine::EWatch {
 public:
  EWatchForClaims_A110(engine::Test* test, engine::DataLog* log, const std::uint8_t* dutAddress);

  std::string GetName() const override { return "EWatchForClaims"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
  bool ReadsDutName() const override { return true; }
  std::string WaitingFor() const override;

 private:
  bool IsToolRequest(const framework::FrameRecord& frame) const;

  const std::uint8_t* dutAddress_;
  bool requestSeen_ = false;
  std::int32_t maxDelay_ = 0;  // ms
  std::string expectedName_;   // the profile's NAME text, read at the start
};

class Test_A110 : public engine::Test {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 11;
  static constexpr std::uint16_t kContentsMatch = 0xB01;
  static constexpr std::uint16_t kSourceAddress = 0xB02;
  static constexpr std::uint16_t kResponseTime = 0xB03;
  static constexpr std::uint16_t kRequestMark = 0;
  static constexpr std::uint16_t kAnswerMark = 1;

  explicit Test_A110(const engine::TestContext& context);

  void Finish() override;
  void WriteReport() override;

  std::uint8_t DutAddress() const { return dutAddress_; }

 private:
  std::uint8_t dutAddress_ = 0xFF;
};

}  // namespace vlt::compliance
