#include <gtest/gtest.h>

#include <cstdio>

#include "dictionary/frame_text.h"
#include "engine/data_log.h"
#include "engine/failure.h"
#include "engine/watch.h"
#include "platform/log_pane.h"

namespace vlt::engine {
namespace {

// A frame message as the host link hands it over; keeps its bytes alive.
struct BusFrame {
  std::vector<std::uint8_t> bytes;
  framework::FrameMessage message;
  BusFrame(std::uint32_t dgn, std::uint8_t source, std::vector<std::uint8_t> data,
           std::uint8_t type = framework::kMsgFrame) {
    bytes = type == framework::kMsgFrame
                ? framework::FrameMessageBytes(dgn, source, data)
                : framework::StampedFrameMessageBytes(dgn, source, 0, 6, 0, data);
    message = framework::ParseHostMessage(bytes).frame;
  }
};

class RecordingWatch : public EWatch {
 public:
  RecordingWatch(DataLog* log, std::string name, std::vector<std::string>& seen)
      : EWatch(nullptr, log), name_(std::move(name)), seen_(seen) {}
  void OnMatch(DataLog& /*log*/, int index, const framework::FrameRecord& frame) override {
    seen_.push_back(name_ + ":" + std::to_string(index) + ":" + std::to_string(frame.relativeTime));
  }

 private:
  std::string name_;
  std::vector<std::string>& seen_;
};

struct LogFixture : ::testing::Test {
  platform::ManualClock clock;
  framework::CommonTimeBase time{clock};
  DataLog log{time};
  std::vector<std::string> seen;

