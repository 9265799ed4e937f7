// A test's log as "Save Log" keeps it: the evidence a manufacturer files, so a
// full disk or a folder that cannot be written must never cost the log that is
// already there, and the operator must learn that the new one was not saved.
#pragma once

#include <string>
#include <string_view>

#include "platform/prompter.h"

namespace vlt::engine {

// Writes the saved log to `path` whole or not at all. False with the reason in
// `error` (and its error number in `errorNumber`); a file already at `path` keeps its bytes.
bool SaveLog(const std::string& path, const std::string& paneText, std::string* error,
             int* errorNumber = nullptr);

// What the operator is told when a save failed with `error`: what happened,
// that nothing was lost, and what to do about the cause `errorNumber` names.
std::string SaveLogFailureText(const std::string& error, int errorNumber = 0);

// As above, telling the operator in a "Save Log" box when it fails.
bool SaveLog(const std::string& path, const std::string& paneText, platform::Prompter& prompter);

// The file name part of a log name (Windows-1252): characters that a file name
// may not hold on Linux or Windows, "." or ".." path parts and leading dots
// become "_", so the file always lands, visible, in the folder it is saved to.
std::string LogFileName(std::string_view logName);

// Saves a new log as `folder`/<name>.txt, or <name> (2).txt, (3), ... when the
// name is taken: evidence already there is never replaced. `savedPath` gets the
// path used (UTF-8). False with the reason in `error`.
bool SaveNewLog(const std::string& folder, std::string_view logName, const std::string& paneText,
                std::string* savedPath, std::string* error, int* errorNumber = nullptr);

}  // namespace vlt::engine
