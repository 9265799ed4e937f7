#include "settings/setting_manager.h"

#include "data/datum_string.h"
#include "values/value_maker_shared.h"

namespace vlt::settings {

SettingData::SettingData(data::Datum& item, std::string defaultText, bool added)
    : item_(item), defaultText_(std::move(defaultText)), added_(added) {}

void SettingData::LogLine() const {
  item_.Context().AppendLogLine(LogLineText());
}

std::string SettingData::LogLineText() const {
  std::string line = item_.Title();
  if (line.size() < kLogLineNameWidth) line.append(kLogLineNameWidth - line.size(), ' ');
  return line + " = " + item_.ValueText();
}

SettingManager::~SettingManager() = default;

data::Datum& SettingManager::AddSetting(std::unique_ptr<data::Datum> item,
                                        std::string defaultText) {
  data::Datum& added = *item;
  const std::string name = added.Title();
  std::unique_lock lock(mutex_);
  items_.push_back(std::move(item));
  if (settings_.contains(name)) {
    lock.unlock();
    context_.AppendLogLine("Setting " + name + " already exists.");
    return added;
  }
  settings_.emplace(name, std::make_unique<SettingData>(added, std::move(defaultText), true));
  return added;
}

std::string SettingManager::GetValue(std::string_view name, bool dontMark) {
  SettingData* setting = Find(name);
  if (setting == nullptr) return std::string(kMissingSettingText);
  if (!dontMark) setting->SetUsed(true);
  return setting->Item().ValueText();
}

bool SettingManager::SetValue(std::string_view name, std::string_view text) {
  SettingData* setting = Find(name);
  if (setting != nullptr) {
    const bool accepted = setting->Item().SetValueFromText(text);
    setting->Item().ClearPending();
    setting->SetUsed(true);
    return accepted;
  }
  auto item = std::make_unique<data::DatumString36Char>(context_, std::string(name));
  item->SetValueMaker(&values::SharedValueMakers::Instance().string36Char);
  const bool accepted = item->SetValueFromText(text);
  data::Datum& created = *item;
  std::lock_guard lock(mutex_);
  items_.push_back(std::move(item));
  auto [it, inserted] =
      settings_.emplace(std::string(name), std::make_unique<SettingData>(created, "", false));
  it->second->SetUsed(true);
  return accepted && inserted;
}

void SettingManager::ClearUsed() {
  std::lock_guard lock(mutex_);
  for (auto& [name, setting] : settings_) setting->SetUsed(false);
}

SettingData* SettingManager::Find(std::string_view name) const {
  std::lock_guard lock(mutex_);
  const auto it = settings_.find(name);
  return it != settings_.end() ? it->second.get() : nullptr;
}

std::vector<SettingData*> SettingManager::Settings() const {
  std::lock_guard lock(mutex_);
  std::vector<SettingData*> list;
  list.reserve(settings_.size());
  for (const auto& [name, setting] : settings_) list.push_back(setting.get());
  return list;
}

std::size_t SettingManager::Size() const {
  std::lock_guard lock(mutex_);
  return settings_.size();
}

}  // namespace vlt::settings
