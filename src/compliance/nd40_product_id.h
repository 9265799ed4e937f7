// ND-40 PRODUCT_ID: asked for PRODUCT_ID, to its address and to all, the DUT
// answers within 250 ms; a long answer goes by BAM only, its announcement agrees
// with what follows, its packets come 50 to 500 ms apart, numbered from 1, the
// last one filled with FFh. The text is ISO 8859-1 graphic characters, four
// fields joined by '*' (Make*Model*Serial number*Unit number) with a Make and a
// Model. PRODUCT_ID is sent only when asked for.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "compliance/network_test.h"
#include "engine/watch.h"

namespace vlt::compliance {

// Every PRODUCT_ID the DUT begins (its announcement, or its single frame).
class EWatchProductIds : public engine::EWatch {
 public:
  EWatchProductIds(engine::Test* test, engine::DataLog* log, const std::uint8_t* dut,
                   std::vector<int>* starts);
  std::string GetName() const override { return "EWatchProductIds"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;

 private:
  const std::uint8_t* dut_;
  std::vector<int>* starts_;
};

// The four fields of a PRODUCT_ID text.
struct ProductIdFields {
  std::string make, model, serial, unit;
  std::size_t delimiters = 0;
};
ProductIdFields SplitProductId(const std::string& text);

class Test_ND40 : public NetworkTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 26;
  static constexpr std::uint16_t kNoTargetedAnswer = 0x1A01;
  static constexpr std::uint16_t kNoGlobalAnswer = 0x1A02;
  static constexpr std::uint16_t kLate = 0x1A03;
  static constexpr std::uint16_t kNotBam = 0x1A04;
  static constexpr std::uint16_t kCountMismatch = 0x1A05;
  static constexpr std::uint16_t kPacketGap = 0x1A06;
  static constexpr std::uint16_t kSequence = 0x1A07;
  static constexpr std::uint16_t kPadding = 0x1A08;
  static constexpr std::uint16_t kNotGraphic = 0x1A09;
  static constexpr std::uint16_t kDelimiters = 0x1A0A;
  static constexpr std::uint16_t kMakeModel = 0x1A0B;
  static constexpr std::uint16_t kUnrequested = 0x1A0C;
  // Packets of a BAM come this far apart.
  static constexpr std::uint32_t kMinPacketGapMs = 50;
  static constexpr std::uint32_t kMaxPacketGapMs = 500;
  // Frames are stamped in whole milliseconds as they reach the tester, so a gap
  // measures up to this much off the one on the bus.
  static constexpr std::uint32_t kStampAllowanceMs = 2;

  explicit Test_ND40(const engine::TestContext& context);
  void Finish() override;
  void WriteReport() override;

 private:
  void Judge(const engine::RequestOutcome& outcome, engine::DataLog& log, std::uint16_t none);
  void JudgeTransfer(const std::string& asked, const engine::RequestOutcome& outcome,
                     engine::DataLog& log, std::string& text);
  void JudgeText(const std::string& asked, const std::string& text, engine::DataLog& log,
                 int index);

  std::vector<int> starts_;          // every PRODUCT_ID the DUT began, by log index
  std::set<int> answered_;           // those that answered a request
  std::optional<std::string> text_;  // the first text read
};

}  // namespace vlt::compliance
