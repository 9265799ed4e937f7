// What keeps the operator's evidence and shows where the run stands, on the
// offscreen platform and virtual time: the questions before closing with unsaved
// work, the confirmation before a reset, remembered folders, the status area
// (host link, running test, verdict, prompts) and the rule that tests need a link.
#include <QAction>
#include <QMenuBar>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gui/menu_commands.h"
#include "gui/save_questions.h"
#include "gui/status_area.h"
#include "gui_bench.h"
#include "host/devices/dut_faults.h"

using namespace vlt;
using testing::Count;
using testing::GuiBench;
using testing::Has;
using testing::MatchingDut;
using testing::MatchProfile;
using testing::ReadFile;
using testing::RunToEnd;

namespace {

constexpr int kA10 = 32780;
constexpr int kA20 = 32781;

gui::StatusArea& Status(GuiBench& bench) {
  return *bench.window->Status();
}

}  // namespace

class WindowSafetyTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void unsavedLogIsAskedAboutOnDoneExitAndClose();
  void logQuestionComesBeforeTheProfileQuestion();
  void savedOrClearedLogIsNotAskedAbout();
  void aReportOrANewRunInThePaneLetsTheTestLogGo();
  void resetProfileAsksFirst();
  void foldersAreRememberedAcrossSessions();
  void statusAreaFollowsARunToPass();
  void statusAreaCountsCriteriaThatDidNotPass();
  void statusAreaShowsAnAbortedRun();
  void promptsStayUntilDone();
  void testsNeedTheHostLink();
};

void WindowSafetyTest::unsavedLogIsAskedAboutOnDoneExitAndClose() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  QVERIFY(!bench.window->LogUnsaved());
  QVERIFY(RunToEnd(bench, kA10));
  QVERIFY(bench.window->LogUnsaved());
  QVERIFY(bench.window->isWindowModified());  // the title marks it

  // Each way out asks; an unanswered question is Cancel, and the window stays.
  bench.window->Done();
  bench.window->RunCommand(gui::kExit);
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  bench.window->close();
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{3});
  for (const gui::SaveQuestion& question : bench.dialogs.saveQuestions) {
    QCOMPARE(question.statement, std::string(gui::kUnsavedLogStatement));
  }
  QVERIFY(!bench.window->Finished());
  QVERIFY(bench.window->isVisible());

  // Save, but the file dialog is cancelled: nothing is saved, the window stays.
  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kSave);
  bench.window->Done();
  QVERIFY(!bench.window->Finished());
  QCOMPARE(bench.dialogs.fileRequests.back().initialPath, bench.window->LogFileName());

  // Save to a file: the log is written, then the window closes.
  const std::string path = bench.Path("evidence.txt");
  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kSave);
  bench.dialogs.files.push_back(path);
  bench.window->Done();
  QVERIFY(bench.window->Finished());
  QVERIFY(Has(ReadFile(path), "Test A10 complete.\r\n"));
}

void WindowSafetyTest::logQuestionComesBeforeTheProfileQuestion() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  QVERIFY(RunToEnd(bench, kA10));
  bench.window->RunCommand(gui::kResetProfile);
  QVERIFY(bench.window->Profiles().Modified());

  // Discarding the log, then going back at the profile question: nothing closes.
  bench.dialogs.saveAnswers = {gui::SaveAnswer::kDiscard, gui::SaveAnswer::kCancel};
  bench.window->Done();
  QVERIFY(!bench.window->Finished());
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{2});
  QCOMPARE(bench.dialogs.saveQuestions[0].question, std::string(gui::kUnsavedLogQuestion));
  QCOMPARE(bench.dialogs.saveQuestions[1].question, std::string(gui::kSaveProfileQuestion));
  QCOMPARE(bench.dialogs.saveQuestions[1].saveLabel, std::string("&Yes"));

  bench.dialogs.saveAnswers = {gui::SaveAnswer::kDiscard, gui::SaveAnswer::kDiscard};
  bench.window->Done();
  QVERIFY(bench.window->Finished());
  QVERIFY(bench.dialogs.fileRequests.empty());  // nothing was written anywhere
}

