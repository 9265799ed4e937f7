// vlt demo: the main job on the built-in simulated bus. A private host runs in
// this process; a static-address DUT and then a dynamic one are put through
// Read ADDRESS_CLAIM and every address-claiming test that applies to them.
#pragma once

#include <string>
#include <vector>

namespace vlt::cli {

int RunDemo(const std::vector<std::string>& args);

}  // namespace vlt::cli
