// The tick thread decodes into the value list while the window thread takes the
// list, builds data items and changes an unrelated DGN; run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "data/data_test_support.h"
#include "dictionary/dictionary.h"

namespace vlt::dictionary {
namespace {

using data::testing::Frame;

TEST(DictionaryThreads, ValueListAndIndexesHoldUnderTickAndWindowThreads) {
  constexpr int kFrames = 300;  // 3 pairs each: below the list's limit, so none is emptied
  const framework::DgnTable global = framework::DgnTable::For(0xFF);
  MainDictionary dictionary(values::SharedValueMakers::Instance(), global, {});
  dictionary.SetValueListWait(std::chrono::seconds(10));  // nothing dropped, so all can be counted
  dictionary.SetCollecting(true);
  const auto claim = Frame(0xEE00, 0x80, {0x01, 0x02, 0x63, 0x24, 0x00, 0x8C, 0x00, 0xA0});
  const std::string decoded = dictionary.DecodeToText(claim.frame);

  std::atomic<bool> done{false};
  std::atomic<int> wrongTexts{0};
  std::thread tick([&] {
    for (int i = 0; i < kFrames; ++i) {
      dictionary.OnFrame(claim.frame);
      if (dictionary.DecodeToText(claim.frame) != decoded) ++wrongTexts;
      if (dictionary.ValueOf("~~ManufacturerID", claim.frame) != "291") ++wrongTexts;
    }
    done = true;
  });

  framework::LogOutput log;
  data::DataContext context(log);
  ValueList taken;
  int round = 0;
  while (!done.load()) {
    for (auto& pair : dictionary.TakeValues()) taken.push_back(std::move(pair));
    EXPECT_EQ(dictionary.MakeDatumByName(context, "~~DGNRequest", {})->MatchDgn(), 0xEAFFu);
    // Entries come and go under a DGN the tick thread never decodes.
    dictionary.AddEntry(std::make_unique<DictByte>(
        "side", &global, 0x1FFFF, 0x1FFFE, values::SharedValueMakers::Instance().DecByte(255), 0));
    EXPECT_FALSE(dictionary.CommandMap().empty());
    if (++round % 2 == 0) dictionary.ForgetDgn(0x1FFFF);
  }
  tick.join();
  for (auto& pair : dictionary.TakeValues()) taken.push_back(std::move(pair));

  EXPECT_EQ(wrongTexts.load(), 0);
  ASSERT_EQ(taken.size(), 3u * kFrames);
  for (std::size_t i = 0; i < taken.size(); i += 3) {
    EXPECT_EQ(taken[i + 2], (ValuePair{"~~ManufacturerID", "291"}));
  }
}

}  // namespace
}  // namespace vlt::dictionary
