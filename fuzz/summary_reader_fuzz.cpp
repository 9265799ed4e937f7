// Feeds any bytes to the summary report's log reader as a saved test log, then
// prints its result block and overview line as the report would.
#include <cstdint>
#include <sstream>
#include <string>

#include "reports/summary_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vlt;
  static framework::LogOutput log;  // no pane: the lines go nowhere
  static const reports::CatalogueLookup catalogue =
      [](std::string_view code) -> std::optional<reports::CatalogueVersions> {
    if (code == "A10") return reports::CatalogueVersions{"10-2025", "10-31-2025"};
    return std::nullopt;
  };
  static const reports::LogRules rules{
      {"Widget", "2.1"}, catalogue, [](std::string_view code) -> std::optional<std::size_t> {
        if (code == "A10") return 8;
        return std::nullopt;
      }};

  std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
  const reports::LogSummary summary =
      reports::LogSummary::Parse("/lab/Widget_A10_2511011200.txt", text, rules);
  if (summary.valid) summary.PrintResult(log, catalogue);
  summary.PrintSummaryLine(log);
  return 0;
}
