// ND-140 Command with Incorrect Instance: a command for an instance the DUT
// lacks ("Command On Data" naming "Unused Instance") is none of its business:
// no change of state, no status for that instance and no NAK within 1250 ms.
// The load is switched off first; after the command, On and Off with the right
// instance show that the command itself works and leave the load off.
#pragma once

#include <cstdint>

#include "compliance/command_test.h"

namespace vlt::compliance {

class Test_ND140 : public CommandTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 36;
  static constexpr std::uint16_t kActedOn = 0x2401;
  static constexpr std::uint16_t kNakked = 0x2402;
  static constexpr std::uint16_t kNotObeyed = 0x2403;
  static constexpr std::uint16_t kLate = 0x2404;

  explicit Test_ND140(const engine::TestContext& context);

 private:
  // "Unused Instance", when it names an instance other than the load's.
  std::optional<std::uint8_t> UnusedInstance();
  void JudgeWrongInstance(const engine::RequestOutcome& outcome, engine::DataLog& log);

  std::uint8_t unused_ = 0;
};

}  // namespace vlt::compliance
