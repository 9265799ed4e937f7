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

}  // namespace
}  // namespace vlt::engine
