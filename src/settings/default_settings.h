// The application's settings store and its default settings: what the
// operator describes once about the device under test and the test options.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_manager.h"
#include "values/value_maker_bytes.h"
#include "values/value_maker_flex.h"
#include "values/value_maker_numbers.h"
#include "values/value_maker_selection.h"

namespace vlt::settings {

class SettingsList;

// Groups of test headings in the settings list.
enum class HeadingGroup : std::uint8_t {
  kAddressClaiming,  // under "A - Address Claiming"
  kNetwork,          // under "ND - Network Integrity and Diagnostics"
};

// One test's heading: its title and the settings it shows, by name (in the
// order of the default settings table, whatever the order here).
struct TestHeading {
  HeadingGroup group;
  std::string title;
  std::vector<std::string_view> settings;
};

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
  kText,           // the 36-character text maker
  kNoYes,          // the No/Yes flag
  kDecimalByte,    // decimal, the 8-bit field (254 "Err", 255 "N/D")
  kMilliseconds,   // a byte shown "%.0f ms"
  kDecimalWord,    //
  kDsaRange,       // the nine DSA categories
  kHexadecimal,    // a DGN in hexadecimal, unpadded ("1FFFF")
  kManufacturer,   // a decimal word of 0 to kLargestManufacturerCode
  kFrameBytes,     // eight data bytes in hexadecimal, "01 FF C8 00 FF FF FF FF"
  kBytePositions,  // byte positions 1 to 7 of a frame, "2" or "2, 3"
  kSeconds,        // a decimal word of 1 to kLongestSampleSeconds
};

// The NAME's manufacturer code has 11 bits: a larger "Manufacturer ID" could
// never match a DUT's claim.
inline constexpr std::uint16_t kLargestManufacturerCode = 0x7FF;
// An hour of listening is more than any test needs.
inline constexpr std::uint16_t kLongestSampleSeconds = 3600;

// Where the main window's settings list shows a setting besides the headings of
// the tests that read it (each test's row names those): as a top-level row, and
// under "All Settings".
enum SettingRow : std::uint32_t {
  kRowTop = 1u << 0,
  kRowAll = 1u << 1,
};

struct DefaultSetting {
  std::string_view name;
  SettingItem item;
  SettingMaker maker;
  std::string_view defaultText;
  std::uint32_t rows;
  // What the value stands for, shown where the operator types it.
  std::string_view meaning = {};
};

