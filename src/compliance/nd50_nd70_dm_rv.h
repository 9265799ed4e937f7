// ND-50, ND-60 and ND-70: the DUT's health report DM_RV (1FECA). Without a fault a
// heartbeat every 5000 ms for its DSA, answered on request too; a fault reported
// within 250 ms of its cause and repeated at least every 1000 ms while it lasts,
// one fault to a frame; its clearing reported when the cause goes, and the
// heartbeat back. The operator causes the fault and removes its cause; the
// moments count from when that was done.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compliance/network_test.h"
#include "engine/control_elements.h"

namespace vlt::compliance {

inline constexpr std::uint32_t kNoFaultSpn = 0x7FFFF;
inline constexpr std::uint8_t kNoFaultFmi = 31;

// One DM_RV as its fields read.
struct DmRvContent {
  std::uint8_t operating = 3;  // 00 off, 01 on
  std::uint8_t active = 3;     // 00 standby, 01 active
  std::uint8_t yellow = 3;
  std::uint8_t red = 3;
  std::uint8_t dsa = 0xFF;
  std::uint32_t spn = kNoFaultSpn;
  std::uint8_t fmi = kNoFaultFmi;
  std::uint8_t count = 0x7F;
  std::uint8_t byte5 = 0xFF;
  std::uint8_t extension = 0xFF;
  std::uint8_t byte7 = 0xFF;

  // A fault is named: SPN and FMI are not the values of none.
  bool Fault() const { return spn != kNoFaultSpn || fmi != kNoFaultFmi; }
  bool LampOn() const { return yellow == 1 || red == 1; }
};
// Bytes past `length` read as FFh.
DmRvContent ReadDmRv(const std::uint8_t* data, std::size_t length);
// "6 (temperature)": the common SPNs by name.
std::string SpnText(std::uint32_t spn);

// A DM_RV of the DUT, in the order of the data log.
struct DmRvSeen {
  int index = -1;
  std::uint32_t ms = 0;
  std::uint16_t length = 0;
  bool multiPacket = false;  // the whole message after a transport announcement
  DmRvContent content;
};

// What the three tests share: the DM_RVs the DUT sent, read from the data log
// once the run is over, and the operator's actions on the DUT.
class DmRvTest : public NetworkTest {
 public:
  // The time marks of the operator's actions.
  static constexpr std::uint16_t kFaultCausedMark = 1;
  static constexpr std::uint16_t kCauseRemovedMark = 2;
  // The gap of the heartbeat and of a fault's repeats, and what a gap may exceed them by.
  static constexpr std::uint32_t kHeartbeatMs = 5000;
  static constexpr std::uint32_t kRepeatMs = 1000;
  static constexpr std::uint32_t kGapPercent = 20;
  static constexpr std::uint32_t kStampAllowanceMs = 2;

 protected:
  DmRvTest(const engine::TestContext& context, std::uint16_t catalogueIndex);
  // The common start, done once the DUT's DM_RV was heard.
  void AppendDmRvPreamble();
  // Nothing goes on for `ms`.
  void AppendWait(std::uint32_t ms);
  engine::EOperatorAction& AppendAction(engine::OperatorCue cue, std::uint16_t mark);
  // Every DM_RV of the DUT, and the moments its transport announcements of one came.
  void ReadLog();
  std::vector<const DmRvSeen*> Seen(std::uint32_t fromMs, std::uint32_t toMs,
                                    std::optional<bool> fault = std::nullopt) const;
  // The delay of `seen` after an action done at `doneMs`, 0 for one the person
  // saw to before confirming.
  static std::uint32_t DelayAfter(const DmRvSeen& seen, std::uint32_t doneMs);
  static std::uint32_t MaxGap(std::uint32_t periodMs) {
    return periodMs + periodMs * kGapPercent / 100 + kStampAllowanceMs;
  }
  // "yellow lamp on, red lamp off, SPN 6 (temperature), FMI 0, count 1".
  static std::string FaultText(const DmRvContent& content);

  std::vector<DmRvSeen> seen_;
  std::vector<int> announcements_;  // TP.CM frames announcing a DM_RV
  std::uint32_t endMs_ = 0;         // the data log's last moment
  std::optional<std::uint32_t> firstDutMs_;
};

class Test_ND50 : public DmRvTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 27;
  static constexpr std::uint16_t kNoHeartbeat = 0x1B01;
  static constexpr std::uint16_t kHeartbeatGap = 0x1B02;
  static constexpr std::uint16_t kNotEightBytes = 0x1B03;
  static constexpr std::uint16_t kFaultContent = 0x1B04;
  static constexpr std::uint16_t kByteSixSeven = 0x1B05;
  static constexpr std::uint16_t kOperatingStatus = 0x1B06;
  static constexpr std::uint16_t kDsa = 0x1B07;
  static constexpr std::uint16_t kNoAnswer = 0x1B08;
  static constexpr std::uint16_t kLate = 0x1B09;
  // Two heartbeats at least.
  static constexpr std::uint32_t kListenMs = 12000;

  explicit Test_ND50(const engine::TestContext& context);
  void Finish() override;

 private:
  void JudgeAnswer(const engine::RequestOutcome& outcome, engine::DataLog& log);
  void JudgeContent(const DmRvSeen& seen);
  std::uint32_t listenFromMs_ = 0;
  std::uint32_t listenToMs_ = 0;
  std::optional<int> answerIndex_;
};

class Test_ND60 : public DmRvTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 28;
  static constexpr std::uint16_t kNoFault = 0x1C01;
  static constexpr std::uint16_t kLate = 0x1C02;
  static constexpr std::uint16_t kNotRepeated = 0x1C03;
  static constexpr std::uint16_t kNotEightBytes = 0x1C04;
  static constexpr std::uint16_t kMultiPacket = 0x1C05;
  static constexpr std::uint16_t kLampsOff = 0x1C06;
  static constexpr std::uint16_t kFmi = 0x1C07;
  static constexpr std::uint16_t kDsa = 0x1C08;
  // The fault is watched this long after it was caused: five seconds of repeats.
  static constexpr std::uint32_t kWatchMs = 6000;
  static constexpr std::uint8_t kMaxFmi = 22;

  explicit Test_ND60(const engine::TestContext& context);
  void Finish() override;
  void WriteReport() override;

 private:
  engine::EOperatorAction* cause_ = nullptr;
  engine::EOperatorAction* remove_ = nullptr;
  std::optional<DmRvContent> fault_;  // the first fault reported
};

class Test_ND70 : public DmRvTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 29;
  static constexpr std::uint16_t kNoFault = 0x1D01;
  static constexpr std::uint16_t kNotCleared = 0x1D02;
  static constexpr std::uint16_t kFaultAgain = 0x1D03;
  static constexpr std::uint16_t kHeartbeat = 0x1D04;
  static constexpr std::uint32_t kFaultWatchMs = 2500;
  static constexpr std::uint32_t kClearMs = 1000;
  // A fault still reported this long after its cause went is latched.
  static constexpr std::uint32_t kLatchedMs = 2000;
  // The clearing, and the heartbeat after it.
  static constexpr std::uint32_t kWatchMs = 7500;

  explicit Test_ND70(const engine::TestContext& context);
  void Finish() override;

 private:
  engine::EOperatorAction* cause_ = nullptr;
  engine::EOperatorAction* remove_ = nullptr;
};

}  // namespace vlt::compliance
