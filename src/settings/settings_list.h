// The main window's settings list, built the same way for the desktop and the
// command line so that both load and save profiles with one loader and one
// writer: the top-level settings, the "A - Address Claiming" and "ND - Network
// Integrity and Diagnostics" headings with one heading per test, and "All Settings".
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "data/datum_list.h"
#include "settings/default_settings.h"

namespace vlt::settings {

inline constexpr std::string_view kAddressClaimingHeading = "A - Address Claiming";
inline constexpr std::string_view kNetworkHeading = "ND - Network Integrity and Diagnostics";
inline constexpr std::string_view kAllSettingsHeading = "All Settings";

// Reached through ApplicationSettings::List(), which builds the one list.
class SettingsList {
 public:
  data::DatumBoxUserSettings& List() { return list_; }
  ApplicationSettings& Settings() { return settings_; }

 private:
  friend class ApplicationSettings;
  explicit SettingsList(ApplicationSettings& settings);

  data::Datum& AddHeading(std::string_view title, data::Datum* parent);

  ApplicationSettings& settings_;
  std::vector<std::unique_ptr<data::Datum>> headings_;
  data::DatumBoxUserSettings list_;
};

}  // namespace vlt::settings