void WindowSafetyTest::savedOrClearedLogIsNotAskedAbout() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  QVERIFY(RunToEnd(bench, kA10));
  bench.dialogs.files.push_back(bench.Path("a10.txt"));
  bench.window->RunCommand(gui::kSaveLog);
  QVERIFY(!bench.window->LogUnsaved());
  QVERIFY(!bench.window->isWindowModified());

  // A skipped-test record is evidence too; clearing the pane lets it go.
  bench.dialogs.skips.push_back(gui::SkipChoice{"A20", "Device Not Designed to Pass"});
  bench.window->RunCommand(gui::kLogSkippedTest);
  QVERIFY(bench.window->LogUnsaved());
  QCOMPARE(Status(bench).Verdict(), gui::RunVerdict::kSkipped);
  bench.window->RunCommand(gui::kClearLog);
  QVERIFY(!bench.window->LogUnsaved());

  bench.window->Done();
  QVERIFY(bench.dialogs.saveQuestions.empty());
  QVERIFY(bench.window->Finished());
}

void WindowSafetyTest::aReportOrANewRunInThePaneLetsTheTestLogGo() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  const std::string folder = bench.dir.path().toStdString();
  // Each command that may replace the log asks first; Discard lets it go on.
  auto discard = [&bench] { bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kDiscard); };
  // With no log in the folder the report only adds a line: the test's log stays unsaved.
  QVERIFY(RunToEnd(bench, kA10));
  discard();
  bench.dialogs.folders.push_back(folder);
  bench.window->RunCommand(gui::kBuildSummaryReport);
  QVERIFY(bench.window->LogUnsaved());
  bench.dialogs.files.push_back(folder + "/" + bench.window->LogFileName());
  bench.window->RunCommand(gui::kSaveLog);

  // The summary report replaces the next run's log in the pane: that log is gone, not unsaved.
  QVERIFY(RunToEnd(bench, kA10));
  QVERIFY(bench.window->LogUnsaved());
  discard();
  bench.dialogs.folders.push_back(folder);
  bench.window->RunCommand(gui::kBuildSummaryReport);
  QVERIFY(Has(bench.Text(), "Product              : "));
  QVERIFY(!bench.window->LogUnsaved());
  QVERIFY(!bench.window->isWindowModified());

  QVERIFY(RunToEnd(bench, kA10));
  QVERIFY(bench.window->LogUnsaved());
  bench.dialogs.yesNo = true;
  discard();
  bench.dialogs.folders.push_back(folder);
  bench.window->RunCommand(gui::kDeleteSuperseded);
  QVERIFY(!bench.window->LogUnsaved());

  // The next run clears the pane as it starts: the mark goes with the old log.
  QVERIFY(RunToEnd(bench, kA10));
  QVERIFY(bench.window->LogUnsaved());
  discard();
  bench.window->RunCommand(kA10);
  bench.Run(500);
  QVERIFY(bench.window->TestRunning());
  QVERIFY(!bench.window->LogUnsaved());
  QVERIFY(bench.RunUntilIdle(60'000));
  bench.Run(300);
  QVERIFY(bench.window->LogUnsaved());  // its own log is new work again
  discard();
  bench.dialogs.folders.push_back(folder);
  bench.window->RunCommand(gui::kBuildSummaryReport);
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{5});
  QVERIFY(bench.dialogs.saveAnswers.empty());

  bench.window->Done();
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{5});
  QVERIFY(bench.window->Finished());
}

void WindowSafetyTest::resetProfileAsksFirst() {
  GuiBench bench;
  bench.Settings().SetValue("Company", "ACME Coaches");
  bench.window->Profiles().ClearModified();

  bench.dialogs.yesNo = false;
  bench.window->RunCommand(gui::kResetProfile);
  QCOMPARE(bench.dialogs.yesNoQuestions.size(), std::size_t{1});
  QCOMPARE(bench.dialogs.yesNoQuestions[0].first, std::string("Reset Profile"));
  QCOMPARE(bench.Settings().GetValue("Company", true), std::string("ACME Coaches"));
  QVERIFY(!bench.window->Profiles().Modified());

  bench.dialogs.yesNo = true;
  bench.window->RunCommand(gui::kResetProfile);
  QCOMPARE(bench.Settings().GetValue("Company", true), std::string("Default Company"));
  QVERIFY(bench.window->Profiles().Modified());
}

