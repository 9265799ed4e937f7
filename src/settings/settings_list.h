// The main window's settings list, built the same way for the desktop and the
// command line so that both load and save profiles with one loader and one
// writer: the top-level settings, the "A - Address Claiming" and "ND - Network
// Integrity and Diagnostics" headings with one heading per test, and "All Settings".
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "data/datum_list.h"
#include "settings/default_settings.h"

namespace vlt::settings {

struct TestHeading {
  std::string_view title;
  std::uint32_t row;  // the SettingRow bit of the settings it lists; 0 for none
};

inline constexpr std::string_view kAddressClaimingHeading = "A - Address Claiming";
inline constexpr std::string_view kNetworkHeading = "ND - Network Integrity and Diagnostics";
inline constexpr std::string_view kAllSettingsHeading = "All Settings";

inline constexpr std::array<TestHeading, 11> kAddressClaimingTests = {{
    {"A-10 Static Boot", kRowA10},
    {"A-20 Static Conflict (LP)", kRowA20},
    {"A-30 Static Conflict (HP)", kRowA30},
    {"A-40 Dynamic Boot", kRowA40},
    {"A-50 Dynamic Startup Conflict (HP)", kRowA50},
    {"A-60 Dynamic Startup Conflict (LP)", kRowA60},
    {"A-70 Dynamic Starting No Conflict", kRowA70},
    {"A-80 Dynamic Subsequent Conflict (LP)", kRowA80},
    {"A-90 Dynamic Subsequent Conflict (HP)", kRowA90},
    {"A-100 Dynamic Range Full", kRowA100},
    {"A-110 Response to Request for ADDRESS_CLAIM", kRowA110},
}};

inline constexpr std::array<TestHeading, 15> kNetworkTests = {{
    {"ND-10 Global Request for DGN", kRowND10},
    {"ND-20 Targeted Request for DGN", kRowND20},
    {"ND-30 Request for DGN - Random Target", kRowND30},
    {"ND-40 PRODUCT_ID", 0},
    {"ND-50 DM_RV No Faults", 0},
    {"ND-60 DM_RV with Faults", 0},
    {"ND-70 DM_RV Fault Clearing", 0},
    {"ND-80 Proprietary Messages", 0},
    {"ND-90 Network Traffic Sample", 0},
    {"ND-100 Ignoring Source Address", 0},
    {"ND-110 Empty Commands", 0},
    {"ND-120 General Reset - Clear Faults", 0},
    {"ND-130 NAK", 0},
    {"ND-140 Command with Incorrect Instance", 0},
    {"ND-150 Transparency of Control", 0},
}};

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
