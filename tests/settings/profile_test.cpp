#include "settings/profile.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include "support/file_limits.h"
#include "support/virtual_time.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/log_pane.h"
#include "platform/registry_file.h"
#include "settings/settings_list.h"

namespace vlt::settings {
namespace {

namespace fs = std::filesystem;

std::tm FixedTime() {
  return vlt::testing::LocalTime(2026, 2, 3, 2, 14, 30, 0);
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// One application store with its log pane, as the main window or the command line has.
struct Application {
  platform::MemoryLogPane pane;
  framework::LogOutput log;
  data::DataContext context{log};
  std::unique_ptr<ApplicationSettings> settings;

  Application() {
    log.Attach(&pane);
    settings = CreateApplicationSettings(context);
  }
  ~Application() { log.Detach(); }
  std::vector<std::string> Values() const {
    std::vector<std::string> values;
    for (data::Datum* item : settings->Items()) values.push_back(item->ValueText());
    return values;
  }
};

struct ProfileFixture : ::testing::Test {
  fs::path folder;
  Application app;

  void SetUp() override {
    folder = fs::path(::testing::TempDir()) /
             ("vlt_profile_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  std::string Save(Application& from, const std::string& name) {
    std::string error;
    EXPECT_TRUE(SaveProfile(*from.settings, (folder / name).string(), FixedTime(), &error))
        << error;
    return ReadFile(folder / name);
  }
};

TEST_F(ProfileFixture, DefaultsSaveByteExactlyAndLoadBackUnchanged) {
  const std::string written = Save(app, "default.zcf");
  std::ifstream golden(fs::path(VLT_TESTS_DIR) / "settings" / "default_profile.golden",
                       std::ios::binary);
  std::ostringstream expected;
  expected << golden.rdbuf();
  EXPECT_EQ(written, expected.str());

  Application fresh;
  for (data::Datum* item : fresh.settings->Items()) item->SetValueFromText("0");
  const data::CloneLoadReport report =
      LoadProfile(*fresh.settings, (folder / "default.zcf").string());
  EXPECT_TRUE(report.finished);
  EXPECT_EQ(report.applied, kDefaultSettings.size());
  EXPECT_EQ(fresh.Values(), app.Values());
}

TEST_F(ProfileFixture, ChangedValuesOfEveryKindLoadBackExactly) {
  const std::vector<std::pair<std::string, std::string>> changes = {
      {"Company",
       "Caf\xE9 \"Nord\" = 10 \xB0"
       "C"},  // Windows-1252 text with "=" inside
      {"Product Name", std::string(36, 'P')},
      {"Product Version", ""},
      {"Tested By", "Ann\rBob "},  // a lone CR is no line end
      {"Clear Text Log at Start", "No"},
      {"DSA For Address Claiming", "0"},
      {"250MS Timing Tolerance", "25 ms"},
      {"Manufacturer ID", "2045"},
      {"Full ADDRESS_CLAIM Value", "01 02 03 04 05 06 07 08"},
      {"DSA Category", "Chassis"},
      {"Identifying DGN", "1FEDB"},
      {"Perform Extended Test A-100", "Yes"},
      {"Supported DGN 3", "0"},
      {"Command On Data", "02 00 64 00 FF FF FF FF"},
      {"Status State Bytes", "2, 3"},
      {"Traffic Sample Seconds", "5"},
  };
  for (const auto& [name, value] : changes) {
    ASSERT_TRUE(app.settings->Store().SetValue(name, value)) << name;
  }
  Save(app, "changed.zcf");

  Application fresh;
  const data::CloneLoadReport report =
      LoadProfile(*fresh.settings, (folder / "changed.zcf").string());
  EXPECT_TRUE(report.rejectedValues.empty());
  EXPECT_EQ(fresh.Values(), app.Values());
  EXPECT_EQ(fresh.settings->Store().GetValue("Company"), changes[0].second);
}

TEST_F(ProfileFixture, DamagedFileLoadsWhatItCanAndReportsTheRest) {
  WriteFile(folder / "damaged.zcf", std::string("\x00\xFF\xFE garbage\n", 12) +
                                        ":SET Tested By=Night Shift\n"
                                        ":SET Favourite Colour=Blue\n"
                                        ":SET DSA For Address Claiming=300\n"
                                        ":SET " +
                                        std::string(10 * 1024 * 1024, 'x') +
                                        "\n"
                                        ":SET Company\n"
                                        ":SET Product Name=Widget");
  const data::CloneLoadReport report =
      LoadProfile(*app.settings, (folder / "damaged.zcf").string());
  EXPECT_TRUE(report.opened);
  EXPECT_FALSE(report.header.programLine);
  EXPECT_EQ(report.unknownTitles, std::vector<std::string>{"Favourite Colour"});
  EXPECT_EQ(report.rejectedValues, std::vector<std::string>{"DSA For Address Claiming=300"});
  EXPECT_EQ(report.invalidLines, std::vector<std::string>{"Company"});
  EXPECT_EQ(report.overlongLines, 1u);
  SettingManager& store = app.settings->Store();
  EXPECT_EQ(store.GetValue("Tested By"), "Night Shift");
  EXPECT_EQ(store.GetValue("Product Name"), "Widget");
  EXPECT_EQ(store.GetValue("DSA For Address Claiming"), "253");
  EXPECT_EQ(store.GetValue("Company"), "Default Company");

  const data::CloneLoadReport missing = LoadProfile(*app.settings, (folder / "none.zcf").string());
  EXPECT_FALSE(missing.opened);
  EXPECT_EQ(store.GetValue("Tested By"), "Night Shift");
}

struct ManagerFixture : ProfileFixture {
  std::unique_ptr<platform::RegistryFile> registry;
  std::unique_ptr<RegistryString> starting;
  std::unique_ptr<ProfileManager> profiles;

  void SetUp() override {
    ProfileFixture::SetUp();
    registry = std::make_unique<platform::RegistryFile>((folder / "Valmora.conf").string());
    starting =
        std::make_unique<RegistryString>(*registry, kApplicationSubkey, kStartingProfileValue, "");
    profiles = std::make_unique<ProfileManager>(*app.settings, *starting, FixedTime);
  }
};

TEST_F(ManagerFixture, SavingAndLoadingTrackTheStartingProfileAndTheModifiedFlag) {
  const std::string path = (folder / "bench.zcf").string();
  EXPECT_EQ(profiles->WindowTitle("Jan 21 2026"), "VLT :: The Valmora Tester (Jan 21 2026)");
  app.settings->Store().SetValue("Company", "Acme");
  app.settings->Item(0).SetFromText("Acme");
  EXPECT_TRUE(profiles->Modified());
  std::string error;
  ASSERT_TRUE(profiles->Save(path, &error)) << error;
  EXPECT_FALSE(profiles->Modified());
  EXPECT_EQ(profiles->StartingProfile(), path);
  EXPECT_EQ(profiles->WindowTitle("Jan 21 2026"),
            "VLT :: The Valmora Tester (Jan 21 2026)   " + path);

  // A failed save keeps the flag, so "Done" still offers to save.
  app.settings->Item(3).SetFromText("Someone");
  EXPECT_FALSE(profiles->Save((folder / "no/such/folder.zcf").string(), &error));
  EXPECT_TRUE(profiles->Modified());
  EXPECT_EQ(profiles->StartingProfile(), path);

  profiles->Reset();
  EXPECT_TRUE(profiles->Modified());
  EXPECT_EQ(app.settings->Store().GetValue("Company"), "Default Company");

  // A restart loads the starting profile quietly and counts as unmodified.
  Application restarted;
  platform::RegistryFile reread((folder / "Valmora.conf").string());
  RegistryString remembered(reread, kApplicationSubkey, kStartingProfileValue, "");
  ProfileManager again(*restarted.settings, remembered, FixedTime);
  EXPECT_EQ(again.StartingProfile(), path);
  EXPECT_TRUE(again.LoadAtStart().finished);
  EXPECT_FALSE(again.Modified());
  EXPECT_EQ(restarted.settings->Store().GetValue("Company"), "Acme");

  // A load by the operator marks the profile modified.
  EXPECT_TRUE(again.Load(path).finished);
  EXPECT_TRUE(again.Modified());
}

TEST_F(ManagerFixture, ResetDuringALoadDropsTheLoadedValues) {
  const std::string path = (folder / "acme.zcf").string();
  app.settings->Store().SetValue("Company", "Acme");
  std::string error;
  ASSERT_TRUE(profiles->Save(path, &error));
  profiles->Reset();
  ASSERT_TRUE(profiles->StartLoad(path));
  profiles->Reset();
  data::RunListUntilSettled(app.settings->List().List(), kProfileSettleTicks);
  EXPECT_EQ(app.settings->Store().GetValue("Company"), "Default Company");
  EXPECT_TRUE(profiles->SaveToStartingProfile(&error)) << error;
}

TEST_F(ManagerFixture, SavingOntoAFullDiskKeepsTheProfileAndTellsWhy) {
  const std::string path = (folder / "bench.zcf").string();
  std::string error;
  ASSERT_TRUE(profiles->Save(path, &error)) << error;
  const std::string before = ReadFile(path);
  app.settings->Store().SetValue("Company", "Acme");
  app.settings->Item(0).SetFromText("Acme");
  const int status = vlt::testing::RunWithFileSizeLimit(64, [&] {
    std::string why;
    if (profiles->Save(path, &why)) return 1;
    if (why.find(path) == std::string::npos || why.find("File too large") == std::string::npos) {
      return 2;
    }
    return profiles->Modified() ? 0 : 3;  // "Done" must still offer to save
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(vlt::testing::FolderNames(folder),
            (std::vector<std::string>{"Valmora.conf", "bench.zcf"}));
}

}  // namespace
}  // namespace vlt::settings
