#include "cli/profile_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/run_command.h"
#include "cli/terminal.h"
#include "support/file_limits.h"
#include "support/host_process.h"

namespace vlt::cli {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct ProfileCommandFixture : ::testing::Test {
  fs::path folder;
  std::string file;
  std::ostringstream out, err;

  void SetUp() override {
    folder = fs::path(::testing::TempDir()) /
             ("vlt_profile_cli_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    file = (folder / "lab.zcf").string();
  }
  void TearDown() override { fs::remove_all(folder); }

  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    return RunProfile(args, out, err);
  }
};

TEST_F(ProfileCommandFixture, NewShowAndSetWorkOnOneFile) {
  ASSERT_EQ(Run({"new", file}), kExitOk) << err.str();
  EXPECT_EQ(Run({"new", file}), kExitDataError);  // never replaced by accident
  ASSERT_EQ(Run({"set", file, "Company=Caf\xC3\xA9 Nord", "DSA Category=Chassis"}), kExitOk)
      << err.str();
  EXPECT_EQ(out.str(),
            "Company                        = Caf\xC3\xA9 Nord\n"
            "DSA Category                   = Chassis\n");
  EXPECT_NE(ReadFile(file).find(":SET Company=Caf\xE9 Nord\r\n"), std::string::npos);

  ASSERT_EQ(Run({"show", file}), kExitOk);
  EXPECT_EQ(err.str(), "");
  const std::string shown = out.str();
  EXPECT_NE(shown.find("Company                        = Caf\xC3\xA9 Nord\n"), std::string::npos);
  EXPECT_NE(shown.find("DSA For Address Claiming       = 253\n"), std::string::npos);
  EXPECT_EQ(static_cast<std::size_t>(std::count(shown.begin(), shown.end(), '\n')),
            settings::kDefaultSettings.size());
}

TEST_F(ProfileCommandFixture, RefusedArgumentsLeaveTheFileUntouched) {
  ASSERT_EQ(Run({"new", file}), kExitOk);
  const std::string before = ReadFile(file);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"set", file, "Tested By=Ann", "DSA For Address Claiming=abc"},
           {"set", file, "No Such Setting=1"},
           {"set", file, "Manufacturer ID=2048"},
           {"set", file, "Company"},
           {"set", file, "Company=" + std::string(37, 'c')},
           {"set", file, "Company=two\nlines"},
           {"set", file, "Company=\xE2\x82\xAC\xE2\x82\xAC \xE4\xB8\x80"},  // no Windows-1252 form
       }) {
    EXPECT_EQ(Run(args), kExitUsage) << args.back();
    EXPECT_NE(err.str().find("was not changed"), std::string::npos) << err.str();
  }
  EXPECT_EQ(ReadFile(file), before);
  EXPECT_EQ(Run({"set", file}), kExitUsage);
  EXPECT_EQ(Run({"show", (folder / "lab.txt").string()}), kExitDataError);
  EXPECT_EQ(Run({"show", (folder / "missing.zcf").string()}), kExitDataError);
  EXPECT_EQ(Run({"frobnicate", file}), kExitUsage);
}

TEST_F(ProfileCommandFixture, AFileWithLinesThatWouldBeLostNeedsForce) {
  std::ofstream(file, std::ios::binary) << ":SET Company=Acme\n:SET Favourite Colour=Blue\n";
  ASSERT_EQ(Run({"show", file}), kExitOk);
  EXPECT_NE(err.str().find("not a profile: no \":Program MORVEL\" line"), std::string::npos);
  EXPECT_NE(err.str().find("no setting is called \"Favourite Colour\""), std::string::npos);
  EXPECT_NE(out.str().find("Company                        = Acme\n"), std::string::npos);

  EXPECT_EQ(Run({"set", file, "Tested By=Ann"}), kExitDataError);
  EXPECT_NE(ReadFile(file).find("Favourite Colour"), std::string::npos);
  ASSERT_EQ(Run({"set", file, "Tested By=Ann", "--force"}), kExitOk);
  const std::string rewritten = ReadFile(file);
  EXPECT_EQ(rewritten.find("Favourite Colour"), std::string::npos);
  EXPECT_NE(rewritten.find(":SET Company=Acme\r\n:SET Product Name="), std::string::npos);
  EXPECT_NE(rewritten.find(":SET Tested By=Ann\r\n"), std::string::npos);
}

