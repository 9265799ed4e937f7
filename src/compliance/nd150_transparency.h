// ND-150 Transparency of Control: a change made at the device itself (its own
// switch or button) is reported over RV-C as if it had been commanded. The load
// is switched off by command first; the operator then works the DUT's own
// control, and the status must show a new state within the window of the
// action, not only at its next periodic frame. "Command Off Data" then gives
// the commanded state again and leaves the load off.
#pragma once

#include <cstdint>

#include "compliance/command_test.h"

namespace vlt::engine {
class EOperatorAction;
}  // namespace vlt::engine

namespace vlt::compliance {

class Test_ND150 : public CommandTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 37;
  static constexpr std::uint16_t kNotReported = 0x2501;
  static constexpr std::uint16_t kReportLate = 0x2502;
  static constexpr std::uint16_t kNotObeyed = 0x2503;
  static constexpr std::uint16_t kLate = 0x2504;
  // How long the status is awaited after the action: past the next frame of a
  // status sent every 5000 ms + 20 %, and its window.
  static constexpr std::uint32_t kListenMs = 6500;

  explicit Test_ND150(const engine::TestContext& context);

 private:
  void JudgeControl();

  const engine::EOperatorAction* action_ = nullptr;
  std::size_t promptIndex_ = 0;  // the first frame of the log after the cue
};

}  // namespace vlt::compliance
