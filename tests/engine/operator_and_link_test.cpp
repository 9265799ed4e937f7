// What a run tells an operator that acts by itself and when, what it says it
// waits for when it is stopped, and how it ends when the host is gone: all on
// virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "engine/bus_watches.h"
#include "engine/control_elements.h"
#include "engine/group.h"
#include "engine/tool_elements.h"
#include "engine_support.h"
#include "framework/host_protocol.h"
#include "probe_element.h"

namespace vlt::engine {
namespace {

using testing::EngineHarness;
using testing::Probe;

class RecordingCues final : public OperatorCues {
 public:
  void Cue(OperatorCue cue, std::string_view /*memo*/) override {
    cues.push_back(cue);
    if (onCue) onCue(cue);
  }
  bool CueDone() const override { return done; }
  std::optional<std::int64_t> CueDoneAtMicros() const override { return doneAt; }
  bool PersonActs() const override { return person; }

  std::vector<OperatorCue> cues;
  std::optional<std::int64_t> doneAt;
  bool person = true;
  std::function<void(OperatorCue)> onCue;
  bool done = true;
};

struct CueFixture : ::testing::Test {
  EngineHarness h;
  RecordingCues cues;
  std::unique_ptr<engine::Test> MakeTest() {
    TestContext context = h.Context();
    context.operatorCues = &cues;
    return h.MakeTest(context, 1);
  }
  bool RunToEnd(engine::Test& t, int limitMs = 5'000) {
    return h.RunUntil([&] { return !t.Running(); }, limitMs);
  }
  bool Has(const std::string& line) const {
    const auto lines = h.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
};

// A-10's shape: a group of watches beside the run, then a time limit and the
// watch that blocks, each started one event after the one before.
TEST_F(CueFixture, PowerOnIsCuedOnlyOnceEveryElementThePromptLetsStartHasStarted) {
  auto t = MakeTest();
  t->Append<ETextLogMemo>("Start with an empty network, DUT powered off or disconnected.",
                          OperatorCue::kPowerOff);
  t->Append<ETextLogMemo>("Power Up DUT", OperatorCue::kPowerOn);
  auto& beside = t->Append<EGroup>(EGroup::Mode::kAll, true, false);
  auto& first = beside.Add<Probe>("first", false, false);
  auto& second = beside.Add<Probe>("second", false, false);
  auto& minimum = beside.Add<ETimeLimitMinimum>(300);
  auto& step = t->Append<EGroup>(EGroup::Mode::kSequence, true, true);
  step.Add<ETimeLimitAbort>(1000);
  auto& watch = step.Add<Probe>("watch", true, true, 20);

  bool listeningAtCue = false;
  bool watchHadAnEvent = true;
  cues.onCue = [&](OperatorCue cue) {
    if (cue != OperatorCue::kPowerOn) return;
    listeningAtCue = first.starts == 1 && second.starts == 1 && minimum.IsActive() &&
                     watch.starts == 1 && watch.IsActive();
    watchHadAnEvent = !watch.events.empty();
  };
  t->Start();
  ASSERT_TRUE(RunToEnd(*t));
  EXPECT_EQ(cues.cues, (std::vector<OperatorCue>{OperatorCue::kPowerOff, OperatorCue::kPowerOn}));
  EXPECT_TRUE(listeningAtCue);
  // Not an event later than needed: the step that started the watch cued.
  EXPECT_FALSE(watchHadAnEvent);
  EXPECT_TRUE(Has("Power Up DUT"));

  // A repeated run cues again, and a window without an operator hears nothing.
  h.app.RunningTest().Clear(t.get());
  t->Start();
  ASSERT_TRUE(RunToEnd(*t));
  EXPECT_EQ(cues.cues.size(), 4u);
  auto plain = h.MakeTest(1);
  plain->Append<ETextLogMemo>("Power Up DUT", OperatorCue::kPowerOn);
  plain->Append<Probe>("watch", true, true, 3);
  plain->Start();
  ASSERT_TRUE(RunToEnd(*plain));
  EXPECT_EQ(cues.cues.size(), 4u);
}

TEST_F(CueFixture, NormalOperationHoldsTheListUntilTheOperatorIsDone) {
  auto t = MakeTest();
  auto& memo =
      t->Append<ETextLogMemo>("Begin with DUT in normal operation.", OperatorCue::kNormalOperation);
  auto& after = t->Append<Probe>("after", true, true, 1);
  cues.done = false;
  t->Start();
  h.Run(300);
  EXPECT_EQ(after.starts, 0);
  EXPECT_TRUE(memo.IsBlocking());
  EXPECT_EQ(t->WaitingFor(),
            "The operator has not yet done what this asks: Begin with DUT in normal operation.");
  cues.done = true;
  ASSERT_TRUE(RunToEnd(*t));
  EXPECT_EQ(after.starts, 1);
  EXPECT_EQ(cues.cues, (std::vector<OperatorCue>{OperatorCue::kNormalOperation}));
  // Its description line keeps the flags it was built with.
  std::vector<std::string> lines;
  memo.Describe("", lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"ETextLogMemo" + std::string(18, ' ')}));
}

// The moment a test measures the DUT from is the one the front end reports
// (the host's answer, the press of OK), not the event that noticed it; without
// one, that event; never before the prompt.
TEST_F(CueFixture, AnActionOnTheDutIsDoneAtTheMomentTheOperatorReports) {
  struct Case {
    bool person;
    std::optional<std::int64_t> reportedMs;  // after the prompt; none: not said
    std::uint32_t expectedMs;                // after the prompt
  };
  const Case cases[] = {{false, 40, 40}, {true, 120, 120}, {true, std::nullopt, 0}};
  for (const Case& c : cases) {
    auto t = MakeTest();
    auto& action = t->Append<EOperatorAction>(OperatorCue::kCauseFault, 7);
    cues.done = false;
    cues.person = c.person;
    cues.doneAt.reset();
    t->Start();
    h.Run(200);
    EXPECT_TRUE(action.IsBlocking());
    const std::int64_t promptMicros = h.app.TimeBase().ClockMicrosAt(action.PromptMs() * 1000LL);
    if (c.reportedMs) cues.doneAt = promptMicros + *c.reportedMs * 1000;
    const std::uint32_t noticedMs = t->NowMs() + 1;
    cues.done = true;
    ASSERT_TRUE(RunToEnd(*t));
    EXPECT_EQ(action.DoneMs(), c.reportedMs ? action.PromptMs() + c.expectedMs : noticedMs);
    EXPECT_EQ(action.ByPerson(), c.person);
    EXPECT_TRUE(Has("cause a fault"));
    h.app.RunningTest().Clear(t.get());
  }
  EXPECT_EQ(cues.cues.back(), OperatorCue::kCauseFault);
}

TEST_F(CueFixture, AnAbortWithAReasonSaysWhatTheRunWaitedFor) {
  h.Settings().SetValue("Identifying DGN", "1FFF7");
  h.Settings().SetValue("Identifying Instance", "1");
  h.Settings().SetValue("DSA For Address Claiming", "128");
  struct Case {
    const char* title;
    std::function<void(engine::Test&)> build;
    std::string waits;
  } cases[] = {
      {"find the device", [](engine::Test& t) { t.Append<EFindDevice>(&t.AddDataLog(0), nullptr); },
       "No frame of DGN 1FFF7 instance 1 heard: is the DUT in normal operation?"},
      {"activity inside a group",
       [&](engine::Test& t) {
         auto& g = t.Append<EGroup>(EGroup::Mode::kSequence, true, true);
         g.Add<Probe>("quick", false, false, 0);
         g.Add<EWaitForActivityAtAddress>(&t.AddDataLog(0), "DSA For Address Claiming",
                                          &h.Settings());
       },
       "0 of 5 frames from address 128 heard: is the DUT at that address and in normal "
       "operation?"},
      {"a quiet bus", [&](engine::Test& t) { t.Append<EEmptyNetwork>(); },
       "The bus was never quiet for 1000 ms: is the DUT powered off and the network empty?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    h.pane.Clear();
    auto t = MakeTest();
    t->Append<EDataLogAction>(DataLog::Action::kRestart, &t->AddDataLog(0));
    c.build(*t);
    t->Start();
    for (int i = 0; i < 30; ++i) {
      h.Frame(0x1FFFE, 0x20, {1});  // chatter that is not the DUT
      h.Run(50);
    }
    EXPECT_TRUE(t->Running());
    t->PostAbort("The test ran longer than --timeout 1 s.", true);
    ASSERT_TRUE(RunToEnd(*t));
    EXPECT_TRUE(t->Aborted());
    const auto lines = h.Lines();
    const auto at =
        std::find(lines.begin(), lines.end(), "The test ran longer than --timeout 1 s.");
    ASSERT_NE(at, lines.end()) << h.Text();
    ASSERT_LT(at + 2, lines.end());
    EXPECT_EQ(at[1], c.waits);
    EXPECT_EQ(at[2], "Test A10 aborted.");
    h.app.RunningTest().Clear(t.get());
  }
}

TEST_F(CueFixture, ALinkThatGoesDownAbortsTheRunNamingWhyAndNoVerdictStands) {
  auto t = MakeTest();
  auto& watch = t->Append<Probe>("watch", true, true);
  t->AddCriterion(0x101, "Broadcasts Address Claim");
  t->Start();
  h.Run(100);
  t->PassCriterion(0x101, "seen before the host went");
  h.app.Link().MarkDown(
      "The link to the host is lost: no message from the host at /run/x for 5 s.");
  ASSERT_TRUE(RunToEnd(*t));
  EXPECT_TRUE(t->Aborted());
  EXPECT_TRUE(t->LinkLost());
  EXPECT_TRUE(watch.IsActive());  // the abort, not the watch, ended it
  const auto lines = h.Lines();
  const auto at =
      std::find(lines.begin(), lines.end(),
                "The link to the host is lost: no message from the host at /run/x for 5 s.");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(at[1], "Test A10 aborted.");
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.ends_with("    ABORTED!!!"); }));
}

