#include "host/devices/device_name.h"

#include <gtest/gtest.h>

#include <set>

#include "host/devices/dut_faults.h"

namespace vlt::host {
namespace {

TEST(DeviceName, ManufacturerCodeSitsInBytesTwoAndThree) {
  DeviceName name = *ParseDeviceName("FFFF1FFF FFFFFF7F");
  EXPECT_EQ(name[2], 0x1F);
  SetManufacturerCode(name, 0x7FD);
  EXPECT_EQ(name[2], 0xBF);  // low bits 101 in bits 5-7, identity bits kept
  EXPECT_EQ(name[3], 0xFF);
  EXPECT_EQ(ManufacturerCode(name), 0x7FD);
  EXPECT_EQ(ManufacturerCode(kDefaultDutName), kDefaultManufacturerCode);
  EXPECT_FALSE(ArbitraryAddressCapable(name));
  SetArbitraryAddressCapable(name, true);
  EXPECT_EQ(DeviceNameText(name), "FFFFBFFFFFFFFFFF");
  EXPECT_FALSE(ParseDeviceName("FFFF1FFFFFFFFF7"));
  EXPECT_FALSE(ParseDeviceName("FFFF1FFFFFFFFF7F0"));
  EXPECT_FALSE(ParseDeviceName("0xFF1FFFFFFFFF7F"));
}

TEST(DeviceName, TheLowerValueWinsWithByteSevenMostSignificant) {
  const DeviceName low{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
  const DeviceName high{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01};
  EXPECT_EQ(NameValue(high), 0x0100000000000000u);
  EXPECT_TRUE(OutranksName(low, high));
  EXPECT_FALSE(OutranksName(high, low));
  EXPECT_FALSE(OutranksName(low, low));
  // The tester's competing claims: manufacturer 0 outranks the DUT, 7FFh yields.
  DeviceName zero = kDefaultDutName, ones = kDefaultDutName;
  SetManufacturerCode(zero, 0);
  SetManufacturerCode(ones, kMaxManufacturerCode);
  EXPECT_TRUE(OutranksName(zero, kDefaultDutName));
  EXPECT_TRUE(OutranksName(kDefaultDutName, ones));
}

TEST(DutFaults, TheTableIsInEnumOrderWithUniqueNamesForSomeModel) {
  std::set<std::string_view> names;
  for (std::size_t i = 0; i < kDutFaults.size(); ++i) {
    const DutFaultInfo& info = kDutFaults[i];
    EXPECT_EQ(static_cast<std::size_t>(info.fault), i) << info.name;
    EXPECT_TRUE(names.insert(info.name).second) << info.name;
    EXPECT_EQ(FaultByName(info.name, info.variant), info.fault);
    EXPECT_FALSE(FaultByName(info.name, !info.variant)) << "a fault is no variant: " << info.name;
    EXPECT_TRUE(FaultApplies(info.fault, DutKind::kStatic) ||
                FaultApplies(info.fault, DutKind::kDynamic));
    EXPECT_FALSE(info.does.empty()) << info.name;
  }
  EXPECT_FALSE(FaultByName("Talks-First"));
  EXPECT_EQ((DutFaults{DutFault::kShortWait, DutFault::kTalksFirst}).Names(),
            "talks-first,short-wait");
}

}  // namespace
}  // namespace vlt::host
