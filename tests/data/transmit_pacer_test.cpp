#include <gtest/gtest.h>

#include "data/data_context.h"
#include "data_test_support.h"

namespace vlt::data {
namespace {

using Message = std::vector<std::uint8_t>;

struct PacerFixture : testing::ConnectedApp {
  // The times (ms since `start`) at which transmit messages were written.
  std::vector<std::int64_t> sendTimes;
  void StepAndRecord(int millis, std::int64_t start) {
    for (int i = 0; i < millis; ++i) {
      const std::size_t before = mailslots.WrittenOfType(framework::kMsgTransmit).size();
      driver.StepMillis(1);
      if (mailslots.WrittenOfType(framework::kMsgTransmit).size() > before) {
        sendTimes.push_back((clock.NowMicros() - start) / 1000);
      }
    }
  }
};

TEST_F(PacerFixture, SendsTheFirstAtOnceAndTheRestAtLeastTenMillisecondsApart) {
  const std::int64_t start = clock.NowMicros();
  context->SendPaced(this, {Message{1, 1}, Message{1, 2}, Message{1, 3}});
  ASSERT_EQ(mailslots.written.size(), 1u);  // no waiting in the caller's thread
  EXPECT_EQ(mailslots.written[0], (Message{1, 1}));
  StepAndRecord(200, start);
  ASSERT_EQ(mailslots.written.size(), 3u);
  EXPECT_EQ(mailslots.written[2], (Message{1, 3}));
  ASSERT_EQ(sendTimes.size(), 2u);
  EXPECT_GE(sendTimes[0], 10);
  EXPECT_GE(sendTimes[1] - sendTimes[0], 10);
  EXPECT_EQ(context->Pacer()->QueuedCount(), 0u);
}

TEST_F(PacerFixture, ANewerCommandOfTheSameSenderReplacesTheRest) {
  const int other = 0;
  context->SendPaced(this, {Message{1, 1}, Message{1, 2}, Message{1, 3}});
  context->SendPaced(&other, {Message{1, 9}});
  context->SendPaced(this, {Message{1, 4}, Message{1, 5}});
  driver.StepMillis(300);
  std::vector<Message> expected{{1, 1}, {1, 9}, {1, 4}, {1, 5}};
  EXPECT_EQ(mailslots.written, expected);

  context->SendPaced(this, {Message{1, 6}, Message{1, 7}});
  context->CancelPaced(this);
  driver.StepMillis(100);
  // The gap had passed, so the first went out at once; the cancelled rest never does.
  ASSERT_EQ(mailslots.written.size(), 5u);
  EXPECT_EQ(mailslots.written.back(), (Message{1, 6}));
}

}  // namespace
}  // namespace vlt::data
