// What keeps a test's report whole, on the offscreen platform and virtual time:
// no command replaces an unsaved report unasked, notes typed into a saved report
// count as a change, Save Log waits for the end of the run and says where it
// saved, a failed save names its cause, and a test that needs the DUT's NAME
// does not run unawares on a profile that never read it.
#include <QAction>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <filesystem>
#include <fstream>

#include "compliance/static_dut_support.h"
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

gui::StatusArea& Status(GuiBench& bench) {
  return *bench.window->Status();
}

// Puts the cursor at the end of the testing-notes line and types there.
void TypeNotes(GuiBench& bench, const QString& text) {
  QPlainTextEdit* edit = bench.window->Pane().Widget();
  for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
    if (!gui::NotesFieldStart(block.text())) continue;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    edit->setTextCursor(cursor);
    break;
  }
  QTest::keyClicks(edit, text);
}

void Command(GuiBench& bench, int command) {
  if (command == kPressF5) {
    QTest::keyClick(bench.window.get(), Qt::Key_F5);
  } else {
    bench.window->RunCommand(command);
  }
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
  void aTestThatKeepsThePaneDoesNotAsk();
  void notesTypedIntoASavedReportMarkItUnsaved();
  void saveLogWaitsForTheEndOfTheRunAndSaysWhere();
  void aFailedSaveNamesItsCause_data();
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
  const bool startsATest =
      command == kA10 || command == gui::kRepeatLastTest || command == kPressF5;
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  bench.window->activateWindow();
  std::vector<bool> runningWhenAsked;
  bench.dialogs.whileAskedToSave = [&] { runningWhenAsked.push_back(bench.window->TestRunning()); };
  QVERIFY(RunToEnd(bench, kA10));
  const std::string report = bench.Text();
  const engine::Test* ran = bench.window->LastTest();

  // Cancel: nothing happens, not even the command's own first question.
  Command(bench, command);
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{1});
  QCOMPARE(bench.dialogs.saveQuestions[0].statement, std::string(gui::kUnsavedLogStatement));
  QCOMPARE(bench.dialogs.saveQuestions[0].saveLabel, std::string("&Save Log..."));
  QVERIFY(!bench.window->TestRunning());
  QCOMPARE(bench.window->LastTest(), ran);
  QCOMPARE(bench.Text(), report);
  QVERIFY(bench.window->LogUnsaved());
  QVERIFY(bench.dialogs.fileRequests.empty());
  QVERIFY(bench.dialogs.folderRequests.empty());
  QVERIFY(bench.dialogs.yesNoQuestions.empty());

  // Save Log...: the report is saved first, then the command goes on.
  const std::string path = bench.Path("a10.txt");
  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kSave);
  bench.dialogs.files.push_back(path);
  bench.dialogs.files.push_back(path);  // Read Log File reads it back
  bench.dialogs.folders.push_back(bench.dir.path().toStdString());
  bench.dialogs.skips.push_back(gui::SkipChoice{"A20", "Device Not Designed to Pass"});
  Command(bench, command);
  QVERIFY(Has(ReadFile(path), "Test A10 complete.\r\n"));
  if (startsATest) {
    QVERIFY(bench.window->TestRunning());
    QVERIFY(bench.RunUntilIdle(60'000));
    bench.Run(gui::MainWindow::kTimerMillis);
  } else {
    // It went on to its own question: a file, a folder, a yes or no, a skipped test.
    QVERIFY(bench.dialogs.fileRequests.size() == 2 || bench.dialogs.folderRequests.size() == 1 ||
            bench.dialogs.yesNoQuestions.size() == 1 || bench.dialogs.skips.empty());
  }
  // Asked once, before anything started, never while the test ran.
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{2});
  QCOMPARE(runningWhenAsked, (std::vector<bool>{false, false}));
}

