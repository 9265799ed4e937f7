// The settings store: named settings, each a data item that holds the value and
// formats and parses it through its value maker. The application has one store
// with its default settings; every test has its own. The store remembers which
// settings a test read, so that its report can list them.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "data/datum.h"

namespace vlt::settings {

// The text a missing setting reads as.
inline constexpr std::string_view kMissingSettingText = "N/A";
// The name column of a setting's log line.
inline constexpr std::size_t kLogLineNameWidth = 30;

class SettingData {
 public:
  // `added` is true for settings added by name with a default, false for those
  // that SetValue created.
  SettingData(data::Datum& item, std::string defaultText, bool added);
  virtual ~SettingData() = default;

  // Appends the setting's line to the log pane.
  virtual void LogLine() const;
  // The name, padded with blanks to 30 characters, " = " and the value text.
  std::string LogLineText() const;

  data::Datum& Item() const { return item_; }
  const std::string& DefaultText() const { return defaultText_; }
  bool Added() const { return added_; }
  bool Used() const { return used_.load(); }
  void SetUsed(bool used) { used_.store(used); }

 private:
  data::Datum& item_;
  std::string defaultText_;
  bool added_;
  std::atomic<bool> used_{false};
};

class SettingManager {
 public:
  explicit SettingManager(data::DataContext& context) : context_(context) {}
  virtual ~SettingManager();
  SettingManager(const SettingManager&) = delete;
  SettingManager& operator=(const SettingManager&) = delete;

  // Adds a setting named by the item's title. A name already in the store keeps
  // its first setting and the line "Setting <name> already exists." is
  // appended; the item is kept (not added) so that the caller may still use it.
  data::Datum& AddSetting(std::unique_ptr<data::Datum> item, std::string defaultText);
  // The value text; "N/A" for a missing name. Marks the setting used unless `dontMark`.
  std::string GetValue(std::string_view name, bool dontMark = false);
  // Gives the setting the text as its value (a missing name becomes a new
  // 36-character text setting) and marks it used. False when the item refused
  // the text; it then logged why.
  bool SetValue(std::string_view name, std::string_view text);
  void ClearUsed();

  // The setting of a name, or null.
  SettingData* Find(std::string_view name) const;
  // Every setting in name order (byte-wise comparison of the names).
  std::vector<SettingData*> Settings() const;
  std::size_t Size() const;

  data::DataContext& Context() const { return context_; }

 private:
  data::DataContext& context_;
  mutable std::mutex mutex_;  // SetValue may add a name while another thread reads
  std::map<std::string, std::unique_ptr<SettingData>, std::less<>> settings_;
  std::vector<std::unique_ptr<data::Datum>> items_;
};

}  // namespace vlt::settings
