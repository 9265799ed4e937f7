// The window and a host that goes away and comes back, on the offscreen platform
// and virtual time: a run the host leaves ends at once and says why, the status
// area and the menus follow the link, the tester registers again by itself, and
// an operator who takes their time over a question is not taken for a dead host.
#include <QAction>
#include <QMenuBar>
#include <QTest>
#include <algorithm>

#include "gui/menu_commands.h"
#include "gui/status_area.h"
#include "gui_bench.h"

using namespace vlt;
using gui::HostLinkState;
using testing::GuiBench;
using testing::Has;
using testing::MatchingDut;
using testing::MatchProfile;
using testing::RunToEnd;

namespace {

constexpr int kA10 = 32780;
constexpr int kTickMs = gui::MainWindow::kTimerMillis;
constexpr const char* kCrashLine = "BRANTEL may have crashed!";

HostLinkState Shown(GuiBench& bench) {
  return bench.window->Status()->Link();
}

bool Enabled(GuiBench& bench, int id) {
  return bench.window->Action(id)->isEnabled();
}

// Whether the Test menu says why its tests are greyed out.
bool MenuSaysNoLink(GuiBench& bench) {
  const QList<QAction*> items = bench.window->menuBar()->actions().at(1)->menu()->actions();
  return std::any_of(items.begin(), items.end(), [](QAction* action) {
    return action->isVisible() && action->text().contains(QStringLiteral("host link"));
  });
}

// Runs timer tick by timer tick and notes each link state the status area shows.
std::vector<HostLinkState> ShownOver(GuiBench& bench, int millis) {
  std::vector<HostLinkState> shown{Shown(bench)};
  for (int ran = 0; ran < millis; ran += kTickMs) {
    bench.Run(kTickMs);
    if (Shown(bench) != shown.back()) shown.push_back(Shown(bench));
  }
  return shown;
}

// The host has gone: tests are refused and the menu says why, every second
// the tester looks for the host again, and the status area says lost.
void ExpectTestsWaitForTheHost(GuiBench& bench) {
  QCOMPARE(Shown(bench), HostLinkState::kLost);
  QVERIFY2(bench.window->Status()->LinkText().contains(QStringLiteral("lost")),
           qPrintable(bench.window->Status()->LinkText()));
  QVERIFY(!Enabled(bench, kA10));
  QVERIFY(!Enabled(bench, gui::kRepeatLastTest));
  QVERIFY(MenuSaysNoLink(bench));
  engine::Test* last = bench.window->LastTest();
  bench.window->RunCommand(gui::kRepeatLastTest);  // F5 or a stale menu: still refused
  QVERIFY(!bench.window->TestRunning());
  QCOMPARE(bench.window->LastTest(), last);
  QCOMPARE(ShownOver(bench, 6000), std::vector<HostLinkState>{HostLinkState::kLost});
}

// A host starts again in the run folder: the tester registers with it by
// itself, the window says so (in the status area: the pane holds a report), and
// the host counts the tool again.
void ExpectTheHostTakenBack(GuiBench& bench) {
  bench.host.SetRunning(true);
  const std::string report = bench.Text();
  const std::vector<HostLinkState> shown = ShownOver(bench, 1500);
  QCOMPARE(shown, (std::vector<HostLinkState>{HostLinkState::kLost, HostLinkState::kReconnecting,
                                              HostLinkState::kConnected}));
  const std::string again =
      "Registered again with the host at " + bench.app->Link().HostLocation() + ".";
  QCOMPARE(bench.window->Status()->HostNoteText(), QString::fromStdString(again));
  QCOMPARE(bench.Text(), report);
  QVERIFY2(Has(bench.host.Control("stats"), "tools=1"), bench.host.Control("stats").c_str());
  QVERIFY(Enabled(bench, kA10));
  QVERIFY(Enabled(bench, gui::kRepeatLastTest));
  QVERIFY(!MenuSaysNoLink(bench));
}

// Repeat Last Test after the host came back: the whole test runs and passes.
void ExpectTheRepeatToPass(GuiBench& bench) {
  bench.window->RunCommand(gui::kClearLog);
  QVERIFY(RunToEnd(bench, gui::kRepeatLastTest));
  const std::string text = bench.Text();
  QVERIFY2(!bench.window->LastTest()->Aborted(), text.c_str());
  QVERIFY2(Has(text, "Test A10 complete."), text.c_str());
  QVERIFY2(!Has(text, "DNP "), text.c_str());
  QVERIFY(!Has(text, kCrashLine));
  QCOMPARE(bench.window->Status()->Verdict(), gui::RunVerdict::kPass);
}

// An operator who leaves a question open for 10 s: the window's timer runs on,
// the tick thread that asked reads nothing. Notes the link states shown meanwhile.
void AnswerAfterTenSeconds(GuiBench& bench, std::vector<HostLinkState>& shown) {
  bench.prompter.whileAsked = [&bench, &shown] {
    shown.push_back(Shown(bench));
    for (int waited = 0; waited < 10'000; waited += kTickMs) {
      bench.clock.AdvanceMillis(kTickMs);
      bench.window->TimerTick();
      if (Shown(bench) != shown.back()) shown.push_back(Shown(bench));
    }
  };
}

}  // namespace

class WindowLinkTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void aHostStoppedDuringATestEndsItAtOnceAndIsTakenBack_data();
  void aHostStoppedDuringATestEndsItAtOnceAndIsTakenBack();
  void aHostStoppedBetweenTestsHoldsThemUntilItIsBack();
  void withoutAHostAtStartTheFirstHostIsTaken();
  void aQuestionOpenForTenSecondsIsNoCrash_data();
  void aQuestionOpenForTenSecondsIsNoCrash();
};

void WindowLinkTest::aHostStoppedDuringATestEndsItAtOnceAndIsTakenBack_data() {
  QTest::addColumn<bool>("killed");
  QTest::newRow("killed: it goes silent") << true;
  QTest::newRow("stopped: it says goodbye") << false;
}

void WindowLinkTest::aHostStoppedDuringATestEndsItAtOnceAndIsTakenBack() {
  QFETCH(bool, killed);
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  bench.window->RunCommand(kA10);
  for (int i = 0; i < 30'000 && !Has(bench.Text(), "Address Claim Received."); ++i) bench.Run(1);
  QVERIFY(bench.window->TestRunning());

  const std::int64_t stoppedAt = bench.clock.NowMicros();
  if (killed) {
    bench.host.Crash();
  } else {
    bench.host.Shutdown();
    bench.Run(1);  // the goodbye is read
    bench.host.SetRunning(false);
  }
  QVERIFY(bench.RunUntilIdle(7000));  // not the test's own, later limits
  bench.Run(kTickMs);
  const std::string location = bench.app->Link().HostLocation();
  const std::string why = killed ? "no message from the host at " + location + " for 5 s."
                                 : "the host at " + location + " closed it.";
  const std::string text = bench.Text();
  QVERIFY(bench.window->LastTest()->Aborted());
  QVERIFY2(Has(text, "The link to the host is lost: " + why + "\r\nTest A10 aborted.\r\n"),
           text.c_str());
  QVERIFY(!Has(text, "Time limit exceeded."));
  // Only a silent host may have crashed; one that said goodbye did not. Either
  // way the report is the test's own: the window's line is in the status area.
  QCOMPARE(bench.window->Status()->HostNoteText(), killed ? QString(kCrashLine) : QString());
  QVERIFY(!Has(text, kCrashLine));
  QCOMPARE(bench.window->Status()->Verdict(), gui::RunVerdict::kAborted);
  const std::int64_t tookMs = (bench.clock.NowMicros() - stoppedAt) / 1000;
  QVERIFY2(killed ? tookMs >= 5000 : tookMs < 1000, std::to_string(tookMs).c_str());
  ExpectTestsWaitForTheHost(bench);
  if (QTest::currentTestFailed()) return;

  ExpectTheHostTakenBack(bench);
  if (QTest::currentTestFailed()) return;
  ExpectTheRepeatToPass(bench);
}

void WindowLinkTest::aHostStoppedBetweenTestsHoldsThemUntilItIsBack() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  QVERIFY(RunToEnd(bench, kA10));
  QVERIFY(!bench.window->LastTest()->Aborted());

  const std::string report = bench.Text();
  bench.host.Crash();
  const std::vector<HostLinkState> shown = ShownOver(bench, 5500);
  QCOMPARE(shown, (std::vector<HostLinkState>{HostLinkState::kConnected, HostLinkState::kLost}));
  // Nothing lands after the report's closing line: it is saved as the test wrote it.
  QCOMPARE(bench.window->Status()->HostNoteText(), QString(kCrashLine));
  QCOMPARE(bench.Text(), report);
  const std::string saved = bench.Path("a10.txt");
  bench.dialogs.files.push_back(saved);
  bench.window->RunCommand(gui::kSaveLog);
  QVERIFY(!Has(testing::ReadFile(saved), kCrashLine));
  // The finished run keeps its verdict: the host went after it.
  QCOMPARE(bench.window->Status()->Verdict(), gui::RunVerdict::kPass);
  ExpectTestsWaitForTheHost(bench);
  if (QTest::currentTestFailed()) return;

  ExpectTheHostTakenBack(bench);
  if (QTest::currentTestFailed()) return;
  ExpectTheRepeatToPass(bench);
}