TEST_F(ProfileCommandFixture, AProfileThatCannotBeWrittenIsReportedAndKept) {
  ASSERT_EQ(Run({"new", file}), kExitOk) << err.str();
  const std::string before = ReadFile(file);
  const int status = testing::RunWithFileSizeLimit(64, [&] {
    return Run({"set", file, "Tested By=Ann"}) == kExitCannotSave &&
                   err.str().find("File too large") != std::string::npos &&
                   err.str().find("the file was not changed") != std::string::npos
               ? 0
               : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(file), before);
  EXPECT_EQ(testing::FolderNames(folder), std::vector<std::string>{"lab.zcf"});

  EXPECT_EQ(Run({"new", file + "/inside.zcf"}), kExitCannotSave);
  EXPECT_NE(err.str().find("Not a directory"), std::string::npos) << err.str();
  // The advice follows the cause: no space is to be freed here.
  EXPECT_NE(err.str().find("A file stands where the path needs a folder"), std::string::npos);
  EXPECT_EQ(err.str().find("Free some space"), std::string::npos);
  EXPECT_EQ(ReadFile(file), before);
}

// Only a profile whose every line and value the settings keep is rewritten.
TEST_F(ProfileCommandFixture, AFileARewriteCannotKeepWholeIsLeftAloneWithoutForce) {
  ASSERT_EQ(Run({"new", file}), kExitOk);
  const std::string profile = ReadFile(file);
  std::string noise(1 << 20, '\0');
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 7919 % 251);
  const std::string longName = "Product Name=" + std::string(300, 'x');
  struct Case {
    std::string text;
    std::string why;
  } cases[] = {
      {"Shopping: milk, eggs\r\n", "not a profile: no \":Program MORVEL\" line"},
      {noise, "holds binary data"},
      {profile + "remember to ask Ann\r\n", "(\"remember to ask Ann\") is no setting"},
      {profile + ":SET Company=Acme\x01\x02\r\n", "holds binary data"},
      {profile + ":SET " + longName + "\r\n", "Product Name holds at most"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    std::ofstream(file, std::ios::binary) << c.text;
    EXPECT_EQ(Run({"set", file, "Tested By=Ann"}), kExitDataError);
    EXPECT_NE(err.str().find(c.why), std::string::npos) << err.str();
    EXPECT_NE(err.str().find(" was left as it was: writing it back would lose what is reported "
                             "above. --force "),
              std::string::npos)
        << err.str();
    EXPECT_EQ(ReadFile(file), c.text);
  }
  // The refusal at load reads as the refusal of the same --set.
  std::ofstream(file, std::ios::binary) << profile;
  ASSERT_EQ(Run({"set", file, longName}), kExitUsage);
  std::ofstream(file, std::ios::binary) << cases[4].text;
  const std::string setMessage = err.str().substr(0, err.str().find('\n'));
  ASSERT_EQ(setMessage.rfind("vlt: Product Name holds at most ", 0), 0u) << setMessage;
  EXPECT_EQ(Run({"show", file}), kExitOk);
  EXPECT_NE(err.str().find("vlt: " + file + ": " + setMessage.substr(5)), std::string::npos)
      << err.str();
  EXPECT_NE(out.str().find("Product Name                   = Default Product\n"),
            std::string::npos);

  // --force writes the settings it read, without what it could not keep.
  std::ofstream(file, std::ios::binary) << cases[2].text;
  ASSERT_EQ(Run({"set", file, "Tested By=Ann", "--force"}), kExitOk) << err.str();
  EXPECT_EQ(ReadFile(file).find("remember"), std::string::npos);
}

TEST_F(ProfileCommandFixture, ARefusedValueSaysWhatTheSettingStandsFor) {
  ASSERT_EQ(Run({"new", file}), kExitOk);
  EXPECT_EQ(Run({"set", file, "Status State Bytes=0"}), kExitUsage);
  EXPECT_NE(err.str().find("vlt: \"0\" is not a valid value for Status State Bytes (The bytes of "
                           "the status (1 to 7,"),
            std::string::npos)
      << err.str();
}

TEST_F(ProfileCommandFixture, ARewriteKeepsTheCreatedLine) {
  ASSERT_EQ(Run({"new", file}), kExitOk);
  std::string profile = ReadFile(file);
  const std::size_t created = profile.find(":Created ");
  const std::string old = ":Created Monday, January 05, 2026  at 08:00:00";
  profile.replace(created, profile.find('\r', created) - created, old);
  std::ofstream(file, std::ios::binary) << profile;
  ASSERT_EQ(Run({"set", file, "Tested By=Ann"}), kExitOk) << err.str();
  EXPECT_NE(ReadFile(file).find(":Version 1.0.0\r\n" + old + "\r\n"), std::string::npos)
      << ReadFile(file);

  std::ostringstream said;
  EXPECT_TRUE(WriteStoredBack(file, {{"Full ADDRESS_CLAIM Value", "A5 A5 60 24 00 80 00 00"}},
                              std::tm{}, said));
  EXPECT_NE(ReadFile(file).find(old + "\r\n"), std::string::npos) << said.str();
}

// The real program: nothing is run on a file a stored setting could not be
// written back to, and the file stays as it is.
TEST_F(ProfileCommandFixture, VltRunRunsNothingOnAFileItCouldNotRewrite) {
  testing::HostProcess noHost;  // a run folder without a host: the check comes first
  const std::string note = "Bench notes: DUT serial 4711\r\n";
  std::ofstream(file, std::ios::binary) << note;
  const std::string errFile = noHost.RunDir() + "/err.txt";
  EXPECT_EQ(
      noHost.RunProgram("app/cli/vlt", {"run", "RAC", "--profile", file}, "/dev/null", errFile),
      kExitDataError);
  EXPECT_EQ(ReadFile(file), note);
  const std::string said = ReadFile(errFile);
  EXPECT_NE(said.find("vlt: nothing was run: "), std::string::npos) << said;
  EXPECT_NE(said.find("--force replaces the whole file with a profile of the settings"),
            std::string::npos)
      << said;
}

// What vlt run writes back after a test stored a setting.
TEST_F(ProfileCommandFixture, ARunWritesStoredValuesBackButLeavesADamagedProfileAlone) {
  const std::map<std::string, std::string> stored = {
      {"Full ADDRESS_CLAIM Value", "A5 A5 60 24 00 80 00 00"}};
  const std::tm now{};
  ASSERT_EQ(Run({"new", file}), kExitOk);
  std::ostringstream said;
  EXPECT_TRUE(WriteStoredBack(file, stored, now, said));
  EXPECT_NE(said.str().find("vlt: profile " + file + " updated\n"), std::string::npos)
      << said.str();
  EXPECT_NE(ReadFile(file).find(":SET Full ADDRESS_CLAIM Value=A5 A5 60 24 00 80 00 00\r\n"),
            std::string::npos);

  const std::string damaged = ":SET Company=Acme\n:SET Favourite Colour=Blue\n";
  std::ofstream(file, std::ios::binary) << damaged;
  said.str("");
  // Not a failure to save: the run's result stands, the file and the way to keep
  // the value are named.
  EXPECT_TRUE(WriteStoredBack(file, stored, now, said));
  EXPECT_EQ(ReadFile(file), damaged);
  EXPECT_NE(said.str().find("no setting is called \"Favourite Colour\""), std::string::npos);
  EXPECT_NE(said.str().find("vlt: the profile " + file + " was not updated: writing it back"),
            std::string::npos)
      << said.str();
  EXPECT_NE(said.str().find("vlt profile set " + file +
                            " \"Full ADDRESS_CLAIM Value=A5 A5 60 24 00 80 00 00\" --force\n"),
            std::string::npos)
      << said.str();

  said.str("");
  EXPECT_FALSE(WriteStoredBack((folder / "gone.zcf").string(), stored, now, said));
  EXPECT_NE(said.str().find("was not updated; the file is unchanged"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder / "gone.zcf"));
}

}  // namespace
}  // namespace vlt::cli
