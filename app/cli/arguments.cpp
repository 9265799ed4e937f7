#include "cli/arguments.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "cli/terminal.h"

namespace vlt::cli {

std::optional<long> ParseWholeNumber(const std::string& text, long low, long high) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  errno = 0;
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (errno != 0 || value < low || value > high) return std::nullopt;
  return value;
}

int UsageError(const std::string& message, const char* usage) {
  std::fprintf(stderr, "vlt: %s\n%s", message.c_str(), usage);
  return kExitUsage;
}

}  // namespace vlt::cli
