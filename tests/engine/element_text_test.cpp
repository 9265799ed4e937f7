#include <gtest/gtest.h>

#include "engine/group.h"
#include "engine/watch.h"
#include "probe_element.h"

namespace vlt::engine {
namespace {

using testing::Probe;

std::vector<std::string> Describe(const Element& e, const std::string& prefix = "") {
  std::vector<std::string> lines;
  e.Describe(prefix, lines);
  return lines;
}

TEST(ElementText, DescriptionPadsTheNameToColumn30AndJoinsTheFlags) {
  struct Case {
    std::string name;
    bool holds, blocks;
    std::string line;
  } cases[] = {
      {"ESetToolMode", true, true, "ESetToolMode                  BlocksHolds"},
      {"ETimeLimitMinimum", true, false, "ETimeLimitMinimum             Holds"},
      {"ETextLogMemo", false, false, "ETextLogMemo                  "},
      {std::string(29, 'N'), false, true, std::string(29, 'N') + " Blocks"},
      {std::string(30, 'N'), true, true, std::string(30, 'N') + "BlocksHolds"},
      {std::string(31, 'N'), true, false, std::string(31, 'N') + "Holds"},
  };
  for (const auto& c : cases) {
    Probe p(nullptr, c.name, c.holds, c.blocks);
    EXPECT_EQ(Describe(p), std::vector<std::string>{c.line});
  }
}

TEST(ElementText, NestedGroupsIndentFourBlanksPerLevel) {
  EGroup outer(nullptr, EGroup::Mode::kAll, true, false);
  auto& inner = outer.Add<EGroup>(EGroup::Mode::kSequence, true, true);
  inner.Add<Probe>("Deep", false, false);
  outer.Add<Probe>("Shallow", true, true);
  const std::vector<std::string> expected = {
      " 8 EGroup                        Holds",
      " 8     EGroup                        BlocksHolds",
      " 8         Deep                          ",
      " 8     Shallow                       BlocksHolds",
  };
  EXPECT_EQ(Describe(outer, " 8 "), expected);
}

TEST(ElementText, MarkersTakeTheFirstMatchingRow) {
  Probe blocker(nullptr, "b", true, true), holder(nullptr, "h", true, false),
      free(nullptr, "f", false, false);
  EXPECT_EQ(blocker.GetMarker(), "{\\cf0 . }");
  blocker.Start();
  holder.Start();
  free.Start();
  EXPECT_EQ(blocker.GetMarker(), "{\\cf2 ] }");
  EXPECT_EQ(holder.GetMarker(), "{\\cf2 > }");
  EXPECT_EQ(free.GetMarker(), "{\\cf1 \\'BB }");

  EWatch w(nullptr, nullptr);
  w.SetHolds(false);
  w.SetBlocks(false);
  w.Start();
  EXPECT_EQ(w.GetMarker(), "{\\cf1 \\'DE }");
  w.Complete();
  EXPECT_EQ(w.GetMarker(), "{\\cf0 \\'DE }");
  w.Reset();
  EXPECT_EQ(w.GetMarker(), "{\\cf0 . }");
}

TEST(ElementText, GroupMarkerWrapsItsChildrenWithNothingBetween) {
  EGroup g(nullptr, EGroup::Mode::kAll, true, true);
  g.Add<Probe>("a", false, false);
  g.Add<Probe>("b", false, false);
  EXPECT_EQ(g.GetMarker(), "{\\cf0 ( }{\\cf0 . }{\\cf0 . }{\\cf0 ) }");
  g.Start();
  EXPECT_EQ(g.GetMarker(), "{\\cf2 [ }{\\cf1 \\'BB }{\\cf0 . }{\\cf2 ] }");
}

}  // namespace
}  // namespace vlt::engine
