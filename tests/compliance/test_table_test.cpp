// The table of tests is read by the catalogue, the menu, `vlt run` and the
// settings list: a slip in one row shows in all of them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "compliance/compliance_tests.h"
#include "compliance/test_table.h"
#include "settings/default_settings.h"

namespace vlt::compliance {
namespace {

TEST(TestTable, RowsAreUniqueAndNameOnlySettingsThatExist) {
  std::set<std::string_view> codes;
  std::set<int> menuIds;
  std::set<std::uint16_t> indices;
  for (const TestRow& row : TestTable()) {
    SCOPED_TRACE(std::string(row.code));
    EXPECT_TRUE(codes.insert(row.code).second);
    EXPECT_TRUE(menuIds.insert(row.menuId).second);
    EXPECT_TRUE(indices.insert(row.catalogueIndex).second);
    for (const std::string_view name : row.settings) {
      bool known = false;
      for (const settings::DefaultSetting& setting : settings::kDefaultSettings) {
        known = known || setting.name == name;
      }
      EXPECT_TRUE(known) << name;
    }
    if (row.make == nullptr) continue;
    EXPECT_EQ(Catalogue().Code(row.catalogueIndex), row.code);
    EXPECT_EQ(IdentityOf(row.catalogueIndex).title, row.title);
  }
}

TEST(TestTable, MenuTextsMakeTheSettingsHeadingsAndEveryTestRunsByItsCode) {
  EXPECT_EQ(PlainMenuText(*FindTest("A110")), "A-110 Response to Request for ADDRESS_CLAIM");
  const auto headings = SettingsHeadings();
  ASSERT_FALSE(headings.empty());
  EXPECT_EQ(headings.front().title, "A-10 Static Boot");
  EXPECT_EQ(headings.front().group, settings::HeadingGroup::kAddressClaiming);
  for (const std::string& code : RunnableCodes()) {
    EXPECT_NE(FindTest(code), nullptr) << code;
  }
  EXPECT_EQ(FindTest("A15"), nullptr);
}

}  // namespace
}  // namespace vlt::compliance
