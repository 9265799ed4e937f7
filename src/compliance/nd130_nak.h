// ND-130 NAK: a command the DUT cannot carry out ("Refused Command Data", by
// default a level out of the field's range) gets a NAK to the commander within
// the window - a code other than 0, byte 4 the commander's address, bytes 5-7
// the command DGN, sent to the commander - and changes nothing. The load is
// switched off first so that a command carried out after all shows. Then a
// request to the DUT for "Unsupported DGN 1" gets a NAK, code 1, as in ND-20.
#pragma once

#include <cstdint>

#include "compliance/command_test.h"

namespace vlt::compliance {

class Test_ND130 : public CommandTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 35;
  static constexpr std::uint16_t kNoNak = 0x2301;
  static constexpr std::uint16_t kNakLate = 0x2302;
  static constexpr std::uint16_t kNakCode = 0x2303;
  static constexpr std::uint16_t kNakCommander = 0x2304;
  static constexpr std::uint16_t kNakDgn = 0x2305;
  static constexpr std::uint16_t kNakDestination = 0x2306;
  static constexpr std::uint16_t kChanged = 0x2307;
  static constexpr std::uint16_t kNoRequestNak = 0x2308;
  static constexpr std::uint16_t kRequestNakLate = 0x2309;
  static constexpr std::uint16_t kRequestNakCode = 0x230A;
  static constexpr std::uint16_t kRequestNakRequester = 0x230B;
  static constexpr std::uint16_t kRequestNakDgn = 0x230C;
  static constexpr std::uint16_t kRequestNakDestination = 0x230D;

  explicit Test_ND130(const engine::TestContext& context);
  void Finish() override;

 private:
  void JudgeRefused(const engine::RequestOutcome& outcome, engine::DataLog& log);
};

}  // namespace vlt::compliance
