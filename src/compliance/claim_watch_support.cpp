#include "compliance/claim_watch_support.h"

#include <string>

#include "settings/setting_text.h"

namespace vlt::compliance::claims {

namespace {

constexpr std::uint32_t kRequestBlockDgn = 0xEA00;
constexpr std::uint32_t kClaimBlockDgn = 0xEE00;
constexpr std::size_t kRuleChars = 80;

struct NamedRange {
  std::string_view name;
  AddressRange range;
};

constexpr std::array<NamedRange, 9> kCategoryRanges{{
    {"Multifunction", {0x70, 0x7F}},
    {"Power Components", {0x80, 0x8F}},
    {"Controls and Displays", {0x90, 0x9F}},
    {"Sensors", {0xA0, 0xAF}},
    {"Mechanical Components", {0xB0, 0xBF}},
    {"Comfort Systems", {0xC0, 0xCF}},
    {"Appliances and Bridges", {0xD0, 0xDF}},
    {"Entertainment Systems", {0xE0, 0xEF}},
    {"Chassis", {0x90, 0x9F}},
}};

// Matches what either of two specifiers matches; neither is owned.
class SpecEither final : public data::Specifier {
 public:
  SpecEither(const data::Specifier& a, const data::Specifier& b)
      : Specifier(nullptr), a_(a), b_(b) {}
  bool Matches(const framework::FrameMessage& message) const override {
    return a_.Matches(message) || b_.Matches(message);
  }

 private:
  const data::Specifier& a_;
  const data::Specifier& b_;
};

void Rule(const engine::Test& test) {
  test.Write(std::string(kRuleChars, '-'));
}

}  // namespace

AddressRange DsaCategoryRange(std::string_view category) {
  for (const NamedRange& entry : kCategoryRanges) {
    if (entry.name == category) return entry.range;
  }
  return {0xFF, 0xFF};
}

bool IsGlobalClaim(const framework::FrameRecord& frame) {
  return frame.textFlag == 0 && frame.dgn == kClaimBlockDgn;
}

std::string DataText(const framework::FrameRecord& frame) {
  return settings::FrameDataText(frame, " ");
}

std::string MismatchNote(const std::string& expected, const framework::FrameRecord& frame) {
  return "Expected = " + expected + " , Actual = " + DataText(frame);
}

void DumpRequestsAndClaims(const engine::Test& test) {
  Rule(test);
  const data::SpecByDGNBlock requests(nullptr, data::DgnRef::OfValue(kRequestBlockDgn));
  const data::SpecByDGNBlock claims(nullptr, data::DgnRef::OfValue(kClaimBlockDgn));
  const SpecEither either(requests, claims);
  test.DumpDataLog(0, &either);
  Rule(test);
}

void DumpClaims(const engine::Test& test) {
  Rule(test);
  const data::SpecByDGN claims(nullptr, data::DgnRef::OfValue(kClaimBlockDgn));
  test.DumpDataLog(0, &claims);
  Rule(test);
}

}  // namespace vlt::compliance::claims
