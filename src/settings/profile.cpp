#include "settings/profile.h"

#include <filesystem>
#include <sstream>

#include "data/line_reader.h"
#include "platform/registry_file.h"
#include "platform/regular_file.h"
#include "settings/settings_list.h"

namespace vlt::settings {

data::CloneLoadReport LoadProfile(ApplicationSettings& settings, const std::string& path) {
  data::DatumBoxUserSettings& list = settings.List().List();
  if (!list.StartCloning(path, true)) return data::CloneLoadReport{};
  data::RunListUntilSettled(list, kProfileSettleTicks);
  return list.LoadReport();
}

namespace {

constexpr std::size_t kShownLineChars = 60;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The lines a profile written by this program holds, and blank ones.
bool ProfileLine(std::string_view line) {
  return line.empty() || line == data::kCloneProgramLine || StartsWith(line, ":Version") ||
         StartsWith(line, ":Created") || StartsWith(line, data::kCloneSetPrefix);
}

std::string Shown(std::string_view line) {
  std::string shown(line.substr(0, kShownLineChars));
  if (line.size() > kShownLineChars) shown += "...";
  return shown;
}

}  // namespace

bool SaveProfile(ApplicationSettings& settings, const std::string& path, const std::tm& created,
                 std::string* error, data::CloneSaveReport* report, int* errorNumber,
                 std::string_view createdLine) {
  data::DatumBoxUserSettings& list = settings.List().List();
  data::RunListUntilSettled(list, kProfileSettleTicks);
  std::ostringstream text;
  if (createdLine.empty()) {
    data::WriteCloneHeader(text, created);
  } else {
    data::WriteCloneHeader(text, createdLine);
  }
  const data::CloneSaveReport saved = list.SaveItems(text);
  if (report != nullptr) *report = saved;
  return platform::WriteFileAtomically(path, text.str(), error, errorNumber);
}

ProfileFileCheck CheckProfileFile(const std::string& path) {
  ProfileFileCheck check;
  platform::RegularFileReader file(path);
  check.exists = file.Kind() != platform::FileKind::kMissing;
  if (!file.IsOpen()) {
    if (check.exists) check.unreadable = file.Error();
    return check;
  }
  data::LineReader reader(file.Stream());
  std::string line;
  for (std::size_t number = 1; reader.Next(line); ++number) {
    if (data::HoldsControlBytes(line)) {
      check.binary = true;
      continue;
    }
    if (line == data::kCloneProgramLine) check.header = true;
    if (StartsWith(line, data::kCloneCreatedPrefix)) check.createdLine = line;
    if (ProfileLine(line)) continue;
    if (check.foreignLines.size() < ProfileFileCheck::kShownLines) {
      check.foreignLines.push_back("line " + std::to_string(number) + " (\"" + Shown(line) + "\")");
    }
    ++check.foreignLineCount;
  }
  if (file.ReadFailed()) check.unreadable = "it cannot be read (" + file.ReadError() + ")";
  return check;
}

std::vector<std::string> RewriteLosses(const ProfileFileCheck& file,
                                       const data::CloneLoadReport& load) {
  std::vector<std::string> losses;
  if (!file.exists) return losses;
  if (!file.unreadable.empty()) losses.push_back(file.unreadable);
  if (!file.header) {
    losses.push_back("it is not a profile: it has no \"" + std::string(data::kCloneProgramLine) +
                     "\" line");
  }
  if (file.binary) losses.push_back("it holds binary data, which no profile holds");
  for (const std::string& line : file.foreignLines) losses.push_back(line + " is no setting");
  if (file.foreignLineCount > file.foreignLines.size()) {
    losses.push_back("and " + std::to_string(file.foreignLineCount - file.foreignLines.size()) +
                     " more lines are no setting");
  }
  for (const std::string& setting : load.invalidLines) {
    losses.push_back("\":SET " + Shown(setting) + "\" has no \"=\"");
  }
  for (const std::string& setting : load.rejectedValues) {
    losses.push_back("\"" + Shown(setting) + "\" was refused");
  }
  for (const std::string& title : load.unknownTitles) {
    losses.push_back("no setting is called \"" + Shown(title) + "\"");
  }
  if (load.overlongLines > 0) {
    losses.push_back(std::to_string(load.overlongLines) + " \":SET\" line(s) are over-long");
  }
  return losses;
}

void ResetProfile(ApplicationSettings& settings) {
  for (SettingData* setting : settings.Store().Settings()) {
    if (setting->DefaultText().empty()) continue;
    setting->Item().SetValueFromText(setting->DefaultText());
    setting->Item().ClearPending();
  }
  settings.Store().Context().SetProfileModified(true);
}

ProfileManager::ProfileManager(ApplicationSettings& settings, RegistryString& startingProfile,
                               data::LocalTimeFn localTime)
    : settings_(settings), startingProfile_(startingProfile), localTime_(std::move(localTime)) {}

data::CloneLoadReport ProfileManager::Load(const std::string& path) {
  data::CloneLoadReport report = LoadProfile(settings_, path);
  if (report.opened) {
    Remember(path);
    loadedStartingProfile_ = true;
  }
  return report;
}

bool ProfileManager::StartLoad(const std::string& path) {
  if (!settings_.List().List().StartCloning(path, true)) return false;
  Remember(path);
  loadedStartingProfile_ = true;
  return true;
}

bool ProfileManager::Save(const std::string& path, std::string* error, int* errorNumber) {
  // Written back over itself, a profile keeps the day it was created.
  std::string created;
  std::error_code same;
  if (!StartingProfile().empty() && std::filesystem::equivalent(path, StartingProfile(), same)) {
    const ProfileFileCheck file = CheckProfileFile(path);
    if (file.header) created = file.createdLine;
  }
  if (!SaveProfile(settings_, path, localTime_(), error, nullptr, errorNumber, created)) {
    return false;
  }
  Remember(path);
  loadedStartingProfile_ = false;  // the file now holds exactly the settings
  ClearModified();
  return true;
}

void ProfileManager::Reset() {
  // Values of a load still being applied would mix with the defaults.
  data::DatumBoxUserSettings& list = settings_.List().List();
  if (list.IsCloning()) list.AbandonCloning();
  ResetProfile(settings_);
}

data::CloneLoadReport ProfileManager::LoadAtStart() {
  data::CloneLoadReport report;
  if (!StartingProfile().empty()) {
    report = LoadProfile(settings_, StartingProfile());
    loadedStartingProfile_ = report.opened;
  }
  ClearModified();
  return report;
}

std::string ProfileManager::StartingProfileLosses() const {
  if (StartingProfile().empty()) return {};
  const data::CloneLoadReport clean;
  const std::vector<std::string> losses =
      RewriteLosses(CheckProfileFile(StartingProfile()),
                    loadedStartingProfile_ ? settings_.List().List().LoadReport() : clean);
  std::string text;
  for (const std::string& loss : losses) text += (text.empty() ? "" : "; ") + loss;
  return text;
}

bool ProfileManager::SaveToStartingProfile(std::string* error) {
  if (StartingProfile().empty()) {
    if (error != nullptr) *error = "no profile has been loaded or saved";
    return false;
  }
  return Save(StartingProfile(), error);
}

bool ProfileManager::Modified() const {
  return settings_.Store().Context().ProfileModified();
}

void ProfileManager::ClearModified() {
  settings_.Store().Context().SetProfileModified(false);
}

std::string ProfileManager::WindowTitle(std::string_view buildDate) const {
  std::string title = std::string(kWindowTitlePrefix).append(buildDate).append(")");
  if (!StartingProfile().empty()) title.append("   ").append(StartingProfile());
  return title;
}

void ProfileManager::Remember(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  startingProfile_.Store(error ? path : full.string());
}

}  // namespace vlt::settings