void WindowEvidenceTest::aTestThatKeepsThePaneDoesNotAsk() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  bench.Settings().SetValue("Clear Text Log at Start", "No");
  QVERIFY(RunToEnd(bench, kA10));
  const std::string first = bench.Text();
  bench.window->RunCommand(kA10);
  QVERIFY(bench.dialogs.saveQuestions.empty());
  QVERIFY(bench.window->TestRunning());
  QVERIFY(bench.RunUntilIdle(60'000));
  QVERIFY(bench.Text().starts_with(first));  // both reports stay, for one save
}

void WindowEvidenceTest::notesTypedIntoASavedReportMarkItUnsaved() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  QVERIFY(RunToEnd(bench, kA10));
  const std::string saved = bench.Path("a10.txt");
  bench.dialogs.files.push_back(saved);
  bench.window->RunCommand(gui::kSaveLog);
  QVERIFY(!bench.window->LogUnsaved());
  QVERIFY(!bench.window->isWindowModified());

  TypeNotes(bench, QStringLiteral("checked by Ann"));
  QVERIFY(bench.window->LogUnsaved());
  QVERIFY(TitleSays(bench, " - log not saved"));
  bench.window->Done();  // asks; unanswered is Cancel
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{1});
  QVERIFY(!bench.window->Finished());

  const std::string noted = bench.Path("a10 noted.txt");
  bench.dialogs.files.push_back(noted);
  bench.window->RunCommand(gui::kSaveLog);
  const std::string notesLine = engine::Label("Testing Notes") + "checked by Ann\r\n";
  QVERIFY(Has(ReadFile(noted), notesLine));
  QVERIFY(!Has(ReadFile(saved), notesLine));

  // A report read back from its file is the same evidence.
  bench.dialogs.files.push_back(saved);
  bench.window->RunCommand(gui::kReadLogFile);
  QVERIFY(!bench.window->LogUnsaved());
  TypeNotes(bench, QStringLiteral("and Bob"));
  QVERIFY(bench.window->LogUnsaved());
}

