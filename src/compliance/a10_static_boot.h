// A-10 Static Boot: a DUT with a fixed address, powered onto an empty bus, must
// claim its default source address first, with the profile's manufacturer code
// and the arbitrary-address bit clear, and then leave the bus quiet for 250 ms.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "data/specifier.h"
#include "engine/test.h"
#include "engine/watch.h"

namespace vlt::compliance {

// Criteria of A-10.
inline constexpr std::uint16_t kA10BroadcastsClaim = 0x101;
inline constexpr std::uint16_t kA10ArbitraryBit = 0x102;
inline constexpr std::uint16_t kA10NotDsa = 0x103;
inline constexpr std::uint16_t kA10MessageBeforeClaim = 0x104;
inline constexpr std::uint16_t kA10DgnNotEe00 = 0x105;
inline constexpr std::uint16_t kA10MultipleAddresses = 0x106;
inline constexpr std::uint16_t kA10Manufacturer = 0x107;
inline constexpr std::uint16_t kA10PostClaimQuiet = 0x108;

// Time mark of the DUT's most recent claim.
inline constexpr std::uint16_t kA10ClaimMark = 0;

class Test_A10;

// Claims sent to one destination instead of to all (DGN EE01h-EEFFh).
class EWatchForInitialMessage_A10 : public engine::EWatch {
 public:
  EWatchForInitialMessage_A10(engine::Test* test, engine::DataLog* log) : EWatch(test, log) {}
  std::string GetName() const override { return "EWatchForInitialMessage"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
};

// The bus must stay quiet for the contention time after each claim.
class EWatchForPostACDelay_A10 : public engine::EWatch {
 public:
  EWatchForPostACDelay_A10(engine::Test* test, engine::DataLog* log, const Test_A10* owner)
      : EWatch(test, log), owner_(owner) {}
  std::string GetName() const override { return "EWatchForPostACDelay"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
  std::int32_t MinDelay() const { return mindelay_; }

 private:
  const Test_A10* owner_;
  std::int32_t mindelay_ = 0;
};

// Judges every ADDRESS_CLAIM; the first one ends the watch (it keeps parsing).
class EWatchForAddressClaim_A10 : public engine::EWatchForDGN {
 public:
  EWatchForAddressClaim_A10(engine::Test* test, engine::DataLog* log, Test_A10* owner)
      : EWatchForDGN(test, log), owner_(owner) {}
  std::string GetName() const override { return "EWatchForAddressClaim"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
  // "Repeat Last Test" runs the same object again: its first claim is judged anew.
  void Reset() override;
  std::string WaitingFor() const override {
    return "No ADDRESS_CLAIM heard since Power Up DUT: is the DUT powered and on the bus?";
  }

 private:
  Test_A10* owner_;
  std::uint32_t firstClaimSeen_ = 0;
};

// Reports the first claim of an address other than the claimed one.
class EWatchForAdditionalClaims_A10 : public engine::EWatchForDGN {
 public:
  EWatchForAdditionalClaims_A10(engine::Test* test, engine::DataLog* log)
      : EWatchForDGN(test, log) {}
  std::string GetName() const override { return "EWatchForAdditionalClaims"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
};

class Test_A10 : public engine::Test {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 1;

  explicit Test_A10(const engine::TestContext& context);

  void OnStart() override;
  void Finish() override;
  void WriteReport() override;

  // Mark 0 and the stamp it was taken from; none before the DUT's first claim.
  void MarkClaim(std::uint32_t stampMs);
  std::optional<std::uint32_t> ClaimStamp() const { return claimStamp_; }

 private:
  std::optional<std::uint32_t> claimStamp_;
  std::unique_ptr<data::SpecByDGN> claimDecoder_;
};

}  // namespace vlt::compliance
