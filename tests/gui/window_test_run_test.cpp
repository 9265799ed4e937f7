// A whole session in the window against the in-process simulated host: read the
// DUT's ADDRESS_CLAIM into the profile, then run A-10 with it, on virtual time.
#include <QDir>
#include <QLabel>
#include <QTest>
#include <fstream>
#include <sstream>

#include "compliance/static_dut_support.h"
#include "gui/menu_commands.h"
#include "gui/status_area.h"
#include "gui_bench.h"

using namespace vlt;
using testing::GuiBench;

class WindowTestRunTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void readAddressClaimThenA10Passes();
  void theSpaceBarInTheWindowLetsA20Go();
  void theTimeLimitCountsDownWhileTheTestWaitsForTheOperator();
  void summaryOfTheSavedLogs();
  void anNdTestRunsFromTheMenuAndShowsItsVerdict();
  void nd60WaitsForTheOperatorsActionsOnTheDut();
};

void WindowTestRunTest::readAddressClaimThenA10Passes() {
  using namespace compliance::static_scenario;
  GuiBench::Options options;
  options.dut = Dut({});
  GuiBench bench(std::move(options));
  bench.Settings().SetValue("DSA For Address Claiming", std::to_string(kDsa));
  bench.Settings().SetValue("Manufacturer ID", "291");
  bench.window->Profiles().ClearModified();

  bench.prompter.answer = true;  // "Save for future tests?"
  bench.window->RunCommand(gui::kReadAddressClaim);
  QVERIFY(bench.window->TestRunning());
  QVERIFY(bench.RunUntilIdle(30'000));
  QCOMPARE(bench.prompter.decisions.size(), std::size_t{1});
  QCOMPARE(bench.prompter.decisions[0].first,
           std::string("ADDRESS_CLAIM packet\r\n[ ") + kDutName + " ]");
  QCOMPARE(bench.Settings().GetValue("Full ADDRESS_CLAIM Value", true), std::string(kDutName));
  QVERIFY(bench.window->Profiles().Modified());

  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kDiscard);  // the read's own log
  bench.window->RunCommand(32780);                                 // A-10 Static Boot
  const std::int64_t start = bench.clock.NowMicros();
  QVERIFY(bench.RunUntilIdle(60'000));
  QVERIFY(bench.clock.NowMicros() - start >= 10'000'000);  // the test's own time limits ran
  const std::string text = bench.Text();
  QVERIFY2(!Has(text, "DNP "), text.c_str());
  for (const char* criterion :
       {"Broadcasts Address Claim", "Arbitrary Address Capable bit is not zero.",
        "Claimed Address is not device type's DSA.", "Manufacturer ID does not match manufacturer.",
        "Multiple addresses are claimed."}) {
    QVERIFY2(Has(text, std::string("PASS : ") + criterion), criterion);
  }
  QVERIFY(Has(text, "Test A10 complete."));
  QVERIFY(!bench.window->Pane().Locked());

  // Saved as the operator would, the log is what the summary report reads.
  const std::string path = bench.Path(bench.window->LogFileName());
  bench.dialogs.files.push_back(path);
  bench.window->RunCommand(gui::kSaveLog);
  std::ifstream in(path, std::ios::binary);
  std::ostringstream saved;
  saved << in.rdbuf();
  QVERIFY(Has(saved.str(), "PASS : Broadcasts Address Claim"));
  QVERIFY(!Has(saved.str(), "\r\n\r\n"));
}

void WindowTestRunTest::theSpaceBarInTheWindowLetsA20Go() {
  using namespace compliance::static_scenario;
  GuiBench::Options options;
  options.dut = Dut({});
  GuiBench bench(std::move(options));
  bench.Settings().SetValue("DSA For Address Claiming", std::to_string(kDsa));
  bench.Settings().SetValue("Manufacturer ID", "291");
  bench.Settings().SetValue("Full ADDRESS_CLAIM Value", kDutName);
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));

  bench.window->RunCommand(32781);  // A-20 Static Conflict (LP)
  for (int i = 0; i < 60'000 && !Has(bench.Text(), "Press <space>"); ++i) bench.Run(1);
  QVERIFY(Has(bench.Text(), "Press <space>"));
  bench.Run(5000);  // nobody presses: the test waits
  QVERIFY(bench.window->TestRunning());
  QWidget* focus = bench.window->Pane().Widget();
  QTest::keyPress(focus, Qt::Key_Space);
  bench.Run(200);
  QTest::keyRelease(focus, Qt::Key_Space);
  QVERIFY(bench.RunUntilIdle(60'000));
  QVERIFY(!bench.window->LastTest()->Aborted());
  QVERIFY(Has(bench.Text(), "Test A20 complete."));
}

void WindowTestRunTest::theTimeLimitCountsDownWhileTheTestWaitsForTheOperator() {
  GuiBench bench(testing::MatchingDut());
  testing::MatchProfile(bench);
  const gui::StatusArea& status = *bench.window->Status();
  for (const bool powersUp : {false, true}) {
    // The operator switches the DUT off when asked, and on only in the second run.
    bench.window->Pane().SetLineObserver([&](std::string_view line) {
      if (line != "Power Up DUT" || powersUp) bench.OnPaneLine(line);
    });
    if (powersUp) bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kDiscard);
    bench.window->RunCommand(32780);  // A-10 Static Boot: a claim within 5 s of "Power Up DUT"
    int ms = 0;
    for (; ms < 20'000 && status.PromptText() != QStringLiteral("Power Up DUT"); ms += 50) {
      bench.Run(50);
    }
    QCOMPARE(status.PromptText(), QStringLiteral("Power Up DUT"));
    bench.Run(100);
    if (powersUp) {
      // Done at once: nothing waits for the operator, nothing counts down.
      QVERIFY(!status.PromptShown());
      QVERIFY(!status.CountdownShown());
      QVERIFY(bench.RunUntilIdle());
      QVERIFY(!bench.window->LastTest()->Aborted());
      continue;
    }
    QVERIFY(status.CountdownShown());
    QCOMPARE(status.CountdownText(), QStringLiteral("Time limit: 5 s left"));
    bench.Run(2000);
    QCOMPARE(status.CountdownText(), QStringLiteral("Time limit: 3 s left"));
    bench.Run(2200);
    QCOMPARE(status.CountdownText(), QStringLiteral("Time limit: 1 s left"));
    QVERIFY(bench.RunUntilIdle());
    bench.Run(gui::MainWindow::kTimerMillis);
    QVERIFY(bench.window->LastTest()->Aborted());
    QVERIFY(!status.CountdownShown());
  }
}

void WindowTestRunTest::anNdTestRunsFromTheMenuAndShowsItsVerdict() {
  using namespace compliance::static_scenario;
  GuiBench::Options options;
  options.dut = Dut({});  // status 1FFFF, the default "Supported DGN"
  GuiBench bench(std::move(options));
  bench.window->RunCommand(32792);  // ND-20 Targeted Request for DGN
  QVERIFY(bench.window->TestRunning());
  QVERIFY(bench.RunUntilIdle(60'000));
  const std::string text = bench.Text();
  QVERIFY2(Has(text, "PASS : No NAK for an unsupported DGN."), text.c_str());
  QVERIFY2(!Has(text, "DNP "), text.c_str());
  bench.Run(100);  // the status area follows on the window's timer
  QCOMPARE(bench.window->Status()->VerdictText(), QStringLiteral("PASS"));
}

// The person at the bench causes the fault, presses OK, removes its cause and
// presses the space bar: each prompt stands in large type with OK until then.
void WindowTestRunTest::nd60WaitsForTheOperatorsActionsOnTheDut() {
  using namespace compliance::static_scenario;
  GuiBench::Options options;
  options.dut = Dut({});
  GuiBench bench(std::move(options));
  bench.window->RunCommand(32796);  // ND-60 DM_RV with Faults
  gui::StatusArea& status = *bench.window->Status();
  const auto awaitPrompt = [&](const QString& text) {
    for (int i = 0; i < 400 && status.PromptText() != text; ++i) bench.Run(50);
    return status.PromptText() == text;
  };
  QVERIFY(awaitPrompt(QStringLiteral("cause a fault")));
  QVERIFY(status.OkShown());
  const QLabel* prompt = status.findChild<QLabel*>(QStringLiteral("operatorPrompt"));
  QVERIFY(prompt->font().pointSize() > bench.window->font().pointSize());
  bench.Run(3000);  // nothing goes on until the operator says so
  QVERIFY(bench.window->TestRunning());
  QCOMPARE(status.PromptText(), QStringLiteral("cause a fault"));

  QVERIFY(bench.host.Control("dut fault on").starts_with("ok"));
  bench.Run(100);
  QTest::mouseClick(status.OkButton(), Qt::LeftButton);
  QVERIFY(awaitPrompt(QStringLiteral("remove the cause")));
  QVERIFY(bench.host.Control("dut fault off").starts_with("ok"));
  QTest::keyPress(bench.window->Pane().Widget(), Qt::Key_Space);
  bench.Run(100);
  QTest::keyRelease(bench.window->Pane().Widget(), Qt::Key_Space);
  QVERIFY(bench.RunUntilIdle(10'000));
  const std::string text = bench.Text();
  QVERIFY2(!Has(text, "DNP "), text.c_str());
  // The report came before the person's OK: it counts, its timing is theirs to judge.
  QVERIFY2(Has(text,
               "____ : More than 250ms elapsed before fault and DM_RV.             "
               "Delay = 0 after the operator's OK"),
           text.c_str());
  QVERIFY2(Has(text, "SPN                  : 6 (temperature)"), text.c_str());
  QVERIFY(!status.PromptShown());
}

void WindowTestRunTest::summaryOfTheSavedLogs() {
  using namespace compliance::static_scenario;
  GuiBench::Options options;
  options.dut = Dut({});
  GuiBench bench(std::move(options));
  bench.Settings().SetValue("DSA For Address Claiming", std::to_string(kDsa));
  bench.Settings().SetValue("Manufacturer ID", "291");
  bench.Settings().SetValue("Full ADDRESS_CLAIM Value", kDutName);
  const QString logs = bench.dir.filePath(QStringLiteral("logs"));
  QVERIFY(QDir().mkpath(logs));
  const std::string folder = logs.toStdString();
  bench.window->RunCommand(32780);
  QVERIFY(bench.RunUntilIdle(60'000));
  bench.dialogs.files.push_back(folder + "/" + bench.window->LogFileName());
  bench.window->RunCommand(gui::kSaveLog);

  bench.dialogs.folders.push_back(folder);
  bench.window->RunCommand(gui::kBuildSummaryReport);
  QVERIFY2(Has(bench.Text(), "Product              : Default Product  0.0.0"),
           bench.Text().c_str());

  bench.dialogs.yesNo = false;  // the question is answered No: nothing is deleted
  bench.dialogs.folders.push_back(folder);
  bench.window->RunCommand(gui::kDeleteSuperseded);
  QCOMPARE(bench.dialogs.folders.size(), std::size_t{1});
  QCOMPARE(QDir(logs).entryList(QDir::Files).size(), 1);
}

QTEST_MAIN(WindowTestRunTest)
#include "window_test_run_test.moc"
