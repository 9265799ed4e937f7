// What every ND test shares: the DUT in normal operation found by "Identifying
// DGN", the tester claiming its own address, a time of listening to learn what
// the DUT sends by itself, then the test's own requests and commands, and a
// report that ends with the frames of the run.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/device_rhythm.h"
#include "engine/request_elements.h"
#include "engine/test.h"

namespace vlt::compliance {

inline constexpr const char* kSupportedDgnSetting = "Supported DGN ";      // + 1 to 3
inline constexpr const char* kUnsupportedDgnSetting = "Unsupported DGN ";  // + 1 to 3
inline constexpr int kDgnSlots = 3;
// Long enough to hear two frames of a DGN sent every 5000 ms + 20 %.
inline constexpr std::uint32_t kLearnMs = 6000;
// How long the DUT may take to show up in normal operation.
inline constexpr std::uint32_t kFindDutLimitMs = 10000;

class NetworkTest : public engine::Test {
 public:
  NetworkTest(const engine::TestContext& context, std::uint16_t catalogueIndex);

  std::uint8_t DutAddress() const { return dut_; }
  const engine::DeviceRhythm& Rhythm() const { return rhythm_; }

  void WriteReport() override;

 protected:
  // The common start: normal operation, the DUT found, the tester's claim, and
  // listening until `learnt` says enough or `learnMs` ran out.
  void AppendPreamble(std::function<bool(const engine::DeviceRhythm&)> learnt = {},
                      std::uint32_t learnMs = kLearnMs);
  // A request the plan gives at its start (none: skipped), judged by `judge`.
  engine::ERequestDgn& AppendRequest(engine::ERequestDgn::Plan plan,
                                     engine::ERequestDgn::Judge judge,
                                     std::uint32_t listenMs = engine::kSilenceMs);

  // The DGN of "Supported DGN n" or "Unsupported DGN n" (n from 1), unless it is 0
  // ("not used"), not a DGN, or the same as an earlier slot of the same kind.
  std::optional<std::uint32_t> SlotDgn(const char* setting, int n);
  // Every DGN of the three slots of that kind, without repeats.
  std::vector<std::uint32_t> SlotDgns(const char* setting);
  // A learner that is done once every one of `dgns` came twice from the DUT.
  static bool HeardTwice(const engine::DeviceRhythm& rhythm,
                         const std::vector<std::uint32_t>& dgns);

  engine::DataLog& Log() { return *log_; }
  std::uint32_t Window() { return engine::AnswerWindowMs(*this); }

  engine::DataLog* log_ = nullptr;
  std::uint8_t dut_ = 0xFF;
  engine::DeviceRhythm rhythm_;
  engine::EWatchDeviceRhythm* rhythmWatch_ = nullptr;
};

// "DGN 1FEE5".
std::string DgnLabel(std::uint32_t dgn);
// The DGN a setting's hexadecimal text names; none for 0 ("not used") or no DGN.
std::optional<std::uint32_t> SettingDgn(const std::string& text);

}  // namespace vlt::compliance