void WindowSafetyTest::foldersAreRememberedAcrossSessions() {
  QTemporaryDir folder;
  const std::string registry = folder.filePath(QStringLiteral("Valmora.conf")).toStdString();
  const std::string logs = folder.filePath(QStringLiteral("logs")).toStdString();
  const std::string profiles = folder.filePath(QStringLiteral("profiles")).toStdString();
  std::filesystem::create_directories(logs);
  std::filesystem::create_directories(profiles);
  {
    GuiBench::Options options;
    options.registryPath = registry;
    GuiBench bench(std::move(options));
    bench.app->Log().AppendLogLine("a line");
    bench.dialogs.files.push_back(logs + "/first.txt");
    bench.window->RunCommand(gui::kSaveLog);
    bench.dialogs.files.push_back(profiles + "/bench.zcf");
    bench.window->RunCommand(gui::kSaveProfile);
    bench.window->Done();
  }
  GuiBench::Options options;
  options.registryPath = registry;
  GuiBench bench(std::move(options));
  bench.window->RunCommand(gui::kSaveLog);
  QVERIFY(bench.dialogs.fileRequests.back().initialPath.starts_with(logs + "/"));
  bench.window->RunCommand(gui::kReadLogFile);
  QCOMPARE(bench.dialogs.fileRequests.back().initialPath, logs);
  bench.window->RunCommand(gui::kBuildSummaryReport);
  QCOMPARE(bench.dialogs.folderRequests.back(), logs);
  bench.window->RunCommand(gui::kSaveProfile);
  QCOMPARE(bench.dialogs.fileRequests.back().initialPath, profiles);

  // A log read from elsewhere moves the log folder there.
  const std::string other = folder.filePath(QStringLiteral("other.txt")).toStdString();
  std::ofstream(other, std::ios::binary) << "read back\r\n";
  bench.dialogs.files.push_back(other);
  bench.window->RunCommand(gui::kReadLogFile);
  bench.window->RunCommand(gui::kSaveLog);
  QCOMPARE(bench.dialogs.fileRequests.back().initialPath, other);
}

void WindowSafetyTest::statusAreaFollowsARunToPass() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  QCOMPARE(Status(bench).Link(), gui::HostLinkState::kConnected);
  QVERIFY(Status(bench).LinkText().contains(QStringLiteral("connected")));
  QVERIFY(Status(bench).LinkText().contains(QString::fromStdString(bench.Path("run"))));
  QCOMPARE(Status(bench).Verdict(), gui::RunVerdict::kNone);

  bench.window->RunCommand(kA10);
  bench.Run(5000);
  QCOMPARE(Status(bench).Verdict(), gui::RunVerdict::kRunning);
  QVERIFY2(Status(bench).RunText().contains(QStringLiteral("A10")),
           qPrintable(Status(bench).RunText()));
  QVERIFY2(Status(bench).RunText().contains(QStringLiteral("running  0:05")),
           qPrintable(Status(bench).RunText()));

  QVERIFY(bench.RunUntilIdle(60'000));
  bench.Run(gui::MainWindow::kTimerMillis);
  QCOMPARE(Status(bench).Verdict(), gui::RunVerdict::kPass);
  QCOMPARE(Status(bench).VerdictText(), QStringLiteral("PASS"));
  const int criteria = static_cast<int>(bench.window->LastTest()->Criteria().size());
  QVERIFY2(Status(bench).RunText().contains(QStringLiteral("%1 criteria passed").arg(criteria)),
           qPrintable(Status(bench).RunText()));
}

void WindowSafetyTest::statusAreaCountsCriteriaThatDidNotPass() {
  GuiBench bench(MatchingDut({host::DutFault::kWrongMfg}));
  MatchProfile(bench);
  QVERIFY(RunToEnd(bench, kA10));
  QCOMPARE(Status(bench).Verdict(), gui::RunVerdict::kDnp);
  QCOMPARE(Status(bench).VerdictText(), QStringLiteral("DNP"));
  // The count is the report's own: one "DNP " line per criterion that did not pass.
  const int dnp = Count(bench.Text(), "\r\nDNP  : ");
  QVERIFY(dnp >= 1);
  QVERIFY2(Status(bench).RunText().contains(QStringLiteral("%1 of ").arg(dnp)),
           qPrintable(Status(bench).RunText()));
}

void WindowSafetyTest::statusAreaShowsAnAbortedRun() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  bench.window->RunCommand(kA10);
  bench.Run(300);
  bench.prompter.answer = false;  // no report
  bench.window->RunCommand(gui::kAbort);
  QVERIFY(bench.RunUntilIdle(1000));
  bench.Run(gui::MainWindow::kTimerMillis);
  QCOMPARE(Status(bench).Verdict(), gui::RunVerdict::kAborted);
  QCOMPARE(Status(bench).VerdictText(), QStringLiteral("ABORTED"));
  QVERIFY(!Status(bench).PromptShown());
}

