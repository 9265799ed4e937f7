// vlt summary and vlt supersede: the summary report over a folder of saved test
// logs, and the deletion of the logs that newer ones supersede, for the product
// and version of the default settings, a profile and NAME=VALUE changes.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vlt::cli {

int RunSummary(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunSupersede(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vlt::cli