inline constexpr auto kDefaultSettings = std::to_array<DefaultSetting>({
    {"Company", SettingItem::kText36, SettingMaker::kText, "Default Company", kRowTop},
    {"Product Name", SettingItem::kText36, SettingMaker::kText, "Default Product", kRowTop},
    {"Product Version", SettingItem::kText36, SettingMaker::kText, "0.0.0", kRowTop},
    {"Tested By", SettingItem::kText36, SettingMaker::kText, "Default Operator", kRowTop},
    {"Clear Text Log at Start", SettingItem::kFlag, SettingMaker::kNoYes, "Yes", kRowTop},
    {"Restore Brantel Mute/Echo Modes After Test", SettingItem::kFlag, SettingMaker::kNoYes, "Yes",
     kRowTop},
    {"DSA For Address Claiming", SettingItem::kByte, SettingMaker::kDecimalByte, "253", kRowAll},
    {"250MS Timing Tolerance", SettingItem::kByte, SettingMaker::kMilliseconds, "10",
     kRowTop | kRowAll,
     "Added to every 250 ms limit the tests measure, for the delays of the adapter and the "
     "host."},
    {"Manufacturer ID", SettingItem::kWord, SettingMaker::kManufacturer, "0", kRowAll},
    {"Full ADDRESS_CLAIM Value", SettingItem::kText36, SettingMaker::kText,
     "00 00 00 00 00 00 00 00", kRowAll},
    {"DSA Category", SettingItem::kByte, SettingMaker::kDsaRange, "Multifunction", kRowAll},
    {"Identifying DGN", SettingItem::kUint, SettingMaker::kHexadecimal, "1FFFF", kRowAll},
    {"Identifying Instance", SettingItem::kWord, SettingMaker::kDecimalWord, "255", kRowAll},
    {"Perform Extended Test A-100", SettingItem::kByte, SettingMaker::kNoYes, "No", kRowAll},
    {"Extended Test Target Address", SettingItem::kByte, SettingMaker::kDecimalByte, "248",
     kRowAll},
    {"Unsupported DGN 1", SettingItem::kUint, SettingMaker::kHexadecimal, "1FEE5", kRowAll},
    {"Unsupported DGN 2", SettingItem::kUint, SettingMaker::kHexadecimal, "1FEFC", kRowAll},
    {"Unsupported DGN 3", SettingItem::kUint, SettingMaker::kHexadecimal, "1FDC7", kRowAll},
    {"Supported DGN 1", SettingItem::kUint, SettingMaker::kHexadecimal, "1FFFF", kRowAll},
    {"Supported DGN 2", SettingItem::kUint, SettingMaker::kHexadecimal, "1FFFF", kRowAll},
    {"Supported DGN 3", SettingItem::kUint, SettingMaker::kHexadecimal, "1FFFF", kRowAll},
    {"Unused Instance", SettingItem::kByte, SettingMaker::kDecimalByte, "250", kRowAll,
     "An instance the DUT does not have (0 to 253): requests and commands that name it must "
     "change nothing."},
    {"Command DGN", SettingItem::kUint, SettingMaker::kHexadecimal, "1FEDB", kRowAll,
     "The DGN that commands the DUT's load, in hexadecimal (1FEDB: DC_DIMMER_COMMAND_2)."},
    {"Status DGN", SettingItem::kUint, SettingMaker::kHexadecimal, "1FEDA", kRowAll,
     "The DGN in which the DUT reports the state of that load, in hexadecimal (1FEDA: "
     "DC_DIMMER_STATUS_3)."},
    {"Command Instance", SettingItem::kByte, SettingMaker::kDecimalByte, "1", kRowAll,
     "The instance of the load the commands go to: byte 0 of every command sent and of the "
     "status that answers it."},
    {"Command On Data", SettingItem::kText36, SettingMaker::kFrameBytes, "01 FF C8 00 FF FF FF FF",
     kRowAll,
     "The 8 data bytes of a command that switches the load on, in hexadecimal as the NAME is "
     "written; byte 0 goes out as Command Instance. Default: set level 100 %."},
    {"Command Off Data", SettingItem::kText36, SettingMaker::kFrameBytes, "01 FF 00 03 FF FF FF FF",
     kRowAll,
     "The 8 data bytes of a command that switches the load off, in hexadecimal as the NAME is "
     "written; byte 0 goes out as Command Instance. Default: off."},
    {"Refused Command Data", SettingItem::kText36, SettingMaker::kFrameBytes,
     "01 FF DC 00 FF FF FF FF", kRowAll,
     "The 8 data bytes of a command the DUT cannot carry out and must refuse with a NAK, in "
     "hexadecimal; byte 0 goes out as Command Instance. Default: level 220 (110 %), out of the "
     "field's range."},
    {"Status State Bytes", SettingItem::kText36, SettingMaker::kBytePositions, "2", kRowAll,
     "The bytes of the status (1 to 7, such as \"2\" or \"2, 3\") that carry the state the "
     "commands change. Default: byte 2, the operating level."},
    {"Traffic Sample Seconds", SettingItem::kWord, SettingMaker::kSeconds, "30", kRowAll,
     "How long the traffic tests listen to the DUT in normal operation, 1 to 3600 seconds."},
});

// The meaning of a setting of the table; empty for one without, or no such setting.
std::string_view SettingMeaning(std::string_view name);

// The application's store with its default settings, in table order, each
// holding its default value. It owns the makers made for the settings (the DSA
// range and the milliseconds byte); the others are shared.
class ApplicationSettings {
 public:
  // `headings`: the test headings of the settings list, each naming its settings.
  explicit ApplicationSettings(data::DataContext& context, std::vector<TestHeading> headings = {});
  ~ApplicationSettings();

  SettingManager& Store() { return store_; }
  // The item of the table's setting `index`, the same object wherever it is shown.
  data::Datum& Item(std::size_t index) const { return *items_.at(index); }
  const std::vector<data::Datum*>& Items() const { return items_; }
  const values::ValueMakerDSARange& DsaRangeMaker() const { return dsaRange_; }
  // The settings list over these settings, built on first use. There is only
  // one, because its headings become the parents of the settings.
  SettingsList& List();
  const std::vector<TestHeading>& Headings() const { return headings_; }

 private:
  std::unique_ptr<data::Datum> MakeItem(const DefaultSetting& setting);
  const values::ValueMaker* MakerFor(SettingMaker maker) const;

  // Declared before the store: the items use them until the store is gone.
  const values::ValueMakerDSARange dsaRange_;
  const values::ValueMakerFlexByte milliseconds_;
  const values::ValueMakerDecWordUpTo manufacturer_{kLargestManufacturerCode};
  const values::ValueMakerFrameBytes frameBytes_;
  const values::ValueMakerBytePositions bytePositions_;
  const values::ValueMakerDecWordUpTo sampleSeconds_{kLongestSampleSeconds, 1};
  SettingManager store_;
  std::vector<data::Datum*> items_;
  std::vector<TestHeading> headings_;
  std::unique_ptr<SettingsList> list_;  // declared last: its headings point at the items
};

// Creates the application store; the main window and the command line call it.
std::unique_ptr<ApplicationSettings> CreateApplicationSettings(
    data::DataContext& context, std::vector<TestHeading> headings = {});

}  // namespace vlt::settings
