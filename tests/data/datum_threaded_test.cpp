// Frames reach data items on the tick thread while the window thread reads and
// edits them; run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "data/datum_string.h"
#include "data/datum_values.h"
#include "platform/log_pane.h"
#include "values/value_maker_shared.h"

namespace vlt::data {
namespace {

TEST(DatumThreads, FramesAndEditsMeetWithoutRaces) {
  platform::MemoryLogPane pane;
  framework::LogOutput log;
  log.Attach(&pane);
  DataContext context(log);
  const auto& makers = values::SharedValueMakers::Instance();
  DatumByte byte(context, "byte", 0);
  byte.SetValueMaker(makers.DecByte(255));
  byte.OwnSetter(std::make_unique<SetByte>());
  DatumString36Char text(context, "text");
  text.SetValueMaker(&makers.string36Char);
  text.OwnSetter(std::make_unique<SetString36Char>());

  std::atomic<bool> done{false};
  std::thread tick([&] {
    for (int i = 0; i < 2000; ++i) {
      const std::vector<std::uint8_t> data{
          static_cast<std::uint8_t>(i % 200), 0x46, 'a', 'b', 'c', 'd', 'e', 'f'};
      const auto bytes = framework::FrameMessageBytes(0x1FFFF, 1, data);
      const auto frame = framework::ParseHostMessage(bytes).frame;
      byte.OnFrame(frame);
      text.OnFrame(frame);
      byte.CheckTimeout();
    }
    done = true;
  });
  int reads = 0;
  while (!done.load() || reads < 100) {
    (void)byte.ValueText();
    (void)text.TitleAndValue();
    (void)byte.SetFromText("12");
    (void)byte.IsUnconfirmed();
    (void)text.TakeChanged();
    ++reads;
  }
  tick.join();
  EXPECT_EQ(byte.ReceiveCount(), 2000u);
  log.Detach();
}

}  // namespace
}  // namespace vlt::data
