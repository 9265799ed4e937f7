// Saved logs and profiles go through WriteFileAtomically: whatever stops a write,
// the file already there keeps its bytes and no temporary is left in the folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>

#include "platform/registry_file.h"
#include "platform/write_failure.h"
#include "support/file_limits.h"

namespace vlt::platform {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::FolderNames;

struct AtomicWriteFixture : ::testing::Test {
  fs::path folder;
  std::string target;
  const std::string oldBytes = "old log\r\n";

  void SetUp() override {
    char pattern[] = "/tmp/vlt-atomic.XXXXXX";
    folder = ::mkdtemp(pattern);
    target = (folder / "log.txt").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(target, oldBytes, &error)) << error;
  }
  void TearDown() override { fs::remove_all(folder); }
};

TEST_F(AtomicWriteFixture, AFullDiskKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string big(64 * 1024, 'x');
  const int status = testing::RunWithFileSizeLimit(4096, [&] {
    std::string error;
    if (WriteFileAtomically(target, big, &error)) return 1;
    if (error.find(target) == std::string::npos) return 2;
    if (error.find(std::strerror(EFBIG)) == std::string::npos) return 3;
    return 0;
  });
  EXPECT_EQ(status, 0) << "1: reported success, 2: no path, 3: no reason in the message";
  EXPECT_EQ(FileBytes(target), oldBytes);
  EXPECT_EQ(FolderNames(folder), std::vector<std::string>{"log.txt"});
}

// Places that no permission bit opens, so the tests hold when run as root.
TEST_F(AtomicWriteFixture, UnwritablePlacesFailWithTheirReasonAndChangeNothing) {
  const struct {
    std::string path;
    int reason;
  } places[] = {
      {target + "/inside.txt", ENOTDIR},                  // the folder is a regular file
      {(folder / "no" / "such" / "x").string(), ENOENT},  // the folder is missing
      {folder.string(), EISDIR},                          // the target is a folder
      {(folder / std::string(NAME_MAX + 1, 'n')).string(), ENAMETOOLONG},
  };
  for (const auto& place : places) {
    std::string error;
    int errorNumber = 0;
    EXPECT_FALSE(WriteFileAtomically(place.path, "new", &error, &errorNumber)) << place.path;
    EXPECT_NE(error.find(std::strerror(place.reason)), std::string::npos) << error;
    EXPECT_EQ(errorNumber, place.reason) << place.path;
    EXPECT_EQ(FileBytes(target), oldBytes);
    EXPECT_EQ(FolderNames(folder), std::vector<std::string>{"log.txt"}) << place.path;
  }
}

// The operator is told what to do about the cause, not always to free space.
TEST(WriteFailureAdvice, OnlyAFullDiskIsToldToFreeSpace) {
  for (const int code :
       {0, ENOENT, ENOTDIR, EACCES, EPERM, EROFS, EFBIG, ENAMETOOLONG, EISDIR, ELOOP, EIO}) {
    EXPECT_EQ(WriteFailureAdvice(code).find("space"), std::string::npos) << code;
  }
  for (const int code : {ENOSPC, EDQUOT}) {
    EXPECT_NE(WriteFailureAdvice(code).find("free some space"), std::string::npos) << code;
  }
}

TEST_F(AtomicWriteFixture, ANameAtTheLengthLimitCanStillBeSaved) {
  const std::string longest = (folder / std::string(NAME_MAX, 'n')).string();
  std::string error;
  EXPECT_TRUE(WriteFileAtomically(longest, "new\r\n", &error)) << error;
  EXPECT_EQ(FileBytes(longest), "new\r\n");
}

TEST_F(AtomicWriteFixture, AReplacedFileKeepsItsPermissions) {
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(target, "new\r\n", &error)) << error;
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(FileBytes(target), "new\r\n");
}

}  // namespace
}  // namespace vlt::platform
