// Small helpers for reading command-line arguments strictly.
#pragma once

#include <optional>
#include <string>

namespace vlt::cli {

// A decimal whole number within [low, high], nothing else on the text.
std::optional<long> ParseWholeNumber(const std::string& text, long low, long high);

// Prints "vlt: <message>" and the usage text on stderr; returns the usage exit code.
int UsageError(const std::string& message, const char* usage);

}  // namespace vlt::cli
