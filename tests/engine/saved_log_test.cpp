#include "engine/saved_log.h"

#include <gtest/gtest.h>

#include "support/file_limits.h"
#include "support/virtual_time.h"

namespace vlt::engine {
namespace {

namespace fs = std::filesystem;

struct SavedLogFixture : ::testing::Test {
  fs::path folder;
  std::string path;
  testing::RecordingPrompter prompter;

  void SetUp() override {
    char pattern[] = "/tmp/vlt-saved-log.XXXXXX";
    folder = ::mkdtemp(pattern);
    path = (folder / "Widget_A10_2602031430.txt").string();
  }
  void TearDown() override { fs::remove_all(folder); }
};

TEST_F(SavedLogFixture, KeepsNonEmptyLinesEndedWithCrLf) {
  ASSERT_TRUE(SaveLog(path, "Test A-10\r\n\r\nPASS : x\n\n", prompter));
  EXPECT_EQ(testing::FileBytes(path), "Test A-10\r\nPASS : x\r\n");
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(SavedLogFixture, AFailedSaveTellsTheOperatorAndKeepsTheEarlierLog) {
  ASSERT_TRUE(SaveLog(path, "first run", prompter));
  const int status = testing::RunWithFileSizeLimit(16, [&] {
    if (SaveLog(path, std::string(4096, 'x'), prompter)) return 1;
    if (prompter.boxes.size() != 1 || prompter.boxes[0].first != "Save Log") return 2;
    return prompter.boxes[0].second.find("File too large") == std::string::npos ? 3 : 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(testing::FileBytes(path), "first run\r\n");
  EXPECT_EQ(testing::FolderNames(folder), std::vector<std::string>{fs::path(path).filename()});

  EXPECT_FALSE(SaveLog(path + "/x.txt", "second run", prompter));
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_NE(prompter.boxes[0].second.find("Not a directory"), std::string::npos);
}

TEST_F(SavedLogFixture, TheBoxNamesAFolderOfAccentedLettersInTheWindowsText) {
  const std::string missing = (folder / "Caf\xC3\xA9" / "x.txt").string();
  EXPECT_FALSE(SaveLog(missing, "a run", prompter));
  ASSERT_EQ(prompter.boxes.size(), 1u);
  const std::string& text = prompter.boxes[0].second;
  EXPECT_NE(text.find("/Caf\xE9/"), std::string::npos) << text;
  EXPECT_EQ(text.find("\xC3"), std::string::npos) << text;
}

TEST(LogFileName, EveryNameLandsInTheFolderAsOneSafeFileName) {
  struct Case {
    const char* logName;
    const char* fileName;
  } cases[] = {
      {"Widget_A10_2602031430", "Widget_A10_2602031430"},
      {"../x_A10_2602031430", "__x_A10_2602031430"},
      {"a/b_A10_2602031430", "a_b_A10_2602031430"},
      {"..", "_"},
      {".", "_"},
      {"", "_"},
      {"C:\\lab\\..\\w?*<>|\"_RAC_2602031430", "C__lab___w_______RAC_2602031430"},
      {"tab\there_RAC_1", "tab_here_RAC_1"},
      {"trailing dot.", "trailing dot._"},
      {".hidden_A10_2602031430", "_hidden_A10_2602031430"},  // never a hidden file
      {"..x_A10_1", "__x_A10_1"},
      {"caf\xE9_A10_2602031430", "caf\xE9_A10_2602031430"},  // Windows-1252 stays
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LogFileName(c.logName), c.fileName) << c.logName;
  }
  // A product name too long for a file name loses its middle, never the code
  // and stamp the summary reads.
  const std::string longName = std::string(300, 'P') + "_A110_2602031430";
  const std::string cut = LogFileName(longName);
  EXPECT_LE(cut.size(), 80u);
  EXPECT_TRUE(cut.ends_with("_A110_2602031430")) << cut;
}

TEST_F(SavedLogFixture, ThreeRunsInOneMinuteKeepThreeFilesAndHostileNamesStayInside) {
  std::vector<std::string> saved;
  for (const char* text : {"first", "second", "third"}) {
    std::string path;
    std::string error;
    ASSERT_TRUE(SaveNewLog(folder.string(), "Widget_A10_2602031430", text, &path, &error)) << error;
    saved.push_back(fs::path(path).filename().string());
  }
  EXPECT_EQ(saved,
            (std::vector<std::string>{"Widget_A10_2602031430.txt", "Widget_A10_2602031430 (2).txt",
                                      "Widget_A10_2602031430 (3).txt"}));
  EXPECT_EQ(testing::FileBytes((folder / saved[0]).string()), "first\r\n");
  EXPECT_EQ(testing::FileBytes((folder / saved[2]).string()), "third\r\n");

  fs::create_directory(folder / "out");
  for (const char* hostile : {"../x_A10_1", "a/b_A10_1", "..", "/etc/passwd"}) {
    std::string path;
    std::string error;
    ASSERT_TRUE(SaveNewLog((folder / "out").string(), hostile, "log", &path, &error)) << error;
    EXPECT_EQ(fs::path(path).parent_path(), folder / "out") << hostile;
  }
  EXPECT_EQ(testing::FolderNames(folder / "out").size(), 4u);
  EXPECT_FALSE(fs::exists(folder / "x_A10_1.txt"));

  std::string error;
  EXPECT_FALSE(SaveNewLog((folder / "none").string(), "w", "log", nullptr, &error));
  EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

}  // namespace
}  // namespace vlt::engine
