#include "settings/setting_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "settings/registry_string.h"

namespace vlt::settings {
namespace {

TEST(SettingText, FormatNumberFillsTheFirstIntegerConversionOnly) {
  EXPECT_EQ(FormatNumber("%d", 253), "253");
  EXPECT_EQ(FormatNumber("DGN=%5X.", 0x1FFFF), "DGN=1FFFF.");
  EXPECT_EQ(FormatNumber("%02X", 7), "07");
  EXPECT_EQ(FormatNumber("%ld%%", -4), "-4%");
  // Conversions that would read a missing or foreign argument stay as text.
  EXPECT_EQ(FormatNumber("%s and %d", 1), "%s and 1");
  EXPECT_EQ(FormatNumber("%d %d", 5), "5 %d");
  EXPECT_EQ(FormatNumber("tail %", 5), "tail %");
  EXPECT_EQ(FormatNumber("%999999d", 1).size(), 127u);
}

TEST(SettingText, SettingNumberReadsOnlyTheDigits) {
  EXPECT_EQ(SettingNumber("253"), 253u);
  EXPECT_EQ(SettingNumber("10 ms"), 10u);
  EXPECT_EQ(SettingNumber("DSA 0x2A"), 2u);
  EXPECT_EQ(SettingNumber("N/A"), 0u);
  EXPECT_EQ(SettingNumber("99999999999999999999"), 0xFFFFFFFFu);
}

TEST(SettingText, FrameDataTextStopsAtTheDataArea) {
  framework::FrameRecord record{};
  record.length = 3;
  record.data[0] = 0x01;
  record.data[1] = 0xAB;
  record.data[2] = 0xFF;
  EXPECT_EQ(FrameDataText(record, " "), "01 AB FF");
  EXPECT_EQ(FrameDataText(record, ""), "01ABFF");
  record.length = 0;
  EXPECT_EQ(FrameDataText(record, " "), "");
  record.length = 0xFFFF;  // corrupt: read up to the end of the data area only
  EXPECT_EQ(FrameDataText(record, "").size(), 2 * framework::kMaxFrameDataBytes);
}

TEST(SettingText, NameBytesFromText) {
  NameBytes bytes{};
  EXPECT_TRUE(TextToNameBytes("01 02 03 04 05 06 07 08", bytes));
  EXPECT_EQ(bytes, (NameBytes{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_TRUE(TextToNameBytes("00 00 00 00 00 00 00 00", bytes));
  EXPECT_EQ(bytes, NameBytes{});
  EXPECT_TRUE(TextToNameBytes("00 EE 00 01 02 03 04 05", bytes));
  EXPECT_EQ(bytes[1], 0xEE);

  // A bad pair reads as 00h and the result says so; the rest is read all the same.
  EXPECT_FALSE(TextToNameBytes("01 0G 03 04 05 06 07 08", bytes));
  EXPECT_EQ(bytes, (NameBytes{1, 0, 3, 4, 5, 6, 7, 8}));
  EXPECT_FALSE(TextToNameBytes("01 02", bytes));  // pairs past the text
  EXPECT_EQ(bytes, (NameBytes{1, 2, 0, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(TextToNameBytes("", bytes));
}

TEST(RegistryString, ReadsTheDefaultStoresAndReadsBack) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("vlt-registry-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  const std::string path = (dir / "Valmora.conf").string();
  {
    platform::RegistryFile file(path);
    RegistryString start(file, kApplicationSubkey, kStartingProfileValue, "");
    EXPECT_EQ(start.Value(), "");
    EXPECT_TRUE(start.Store("/home/op/profiles/pump.zcf"));
    EXPECT_EQ(start.Value(), "/home/op/profiles/pump.zcf");
    // A line end cannot be kept in the file: not written, but the session keeps it.
    EXPECT_FALSE(start.Store("two\nlines"));
    EXPECT_EQ(start.Value(), "two\nlines");
  }
  platform::RegistryFile reread(path);
  RegistryString again(reread, kApplicationSubkey, kStartingProfileValue, "unused");
  EXPECT_EQ(again.Value(), "/home/op/profiles/pump.zcf");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vlt::settings
