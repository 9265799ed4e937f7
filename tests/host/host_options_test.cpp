#include "host/core/host_options.h"

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

TEST(HostOptions, DynamicDutWithCategoryDsaFaultsAndStatus) {
  const ParsedHostOptions parsed =
      Parse({"--dut-fault", "short-wait", "--dut", "dynamic:1", "--dut-dsa=131",
             "--dut-fault=talks-first", "--dut-status-dgn", "1ffb7", "--dut-instance", "0"});
  ASSERT_EQ(parsed.error, "");
  const HostOptions& o = parsed.options;
  EXPECT_EQ(o.dutFaults, (DutFaults{DutFault::kShortWait, DutFault::kTalksFirst}));
  EXPECT_EQ(o.dutStatusDgn, 0x1FFB7u);
  EXPECT_EQ(o.dutInstance, 0);
  EXPECT_EQ(MakeDut(o, 0)->Describe(), "dynamic 131");
  EXPECT_EQ(DutSummary(o),
            "dynamic, category 1 (128-143), DSA 131, NAME A5A5602400800080, status 1FFB7 "
            "instance 0, faults talks-first,short-wait (on)");
  // Without a DSA it asks for the first address of its range first.
  EXPECT_EQ(MakeDut(Parse({"--dut", "dynamic"}).options, 0)->Describe(), "dynamic 112");
}