void WindowLinkTest::withoutAHostAtStartTheFirstHostIsTaken() {
  GuiBench::Options options = MatchingDut();
  options.hostRunning = false;
  GuiBench bench(std::move(options));
  MatchProfile(bench);
  QCOMPARE(ShownOver(bench, 3000), std::vector<HostLinkState>{HostLinkState::kNotConnected});
  QVERIFY(!Enabled(bench, kA10));
  QVERIFY(MenuSaysNoLink(bench));

  bench.host.SetRunning(true);
  QCOMPARE(ShownOver(bench, 1500).back(), HostLinkState::kConnected);
  QVERIFY(Has(bench.Text(), "Registered with the host at " + bench.app->Link().HostLocation()));
  QVERIFY(!Has(bench.Text(), "Registered again"));
  QVERIFY(!MenuSaysNoLink(bench));

  // The mode query of the first test is answered: the run does not hang there.
  QVERIFY(RunToEnd(bench, kA10));
  QVERIFY2(!bench.window->LastTest()->Aborted(), bench.Text().c_str());
  QVERIFY(Has(bench.Text(), "Test A10 complete."));
}

void WindowLinkTest::aQuestionOpenForTenSecondsIsNoCrash_data() {
  QTest::addColumn<int>("command");
  QTest::addColumn<bool>("abort");
  QTest::addColumn<QString>("asked");
  QTest::newRow("save the address claim")
      << int{gui::kReadAddressClaim} << false << QStringLiteral("Save for future tests?");
  QTest::newRow("log an aborted run")
      << kA10 << true << QStringLiteral("Do you want to log the results?");
}

void WindowLinkTest::aQuestionOpenForTenSecondsIsNoCrash() {
  QFETCH(int, command);
  QFETCH(bool, abort);
  QFETCH(QString, asked);
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  std::vector<HostLinkState> shownWhileAsked;
  AnswerAfterTenSeconds(bench, shownWhileAsked);
  bench.window->RunCommand(command);
  if (abort) {
    bench.Run(1500);
    bench.window->RunCommand(gui::kAbort);
  }
  const std::int64_t start = bench.clock.NowMicros();
  QVERIFY(bench.RunUntilIdle(30'000));
  bench.Run(1000);
  QCOMPARE(bench.prompter.decisions.size(), std::size_t{1});
  QVERIFY2(Has(bench.prompter.decisions[0].second, asked.toStdString()),
           bench.prompter.decisions[0].second.c_str());
  QVERIFY(bench.clock.NowMicros() - start >= 10'000'000);  // the question stood its 10 s

  const std::string text = bench.Text();
  QVERIFY2(!Has(text, kCrashLine), text.c_str());
  QVERIFY(!Has(text, "The link to the host is lost"));
  QCOMPARE(shownWhileAsked, std::vector<HostLinkState>{HostLinkState::kConnected});
  QCOMPARE(bench.window->LastTest()->Aborted(), abort);
  QCOMPARE(Shown(bench), HostLinkState::kConnected);
  QVERIFY(Enabled(bench, gui::kRepeatLastTest));
}

QTEST_MAIN(WindowLinkTest)
#include "window_link_test.moc"
