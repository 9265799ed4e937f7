// A-40 Dynamic Boot: a DUT with dynamic addressing boots onto an empty bus; its
// first frame must be one request for ADDRESS_CLAIM from the null address to a
// single target inside the dynamic range of its DSA category. Also holds what the
// other dynamic tests share: the category ranges, request frames and the
// contention-time check.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/test.h"
#include "engine/watch.h"

namespace vlt::compliance {

inline constexpr const char* kDsaCategorySetting = "DSA Category";
inline constexpr const char* kTimingToleranceSetting = "250MS Timing Tolerance";
inline constexpr const char* kManufacturerIdSetting = "Manufacturer ID";
inline constexpr std::uint8_t kGlobalTarget = 0xFF;
inline constexpr std::uint8_t kNullSourceAddress = 0xFE;
inline constexpr std::uint8_t kRequestPayloadBytes = 8;
inline constexpr std::uint32_t kDgnBlockMask = 0x1FF00;
// J1939: a claim stands once this long has passed without a rival.
inline constexpr std::int32_t kContentionMs = 250;
// A category's range spans 16 addresses; anything narrower means no category.
inline constexpr int kMinRangeSpan = 15;
inline constexpr const char* kAddressClaimDgnText = "EE00";
// How the dictionary shows the manufacturer codes the tool's own claims carry.
inline constexpr const char* kToolLowestMfgText = "0";
inline constexpr const char* kToolHighestMfgText = "N/D";

struct DsaCategory {
  std::string_view name;
  std::uint8_t low;
  std::uint8_t high;
};

// By category index; Chassis shares the range of Controls and Displays.
inline constexpr std::array<DsaCategory, 9> kDsaCategories{{
    {"Multifunction", 0x70, 0x7F},
    {"Power Components", 0x80, 0x8F},
    {"Controls and Displays", 0x90, 0x9F},
    {"Sensors", 0xA0, 0xAF},
    {"Mechanical Components", 0xB0, 0xBF},
    {"Comfort Systems", 0xC0, 0xCF},
    {"Appliances and Bridges", 0xD0, 0xDF},
    {"Entertainment Systems", 0xE0, 0xEF},
    {"Chassis", 0x90, 0x9F},
}};

struct DsaRange {
  std::uint8_t low = 0xFF;
  std::uint8_t high = 0xFF;
};

// FFh to FFh for text that is not a category.
DsaRange DsaCategoryRange(std::string_view categoryText);

using AddressFlags = std::array<std::uint32_t, 256>;

// Reads "DSA Category" and sets the flag of every address of its range; with no
// category, writes the reason and aborts the test. False when aborted.
bool LoadAllowedTargets(engine::Test& test, AddressFlags& allowed);

bool IsRequest(const framework::FrameRecord& frame);
inline std::uint8_t RequestTarget(const framework::FrameRecord& frame) {
  return static_cast<std::uint8_t>(frame.dgn & 0xFF);
}
// An ADDRESS_CLAIM the tool sent itself (its NAME's manufacturer forced to 0 or 7FFh).
bool IsToolClaimText(const std::string& manufacturerText);

// 250 ms less "250MS Timing Tolerance"; negative for a tolerance above 250.
std::int32_t ReadMinDelay(engine::Test& test);
// A delay of frame stamps (wrapping, so a negative one is huge) short of `minDelay`.
// Compared wide, so that a tolerance above 250 ms accepts every delay.
bool ShorterThan(std::uint32_t delayMs, std::int32_t minDelayMs);

// What the boot watches of the dynamic tests wait for.
inline constexpr const char* kNoBootFrameWait =
    "No frame heard from the DUT since Power Up DUT: is it powered and on the bus?";

// Judges every frame of the DUT's boot; the first one ends the watch, which goes
// on judging until the test ends. A-70 uses it too.
class EWatchForInitialMessage_A40 : public engine::EWatch {
 public:
  EWatchForInitialMessage_A40(engine::Test* test, engine::DataLog* log) : EWatch(test, log) {}

  std::string GetName() const override { return "EWatchForInitialMessage"; }
  std::string WaitingFor() const override { return kNoBootFrameWait; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;

  // Time mark 0, which the marks do not hand back: the first request's stamp.
  std::optional<std::uint32_t> FirstRequestStamp() const {
    if (firstRequestSeen_ == 0) return std::nullopt;
    return firstRequestStamp_;
  }

 private:
  AddressFlags requestedTargets_{};
  AddressFlags allowedTargets_{};
  std::uint32_t requestedCount_ = 0;
  std::uint32_t firstRequestSeen_ = 0;
  std::uint32_t firstRequestStamp_ = 0;
};

class Test_A40 : public engine::Test {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 4;

  explicit Test_A40(const engine::TestContext& context);

  void Finish() override;
  void WriteReport() override;
};

// The element list from the empty bus to the A-40 watch, shared with A-70.
EWatchForInitialMessage_A40& AppendDynamicBootStart(engine::Test& test, engine::DataLog& log);
void AddDynamicBootCriteria(engine::Test& test);
// The report's frame dump with requests decoded, between two rules.
void WriteDumpWithRequestsDecoded(const engine::Test& test);

}  // namespace vlt::compliance
