// What keeps a test's report whole, on the offscreen platform and virtual time:
// no command replaces an unsaved report unasked, Save Log waits for the end of
// the run and says where it saved, typed notes count as a change, a failed save
// names its cause, and a test that needs the DUT's NAME asks before it runs on a
// profile that never read it.
#include <QAction>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <fstream>

#include "engine/report_layout.h"
#include "gui/child_datum_dialog.h"
#include "gui/log_edit.h"
#include "gui/menu_commands.h"
#include "gui/save_questions.h"
#include "gui/status_area.h"
#include "gui_bench.h"

using namespace vlt;
using testing::GuiBench;
using testing::Has;
using testing::MatchingDut;
using testing::MatchProfile;
using testing::ReadFile;
using testing::RunToEnd;

namespace {

constexpr int kA10 = 32780;
constexpr int kA20 = 32781;
constexpr int kA110 = 32790;
constexpr int kPressF5 = -1;  // not a command: the key

// Puts the cursor at the end of the testing-notes line and types there.
void TypeNotes(GuiBench& bench, const QString& text) {
  QPlainTextEdit* edit = bench.window->Pane().Widget();
  for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
    if (!gui::NotesFieldStart(block.text())) continue;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    edit->setTextCursor(cursor);
  }
  QTest::keyClicks(edit, text);
}

bool TitleSays(GuiBench& bench, const char* mark) {
  return bench.window->windowTitle().endsWith(QString::fromLatin1(mark));
}

}  // namespace

class WindowEvidenceTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyCommandThatReplacesTheReportAsksFirst_data();
  void everyCommandThatReplacesTheReportAsksFirst();
  void saveLogWaitsForTheWholeReportAndNotesAreChanges();
  void aFailedSaveNamesItsCause();
  void aTestThatNeedsTheNameAsksFirst_data();
  void aTestThatNeedsTheNameAsksFirst();
  void readAddressClaimSaysWhichManufacturerTheNameCarries();
};

void WindowEvidenceTest::everyCommandThatReplacesTheReportAsksFirst_data() {
  QTest::addColumn<int>("command");
  QTest::newRow("a test from the menu") << kA10;
  QTest::newRow("Repeat Last Test") << int{gui::kRepeatLastTest};
  QTest::newRow("F5") << kPressF5;
  QTest::newRow("Log a Skipped Test") << int{gui::kLogSkippedTest};
  QTest::newRow("Build Summary Report") << int{gui::kBuildSummaryReport};
  QTest::newRow("Read Log File") << int{gui::kReadLogFile};
  QTest::newRow("Delete Superseded Test Results") << int{gui::kDeleteSuperseded};
}

