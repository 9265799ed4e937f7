// A test's log as "Save Log" keeps it: the evidence a manufacturer files, so a
// full disk or a folder that cannot be written must never cost the log that is
// already there, and the operator must learn that the new one was not saved.
#pragma once

#include <string>

#include "platform/prompter.h"

namespace vlt::engine {

// Writes the saved log to `path` whole or not at all. False with the reason in
// `error`; a file already at `path` keeps its bytes.
bool SaveLog(const std::string& path, const std::string& paneText, std::string* error);

// What the operator is told when a save failed with `error`.
std::string SaveLogFailureText(const std::string& error);

// As above, telling the operator in a "Save Log" box when it fails.
bool SaveLog(const std::string& path, const std::string& paneText, platform::Prompter& prompter);

}  // namespace vlt::engine
