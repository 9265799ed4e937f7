#include <gtest/gtest.h>

#include <string>

#include "framework/activity_parser.h"
#include "framework/host_watchdog.h"
#include "framework/product_id_parser.h"
#include "framework/running_test.h"
#include "support/virtual_time.h"

namespace vlt::framework {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Parses a frame message so parsers see what the link would hand them.
struct Frame {
  Bytes bytes;
  FrameMessage message;
  Frame(std::uint32_t dgn, std::uint8_t source, Bytes data)
      : bytes(FrameMessageBytes(dgn, source, data)), message(ParseHostMessage(bytes).frame) {}
};

TEST(ActivityParser, ProductIdCountsItsFramesAndSetsTheText) {
  ActivityParser activity;
  const std::string text = "Valmora*Widget*12345";  // 20 bytes
  Frame productId(0xFEEB, 0x80, Bytes(text.begin(), text.end()));
  activity.OnFrame(productId.message);
  activity.OnTick10();
  EXPECT_EQ(activity.ProductText(0x80), text);
  EXPECT_TRUE(activity.IsActive(0x80));
  // 20 / 7 + 1 = 3 frames in the short window: (3 * 4 + 5) / 10 = 1
  EXPECT_EQ(activity.FramesPerSecond(0x80), 1);

  for (int i = 0; i < 23; ++i) activity.OnTick10();
  EXPECT_TRUE(activity.IsActive(0x80));
  activity.OnTick10();  // the 24th call without frames empties the long window
  EXPECT_FALSE(activity.IsActive(0x80));
  EXPECT_EQ(activity.ProductText(0x80), "------");
}

TEST(ActivityParser, FramesPerSecondOverTheShortWindow) {
  ActivityParser activity;
  Frame status(0x1FFB7, 0x45, Bytes(8, 0));
  for (int i = 0; i < 25; ++i) activity.OnFrame(status.message);
  activity.OnTick10();
  EXPECT_EQ(activity.FramesPerSecond(0x45), 10);  // (25 * 4 + 5) / 10
  for (int i = 0; i < 10; ++i) activity.OnTick10();
  EXPECT_EQ(activity.FramesPerSecond(0x45), 0);  // gone from the short window
  EXPECT_TRUE(activity.IsActive(0x45));          // still in the long one
  EXPECT_EQ(activity.FramesPerSecond(0x46), 0);
}

TEST(ActivityParser, IgnoresStampedFrames) {
  ActivityParser activity;
  const Bytes data{'X'};
  const Bytes bytes = StampedFrameMessageBytes(0xFEEB, 0x10, 0, 6, 0, data);
  activity.OnFrame(ParseHostMessage(bytes).frame);
  activity.OnTick10();
  EXPECT_FALSE(activity.IsActive(0x10));
  EXPECT_EQ(activity.ProductText(0x10), "------");
}

class ShownText : public TextDisplay {
 public:
  void SetText(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

TEST(ProductIDParser, ShowsOnlyTheTargetsTextAndClearsItAfterTwelveQuietCalls) {
  const std::uint8_t target = 0x80;
  ProductIDParser parser(&target);
  ShownText window;
  parser.AttachWindow(&window);

  parser.OnFrame(Frame(0xFEEB, 0x81, Bytes{'N', 'o'}).message);   // another address
  parser.OnFrame(Frame(0xFEEB, 0x80, Bytes{'A', 0xFF}).message);  // holds FFh
  parser.OnFrame(Frame(0xFEEC, 0x80, Bytes{'D'}).message);        // another DGN
  EXPECT_TRUE(window.shown.empty());

  parser.OnFrame(Frame(0xFEEB, 0x80, Bytes{'A', 'c', 'm', 'e'}).message);
  parser.OnFrame(Frame(0xFEEB, 0x80, Bytes{'A', 'c', 'm', 'e'}).message);  // same: not shown again
  EXPECT_EQ(window.shown, (std::vector<std::string>{"Acme"}));

  for (int i = 0; i < 11; ++i) parser.OnTick40();
  EXPECT_EQ(parser.CurrentText(), "Acme");
  parser.OnTick40();
  EXPECT_EQ(parser.CurrentText(), "");
  EXPECT_EQ(window.shown.back(), "");
}

struct WatchdogFixture : ::testing::Test {
  platform::ManualClock clock;
  testing::ScriptedMailslots mailslots;
  testing::RecordingPrompter prompter;
  platform::MemoryLogPane pane;
  LogOutput log;
  BRLink link{mailslots, clock, prompter, log};
  HostWatchdog watchdog{link, log};

  WatchdogFixture() {
    log.Attach(&pane);
    link.Open();
    mailslots.Queue(AcknowledgeMessage(4));
    Timer();  // sees the acknowledgement
  }
  ~WatchdogFixture() override { log.Detach(); }
  // One timer tick, 50 ms after the last one, while the tick thread keeps reading.
  void Timer(int ticks = 1, int periodMs = 50) {
    for (int i = 0; i < ticks; ++i) {
      clock.AdvanceMillis(periodMs);
      link.ReceivePass();
      watchdog.OnTimer();
    }
  }
  std::size_t Probes() const { return mailslots.WrittenOfType(kMsgProbe).size(); }
  std::size_t Registrations() const { return mailslots.WrittenOfType(kMsgRegister).size(); }
};

TEST_F(WatchdogFixture, ProbesFrom150MsOfSilenceThenEverySecond) {
  Timer(2);
  EXPECT_EQ(Probes(), 0u);
  Timer();  // 150 ms
  ASSERT_EQ(Probes(), 1u);
  EXPECT_EQ(mailslots.WrittenOfType(kMsgProbe)[0],
            (Bytes{0xA2, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  Timer(19);
  EXPECT_EQ(Probes(), 1u);
  Timer();
  EXPECT_EQ(Probes(), 2u);
}

TEST_F(WatchdogFixture, FiveSilentSecondsSayTheHostMayHaveCrashedOnceAndTakeTheLinkDown) {
  Timer(99);
  EXPECT_EQ(pane.Text(), "");
  EXPECT_FALSE(link.Down());
  EXPECT_EQ(watchdog.GetStatus(), HostWatchdog::Status::kConnected);
  Timer();
  EXPECT_TRUE(link.Down());
  EXPECT_EQ(pane.Text(), "BRANTEL may have crashed!\r\n");
  EXPECT_EQ(link.DownReason(),
            "The link to the host is lost: no message from the host at the host's mailslot "
            "for 5 s.");
  Timer(500);
  EXPECT_EQ(Probes(), 5u);  // at 97, 77, 57, 37 and 17, none once the link is down
  EXPECT_EQ(pane.Text(), "BRANTEL may have crashed!\r\n");  // said once
  // Down, the tool registers again every second; the host still says nothing.
  EXPECT_EQ(Registrations(), 1u + 25u);
  EXPECT_EQ(watchdog.GetStatus(), HostWatchdog::Status::kReconnecting);
}

// A late window timer (a loaded machine) still loses a silent host 5 s into its
// silence, as the line says; a window held up for a second counts a quarter, so
// the host gets its five probes first.
TEST_F(WatchdogFixture, ASilentHostIsLostAfterFiveSecondsHoweverLateTheTimerComes) {
  for (const auto& [periodMs, lostAtMs] : {std::pair{67, 5025}, std::pair{1000, 20000}}) {
    mailslots.Queue(AcknowledgeMessage(4));  // a message: the silence starts anew
    Timer(1, periodMs);
    const std::size_t probes = Probes();
    int silentMs = 0;
    for (; !link.Down() && silentMs < 60'000; silentMs += periodMs) Timer(1, periodMs);
    EXPECT_EQ(silentMs, lostAtMs);
    EXPECT_EQ(Probes() - probes, 5u);
  }
}

TEST_F(WatchdogFixture, AHostThatTakesTheRegistrationBackEndsTheLossAndItIsSaid) {
  Timer(100);
  ASSERT_TRUE(link.Down());
  Timer(20);  // the registration goes out again
  mailslots.Queue(AcknowledgeMessage(9));
  Timer();
  EXPECT_FALSE(link.Down());
  EXPECT_EQ(link.ToolId(), 9u);
  EXPECT_EQ(watchdog.GetStatus(), HostWatchdog::Status::kConnected);
  EXPECT_TRUE(pane.Text().ends_with("Registered again with the host at the host's mailslot.\r\n"))
      << pane.Text();
  EXPECT_EQ(watchdog.SilentMicros(), 0);
}

TEST_F(WatchdogFixture, ATickThreadThatWaitsForTheOperatorReadsNothingAndNoCrashIsSaid) {
  // Ten seconds of timer ticks while the tick thread hangs in a question: no
  // receive pass, so no message can be read, and the silence is not the host's.
  for (int i = 0; i < 200; ++i) watchdog.OnTimer();
  EXPECT_EQ(pane.Text(), "");
  EXPECT_FALSE(link.Down());
  EXPECT_EQ(Probes(), 0u);
  EXPECT_EQ(watchdog.SilentMicros(), 0);
}

TEST_F(WatchdogFixture, AHostThatClosesTheLinkIsLostAtOnceAndNamed) {
  mailslots.Queue(CloseMessage());
  Timer();
  EXPECT_TRUE(link.Down());
  EXPECT_EQ(link.DownReason(),
            "The link to the host is lost: the host at the host's mailslot "
            "closed it.");
  EXPECT_EQ(watchdog.GetStatus(), HostWatchdog::Status::kLost);
  mailslots.hostError = 2;  // no host there: registration is not even written
  Timer(120);
  EXPECT_EQ(Registrations(), 1u);
  EXPECT_EQ(watchdog.GetStatus(), HostWatchdog::Status::kLost);
  // The host said why it is silent: it did not crash.
  EXPECT_EQ(pane.Text(), "");
  mailslots.hostError = 0;  // a new host on the run folder
  Timer(20);
  EXPECT_EQ(Registrations(), 2u);
  EXPECT_EQ(watchdog.GetStatus(), HostWatchdog::Status::kReconnecting);
}

TEST(Watchdog, WithoutAHostAtStartTheToolRegistersOnceOneComes) {
  platform::ManualClock clock;
  testing::ScriptedMailslots mailslots;
  testing::RecordingPrompter prompter;
  platform::MemoryLogPane pane;
  LogOutput log;
  log.Attach(&pane);
  BRLink link{mailslots, clock, prompter, log};
  HostWatchdog watchdog{link, log};
  mailslots.hostError = 2;
  link.Open();
  ASSERT_EQ(link.GetState(), BRLink::State::kFailed);
  EXPECT_TRUE(link.Down());
  watchdog.OnTimer();
  EXPECT_EQ(watchdog.GetStatus(), HostWatchdog::Status::kLost);
  EXPECT_EQ(
      link.DownReason().rfind("No host answers at the host's mailslot: start vlt-host there", 0),
      0u)
      << link.DownReason();
  for (int i = 0; i < 120; ++i) {  // 6 s of a tick thread that reads nothing: no host to crash
    link.ReceivePass();
    watchdog.OnTimer();
  }
  EXPECT_EQ(pane.Text(), "");
  mailslots.hostError = 0;
  for (int i = 0; i < 20; ++i) watchdog.OnTimer();
  ASSERT_EQ(link.GetState(), BRLink::State::kRegistered);
  mailslots.Queue(AcknowledgeMessage(3));
  link.ReceivePass();
  watchdog.OnTimer();
  EXPECT_EQ(watchdog.GetStatus(), HostWatchdog::Status::kConnected);
  EXPECT_TRUE(pane.Text().ends_with("Registered with the host at the host's mailslot.\r\n"));
  // Our own removal closes for good: no registration follows it.
  link.BeginClose();
  EXPECT_EQ(watchdog.GetStatus(), HostWatchdog::Status::kClosed);
  EXPECT_FALSE(link.Reregister());
  log.Detach();
}

TEST(FitText, PadsCutsAndAligns) {
  struct Case {
    const char* text;
    std::size_t width;
    bool right;
    const char* expected;
  } cases[] = {
      {"ABCDEFGHIJ", 6, false, "ABCD.."}, {"AB", 5, true, "   AB"}, {"AB", 5, false, "AB   "},
      {"ABCDE", 5, false, "ABCDE"},       {"ABC", 2, false, ".."},  {"ABC", 1, false, "."},
  };
  for (const auto& c : cases) EXPECT_EQ(FitText(c.text, c.width, c.right), c.expected) << c.text;
}

TEST(SavedLogText, KeepsEveryNonEmptyLineWhole) {
  const std::string longLine(3000, 'x');
  EXPECT_EQ(SavedLogText("a\r\n\r\nb\n\n" + longLine + "\r\nlast"),
            "a\r\nb\r\n" + longLine + "\r\nlast\r\n");
  EXPECT_EQ(SavedLogText("\r\n\r\n"), "");
}

// The window asks Occupied without the lock while the tick thread may hold it.
TEST(RunningTestSlot, OccupiedFollowsTheSlotEvenFromInsideAStep) {
  struct Leaver : TestStepper {
    RunningTestSlot* slot = nullptr;
    bool seenDuringStep = false;
    void Step() override {
      seenDuringStep = slot->Occupied();
      slot->Clear(this);
    }
  } test;
  RunningTestSlot slot;
  test.slot = &slot;
  EXPECT_FALSE(slot.Occupied());
  slot.Set(&test);
  EXPECT_TRUE(slot.Occupied());
  Leaver other;
  slot.Clear(&other);  // not the test in the slot
  EXPECT_TRUE(slot.Occupied());
  slot.StepIfAny();
  EXPECT_TRUE(test.seenDuringStep);
  EXPECT_FALSE(slot.Occupied());
}

// "Dump Status" while a test runs is done by the tick thread, before a step.
TEST(RunningTestSlot, ADumpRequestIsServedOnceBeforeTheNextStep) {
  struct Recorder : TestStepper {
    std::string calls;
    void Step() override { calls += 'S'; }
    void DumpStatus() override { calls += 'D'; }
  } test;
  RunningTestSlot slot;
  slot.RequestDump();
  slot.StepIfAny();
  slot.Set(&test);  // a request made before this test is not for it
  slot.StepIfAny();
  slot.RequestDump();
  slot.StepIfAny();
  slot.StepIfAny();
  EXPECT_EQ(test.calls, "SDSS");
}

}  // namespace
}  // namespace vlt::framework
