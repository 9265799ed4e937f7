#include "settings/profile.h"

#include <filesystem>
#include <sstream>

#include "platform/registry_file.h"
#include "settings/settings_list.h"

namespace vlt::settings {

data::CloneLoadReport LoadProfile(ApplicationSettings& settings, const std::string& path) {
  data::DatumBoxUserSettings& list = settings.List().List();
  if (!list.StartCloning(path, true)) return data::CloneLoadReport{};
  data::RunListUntilSettled(list, kProfileSettleTicks);
  return list.LoadReport();
}

bool SaveProfile(ApplicationSettings& settings, const std::string& path, const std::tm& created,
                 std::string* error, data::CloneSaveReport* report, int* errorNumber) {
  data::DatumBoxUserSettings& list = settings.List().List();
  data::RunListUntilSettled(list, kProfileSettleTicks);
  std::ostringstream text;
  data::WriteCloneHeader(text, created);
  const data::CloneSaveReport saved = list.SaveItems(text);
  if (report != nullptr) *report = saved;
  return platform::WriteFileAtomically(path, text.str(), error, errorNumber);
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
  if (report.opened) Remember(path);
  return report;
}

bool ProfileManager::StartLoad(const std::string& path) {
  if (!settings_.List().List().StartCloning(path, true)) return false;
  Remember(path);
  return true;
}

bool ProfileManager::Save(const std::string& path, std::string* error, int* errorNumber) {
  if (!SaveProfile(settings_, path, localTime_(), error, nullptr, errorNumber)) return false;
  Remember(path);
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
  if (!StartingProfile().empty()) report = LoadProfile(settings_, StartingProfile());
  ClearModified();
  return report;
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
