#include <gtest/gtest.h>

#include <sstream>

#include "data/dgn_ref.h"
#include "data/packet_plan.h"
#include "data/specifier.h"

namespace vlt::data {
namespace {

using framework::DgnTable;
using framework::FrameMessage;

// A frame as the host link hands it to parsers; the bytes live in the caller.
FrameMessage Frame(std::uint32_t dgn, std::uint8_t source, const std::vector<std::uint8_t>& data,
                   std::uint8_t type = framework::kMsgFrame) {
  FrameMessage m;
  m.type = type;
  m.dgn = dgn;
  m.sourceAddress = source;
  m.data = data;
  return m;
}

std::string Described(const Specifier& specifier, const DgnTable* target) {
  std::ostringstream out;
  specifier.Describe(out, target);
  return out.str();
}

TEST(DgnRef, DestinationSpecificDgnsFollowTheirTable) {
  DgnTable target = DgnTable::For(0x42);
  const DgnRef request(target, 0xEAFF);
  EXPECT_EQ(request.Table(), &target);
  EXPECT_EQ(request.Value(), 0xEA42u);
  target = DgnTable::For(0x43);
  EXPECT_EQ(request.Value(), 0xEA43u);

  const DgnRef own(target, 0x1FFF6);
  EXPECT_EQ(own.Table(), nullptr);
  EXPECT_EQ(own.Value(), 0x1FFF6u);

  // The tool's own proprietary DGN is a fixed cell, not the target's slot.
  const DgnRef tool(target, 0xEFF9);
  EXPECT_EQ(tool.Table(), nullptr);
  EXPECT_EQ(tool.Value(), 0xEFF9u);
  EXPECT_EQ(tool.Text(&target), "0EF$$");

  EXPECT_TRUE(DgnRef().IsNone());
  EXPECT_EQ(DgnRef().Value(), 0u);
}

TEST(DgnRef, RetargetMovesOnlyDestinationSpecificDgns) {
  const DgnTable target = DgnTable::For(0x42);
  const DgnTable global = DgnTable::For(0xFF);
  DgnRef reset(global, 0x17F00);
  DgnRef plain = DgnRef::OfValue(0x1FFF6);
  DgnRef byValue = DgnRef::OfValue(0x17B05);
  reset.Retarget(target);
  plain.Retarget(target);
  byValue.Retarget(target);
  EXPECT_EQ(reset.Value(), 0x17F42u);
  EXPECT_EQ(plain.Value(), 0x1FFF6u);
  EXPECT_EQ(byValue.Value(), 0x17B42u);
  EXPECT_EQ(reset.Text(&target), "17F##");
  EXPECT_EQ(reset.Text(&global), "17F42");
  EXPECT_EQ(plain.Text(&target), "1FFF6");
}

TEST(PacketPlan, BuildsDgnAndSlotsAndLeavesNullSlotsAlone) {
  const DgnTable global = DgnTable::For(0xFF);
  const std::uint8_t instance = 0x05, value = 0x64;
  PacketPlan plan(DgnRef(global, 0x1FFF6), {&instance, nullptr, nullptr, &value});
  std::vector<std::uint8_t> message(17, 0xFF);
  message[kTransmitDataAt + 1] = 0x11;  // as the caller prepared it
  plan.BuildInto(message);
  EXPECT_EQ(message,
            (std::vector<std::uint8_t>{0xFF, 0xFF, 0xF6, 0xFF, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0x05,
                                       0x11, 0xFF, 0x64, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(plan.DataLength(), 8u);
}

TEST(PacketPlan, LongPlansWriteFFForNullSlotsAndNeverPastTheMessage) {
  PacketPlan plan(DgnRef(), PacketPlan::DataSlots(10, nullptr));
  EXPECT_EQ(plan.DataLength(), 10u);
  std::vector<std::uint8_t> message(kTransmitDataAt + 10, 0x00);
  plan.BuildInto(message);
  EXPECT_EQ(message[kTransmitDataAt + 7], 0x00);
  EXPECT_EQ(message[kTransmitDataAt + 8], 0xFF);
  EXPECT_EQ(message[kTransmitDataAt + 9], 0xFF);
  EXPECT_EQ(message[2], 0x00);  // no DGN: untouched

  std::vector<std::uint8_t> shortMessage(kTransmitDataAt + 2, 0x00);
  plan.BuildInto(shortMessage);  // ASan guards the bound
  EXPECT_EQ(shortMessage.size(), kTransmitDataAt + 2);
}

TEST(PacketPlan, SetFirstSlotReplacesOrAppends) {
  const std::uint8_t a = 1, b = 2;
  PacketPlan plan;
  plan.SetFirstSlot(&a, true);  // nothing to replace: appended
  plan.SetFirstSlot(&b, true);
  plan.SetFirstSlot(&a, false);
  ASSERT_EQ(plan.Slots().size(), 2u);
  EXPECT_EQ(plan.Slots()[0], &b);
  EXPECT_EQ(plan.Slots()[1], &a);
}

TEST(PacketPlan, DescriptionTextsAndDump) {
  const DgnTable target = DgnTable::For(0x42);
  const std::uint8_t instance = 0x07;
  PacketPlan plan(DgnRef(target, 0xEA00), {&target.address, nullptr, &instance},
                  {std::nullopt, 12});
  EXPECT_EQ(plan.MaskText(), "FFFFF:FF:00:FF:00:00:00:00:00");
  EXPECT_EQ(plan.MatchText(&target), "0EA##:##:00:07:00:00:00:00:00");
  EXPECT_EQ(plan.PrepText(&target), "0EA##:##:$12:07:FF:FF:FF:FF:FF");
  std::ostringstream dump;
  plan.Dump(dump);
  EXPECT_EQ(dump.str(), "  Plan: DGN: 0EA42 Data: 42 xx 07 \n\r");

  const PacketPlan empty;
  EXPECT_EQ(empty.MaskText(), "FF.00000:00:00:00:00:00:00:00:00");
  EXPECT_EQ(empty.MatchText(&target), "00.00000:00:00:00:00:00:00:00:00");
  EXPECT_EQ(empty.PrepText(&target), "00000:FF:FF:FF:FF:FF:FF:FF:FF");
}

TEST(Specifier, BaseMatchesEverythingOnlyWhenGlobal) {
  const DgnTable global = DgnTable::For(0xFF);
  DgnTable target = DgnTable::For(0x42);
  const std::vector<std::uint8_t> data{1, 2};
  const Specifier any(&global);
  const Specifier fromTarget(&target);
  EXPECT_TRUE(any.Matches(Frame(0x1FFFF, 0x10, data, 0x77)));
  EXPECT_TRUE(SharedSpecifier().Matches(Frame(0x1FFFF, 0x10, data)));
  EXPECT_FALSE(fromTarget.Matches(Frame(0x1FFFF, 0x10, data)));
  EXPECT_TRUE(fromTarget.Matches(Frame(0x1FFFF, 0x42, data, framework::kMsgStampedFrame)));
  EXPECT_FALSE(fromTarget.Matches(Frame(0x1FFFF, 0x42, data, 0x77)));
}

TEST(Specifier, ByDgnFollowsTheTargetAddress) {
  DgnTable target = DgnTable::For(0x42);
  const std::vector<std::uint8_t> data{0, 0, 0};
  const SpecByDGN request(&target, DgnRef(target, 0xEA00));
  EXPECT_TRUE(request.Matches(Frame(0xEA42, 0x42, data)));
  EXPECT_FALSE(request.Matches(Frame(0xEA42, 0x41, data)));
  target = DgnTable::For(0x43);
  EXPECT_FALSE(request.Matches(Frame(0xEA42, 0x42, data)));
  EXPECT_TRUE(request.Matches(Frame(0xEA43, 0x43, data)));
  EXPECT_EQ(request.Dgn(), 0xEA43u);
  EXPECT_EQ(Described(request, &target),
            "SpecMask|00.FFFFF:00.00.00.00.00.00.00.00\n"
            "SpecMatch|00.0EA##:00.00.00.00.00.00.00.00\n");
}

TEST(Specifier, ByDgnBlockTakesTheWholeBlock) {
  const DgnTable global = DgnTable::For(0xFF);
  const SpecByDGNBlock requests(&global, DgnRef(global, 0xEA00));
  const std::vector<std::uint8_t> data{0};
  EXPECT_TRUE(requests.Matches(Frame(0xEA00, 1, data)));
  EXPECT_TRUE(requests.Matches(Frame(0xEAFF, 2, data)));
  EXPECT_FALSE(requests.Matches(Frame(0xEB00, 2, data)));
  EXPECT_EQ(requests.Dgn(), 0xEA00u);
}

TEST(Specifier, ByInstanceComparesNonNullSlots) {
  const DgnTable global = DgnTable::For(0xFF);
  const std::uint8_t two = 2;
  SpecByInstance specifier(&global, DgnRef(global, 0x1FFD7), {&two, nullptr});
  const std::vector<std::uint8_t> inst2{2, 9}, inst3{3, 9}, empty{};
  EXPECT_TRUE(specifier.Matches(Frame(0x1FFD7, 5, inst2)));
  EXPECT_FALSE(specifier.Matches(Frame(0x1FFD7, 5, inst3)));
  EXPECT_FALSE(specifier.Matches(Frame(0x1FFD7, 5, empty)));  // too short to carry an instance
  EXPECT_FALSE(specifier.Matches(Frame(0x1FFD6, 5, inst2)));
  EXPECT_EQ(specifier.Instance(), 2);
  EXPECT_EQ(specifier.InstanceSuffix(), " [  2]");

  const std::uint8_t seven = 7;
  specifier.SetInstanceSlot(&seven);
  EXPECT_EQ(specifier.Instance(), 7);
  specifier.SetInstanceSlot(nullptr);
  EXPECT_EQ(specifier.Instance(), 0xFF);
  EXPECT_TRUE(specifier.Matches(Frame(0x1FFD7, 5, inst3)));  // a null slot matches anything
}

TEST(Specifier, ByInstanceKeepsInstancesGivenByValue) {
  const DgnTable global = DgnTable::For(0xFF);
  std::vector<std::uint8_t> instances{3, 1};
  const SpecByInstance specifier(&global, DgnRef(global, 0x1FFD7), instances);
  instances.assign({9, 9});  // the caller's list may go
  const std::vector<std::uint8_t> match{3, 1, 0}, other{3, 2, 0};
  EXPECT_TRUE(specifier.Matches(Frame(0x1FFD7, 5, match)));
  EXPECT_FALSE(specifier.Matches(Frame(0x1FFD7, 5, other)));
  EXPECT_EQ(specifier.Instance(), 3);
}

TEST(Specifier, ByInstanceDescribesSlotsAndParameters) {
  const DgnTable global = DgnTable::For(0xFF);
  const std::uint8_t one = 1, four = 4;
  const SpecByInstance specifier(&global, DgnRef(global, 0x1FFD7), {&one, nullptr, &four}, 0,
                                 {std::nullopt, std::nullopt, 3});
  EXPECT_EQ(Described(specifier, nullptr),
            "SpecMask|00.FFFFF:FF.00.FF.00.00.00.00.00\n"
            "SpecMatch|00.1FFD7:01.00.$3\n");
  std::ostringstream dump;
  specifier.Dump(dump);
  EXPECT_EQ(dump.str(), "  SpecByInstance  dgn: 1FFD7  inst: 1\n\r");
}

TEST(Specifier, ByPlanMatchesTheCommandLayout) {
  const DgnTable global = DgnTable::For(0xFF);
  const std::uint8_t instance = 1;
  PacketPlan plan(DgnRef(global, 0x1FEDB), {&instance});
  const SpecByPlan specifier(&global, plan);
  const std::vector<std::uint8_t> one{1, 0xC8}, two{2, 0xC8};
  EXPECT_TRUE(specifier.Matches(Frame(0x1FEDB, 9, one)));
  EXPECT_FALSE(specifier.Matches(Frame(0x1FEDB, 9, two)));
  EXPECT_FALSE(specifier.Matches(Frame(0x1FEDA, 9, one)));

  PacketPlan anyDgn(DgnRef(), {&instance});
  const SpecByPlan loose(&global, anyDgn);
  EXPECT_TRUE(loose.Matches(Frame(0x12345, 9, one)));
}

}  // namespace
}  // namespace vlt::data
