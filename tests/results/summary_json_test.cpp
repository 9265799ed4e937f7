// The summary report's table as JSON: the same logs chosen as the text report
// chooses them, and the command that prints it.
#include "results/summary_json.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/summary_command.h"
#include "cli/terminal.h"
#include "results/results_support.h"
#include "support/golden_file.h"
#include "support/virtual_time.h"

namespace vlt::results {
namespace {

namespace fs = std::filesystem;

const fs::path kLogs = fs::path(VLT_TESTS_DIR) / "reports" / "logs";

// The catalogue the hand-made logs were written against; A60 is unknown to it.
std::optional<reports::CatalogueVersions> Catalogue(std::string_view code) {
  if (code == "A10" || code == "A20" || code == "A30") {
    return reports::CatalogueVersions{"10-2025", "10-31-2025"};
  }
  if (code == "A40") return reports::CatalogueVersions{"10-2025", "11-04-2025"};
  if (code == "A100" || code == "A110") return reports::CatalogueVersions{"10-2025", "11-21-2025"};
  return std::nullopt;
}

std::string WithFolderMarked(std::string text, const std::string& folder) {
  for (std::size_t at; (at = text.find(folder)) != std::string::npos;) {
    text.replace(at, folder.size(), "@FOLDER@");
  }
  return text;
}

TEST(SummaryJson, TheNewestLogOfEachTestAsTheReportChoosesIt) {
  const reports::SummaryInputs inputs{{{"Widget", "2.1"}, Catalogue, {}},
                                      vlt::testing::LocalTime(2026, 2, 3, 2, 14, 30, 0),
                                      "Jan 21 2026"};
  const SummaryJson summary = WriteSummaryJson(kLogs.string(), inputs);
  ASSERT_TRUE(summary.listed) << summary.error;
  EXPECT_TRUE(vlt::testing::MatchesGoldenFile(WithFolderMarked(summary.json, kLogs.string()),
                                              testing::ResultsDir() / "summary.json"));
}

TEST(SummaryJson, TheCommandPrintsItOrSaysWhyNot) {
  std::ostringstream out, err;
  // The newest A-10 log of the folder has DNP lines: status 1, as without --json.
  ASSERT_EQ(cli::RunSummary({kLogs.string(), "--json", "--set", "Product Name=Widget", "--set",
                             "Product Version=2.1"},
                            out, err),
            1)
      << err.str();
  EXPECT_EQ(out.str().rfind("{\n  \"format\": \"vlt-summary\",", 0), 0U) << out.str();
  EXPECT_NE(out.str().find("\"code\": \"A100\""), std::string::npos);

  std::ostringstream none, why;
  EXPECT_EQ(cli::RunSummary({(kLogs / "missing").string(), "--json"}, none, why),
            cli::kExitDataError);
  EXPECT_EQ(none.str(), "");
  EXPECT_NE(why.str().find("Error opening directory"), std::string::npos);
  // Only the summary prints JSON.
  EXPECT_EQ(cli::RunSupersede({kLogs.string(), "--json"}, none, why), cli::kExitUsage);
}

}  // namespace
}  // namespace vlt::results
