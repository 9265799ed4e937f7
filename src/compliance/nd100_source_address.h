// ND-100 Ignoring Source Address: the source address and priority of a command
// carry no meaning, so the DUT obeys "Command On Data" and "Command Off Data"
// from the tester, from a second address no device holds at priority 7 and from
// a third at priority 6, each time reporting the commanded state. It ends with
// Off from the tester.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "compliance/command_test.h"

namespace vlt::compliance {

class Test_ND100 : public CommandTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 32;
  static constexpr std::uint16_t kNotObeyed = 0x2001;
  static constexpr std::uint16_t kLate = 0x2002;

  explicit Test_ND100(const engine::TestContext& context);

  // The tester's address and the two others the commands come from.
  const std::array<std::uint8_t, 3>& Sources() const { return sources_; }

 private:
  // The highest addresses below the tester's that no device was heard at.
  void ChooseSources();

  std::bitset<256> inUse_;
  std::array<std::uint8_t, 3> sources_{};
};

}  // namespace vlt::compliance
