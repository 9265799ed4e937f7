// The JSON form of test runs (format "vlt-results", described by
// docs/vlt-results.schema.json): the facts of the JUnit file plus the settings
// used, the DUT's NAME and address, evidence frames in full and the times.
#pragma once

#include <span>
#include <string>

#include "results/run_result.h"

namespace vlt::results {

inline constexpr int kResultsFormatVersion = 1;

std::string WriteResultsJson(std::span<const RunResult> runs);

// "A5 A5 60 24 00 80 00 00".
std::string HexBytes(std::span<const std::uint8_t> bytes);

}  // namespace vlt::results
