// Every test the tester runs, one row each: its code, its entry in the Test menu,
// its catalogue entry, the settings its heading in the settings list shows, and
// how it is made. The catalogue and version report, `vlt list` and `vlt run`, the
// window's Test menu, "Log a Skipped Test" and the settings headings all read this
// table: a new test is its class and one row here.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/report_layout.h"
#include "engine/test_factory.h"
#include "reports/summary_report.h"
#include "reports/test_catalogue.h"
#include "settings/settings_list.h"

namespace vlt::compliance {

enum class TestFamily : std::uint8_t {
  kAddressing,  // "A - Addressing"
  kNetwork,     // "ND - Network/Diagnostics"
};

struct TestRow {
  std::string_view code;  // what `vlt run` takes and the log names carry
  TestFamily family;
  int menuId;                 // the window's command id
  std::string_view menuText;  // with its mnemonic ("&"); without it, the settings heading
  bool separatorBefore;       // in the menu
  std::uint16_t catalogueIndex;
  std::string_view title;  // the catalogue's
  std::string_view specVersion;
  std::string_view codeRevision;
  // Shown under the test's heading in the settings list; a test without a
  // heading has none.
  std::span<const std::string_view> settings;
  engine::MakeTestFn make;  // null until the test exists
  // Its criteria, counted on a test built off any bus and never started.
  std::size_t (*countCriteria)(const engine::TestContext& context);
  bool skippable = true;  // "Log a Skipped Test" may record it
  bool heading = true;    // the settings list has a heading for it
};

// In menu order.
std::span<const TestRow> TestTable();
// Null for an unknown code.
const TestRow* FindTest(std::string_view code);
// "A-10 Static Boot": the menu text without its mnemonic.
std::string PlainMenuText(const TestRow& row);

// The catalogue built from the table, once.
const reports::TestCatalogue& Catalogue();
// The identity a test of that catalogue index takes (code, title, versions).
engine::TestIdentity IdentityOf(std::uint16_t catalogueIndex);
// The catalogue's versions by code, for the summary report.
reports::CatalogueLookup SummaryCatalogue();
// Every test heading of the settings list, in menu order.
std::vector<settings::TestHeading> SettingsHeadings();

}  // namespace vlt::compliance
