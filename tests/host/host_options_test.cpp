#include "host/host_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace vlt::host {
namespace {

ParsedHostOptions Parse(std::vector<std::string_view> args) {
  return ParseHostOptions(args);
}

TEST(HostOptions, DefaultsGiveAPoweredStaticDutAt253) {
  const ParsedHostOptions parsed = Parse({});
  ASSERT_EQ(parsed.error, "");
  EXPECT_FALSE(parsed.options.stamped);
  auto dut = MakeDut(parsed.options, 0);
  ASSERT_NE(dut, nullptr);
  EXPECT_TRUE(dut->Powered());
  EXPECT_EQ(dut->Describe(), "static 253");
  EXPECT_EQ(Parse({"--dut", "static"}).options.dutAddress, 253);
  EXPECT_EQ(MakeDut(Parse({"--dut=none"}).options, 0), nullptr);
}

TEST(HostOptions, ManufacturerCodeGoesIntoTheNameWhateverTheOrder) {
  const ParsedHostOptions parsed =
      Parse({"--dut-mfg", "2047", "--dut=static:17", "--dut-name", "0102030405060708", "--dut-off",
             "--stamped", "--verbose"});
  ASSERT_EQ(parsed.error, "");
  const HostOptions& o = parsed.options;
  EXPECT_EQ(o.dutAddress, 17);
  EXPECT_EQ(o.dutName, (DeviceName{0x01, 0x02, 0xE3, 0xFF, 0x05, 0x06, 0x07, 0x08}));
  EXPECT_TRUE(o.stamped);
  EXPECT_TRUE(o.verbose);
  EXPECT_FALSE(MakeDut(o, 0)->Powered());
}

TEST(HostOptions, BadArgumentsAreRefusedWithAReason) {
  const std::vector<std::vector<std::string_view>> bad = {
      {"--dut"},
      {"--dut", "dynamic"},
      {"--dut", "static:254"},
      {"--dut", "static:"},
      {"--dut", "static:-1"},
      {"--dut-name", "0102"},
      {"--dut-name", "01020304050607GG"},
      {"--dut-mfg", "2048"},
      {"--dut-mfg", "12x"},
      {"--stamped=yes"},
      {"--frobnicate"},
      {"stamped"},
  };
  for (const auto& args : bad) {
    EXPECT_NE(Parse(args).error, "") << args[0] << (args.size() > 1 ? args[1] : "");
  }
}

}  // namespace
}  // namespace vlt::host
