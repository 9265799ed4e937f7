// A-100 Dynamic Range Full: every address the running DUT claims inside the
// contested set is at once claimed by the tool with a higher-priority NAME,
// until the DUT settles outside the set (its category's range, or in the
// extended form every address but one). Each contested address gets a NAME of
// its own: in J1939 one NAME is one node, and a NAME claiming a second address
// would free the first one for the DUT again.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/test.h"
#include "engine/watch.h"
#include "settings/setting_text.h"

namespace vlt::compliance {

class EWatchForClaims_A100 : public engine::EWatch {
 public:
  EWatchForClaims_A100(engine::Test* test, engine::DataLog* log, const std::uint8_t* dutAddress);

  std::string GetName() const override { return "EWatchForClaims"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
  bool ReadsDutName() const override { return true; }

  bool Contested(std::uint8_t address) const { return contested_[address]; }
  std::string WaitingFor() const override {
    return "The DUT has not claimed an address outside the contested range.";
  }

 private:
  // False when the test was aborted.
  bool MarkContested();
  void Contest(std::uint8_t address) const;
  // The NAME contesting `address`: the profile's with manufacturer code 0 and
  // the address as identity number.
  settings::NameBytes ContestName(std::uint8_t address) const;

  const std::uint8_t* dutAddress_;
  std::array<bool, 256> contested_{};
  settings::NameBytes dutNameBytes_{};
  std::string dutName_;  // the profile's NAME text
};

class Test_A100 : public engine::Test {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 10;
  static constexpr std::uint16_t kFinalAddress = 0xA01;
  static constexpr std::uint16_t kValidAddress = 0xA02;
  static constexpr std::uint8_t kNotFound = 0xFF;

  explicit Test_A100(const engine::TestContext& context);

  void OnStart() override;
  void Finish() override;
  void WriteReport() override;

  std::uint8_t DutAddress() const { return dutAddress_; }
  std::uint8_t FinalAddress() const { return finalAddress_; }

 private:
  std::uint8_t dutAddress_ = kNotFound;
  std::uint8_t finalAddress_ = kNotFound;  // found after the contest; FFh if never
};

}  // namespace vlt::compliance
