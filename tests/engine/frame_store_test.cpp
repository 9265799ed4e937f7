#include "engine/frame_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace vlt::engine {
namespace {

framework::FrameRecord Frame(std::uint32_t n, std::size_t length) {
  std::vector<std::uint8_t> data(length);
  for (std::size_t i = 0; i < length; ++i) data[i] = static_cast<std::uint8_t>(n + i * 7);
  framework::FrameMessage message;
  message.type = n % 2 == 0 ? framework::kMsgFrame : framework::kMsgStampedFrame;
  message.dgn = 0x1FF00 + (n & 0xFF);
  message.sourceAddress = static_cast<std::uint8_t>(n);
  message.priority = static_cast<std::uint8_t>(n % 8);
  message.reservedBit = static_cast<std::uint8_t>(n % 2);
  message.hostMicros = 1000ull * n;
  message.data = data;
  return framework::FrameRecord::FromFrame(message, 5000 + n, 100);
}

void ExpectSameBytes(const framework::FrameRecord& want, const framework::FrameRecord& got,
                     std::size_t index) {
  EXPECT_EQ(std::memcmp(&want, &got, sizeof(want)), 0) << "frame " << index;
}

// Lengths from empty to the longest multi-packet message, over several chunks,
// so records meet the chunk ends at every alignment.
TEST(FrameStore, GivesBackEveryRecordWholeAcrossChunks) {
  FrameStore store;
  std::vector<framework::FrameRecord> kept;
  const std::size_t lengths[] = {0, 1, 8, 9, 255, framework::kMaxFrameDataBytes};
  for (std::uint32_t n = 0; n < 1200; ++n) {
    kept.push_back(Frame(n, lengths[n % std::size(lengths)]));
    store.Append(kept.back());
  }
  kept.push_back(framework::FrameRecord::FromText("a text line", 77));
  store.Append(kept.back());
  kept.push_back(framework::FrameRecord::FromText(std::string(3000, 'x'), 78));
  store.Append(kept.back());

  ASSERT_EQ(store.Size(), kept.size());
  framework::FrameRecord reused;
  std::memset(&reused, 0xAA, sizeof(reused));  // stale bytes must not show through
  for (std::size_t i = 0; i < kept.size(); ++i) {
    store.Read(i, reused);
    ExpectSameBytes(kept[i], reused, i);
  }
}

TEST(FrameStore, ClearForgetsOldFramesAndRecordsAnew) {
  FrameStore store;
  for (std::uint32_t n = 0; n < 300; ++n) store.Append(Frame(n, framework::kMaxFrameDataBytes));
  store.Clear();
  EXPECT_TRUE(store.Empty());
  const framework::FrameRecord fresh = Frame(9, 3);
  store.Append(fresh);
  ASSERT_EQ(store.Size(), 1u);
  ExpectSameBytes(fresh, store.At(0), 0);
}

}  // namespace
}  // namespace vlt::engine
