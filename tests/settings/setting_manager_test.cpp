#include "settings/setting_manager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/datum_string.h"
#include "data/datum_values.h"
#include "platform/log_pane.h"
#include "settings/default_settings.h"
#include "values/value_maker_shared.h"

namespace vlt::settings {
namespace {

std::string ReadGolden(const std::string& name) {
  const auto path = std::filesystem::path(VLT_TESTS_DIR) / "settings" / name;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct StoreFixture : ::testing::Test {
  platform::MemoryLogPane pane;
  framework::LogOutput log;
  data::DataContext context{log};
  std::unique_ptr<ApplicationSettings> app;

  void SetUp() override {
    log.Attach(&pane);
    app = CreateApplicationSettings(context);
  }
  void TearDown() override { log.Detach(); }
  SettingManager& Store() { return app->Store(); }
};

// The value texts themselves are checked byte for byte by the log line golden file.
TEST_F(StoreFixture, DefaultsAreCreatedInTableOrderAndSettled) {
  ASSERT_EQ(app->Items().size(), kDefaultSettings.size());
  for (std::size_t i = 0; i < kDefaultSettings.size(); ++i) {
    SCOPED_TRACE(kDefaultSettings[i].name);
    EXPECT_EQ(app->Item(i).Title(), kDefaultSettings[i].name);
    EXPECT_EQ(&Store().Find(kDefaultSettings[i].name)->Item(), &app->Item(i));
    EXPECT_TRUE(app->Item(i).IsSettable());
    EXPECT_FALSE(app->Item(i).IsUnconfirmed());
  }
  EXPECT_EQ(Store().GetValue("250MS Timing Tolerance"), "10 ms");
  EXPECT_EQ(pane.Text(), "");  // every default parsed
  EXPECT_FALSE(context.ProfileModified());
}

TEST_F(StoreFixture, LogLinesInNameOrderAreByteExact) {
  for (SettingData* setting : Store().Settings()) setting->LogLine();
  EXPECT_EQ(pane.Text(), ReadGolden("default_settings_log.golden"));
  EXPECT_EQ(Store().Find("Tested By")->LogLineText(),
            "Tested By" + std::string(21, ' ') + " = Default Operator");
}

// The settings that describe the DUT's command and status: each takes its
// value in the one form the tests read back, refuses the rest and keeps its
// value, and says what it means.
TEST_F(StoreFixture, CommandSettingsTakeTheirFormRefuseTheRestAndSayWhatTheyMean) {
  struct Case {
    const char* name;
    const char* typed;
    const char* stored;  // nullptr: refused
  } cases[] = {
      {"Command On Data", "01 ff c8 00 ff ff ff ff", "01 FF C8 00 FF FF FF FF"},
      {"Command On Data", "01FFC800FFFFFFFF", "01 FF C8 00 FF FF FF FF"},
      {"Command Off Data", "  01 FF 00 03 FF FF FF FF ", "01 FF 00 03 FF FF FF FF"},
      {"Command On Data", "01 FF C8 00 FF FF FF", nullptr},        // seven bytes
      {"Command On Data", "01 FF C8 00 FF FF FF FF 00", nullptr},  // nine
      {"Command On Data", "1 FF C8 00 FF FF FF FF F", nullptr},    // a digit cut off its pair
      {"Refused Command Data", "01 FF DC 00 FF FF FF GG", nullptr},
      {"Refused Command Data", "N/D", nullptr},
      {"Status State Bytes", "3", "3"},
      {"Status State Bytes", "2,3", "2, 3"},
      {"Status State Bytes", "7 5 1", "7, 5, 1"},
      {"Status State Bytes", "0", nullptr},  // byte 0 is the instance
      {"Status State Bytes", "8", nullptr},
      {"Status State Bytes", "2, 2", nullptr},
      {"Status State Bytes", "23", nullptr},
      {"Status State Bytes", "", nullptr},
      {"Traffic Sample Seconds", "1", "1"},
      {"Traffic Sample Seconds", "3600", "3600"},
      {"Traffic Sample Seconds", "0", nullptr},
      {"Traffic Sample Seconds", "3601", nullptr},
      {"Command DGN", "17F00", "17F00"},
      {"Command Instance", "250", "250"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " [" + c.typed + "]");
    const std::string before = Store().GetValue(c.name);
    EXPECT_EQ(Store().SetValue(c.name, c.typed), c.stored != nullptr);
    EXPECT_EQ(Store().GetValue(c.name), c.stored != nullptr ? std::string(c.stored) : before);
    EXPECT_FALSE(SettingMeaning(c.name).empty());
  }
  EXPECT_TRUE(SettingMeaning("Company").empty());
  EXPECT_TRUE(SettingMeaning("No Such Setting").empty());
}

TEST_F(StoreFixture, ReadsMarkSettingsUsedUnlessAskedNotTo) {
  EXPECT_EQ(Store().GetValue("Company", true), "Default Company");
  EXPECT_FALSE(Store().Find("Company")->Used());
  EXPECT_EQ(Store().GetValue("Company"), "Default Company");
  EXPECT_TRUE(Store().Find("Company")->Used());
  Store().ClearUsed();
  EXPECT_FALSE(Store().Find("Company")->Used());

  EXPECT_EQ(Store().GetValue("No Such Setting"), "N/A");
  EXPECT_EQ(Store().Size(), kDefaultSettings.size());
}

TEST_F(StoreFixture, AddingANameTwiceKeepsTheFirst) {
  auto second = std::make_unique<data::DatumString36Char>(context, "Company");
  data::Datum* secondItem = second.get();
  data::Datum& returned = Store().AddSetting(std::move(second), "Other");
  EXPECT_EQ(&returned, secondItem);  // still usable by the caller
  EXPECT_EQ(pane.Text(), "Setting Company already exists.\r\n");
  EXPECT_EQ(&Store().Find("Company")->Item(), &app->Item(0));
  EXPECT_EQ(Store().Find("Company")->DefaultText(), "Default Company");
}

TEST_F(StoreFixture, SetValueChangesAnExistingSettingOrCreatesATextOne) {
  EXPECT_TRUE(Store().SetValue("Full ADDRESS_CLAIM Value", "00 EE 00 01 02 03 04 05"));
  EXPECT_EQ(Store().GetValue("Full ADDRESS_CLAIM Value", true), "00 EE 00 01 02 03 04 05");
  EXPECT_TRUE(Store().Find("Full ADDRESS_CLAIM Value")->Used());
  EXPECT_FALSE(app->Item(9).IsUnconfirmed());

  // Bad text for a number: the item reports it and keeps its value.
  EXPECT_FALSE(Store().SetValue("DSA For Address Claiming", "abc"));
  EXPECT_EQ(Store().GetValue("DSA For Address Claiming"), "253");
  EXPECT_EQ(pane.Text(), "Error: [abc] is not a valid setting for DSA For Address Claiming.\r\n");

  EXPECT_TRUE(Store().SetValue("Test Note", "seen at 42h"));
  SettingData* created = Store().Find("Test Note");
  ASSERT_NE(created, nullptr);
  EXPECT_FALSE(created->Added());
  EXPECT_TRUE(created->Used());
  EXPECT_EQ(created->DefaultText(), "");
  EXPECT_EQ(Store().GetValue("Test Note"), "seen at 42h");
  EXPECT_STREQ(created->Item().TypeName(), "Datum36Char");
}

TEST_F(StoreFixture, EditsGoThroughTheItemsAndConfirmWhenApplied) {
  data::Datum& dsa = app->Item(6);
  EXPECT_TRUE(dsa.SetFromText("128"));
  EXPECT_TRUE(context.ProfileModified());
  EXPECT_TRUE(dsa.IsUnconfirmed());
  EXPECT_EQ(dsa.PendingText(), "128");
  EXPECT_TRUE(dsa.SetValueFromText(dsa.PendingText()));
  EXPECT_FALSE(dsa.IsUnconfirmed());
  EXPECT_EQ(Store().GetValue("DSA For Address Claiming"), "128");

  // A DGN typed in any case, and the category by its name.
  data::Datum& dgn = app->Item(11);
  ASSERT_TRUE(dgn.SetFromText("1fedb"));
  ASSERT_TRUE(dgn.SetValueFromText(dgn.PendingText()));
  EXPECT_EQ(Store().GetValue("Identifying DGN"), "1FEDB");
  EXPECT_FALSE(dgn.IsUnconfirmed());
  EXPECT_TRUE(app->Item(10).SetValueFromText("Chassis"));
  EXPECT_EQ(Store().GetValue("DSA Category"), "Chassis");
  EXPECT_FALSE(app->Item(10).SetValueFromText("Boats"));
  EXPECT_EQ(Store().GetValue("DSA Category"), "Chassis");
  EXPECT_FALSE(app->Item(7).SetValueFromText("300"));  // beyond a byte of milliseconds
  EXPECT_EQ(Store().GetValue("250MS Timing Tolerance"), "10 ms");
}

}  // namespace
}  // namespace vlt::settings
