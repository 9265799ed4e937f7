#include "cli/tester_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "cli/terminal.h"

namespace vlt::cli {
namespace {

TEST(TesterLock, ASecondTesterOnTheSameRunFolderIsTurnedAway) {
  char pattern[] = "/tmp/vlt-cli.XXXXXX";
  const std::string runDir = ::mkdtemp(pattern);
  {
    platform::InstanceLock first;
    ASSERT_EQ(AcquireTesterLock(first, runDir), kExitOk);
    platform::InstanceLock second;
    EXPECT_EQ(AcquireTesterLock(second, runDir), kExitTesterRunning);
  }
  platform::InstanceLock later;
  EXPECT_EQ(AcquireTesterLock(later, runDir), kExitOk);
  std::filesystem::remove_all(runDir);
}

}  // namespace
}  // namespace vlt::cli
