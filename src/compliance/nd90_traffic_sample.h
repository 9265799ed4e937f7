// ND-90 Network Traffic Sample: the tester listens to the bus in normal operation
// for "Traffic Sample Seconds" and holds every frame from the DUT's address to the
// rules of every RV-C frame: 8 bytes, the reserved identifier bit clear, no
// priority above the DGN's default, a published DGN, bits no signal uses sent as
// 1s, at least 5 ms between its frames and 50 ms unless a frame is the first
// answer to a request or command, never silent for longer than 5000 ms + 20 %,
// a DM_RV at least every 6 s, and the address it sends from one it has claimed.
// The report ends with a table of what the DUT sent, DGN by DGN.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "compliance/network_test.h"
#include "compliance/traffic_judge.h"
#include "engine/watch.h"

namespace vlt::compliance {

inline constexpr const char* kTrafficSampleSetting = "Traffic Sample Seconds";
inline constexpr std::uint32_t kDefaultTrafficSampleSeconds = 30;
// "Traffic Sample Seconds" in ms.
std::uint32_t TrafficSampleMs(engine::Test& test);

// Asks the DUT for its claim, then hands every frame of the next `sampleMs` to
// the judge it makes. Measures the sample on the frames' own stamps, so a host
// that stamps frames itself (03h) is judged on its clock.
class EWatchTraffic : public engine::EWatch {
 public:
  EWatchTraffic(engine::Test* test, engine::DataLog* log, const std::uint8_t* dut,
                std::optional<TrafficJudge>* judge, std::function<std::uint32_t()> sampleMs);
  std::string GetName() const override { return "EWatchTraffic"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  void OnLoopStep() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
  std::string WaitingFor() const override;

 private:
  void Step();

  const std::uint8_t* dut_;
  std::optional<TrafficJudge>* judge_;
  std::function<std::uint32_t()> sampleMsOf_;
  std::uint32_t sampleMs_ = 0;
  TrafficRules rules_;
  std::uint32_t startNowMs_ = 0;
  std::int64_t frameOffsetMs_ = 0;  // the tester's clock minus the frames' stamps
};

class Test_ND90 : public NetworkTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 31;
  static constexpr std::uint16_t kLength = 0x1F01;
  static constexpr std::uint16_t kReservedBit = 0x1F02;
  static constexpr std::uint16_t kPriority = 0x1F03;
  static constexpr std::uint16_t kUnclaimed = 0x1F04;
  static constexpr std::uint16_t kUndocumented = 0x1F05;
  static constexpr std::uint16_t kTooClose = 0x1F06;
  static constexpr std::uint16_t kHasty = 0x1F07;
  static constexpr std::uint16_t kSilence = 0x1F08;
  static constexpr std::uint16_t kDmRv = 0x1F09;
  static constexpr std::uint16_t kUnusedBits = 0x1F0A;
  static constexpr std::uint16_t kStray = 0x1F0B;

  explicit Test_ND90(const engine::TestContext& context);
  void Finish() override;
  void WriteReport() override;

  const std::optional<TrafficJudge>& Judge() const { return judge_; }

 private:
  void Decide();
  void WriteTable();
  void DumpDutFrames();

  std::optional<TrafficJudge> judge_;
};

}  // namespace vlt::compliance
