// ND-10 Global Request for DGN and ND-20 Targeted Request for DGN: the DUT is
// asked for each "Supported DGN" and each "Unsupported DGN", to all nodes (ND-10)
// or to its own address (ND-20). A supported DGN comes back within 250 ms; an
// unsupported one is met with silence when asked globally and with a NAK to the
// requester when asked directly.
#pragma once

#include <cstdint>

#include "compliance/network_test.h"

namespace vlt::compliance {

class RequestForDgnTest : public NetworkTest {
 public:
  void Finish() override;

 protected:
  struct Ids {
    std::uint16_t notSent, late, notEightBytes, nakForSupported, unsupportedSent;
  };
  RequestForDgnTest(const engine::TestContext& context, std::uint16_t catalogueIndex, bool targeted,
                    Ids ids);

  // The unsupported DGN's answer, judged by each test its own way.
  virtual void JudgeUnsupported(const engine::RequestOutcome& outcome, engine::DataLog& log) = 0;

 private:
  std::optional<engine::RequestPlan> PlanFor(const char* setting, int n);
  void JudgeSupported(const engine::RequestOutcome& outcome, engine::DataLog& log);

  bool targeted_;
  Ids ids_;
};

class Test_ND10 : public RequestForDgnTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 22;
  static constexpr std::uint16_t kSupportedNotSent = 0x1601;
  static constexpr std::uint16_t kLate = 0x1602;
  static constexpr std::uint16_t kNotEightBytes = 0x1603;
  static constexpr std::uint16_t kNakToGlobal = 0x1604;
  static constexpr std::uint16_t kUnsupportedSent = 0x1605;

  explicit Test_ND10(const engine::TestContext& context);

 private:
  void JudgeUnsupported(const engine::RequestOutcome& outcome, engine::DataLog& log) override;
};

class Test_ND20 : public RequestForDgnTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 23;
  static constexpr std::uint16_t kSupportedNotSent = 0x1701;
  static constexpr std::uint16_t kLate = 0x1702;
  static constexpr std::uint16_t kNotEightBytes = 0x1703;
  static constexpr std::uint16_t kNakForSupported = 0x1704;
  static constexpr std::uint16_t kNoNak = 0x1705;
  static constexpr std::uint16_t kNakLate = 0x1706;
  static constexpr std::uint16_t kNakCode = 0x1707;
  static constexpr std::uint16_t kNakRequester = 0x1708;
  static constexpr std::uint16_t kNakDgn = 0x1709;
  static constexpr std::uint16_t kNakDestination = 0x170A;
  static constexpr std::uint16_t kUnsupportedSent = 0x170B;

  explicit Test_ND20(const engine::TestContext& context);

 private:
  void JudgeUnsupported(const engine::RequestOutcome& outcome, engine::DataLog& log) override;
};

// The ND-20 judgement of a NAK that must answer a targeted request for a DGN the
// DUT lacks; ND-130 shares it. `ids.code` etc. as NakCriteria, `noNak` and
// `late` for its absence and timing.
struct UnsupportedNakIds {
  std::uint16_t noNak, late;
  engine::NakCriteria nak;
};
void JudgeUnsupportedNak(engine::Test& test, const UnsupportedNakIds& ids,
                         const engine::RequestOutcome& outcome, engine::DataLog& log);

}  // namespace vlt::compliance
