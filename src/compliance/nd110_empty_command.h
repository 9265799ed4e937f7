// ND-110 Empty Commands: a command whose every field but the instance holds
// "no data" (FFh) asks for nothing, so the DUT changes nothing; it answers with
// its status, state unchanged, or with a NAK, within the window.
#pragma once

#include <cstdint>

#include "compliance/command_test.h"

namespace vlt::compliance {

class Test_ND110 : public CommandTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 33;
  static constexpr std::uint16_t kChanged = 0x2101;
  static constexpr std::uint16_t kNoAnswer = 0x2102;
  static constexpr std::uint16_t kLate = 0x2103;

  explicit Test_ND110(const engine::TestContext& context);

 private:
  void Judge(const engine::RequestOutcome& outcome, engine::DataLog& log);
};

}  // namespace vlt::compliance