  void Offer(std::uint32_t dgn, std::uint8_t source = 0x80,
             std::uint8_t type = framework::kMsgFrame) {
    BusFrame f(dgn, source, {1, 2, 3, 4, 5, 6, 7, 8}, type);
    log.OnMessage(f.message);
  }
  std::vector<std::uint32_t> RelativeTimes() const {
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i < log.Size(); ++i) out.push_back(log.Frame(i).relativeTime);
    return out;
  }
};

TEST_F(LogFixture, RecordsOnlyWhileRecordingAndOnlyItsMessageType) {
  RecordingWatch w(&log, "w", seen);
  w.Start();
  Offer(0x1FFFF);  // never restarted: idle
  log.Restart();
  Offer(0x1FFFF);
  Offer(0x1FFFF, 0x80, framework::kMsgStampedFrame);  // not the log's type
  log.Stop();
  Offer(0x1FFFF);
  EXPECT_EQ(log.Size(), 1u);
  EXPECT_EQ(seen, std::vector<std::string>{"w:0:0"});
}

TEST_F(LogFixture, ControlsMoveTheTimeOriginAsEachPromises) {
  struct Case {
    const char* what;
    DataLog::Action stopWith;
    std::vector<std::uint32_t> relative;  // frames at 0 ms, then after 2000 ms stopped and 500 more
  } cases[] = {
      {"pause: the pause leaves the clock", DataLog::Action::kPause, {0, 500}},
      {"stop keeping the clock", DataLog::Action::kStopKeepingClock, {0, 2500}},
      {"plain stop, then resume", DataLog::Action::kStop, {0, 2500}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    log.Restart();
    Offer(0x1FFFF);
    log.Apply(static_cast<std::uint32_t>(c.stopWith));
    clock.AdvanceMillis(2000);
    Offer(0x1FFFF);  // not recorded
    log.Apply(static_cast<std::uint32_t>(DataLog::Action::kResume));
    clock.AdvanceMillis(500);
    Offer(0x1FFFF);
    EXPECT_EQ(RelativeTimes(), c.relative);
  }
}

TEST_F(LogFixture, WatchesSeeFramesInAttachOrderWhileParsingEvenAfterEnding) {
  RecordingWatch first(&log, "first", seen), second(&log, "second", seen);
  first.Start();
  second.Start();
  second.Complete();  // ended, still parsing
  log.Restart();
  Offer(0x1FFFF);
  first.Reset();  // stops parsing
  Offer(0x1FFFF);
  EXPECT_EQ(seen, (std::vector<std::string>{"first:0:0", "second:0:0", "second:1:0"}));
}

TEST_F(LogFixture, DumpWritesTheSizeLineEachFrameAndDecodedTextForMatchingFrames) {
  platform::MemoryLogPane pane;
  framework::LogOutput out;
  out.Attach(&pane);
  log.Dump(out, nullptr, {});
  EXPECT_EQ(pane.Text(), "Log size : 0 msgs\r\n");

  log.Restart();
  Offer(0xEE00);
  Offer(0x1FFFF);
  pane.Clear();
  data::SpecByDGN claims(nullptr, data::DgnRef::OfValue(0xEE00));
  log.Dump(out, &claims,
           [](const framework::FrameRecord& f) { return "decoded " + std::to_string(f.dgn); });
  EXPECT_EQ(pane.Text(), "Log size : 2 msgs\r\n" + dictionary::DescribeFrame(log.Frame(0), true) +
                             "\r\n" + "decoded 60928\r\n" +
                             dictionary::DescribeFrame(log.Frame(1), true) + "\r\n");
  out.Detach();
}

// ---- criteria ----

std::string Pad(std::size_t n, char c = 'x') {
  return std::string(n, c);
}

TEST(FailurePrint, OneLineUpTo58CharactersOtherwiseTwoWithTheNoteIndented) {
  Failure open("Multiple addresses are claimed.");
  EXPECT_EQ(open.Print(0), std::vector<std::string>{"____ : Multiple addresses are claimed." +
                                                    Pad(29, ' ') + "User must inspect log."});
  struct Case {
    std::string text, note;
    std::vector<std::string> lines;
  } cases[] = {
      {"Broadcasts Address Claim", "", {"PASS : Broadcasts Address Claim" + Pad(36, ' ')}},
      {Pad(58), Pad(58, 'n'), {"PASS : " + Pad(58) + "  " + Pad(58, 'n')}},
      {Pad(59), "ok", {"PASS : " + Pad(59), "           ok"}},
      {"short", Pad(59, 'n'), {"PASS : short", "           " + Pad(59, 'n')}},
  };
  for (const auto& c : cases) {
    Failure f(c.text);
    f.Pass(c.note, nullptr, -1);
    EXPECT_EQ(f.Print(0), c.lines);
  }
  // The note of a one-line criterion starts in column 68.
  Failure f("t");
  f.Pass("NOTE", nullptr, -1);
  EXPECT_EQ(f.Print(0)[0].find("NOTE"), 67u);
}

TEST(FailureDecisions, FailAlwaysWinsAndTheUndecidedFormsOnlySettleOpenCriteria) {
  struct Case {
    const char* what;
    std::function<void(Failure&)> decide;
    Failure::State state;
    std::string note;
  } cases[] = {
      {"pass after fail",
       [](Failure& f) {
         f.Fail("bad", nullptr, -1);
         f.Pass("good", nullptr, -1);
       },
       Failure::State::kDidNotPass, "bad"},
      {"fail after pass",
       [](Failure& f) {
         f.Pass("good", nullptr, -1);
         f.Fail("bad", nullptr, -1);
       },
       Failure::State::kDidNotPass, "bad"},
      {"fail twice",
       [](Failure& f) {
         f.Fail("one", nullptr, -1);
         f.Fail("two", nullptr, -1);
       },
       Failure::State::kDidNotPass, "two"},
      {"settle passed",
       [](Failure& f) {
         f.Pass("p", nullptr, -1);
         f.FailIfUndecided("x");
       },
       Failure::State::kPassed, "p"},
      {"settle open",
       [](Failure& f) {
         f.FailIfUndecided("none came");
         f.PassIfUndecided("x");
       },
       Failure::State::kDidNotPass, "none came"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Failure f("t");
    c.decide(f);
    EXPECT_EQ(f.GetState(), c.state);
    EXPECT_EQ(f.Note(), c.note);
  }
}

TEST_F(LogFixture, EvidencePrintsTheDecidingFrameOrBeyondEndOfLog) {
  log.Restart();
  Offer(0x1FFFF, 0x10);
  Offer(0xEE00, 0x80);
  Failure f("DGN is not EE00h.");
  f.Fail("Using 0EE05 for claiming.", &log, 1);
  auto lines = f.Print(0);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "    " + dictionary::DescribeFrame(log.Frame(1), true));
  EXPECT_NE(lines[1].find("0EE00:80"), std::string::npos);

  clock.AdvanceMillis(1234);
  log.Restart();  // the frame is gone
  char stamp[32];
  std::snprintf(stamp, sizeof(stamp), "%11.3f", time.NowMs() / 1000.0);
  lines = f.Print(time.NowMs());
  EXPECT_EQ(lines[1], std::string("    ") + stamp + "  Beyond end of log.");

  f.Reset();
  EXPECT_EQ(f.Print(0).size(), 1u);
  EXPECT_EQ(f.Note(), "User must inspect log.");
}

}  // namespace
}  // namespace vlt::engine