void WindowEvidenceTest::saveLogWaitsForTheEndOfTheRunAndSaysWhere() {
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  bench.window->activateWindow();
  bench.window->RunCommand(kA10);
  bench.Run(500);
  QVERIFY(!bench.window->Action(gui::kSaveLog)->isEnabled());
  bench.window->RunCommand(gui::kSaveLog);
  QTest::keySequence(bench.window.get(), QKeySequence::Save);
  QVERIFY(bench.dialogs.fileRequests.empty());  // no partial log under the default name

  QVERIFY(bench.RunUntilIdle(60'000));
  bench.Run(gui::MainWindow::kTimerMillis);
  QVERIFY(bench.window->Action(gui::kSaveLog)->isEnabled());
  QVERIFY(TitleSays(bench, " - log not saved"));
  bench.window->RunCommand(gui::kResetProfile);
  QVERIFY(TitleSays(bench, " - log and profile not saved"));
  QVERIFY(Status(bench).SavedText().isEmpty());

  const std::string path = bench.Path("a10.txt");
  bench.dialogs.files.push_back(path);
  bench.window->RunCommand(gui::kSaveLog);
  QVERIFY(TitleSays(bench, " - profile not saved"));
  QCOMPARE(Status(bench).SavedText(), QStringLiteral("Saved to ") + QString::fromStdString(path));
  bench.Run(5000);
  QVERIFY(!Status(bench).SavedText().isEmpty());  // until the next run

  MatchProfile(bench);
  bench.window->RunCommand(kA10);
  QVERIFY(bench.window->TestRunning());
  QVERIFY(Status(bench).SavedText().isEmpty());
  QVERIFY(!bench.window->windowTitle().contains(QStringLiteral("not saved")));
}

void WindowEvidenceTest::aFailedSaveNamesItsCause_data() {
  QTest::addColumn<bool>("profile");
  QTest::addColumn<QString>("target");  // in the bench's folder; "file" and "folder" exist
  QTest::addColumn<QString>("cause");
  QTest::newRow("log: missing folder") << false << "missing/a.txt"
                                       << "folder does not exist";
  QTest::newRow("log: a file for a folder") << false << "file/a.txt"
                                            << "A file stands where";
  QTest::newRow("log: a folder of the name") << false << "folder"
                                             << "A folder already has";
  QTest::newRow("log: too long a name") << false << QString(300, QLatin1Char('n')) + ".txt"
                                        << "too long";
  QTest::newRow("profile: missing folder") << true << "missing/a.zcf"
                                           << "folder does not exist";
  QTest::newRow("profile: a file for a folder") << true << "file/a.zcf"
                                                << "A file stands where";
}

void WindowEvidenceTest::aFailedSaveNamesItsCause() {
  QFETCH(bool, profile);
  QFETCH(QString, target);
  QFETCH(QString, cause);
  GuiBench bench;
  std::ofstream(bench.Path("file")) << "not a folder";
  std::filesystem::create_directory(bench.Path("folder"));
  bench.app->Log().AppendLogLine("a line");
  bench.dialogs.files.push_back(bench.Path(target.toStdString()));
  bench.window->RunCommand(profile ? gui::kSaveProfile : gui::kSaveLog);
  QCOMPARE(bench.prompter.boxes.size(), std::size_t{1});
  const auto& [caption, text] = bench.prompter.boxes[0];
  QCOMPARE(caption, std::string(profile ? "Save Profile" : "Save Log"));
  QVERIFY2(Has(text, cause.toStdString()), text.c_str());
  QVERIFY2(!Has(text, "space"), text.c_str());
}

void WindowEvidenceTest::aTestThatNeedsTheNameAsksFirst_data() {
  QTest::addColumn<int>("command");
  QTest::addColumn<QString>("code");
  QTest::addColumn<bool>("asks");
  QTest::newRow("A-10 reads no NAME") << kA10 << "A10" << false;
  QTest::newRow("A-20 claims with the DUT's NAME") << kA20 << "A20" << true;
  QTest::newRow("A-110 compares claims with it") << kA110 << "A110" << true;
}

void WindowEvidenceTest::aTestThatNeedsTheNameAsksFirst() {
  QFETCH(int, command);
  QFETCH(QString, code);
  QFETCH(bool, asks);
  GuiBench bench(MatchingDut());
  MatchProfile(bench);
  bench.Settings().SetValue("Full ADDRESS_CLAIM Value", "00 00 00 00 00 00 00 00");
  bench.prompter.answer = false;  // an aborted run is not logged

  bench.window->RunCommand(command);
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{asks ? 1u : 0u});
  QCOMPARE(bench.window->TestRunning(), !asks);
  if (!asks) return;
  const gui::SaveQuestion& question = bench.dialogs.saveQuestions[0];
  QCOMPARE(question.question, std::string(gui::kUnreadNameQuestion));
  QVERIFY2(question.statement.starts_with(code.toStdString() + " needs the DUT's NAME"),
           question.statement.c_str());
  QVERIFY(Has(question.statement, "\"Full ADDRESS_CLAIM Value\""));

  // Run Anyway.
  bench.dialogs.saveAnswers = {gui::SaveAnswer::kDiscard};
  bench.window->RunCommand(command);
  QVERIFY(bench.window->TestRunning());
  QCOMPARE(bench.window->LastTest()->Code(), code.toStdString());
  bench.window->RunCommand(gui::kAbort);
  QVERIFY(bench.RunUntilIdle(5000));

  // Read ADDRESS_CLAIM first (the aborted run's lines are let go first).
  bench.dialogs.saveAnswers = {gui::SaveAnswer::kDiscard, gui::SaveAnswer::kSave};
  bench.window->RunCommand(command);
  QVERIFY(bench.window->TestRunning());
  QCOMPARE(bench.window->LastTest()->Code(), std::string("RAC"));
  QCOMPARE(bench.dialogs.saveQuestions.back().question, std::string(gui::kUnreadNameQuestion));
}

void WindowEvidenceTest::readAddressClaimSaysWhichManufacturerTheNameCarries() {
  GuiBench bench(MatchingDut());
  bench.Settings().SetValue("DSA For Address Claiming", "253");
  bench.prompter.answer = true;  // "Save for future tests?"
  QVERIFY(RunToEnd(bench, gui::kReadAddressClaim));
  QVERIFY2(Status(bench).ProfileHintText().contains(
               QStringLiteral("carries Manufacturer ID 291; the profile says 0")),
           qPrintable(Status(bench).ProfileHintText()));
  QVERIFY(!Has(bench.Text(), "Manufacturer ID 291"));  // no part of the log

  // The settings list refuses a code the NAME cannot carry, and takes the one it does.
  bench.dialogs.onChildren = [&bench](data::Datum& item, gui::DatumListHost& host) {
    gui::ChildDatumDialog all(item, host, nullptr);
    const int row = testing::RowOf(*all.View(), QStringLiteral("Manufacturer ID"));
    if (row < 0) return;
    bench.dialogs.inputs.push_back({true, false, "291"});
    all.View()->EditRow(row);
  };
  gui::DatumListView& top = bench.window->SettingsView();
  top.ClickCell(testing::RowOf(top, QStringLiteral("All Settings")), 0);
  QCOMPARE(bench.dialogs.inputRequests.size(), std::size_t{1});
  const gui::TextCheck check = bench.dialogs.inputRequests.back().check;
  QVERIFY(!check("2048").empty());
  QVERIFY(!check("65535").empty());
  QVERIFY(check("2047").empty());
  bench.Run(500);
  QCOMPARE(bench.Settings().GetValue("Manufacturer ID", true), std::string("291"));
  QVERIFY(Status(bench).ProfileHintText().isEmpty());

  // With the NAME read, a test that needs it runs without a question.
  bench.dialogs.saveAnswers = {gui::SaveAnswer::kDiscard};  // the read's own log
  bench.window->RunCommand(kA20);
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{1});
  QVERIFY(bench.window->TestRunning());
}

QTEST_MAIN(WindowEvidenceTest)
#include "window_evidence_test.moc"
