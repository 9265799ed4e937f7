#include "framework/tool_app.h"

#include <gtest/gtest.h>

#include "support/virtual_time.h"

namespace vlt::framework {
namespace {

TEST(CommandLineAddresses, SecondToLastIsTheTarget) {
  struct Case {
    std::vector<std::string> args;
    std::uint8_t target, second;
  } cases[] = {
      {{"128", "5"}, 0x80, 0x05},
      {{"128"}, 0xFF, 0xFF},
      {{}, 0xFF, 0xFF},
      {{"x", "7", "", "300", "abc"}, 0x2C, 0x00},  // 300 keeps its low byte; text gives 0
  };
  for (const auto& c : cases) {
    const auto a = ParseCommandLineAddresses(c.args);
    EXPECT_EQ(a.target, c.target);
    EXPECT_EQ(a.second, c.second);
  }
}

TEST(DgnTable, TargetTableCarriesTheAddressInEveryDgn) {
  const DgnTable t = DgnTable::For(0x80);
  const std::uint32_t expected[] = {0xEF80, 0x17F80, 0x17E80, 0x17D80, 0x17C80, 0x17B80, 0xEA80};
  EXPECT_EQ(t.address, 0x80);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(std::uint32_t{t.dgns[i]}, expected[i]);
}

struct AppFixture : ::testing::Test {
  platform::ManualClock clock;
  testing::ScriptedMailslots mailslots;
  testing::RecordingPrompter prompter;
  testing::ManualTickDriver driver{clock};
};

TEST_F(AppFixture, StartsRegistersSendsTheStartupItemAndClosesWithTheHandshake) {
  ValmoraApp app(clock, mailslots, prompter, driver);
  app.InitInstance({"128", "5"});
  EXPECT_EQ(app.TargetAddress(), 0x80);
  EXPECT_EQ(app.ToolSourceAddress(), kToolAddress);
  EXPECT_EQ(app.Link().Parsers().Count(), 3u);  // master, PRODUCT_ID, activity

  mailslots.Queue(AcknowledgeMessage(21));
  driver.StepMillis(1);
  EXPECT_EQ(mailslots.WrittenOfType(kMsgControlByte),
            (std::vector<std::vector<std::uint8_t>>{{0x80, 21, 0, 0, 0, 0xFF}}));

  // The host answers the removal at once.
  driver.beforeStep = [&] {
    if (!mailslots.WrittenOfType(kMsgRemove).empty() && mailslots.incoming.empty() &&
        app.Link().GetState() == BRLink::State::kConnected) {
      mailslots.Queue(CloseMessage());
    }
  };
  const std::int64_t before = clock.NowMicros();
  app.ShutDown();
  EXPECT_EQ(mailslots.WrittenOfType(kMsgRemove),
            (std::vector<std::vector<std::uint8_t>>{{0xFE, 21, 0, 0, 0}}));
  EXPECT_LT(clock.NowMicros() - before, 10'000);
  EXPECT_EQ(app.Link().Parsers().Count(), 0u);
}

TEST_F(AppFixture, WithoutAHostTheBoxShowsAndShutdownWaitsOutTheCountdown) {
  mailslots.hostError = 2;
  ValmoraApp app(clock, mailslots, prompter, driver);
  app.InitInstance({});
  EXPECT_EQ(app.Link().GetState(), BRLink::State::kFailed);
  ASSERT_EQ(prompter.boxes.size(), 1u);

  const std::int64_t before = clock.NowMicros();
  app.ShutDown();
  const std::int64_t waited = clock.NowMicros() - before;
  EXPECT_EQ(app.Link().GetState(), BRLink::State::kClosed);
  // Sixty periods of at least 26 ms each: about 1.6 s, within the 2 s limit.
  EXPECT_GE(waited, 60 * 26'000);
  EXPECT_LE(waited, 2'000'000);
}

}  // namespace
}  // namespace vlt::framework
