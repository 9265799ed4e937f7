// The DUT's NAME in the profile: which tests need it, what the operator is told
// before one runs on a profile that never read it, and the manufacturer code it
// carries. A test that reads the NAME but does not say so is caught by the fault
// table, which holds every run's reads to NeedsDutName.
#include "engine/dut_name.h"

#include <gtest/gtest.h>

#include "compliance/static_dut_support.h"
#include "engine/tool_elements.h"
#include "support/compliance_bench.h"

namespace vlt::engine {
namespace {

using testing::ComplianceBench;

constexpr const char* kUnreadName = "00 00 00 00 00 00 00 00";

TEST(DutName, OnlyTheAllZeroNameCountsAsUnread) {
  const struct {
    const char* text;
    bool unread;
  } cases[] = {
      {kUnreadName, true},
      {"A5 A5 60 24 00 80 00 00", false},
      {"00 00 00 00 00 00 00 01", false},
      {"00 00 00 00 00 00 00", false},  // malformed: the elements say so themselves
      {"N/A", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(DutNameUnread(c.text), c.unread) << c.text;
}

TEST(DutName, OnlyATestThatNeedsAnUnreadNameIsWarnedAbout) {
  ComplianceBench bench(nullptr);
  const struct {
    const char* code;
    bool needs;
  } cases[] = {
      {"RAC", false}, {"A10", false}, {"A20", true},   {"A30", true}, {"A40", false},
      {"A50", true},  {"A60", true},  {"A70", false},  {"A80", true}, {"A90", true},
      {"A100", true}, {"A110", true}, {"ND10", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    bench.Settings().SetValue(kFullClaimSetting, kUnreadName);
    auto test = bench.Make(c.code);
    ASSERT_TRUE(test);
    EXPECT_EQ(NeedsDutName(*test), c.needs);
    const std::string warning = UnreadNameWarning(*test);
    EXPECT_EQ(warning.empty(), !c.needs);
    if (c.needs) {
      EXPECT_TRUE(warning.starts_with(std::string(c.code) + " needs the DUT's NAME")) << warning;
    }
    bench.Settings().SetValue(kFullClaimSetting, compliance::static_scenario::kDutName);
    EXPECT_EQ(UnreadNameWarning(*test), "");
  }
}

TEST(DutName, TheManufacturerCodeTheNameCarriesIsComparedWithTheProfiles) {
  ComplianceBench bench(nullptr);
  const TestContext context = bench.Context();
  EXPECT_EQ(ManufacturerOfName(context, compliance::static_scenario::kDutName), "291");
  EXPECT_EQ(ManufacturerOfName(context, "A5 A5"), std::nullopt);

  bench.Settings().SetValue(kFullClaimSetting, compliance::static_scenario::kDutName);
  bench.Settings().SetValue("Manufacturer ID", "0");
  const std::optional<ManufacturerMismatch> mismatch = ManufacturerMismatchOf(context);
  ASSERT_TRUE(mismatch);
  EXPECT_EQ(mismatch->inName, "291");
  EXPECT_EQ(mismatch->inProfile, "0");
  bench.Settings().SetValue("Manufacturer ID", "291");
  EXPECT_FALSE(ManufacturerMismatchOf(context));
  // An unread NAME carries code 0, which the default profile says too: nothing to hint.
  bench.Settings().SetValue(kFullClaimSetting, kUnreadName);
  bench.Settings().SetValue("Manufacturer ID", "0");
  EXPECT_FALSE(ManufacturerMismatchOf(context));
}

}  // namespace
}  // namespace vlt::engine