// Variants are correct J1939 behaviour and documented beside the faults; a boot
// delay of 0 puts the first frame in the millisecond of power-on.
TEST(HostOptions, VariantsAndTheBootDelayReachTheDut) {
  const ParsedHostOptions parsed =
      Parse({"--dut", "dynamic", "--dut-variant", "requests-globally", "--dut-variant=tracks-names",
             "--dut-boot-delay", "0", "--dut-off"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_TRUE(parsed.options.dutFaults.Has(DutFault::kRequestsGlobally));
  EXPECT_TRUE(parsed.options.dutFaults.Has(DutFault::kTracksNames));
  for (const char* dut : {"dynamic", "static"}) {
    SCOPED_TRACE(dut);
    auto device = MakeDut(Parse({"--dut", dut, "--dut-boot-delay=0", "--dut-off"}).options, 0);
    device->SetPower(true, 5'000);
    EXPECT_EQ(device->NextDeadlineMicros(), 5'000);
    std::vector<BusFrame> out;
    device->Poll(5'000, out);
    EXPECT_EQ(out.size(), 1u);
  }
  const std::string help = HostHelpText();
  EXPECT_NE(help.find("--dut-boot-delay MS"), std::string::npos);
  EXPECT_NE(help.find("Variants (--dut-variant NAME)"), std::string::npos);
  EXPECT_NE(help.find("  tracks-names  (dynamic)"), std::string::npos);
  EXPECT_LT(help.find("  range-only"), help.find("Variants ("));
}

TEST(HostOptions, HelpNamesEachKindsProfileAndListsTripsInMenuOrder) {
  const std::string help = HostHelpText();
  const std::string profile = "DSA " + std::to_string(kDefaultDutAddress) + " (static) or " +
                              std::to_string(kDsaCategoryRanges[kDefaultDsaCategory].low) +
                              " (dynamic)";
  EXPECT_NE(help.find(profile), std::string::npos);
  EXPECT_NE(help.find("(start: host mode 3, echo 0).\n"), std::string::npos);
  EXPECT_NE(help.find("trips: A-20, A-30 0x203; A-80 0x802; A-110 0xB03\n"), std::string::npos);
  // Every fault's tests go by number as the menu does, those with one outcome
  // together at the first of them; wrapped lines included.
  std::size_t paragraphs = 0;
  for (std::size_t at = help.find("trips: "); at != std::string::npos;
       at = help.find("trips: ", at + 1)) {
    ++paragraphs;
    std::size_t end = help.find('\n', at);
    while (end != std::string::npos && help.compare(end + 1, 8, "        ") == 0) {
      end = help.find('\n', end + 1);
    }
    const std::string trips = help.substr(at, end - at);
    int previousGroup = 0;
    for (std::size_t group = 0; group != std::string::npos;) {
      const std::size_t next = trips.find("; ", group);
      const std::string tests = trips.substr(group, next - group);
      int previous = 0;
      for (std::size_t test = tests.find("A-"); test != std::string::npos;
           test = tests.find("A-", test + 1)) {
        const int number = std::stoi(tests.substr(test + 2));
        EXPECT_LT(previous == 0 ? previousGroup : previous, number) << trips;
        if (previous == 0) previousGroup = number;
        previous = number;
      }
      group = next == std::string::npos ? next : next + 2;
    }
  }
  EXPECT_EQ(paragraphs, kDutFaultCount);
}

TEST(HostOptions, BadArgumentsAreRefusedWithAReason) {
  const std::vector<std::vector<std::string_view>> bad = {
      {"--dut"},
      {"--dut", "dynamo"},
      {"--dut", "static:254"},
      {"--dut", "static:"},
      {"--dut", "static:-1"},
      {"--dut", "dynamic:9"},
      {"--dut-name", "0102"},
      {"--dut-name", "01020304050607GG"},
      {"--dut-mfg", "2048"},
      {"--dut-mfg", "12x"},
      {"--dut-fault", "sleepy"},
      {"--dut-fault", "no-request"},                       // the default DUT is static
      {"--dut", "dynamic", "--dut-fault", "j1939-yield"},  // a static DUT's fault
      {"--dut", "none", "--dut-fault", "talks-first"},
      {"--dut-dsa", "112"},  // static: its address is static:ADDRESS
      {"--dut", "dynamic", "--dut-variant", "global-request"},  // a fault, not a variant
      {"--dut", "dynamic", "--dut-fault", "tracks-names"},      // a variant, not a fault
      {"--dut-variant", "requests-globally"},                   // the default DUT is static
      {"--dut-boot-delay", "-1"},
      {"--dut-boot-delay", "600001"},
      {"--dut", "none", "--dut-boot-delay", "0"},
      {"--dut", "dynamic:2", "--dut-dsa", "160"},
      {"--dut-status-dgn", "FFFF"},
      {"--dut-status-dgn", "20000"},
      {"--dut-instance", "256"},
      {"--traffic", "0"},
      {"--traffic", "10001"},
      {"--traffic", "full"},
      {"--traffic"},
      {"--stamped=yes"},
      {"--bus", "pipe:"},
      {"--bus", "replay"},
      {"--bus", "Socket-CAN:can0"},
      {"--bus", ":can0"},
      {"--bus", "pipe:cat", "--dut", "static"},  // the pipe's program is the DUT
      {"--bus", "virtualcan:can0", "--dut-off"},
      {"--record", ""},
      {"--frobnicate"},
      {"stamped"},
  };
  for (const auto& args : bad) {
    std::string joined;
    for (const auto arg : args) joined += std::string(arg) + ' ';
    EXPECT_NE(Parse(args).error, "") << joined;
  }
}

TEST(HostOptions, BusesAreNamedByKindAndTheirArgumentKeepsItsColons) {
  const ParsedHostOptions pipe = Parse({"--bus", "pipe:candump -L can0 | ./x", "--record=r.log"});
  ASSERT_EQ(pipe.error, "");
  EXPECT_EQ(pipe.options.bus.kind, BusChoice::Kind::kPipe);
  EXPECT_EQ(pipe.options.bus.argument, "candump -L can0 | ./x");
  EXPECT_EQ(pipe.options.record, "r.log");
  EXPECT_EQ(MakeDut(pipe.options, 0), nullptr);  // no simulated DUT beside the pipe's

  const ParsedHostOptions can = Parse({"--bus=virtualcan:tcp://localhost:35468/can0"});
  ASSERT_EQ(can.error, "");
  EXPECT_EQ(can.options.bus.kind, BusChoice::Kind::kCan);
  EXPECT_EQ(can.options.bus.plugin, "virtualcan");
  EXPECT_EQ(can.options.bus.argument, "tcp://localhost:35468/can0");
  EXPECT_EQ(BusSummary(can.options.bus), "virtualcan:tcp://localhost:35468/can0");
  EXPECT_EQ(Parse({"--bus", "replay:a:b.log"}).options.bus.argument, "a:b.log");
  EXPECT_EQ(Parse({"--bus", "sim"}).options.bus.kind, BusChoice::Kind::kSim);
}

}  // namespace
}  // namespace vlt::host