void WindowEvidenceTest::everyCommandThatReplacesTheReportAsksFirst() {
  QFETCH(int, command);
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  std::vector<bool> runningWhenAsked;
  bench.dialogs.whileAskedToSave = [&] { runningWhenAsked.push_back(bench.window->TestRunning()); };
  auto give = [&] {
    if (command != kPressF5) return bench.window->RunCommand(command);
    QTest::keyClick(bench.window.get(), Qt::Key_F5);
  };
  QVERIFY(RunToEnd(bench, kA10));
  const std::string report = bench.Text();
  const engine::Test* ran = bench.window->LastTest();

  // Cancel: nothing happens, not even the command's own first question.
  give();
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{1});
  QCOMPARE(bench.dialogs.saveQuestions[0].statement, std::string(gui::kUnsavedLogStatement));
  QVERIFY(!bench.window->TestRunning());
  QCOMPARE(bench.window->LastTest(), ran);
  QCOMPARE(bench.Text(), report);
  QVERIFY(bench.window->LogUnsaved());
  QVERIFY(bench.dialogs.fileRequests.empty() && bench.dialogs.folderRequests.empty() &&
          bench.dialogs.yesNoQuestions.empty());

  // Save Log...: the report is saved first, then the command goes on to its own
  // question (a file, a folder, a yes or no, a skipped test) or starts the test.
  const std::string path = bench.Path("a10.txt");
  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kSave);
  bench.dialogs.files = {path, path};  // Read Log File reads it back
  bench.dialogs.folders.push_back(bench.dir.path().toStdString());
  bench.dialogs.skips.push_back(gui::SkipChoice{"A20", "Device Not Designed to Pass"});
  give();
  QVERIFY(Has(ReadFile(path), "Test A10 complete.\r\n"));
  QVERIFY(bench.window->TestRunning() || bench.dialogs.fileRequests.size() == 2 ||
          bench.dialogs.folderRequests.size() == 1 || bench.dialogs.skips.empty());
  QVERIFY(bench.RunUntilIdle(60'000));
  bench.Run(gui::MainWindow::kTimerMillis);
  // Asked once, before anything started, never while a test ran.
  QCOMPARE(runningWhenAsked, (std::vector<bool>{false, false}));
}

void WindowEvidenceTest::saveLogWaitsForTheWholeReportAndNotesAreChanges() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  gui::StatusArea& status = *bench.window->Status();
  bench.window->RunCommand(kA10);
  bench.Run(500);
  QVERIFY(!bench.window->Action(gui::kSaveLog)->isEnabled());
  bench.window->RunCommand(gui::kSaveLog);
  QVERIFY(bench.dialogs.fileRequests.empty());  // no partial log under the default name

  QVERIFY(bench.RunUntilIdle(60'000));
  bench.Run(gui::MainWindow::kTimerMillis);
  QVERIFY(TitleSays(bench, " - log not saved"));
  bench.window->RunCommand(gui::kResetProfile);
  QVERIFY(TitleSays(bench, " - log and profile not saved"));
  const std::string path = bench.Path("a10.txt");
  bench.dialogs.files.push_back(path);
  bench.window->RunCommand(gui::kSaveLog);
  QVERIFY(TitleSays(bench, " - profile not saved"));
  QCOMPARE(status.SavedText(), QStringLiteral("Saved to ") + QString::fromStdString(path));

  // Notes are part of the report: the summary reads them.
  TypeNotes(bench, QStringLiteral("checked by Ann"));
  QVERIFY(bench.window->LogUnsaved());
  QVERIFY(TitleSays(bench, " - log and profile not saved"));
  bench.dialogs.files.push_back(path);
  bench.window->RunCommand(gui::kSaveLog);
  QVERIFY(Has(ReadFile(path), engine::Label("Testing Notes") + "checked by Ann\r\n"));

  bench.Run(5000);
  QVERIFY(!status.SavedText().isEmpty());  // until the next run
  MatchProfile(bench);
  bench.window->RunCommand(kA10);
  QVERIFY(bench.window->TestRunning());
  QVERIFY(status.SavedText().isEmpty());
}

void WindowEvidenceTest::aFailedSaveNamesItsCause() {
  GuiBench bench;
  std::ofstream(bench.Path("file")) << "not a folder";
  bench.dialogs.files = {bench.Path("no/a.txt"), bench.Path("file/a.zcf")};
  bench.window->RunCommand(gui::kSaveLog);
  bench.window->RunCommand(gui::kSaveProfile);
  QCOMPARE(bench.prompter.boxes.size(), std::size_t{2});
  QVERIFY(Has(bench.prompter.boxes[0].second, "The folder does not exist"));
  QVERIFY(Has(bench.prompter.boxes[1].second, "A file stands where"));
  for (const auto& [caption, text] : bench.prompter.boxes) {
    QVERIFY2(!Has(text, "free some space"), text.c_str());  // the advice of a full disk only
  }
}

void WindowEvidenceTest::aTestThatNeedsTheNameAsksFirst_data() {
  QTest::addColumn<int>("command");
  QTest::addColumn<QString>("code");
  QTest::newRow("A-10 reads no NAME") << kA10 << "";
  QTest::newRow("A-20 claims with the DUT's NAME") << kA20 << "A20";
  QTest::newRow("A-110 compares claims with it") << kA110 << "A110";
}

void WindowEvidenceTest::aTestThatNeedsTheNameAsksFirst() {
  QFETCH(int, command);
  QFETCH(QString, code);
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  bench.Settings().SetValue("Full ADDRESS_CLAIM Value", "00 00 00 00 00 00 00 00");
  bench.prompter.answer = false;  // an aborted run is not logged
  bench.window->RunCommand(command);
  QCOMPARE(bench.window->TestRunning(), code.isEmpty());
  if (code.isEmpty()) {
    QVERIFY(bench.dialogs.saveQuestions.empty());
    return;
  }
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{1});
  QCOMPARE(bench.dialogs.saveQuestions[0].question, std::string(gui::kUnreadNameQuestion));
  QVERIFY(bench.dialogs.saveQuestions[0].statement.starts_with(code.toStdString() +
                                                               " needs the DUT's NAME"));

  bench.dialogs.saveAnswers = {gui::SaveAnswer::kDiscard};  // Run Anyway
  bench.window->RunCommand(command);
  QCOMPARE(bench.window->LastTest()->Code(), code.toStdString());
  QVERIFY(bench.window->TestRunning());
  bench.window->RunCommand(gui::kAbort);
  QVERIFY(bench.RunUntilIdle(5000));

  // Read ADDRESS_CLAIM first (the aborted run's lines are let go first).
  bench.dialogs.saveAnswers = {gui::SaveAnswer::kDiscard, gui::SaveAnswer::kSave};
  bench.window->RunCommand(command);
  QCOMPARE(bench.window->LastTest()->Code(), std::string("RAC"));
  QVERIFY(bench.window->TestRunning());
}

void WindowEvidenceTest::readAddressClaimSaysWhichManufacturerTheNameCarries() {
  GuiBench bench(MatchingDut());
  bench.Settings().SetValue("DSA For Address Claiming", "253");
  bench.prompter.answer = true;  // "Save for future tests?"
  QVERIFY(RunToEnd(bench, gui::kReadAddressClaim));
  const QString hint = bench.window->Status()->ProfileHintText();
  QVERIFY2(hint.contains(QStringLiteral("carries Manufacturer ID 291; the profile says 0")),
           qPrintable(hint));

  // The settings list refuses a code the NAME cannot carry, and takes the one it does.
  bench.dialogs.onChildren = [&bench](data::Datum& item, gui::DatumListHost& host) {
    gui::ChildDatumDialog all(item, host, nullptr);
    bench.dialogs.inputs.push_back({true, false, "291"});
    all.View()->EditRow(testing::RowOf(*all.View(), QStringLiteral("Manufacturer ID")));
  };
  gui::DatumListView& top = bench.window->SettingsView();
  top.ClickCell(testing::RowOf(top, QStringLiteral("All Settings")), 0);
  QCOMPARE(bench.dialogs.inputRequests.size(), std::size_t{1});
  const gui::TextCheck check = bench.dialogs.inputRequests[0].check;
  QVERIFY(!check("2048").empty() && check("2047").empty());
  bench.Run(500);
  QCOMPARE(bench.Settings().GetValue("Manufacturer ID", true), std::string("291"));
  QVERIFY(bench.window->Status()->ProfileHintText().isEmpty());
}

QTEST_MAIN(WindowEvidenceTest)
#include "window_evidence_test.moc"
