// vlt decode: frames from standard input, one a line (candump -L lines or
// "DGN SA bytes"), printed as the test logs print them, each followed by its
// decoded signals when the dictionary lists its DGN. Needs no host.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "dictionary/dictionary.h"

namespace vlt::cli {

// Decodes every line of `in` into `out` (UTF-8). A malformed line gets one line
// on `errors` naming its number, and reading goes on. Returns kExitOk when every
// line decoded, kExitDataError when any was malformed.
int DecodeFrameLines(std::istream& in, std::ostream& out, std::ostream& errors,
                     const dictionary::Dictionary& dictionary);

int RunDecode(const std::vector<std::string>& args);

}  // namespace vlt::cli
