// ND-30 Request for DGN - Random Target: after listening to learn which addresses
// are in use, the tester asks addresses no device holds for each "Supported DGN",
// PRODUCT_ID, DM_RV and ADDRESS_CLAIM. A request addressed to another node is
// none of the DUT's business: it must send neither the DGN nor a NAK.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <ctime>
#include <vector>

#include "compliance/network_test.h"
#include "engine/watch.h"

namespace vlt::compliance {

// Every source address heard, and every address claimed, from its start on.
class EWatchAddressesInUse : public engine::EWatch {
 public:
  EWatchAddressesInUse(engine::Test* test, engine::DataLog* log, std::bitset<256>* inUse);
  std::string GetName() const override { return "EWatchAddressesInUse"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;

 private:
  std::bitset<256>* inUse_;
};

// `count` addresses of 0-253 no device was heard at, never the DUT's or the
// tester's: random from run to run, yet the same for the same start time.
std::vector<std::uint8_t> FreeAddresses(const std::bitset<256>& inUse, std::uint8_t dut,
                                        const std::tm& when, std::size_t count);

class Test_ND30 : public NetworkTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 24;
  static constexpr std::uint16_t kAnswered = 0x1801;
  static constexpr std::uint16_t kNakked = 0x1802;
  static constexpr std::size_t kTargets = 3;

  explicit Test_ND30(const engine::TestContext& context);
  void Finish() override;

  const std::array<std::uint8_t, kTargets>& Targets() const { return targets_; }

 private:
  // Addresses no device was heard at, never the DUT's, the tester's, FEh or FFh.
  void ChooseTargets();
  std::optional<engine::RequestPlan> PlanFor(std::size_t target, int slot);
  void Judge(const engine::RequestOutcome& outcome, engine::DataLog& log);

  std::bitset<256> inUse_;
  std::array<std::uint8_t, kTargets> targets_{};
  std::string targetsText_;
};

}  // namespace vlt::compliance
