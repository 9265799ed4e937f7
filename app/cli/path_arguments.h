// Paths given on the command line, checked before anything runs. A folder
// reached through a symbolic-link loop, a name or path too long for the file
// system, a file where a folder must be: each gets its reason in words, never
// an exception.
#pragma once

#include <optional>
#include <string>

namespace vlt::cli {

// Why `folder` cannot be listed as a folder (a loop, a name too long, a file
// where a folder must be, nothing there), or none when it is one.
std::optional<std::string> WhyNotAFolder(const std::string& folder);

// Makes `folder` and its parents when missing. The reason it cannot hold the
// files a command saves, or none when it can.
std::optional<std::string> PrepareFolder(const std::string& folder);

// The absolute path with "." and ".." taken out, for the operator to read in a
// report; `path` itself when the current folder cannot be read.
std::string NormalAbsolute(const std::string& path);

}  // namespace vlt::cli
