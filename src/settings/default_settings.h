// The application's settings store and its 21 default settings: what the
// operator describes once about the device under test and the test options.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "settings/setting_manager.h"
#include "values/value_maker_flex.h"
#include "values/value_maker_numbers.h"
#include "values/value_maker_selection.h"

namespace vlt::settings {

class SettingsList;

// The data item that holds a setting.
enum class SettingItem : std::uint8_t {
  kText36,  // 36-character text
  kFlag,    // 2-bit flag
  kByte,
  kWord,
  kUint,  // 32-bit unsigned
};

// The value maker that formats and parses it.
enum class SettingMaker : std::uint8_t {
  kText,          // the 36-character text maker
  kNoYes,         // the No/Yes flag
  kDecimalByte,   // decimal, the 8-bit field (254 "Err", 255 "N/D")
  kMilliseconds,  // a byte shown "%.0f ms"
  kDecimalWord,   //
  kDsaRange,      // the nine DSA categories
  kHexadecimal,   // a DGN in hexadecimal, unpadded ("1FFFF")
  kManufacturer,  // a decimal word of 0 to kLargestManufacturerCode
};

// The NAME's manufacturer code has 11 bits: a larger "Manufacturer ID" could
// never match a DUT's claim.
inline constexpr std::uint16_t kLargestManufacturerCode = 0x7FF;

// Where the main window's settings list shows a setting: as a top-level row,
// under "All Settings", and under the headings of the tests that use it.
enum SettingRow : std::uint32_t {
  kRowTop = 1u << 0,
  kRowAll = 1u << 1,
  kRowA10 = 1u << 2,
  kRowA20 = 1u << 3,
  kRowA30 = 1u << 4,
  kRowA40 = 1u << 5,
  kRowA50 = 1u << 6,
  kRowA60 = 1u << 7,
  kRowA70 = 1u << 8,
  kRowA80 = 1u << 9,
  kRowA90 = 1u << 10,
  kRowA100 = 1u << 11,
  kRowA110 = 1u << 12,
  kRowND10 = 1u << 13,
  kRowND20 = 1u << 14,
  kRowND30 = 1u << 15,
};

// The test code of each test row bit, from kRowA10 on.
inline constexpr std::array<std::string_view, 14> kRowTestCodes = {
    "A-10", "A-20", "A-30",  "A-40",  "A-50",  "A-60",  "A-70",
    "A-80", "A-90", "A-100", "A-110", "ND-10", "ND-20", "ND-30"};
inline constexpr unsigned kFirstTestRowBit = 2;

struct DefaultSetting {
  std::string_view name;
  SettingItem item;
  SettingMaker maker;
  std::string_view defaultText;
  std::uint32_t rows;
};

inline constexpr std::array<DefaultSetting, 21> kDefaultSettings = {{
    {"Company", SettingItem::kText36, SettingMaker::kText, "Default Company", kRowTop},
    {"Product Name", SettingItem::kText36, SettingMaker::kText, "Default Product", kRowTop},
    {"Product Version", SettingItem::kText36, SettingMaker::kText, "0.0.0", kRowTop},
    {"Tested By", SettingItem::kText36, SettingMaker::kText, "Default Operator", kRowTop},
    {"Clear Text Log at Start", SettingItem::kFlag, SettingMaker::kNoYes, "Yes", kRowTop},
    {"Restore Brantel Mute/Echo Modes After Test", SettingItem::kFlag, SettingMaker::kNoYes, "Yes",
     kRowTop},
    {"DSA For Address Claiming", SettingItem::kByte, SettingMaker::kDecimalByte, "253",
     kRowAll | kRowA10 | kRowA20 | kRowA30},
    {"250MS Timing Tolerance", SettingItem::kByte, SettingMaker::kMilliseconds, "10",
     kRowTop | kRowAll | kRowA10 | kRowA20 | kRowA60 | kRowA70 | kRowA90 | kRowA110},
    {"Manufacturer ID", SettingItem::kWord, SettingMaker::kManufacturer, "0",
     kRowAll | kRowA10 | kRowA60},
    {"Full ADDRESS_CLAIM Value", SettingItem::kText36, SettingMaker::kText,
     "00 00 00 00 00 00 00 00", kRowAll | kRowA10 | kRowA90 | kRowA100 | kRowA110},
    {"DSA Category", SettingItem::kByte, SettingMaker::kDsaRange, "Multifunction",
     kRowAll | kRowA40 | kRowA50 | kRowA70 | kRowA90},
    {"Identifying DGN", SettingItem::kUint, SettingMaker::kHexadecimal, "1FFFF",
     kRowAll | kRowA80 | kRowA90 | kRowA100 | kRowA110},
    {"Identifying Instance", SettingItem::kWord, SettingMaker::kDecimalWord, "255",
     kRowAll | kRowA80 | kRowA90 | kRowA100 | kRowA110},
    {"Perform Extended Test A-100", SettingItem::kByte, SettingMaker::kNoYes, "No",
     kRowAll | kRowA100},
    {"Extended Test Target Address", SettingItem::kByte, SettingMaker::kDecimalByte, "248",
     kRowAll | kRowA100},
    {"Unsupported DGN 1", SettingItem::kUint, SettingMaker::kHexadecimal, "1FEE5",
     kRowAll | kRowND10 | kRowND20},
    {"Unsupported DGN 2", SettingItem::kUint, SettingMaker::kHexadecimal, "1FEFC",
     kRowAll | kRowND10 | kRowND20},
    {"Unsupported DGN 3", SettingItem::kUint, SettingMaker::kHexadecimal, "1FDC7",
     kRowAll | kRowND10 | kRowND20},
    {"Supported DGN 1", SettingItem::kUint, SettingMaker::kHexadecimal, "1FFFF",
     kRowAll | kRowND10 | kRowND20 | kRowND30},
    {"Supported DGN 2", SettingItem::kUint, SettingMaker::kHexadecimal, "1FFFF",
     kRowAll | kRowND10 | kRowND20 | kRowND30},
    {"Supported DGN 3", SettingItem::kUint, SettingMaker::kHexadecimal, "1FFFF",
     kRowAll | kRowND10 | kRowND20 | kRowND30},
}};

// The application's store with its default settings, in table order, each
// holding its default value. It owns the makers made for the settings (the DSA
// range and the milliseconds byte); the others are shared.
class ApplicationSettings {
 public:
  explicit ApplicationSettings(data::DataContext& context);
  ~ApplicationSettings();

  SettingManager& Store() { return store_; }
  // The item of the table's setting `index`, the same object wherever it is shown.
  data::Datum& Item(std::size_t index) const { return *items_.at(index); }
  const std::vector<data::Datum*>& Items() const { return items_; }
  const values::ValueMakerDSARange& DsaRangeMaker() const { return dsaRange_; }
  // The settings list over these settings, built on first use. There is only
  // one, because its headings become the parents of the settings.
  SettingsList& List();

 private:
  std::unique_ptr<data::Datum> MakeItem(const DefaultSetting& setting);
  const values::ValueMaker* MakerFor(SettingMaker maker) const;

  // Declared before the store: the items use them until the store is gone.
  const values::ValueMakerDSARange dsaRange_;
  const values::ValueMakerFlexByte milliseconds_;
  const values::ValueMakerDecWordUpTo manufacturer_{kLargestManufacturerCode};
  SettingManager store_;
  std::vector<data::Datum*> items_;
  std::unique_ptr<SettingsList> list_;  // declared last: its headings point at the items
};

// Creates the application store; the main window and the command line call it.
std::unique_ptr<ApplicationSettings> CreateApplicationSettings(data::DataContext& context);

}  // namespace vlt::settings
