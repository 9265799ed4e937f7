// The timeline of a run: its model from an A-10 run on virtual time, the copies
// the window takes while a test runs, the layout's label cap and hit test, and
// the SVG file.
#include "results/timeline.h"
#include "compliance/test_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>

#include "dictionary/frame_text.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/test_events.h"
#include "framework/parser.h"
#include "results/results_support.h"
#include "results/timeline_scene.h"
#include "results/timeline_svg.h"
#include "support/golden_file.h"

namespace vlt::results {
namespace {

using testing::FinishedRun;
using Kind = engine::RunNote::Kind;

std::vector<std::string> StepTexts(const Timeline& t) {
  std::vector<std::string> texts;
  for (const TimelineStep& step : t.steps) texts.push_back(step.text);
  return texts;
}

const TimelineBand* FindBand(const Timeline& t, BandKind kind) {
  for (const TimelineBand& band : t.bands) {
    if (band.kind == kind) return &band;
  }
  return nullptr;
}

const TimelineStep* FindStep(const Timeline& t, const std::string& text) {
  for (const TimelineStep& step : t.steps) {
    if (step.text == text) return &step;
  }
  return nullptr;
}

TEST(Timeline, AnA10RunAsLanesMarksWindowsPinsAndSteps) {
  const FinishedRun run = testing::RunA10({});
  const RunTrace trace = CaptureRunTrace(*run.test);
  const Timeline t = BuildTimeline(trace);

  EXPECT_TRUE(t.finished);
  EXPECT_FALSE(t.aborted);
  // The tester sends nothing in A-10: one lane, the DUT's.
  ASSERT_EQ(t.lanes.size(), 1U);
  EXPECT_EQ(t.lanes[0].address, 253);
  EXPECT_FALSE(t.lanes[0].tester);
  ASSERT_GE(t.marks.size(), 2U);
  const TimelineMark& claim = t.marks[0];
  EXPECT_EQ(claim.kind, FrameKind::kClaim);
  EXPECT_EQ(t.marks[1].kind, FrameKind::kOperating);
  // The status frames follow the claim every 500 ms, from 300 ms after it.
  EXPECT_EQ(t.marks[1].atMs - claim.atMs, 300U);

  EXPECT_EQ(StepTexts(t), (std::vector<std::string>{
                              "Start with an empty network, DUT powered off or disconnected.",
                              "Power Up DUT", "Checking for additional claim activity."}));
  const TimelineStep* powerUp = FindStep(t, "Power Up DUT");
  ASSERT_NE(powerUp, nullptr);
  // The quiet second ends where the operator is asked to power up.
  const TimelineBand* quiet = FindBand(t, BandKind::kQuietBus);
  ASSERT_NE(quiet, nullptr);
  EXPECT_LE(quiet->toMs, powerUp->atMs);
  EXPECT_GE(quiet->toMs - quiet->fromMs, 1000U);
  // The 5 s claim limit and the 10 s minimum start with the watches, at power-up.
  const TimelineBand* limit = FindBand(t, BandKind::kTimeLimit);
  const TimelineBand* minimum = FindBand(t, BandKind::kMinimumTime);
  ASSERT_TRUE(limit && minimum);
  EXPECT_NEAR(limit->fromMs, powerUp->atMs, 50);
  EXPECT_EQ(limit->toMs - limit->fromMs, 5000U);
  EXPECT_EQ(minimum->lengthMs, 10'000U);
  EXPECT_GE(t.lengthMs, minimum->fromMs + 10'000);
  EXPECT_LT(claim.atMs, limit->toMs);
  // The claim's 250 ms window, in the DUT's lane.
  const TimelineBand* window = FindBand(t, BandKind::kContention);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->lane, 0);
  EXPECT_EQ(window->fromMs, claim.atMs);
  EXPECT_EQ(window->toMs, claim.atMs + kAddressContentionMs);

  // Criteria decided by the claim are pinned on it; the quiet time by the first
  // frame after it; those decided without a frame are not pinned.
  std::vector<std::uint16_t> onClaim;
  for (const TimelinePin& pin : t.pins) {
    EXPECT_TRUE(pin.passed);
    const std::uint16_t id = t.criteria[pin.criterion].id;
    if (pin.frame == claim.frame) onClaim.push_back(id);
    if (id == 0x108) {
      EXPECT_EQ(pin.frame, t.marks[1].frame);
    }
  }
  EXPECT_EQ(onClaim, (std::vector<std::uint16_t>{0x101, 0x102, 0x103, 0x107}));
  EXPECT_EQ(t.pins.size(), 5U);
  EXPECT_EQ(t.criteria.size(), 8U);
}

TEST(Timeline, ADnpIsPinnedRedAtItsFrameAndAnAbortIsAStep) {
  const FinishedRun dnp = testing::RunA10({host::DutFault::kWrongMfg});
  const Timeline t = BuildTimeline(CaptureRunTrace(*dnp.test));
  const auto red =
      std::find_if(t.pins.begin(), t.pins.end(), [](const TimelinePin& p) { return !p.passed; });
  ASSERT_NE(red, t.pins.end());
  EXPECT_EQ(t.criteria[red->criterion].id, 0x107);
  EXPECT_EQ(red->frame, t.marks[0].frame);

  const FinishedRun aborted = testing::RunA10({host::DutFault::kClaimEe05});
  const Timeline a = BuildTimeline(CaptureRunTrace(*aborted.test));
  EXPECT_TRUE(a.aborted);
  std::vector<StepKind> kinds;
  for (const TimelineStep& step : a.steps) kinds.push_back(step.kind);
  ASSERT_GE(kinds.size(), 2U);
  EXPECT_EQ(kinds[kinds.size() - 2], StepKind::kLimitExceeded);
  EXPECT_EQ(kinds.back(), StepKind::kAborted);
  EXPECT_EQ(a.steps.back().text, "No ADDRESS_CLAIM heard within 5000 ms of Power Up DUT.");
  // The claim limit ran out: its band is whole, 5 s from power-up.
  const TimelineBand* limit = FindBand(a, BandKind::kTimeLimit);
  ASSERT_NE(limit, nullptr);
  EXPECT_EQ(limit->toMs - limit->fromMs, 5000U);
  // Claims to one address (EE05h) are claims too.
  ASSERT_FALSE(a.marks.empty());
  EXPECT_EQ(a.marks[0].kind, FrameKind::kClaim);
}

void ExpectSameTrace(const RunTrace& fed, const RunTrace& whole) {
  EXPECT_EQ(fed.identity.code, whole.identity.code);
  EXPECT_EQ(fed.startMs, whole.startMs);
  EXPECT_EQ(fed.nowMs, whole.nowMs);
  EXPECT_EQ(fed.finished, whole.finished);
  EXPECT_EQ(fed.criteria, whole.criteria);
  EXPECT_EQ(fed.reportWritten, whole.reportWritten);
  EXPECT_EQ(engine::HeaderValueLines(fed.identity, fed.header),
            engine::HeaderValueLines(whole.identity, whole.header));
  ASSERT_EQ(fed.notes.size(), whole.notes.size());
  for (std::size_t i = 0; i < fed.notes.size(); ++i) {
    EXPECT_EQ(fed.notes[i].kind, whole.notes[i].kind);
    EXPECT_EQ(fed.notes[i].atMs, whole.notes[i].atMs);
    EXPECT_EQ(fed.notes[i].text, whole.notes[i].text);
  }
  ASSERT_EQ(fed.frames.Size(), whole.frames.Size());
  for (std::size_t i = 0; i < fed.frames.Size(); ++i) {
    EXPECT_EQ(dictionary::DescribeFrame(fed.frames.At(i), true),
              dictionary::DescribeFrame(whole.frames.At(i), true));
  }
}

// Steps the test to its end, taking the window's copy every 37 ms; the updates
// that moved it (what the run recorded, or only its clock).
int StepTaking(vlt::testing::ComplianceBench& bench, engine::Test& test, TraceFeed& feed,
               RunTrace& window, const std::function<void()>& look = {}) {
  int updates = 0;
  for (int ms = 0; ms < 60'000 && (test.Running() || bench.app->RunningTest().Get() != nullptr);
       ms += 37) {
    bench.Step(37);
    const std::uint32_t before = window.nowMs;
    if (feed.Update(window) || window.nowMs != before) ++updates;
    if (look) look();
  }
  feed.Update(window);
  return updates;
}

TEST(TraceFeed, TheWindowsCopyOfARunningTestEndsAsTheWholeTrace) {
  TraceFeed feed;
  auto bench = testing::A10Bench({});
  auto test = testing::MakeObserved(*bench, "A10", &feed);
  RunTrace window;
  // A second run of the same test, and a new test (perhaps where the old one
  // was in memory), start the copy over.
  for (int run = 0; run < 3; ++run) {
    SCOPED_TRACE(run);
    if (run == 2) {
      test.reset();
      test = testing::MakeObserved(*bench, "A10", &feed);
    }
    test->Start();
    bool framesWhileRunning = false;
    const int updates = StepTaking(*bench, *test, feed, window, [&] {
      framesWhileRunning = framesWhileRunning || (!window.finished && window.frames.Size() > 0);
    });
    EXPECT_GT(updates, 200);
    EXPECT_TRUE(framesWhileRunning);
    ExpectSameTrace(window, CaptureRunTrace(*test));
  }
  // Nothing new: nothing to take.
  EXPECT_FALSE(feed.Update(window));
}

// Records, empties its log and records again for a shorter time.
class RestartingTest : public engine::Test {
 public:
  static constexpr std::uint32_t kFirstMs = 2500;
  static constexpr std::uint32_t kSecondMs = 1200;
  explicit RestartingTest(const engine::TestContext& context)
      : Test(context, 1, compliance::IdentityOf(1)) {
    engine::DataLog& log = AddDataLog(0);
    for (const std::uint32_t part : {kFirstMs, kSecondMs}) {
      Append<engine::EDataLogAction>(engine::DataLog::Action::kRestart, &log);
      Append<engine::ETimeLimitMinimum>(part).SetBlocks(true);
    }
  }
};

TEST(TraceFeed, AnEmptiedDataLogEmptiesTheCopy) {
  TraceFeed feed;
  auto bench = testing::A10Bench({});  // the DUT claims at once and then sends its status
  engine::TestContext context = bench->Context();
  context.runObserver = &feed;
  framework::Registered<RestartingTest> test(bench->app->Link().Parsers(), context);
  RunTrace window;
  test.Start();
  std::size_t mostFrames = 0;
  StepTaking(*bench, test, feed, window,
             [&] { mostFrames = std::max(mostFrames, window.frames.Size()); });
  const RunTrace whole = CaptureRunTrace(test);
  EXPECT_GE(whole.frames.Size(), 2U);
  EXPECT_GT(mostFrames, whole.frames.Size());  // the first half's frames were shown, then went
  ExpectSameTrace(window, whole);
}

TEST(TraceFeed, TheRunsClockAloneIsNoChangeButADecidedCriterionIs) {
  TraceFeed feed;
  auto bench = testing::A10Bench({});
  auto test = testing::MakeObserved(*bench, "A10", &feed);
  test->Start();
  bench->Step(1);
  RunTrace window;
  ASSERT_TRUE(feed.Update(window));
  // Steps that record nothing: the window has nothing to lay out, yet its clock follows.
  const std::uint32_t before = window.nowMs;
  bench->clock.AdvanceMillis(40);
  feed.OnStep(*test);
  feed.OnStep(*test);
  EXPECT_FALSE(feed.Update(window));
  EXPECT_EQ(window.nowMs, before + 40);
  // A criterion decided with no frame and no note change still reaches the window.
  ASSERT_FALSE(test->Criteria().empty());
  engine::Failure& first = *test->Criteria().begin()->second;
  ASSERT_EQ(first.GetState(), engine::Failure::State::kUndecided);
  first.FailIfUndecided(std::string(engine::kUndecidedNote));
  feed.OnStep(*test);
  ASSERT_TRUE(feed.Update(window));
  EXPECT_EQ(window.criteria.front().state, engine::Failure::State::kDidNotPass);
  EXPECT_EQ(window.criteria, CaptureRunTrace(*test).criteria);
  EXPECT_FALSE(feed.Update(window));
  test->PostEvent(engine::kEvAbort);
  StepTaking(*bench, *test, feed, window);
  ExpectSameTrace(window, CaptureRunTrace(*test));
}

// The lane labels of a finished run whose tester sent from the given addresses.
std::vector<std::string> LaneLabels(const std::vector<std::uint8_t>& testerSources) {
  RunTrace trace;
  trace.identity = {"A20", "Static Addressing Collision", "10-2025", "10-31-2025"};
  trace.finished = true;
  trace.nowMs = 1000;
  std::uint32_t at = 0;
  const auto send = [&](std::uint8_t source, bool own) {
    framework::FrameRecord frame;
    std::memset(&frame, 0, sizeof(frame));
    frame.timeStamp = at += 10;
    frame.dgn = 0xEE00;
    frame.sourceAddress = source;
    frame.length = 8;
    trace.frames.Append(frame, own);
  };
  send(0x80, false);  // the DUT
  for (const std::uint8_t source : testerSources) send(source, true);
  const TimelineScene scene = LayoutTimeline(BuildTimeline(trace));
  std::vector<std::string> labels;
  for (const SceneText& text : scene.texts) {
    if (text.bold && text.size == 11) labels.push_back(text.text);
  }
  return labels;
}

TEST(TimelineScene, TheTestersLaneNamesItsAddressOnlyWhenItHasOne) {
  // Sending as the DUT, or from the null address, is still the tester.
  EXPECT_EQ(LaneLabels({0x80, 0x80}), (std::vector<std::string>{"Tester 80h", "SA 80h (128)"}));
  EXPECT_EQ(LaneLabels({0xFE}), (std::vector<std::string>{"Tester FEh", "SA 80h (128)"}));
  EXPECT_EQ(LaneLabels({0xF9, 0xFE, 0xF9}), (std::vector<std::string>{"Tester", "SA 80h (128)"}));
  EXPECT_EQ(LaneLabels({}), (std::vector<std::string>{"SA 80h (128)"}));
}

TEST(TimelineScene, EveryFrameKeepsItsMarkWhileLabelsAreCapped) {
  // Two busy nodes: a frame every 2 ms for 10 s.
  RunTrace trace;
  trace.identity = {"A10", "Static Addressing Bootup", "10-2025", "10-31-2025"};
  trace.startMs = 1000;
  trace.finished = true;
  trace.notes = {{Kind::kStarted, 1000, 0, ""}, {Kind::kFinished, 11'000, 0, ""}};
  for (std::uint32_t i = 0; i < 5000; ++i) {
    framework::FrameRecord frame;
    std::memset(&frame, 0, sizeof(frame));
    frame.timeStamp = 1000 + 2 * i;
    frame.dgn = i % 2 == 0 ? 0x1FFB7 : 0xEE00;
    frame.sourceAddress = static_cast<std::uint8_t>(0x80 + i % 2);
    frame.length = 8;
    frame.priority = 6;
    trace.frames.Append(frame);
  }
  trace.nowMs = 11'000;
  const Timeline t = BuildTimeline(trace);
  const TimelineScene scene = LayoutTimeline(t);
  std::vector<int> marksOfFrame(5000, 0);
  for (const SceneMark& m : scene.marks) {
    if (m.frame >= 0 && m.shape != Shape::kFlag) ++marksOfFrame[static_cast<std::size_t>(m.frame)];
  }
  EXPECT_TRUE(std::all_of(marksOfFrame.begin(), marksOfFrame.end(), [](int n) { return n == 1; }));
  EXPECT_GT(scene.labelledMarks, 10);
  EXPECT_LE(scene.labelledMarks, kMaxMarkLabels);
  // Labels of one lane never overlap (monospace, 0.6 em).
  std::map<float, std::vector<std::pair<float, float>>> labelsByRow;
  for (const SceneText& text : scene.texts) {
    if (text.size != 9 || text.anchor != Anchor::kMiddle || text.colour == Colour{255, 255, 255}) {
      continue;
    }
    const float half = static_cast<float>(text.text.size()) * 9 * 0.6F / 2;
    labelsByRow[text.y].emplace_back(text.x - half, text.x + half);
  }
  EXPECT_EQ(labelsByRow.size(), 2U);
  for (auto& [y, spans] : labelsByRow) {
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 1; i < spans.size(); ++i) EXPECT_GE(spans[i].first, spans[i - 1].second);
  }
  // A click on a mark finds its frame; a click between lanes finds nothing.
  const SceneMark& some = *std::find_if(scene.marks.begin(), scene.marks.end(),
                                        [](const SceneMark& m) { return m.frame == 1234; });
  const int hit = MarkAt(scene, some.x, some.y - 1);
  ASSERT_GE(hit, 0);
  EXPECT_EQ(scene.marks[static_cast<std::size_t>(hit)].frame, 1234);
  EXPECT_EQ(MarkAt(scene, some.x, some.y + 40), -1);
}

TEST(TimelineSvg, APictureWithTooltipsThatKeepsThePromptsText) {
  const FinishedRun run = testing::RunA10({});
  RunTrace trace = CaptureRunTrace(*run.test, "Default Product_A10_2601221405.txt");
  EXPECT_TRUE(vlt::testing::MatchesGoldenFile(TimelineSvg(trace),
                                              testing::ResultsDir() / "a10_pass_timeline.svg"));

  trace.notes.push_back({Kind::kOperatorStep, trace.nowMs, 0,
                         "Press <space> to transmit competing ADDRESS_CLAIM message."});
  const std::string svg = TimelineSvg(trace);
  EXPECT_NE(svg.find(">Press &lt;space&gt; to transmit competing ADDRESS_CLAIM message.</text>"),
            std::string::npos);
  // One tooltip per frame, per pin and per step.
  const Timeline t = BuildTimeline(trace);
  std::size_t titles = 0;
  for (std::size_t at = 0; (at = svg.find("<title>", at)) != std::string::npos; ++at) ++titles;
  EXPECT_EQ(titles, t.marks.size() + t.pins.size() + t.steps.size());
  framework::FrameRecord claim;
  trace.frames.Read(0, claim);
  EXPECT_NE(svg.find("<title>" + dictionary::DescribeFrame(claim, true) + "</title></circle>"),
            std::string::npos);
}

const SceneMark* MarkOfFrame(const TimelineScene& scene, std::int32_t frame) {
  for (const SceneMark& m : scene.marks) {
    if (m.frame == frame && m.shape != Shape::kFlag) return &m;
  }
  return nullptr;
}

TEST(Timeline, TheAxisReadsTheStampsOfTheLogsFrameLines) {
  FinishedRun run = testing::RunA10({});
  // Run again: the second run's lines are stamped seconds after the time base began.
  ASSERT_TRUE(run.bench->Run(*run.test, 60'000));
  const RunTrace trace = CaptureRunTrace(*run.test);
  ASSERT_GT(trace.startMs, 10'000U);
  const TimelineScene scene = LayoutTimeline(BuildTimeline(trace));
  // Two frames' marks fix where each stamp stands; each label stands at the stamp it reads.
  const auto last = static_cast<std::int32_t>(trace.frames.Size() - 1);
  const SceneMark* a = MarkOfFrame(scene, 0);
  const SceneMark* b = MarkOfFrame(scene, last);
  ASSERT_TRUE(a && b);
  const double stampA = trace.frames.At(0).timeStamp;
  const double pxPerMs =
      (b->x - a->x) / (trace.frames.At(static_cast<std::size_t>(last)).timeStamp - stampA);
  const auto caption = std::find_if(scene.texts.begin(), scene.texts.end(),
                                    [](const SceneText& t) { return t.text == "time stamp (s)"; });
  ASSERT_NE(caption, scene.texts.end());
  int ticks = 0;
  for (const SceneText& label : scene.texts) {
    if (label.y != caption->y || &label == &*caption) continue;
    // Printed as the frame lines print their stamps: seconds with three decimals.
    ASSERT_EQ(label.text.size() - label.text.find('.'), 4U) << label.text;
    EXPECT_NEAR(label.x, a->x + (std::stod(label.text) * 1000.0 - stampA) * pxPerMs, 0.5);
    ++ticks;
  }
  EXPECT_GE(ticks, 5);
}

TEST(TimelineScene, CriterionFlagsNeverCoverOneAnother) {
  struct Case {
    const char* what;
    std::vector<std::uint32_t> stamps;  // of the frames, from the run's start at 1000
    std::vector<int> evidence;          // each criterion's frame
  };
  const Case cases[] = {
      {"a frame decides criteria listed around another's", {1000, 1004}, {0, 1, 0}},
      {"criteria listed against time order", {1000, 1002, 1004}, {2, 1, 0, 2, 1, 0}},
      {"two-digit numbers on close frames",
       {1000, 1001, 1003},
       {0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2}},
      {"frames far apart", {1000, 1500}, {1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RunTrace trace;
    trace.identity = {"A10", "Static Addressing Bootup", "10-2025", "10-31-2025"};
    trace.startMs = 1000;
    trace.nowMs = 2000;
    trace.finished = true;
    for (const std::uint32_t stamp : c.stamps) {
      framework::FrameRecord frame;
      std::memset(&frame, 0, sizeof(frame));
      frame.timeStamp = stamp;
      frame.dgn = 0xEE00;
      frame.sourceAddress = 0x80;
      frame.length = 8;
      trace.frames.Append(frame, false);
    }
    for (std::size_t i = 0; i < c.evidence.size(); ++i) {
      trace.criteria.push_back({static_cast<std::uint16_t>(i + 1), "criterion",
                                engine::Failure::State::kPassed, "", c.evidence[i]});
    }
    const TimelineScene scene = LayoutTimeline(BuildTimeline(trace));
    std::vector<std::pair<float, float>> flags;
    for (const SceneMark& m : scene.marks) {
      if (m.shape != Shape::kFlag) continue;
      flags.emplace_back(m.x - m.size, m.x + m.size);
      // A flag stands at or right of the frame it was decided by.
      EXPECT_GE(m.x - m.size, MarkOfFrame(scene, m.frame)->x);
    }
    ASSERT_EQ(flags.size(), c.evidence.size());
    std::sort(flags.begin(), flags.end());
    for (std::size_t i = 1; i < flags.size(); ++i) EXPECT_GE(flags[i].first, flags[i - 1].second);
  }
}

// Counts the report's criterion lines by their tags, as the summary report reads them.
std::string ReportTally(const std::string& pane) {
  int counts[3] = {0, 0, 0};
  const char* tags[3] = {"\nPASS : ", "\nDNP  : ", "\n____ : "};
  for (int i = 0; i < 3; ++i) {
    for (std::size_t at = pane.find(tags[i]); at != std::string::npos;
         at = pane.find(tags[i], at + 1)) {
      ++counts[i];
    }
  }
  return "PASS " + std::to_string(counts[0]) + "   DNP " + std::to_string(counts[1]) + "   ____ " +
         std::to_string(counts[2]) + "   ";
}

TEST(TimelineSvg, TheTitleNamesTheRunAndItsLogAndCountsAsTheReportDoes) {
  struct Case {
    const char* what;
    host::DutFaults faults;
    bool logAborted;  // the operator's answer to "Do you want to log the results?"
  };
  const Case cases[] = {
      {"one does not pass", {host::DutFault::kWrongMfg}, true},
      {"aborted and reported", {host::DutFault::kClaimEe05}, true},
      {"aborted without a report", {host::DutFault::kClaimEe05}, false},
  };
  const std::string log = "Coach Controller_A10_2601221405 (2).txt";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto bench = testing::A10Bench(c.faults);
    bench->Settings().SetValue("Company", "Valmora Labs");
    bench->Settings().SetValue("Product Name", "Coach Controller");
    bench->Settings().SetValue("Tested By", "J. Brandt");
    bench->prompter.answer = c.logAborted;
    auto test = testing::MakeObserved(*bench, "A10", nullptr);
    ASSERT_TRUE(bench->Run(*test, 60'000));
    const std::string pane = bench->Text();
    const std::string svg = TimelineSvg(CaptureRunTrace(*test, log));
    for (const char* piece : {"A10  Static Addressing Bootup", "Coach Controller", "Valmora Labs",
                              "J. Brandt", "Coach Controller_A10_2601221405 (2).txt"}) {
      EXPECT_NE(svg.find(piece), std::string::npos) << piece;
    }
    const std::size_t at = pane.find("Test Date/Time       : ");
    ASSERT_EQ(at != std::string::npos, c.logAborted);
    if (c.logAborted) {
      const std::string when = pane.substr(at + 23, pane.find("\r\n", at) - at - 23);
      EXPECT_NE(svg.find("Test Date/Time  : " + when + "<"), std::string::npos) << when;
      EXPECT_NE(svg.find(">" + ReportTally(pane)), std::string::npos) << ReportTally(pane);
    } else {
      EXPECT_NE(svg.find(">no report written   "), std::string::npos);
      EXPECT_NE(svg.find("Run Started     : "), std::string::npos);
    }
  }
}

TEST(Timeline, AClickedFrameIsFoundInTheReportsDumpOfTheLog) {
  const FinishedRun run = testing::RunA10({});
  const RunTrace trace = CaptureRunTrace(*run.test);
  const std::string pane = run.bench->Text();
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < pane.size();) {
    const std::size_t end = pane.find("\r\n", at);
    lines.push_back(pane.substr(at, end - at));
    at = end == std::string::npos ? pane.size() : end + 2;
  }
  const auto dump = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.rfind("Log size : ", 0) == 0;
  });
  ASSERT_NE(dump, lines.end());
  const auto dumpLine = static_cast<std::size_t>(dump - lines.begin());
  for (const std::uint32_t frame : {0U, 3U}) {
    const auto line = FrameLineInPane(pane, trace, frame);
    ASSERT_TRUE(line);
    EXPECT_EQ(lines[*line], dictionary::DescribeFrame(trace.frames.At(frame), true));
    EXPECT_GT(*line, dumpLine);
  }
  EXPECT_EQ(FrameLineInPane(pane, trace, 0), dumpLine + 1);
  // Before the report there is no dump to point into.
  EXPECT_FALSE(FrameLineInPane("Power Up DUT\r\n", trace, 0));
  EXPECT_FALSE(FrameLineInPane(pane, trace, static_cast<std::uint32_t>(trace.frames.Size())));
}

TEST(Timeline, FramesOfOneTextAndTimeAreFoundInTheirOrder) {
  RunTrace trace;
  framework::FrameRecord frame;
  std::memset(&frame, 0, sizeof(frame));
  frame.dgn = 0x1FFFF;
  frame.sourceAddress = 0x70;
  frame.length = 8;
  for (const std::uint32_t at : {500U, 700U, 700U, 700U}) {
    frame.timeStamp = at;
    frame.data[0] = at == 700 ? 1 : 0;
    trace.frames.Append(frame, false);
  }
  trace.frames.Append(frame, true);  // the same, but sent by the tester: its line differs
  std::string pane = "Log size : 5\r\n";
  for (std::size_t i = 0; i < trace.frames.Size(); ++i) {
    pane += engine::DumpLine(trace.frames.At(i), trace.frames.OwnTransmission(i)) + "\r\n";
  }
  for (std::uint32_t i = 0; i < 5; ++i) EXPECT_EQ(FrameLineInPane(pane, trace, i), i + 1);
}

}  // namespace
}  // namespace vlt::results