void WindowSafetyTest::promptsStayUntilDone() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));

  // "Power Up DUT" stays up until the DUT is heard on the bus.
  bench.window->RunCommand(kA10);
  // The prompt comes with the test's cue, by the window's next timer tick.
  for (int i = 0; i < 30'000 && Status(bench).PromptText() != QStringLiteral("Power Up DUT"); ++i) {
    bench.Run(1);
  }
  QVERIFY(Status(bench).PromptShown());
  QCOMPARE(Status(bench).PromptText(), QStringLiteral("Power Up DUT"));
  bench.Run(3000);
  QVERIFY(!Status(bench).PromptShown());
  QVERIFY(bench.RunUntilIdle(60'000));

  // The space-bar prompt stays until the operator presses the space bar.
  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kDiscard);  // A-10's log
  bench.window->RunCommand(kA20);
  for (int i = 0; i < 60'000 && !Has(bench.Text(), "Press <space>"); ++i) bench.Run(1);
  bench.Run(3000);
  QVERIFY(Status(bench).PromptShown());
  QVERIFY(Status(bench).PromptText().startsWith(QStringLiteral("Press <space>")));
  QTest::keyPress(bench.window->Pane().Widget(), Qt::Key_Space);
  QVERIFY(!Status(bench).PromptShown());
  bench.Run(200);
  QTest::keyRelease(bench.window->Pane().Widget(), Qt::Key_Space);
  QVERIFY(bench.RunUntilIdle(60'000));
  QVERIFY(Has(bench.Text(), "Test A20 complete."));
}

void WindowSafetyTest::testsNeedTheHostLink() {
  GuiBench::Options options;
  options.hostRunning = false;
  GuiBench bench(std::move(options));
  bench.window->UpdateMenus();
  QCOMPARE(Status(bench).Link(), gui::HostLinkState::kNotConnected);
  QVERIFY(Status(bench).LinkText().contains(QStringLiteral("not connected")));
  for (int id : std::initializer_list<int>{kA10, gui::kReadAddressClaim, 32791}) {
    QVERIFY(!bench.window->Action(id)->isEnabled());
  }
  QVERIFY(bench.window->Action(gui::kLogSkippedTest)->isEnabled());  // no bus needed

  // The Test menu says why.
  QMenu* test = bench.window->menuBar()->actions().at(1)->menu();
  QVERIFY(test != nullptr);
  bool said = false;
  for (QAction* action : test->actions()) {
    said |= action->isVisible() && action->text().contains(QStringLiteral("host link"));
  }
  QVERIFY(said);

  bench.window->RunCommand(kA10);  // a shortcut or a stale menu: still refused
  QVERIFY(bench.window->LastTest() == nullptr);
  QVERIFY(!bench.window->TestRunning());
}

QTEST_MAIN(WindowSafetyTest)
#include "window_safety_test.moc"
