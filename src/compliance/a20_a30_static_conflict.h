// Static Conflict: the tool claims the running DUT's own address
// with a NAME of lower or higher priority; a static DUT must
// re-establish its claim on the same address at once, with the same NAME and
// before sending anything else.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "data/specifier.h"
#include "engine/test.h"
#include "engine/watch.h"

namespace vlt::compliance {

// Criteria of.
inline constexpr std::uint16_t kA20AddressChanged = 0x201;
inline constexpr std::uint16_t kA20MessageBeforeClaim = 0x202;
inline constexpr std::uint16_t kA20ResponseTime = 0x203;
inline constexpr std::uint16_t kA20ContentsDiffer = 0x204;

// Time marks: the tool's claim as seen on the bus, the DUT's first claim after it.
inline constexpr std::uint16_t kA20ToolClaimMark = 0;
inline constexpr std::uint16_t kA20ResponseMark = 1;

// Judges the DUT's first frames after the tool's competing claim.
class EWatchForAddressClaim_A20 : public engine::EWatch {
 public:
  EWatchForAddressClaim_A20(engine::Test* test, engine::DataLog* log) : EWatch(test, log) {}
  std::string GetName() const override { return "EWatchForAddressClaim"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;
  bool ReadsDutName() const override { return true; }
  std::int32_t MinDelay() const { return mindelay_; }
  // "Repeat Last Test" runs the same object again: it waits for a new tool claim.
  void Reset() override;

 private:
  std::uint8_t dsa_ = 0;
  std::uint32_t toolClaimSeen_ = 0;
  std::uint32_t responseSeen_ = 0;
  std::int32_t mindelay_ = 0;
};

// A claim from any other address that carries a real manufacturer code.
class EWatchForStrayAddressClaim_A20 : public engine::EWatch {
 public:
  EWatchForStrayAddressClaim_A20(engine::Test* test, engine::DataLog* log) : EWatch(test, log) {}
  std::string GetName() const override { return "EWatchForStrayAddressClaim"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;

 private:
  std::uint8_t dsa_ = 0;
};

class Test_A20_A30 : public engine::Test {
 public:
  // `lowerPriority` 1: the competing claim loses arbitration; 0: it wins.
  Test_A20_A30(const engine::TestContext& context, std::uint16_t catalogueIndex,
               std::uint32_t lowerPriority);

  void OnStart() override;
  void Finish() override;
  void WriteReport() override;

 private:
  std::unique_ptr<data::SpecByDGN> claimDecoder_;
};

class Test_A20 : public Test_A20_A30 {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 2;
  explicit Test_A20(const engine::TestContext& context)
      : Test_A20_A30(context, kCatalogueIndex, 1) {}
};

class Test_A30 : public Test_A20_A30 {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 3;
  explicit Test_A30(const engine::TestContext& context)
      : Test_A20_A30(context, kCatalogueIndex, 0) {}
};

}  // namespace vlt::compliance