TEST_F(CueFixture, AnUnabortedRunFinishesOnlyAfterTheHostAnswersOnceMore) {
  struct Case {
    const char* title;
    bool hostAnswers;  // else the link goes down while the finish waits
  } cases[] = {{"the host answers late", true}, {"the host is gone", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    h.pane.Clear();
    const std::size_t probesBefore = h.mailslots.WrittenOfType(framework::kMsgProbe).size();
    auto t = MakeTest();
    t->Append<Probe>("work", true, true, 40);
    t->Start();
    h.Run(30);  // the mode handshake is done; from now on the host says nothing
    h.hostAnswersModes = false;
    h.Run(1000);
    EXPECT_TRUE(t->Running());
    EXPECT_FALSE(Has("Test A10 complete."));
    // Asked once, when the run was over.
    EXPECT_EQ(h.mailslots.WrittenOfType(framework::kMsgProbe).size(), probesBefore + 1);
    if (c.hostAnswers) {
      h.mailslots.Queue(framework::ModeReportMessage(0, 0));
    } else {
      h.app.Link().MarkDown("The link to the host is lost: gone.");
    }
    ASSERT_TRUE(RunToEnd(*t));
    EXPECT_EQ(t->Aborted(), !c.hostAnswers);
    EXPECT_TRUE(Has("Test A10 complete."));
    h.hostAnswersModes = true;
    h.app.RunningTest().Clear(t.get());
    // The next run finds the link up again.
    h.mailslots.Queue(framework::AcknowledgeMessage(EngineHarness::kToolId));
    h.Run(5);
  }
}

}  // namespace
}  // namespace vlt::engine
