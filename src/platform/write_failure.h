// Why a file could not be written, in the operator's words, with what to do
// about it: a folder that is not there wants another folder, not free space.
#pragma once

#include <string>

namespace vlt::platform {

// One sentence for the error number a write failed with (errno); 0 or an
// unknown number gives the general advice.
std::string WriteFailureAdvice(int errorNumber);

}  // namespace vlt::platform
