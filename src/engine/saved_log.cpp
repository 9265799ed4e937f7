#include "engine/saved_log.h"

#include "framework/log_output.h"
#include "platform/registry_file.h"
#include "platform/text_encoding.h"
#include "platform/write_failure.h"

namespace vlt::engine {

bool SaveLog(const std::string& path, const std::string& paneText, std::string* error,
             int* errorNumber) {
  return platform::WriteFileAtomically(path, framework::SavedLogText(paneText), error, errorNumber);
}

std::string SaveLogFailureText(const std::string& error, int errorNumber) {
  return "The log was not saved: " + error + ".\r\nA file already there is unchanged. " +
         platform::WriteFailureAdvice(errorNumber);
}

bool SaveLog(const std::string& path, const std::string& paneText, platform::Prompter& prompter) {
  std::string error;
  int errorNumber = 0;
  if (SaveLog(path, paneText, &error, &errorNumber)) return true;
  // The error names the path, UTF-8 as the file system has it; the box shows Windows-1252.
  prompter.MessageBox("Save Log", SaveLogFailureText(platform::Utf8ToCp1252(error), errorNumber));
  return false;
}

namespace {

// Taken names get " (2)" up to this; past it something is wrong with the folder.
constexpr int kMaxLogCopies = 999;
// Within a 255-byte file name with " (999).txt", even when every byte grows to
// three in UTF-8; a longer name loses the middle, keeping the code and time
// stamp at its end that the summary reads.
constexpr std::size_t kMaxLogNameBytes = 80;
constexpr std::size_t kKeptEndBytes = 24;

bool ForbiddenInFileName(unsigned char c) {
  // Control characters, and what Windows reserves; "/" is the only one Linux does.
  return c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
         c == '"' || c == '<' || c == '>' || c == '|';
}

}  // namespace

std::string LogFileName(std::string_view logName) {
  std::string name;
  std::string part;
  auto flush = [&] {
    name += part == "." || part == ".." ? "_" : part;
    part.clear();
  };
  std::string kept(logName);
  if (kept.size() > kMaxLogNameBytes) {
    kept =
        kept.substr(0, kMaxLogNameBytes - kKeptEndBytes) + kept.substr(kept.size() - kKeptEndBytes);
  }
  for (const char c : kept) {
    if (c == '/' || c == '\\') {
      flush();
      name += '_';
    } else {
      part += ForbiddenInFileName(static_cast<unsigned char>(c)) ? '_' : c;
    }
  }
  flush();
  // A leading dot hides the file from a folder listing, and the evidence with it.
  for (char& c : name) {
    if (c != '.') break;
    c = '_';
  }
  // Windows drops a trailing blank or dot, and an empty name is no name.
  if (name.empty() || name.back() == ' ' || name.back() == '.') name += '_';
  return name;
}

bool SaveNewLog(const std::string& folder, std::string_view logName, const std::string& paneText,
                std::string* savedPath, std::string* error, int* errorNumber) {
  const std::string base = folder + "/" + platform::Cp1252ToUtf8(LogFileName(logName));
  const std::string text = framework::SavedLogText(paneText);
  for (int copy = 1; copy <= kMaxLogCopies; ++copy) {
    const std::string path =
        copy == 1 ? base + ".txt" : base + " (" + std::to_string(copy) + ").txt";
    bool taken = false;
    if (platform::CreateFileAtomically(path, text, error, &taken, errorNumber)) {
      if (savedPath != nullptr) *savedPath = path;
      return true;
    }
    if (!taken) return false;
  }
  if (error != nullptr) *error = "every name up to " + base + " (999).txt is taken";
  return false;
}

}  // namespace vlt::engine
