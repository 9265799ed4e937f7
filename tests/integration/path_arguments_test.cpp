// Every path the vlt command takes, given a path no file can take: the real
// program says why on one line and ends with the status its usage names, before
// anything runs; never an uncaught exception.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/host_process.h"

namespace vlt {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(PathArguments, EveryPathTakingOptionRefusesAPathNoFileCanTakeWithItsReason) {
  testing::HostProcess folder;  // no host: nothing may get as far as running
  const std::string dir = folder.RunDir();
  fs::create_symlink("loop", dir + "/loop");
  std::ofstream(dir + "/file") << "not a folder";
  std::string deep = dir;
  for (int i = 0; i < 25; ++i) deep += "/" + std::string(200, 'd');
  const std::pair<const char*, std::string> bad[] = {
      {"through a link loop", dir + "/loop/x"},
      {"a name too long", dir + "/" + std::string(300, 'n')},
      {"too deep", deep},
      {"a file for a folder", dir + "/file/x"}};
  struct Option {
    std::vector<std::string> before;
    const char* suffix;  // after the bad path
    std::vector<std::string> after;
    int status;
  } options[] = {
      {{"run", "ND10", "--out"}, "", {}, 64},
      {{"run", "ND10", "--profile"}, ".zcf", {}, 64},
      {{"run", "ND10", "--junit"}, "/vlt.xml", {}, 64},
      {{"run", "ND10", "--json"}, "/vlt.json", {}, 64},
      {{"demo", "--out"}, "", {}, 64},
      {{"summary"}, "", {}, 65},
      {{"supersede"}, "", {"--yes"}, 65},
      {{"summary", dir, "--profile"}, ".zcf", {}, 65},
  };
  const std::string stderrFile = dir + "/stderr.txt";
  for (const Option& option : options) {
    for (const auto& [what, path] : bad) {
      std::vector<std::string> args = option.before;
      args.push_back(path + option.suffix);
      args.insert(args.end(), option.after.begin(), option.after.end());
      SCOPED_TRACE(args[0] + " " + option.before.back() + ", " + what);
      EXPECT_EQ(folder.RunProgram("app/cli/vlt", args, "/dev/null", stderrFile), option.status);
      const std::string said = ReadFile(stderrFile);
      EXPECT_TRUE(said.starts_with("vlt: ")) << said;
      EXPECT_EQ(said.find("terminate called"), std::string::npos) << said;
    }
  }
}

}  // namespace
}  // namespace vlt
