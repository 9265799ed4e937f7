// What the watches of the running-device claim tests share: the DSA category
// ranges, the byte text of a claim, and the report's dump of requests and claims.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/specifier.h"
#include "engine/test.h"
#include "framework/frame_record.h"

namespace vlt::compliance::claims {

inline constexpr const char* kToleranceSetting = "250MS Timing Tolerance";
inline constexpr const char* kDsaCategorySetting = "DSA Category";
inline constexpr std::uint32_t kContentionMs = 250;
// A range narrower than this is no category's: the setting is unusable.
inline constexpr int kMinRangeWidth = 15;
inline constexpr std::size_t kAddressCount = 256;
inline constexpr std::uint8_t kNullAddress = 0xFE;
inline constexpr std::uint8_t kGlobalAddress = 0xFF;
inline constexpr std::uint8_t kLastNodeAddress = 0xFD;
inline constexpr std::uint8_t kNotFound = 0xFF;

struct AddressRange {
  std::uint8_t low;
  std::uint8_t high;
  int Width() const { return high - low; }
};

// By category name, as the settings list writes it; anything else gives FFh-FFh.
AddressRange DsaCategoryRange(std::string_view category);

// An ADDRESS_CLAIM to all (DGN EE00h).
bool IsGlobalClaim(const framework::FrameRecord& frame);
// The frame's data as the profile writes a NAME: "%02X" bytes, blank-separated.
std::string DataText(const framework::FrameRecord& frame);
// "Expected = <profile> , Actual = <frame bytes>".
std::string MismatchNote(const std::string& expected, const framework::FrameRecord& frame);

// The report's tail: a rule, data log 0 with requests (EAxxh) and claims
// (EExxh) from any source decoded, a rule.
void DumpRequestsAndClaims(const engine::Test& test);
// The same with only claims decoded.
void DumpClaims(const engine::Test& test);

}  // namespace vlt::compliance::claims
