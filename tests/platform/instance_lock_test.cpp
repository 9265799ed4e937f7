#include "platform/instance_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/registry_file.h"

namespace vlt::platform {
namespace {

struct TempFolder {
  std::string path;
  TempFolder() {
    char pattern[] = "/tmp/vlt-platform.XXXXXX";
    path = ::mkdtemp(pattern);
  }
  ~TempFolder() { std::filesystem::remove_all(path); }
};

TEST(InstanceLock, ASecondCopyFindsTheLockHeldUntilTheFirstLetsGo) {
  TempFolder folder;
  const std::string path = TesterLockPath(folder.path);
  {
    InstanceLock first;
    ASSERT_EQ(first.TryAcquire(path), InstanceLock::Result::kAcquired);
    InstanceLock second;
    EXPECT_EQ(second.TryAcquire(path), InstanceLock::Result::kHeldElsewhere);
  }
  InstanceLock third;
  EXPECT_EQ(third.TryAcquire(path), InstanceLock::Result::kAcquired);
  InstanceLock broken;
  EXPECT_EQ(broken.TryAcquire(folder.path + "/missing/dir/lock"), InstanceLock::Result::kError);
  EXPECT_FALSE(broken.Error().empty());
}

TEST(RegistryFile, ValuesSurviveAReloadAndBadLinesAreIgnored) {
  TempFolder folder;
  const std::string path = folder.path + "/Fenwright/Valmora.conf";
  {
    RegistryFile registry(path);
    EXPECT_TRUE(registry.SetString("Valmora", "StartingProfile", "/home/op/bench.zcf"));
    EXPECT_TRUE(registry.SetInt("66", "CX", 812));
    EXPECT_FALSE(registry.SetString("Valmora", "Bad", "two\nlines"));
  }
  {
    std::ofstream append(path, std::ios::app);
    append << "garbage without equals\n=no key\n66/CY=12x\n";
  }
  RegistryFile again(path);
  EXPECT_EQ(again.GetString("Valmora", "StartingProfile"), "/home/op/bench.zcf");
  EXPECT_EQ(again.GetInt("66", "CX", 0), 812);
  EXPECT_EQ(again.GetInt("66", "CY", -1), -1);  // not a number: the default
  EXPECT_FALSE(again.GetString("Valmora", "Bad").has_value());
}

}  // namespace
}  // namespace vlt::platform
