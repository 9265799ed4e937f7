// vlt monitor: listens to the bus through the host and prints every frame.
#pragma once

#include <string>
#include <vector>

namespace vlt::cli {

int RunMonitor(const std::vector<std::string>& args);

}  // namespace vlt::cli
